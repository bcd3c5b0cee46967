#include "Vocabulary.h"

const std::array<const char*, ControlCount> ControlNames = {
    "Encoder", "Knob 1", "Knob 2", "Knob 3", "Volume Slider", "Play", "Stop", "Recoard"};

namespace {

QStringList NumberItems(int from, int to) {
    QStringList items;
    for (int n = from; n <= to; ++n)
        items << QString::number(n);
    return items;
}

} // namespace

const QStringList& MessageTypeItems(int control) {
    static const QStringList encoder = {"NOTE",        "PC",           "PITCH BEND",
                                        "AFTER TOUCH", "CC(Relative)", "CC(Absolute)"};
    static const QStringList others = {"NOTE", "PC", "PITCH BEND", "AFTER TOUCH", "CC"};
    return control == 1 ? encoder : others;
}

int HighestDataType(int control) {
    return static_cast<int>(MessageTypeItems(control).size()) - 1;
}

const QStringList& ButtonModeItems() {
    static const QStringList items = {"Toggle", "Momentary"};
    return items;
}

const QStringList& ChannelItems() {
    static const QStringList items = NumberItems(0, 15);
    return items;
}

const QStringList& ArpModeItems() {
    static const QStringList items = {"UP", "DOWN", "RANDOM", "CHRN"};
    return items;
}

const QStringList& ArpTimeItems() {
    static const QStringList items = {"1",   "1t",   "1/2",  "1/2t",  "1/4",  "1/4t",
                                      "1/8", "1/8t", "1/16", "1/16t", "1/32", "1/32t"};
    return items;
}

const QStringList& ArpOctaveItems() {
    static const QStringList items = NumberItems(0, 4);
    return items;
}

const QStringList& ScaleItems() {
    static const QStringList items = {"NORM",  "MAJOR", "MINOR", "PENTA",
                                      "BLUES", "HINDU", "GYPSY", "JAPAN"};
    return items;
}

const QStringList& VelocityItems() {
    static const QStringList items = {"NORM", "HEAVY", "SOFT"};
    return items;
}

const QStringList& ReverbItems() {
    static const QStringList items = {"OFF", "ON"};
    return items;
}

const QStringList& TransposeItems() {
    static const QStringList items = NumberItems(-12, 12);
    return items;
}

const QStringList& KeyChannelItems() {
    static const QStringList items = NumberItems(0, 15);
    return items;
}
