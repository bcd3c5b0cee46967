#include "ui/WakeNotifier.h"

#include <QSocketNotifier>

WakeNotifier::WakeNotifier(std::function<void()> onWake, QObject* parent) : QObject(parent) {
    auto notifier = std::make_unique<QSocketNotifier>(static_cast<qintptr>(Signal.Native()),
                                                      QSocketNotifier::Read);
    connect(notifier.get(), &QSocketNotifier::activated, this, [this, onWake = std::move(onWake)] {
        Signal.TakeSeen();
        onWake();
    });
    Notifier = std::move(notifier);
}

WakeNotifier::~WakeNotifier() = default;
