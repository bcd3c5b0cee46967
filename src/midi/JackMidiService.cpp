#include "midi/JackMidiService.h"

#include "midi/JackServerProbe.h"
#include "midi/MessageRing.h"
#include "midi/MidiInputRelay.h"
#include "midi/MidiMessages.h"
#include "midi/OpenedPorts.h"
#include "midi/ProgramClients.h"
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
// How often a service without a server tries to reach one.
constexpr auto RetryInterval = std::chrono::seconds(1);

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
    // The full name of the port connected to.
    std::string Peer;
    // The server went away with the client it was opened in.
    bool Lost = false;
};

// The text after the client part of a full port name.
std::string_view PortPart(std::string_view name) {
    const std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

// The device a bridge names in a port's name: jackd's ALSA bridge gives
// "alsa_pcm:<device>/midi_capture_1", a2jmidid "<device> [20] (capture): ...",
// PipeWire "<device>:(capture_0) ...". Empty when the name holds none.
std::string_view BridgedDevice(std::string_view port) {
    std::size_t end = std::string_view::npos;
    for (const std::string_view mark : {"/", " [", ":("})
        end = std::min(end, port.find(mark));
    return end == std::string_view::npos ? std::string_view() : port.substr(0, end);
}

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
    OpenedPorts<Opened> Handles;
    MidiHandle NextHandle = 1;
    ServiceFailure Failure;
    BackgroundErrors Errors;
    // Made with the client and released after it, so that no process cycle
    // outlives it.
    std::unique_ptr<MidiInputRelay> Relay;
    // When a service without a client may next try to reach a server.
    std::chrono::steady_clock::time_point NextAttempt{};

    // The port open as `handle` in that direction, or none.
    const Opened* OpenedAs(MidiHandle handle, MidiDirection direction) const {
        return ::OpenedAs(Handles, handle, direction);
    }

    ~Impl() { Disconnect(); }

    bool Usable() const { return Client && !ServerGone.load(); }

    // Reaches a server, at most once a second while none answers; first
    // closes a client whose server has gone.
    void Connect() {
        DropClientIfGone();
        if (Client)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (now < NextAttempt)
            return;
        NextAttempt = now + RetryInterval;
        if (!JackServerSocketPresent(JackServerPlaces::FromEnvironment()))
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

    void DropClientIfGone() {
        if (Client && ServerGone.load())
            DropClient();
    }

    // The server has shut the client down. Closing the client ends JACK's
    // threads in it; only then may what its process cycle reads go. Every
    // port open in it is lost: its handle answers QueryOpen with BadDeviceId
    // until it is closed.
    void DropClient() {
        jack_client_close(Client);
        Client = nullptr;
        Active = false;
        for (InputSlot& slot : Inputs) {
            slot.Port.store(nullptr);
            slot.Source = nullptr;
        }
        for (OutputSlot& slot : Outputs) {
            slot.Port.store(nullptr);
            slot.Ring.reset();
        }
        InputsUsed.store(0);
        OutputsUsed.store(0);
        LargestEvent.store(0);
        Relay.reset();
        for (auto& [handle, opened] : Handles)
            opened.Lost = true;
        ServerGone.store(false);
        NextAttempt = std::chrono::steady_clock::now() + RetryInterval;
    }

    static void OnShutdown(void* arg) { static_cast<Impl*>(arg)->ServerGone.store(true); }

    // JACK's real-time thread. The cycle only copies events; the relay's
    // thread is woken once the cycle has been signalled done, so that the
    // system call never counts against the server's deadline.
    static void* ProcessThread(void* arg) {
        auto& self = *static_cast<Impl*>(arg);
        for (;;) {
            const jack_nframes_t frames = jack_cycle_wait(self.Client);
            // A server that has gone runs no more cycles.
            if (self.ServerGone.load())
                return nullptr;
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

    // Returns true once no process cycle still sees a port whose slot was
    // cleared. A cycle only copies, so it always ends, unless the server goes
    // away meanwhile: then false, and the client must be closed (DropClient)
    // before anything the cycle reads is freed.
    bool WaitForCycleEnd() const {
        const std::uint64_t cycle = Cycle.load();
        if (cycle % 2 == 0)
            return true;
        while (Cycle.load() == cycle) {
            if (ServerGone.load())
                return false;
            std::this_thread::sleep_for(std::chrono::microseconds(200));
        }
        return true;
    }

    // Takes the port out of the process cycle and frees it; when the server
    // goes away meanwhile, DropClient frees everything instead.
    void Release(MidiDirection direction, std::size_t slot, jack_port_t* port) {
        if (direction == MidiDirection::Input)
            Inputs[slot].Port.store(nullptr);
        else
            Outputs[slot].Port.store(nullptr);
        if (!WaitForCycleEnd()) {
            DropClient();
            return;
        }
        jack_port_unregister(Client, port);
        if (direction == MidiDirection::Input) {
            Relay->Remove(*Inputs[slot].Source);
            Inputs[slot].Source = nullptr;
        } else {
            Outputs[slot].Ring.reset();
        }
    }

    // The other names of a listed port, for matching: its own name, its
    // aliases and the devices a bridge names in them.
    std::vector<std::string> AliasesOf(const char* full) const {
        std::vector<std::string> names{std::string(PortPart(full))};
        if (jack_port_t* port = jack_port_by_name(Client, full)) {
            std::vector<char> first(static_cast<std::size_t>(jack_port_name_size()));
            std::vector<char> second(first.size());
            char* aliases[2] = {first.data(), second.data()};
            const int count = jack_port_get_aliases(port, aliases);
            for (int i = 0; i < count && i < 2; ++i)
                names.emplace_back(aliases[i]);
        }
        const std::size_t own = names.size();
        for (std::size_t i = 0; i < own; ++i) {
            std::string device(BridgedDevice(i == 0 ? names[i] : PortPart(names[i])));
            if (!device.empty())
                names.push_back(std::move(device));
        }
        return names;
    }

    std::string OwnPrefix() const { return std::string(jack_get_client_name(Client)) + ':'; }

    template <class Slots> std::optional<std::size_t> FreeSlot(const Slots& slots) const {
        for (std::size_t i = 0; i < slots.size(); ++i) {
            if (!slots[i].Port.load())
                return i;
        }
        return std::nullopt;
    }

    MidiResult Close(MidiHandle handle, MidiDirection direction) {
        DropClientIfGone();
        const Opened* found = OpenedAs(handle, direction);
        if (!found)
            return MidiResultCode::InvalidHandle;
        if (!found->Lost)
            Release(direction, found->Slot, found->Port);
        Handles.erase(handle);
        DeactivateWhenUnused();
        return MidiResultCode::Ok;
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
        // No copy of this client or of the project's programs is a device;
        // JACK adds a suffix when a name is taken.
        if (full.starts_with(own) || client.empty() || client.starts_with(Self->ClientName) ||
            IsProgramClient(client))
            continue;
        ports.push_back(MidiPortInfo{std::move(client), full, Self->AliasesOf(*name)});
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

MidiResult JackMidiService::QueryOpen(MidiHandle handle) {
    Self->DropClientIfGone();
    const auto found = Self->Handles.find(handle);
    if (found == Self->Handles.end())
        return MidiResultCode::InvalidHandle;
    const Opened& opened = found->second;
    // JACK drops a connection whose other end goes; a port of the same name
    // that comes back is not connected again.
    if (opened.Lost || !jack_port_connected_to(opened.Port, opened.Peer.c_str()))
        return Self->Failure.NotPresent(opened.Peer);
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
        Self->Release(MidiDirection::Input, *slot, port);
        Self->DeactivateWhenUnused();
        return Self->Failure.Fail(MidiResultCode::Error,
                                  "Cannot connect to \"" + serviceName + "\"");
    }
    Self->Handles.emplace(opened, Opened{MidiDirection::Input, *slot, port, serviceName});
    handle = opened;
    return MidiResultCode::Ok;
}

MidiResult JackMidiService::CloseInput(MidiHandle handle) {
    return Self->Close(handle, MidiDirection::Input);
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
    Self->Handles.emplace(opened, Opened{MidiDirection::Output, *slot, port, serviceName});
    handle = opened;
    return MidiResultCode::Ok;
}

MidiResult JackMidiService::CloseOutput(MidiHandle handle) {
    return Self->Close(handle, MidiDirection::Output);
}

MidiResult JackMidiService::SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) {
    const Opened* found = Self->OpenedAs(handle, MidiDirection::Output);
    if (!found)
        return MidiResultCode::InvalidHandle;
    if (found->Lost || Self->ServerGone.load())
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
