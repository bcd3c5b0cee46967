#include "DeviceLink.h"

namespace {

const QString KeyboardUsbId = QStringLiteral("USB\\VID_5D2E&PID_9A47");
constexpr std::string_view KeyboardPortName = "HBX740";
constexpr std::string_view UsbPortPrefix = "USB";

bool HasFlag(int index) {
    return index >= 0 && index < DeviceLink::FlaggedPortCount;
}

} // namespace

DeviceLink::DeviceLink(ConnectionView& view, Handlers handlers)
    : View(view), InputHandlers(std::move(handlers)) {}

void DeviceLink::DiscoverDevice(UsbDeviceQuery& usb) {
    TMidiInput& inputs = InputPorts();
    TMidiOutput& outputs = OutputPorts();
    if (inputs.PortNames().empty()) {
        CloseState();
        return;
    }

    KeyboardOnUsb = 0;
    for (const QString& id : usb.DeviceIds()) {
        if (id.size() >= KeyboardUsbId.size() && id.left(KeyboardUsbId.size()) == KeyboardUsbId)
            KeyboardOnUsb = 1;
    }
    if (KeyboardOnUsb == 0) {
        CloseState();
        return;
    }

    inputs.SetOnShortMessage(InputHandlers.ShortMessage);
    inputs.SetOnSysExMessage(InputHandlers.SysEx);

    PortMatchKind = NoPortMatch;
    const auto& outputNames = outputs.PortNames();
    for (int i = 0; i < static_cast<int>(outputNames.size()); ++i) {
        if (outputNames[static_cast<std::size_t>(i)].Name == KeyboardPortName) {
            DevicePort = i;
            PortMatchKind = NamePortMatch;
            OpenOutput(i);
            break;
        }
    }

    UsbPortCount = 0;
    const auto& inputNames = inputs.PortNames();
    if (PortMatchKind == NoPortMatch) {
        for (int i = 0; i < static_cast<int>(outputNames.size()); ++i) {
            if (outputNames[static_cast<std::size_t>(i)].Name.starts_with(UsbPortPrefix)) {
                DevicePort = i;
                ++UsbPortCount;
                OpenOutput(i);
                PortMatchKind = UsbPortMatch;
            }
        }
        for (int i = 0; i < static_cast<int>(inputNames.size()); ++i) {
            if (inputNames[static_cast<std::size_t>(i)].Name.starts_with(UsbPortPrefix)) {
                // Replies may arrive as soon as the port is open; they need to
                // know the ports are matched by prefix.
                PortMatchKind = UsbPortMatch;
                OpenInput(i);
            }
        }
    } else {
        for (int i = 0; i < static_cast<int>(inputNames.size()); ++i) {
            if (inputNames[static_cast<std::size_t>(i)].Name == KeyboardPortName)
                OpenInput(i);
        }
    }

    if (UsbPortCount > 0) {
        for (int i = 0; i <= 5; ++i) {
            if (OutputPortOpened[static_cast<std::size_t>(i)] == 1)
                SendIdentityRequest(i);
        }
        View.StartIdentityPoll();
    } else if (PortMatchKind == NamePortMatch) {
        SendIdentityRequest(DevicePort);
        View.StartIdentityPoll();
    }
    View.ShowDevicePort(DevicePort);
}

void DeviceLink::OpenOutput(int index) {
    if (HasFlag(index))
        OutputPortOpened[static_cast<std::size_t>(index)] = 1;
    OutputPorts().OpenPort(index);
    View.TickOutputPort(index);
}

void DeviceLink::OpenInput(int index) {
    InputPorts().OpenPort(index);
    if (HasFlag(index))
        InputPortOpened[static_cast<std::size_t>(index)] = 1;
    View.TickInputPort(index);
}

void DeviceLink::SendIdentityRequest(int index) {
    OutputPorts().SendHexText(index, IdentityRequest);
}

void DeviceLink::CloseState() {
    View.ShowConnection(false);
    DeviceDisconnected = 1;
}

void DeviceLink::SysExDataIn(std::int32_t port, const TByteStream& stream) {
    SysExSourcePort = port;
    ReceivedSysEx.Assign(stream.Bytes());
    if (IsKeyboardIdentity(ReceivedSysEx) && PortMatchKind == UsbPortMatch)
        RebindDevicePort(port);
    if (IsWriteAcknowledgement(ReceivedSysEx))
        WriteAcknowledged = 1;
    if (IsDumpReply(ReceivedSysEx) && InputHandlers.OnDumpReply)
        InputHandlers.OnDumpReply(DumpReplyBytes(ReceivedSysEx));
}

// The keyboard answered on an input port: its output port is the one of the
// same name. The names come from the port sets, never from the window.
void DeviceLink::RebindDevicePort(std::int32_t inputPort) {
    const auto& inputNames = InputPorts().PortNames();
    if (inputPort < 0 || inputPort >= static_cast<std::int32_t>(inputNames.size()))
        return;
    const std::string& name = inputNames[static_cast<std::size_t>(inputPort)].Name;
    const auto& outputNames = OutputPorts().PortNames();
    for (int i = 0; i < static_cast<int>(outputNames.size()); ++i) {
        if (outputNames[static_cast<std::size_t>(i)].Name == name)
            DevicePort = i;
    }
}

void DeviceLink::Timer3Timer(std::mutex& SysExLock) {
    if (UsbPortCount > 1)
        SendIdentityRequest(IdentityTicks % 2 == 1 ? 0 : 1);
    else if (UsbPortCount == 1 || PortMatchKind == NamePortMatch)
        SendIdentityRequest(DevicePort);

    QString firmware;
    {
        const std::lock_guard hold(SysExLock);
        if (IsIdentityReply(ReceivedSysEx)) {
            firmware = FirmwareText(ReceivedSysEx);
            ReceivedSysEx.ClearEntry(1);
        }
    }
    if (!firmware.isEmpty()) {
        View.ShowFirmware(firmware);
        View.StopIdentityPoll();
        View.ShowConnection(true);
    }

    ++IdentityTicks;
    if (IdentityTicks > 6)
        View.StopIdentityPoll();
}

void DeviceLink::TimerCheckUSBTimer() {
    // Until start-up has listed the ports there is no input port 0 to watch.
    const TMidiInput* inputs = ExistingInputPorts();
    if (!inputs)
        return;
    const MidiResult code = inputs->QueryPort(0);
    LastDeviceCheck = code;
    if (code == MidiResultCode::BadDeviceId && DeviceDisconnected == 0) {
        View.ShowFirmware(QString());
        View.ShowConnection(false);
        DeviceDisconnected = 1;
        View.StopConnectionCheck();
    }
}

void DeviceLink::FormDestroy() {
    if (DeviceDisconnected != 0)
        return;
    for (int i = 0; i <= 6; ++i) {
        if (InputPortOpened[static_cast<std::size_t>(i)] == 1)
            InputPorts().ClosePort(i);
        if (OutputPortOpened[static_cast<std::size_t>(i)] == 1)
            OutputPorts().ClosePort(i);
    }
}
