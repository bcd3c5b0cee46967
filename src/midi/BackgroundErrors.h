#pragma once

#include <functional>
#include <mutex>
#include <string>

using BackgroundErrorSink = std::function<void(const std::string& text)>;

// Failures that arise on a MIDI thread (a handler raising an error, messages
// lost to a full buffer) have no caller to reach. They go to one sink, which
// may be called on any thread; without a sink they go to stderr.
class BackgroundErrors {
public:
    // An empty sink restores stderr.
    void SetSink(BackgroundErrorSink sink);
    void Report(const std::string& text) const noexcept;

private:
    mutable std::mutex Lock;
    BackgroundErrorSink Sink;
};
