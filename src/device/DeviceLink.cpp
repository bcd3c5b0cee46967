#include "device/DeviceLink.h"

#include <QTimer>
#include <algorithm>
#include <stdexcept>

namespace {

bool HasFlag(int index) {
    return index >= 0 && index < DeviceLink::FlaggedPortCount;
}

std::vector<TPortEntry> ListedNow(MidiService& service, MidiDirection direction) {
    std::vector<MidiPortInfo> listed;
    std::vector<TPortEntry> ports;
    if (service.ListPorts(direction, listed) != MidiResultCode::Ok)
        return ports;
    ports.reserve(listed.size());
    for (MidiPortInfo& port : listed)
        ports.push_back(TPortEntry{
            std::move(port.Name), std::move(port.ServiceName), std::move(port.Aliases), {}});
    return ports;
}

} // namespace

DeviceLink::DeviceLink(MidiPorts& midi, UsbDeviceQuery& usb, QObject* parent,
                       const KeyboardDescription& keyboard)
    : QObject(parent), Midi(midi), Usb(usb), Description(keyboard) {
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer3->setInterval(300);
    connect(Timer3, &QTimer::timeout, this, [this] { Guarded([this] { Timer3Timer(); }); });
    TimerCheckUSB = new QTimer(this);
    TimerCheckUSB->setObjectName(QStringLiteral("TimerCheckUSB"));
    TimerCheckUSB->setInterval(1000);
    connect(TimerCheckUSB, &QTimer::timeout, this,
            [this] { Guarded([this] { TimerCheckUSBTimer(); }); });
    TimerCheckUSB->start();
    TimerFind = new QTimer(this);
    TimerFind->setObjectName(QStringLiteral("TimerFind"));
    TimerFind->setInterval(1000);
    connect(TimerFind, &QTimer::timeout, this, [this] { TimerFindTimer(); });
}

DeviceLink::~DeviceLink() {
    // Ports left open (a disconnected keyboard) would go on calling the
    // handlers of a link that is gone.
    if (TMidiInput* inputs = Midi.ExistingInputPorts())
        inputs->CloseOpenPorts();
}

template <class Work> void DeviceLink::Guarded(Work&& work) {
    try {
        work();
    } catch (const std::exception& error) {
        emit ErrorRaised(QString::fromUtf8(error.what()));
    }
}

void DeviceLink::SetShortMessageHandler(TMidiInput::TShortMessageHandler handler) {
    ShortMessages = std::move(handler);
}

void DeviceLink::SetSysExObserver(SysExObserver observer) {
    SysExSeen = std::move(observer);
}

void DeviceLink::InstallHandlers() {
    if (!SysExLock)
        throw std::logic_error("the SysEx lock is made before the ports open (CreateSysExLock)");
    TMidiInput& inputs = Midi.InputPorts();
    inputs.SetOnShortMessage(ShortMessages);
    inputs.SetOnSysExMessage([this](std::int32_t port, TByteStream& stream) {
        const std::lock_guard hold(*SysExLock);
        SysExDataIn(port, stream);
    });
}

void DeviceLink::BindPorts(const std::vector<int>& inputs, int output) {
    InstallHandlers();
    PortMatchKindValue = NamePortMatch;
    DevicePortValue = output;
    OpenOutput(output);
    for (int index : inputs)
        OpenInput(index);
    SendIdentityRequest(output);
    Timer3->start();
    emit DevicePortShown(output);
}

void DeviceLink::CreateSysExLock() {
    SysExLock = std::make_unique<std::mutex>();
}

void DeviceLink::SetPortChoice(const QString& input, const QString& output) {
    Rule.ChosenInput = input;
    Rule.ChosenOutput = output;
}

void DeviceLink::SetNamedPorts(const QString& text) {
    Rule.NamedPorts = text;
}

void DeviceLink::ExpectWriteAcknowledgement() {
    WriteAcknowledgedFlag = 0;
    AcknowledgementAwaited = true;
}

void DeviceLink::ExpectDumpReply() {
    DumpReceivedFlag = 0;
    DumpAwaited = true;
}

void DeviceLink::EndAcknowledgementWait() {
    AcknowledgementAwaited = false;
    WriteAcknowledgedFlag = 0;
}

void DeviceLink::EndDumpWait() {
    DumpAwaited = false;
    DumpReceivedFlag = 0;
}

void DeviceLink::ChangePortChoice(const QString& input, const QString& output) {
    SetPortChoice(input, output);
    // "Connect" stood for the old ports; the new ones earn it with their answer.
    emit ConnectionShown(false);
    Rediscover();
}

QStringList DeviceLink::PresentPortNames(MidiDirection direction) {
    QStringList names;
    for (const TPortEntry& port : ListedNow(Midi.Service(), direction))
        names << QString::fromStdString(port.Name);
    return names;
}

void DeviceLink::DiscoverDevice() {
    TMidiInput& inputs = Midi.InputPorts();
    TMidiOutput& outputs = Midi.OutputPorts();
    // Chosen ports count only with an input among them, so no input means no
    // keyboard either way.
    if (inputs.PortNames().empty()) {
        CloseState();
        // Nothing asked the USB bus yet; the look says why in a second.
        TimerFind->start();
        return;
    }
    Found = SearchKeyboard(Midi.Service().Kind(), inputs.PortNames(), outputs.PortNames(), Usb,
                           Rule, Description);
    if (!Found.UsbTested) {
        // Named ports bind only with both sides: an input alone could never
        // be asked.
        if (Found.Ports.Outputs.empty() || Found.Ports.Inputs.empty())
            CloseState();
        else
            BindPorts(Found.Ports.Inputs, Found.Ports.Outputs.front());
        FollowSearch();
        return;
    }

    KeyboardOnUsbFlag = Found.UsbDevice ? 1 : 0;
    if (KeyboardOnUsbFlag == 0) {
        CloseState();
        FollowSearch();
        return;
    }

    InstallHandlers();

    // The ports open in discovery's order: the outputs, then the inputs.
    const KeyboardPorts& ports = Found.Ports;
    PortMatchKindValue = NoPortMatch;
    UsbPortCountValue = 0;
    for (int index : ports.Outputs) {
        DevicePortValue = index;
        if (ports.Match == UsbPortMatch)
            ++UsbPortCountValue;
        PortMatchKindValue = ports.Match;
        OpenOutput(index);
    }
    for (int index : ports.Inputs) {
        // Replies may arrive as soon as the port is open; they need to know
        // how the ports were matched.
        PortMatchKindValue = ports.Match;
        OpenInput(index);
    }

    if (UsbPortCountValue > 0) {
        for (int i = 0; i <= 5; ++i) {
            if (OutputPortOpened[static_cast<std::size_t>(i)] == 1) {
                SendIdentityRequest(i);
                IdentityTargets.push_back(i);
            }
        }
        Timer3->start();
    } else if (PortMatchKindValue == NamePortMatch) {
        SendIdentityRequest(DevicePortValue);
        Timer3->start();
    }
    emit DevicePortShown(DevicePortValue);
    FollowSearch();
}

void DeviceLink::TimerFindTimer() {
    try {
        MidiService& service = Midi.Service();
        const MidiServiceKind kind = service.Kind();
        KeyboardSearch look =
            SearchKeyboard(kind, ListedNow(service, MidiDirection::Input),
                           ListedNow(service, MidiDirection::Output), Usb, Rule, Description);
        // Both of its sides: a keyboard whose input is not listed would be
        // found gone by the connection check at once.
        if (look.StoppedAt() != KeyboardSearch::Step::Identity || look.Ports.Inputs.empty()) {
            Found = std::move(look);
            FollowSearch();
            return;
        }
        Rediscover();
        LastLookError.clear();
    } catch (const std::exception& error) {
        const QString text = QString::fromUtf8(error.what());
        if (text != LastLookError)
            emit ErrorRaised(text);
        LastLookError = text;
    }
}

// The ports as they are listed now, none of them open, and discovery on them
// as at start-up.
void DeviceLink::Rediscover() {
    Timer3->stop();
    Midi.ReleaseSets();
    ResetState();
    emit PortsRelisted();
    DiscoverDevice();
    TimerCheckUSB->start();
}

void DeviceLink::ResetState() {
    DevicePortValue = 0;
    DeviceDisconnectedFlag = 0;
    WriteAcknowledgedFlag = 0;
    DumpReceivedFlag = 0;
    AcknowledgementAwaited = false;
    DumpAwaited = false;
    PortMatchKindValue = NoPortMatch;
    SysExSourcePort = 0;
    KeyboardOnUsbFlag = 0;
    UsbPortCountValue = 0;
    IdentityTicksValue = 0;
    OutputPortOpened.fill(0);
    InputPortOpened.fill(0);
    OpenedInputs.clear();
    OpenedOutputs.clear();
    IdentityTargets.clear();
    if (SysExLock) {
        const std::lock_guard hold(*SysExLock);
        ReceivedSysEx = TReceivedSysEx();
    }
}

void DeviceLink::FollowSearch() {
    const QStringList lines = Found.Lines(Description);
    if (lines != ShownSearch) {
        ShownSearch = lines;
        emit SearchChanged(lines);
    }
    if (Bound() && DeviceDisconnectedFlag == 0)
        TimerFind->stop();
    else if (!TimerFind->isActive())
        TimerFind->start();
}

void DeviceLink::OpenOutput(int index) {
    if (HasFlag(index))
        OutputPortOpened[static_cast<std::size_t>(index)] = 1;
    Midi.OutputPorts().OpenPort(index);
    OpenedOutputs.push_back(index);
    emit OutputPortTicked(index);
}

void DeviceLink::OpenInput(int index) {
    Midi.InputPorts().OpenPort(index);
    if (HasFlag(index))
        InputPortOpened[static_cast<std::size_t>(index)] = 1;
    OpenedInputs.push_back(index);
    emit InputPortTicked(index);
}

void DeviceLink::SendIdentityRequest(int index) {
    Midi.OutputPorts().SendHexText(index, IdentityRequest);
}

void DeviceLink::SendToDevice(std::string_view text) {
    Midi.OutputPorts().SendHexText(DevicePortValue, text);
}

void DeviceLink::CloseState() {
    emit ConnectionShown(false);
    DeviceDisconnectedFlag = 1;
}

void DeviceLink::SysExDataIn(std::int32_t port, const TByteStream& stream) {
    SysExSourcePort = port;
    ReceivedSysEx.Assign(stream.Bytes());
    if (IsKeyboardIdentity(ReceivedSysEx, Description)) {
        if (PortMatchKindValue == UsbPortMatch)
            RebindDevicePort(port);
        if (IsIdentityReply(ReceivedSysEx, Description))
            emit IdentityReceived(FirmwareVersion(ReceivedSysEx, QLocale::c()));
    }
    if (IsWriteAcknowledgement(ReceivedSysEx, Description) &&
        AcknowledgementAwaited.exchange(false)) {
        WriteAcknowledgedFlag = 1;
        emit WriteAcknowledgementReceived();
    }
    if (IsDumpReply(ReceivedSysEx, Description) && DumpAwaited.exchange(false))
        emit DumpReplyReceived(DumpReplyBytes(ReceivedSysEx, Description));
    if (SysExSeen)
        SysExSeen(port, stream.Bytes());
}

// The keyboard answered on an input port: its output port is the one of the
// same name. The names come from the port sets, never from the window.
void DeviceLink::RebindDevicePort(std::int32_t inputPort) {
    const auto& inputNames = Midi.InputPorts().PortNames();
    if (inputPort < 0 || inputPort >= static_cast<std::int32_t>(inputNames.size()))
        return;
    const std::string& name = inputNames[static_cast<std::size_t>(inputPort)].Name;
    const auto& outputNames = Midi.OutputPorts().PortNames();
    for (int i = 0; i < static_cast<int>(outputNames.size()); ++i) {
        if (outputNames[static_cast<std::size_t>(i)].Name == name)
            DevicePortValue = i;
    }
}

// With several ports matched by prefix, the retries take turns over the ports
// that got the first request (or, when none could, over all matched ports),
// so that neither a port of another device nor a keyboard listed late is
// passed over.
void DeviceLink::RepeatIdentityRequest() {
    if (UsbPortCountValue > 1) {
        const std::vector<int>& targets = IdentityTargets.empty() ? OpenedOutputs : IdentityTargets;
        SendIdentityRequest(targets[static_cast<std::size_t>(IdentityTicksValue) % targets.size()]);
    } else if (UsbPortCountValue == 1 || PortMatchKindValue == NamePortMatch) {
        SendIdentityRequest(DevicePortValue);
    }
}

void DeviceLink::Timer3Timer() {
    RepeatIdentityRequest();

    QString firmware;
    QString version;
    {
        const std::lock_guard hold(*SysExLock);
        if (IsIdentityReply(ReceivedSysEx, Description)) {
            firmware = FirmwareText(ReceivedSysEx);
            version = FirmwareVersion(ReceivedSysEx, QLocale::c());
            ReceivedSysEx.ClearEntry(1);
        }
    }
    if (!firmware.isEmpty()) {
        emit FirmwareShown(firmware);
        Timer3->stop();
        emit ConnectionShown(true);
        Found.Firmware = version;
        FollowSearch();
    }

    ++IdentityTicksValue;
    if (IdentityTicksValue > 6 && Timer3->isActive()) {
        Timer3->stop();
        Found.Asked = true;
        FollowSearch();
    }
}

// The keyboard has gone when every input port bound to it has lost its
// connection, or the port everything is sent to has: it went away, even if a
// port of its name came back at once (a quick re-plug, a restarted server),
// since those ports are not the ones held. Before any input was bound, input
// port 0 stands for it.
MidiResult DeviceLink::CheckKeyboardPorts(const TMidiInput& inputs) {
    if (OpenedInputs.empty())
        return inputs.QueryPort(0);
    const bool sendsToHeldPort = std::find(OpenedOutputs.begin(), OpenedOutputs.end(),
                                           DevicePortValue.load()) != OpenedOutputs.end();
    if (sendsToHeldPort &&
        Midi.OutputPorts().QueryOpen(DevicePortValue) == MidiResultCode::BadDeviceId)
        return MidiResultCode::BadDeviceId;
    for (int index : OpenedInputs) {
        if (inputs.QueryOpen(index) != MidiResultCode::BadDeviceId)
            return MidiResultCode::Ok;
    }
    return MidiResultCode::BadDeviceId;
}

void DeviceLink::TimerCheckUSBTimer() {
    // Until start-up has listed the ports there is no input port 0 to watch.
    const TMidiInput* inputs = Midi.ExistingInputPorts();
    if (!inputs)
        return;
    const MidiResult code = CheckKeyboardPorts(*inputs);
    Midi.LastDeviceCheck = code;
    if (code == MidiResultCode::BadDeviceId && DeviceDisconnectedFlag == 0) {
        emit FirmwareShown(QString());
        emit ConnectionShown(false);
        DeviceDisconnectedFlag = 1;
        TimerCheckUSB->stop();
        FollowSearch();
    }
}

void DeviceLink::FormDestroy() {
    if (DeviceDisconnectedFlag != 0)
        return;
    for (int i = 0; i <= 6; ++i) {
        if (InputPortOpened[static_cast<std::size_t>(i)] == 1)
            Midi.InputPorts().ClosePort(i);
        if (OutputPortOpened[static_cast<std::size_t>(i)] == 1)
            Midi.OutputPorts().ClosePort(i);
    }
}
