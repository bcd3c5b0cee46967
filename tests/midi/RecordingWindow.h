#pragma once

#include "midi/Midi.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

// One delivery that reached a handler.
struct ReceivedEvent {
    std::int32_t Port = 0;
    bool SysEx = false;
    // The three bytes of a short message, or the bytes of a SysEx delivery.
    std::vector<std::uint8_t> Bytes;

    bool operator==(const ReceivedEvent&) const = default;
};

ReceivedEvent Short(std::int32_t port, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
ReceivedEvent SysEx(std::int32_t port, std::vector<std::uint8_t> bytes);

// Stands in for the window's two input handlers: the short-message handler
// takes no lock, the SysEx handler holds SysExLock for its whole run, an error
// included.
class RecordingWindow {
public:
    std::mutex SysExLock;
    // Runs inside the SysEx handler, under SysExLock, after the delivery has
    // been recorded.
    std::function<void(std::int32_t port, TByteStream& stream)> DuringSysEx;

    void MidiDataIn(std::int32_t port, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void SysExDataIn(std::int32_t port, TByteStream& stream);
    // Installs both handlers into the input set's slots, short message first.
    void Install(TMidiInput& input);

    std::vector<ReceivedEvent> Events() const;
    // Waits until at least `count` deliveries have arrived; false on time-out.
    bool WaitForEvents(std::size_t count,
                       std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;

private:
    void Record(ReceivedEvent event);

    mutable std::mutex EventsLock;
    mutable std::condition_variable EventsChanged;
    std::vector<ReceivedEvent> Received;
};
