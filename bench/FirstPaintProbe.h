#pragma once

#include <QObject>

// Watches every event of the application for the first paint of a widget.
// Once that frame has been drawn and flushed it prints, on one line, the time
// since the process was launched and the peak resident memory, then quits.
//
// Launch time: HBX740_LAUNCHED_AT (seconds since the epoch, as the launching
// shell's EPOCHREALTIME gives it) when set, since it counts the loader's work
// to the microsecond; else the process's start time from /proc, which the
// kernel keeps in 10 ms ticks.
//
// Linked into an executable, it installs itself on the application object as
// soon as that is made, so the program's own main stays as it is.
class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Report();

    bool Painted = false;
};
