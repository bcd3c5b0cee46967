#pragma once

#include "midi/MidiService.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

enum class FakeOperation {
    ListPorts,
    QueryPort,
    OpenInput,
    CloseInput,
    OpenOutput,
    CloseOutput,
    SendLong
};

struct FakeSentMessage {
    std::string Port;
    std::vector<std::uint8_t> Bytes;

    bool operator==(const FakeSentMessage&) const = default;
};

// A MIDI service for tests. Its ports have names; every input port delivers
// what is injected into it on a thread of its own, as a real service does (so
// two ports can deliver at the same moment); everything handed to it is
// recorded. Any of its operations can be made to fail once.
//
// Threads: the MidiService operations and the test's set-up calls may come
// from any thread; callbacks run on the ports' delivery threads. CloseInput
// waits for a callback that is running on the port, so a callback must not
// wait for the thread that closes its port.
class FakeMidiService final : public MidiService {
public:
    using SendObserver =
        std::function<void(const std::string& port, std::span<const std::uint8_t> bytes)>;

    FakeMidiService() = default;

    // Adds a port and returns its service name, "<name>:in<n>" or "<name>:out<n>".
    std::string AddInputPort(const std::string& name);
    std::string AddOutputPort(const std::string& name);
    // The port leaves the machine: no longer listed or present, and an open
    // input port delivers nothing more.
    void RemovePort(const std::string& serviceName);
    // The device goes and comes back at once under the same name, as in a
    // quick re-plug: the port stays listed, but what was open on it is lost
    // and delivers nothing until it is opened again.
    void Replug(const std::string& serviceName);

    // Queues one message on an input port. Its thread delivers it if the port
    // is open by then, and drops it otherwise.
    void Inject(const std::string& serviceName, std::vector<std::uint8_t> message);
    // Waits until every queued message has been delivered or dropped.
    void WaitUntilDelivered();

    // The next call of `operation` fails with `code`; ErrorText gives `text`
    // for it, or nothing.
    void FailNext(FakeOperation operation, MidiResult code,
                  std::optional<std::string> text = std::nullopt);
    // Runs for every message sent, on the sending thread, after it has been
    // recorded: lets a simulated device answer.
    void SetSendObserver(SendObserver observer);

    // Every SendLong that reached an open port, in order.
    std::vector<FakeSentMessage> Sent() const;
    // Every open, close and send, as "<operation> <service name>".
    std::vector<std::string> Calls() const;

    // What the service says it stands on.
    MidiServiceKind ServiceKind = MidiServiceKind::Other;
    MidiServiceKind Kind() override { return ServiceKind; }

    MidiResult ListPorts(MidiDirection direction, std::vector<MidiPortInfo>& ports) override;
    MidiResult QueryPort(MidiDirection direction, const std::string& serviceName) override;
    MidiResult QueryOpen(MidiHandle handle) override;
    MidiResult OpenInput(const std::string& serviceName, const MidiInputTarget& target,
                         MidiHandle& handle) override;
    MidiResult CloseInput(MidiHandle handle) override;
    MidiResult OpenOutput(const std::string& serviceName, MidiHandle& handle) override;
    MidiResult CloseOutput(MidiHandle handle) override;
    MidiResult SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) override;
    std::optional<std::string> ErrorText(MidiResult code) override;

private:
    struct Port {
        MidiDirection Direction = MidiDirection::Input;
        std::string Name;
        std::string ServiceName;
        // Written under DeliveryLock, so that no delivery follows a removal.
        std::atomic<bool> Present{true};
        // Counts the re-plugs, under Lock: a handle opened before one is lost.
        unsigned Generation = 0;

        // Input delivery. Queue, Busy and Stopping under QueueLock. The
        // thread is told to stop through Stopping rather than a stop_token:
        // MinGW's libstdc++ 12 can miss the wake-up that ends a stop_token
        // wait, which then hangs the join.
        std::mutex QueueLock;
        std::condition_variable QueueChanged;
        std::deque<std::vector<std::uint8_t>> Queue;
        bool Busy = false;
        bool Stopping = false;
        // Held while a callback runs; Target and Open change only
        // under it.
        std::mutex DeliveryLock;
        MidiInputTarget Target;
        bool Open = false;
        // Last, so that it stops before the fields above go.
        std::jthread Thread;

        ~Port();
    };

    static void Deliver(Port& port);
    std::string AddPort(MidiDirection direction, const std::string& name);
    Port* FindPort(const std::string& serviceName) const;
    std::optional<MidiResult> TakeFailure(FakeOperation operation);
    MidiResult NotPresent(const std::string& serviceName);

    mutable std::mutex Lock;
    std::vector<std::unique_ptr<Port>> Ports;
    struct Opened {
        Port* Of;
        unsigned Generation;
    };
    std::map<MidiHandle, Opened> Handles;
    MidiHandle NextHandle = 1;
    std::map<FakeOperation, std::pair<MidiResult, std::optional<std::string>>> Failures;
    std::map<MidiResult, std::string> Texts;
    std::vector<FakeSentMessage> SentMessages;
    std::vector<std::string> CallLog;
    SendObserver Observer;
};
