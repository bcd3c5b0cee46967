#include "midi/AlsaMidiService.h"

#include "midi/BackgroundErrors.h"
#include "midi/MidiInputRelay.h"
#include "midi/MidiMessages.h"
#include "midi/OpenedPorts.h"
#include "midi/ProgramClients.h"
#include "midi/ServiceFailure.h"

#include <alsa/asoundlib.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <mutex>
#include <poll.h>
#include <sys/eventfd.h>
#include <thread>
#include <unistd.h>

namespace {

// The largest input pool the sequencer grants a client, in events.
constexpr int InputPoolEvents = 2000;
// How long a send waits for a receiver whose pool is full.
constexpr auto SendPatience = std::chrono::milliseconds(500);

struct PortFound {
    MidiPortInfo Info;
    snd_seq_addr_t Address{};
};

struct Opened {
    MidiDirection Direction;
    int OwnPort;
    snd_seq_addr_t Peer;
    std::string Name;
};

} // namespace

struct AlsaMidiService::Impl {
    std::string ClientName;
    bool Tried = false;
    snd_seq_t* Seq = nullptr;
    int Client = -1;
    snd_midi_event_t* Encoder = nullptr;
    OpenedPorts<Opened> Handles;
    MidiHandle NextHandle = 1;
    ServiceFailure Failure;
    BackgroundErrors Errors;
    std::unique_ptr<MidiInputRelay> Relay;
    // The sources by the editor's own input port; the reader looks them up.
    std::mutex InputsLock;
    std::map<int, MidiInputRelay::Source*> Inputs;
    int StopFd = -1;
    // Last, so that it stops before the members above go.
    std::jthread Reader;

    // The port open as `handle` in that direction, or none.
    const Opened* OpenedAs(MidiHandle handle, MidiDirection direction) const {
        return ::OpenedAs(Handles, handle, direction);
    }

    ~Impl() {
        if (Reader.joinable()) {
            Reader.request_stop();
            const std::uint64_t one = 1;
            [[maybe_unused]] const ssize_t written = ::write(StopFd, &one, sizeof one);
            Reader.join();
        }
        Relay.reset();
        if (Encoder)
            snd_midi_event_free(Encoder);
        if (Seq)
            snd_seq_close(Seq);
        if (StopFd >= 0)
            ::close(StopFd);
    }

    void Connect() {
        if (Tried)
            return;
        Tried = true;
        // Where the device is missing, alsa-lib would only complain on stderr.
        if (access("/dev/snd/seq", R_OK | W_OK) != 0)
            return;
        if (snd_seq_open(&Seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0) {
            Seq = nullptr;
            return;
        }
        snd_seq_set_client_name(Seq, ClientName.c_str());
        snd_seq_set_client_pool_input(Seq, InputPoolEvents);
        snd_seq_set_input_buffer_size(Seq, InputPoolEvents * sizeof(snd_seq_event_t));
        snd_midi_event_new(256, &Encoder);
        Client = snd_seq_client_id(Seq);
        StopFd = eventfd(0, EFD_CLOEXEC);
        Relay = std::make_unique<MidiInputRelay>(Errors);
        Reader = std::jthread([this](std::stop_token stop) { Read(stop); });
    }

    // The reader thread: every event for one of the editor's input ports, as
    // bytes, into that port's ring.
    void Read(std::stop_token stop) {
        pthread_setname_np(pthread_self(), "midi-alsa");
        snd_midi_event_t* decoder = nullptr;
        snd_midi_event_new(256, &decoder);
        snd_midi_event_no_status(decoder, 1);
        std::array<std::uint8_t, 256> bytes{};
        std::array<pollfd, 8> fds{};
        fds[0] = pollfd{StopFd, POLLIN, 0};
        const int count = snd_seq_poll_descriptors(Seq, fds.data() + 1, fds.size() - 1, POLLIN) + 1;
        while (!stop.stop_requested()) {
            if (poll(fds.data(), static_cast<nfds_t>(count), -1) < 0 && errno != EINTR)
                break;
            bool pushed = false;
            for (;;) {
                snd_seq_event_t* event = nullptr;
                const int result = snd_seq_event_input(Seq, &event);
                if (result == -ENOSPC) {
                    Errors.Report("MIDI input overrun: the sequencer dropped messages");
                    continue;
                }
                if (result < 0 || !event)
                    break;
                std::span<const std::uint8_t> message;
                if (event->type == SND_SEQ_EVENT_SYSEX) {
                    message = {static_cast<const std::uint8_t*>(event->data.ext.ptr),
                               event->data.ext.len};
                } else {
                    snd_midi_event_reset_decode(decoder);
                    const long size =
                        snd_midi_event_decode(decoder, bytes.data(), bytes.size(), event);
                    if (size <= 0)
                        continue;
                    message = std::span(bytes.data(), static_cast<std::size_t>(size));
                }
                const std::lock_guard hold(InputsLock);
                if (const auto found = Inputs.find(event->dest.port); found != Inputs.end()) {
                    found->second->Push(message);
                    pushed = true;
                }
            }
            if (pushed)
                Relay->Wake();
        }
        snd_midi_event_free(decoder);
    }

    std::vector<PortFound> List(MidiDirection direction) {
        std::vector<PortFound> found;
        if (!Seq)
            return found;
        const unsigned wanted = direction == MidiDirection::Input
                                    ? SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ
                                    : SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE;
        snd_seq_client_info_t* client = nullptr;
        snd_seq_port_info_t* port = nullptr;
        snd_seq_client_info_alloca(&client);
        snd_seq_port_info_alloca(&port);
        snd_seq_client_info_set_client(client, -1);
        while (snd_seq_query_next_client(Seq, client) >= 0) {
            const int id = snd_seq_client_info_get_client(client);
            const std::string name = snd_seq_client_info_get_name(client);
            // The system's own client, the kernel's loop-back, this client and
            // the project's programs (any copy) are no devices.
            if (id == SND_SEQ_CLIENT_SYSTEM || id == Client || name == "Midi Through" ||
                name.starts_with(ClientName) || IsProgramClient(name))
                continue;
            snd_seq_port_info_set_client(port, id);
            snd_seq_port_info_set_port(port, -1);
            while (snd_seq_query_next_port(Seq, port) >= 0) {
                const unsigned type = snd_seq_port_info_get_type(port);
                const unsigned caps = snd_seq_port_info_get_capability(port);
                if ((type & (SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_SYNTH |
                             SND_SEQ_PORT_TYPE_APPLICATION)) == 0 ||
                    (caps & wanted) != wanted || (caps & SND_SEQ_PORT_CAP_NO_EXPORT) != 0)
                    continue;
                const int number = snd_seq_port_info_get_port(port);
                const std::string own = snd_seq_port_info_get_name(port);
                found.push_back(PortFound{
                    {name,
                     name + ':' + own + ' ' + std::to_string(id) + ':' + std::to_string(number),
                     {own}},
                    {static_cast<unsigned char>(id), static_cast<unsigned char>(number)}});
            }
        }
        return found;
    }

    std::optional<snd_seq_addr_t> Find(MidiDirection direction, const std::string& serviceName) {
        for (const PortFound& port : List(direction)) {
            if (port.Info.ServiceName == serviceName)
                return port.Address;
        }
        return std::nullopt;
    }

    int MakeOwnPort(MidiDirection direction, MidiHandle handle) {
        const bool input = direction == MidiDirection::Input;
        const std::string name = (input ? "in-" : "out-") + std::to_string(handle);
        return snd_seq_create_simple_port(
            Seq, name.c_str(),
            input ? SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE
                  : SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
            SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION);
    }

    // One event to the port's subscriber; a receiver whose pool is full for a
    // moment is given a little time.
    int Output(snd_seq_event_t& event) {
        const auto deadline = std::chrono::steady_clock::now() + SendPatience;
        for (;;) {
            const int result = snd_seq_event_output_direct(Seq, &event);
            if (result != -EAGAIN || std::chrono::steady_clock::now() >= deadline)
                return result;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }
};

AlsaMidiService::AlsaMidiService(std::string clientName) : Self(std::make_unique<Impl>()) {
    Self->ClientName = std::move(clientName);
}

AlsaMidiService::~AlsaMidiService() = default;

bool AlsaMidiService::Connected() const {
    return Self->Seq != nullptr;
}

MidiServiceKind AlsaMidiService::Kind() {
    Self->Connect();
    return Connected() ? MidiServiceKind::AlsaSequencer : MidiServiceKind::None;
}

MidiResult AlsaMidiService::ListPorts(MidiDirection direction, std::vector<MidiPortInfo>& ports) {
    Self->Connect();
    ports.clear();
    for (PortFound& port : Self->List(direction))
        ports.push_back(std::move(port.Info));
    return MidiResultCode::Ok;
}

MidiResult AlsaMidiService::QueryPort(MidiDirection direction, const std::string& serviceName) {
    Self->Connect();
    return Self->Find(direction, serviceName) ? MidiResultCode::Ok
                                              : Self->Failure.NotPresent(serviceName);
}

MidiResult AlsaMidiService::QueryOpen(MidiHandle handle) {
    const auto found = Self->Handles.find(handle);
    if (found == Self->Handles.end())
        return MidiResultCode::InvalidHandle;
    const Opened& opened = found->second;
    // The sequencer ends a subscription when either end goes; a client that
    // comes back, even under the same numbers, is not subscribed again.
    const snd_seq_addr_t own{static_cast<unsigned char>(Self->Client),
                             static_cast<unsigned char>(opened.OwnPort)};
    snd_seq_port_subscribe_t* subscription = nullptr;
    snd_seq_port_subscribe_alloca(&subscription);
    const bool input = opened.Direction == MidiDirection::Input;
    snd_seq_port_subscribe_set_sender(subscription, input ? &opened.Peer : &own);
    snd_seq_port_subscribe_set_dest(subscription, input ? &own : &opened.Peer);
    if (snd_seq_get_port_subscription(Self->Seq, subscription) < 0)
        return Self->Failure.NotPresent(opened.Name);
    return MidiResultCode::Ok;
}

MidiResult AlsaMidiService::OpenInput(const std::string& serviceName, const MidiInputTarget& target,
                                      MidiHandle& handle) {
    Self->Connect();
    const auto peer = Self->Find(MidiDirection::Input, serviceName);
    if (!peer)
        return Self->Failure.NotPresent(serviceName);
    const MidiHandle opened = Self->NextHandle++;
    const int own = Self->MakeOwnPort(MidiDirection::Input, opened);
    if (own < 0)
        return Self->Failure.Fail(MidiResultCode::Error, snd_strerror(own));
    {
        const std::lock_guard hold(Self->InputsLock);
        Self->Inputs[own] = &Self->Relay->Add(target);
    }
    if (const int result = snd_seq_connect_from(Self->Seq, own, peer->client, peer->port);
        result < 0) {
        snd_seq_delete_simple_port(Self->Seq, own);
        MidiInputRelay::Source* source = nullptr;
        {
            const std::lock_guard hold(Self->InputsLock);
            source = Self->Inputs.extract(own).mapped();
        }
        Self->Relay->Remove(*source);
        return Self->Failure.Fail(MidiResultCode::Error, snd_strerror(result));
    }
    Self->Handles.emplace(opened, Opened{MidiDirection::Input, own, *peer, serviceName});
    handle = opened;
    return MidiResultCode::Ok;
}

MidiResult AlsaMidiService::CloseInput(MidiHandle handle) {
    const Opened* found = Self->OpenedAs(handle, MidiDirection::Input);
    if (!found)
        return MidiResultCode::InvalidHandle;
    const Opened opened = *found;
    Self->Handles.erase(handle);
    snd_seq_disconnect_from(Self->Seq, opened.OwnPort, opened.Peer.client, opened.Peer.port);
    snd_seq_delete_simple_port(Self->Seq, opened.OwnPort);
    MidiInputRelay::Source* source = nullptr;
    {
        // Once out of the map the reader pushes nothing more to the source.
        const std::lock_guard hold(Self->InputsLock);
        source = Self->Inputs.extract(opened.OwnPort).mapped();
    }
    Self->Relay->Remove(*source);
    return MidiResultCode::Ok;
}

MidiResult AlsaMidiService::OpenOutput(const std::string& serviceName, MidiHandle& handle) {
    Self->Connect();
    const auto peer = Self->Find(MidiDirection::Output, serviceName);
    if (!peer)
        return Self->Failure.NotPresent(serviceName);
    const MidiHandle opened = Self->NextHandle++;
    const int own = Self->MakeOwnPort(MidiDirection::Output, opened);
    if (own < 0)
        return Self->Failure.Fail(MidiResultCode::Error, snd_strerror(own));
    if (const int result = snd_seq_connect_to(Self->Seq, own, peer->client, peer->port);
        result < 0) {
        snd_seq_delete_simple_port(Self->Seq, own);
        return Self->Failure.Fail(MidiResultCode::Error, snd_strerror(result));
    }
    Self->Handles.emplace(opened, Opened{MidiDirection::Output, own, *peer, serviceName});
    handle = opened;
    return MidiResultCode::Ok;
}

MidiResult AlsaMidiService::CloseOutput(MidiHandle handle) {
    const Opened* found = Self->OpenedAs(handle, MidiDirection::Output);
    if (!found)
        return MidiResultCode::InvalidHandle;
    snd_seq_disconnect_to(Self->Seq, found->OwnPort, found->Peer.client, found->Peer.port);
    snd_seq_delete_simple_port(Self->Seq, found->OwnPort);
    Self->Handles.erase(handle);
    return MidiResultCode::Ok;
}

MidiResult AlsaMidiService::SendLong(MidiHandle handle, std::span<const std::uint8_t> bytes) {
    const Opened* found = Self->OpenedAs(handle, MidiDirection::Output);
    if (!found)
        return MidiResultCode::InvalidHandle;
    for (const auto message : CompleteMidiMessages(bytes)) {
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        if (message[0] == 0xF0) {
            snd_seq_ev_set_sysex(&event, static_cast<unsigned>(message.size()),
                                 const_cast<std::uint8_t*>(message.data()));
        } else {
            snd_midi_event_reset_encode(Self->Encoder);
            if (snd_midi_event_encode(Self->Encoder, message.data(),
                                      static_cast<long>(message.size()), &event) <= 0)
                continue;
        }
        snd_seq_ev_set_source(&event, static_cast<unsigned char>(found->OwnPort));
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        if (const int result = Self->Output(event); result < 0)
            return Self->Failure.Fail(MidiResultCode::Error, snd_strerror(result));
    }
    return MidiResultCode::Ok;
}

std::optional<std::string> AlsaMidiService::ErrorText(MidiResult code) {
    return Self->Failure.Text(code);
}
