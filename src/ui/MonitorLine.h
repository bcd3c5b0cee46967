#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>

class QComboBox;
class QLabel;
class QTimer;
class WakeNotifier;

// How often a watching line reads the published message, and after how many
// frames without a new one it stops watching.
struct MonitorPace {
    int FrameMs = 16;
    int QuietFrames = 60;
};

// The monitor line: the last short message that arrived, as three numbers.
//
// Threads: MidiDataIn runs on the MIDI service's thread (JACK's real-time
// thread among them) and publishes the message in one atomic word. While the
// line is watching, from a refresh until a quiet second has passed, the
// window's thread reads that word once a frame, so a message costs the MIDI
// thread no system call and no lock; the first message after a quiet second
// wakes the window's thread through its event loop instead, so it shows at
// once and an idle editor is never woken. No message costs an allocation.
// Refresh, the frame ticks and CmbDataDisClick run on the window's thread,
// which owns the labels. The line always ends on the last message published.
class MonitorLine : public QObject {
    Q_OBJECT

public:
    MonitorLine(QLabel* status, QLabel* data1, QLabel* data2, QComboBox* form,
                QObject* parent = nullptr, MonitorPace pace = {});
    ~MonitorLine() override;

    void MidiDataIn(std::int32_t port, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void CmbDataDisClick();

    std::int32_t LastStatus() const { return Shown & 0xFF; }
    std::int32_t LastData1() const { return (Shown >> 8) & 0xFF; }
    std::int32_t LastData2() const { return (Shown >> 16) & 0xFF; }
    bool IsWatching() const { return Watching.load(); }

private:
    void Refresh();
    void OnFrame();
    void StartWatching();
    void ShowPublished();
    void ApplyDisplayRule();

    QLabel* Status;
    QLabel* Data1;
    QLabel* Data2;
    QComboBox* Form;
    WakeNotifier* Wake;
    QTimer* Frame = nullptr;
    int QuietFramesBeforeSleep;
    int QuietFrames = 0;
    std::atomic<std::uint32_t> Published{0};
    std::atomic<bool> Watching{false};
    std::uint32_t Shown = 0;
};

// A value as the monitor shows it in display form `form`: 0 decimal, 1 two
// upper-case hexadecimal digits; nothing for any other form.
QString MonitorText(std::int32_t value, int form);
