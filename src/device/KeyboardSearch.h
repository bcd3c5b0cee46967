#pragma once

#include "device/PortMatcher.h"
#include "device/UsbDeviceQuery.h"
#include "keyboard/Hbx740.h"
#include "midi/Midi.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

// How the keyboard is looked for: on the ports the user chose in MIDI Ports
// (both names given), else by USB and the keyboard's port names; or, for
// hbx740ctl's --port, only on the ports that text names, without the USB test.
struct SearchRule {
    QString ChosenInput;
    QString ChosenOutput;
    QString NamedPorts;
};

// Whether one of the USB identifiers is the keyboard's: it begins with the
// keyboard's prefix, exactly.
std::optional<QString> KeyboardUsbId(const QStringList& ids,
                                     const KeyboardDescription& keyboard = Hbx740);

// Where finding the keyboard got to, step by step: the MIDI service, the USB
// device, the ports, the identity reply. The window's connection tooltip and
// the command line's "detect" say it in the same words.
struct KeyboardSearch {
    Q_DECLARE_TR_FUNCTIONS(KeyboardSearch)

public:
    enum class Step { Service, Usb, Ports, Identity, Found };

    MidiServiceKind Service = MidiServiceKind::None;
    // False when the ports were named by the user (chosen, or --port), who
    // then needs no USB test.
    bool UsbTested = true;
    // The user chose ports that are not listed, so the search ran as without.
    bool ChosenPortsAbsent = false;
    std::optional<QString> UsbDevice;
    KeyboardPorts Ports;
    QStringList InputNames;
    QStringList OutputNames;
    // Whether the keyboard was asked, and its answer.
    bool Asked = false;
    std::optional<QString> Firmware;

    Step StoppedAt() const;
    // One line a step, up to the step where the search stopped.
    QStringList Lines(const KeyboardDescription& keyboard = Hbx740) const;
    // The line of the step where it stopped; empty once found.
    QString Why(const KeyboardDescription& keyboard = Hbx740) const;
};

// The first three steps, as discovery would take them under `rule`, without
// opening a port: over the ports of the sets.
KeyboardSearch SearchKeyboard(MidiPorts& midi, UsbDeviceQuery& usb, const SearchRule& rule = {},
                              const KeyboardDescription& keyboard = Hbx740);
// The same over these port lists.
KeyboardSearch SearchKeyboard(MidiServiceKind service, const std::vector<TPortEntry>& inputs,
                              const std::vector<TPortEntry>& outputs, UsbDeviceQuery& usb,
                              const SearchRule& rule, const KeyboardDescription& keyboard = Hbx740);
