#pragma once

#include "midi/WakeSignal.h"

#include <QObject>
#include <functional>
#include <memory>

// Runs a function on the thread that owns it whenever another thread has
// posted its wake-up, through that thread's event loop: a socket notifier on
// the event counter on Linux, an event notifier on Windows.
class WakeNotifier : public QObject {
public:
    WakeNotifier(std::function<void()> onWake, QObject* parent = nullptr);
    ~WakeNotifier() override;

    // Any thread; one system call.
    void Post() noexcept { Signal.Post(); }

private:
    WakeSignal Signal;
    // After the signal, so that it goes first.
    std::unique_ptr<QObject> Notifier;
};
