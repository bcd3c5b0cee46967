#pragma once

#include <functional>
#include <string>

// Failures that arise on a MIDI service thread (a handler raising an error, a
// service warning outside any call) have no caller to reach. They go to one
// sink, which may be called on any thread; without a sink they go to stderr.
using BackgroundErrorSink = std::function<void(const std::string& text)>;

// An empty sink restores the default.
void SetBackgroundErrorSink(BackgroundErrorSink sink);
void ReportBackgroundError(const std::string& text) noexcept;
