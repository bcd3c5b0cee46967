#include "midi/JackMidiService.h"

#include "midi/JackServerProbe.h"
#include "midi/MessageRing.h"
#include "midi/MidiInputRelay.h"
#include "midi/MidiMessages.h"
#include "midi/ServiceFailure.h"

#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <map>
#include <thread>

namespace {

// Ports the editor can hold open at once, each way. The process callback
// walks fixed slots, so opening a port never changes what it walks.
constexpr std::size_t SlotCount = 64;
constexpr std::size_t OutputRingSize = std::size_t{1} << 16;

struct InputSlot {
    // Read by the process callback; set only once the slot is ready.
    std::atomic<jack_port_t*> Port{nullptr};
    MidiInputRelay::Source* Source = nullptr;
};

struct OutputSlot {
    std::atomic<jack_port_t*> Port{nullptr};
    std::unique_ptr<MessageRing> Ring;
};

struct Opened {
    MidiDirection Direction;
    std::size_t Slot;
    jack_port_t* Port;
};

} // namespace

struct JackMidiService::Impl {
    std::string ClientName;
    jack_client_t* Client = nullptr;
    bool Active = false;
    std::atomic<bool> ServerGone{false};
    // Odd while the process callback runs: lets a closing port wait until no
    // cycle still uses it.
    std::atomic<std::uint64_t> Cycle{0};
    std::atomic<std::size_t> LargestEvent{0};
    std::array<InputSlot, SlotCount> Inputs;
    std::array<OutputSlot, SlotCount> Outputs;
    // One past the highest slot ever used, so that the process callback walks
    // only those.
    std::atomic<std::size_t> InputsUsed{0};
    std::atomic<std::size_t> OutputsUsed{0};
    std::map<MidiHandle, Opened> Handles;
    MidiHandle NextHandle = 1;
    ServiceFailure Failure;
    BackgroundErrors Errors;
    // Made with the client and released after it, so that no process cycle
    // outlives it.
    std::unique_ptr<MidiInputRelay> Relay;

    // The port open as `handle` in that direction, or none.
    const Opened* OpenedAs(MidiHandle handle, MidiDirection direction) const {
        const auto found = Handles.find(handle);
        return found != Handles.end() && found->second.Direction == direction ? &found->second
                                                                              : nullptr;
    }

    ~Impl() { Disconnect(); }

    bool Usable() const { return Client && !ServerGone.load(); }

    void Connect() {
        if (Client || !JackServerSocketPresent(JackServerPlaces::FromEnvironment()))
            return;
        jack_status_t status{};
        jack_client_t* client = jack_client_open(ClientName.c_str(), JackNoStartServer, &status);
        if (!client)
            return;
        Relay = std::make_unique<MidiInputRelay>(Errors, jack_is_realtime(client) != 0);
        Client = client;
        jack_set_process_thread(client, &Impl::ProcessThread, this);
        jack_on_shutdown(client, &Impl::OnShutdown, this);
    }

    // The client joins the server's cycles only while it holds a port: listing
    // and looking for the keyboard need no cycles, and an editor waiting for
    // the keyboard then costs the server and the machine nothing.
    bool Activate() {
        if (!Active)
            Active = jack_activate(Client) == 0;
        return Active;
    }
    void DeactivateWhenUnused() {
        if (Active && Handles.empty()) {
            jack_deactivate(Client);
            Active = false;
        }
    }

    void Disconnect() {
        if (!Client)
            return;
        jack_deactivate(Client);
        Active = false;
        jack_client_close(Client);
        Client = nullptr;
        Relay.reset();
    }

    static void OnShutdown(void* arg) { static_cast<Impl*>(arg)->ServerGone.store(true); }

    // JACK's real-time thread. The cycle only copies events; the relay's
    // thread is woken once the cycle has been signalled done, so that the
    // system call never counts against the server's deadline.
    static void* ProcessThread(void* arg) {
        auto& self = *static_cast<Impl*>(arg);
        for (;;) {
            const jack_nframes_t frames = jack_cycle_wait(self.Client);
            const bool received = self.Process(frames);
            jack_cycle_signal(self.Client, 0);
            if (received)
                self.Relay->Wake();
        }
        return nullptr;
    }

    // One cycle: true when an input port received something.
    bool Process(jack_nframes_t frames) noexcept {
        Impl& self = *this;
        const std::uint64_t cycle = self.Cycle.load(std::memory_order_relaxed);
        self.Cycle.store(cycle + 1);
        bool received = false;
        const std::size_t inputs = self.InputsUsed.load();
        for (std::size_t i = 0; i < inputs; ++i) {
            InputSlot& slot = self.Inputs[i];
            jack_port_t* port = slot.Port.load();
            if (!port)
                continue;
            void* buffer = jack_port_get_buffer(port, frames);
            const jack_nframes_t count = jack_midi_get_event_count(buffer);
            for (jack_nframes_t e = 0; e < count; ++e) {
                jack_midi_event_t event;
                if (jack_midi_event_get(&event, buffer, e) == 0 && event.size > 0) {
                    slot.Source->Push({event.buffer, event.size});
                    received = true;
                }
            }
        }
        const std::size_t outputs = self.OutputsUsed.load();
        for (std::size_t i = 0; i < outputs; ++i) {
            OutputSlot& slot = self.Outputs[i];
            jack_port_t* port = slot.Port.load();
            if (!port)
                continue;
            void* buffer = jack_port_get_buffer(port, frames);
            jack_midi_clear_buffer(buffer);
            const std::size_t largest = jack_midi_max_event_size(buffer);
            self.LargestEvent.store(largest, std::memory_order_relaxed);
            // What does not fit this cycle waits for the next; an event larger
            // than any cycle takes would block the port for good.
            while (const auto size = slot.Ring->FrontSize()) {
                if (*size > largest) {
                    slot.Ring->Skip();
                    continue;
                }
                jack_midi_data_t* event = jack_midi_event_reserve(buffer, 0, *size);
                if (!event)
                    break;
                slot.Ring->PopInto(event);
            }
        }
        self.Cycle.store(cycle + 2);
        return received;
    }

    // Returns once no process cycle still sees a port whose slot was cleared.
    void WaitForCycleEnd() const {
        const std::uint64_t cycle = Cycle.load();
        if (cycle % 2 == 0)
            return;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(1);
        while (Cycle.load() == cycle && !ServerGone.load() &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::microseconds(200));
    }

    std::string OwnPrefix() const { return std::string(jack_get_client_name(Client)) + ':'; }

    template <class Slots> std::optional<std::size_t> FreeSlot(const Slots& slots) const {
        for (std::size_t i = 0; i < slots.size(); ++i) {
            if (!slots[i].Port.load())
                return i;
        }
        return std::nullopt;
    }

    jack_port_t* Register(MidiDirection direction, MidiHandle handle) {
        const std::string name =
            (direction == MidiDirection::Input ? "in-" : "out-") + std::to_string(handle);
        return jack_port_register(
            Client, name.c_str(), JACK_DEFAULT_MIDI_TYPE,
            direction == MidiDirection::Input ? JackPortIsInput : JackPortIsOutput, 0);
    }
};

JackMidiService::JackMidiService(std::string clientName) : Self(std::make_unique<Impl>()) {
    Self->ClientName = std::move(clientName);
}

JackMidiService::~JackMidiService() = default;

bool JackMidiService::Connected() const {
    return Self->Usable();
}

MidiServiceKind JackMidiService::Kind() {
    Self->Connect();
    return Connected() ? MidiServiceKind::Jack : MidiServiceKind::None;
}

MidiResult JackMidiService::ListPorts(MidiDirection direction, std::vector<MidiPortInfo>& ports) {
    ports.clear();
    Self->Connect();
    if (!Self->Usable())
        return MidiResultCode::Ok;
    // The editor reads from other clients' outputs and writes to their inputs.
    const unsigned long flags =
        direction == MidiDirection::Input ? JackPortIsOutput : JackPortIsInput;
    const char** names = jack_get_ports(Self->Client, nullptr, JACK_DEFAULT_MIDI_TYPE, flags);
    if (!names)
        return MidiResultCode::Ok;
    const std::string own = Self->OwnPrefix();
    for (const char** name = names; *name; ++name) {
        const std::string full = *name;
        std::string client = full.substr(0, full.find(':'));
        // The editor's own ports belong to clients named after it; JACK adds a
        // suffix when the name is taken.
        if (full.starts_with(own) || client.empty() || client.starts_with(Self->ClientName))
            continue;
        ports.push_back(MidiPortInfo{std::move(client), full});
    }
    jack_free(names);
    return MidiResultCode::Ok;
}

MidiResult JackMidiService::QueryPort(MidiDirection, const std::string& serviceName) {
    Self->Connect();
    if (!Self->Usable() || !jack_port_by_name(Self->Client, serviceName.c_str()))
        return Self->Failure.NotPresent(serviceName);
    return MidiResultCode::Ok;
}

MidiResult JackMidiService::OpenInput(const std::string& serviceName, const MidiInputTarget& target,
                                      MidiHandle& handle) {
    Self->Connect();
    if (!Self->Usable() || !jack_port_by_name(Self->Client, serviceName.c_str()))
        return Self->Failure.NotPresent(serviceName);
    const auto slot = Self->FreeSlot(Self->Inputs);
    if (!slot)
        return Self->Failure.Fail(MidiResultCode::Error, "Too many open MIDI input ports");
    if (!Self->Activate())
        return Self->Failure.Fail(MidiResultCode::Error, "Cannot activate the JACK client");
    const MidiHandle opened = Self->NextHandle++;
    jack_port_t* port = Self->Register(MidiDirection::Input, opened);
    if (!port) {
        Self->DeactivateWhenUnused();
        return Self->Failure.Fail(MidiResultCode::Error, "Cannot create a JACK MIDI input port");
    }
    InputSlot& input = Self->Inputs[*slot];
    input.Source = &Self->Relay->Add(target);
    input.Port.store(port);
    if (Self->InputsUsed.load() <= *slot)
        Self->InputsUsed.store(*slot + 1);
    if (jack_connect(Self->Client, serviceName.c_str(), jack_port_name(port)) != 0) {
        input.Port.store(nullptr);
        Self->WaitForCycleEnd();
        jack_port_unregister(Self->Client, port);
        Self->Relay->Remove(*input.Source);
        Self->DeactivateWhenUnused();
        return Self->Failure.Fail(MidiResultCode::Error,
                                  "Cannot connect to \"" + serviceName + "\"");
    }
    Self->Handles.emplace(opened, Opened{MidiDirection::Input, *slot, port});
    handle = opened;
    return MidiResultCode::Ok;
}

MidiResult JackMidiService::CloseInput(MidiHandle handle) {
    const Opened* found = Self->OpenedAs(handle, MidiDirection::Input);
    if (!found)
        return MidiResultCode::InvalidHandle;
    InputSlot& input = Self->Inputs[found->Slot];
    input.Port.store(nullptr);
    Self->WaitForCycleEnd();
    if (!Self->ServerGone.load())
        jack_port_unregister(Self->Client, found->Port);
    Self->Relay->Remove(*input.Source);
    input.Source = nullptr;
    Self->Handles.erase(handle);
    Self->DeactivateWhenUnused();
    return MidiResultCode::Ok;
}

MidiResult JackMidiService::OpenOutput(const std::string& serviceName, MidiHandle& handle) {
    Self->Connect();
    if (!Self->Usable() || !jack_port_by_name(Self->Client, serviceName.c_str()))
        return Self->Failure.NotPresent(serviceName);
    const auto slot = Self->FreeSlot(Self->Outputs);
    if (!slot)
        return Self->Failure.Fail(MidiResultCode::Error, "Too many open MIDI output ports");
    if (!Self->Activate())
        return Self->Failure.Fail(MidiResultCode::Error, "Cannot activate the JACK client");
    const MidiHandle opened = Self->NextHandle++;
    jack_port_t* port = Self->Register(MidiDirection::Output, opened);
    if (!port) {
        Self->DeactivateWhenUnused();
        return Self->Failure.Fail(MidiResultCode::Error, "Cannot create a JACK MIDI output port");
    }
    if (jack_connect(Self->Client, jack_port_name(port), serviceName.c_str()) != 0) {
        jack_port_unregister(Self->Client, port);
        Self->DeactivateWhenUnused();
        return Self->Failure.Fail(MidiResultCode::Error,
                                  "Cannot connect to \"" + serviceName + "\"");
    }
    OutputSlot& output = Self->Outputs[*slot];
    output.Ring = std::make_unique<MessageRing>(OutputRingSize);
    output.Port.store(port);
    if (Self->OutputsUsed.load() <= *slot)
        Self->OutputsUsed.store(*slot + 1);
    Self->Handles.emplace(opened, Opened{MidiDirection::Output, *slot, port});
    handle = opened;
    return MidiResultCode::Ok;
}

MidiResult JackMidiService::CloseOutput(MidiHandle handle) {
    const Opened* found = Self->OpenedAs(handle, MidiDirection::Output);
    if (!found)
        return MidiResultCode::InvalidHandle;
    OutputSlot& output = Self->Outputs[found->Slot];
    output.Port.store(nullptr);
    Self->WaitForCycleEnd();
    if (!Self->ServerGone.load())
        jack_port_unregister(Self->Client, found->Port);
    output.Ring.reset();
    Self->Handles.erase(handle);
    Self->DeactivateWhenUnused();
    return MidiResultCode::Ok;
}

MidiResult JackMidiService::SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) {
    const Opened* found = Self->OpenedAs(handle, MidiDirection::Output);
    if (!found)
        return MidiResultCode::InvalidHandle;
    if (Self->ServerGone.load())
        return Self->Failure.Fail(MidiResultCode::Error, "The JACK server has gone");
    MessageRing& ring = *Self->Outputs[found->Slot].Ring;
    // Before the first cycle the largest event is not known; an event that
    // turns out too large is left for the server to refuse.
    const std::size_t largest = Self->LargestEvent.load(std::memory_order_relaxed);
    for (const auto message : CompleteMidiMessages(bytes)) {
        for (auto rest = message; !rest.empty();) {
            const auto part =
                rest.first(largest == 0 ? rest.size() : std::min(rest.size(), largest));
            if (!ring.Push(part))
                return Self->Failure.Fail(MidiResultCode::Error, "The MIDI output cannot keep up");
            rest = rest.subspan(part.size());
        }
    }
    return MidiResultCode::Ok;
}

std::optional<std::string> JackMidiService::ErrorText(MidiResult code) {
    return Self->Failure.Text(code);
}
