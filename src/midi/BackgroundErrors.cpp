#include "midi/BackgroundErrors.h"

#include <cstdio>

void BackgroundErrors::SetSink(BackgroundErrorSink sink) {
    const std::lock_guard hold(Lock);
    Sink = std::move(sink);
}

void BackgroundErrors::Report(const std::string& text) const noexcept {
    try {
        BackgroundErrorSink sink;
        {
            const std::lock_guard hold(Lock);
            sink = Sink;
        }
        if (sink) {
            sink(text);
            return;
        }
    } catch (...) {
        // A failing sink must not take the MIDI thread down; stderr remains.
    }
    std::fprintf(stderr, "MIDI: %s\n", text.c_str());
}
