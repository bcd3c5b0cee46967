#pragma once

#include "midi/BackgroundErrors.h"
#include "midi/MessageRing.h"
#include "midi/MidiService.h"
#include "midi/SysExAssembler.h"
#include "midi/WakeSignal.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <thread>
#include <vector>

// Hands what a MIDI service receives on its own threads (JACK's real-time
// process thread, the ALSA sequencer's reader) to one thread of the relay's,
// which runs the input callbacks, in arrival order for each port.
//
// Threads: Add and Remove are called on the window's thread. Each source has
// one producer thread, which copies a message into the source's preallocated
// ring (Source::Push): no allocation, no lock, no system call. Once it has
// pushed what it had, the producer calls Wake, which makes the one system call
// that wakes the relay's thread when it sleeps and does nothing while it
// works. Everything else (joining the parts of a long SysEx, the callbacks)
// runs on the relay's thread.
class MidiInputRelay {
public:
    // One input port's messages.
    class Source {
    public:
        // Producer thread only. False when the ring was full and the message
        // was dropped.
        bool Push(std::span<const std::uint8_t> message) noexcept { return Ring.Push(message); }

    private:
        friend class MidiInputRelay;
        Source(const MidiInputTarget& target, std::size_t capacity)
            : Target(target), Ring(capacity) {}

        MidiInputTarget Target;
        MessageRing Ring;
        SysExAssembler Joiner;
    };

    static constexpr std::size_t DefaultCapacity = std::size_t{1} << 18;

    // With realTime, the relay's thread asks for the lowest real-time
    // priority: woken at the end of a real-time producer's cycle, it would
    // otherwise wait behind that producer's peers. Never for a producer that
    // is not real-time itself, which it would then hold up.
    // Messages lost to a full ring are reported to `errors`.
    explicit MidiInputRelay(const BackgroundErrors& errors, bool realTime = false);
    ~MidiInputRelay();
    MidiInputRelay(const MidiInputRelay&) = delete;
    MidiInputRelay& operator=(const MidiInputRelay&) = delete;

    Source& Add(const MidiInputTarget& target, std::size_t capacity = DefaultCapacity);
    // The source's producer must have stopped. When Remove returns, no
    // callback for the source runs and none will; what it still held is
    // dropped.
    void Remove(Source& source);

    // Producer threads, after pushing: wakes the relay's thread if it sleeps.
    // A system call then, so a real-time producer calls it outside its
    // deadline.
    void Wake() noexcept;

private:
    void Run(std::stop_token stop, bool realTime);
    bool Drain();
    bool AnyWaiting();

    const BackgroundErrors& Errors;
    WakeSignal WakeUp;
    std::atomic<bool> Sleeping{false};
    // Held while the relay's thread delivers, so that Remove waits for it.
    std::mutex SourcesLock;
    std::vector<std::unique_ptr<Source>> Sources;
    std::vector<std::uint8_t> Message;
    // Last, so that it stops before the members above go.
    std::jthread Thread;
};
