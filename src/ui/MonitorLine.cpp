#include "ui/MonitorLine.h"

#include "ui/WakeNotifier.h"

#include <QComboBox>
#include <QLabel>
#include <QTimer>

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
                         QObject* parent, MonitorPace pace)
    : QObject(parent), Status(status), Data1(data1), Data2(data2), Form(form),
      Wake(new WakeNotifier([this] { Refresh(); }, this)),
      QuietFramesBeforeSleep(pace.QuietFrames) {
    Frame = new QTimer(this);
    Frame->setInterval(pace.FrameMs);
    connect(Frame, &QTimer::timeout, this, &MonitorLine::OnFrame);
}

MonitorLine::~MonitorLine() = default;

void MonitorLine::MidiDataIn(std::int32_t, std::uint8_t status, std::uint8_t data1,
                             std::uint8_t data2) {
    if (status == ActiveSensing)
        return;
    Published.store(status | (data1 << 8) | (data2 << 16));
    // The first message to find the line asleep wakes it; until it sleeps
    // again the others only publish.
    if (Watching.load() || Watching.exchange(true))
        return;
    Wake->Post();
}

void MonitorLine::Refresh() {
    ShowPublished();
    StartWatching();
}

void MonitorLine::StartWatching() {
    QuietFrames = 0;
    Watching.store(true);
    Frame->start();
}

void MonitorLine::OnFrame() {
    if (Published.load() != Shown) {
        ShowPublished();
        QuietFrames = 0;
        return;
    }
    if (++QuietFrames < QuietFramesBeforeSleep)
        return;
    Watching.store(false);
    Frame->stop();
    // A message published just before this found the line still watching and
    // woke nobody: both sides' sequentially consistent store-then-load means
    // that either it woke the window or it is seen here.
    if (Published.load() != Shown) {
        ShowPublished();
        StartWatching();
    }
}

void MonitorLine::ShowPublished() {
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
