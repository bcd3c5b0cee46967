#pragma once

#include "device/UsbDeviceQuery.h"
#include "keyboard/Hbx740.h"
#include "midi/Midi.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

enum PortMatch : std::int32_t { NoPortMatch, NamePortMatch, UsbPortMatch };

// The keyboard's ports among the port sets: the first output named exactly as
// the keyboard and every input of that name; or, when there is none, every
// output and input whose name begins with the keyboard's prefix.
struct KeyboardPorts {
    PortMatch Match = NoPortMatch;
    std::vector<int> Outputs;
    std::vector<int> Inputs;
};

KeyboardPorts MatchKeyboardPorts(const std::vector<TPortEntry>& inputs,
                                 const std::vector<TPortEntry>& outputs,
                                 const KeyboardDescription& keyboard = Hbx740);

// The ports the user chose, by the names the device lists show: the first
// output named `output` and every input named `input`, matched as by name;
// nothing unless both names are listed.
KeyboardPorts ChosenKeyboardPorts(const std::vector<TPortEntry>& inputs,
                                  const std::vector<TPortEntry>& outputs, const QString& input,
                                  const QString& output);

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
    // False when the ports were named by the user, who then needs no USB test.
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

// The first three steps, as discovery would take them, without opening a port:
// over the ports of the sets.
KeyboardSearch SearchKeyboard(MidiPorts& midi, UsbDeviceQuery& usb,
                              const KeyboardDescription& keyboard = Hbx740);
// The same over these port lists, first by the ports the user chose (both
// names given), when both are listed.
KeyboardSearch SearchKeyboard(MidiServiceKind service, const std::vector<TPortEntry>& inputs,
                              const std::vector<TPortEntry>& outputs, UsbDeviceQuery& usb,
                              const QString& chosenInput, const QString& chosenOutput,
                              const KeyboardDescription& keyboard = Hbx740);
// The ports of the sets whose full service names contain `part`, taken as
// named by the user: no USB test, no name or prefix rule.
KeyboardSearch SearchNamedPorts(MidiPorts& midi, const QString& part);
