#include "model/Vocabulary.h"

namespace {

QStringList NumberItems(int from, int to) {
    QStringList items;
    for (int n = from; n <= to; ++n)
        items << QString::number(n);
    return items;
}

} // namespace

const QStringList& MessageTypeItems(int control) {
    // Marked for the window, which shows them translated; stored and
    // compared as they stand.
    static const QStringList encoder = {QT_TRANSLATE_NOOP("Vocabulary", "NOTE"),
                                        QT_TRANSLATE_NOOP("Vocabulary", "PC"),
                                        QT_TRANSLATE_NOOP("Vocabulary", "PITCH BEND"),
                                        QT_TRANSLATE_NOOP("Vocabulary", "AFTER TOUCH"),
                                        QT_TRANSLATE_NOOP("Vocabulary", "CC(Relative)"),
                                        QT_TRANSLATE_NOOP("Vocabulary", "CC(Absolute)")};
    static const QStringList others = {
        QT_TRANSLATE_NOOP("Vocabulary", "NOTE"), QT_TRANSLATE_NOOP("Vocabulary", "PC"),
        QT_TRANSLATE_NOOP("Vocabulary", "PITCH BEND"),
        QT_TRANSLATE_NOOP("Vocabulary", "AFTER TOUCH"), QT_TRANSLATE_NOOP("Vocabulary", "CC")};
    return HighestDataType(control) == encoder.size() - 1 ? encoder : others;
}

int HighestDataType(int control) {
    return Hbx740.Controls[static_cast<std::size_t>(control - 1)].MessageTypes - 1;
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
