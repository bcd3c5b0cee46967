#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <cstdint>

class QComboBox;
class QLabel;
class QSocketNotifier;

// The monitor line: the last short message that arrived, as three numbers.
//
// Threads: MidiDataIn runs on the MIDI service's thread and only publishes
// the message in one atomic word; it wakes the window's thread through an
// event counter only when no refresh is pending, so a flood wakes it once per
// burst and no message costs an allocation. Refresh and CmbDataDisClick run
// on the window's thread, which owns the labels. The line always ends on the
// last message published.
class MonitorLine : public QObject {
    Q_OBJECT

public:
    MonitorLine(QLabel* status, QLabel* data1, QLabel* data2, QComboBox* form,
                QObject* parent = nullptr);
    ~MonitorLine() override;

    void MidiDataIn(std::int32_t port, std::uint8_t status, std::uint8_t data1, std::uint8_t data2);
    void CmbDataDisClick();

    std::int32_t LastStatus() const { return Shown & 0xFF; }
    std::int32_t LastData1() const { return (Shown >> 8) & 0xFF; }
    std::int32_t LastData2() const { return (Shown >> 16) & 0xFF; }

private:
    void Refresh();
    void ApplyDisplayRule();

    QLabel* Status;
    QLabel* Data1;
    QLabel* Data2;
    QComboBox* Form;
    // Counts the wake-ups asked for; readable while one is pending.
    int WakeFd = -1;
    QSocketNotifier* Wake = nullptr;
    std::atomic<std::uint32_t> Published{0};
    std::atomic<bool> RefreshPending{false};
    std::uint32_t Shown = 0;
};

// A value as the monitor shows it in display form `form`: 0 decimal, 1 two
// upper-case hexadecimal digits; nothing for any other form.
QString MonitorText(std::int32_t value, int form);
