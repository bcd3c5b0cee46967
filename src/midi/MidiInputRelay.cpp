#include "midi/MidiInputRelay.h"

#include "midi/ThreadSettings.h"

#include <algorithm>
#include <string>

MidiInputRelay::MidiInputRelay(const BackgroundErrors& errors, bool realTime) : Errors(errors) {
    Message.reserve(4096);
    Thread = std::jthread([this, realTime](std::stop_token stop) { Run(stop, realTime); });
}

MidiInputRelay::~MidiInputRelay() {
    Thread.request_stop();
    WakeUp.Post();
    Thread.join();
}

MidiInputRelay::Source& MidiInputRelay::Add(const MidiInputTarget& target, std::size_t capacity) {
    auto source = std::unique_ptr<Source>(new Source(target, capacity));
    Source& added = *source;
    const std::lock_guard hold(SourcesLock);
    Sources.push_back(std::move(source));
    return added;
}

void MidiInputRelay::Remove(Source& source) {
    const std::lock_guard hold(SourcesLock);
    std::erase_if(Sources, [&](const auto& entry) { return entry.get() == &source; });
}

void MidiInputRelay::Wake() noexcept {
    // Pairs with the fence in Run: either the relay's thread sees the message
    // just pushed, or this sees it asleep.
    std::atomic_thread_fence(std::memory_order_seq_cst);
    if (!Sleeping.load(std::memory_order_relaxed) || !Sleeping.exchange(false))
        return;
    WakeUp.Post();
}

// A bounded batch from each source, so that a flood on one port neither
// starves the others nor keeps Remove waiting.
bool MidiInputRelay::Drain() {
    constexpr int Batch = 256;
    const std::lock_guard hold(SourcesLock);
    bool delivered = false;
    for (const auto& source : Sources) {
        for (int n = 0; n < Batch && source->Ring.Pop(Message); ++n) {
            delivered = true;
            source->Joiner.Take(Message, [&](std::span<const std::uint8_t> message) {
                source->Target.Callback(source->Target.Context, source->Target.Instance, message);
            });
        }
        if (const std::uint64_t dropped = source->Ring.TakeDropped())
            Errors.Report("MIDI input could not keep up: " + std::to_string(dropped) +
                          " messages dropped");
    }
    return delivered;
}

bool MidiInputRelay::AnyWaiting() {
    const std::lock_guard hold(SourcesLock);
    return std::any_of(Sources.begin(), Sources.end(),
                       [](const auto& source) { return !source->Ring.Empty(); });
}

void MidiInputRelay::Run(std::stop_token stop, bool realTime) {
    NameThisThread("midi-input");
    if (realTime)
        RaiseThisThread();
    while (!stop.stop_requested()) {
        if (Drain())
            continue;
        Sleeping.store(true);
        std::atomic_thread_fence(std::memory_order_seq_cst);
        if (AnyWaiting() || stop.stop_requested()) {
            Sleeping.store(false);
            continue;
        }
        WakeUp.Wait();
        Sleeping.store(false);
    }
}
