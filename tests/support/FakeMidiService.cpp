#include "FakeMidiService.h"

#include <algorithm>

std::string FakeMidiService::AddInputPort(const std::string& name) {
    return AddPort(MidiDirection::Input, name);
}

std::string FakeMidiService::AddOutputPort(const std::string& name) {
    return AddPort(MidiDirection::Output, name);
}

std::string FakeMidiService::AddPort(MidiDirection direction, const std::string& name) {
    const std::lock_guard lock(Lock);
    const auto count = std::count_if(
        Ports.begin(), Ports.end(), [&](const auto& port) { return port->Direction == direction; });
    auto port = std::make_unique<Port>();
    port->Direction = direction;
    port->Name = name;
    port->ServiceName =
        name + (direction == MidiDirection::Input ? ":in" : ":out") + std::to_string(count);
    if (direction == MidiDirection::Input)
        port->Thread = std::jthread(&FakeMidiService::Deliver, std::ref(*port));
    Ports.push_back(std::move(port));
    return Ports.back()->ServiceName;
}

FakeMidiService::Port* FakeMidiService::FindPort(const std::string& serviceName) const {
    for (const auto& port : Ports) {
        if (port->ServiceName == serviceName)
            return port.get();
    }
    return nullptr;
}

void FakeMidiService::RemovePort(const std::string& serviceName) {
    Port* port = nullptr;
    {
        const std::lock_guard lock(Lock);
        port = FindPort(serviceName);
    }
    if (port != nullptr) {
        const std::lock_guard delivery(port->DeliveryLock);
        port->Present = false;
    }
}

void FakeMidiService::Replug(const std::string& serviceName) {
    Port* port = nullptr;
    {
        const std::lock_guard lock(Lock);
        port = FindPort(serviceName);
        if (port == nullptr)
            return;
        ++port->Generation;
    }
    const std::lock_guard delivery(port->DeliveryLock);
    port->Open = false;
}

void FakeMidiService::Inject(const std::string& serviceName, std::vector<std::uint8_t> message) {
    Port* port = nullptr;
    {
        const std::lock_guard lock(Lock);
        port = FindPort(serviceName);
    }
    if (port == nullptr || port->Direction != MidiDirection::Input)
        return;
    {
        const std::lock_guard queue(port->QueueLock);
        port->Queue.push_back(std::move(message));
    }
    port->QueueChanged.notify_all();
}

FakeMidiService::Port::~Port() {
    {
        const std::lock_guard queue(QueueLock);
        Stopping = true;
    }
    QueueChanged.notify_all();
}

void FakeMidiService::Deliver(Port& port) {
    for (;;) {
        std::vector<std::uint8_t> message;
        {
            std::unique_lock queue(port.QueueLock);
            port.QueueChanged.wait(queue, [&] { return port.Stopping || !port.Queue.empty(); });
            if (port.Stopping)
                return;
            message = std::move(port.Queue.front());
            port.Queue.pop_front();
            port.Busy = true;
        }
        {
            const std::lock_guard delivery(port.DeliveryLock);
            if (port.Open && port.Present)
                port.Target.Callback(port.Target.Context, port.Target.Instance, message);
        }
        {
            const std::lock_guard queue(port.QueueLock);
            port.Busy = false;
        }
        port.QueueChanged.notify_all();
    }
}

void FakeMidiService::WaitUntilDelivered() {
    std::vector<Port*> inputs;
    {
        const std::lock_guard lock(Lock);
        for (const auto& port : Ports) {
            if (port->Direction == MidiDirection::Input)
                inputs.push_back(port.get());
        }
    }
    for (Port* port : inputs) {
        std::unique_lock queue(port->QueueLock);
        port->QueueChanged.wait(queue, [&] { return port->Queue.empty() && !port->Busy; });
    }
}

void FakeMidiService::FailNext(FakeOperation operation, MidiResult code,
                               std::optional<std::string> text) {
    const std::lock_guard lock(Lock);
    Failures[operation] = {code, std::move(text)};
}

void FakeMidiService::SetSendObserver(SendObserver observer) {
    const std::lock_guard lock(Lock);
    Observer = std::move(observer);
}

std::vector<FakeSentMessage> FakeMidiService::Sent() const {
    const std::lock_guard lock(Lock);
    return SentMessages;
}

std::vector<std::string> FakeMidiService::Calls() const {
    const std::lock_guard lock(Lock);
    return CallLog;
}

std::optional<MidiResult> FakeMidiService::TakeFailure(FakeOperation operation) {
    const auto found = Failures.find(operation);
    if (found == Failures.end())
        return std::nullopt;
    const auto [code, text] = found->second;
    Failures.erase(found);
    if (text)
        Texts[code] = *text;
    else
        Texts.erase(code);
    return code;
}

MidiResult FakeMidiService::NotPresent(const std::string& serviceName) {
    Texts[MidiResultCode::BadDeviceId] = "MIDI port \"" + serviceName + "\" is not present";
    return MidiResultCode::BadDeviceId;
}

MidiResult FakeMidiService::ListPorts(MidiDirection direction, std::vector<MidiPortInfo>& ports) {
    const std::lock_guard lock(Lock);
    if (auto failure = TakeFailure(FakeOperation::ListPorts))
        return *failure;
    ports.clear();
    for (const auto& port : Ports) {
        if (port->Direction == direction && port->Present)
            ports.push_back(MidiPortInfo{port->Name, port->ServiceName, {}});
    }
    return MidiResultCode::Ok;
}

MidiResult FakeMidiService::QueryPort(MidiDirection direction, const std::string& serviceName) {
    const std::lock_guard lock(Lock);
    if (auto failure = TakeFailure(FakeOperation::QueryPort))
        return *failure;
    Port* port = FindPort(serviceName);
    if (port == nullptr || port->Direction != direction)
        return NotPresent(serviceName);
    return port->Present ? MidiResultCode::Ok : NotPresent(serviceName);
}

MidiResult FakeMidiService::OpenInput(const std::string& serviceName, const MidiInputTarget& target,
                                      MidiHandle& handle) {
    const std::lock_guard lock(Lock);
    CallLog.push_back("OpenInput " + serviceName);
    if (auto failure = TakeFailure(FakeOperation::OpenInput))
        return *failure;
    Port* port = FindPort(serviceName);
    if (port == nullptr || port->Direction != MidiDirection::Input)
        return NotPresent(serviceName);
    {
        const std::lock_guard delivery(port->DeliveryLock);
        if (!port->Present)
            return NotPresent(serviceName);
        port->Target = target;
        port->Open = true;
    }
    handle = NextHandle++;
    Handles[handle] = {port, port->Generation};
    return MidiResultCode::Ok;
}

MidiResult FakeMidiService::QueryOpen(MidiHandle handle) {
    const std::lock_guard lock(Lock);
    const auto found = Handles.find(handle);
    if (found == Handles.end())
        return MidiResultCode::InvalidHandle;
    const Opened& opened = found->second;
    return opened.Of->Present && opened.Generation == opened.Of->Generation
               ? MidiResultCode::Ok
               : NotPresent(opened.Of->ServiceName);
}

MidiResult FakeMidiService::CloseInput(MidiHandle handle) {
    Port* port = nullptr;
    bool lost = false;
    {
        const std::lock_guard lock(Lock);
        if (auto failure = TakeFailure(FakeOperation::CloseInput))
            return *failure;
        const auto found = Handles.find(handle);
        if (found == Handles.end() || found->second.Of->Direction != MidiDirection::Input)
            return MidiResultCode::InvalidHandle;
        port = found->second.Of;
        lost = found->second.Generation != port->Generation;
        Handles.erase(found);
        CallLog.push_back("CloseInput " + port->ServiceName);
    }
    // A lost connection leaves the port to whoever opened it since.
    if (lost)
        return MidiResultCode::Ok;
    // Outside the service's lock: this waits for a callback that is running.
    const std::lock_guard delivery(port->DeliveryLock);
    port->Open = false;
    return MidiResultCode::Ok;
}

MidiResult FakeMidiService::OpenOutput(const std::string& serviceName, MidiHandle& handle) {
    const std::lock_guard lock(Lock);
    CallLog.push_back("OpenOutput " + serviceName);
    if (auto failure = TakeFailure(FakeOperation::OpenOutput))
        return *failure;
    Port* port = FindPort(serviceName);
    if (port == nullptr || port->Direction != MidiDirection::Output || !port->Present)
        return NotPresent(serviceName);
    handle = NextHandle++;
    Handles[handle] = {port, port->Generation};
    return MidiResultCode::Ok;
}

MidiResult FakeMidiService::CloseOutput(MidiHandle handle) {
    const std::lock_guard lock(Lock);
    if (auto failure = TakeFailure(FakeOperation::CloseOutput))
        return *failure;
    const auto found = Handles.find(handle);
    if (found == Handles.end() || found->second.Of->Direction != MidiDirection::Output)
        return MidiResultCode::InvalidHandle;
    CallLog.push_back("CloseOutput " + found->second.Of->ServiceName);
    Handles.erase(found);
    return MidiResultCode::Ok;
}

MidiResult FakeMidiService::SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) {
    SendObserver observer;
    std::string portName;
    {
        const std::lock_guard lock(Lock);
        if (auto failure = TakeFailure(FakeOperation::SendLong))
            return *failure;
        const auto found = Handles.find(handle);
        if (found == Handles.end() || found->second.Of->Direction != MidiDirection::Output)
            return MidiResultCode::InvalidHandle;
        portName = found->second.Of->ServiceName;
        CallLog.push_back("SendLong " + portName);
        SentMessages.push_back(FakeSentMessage{portName, {bytes.begin(), bytes.end()}});
        observer = Observer;
    }
    if (observer)
        observer(portName, bytes);
    return MidiResultCode::Ok;
}

std::optional<std::string> FakeMidiService::ErrorText(MidiResult code) {
    const std::lock_guard lock(Lock);
    if (const auto found = Texts.find(code); found != Texts.end())
        return found->second;
    if (code == MidiResultCode::InvalidHandle)
        return "The MIDI port is not open";
    return std::nullopt;
}
