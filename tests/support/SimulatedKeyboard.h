#pragma once

#include "FakeMidiService.h"
#include "KeyboardCore.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// The keyboard simulator's core, answering through the fake MIDI service: it
// adds an input and an output port of the keyboard's name, reads what is sent
// to its output port and injects the replies into its input port.
//
// Threads: the fake service calls the observer on the sending thread; replies
// leave through a worker thread of their own, so a delay never blocks the
// sender. The core is guarded by a lock.
class SimulatedKeyboard {
public:
    explicit SimulatedKeyboard(FakeMidiService& service, const std::string& name = "HBX740",
                               KeyboardFirmware firmware = {});
    ~SimulatedKeyboard();
    SimulatedKeyboard(const SimulatedKeyboard&) = delete;
    SimulatedKeyboard& operator=(const SimulatedKeyboard&) = delete;

    // The service names of the keyboard's two ports.
    const std::string InputPort;
    const std::string OutputPort;

    std::atomic<bool> Silent{false};
    std::atomic<int> DelayMs{0};

    KeyboardCore::Parameters Stored() const;

private:
    using Clock = std::chrono::steady_clock;

    void Heard(std::span<const std::uint8_t> message);
    void SendReplies();

    FakeMidiService& Service;
    mutable std::mutex CoreLock;
    KeyboardCore Core;
    // Replies and Stopping under QueueLock; Stopping rather than a stop_token,
    // whose wake-up MinGW's libstdc++ 12 can miss.
    std::mutex QueueLock;
    std::condition_variable QueueChanged;
    std::deque<std::pair<Clock::time_point, std::vector<std::uint8_t>>> Replies;
    bool Stopping = false;
    // Last, so that it stops before the queue goes.
    std::jthread Worker;
};
