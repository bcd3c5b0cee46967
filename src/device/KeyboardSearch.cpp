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

// The first output named `output` and every input named `input`, as matched
// by name.
KeyboardPorts PortsNamed(const std::vector<TPortEntry>& inputs,
                         const std::vector<TPortEntry>& outputs, const std::string& input,
                         const std::string& output) {
    KeyboardPorts ports;
    ports.Match = NamePortMatch;
    for (int i = 0; i < static_cast<int>(outputs.size()); ++i) {
        if (outputs[static_cast<std::size_t>(i)].Name == output) {
            ports.Outputs.push_back(i);
            break;
        }
    }
    for (int i = 0; i < static_cast<int>(inputs.size()); ++i) {
        if (inputs[static_cast<std::size_t>(i)].Name == input)
            ports.Inputs.push_back(i);
    }
    return ports;
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
        parts << QStringLiteral("%1 %2 \"%3\"").arg(kind).arg(index).arg(names.value(index));
    return parts.join(QStringLiteral(", "));
}

} // namespace

KeyboardPorts MatchKeyboardPorts(const std::vector<TPortEntry>& inputs,
                                 const std::vector<TPortEntry>& outputs,
                                 const KeyboardDescription& keyboard) {
    const std::string name(keyboard.PortName);
    if (KeyboardPorts named = PortsNamed(inputs, outputs, name, name); !named.Outputs.empty())
        return named;
    KeyboardPorts ports;
    const auto byPrefix = [&](const std::vector<TPortEntry>& list, std::vector<int>& found) {
        for (int i = 0; i < static_cast<int>(list.size()); ++i) {
            if (list[static_cast<std::size_t>(i)].Name.starts_with(keyboard.PortPrefix))
                found.push_back(i);
        }
    };
    byPrefix(outputs, ports.Outputs);
    byPrefix(inputs, ports.Inputs);
    if (!ports.Outputs.empty() || !ports.Inputs.empty())
        ports.Match = UsbPortMatch;
    return ports;
}

KeyboardPorts ChosenKeyboardPorts(const std::vector<TPortEntry>& inputs,
                                  const std::vector<TPortEntry>& outputs, const QString& input,
                                  const QString& output) {
    KeyboardPorts ports = PortsNamed(inputs, outputs, input.toStdString(), output.toStdString());
    if (ports.Outputs.empty() || ports.Inputs.empty())
        return {};
    return ports;
}

std::optional<QString> KeyboardUsbId(const QStringList& ids, const KeyboardDescription& keyboard) {
    const QString prefix = Text(keyboard.UsbIdPrefix);
    for (const QString& id : ids) {
        if (id.startsWith(prefix, Qt::CaseSensitive))
            return id;
    }
    return std::nullopt;
}

KeyboardSearch SearchKeyboard(MidiPorts& midi, UsbDeviceQuery& usb,
                              const KeyboardDescription& keyboard) {
    const MidiServiceKind service = midi.Service().Kind();
    if (service == MidiServiceKind::None)
        return {};
    return SearchKeyboard(service, midi.InputPorts().PortNames(), midi.OutputPorts().PortNames(),
                          usb, {}, {}, keyboard);
}

KeyboardSearch SearchKeyboard(MidiServiceKind service, const std::vector<TPortEntry>& inputs,
                              const std::vector<TPortEntry>& outputs, UsbDeviceQuery& usb,
                              const QString& chosenInput, const QString& chosenOutput,
                              const KeyboardDescription& keyboard) {
    KeyboardSearch search;
    search.Service = service;
    if (service == MidiServiceKind::None)
        return search;
    NameThePorts(search, inputs, outputs);
    if (!chosenInput.isEmpty() && !chosenOutput.isEmpty()) {
        search.Ports = ChosenKeyboardPorts(inputs, outputs, chosenInput, chosenOutput);
        if (search.Ports.Match != NoPortMatch) {
            search.UsbTested = false;
            return search;
        }
        search.ChosenPortsAbsent = true;
    }
    search.UsbDevice = KeyboardUsbId(usb.DeviceIds(), keyboard);
    search.Ports = MatchKeyboardPorts(inputs, outputs, keyboard);
    return search;
}

KeyboardSearch SearchNamedPorts(MidiPorts& midi, const QString& part) {
    KeyboardSearch search;
    search.Service = midi.Service().Kind();
    search.UsbTested = false;
    if (search.Service == MidiServiceKind::None)
        return search;
    const auto& inputs = midi.InputPorts().PortNames();
    const auto& outputs = midi.OutputPorts().PortNames();
    NameThePorts(search, inputs, outputs);
    const auto named = [&](const std::vector<TPortEntry>& ports) {
        std::vector<int> indices;
        for (int i = 0; i < static_cast<int>(ports.size()); ++i) {
            if (QString::fromStdString(ports[static_cast<std::size_t>(i)].ServiceName)
                    .contains(part))
                indices.push_back(i);
        }
        return indices;
    };
    search.Ports = {NamePortMatch, named(outputs), named(inputs)};
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
