#include "device/KeyboardSearch.h"

namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString UsbIds(const KeyboardDescription& keyboard) {
    return QStringLiteral("%1:%2")
        .arg(keyboard.UsbVendor, 4, 16, QChar(u'0'))
        .arg(keyboard.UsbProduct, 4, 16, QChar(u'0'));
}

// The names the lists show, for the search's lines.
void NameThePorts(KeyboardSearch& search, const std::vector<TPortEntry>& inputs,
                  const std::vector<TPortEntry>& outputs) {
    for (const TPortEntry& port : inputs)
        search.InputNames << QString::fromStdString(port.Name);
    for (const TPortEntry& port : outputs)
        search.OutputNames << QString::fromStdString(port.Name);
}

QString Listed(const std::vector<int>& indices, const QStringList& names, const QString& kind) {
    QStringList parts;
    for (int index : indices)
        //: "output" or "input", the port's number and its name.
        parts << KeyboardSearch::tr("%1 %2 \"%3\"")
                     .arg(kind, QString::number(index), names.value(index));
    return parts.join(QStringLiteral(", "));
}

} // namespace

std::optional<QString> KeyboardUsbId(const QStringList& ids, const KeyboardDescription& keyboard) {
    const QString prefix = Text(keyboard.UsbIdPrefix);
    for (const QString& id : ids) {
        if (id.startsWith(prefix, Qt::CaseSensitive))
            return id;
    }
    return std::nullopt;
}

KeyboardSearch SearchKeyboard(MidiPorts& midi, UsbDeviceQuery& usb, const SearchRule& rule,
                              const KeyboardDescription& keyboard) {
    const MidiServiceKind service = midi.Service().Kind();
    if (service == MidiServiceKind::None)
        return {};
    return SearchKeyboard(service, midi.InputPorts().PortNames(), midi.OutputPorts().PortNames(),
                          usb, rule, keyboard);
}

KeyboardSearch SearchKeyboard(MidiServiceKind service, const std::vector<TPortEntry>& inputs,
                              const std::vector<TPortEntry>& outputs, UsbDeviceQuery& usb,
                              const SearchRule& rule, const KeyboardDescription& keyboard) {
    KeyboardSearch search;
    search.Service = service;
    if (service == MidiServiceKind::None)
        return search;
    NameThePorts(search, inputs, outputs);
    if (!rule.NamedPorts.isEmpty()) {
        const std::string named = rule.NamedPorts.toStdString();
        search.UsbTested = false;
        search.Ports = MatchPorts(inputs, outputs, {named, named, {}, true});
        return search;
    }
    if (!rule.ChosenInput.isEmpty() && !rule.ChosenOutput.isEmpty()) {
        search.Ports = MatchPorts(
            inputs, outputs,
            {rule.ChosenInput.toStdString(), rule.ChosenOutput.toStdString(), {}, false});
        if (!search.Ports.Outputs.empty() && !search.Ports.Inputs.empty()) {
            search.UsbTested = false;
            return search;
        }
        search.ChosenPortsAbsent = true;
    }
    search.UsbDevice = KeyboardUsbId(usb.DeviceIds(), keyboard);
    const std::string name(keyboard.PortName);
    search.Ports = MatchPorts(inputs, outputs, {name, name, std::string(keyboard.PortPrefix)});
    return search;
}

KeyboardSearch::Step KeyboardSearch::StoppedAt() const {
    if (Service == MidiServiceKind::None)
        return Step::Service;
    if (UsbTested && !UsbDevice)
        return Step::Usb;
    if (Ports.Outputs.empty())
        return Step::Ports;
    if (!Firmware)
        return Step::Identity;
    return Step::Found;
}

QStringList KeyboardSearch::Lines(const KeyboardDescription& keyboard) const {
    QStringList lines;
    const Step stopped = StoppedAt();
    switch (Service) {
    case MidiServiceKind::None:
        lines << tr("MIDI service: none (no ALSA sequencer, no JACK server)");
        return lines;
    case MidiServiceKind::AlsaSequencer:
        lines << tr("MIDI service: ALSA sequencer");
        break;
    case MidiServiceKind::Jack:
        lines << tr("MIDI service: JACK");
        break;
    case MidiServiceKind::WinMm:
        lines << tr("MIDI service: Windows multimedia");
        break;
    case MidiServiceKind::Other:
        lines << tr("MIDI service: other");
        break;
    }
    const QString model = Text(keyboard.Model);
    if (ChosenPortsAbsent)
        lines << tr("Chosen ports: not listed, so the keyboard is searched for");
    if (!UsbTested)
        lines << tr("USB: not looked at (the ports were named)");
    else if (UsbDevice)
        lines << tr("USB: %1 found (%2, %3)").arg(model, UsbIds(keyboard), *UsbDevice);
    else
        lines << tr("USB: the %1 (%2) is not on USB").arg(model, UsbIds(keyboard));
    if (stopped == Step::Usb)
        return lines;

    if (Ports.Outputs.empty()) {
        lines << tr("Ports: on USB, but no MIDI port is named \"%1\" or begins with \"%2\"")
                     .arg(Text(keyboard.PortName), Text(keyboard.PortPrefix));
        return lines;
    }
    const QString how = !UsbTested ? tr("as named")
                        : Ports.Match == NamePortMatch
                            ? tr("by the name \"%1\"").arg(Text(keyboard.PortName))
                            : tr("by the prefix \"%1\"").arg(Text(keyboard.PortPrefix));
    QStringList found;
    found << Listed(Ports.Outputs, OutputNames, tr("output"));
    if (!Ports.Inputs.empty())
        found << Listed(Ports.Inputs, InputNames, tr("input"));
    lines << tr("Ports: %1 (%2)").arg(found.join(QStringLiteral(", ")), how);

    if (Firmware)
        lines << tr("Identity: firmware %1").arg(*Firmware);
    else if (Asked)
        lines << tr("Identity: the ports are there, but the keyboard does not answer");
    return lines;
}

QString KeyboardSearch::Why(const KeyboardDescription& keyboard) const {
    if (StoppedAt() == Step::Found)
        return {};
    const QStringList lines = Lines(keyboard);
    return lines.isEmpty() ? QString() : lines.constLast();
}
