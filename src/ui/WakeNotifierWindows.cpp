#include "ui/WakeNotifier.h"

#include <QWinEventNotifier>

WakeNotifier::WakeNotifier(std::function<void()> onWake, QObject* parent) : QObject(parent) {
    auto notifier =
        std::make_unique<QWinEventNotifier>(reinterpret_cast<Qt::HANDLE>(Signal.Native()));
    // The notifier's wait takes the auto-reset event's post.
    connect(notifier.get(), &QWinEventNotifier::activated, this,
            [this, onWake = std::move(onWake)] {
                Signal.TakeSeen();
                onWake();
            });
    Notifier = std::move(notifier);
}

WakeNotifier::~WakeNotifier() = default;
