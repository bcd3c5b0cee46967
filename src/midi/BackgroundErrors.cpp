#include "BackgroundErrors.h"

#include <cstdio>
#include <mutex>

namespace {

std::mutex SinkLock;
BackgroundErrorSink Sink;

} // namespace

void SetBackgroundErrorSink(BackgroundErrorSink sink) {
    const std::lock_guard lock(SinkLock);
    Sink = std::move(sink);
}

void ReportBackgroundError(const std::string& text) noexcept {
    try {
        BackgroundErrorSink sink;
        {
            const std::lock_guard lock(SinkLock);
            sink = Sink;
        }
        if (sink) {
            sink(text);
            return;
        }
    } catch (...) {
        // A failing sink must not take the service thread down; stderr remains.
    }
    std::fprintf(stderr, "MIDI: %s\n", text.c_str());
}
