#include "midi/Midi.h"

#include "midi/MidiDispatch.h"
#include "midi/MidiError.h"
#include "midi/SysExHexText.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <string>

namespace {

std::string ConnectionErrorText(const char* className, std::int32_t index) {
    char text[160];
    std::snprintf(text, sizeof text, "%s: 请检查USB设备是否正常连接! (%d)", className, index);
    return text;
}

} // namespace

TMidiDevices::TMidiDevices(MidiService& service, MidiDirection direction, const char* className)
    : Service(service), ClassName(className) {
    std::vector<MidiPortInfo> ports;
    CheckResult(Service.ListPorts(direction, ports));
    Ports.reserve(ports.size());
    for (auto& port : ports)
        Ports.push_back(TPortEntry{
            std::move(port.Name), std::move(port.ServiceName), std::move(port.Aliases), {}});
}

std::optional<MidiHandle> TMidiDevices::PortHandle(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= Ports.size())
        throw MidiError(ConnectionErrorText(ClassName, index));
    return Ports[static_cast<std::size_t>(index)].Handle;
}

MidiResult TMidiDevices::QueryOpen(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= Ports.size())
        return MidiResultCode::BadDeviceId;
    const std::optional<MidiHandle>& handle = Ports[static_cast<std::size_t>(index)].Handle;
    const MidiResult code = handle ? Service.QueryOpen(*handle) : MidiResultCode::BadDeviceId;
    return code == MidiResultCode::InvalidHandle ? MidiResultCode::BadDeviceId : code;
}

void TMidiDevices::CheckResult(MidiResult code) const {
    if (code == MidiResultCode::Ok)
        return;
    if (const auto text = Service.ErrorText(code); text && !text->empty())
        throw MidiError(*text);
    // A code the service has no text for is still a failure.
    throw MidiError("MIDI service error " + std::to_string(code));
}

TSysExData::TSysExData() {
    // A delivery never holds more than one buffer, so the stream never grows
    // on the service's thread.
    Stream.Reserve(BufferLength);
}

TMidiInput::TMidiInput(MidiService& service)
    : TMidiDevices(service, MidiDirection::Input, "TMidiInput") {
    Buffers.reserve(Ports.size());
    for (std::size_t i = 0; i < Ports.size(); ++i)
        Buffers.push_back(std::make_unique<TSysExData>());
}

TMidiInput::~TMidiInput() {
    // The service must be done with every buffer before the buffers go.
    CloseOpenPorts();
}

void TMidiInput::OpenPort(std::int32_t index) {
    if (PortHandle(index))
        return;
    auto& entry = Ports[static_cast<std::size_t>(index)];
    auto& data = *Buffers[static_cast<std::size_t>(index)];
    data.Stream.Clear();
    data.BytesRecorded = 0;
    // Queued before the service starts, since it may deliver at once.
    data.State.store(TSysExData::TState::Queued);
    MidiHandle handle = 0;
    const MidiResult result =
        Service.OpenInput(entry.ServiceName, MidiInputTarget{&InputCallback, this, index}, handle);
    if (result != MidiResultCode::Ok) {
        data.State.store(TSysExData::TState::Unqueued);
        CheckResult(result);
    }
    entry.Handle = handle;
}

void TMidiInput::ClosePort(std::int32_t index) {
    const auto handle = PortHandle(index);
    if (!handle)
        return;
    auto& data = *Buffers[static_cast<std::size_t>(index)];
    // From here the buffer is neither filled nor queued again; a delivery
    // already running finishes.
    data.State.store(TSysExData::TState::Closing);
    const MidiResult result = Service.CloseInput(*handle);
    if (result != MidiResultCode::Ok) {
        data.State.store(TSysExData::TState::Queued);
        CheckResult(result);
    }
    data.State.store(TSysExData::TState::Unqueued);
    data.Stream.Clear();
    data.BytesRecorded = 0;
    Ports[static_cast<std::size_t>(index)].Handle.reset();
}

void TMidiInput::CloseOpenPorts() noexcept {
    for (std::size_t i = 0; i < Ports.size(); ++i) {
        if (!Ports[i].Handle)
            continue;
        Buffers[i]->State.store(TSysExData::TState::Closing);
        Service.CloseInput(*Ports[i].Handle);
        Buffers[i]->State.store(TSysExData::TState::Unqueued);
        Ports[i].Handle.reset();
    }
}

void TMidiInput::RequireNoOpenPort() const {
    for (const auto& entry : Ports) {
        if (entry.Handle)
            throw std::logic_error("MIDI handler slots change only while no input port is open");
    }
}

void TMidiInput::SetOnShortMessage(TShortMessageHandler handler) {
    RequireNoOpenPort();
    ShortMessageSlot = std::move(handler);
}

void TMidiInput::SetOnSysExMessage(TSysExMessageHandler handler) {
    RequireNoOpenPort();
    SysExMessageSlot = std::move(handler);
}

bool TMidiInput::IsReceiving(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= Buffers.size())
        return false;
    const auto state = Buffers[static_cast<std::size_t>(index)]->State.load();
    return state == TSysExData::TState::Queued || state == TSysExData::TState::Returned;
}

bool TMidiInput::FillSysExBuffer(std::int32_t index, std::span<const std::uint8_t> bytes) {
    if (index < 0 || static_cast<std::size_t>(index) >= Buffers.size())
        return false;
    auto& data = *Buffers[static_cast<std::size_t>(index)];
    auto expected = TSysExData::TState::Queued;
    if (!data.State.compare_exchange_strong(expected, TSysExData::TState::Returned))
        return false;
    const std::size_t n = std::min(bytes.size(), TSysExData::BufferLength);
    std::copy_n(bytes.begin(), n, data.Buffer.begin());
    data.BytesRecorded = n;
    return true;
}

void TMidiInput::HandleSysExBuffer(std::int32_t index) {
    auto& data = *Buffers.at(static_cast<std::size_t>(index));
    const std::size_t n = data.BytesRecorded;
    if (n == 0)
        return;
    data.Stream.SetPosition(data.Stream.Size());
    data.Stream.Write(std::span(data.Buffer.data(), n));
    data.Stream.SetPosition(0);
    if (SysExMessageSlot) {
        // An error has no caller on this thread; the buffer is queued again all
        // the same, so input does not stall.
        try {
            SysExMessageSlot(index, data.Stream);
        } catch (const std::exception& error) {
            HandlerErrors.Report(error.what());
        } catch (...) {
            HandlerErrors.Report("unknown error in the SysEx handler");
        }
    }
    data.Stream.Clear();
    data.BytesRecorded = 0;
    // Fails when the port is being closed: its buffer is not queued again.
    auto expected = TSysExData::TState::Returned;
    data.State.compare_exchange_strong(expected, TSysExData::TState::Queued);
}

MidiResult TMidiInput::QueryPort(std::int32_t index) const {
    if (index < 0 || static_cast<std::size_t>(index) >= Ports.size())
        return MidiResultCode::BadDeviceId;
    return Service.QueryPort(MidiDirection::Input,
                             Ports[static_cast<std::size_t>(index)].ServiceName);
}

TMidiOutput::TMidiOutput(MidiService& service, const std::atomic<std::int32_t>& deviceCheck)
    : TMidiDevices(service, MidiDirection::Output, "TMidiOutput"), DeviceCheck(deviceCheck) {}

TMidiOutput::~TMidiOutput() {
    CloseOpenPorts();
}

void TMidiOutput::OpenPort(std::int32_t index) {
    if (PortHandle(index))
        return;
    auto& entry = Ports[static_cast<std::size_t>(index)];
    MidiHandle handle = 0;
    CheckResult(Service.OpenOutput(entry.ServiceName, handle));
    entry.Handle = handle;
}

void TMidiOutput::ClosePort(std::int32_t index) {
    // A closed port has no handle, and the service rejects the missing one.
    CheckResult(Service.CloseOutput(PortHandle(index).value_or(0)));
    Ports[static_cast<std::size_t>(index)].Handle.reset();
}

void TMidiOutput::CloseOpenPorts() noexcept {
    for (auto& entry : Ports) {
        if (!entry.Handle)
            continue;
        Service.CloseOutput(*entry.Handle);
        entry.Handle.reset();
    }
}

void TMidiOutput::SendStream(std::int32_t index, TByteStream& stream) {
    stream.SetPosition(0);
    if (DeviceCheck.load() == MidiResultCode::BadDeviceId)
        return;
    try {
        CheckResult(Service.SendLong(PortHandle(index).value_or(0), stream.Bytes()));
    } catch (const std::exception&) {
        // A send never reports a failure and is not retried.
    }
}

void TMidiOutput::SendHexText(std::int32_t index, std::string_view text) {
    TByteStream stream;
    HexTextToStream(text, stream);
    SendStream(index, stream);
}

MidiPorts::MidiPorts(std::unique_ptr<MidiService> service) : Machine(std::move(service)) {}

MidiPorts::~MidiPorts() {
    ReleaseSets();
}

void MidiPorts::ReleaseSets() noexcept {
    // Ports first, while handlers that are still running can reach both
    // sets; afterwards no callback runs.
    if (Input)
        Input->CloseOpenPorts();
    if (Output)
        Output->CloseOpenPorts();
    Input.reset();
    Output.reset();
    LastDeviceCheck.store(0);
}

TMidiInput& MidiPorts::InputPorts() {
    if (!Input)
        Input = std::make_unique<TMidiInput>(*Machine);
    return *Input;
}

TMidiOutput& MidiPorts::OutputPorts() {
    if (!Output)
        Output = std::make_unique<TMidiOutput>(*Machine, LastDeviceCheck);
    return *Output;
}
