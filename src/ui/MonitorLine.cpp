#include "MonitorLine.h"

#include <QComboBox>
#include <QLabel>

namespace {
constexpr std::uint8_t ActiveSensing = 0xFE;
}

QString MonitorText(std::int32_t value, int form) {
    switch (form) {
    case 0:
        return QString::number(value);
    case 1:
        return QStringLiteral("%1").arg(value, 2, 16, QChar(u'0')).toUpper();
    default:
        return {};
    }
}

MonitorLine::MonitorLine(QLabel* status, QLabel* data1, QLabel* data2, QComboBox* form,
                         QObject* parent)
    : QObject(parent), Status(status), Data1(data1), Data2(data2), Form(form) {}

void MonitorLine::MidiDataIn(std::int32_t, std::uint8_t status, std::uint8_t data1,
                             std::uint8_t data2) {
    if (status == ActiveSensing)
        return;
    Published.store(status | (data1 << 8) | (data2 << 16));
    if (!RefreshPending.exchange(true))
        QMetaObject::invokeMethod(this, &MonitorLine::Refresh, Qt::QueuedConnection);
}

void MonitorLine::Refresh() {
    // Cleared before reading, so a message published after the read asks for
    // a refresh of its own.
    RefreshPending.store(false);
    Shown = Published.load();
    ApplyDisplayRule();
}

void MonitorLine::CmbDataDisClick() {
    ApplyDisplayRule();
}

void MonitorLine::ApplyDisplayRule() {
    const int form = Form->currentIndex();
    if (form != 0 && form != 1)
        return;
    Status->setText(MonitorText(LastStatus(), form));
    Data1->setText(MonitorText(LastData1(), form));
    Data2->setText(MonitorText(LastData2(), form));
}
