#include "AlsaPeer.h"

#include <poll.h>
#include <stdexcept>

AlsaPeer::AlsaPeer(const std::string& clientName) {
    if (snd_seq_open(&Seq, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK) < 0)
        throw std::runtime_error("cannot open the ALSA sequencer");
    snd_seq_set_client_name(Seq, clientName.c_str());
    constexpr unsigned type = SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_HARDWARE;
    In = snd_seq_create_simple_port(Seq, "in", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
                                    type);
    Out = snd_seq_create_simple_port(Seq, "out", SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ,
                                     type);
    if (In < 0 || Out < 0 || snd_midi_event_new(256, &Encoder) < 0 ||
        snd_midi_event_new(65536, &Decoder) < 0)
        throw std::runtime_error("cannot create the ports of \"" + clientName + "\"");
    snd_midi_event_no_status(Decoder, 1);
    Reader = std::jthread([this](std::stop_token stop) { Read(stop); });
}

AlsaPeer::~AlsaPeer() {
    Reader.request_stop();
    Reader.join();
    snd_midi_event_free(Encoder);
    snd_midi_event_free(Decoder);
    snd_seq_close(Seq);
}

void AlsaPeer::Read(std::stop_token stop) {
    std::vector<unsigned char> bytes(65536);
    while (!stop.stop_requested()) {
        pollfd fds[4];
        const int n = snd_seq_poll_descriptors(Seq, fds, 4, POLLIN);
        if (poll(fds, static_cast<nfds_t>(n), 20) <= 0)
            continue;
        snd_seq_event_t* event = nullptr;
        while (snd_seq_event_input(Seq, &event) >= 0 && event) {
            const long size = snd_midi_event_decode(Decoder, bytes.data(), bytes.size(), event);
            if (size <= 0)
                continue;
            const std::lock_guard hold(Lock);
            Pending.insert(Pending.end(), bytes.begin(), bytes.begin() + size);
            if (Pending.front() == 0xF0 && Pending.back() != 0xF7)
                continue;
            Incoming.push_back(std::move(Pending));
            Pending.clear();
            Changed.notify_all();
        }
    }
}

void AlsaPeer::Send(std::span<const std::uint8_t> bytes) {
    snd_seq_event_t event;
    snd_seq_ev_clear(&event);
    if (!bytes.empty() && (bytes[0] == 0xF0 || bytes[0] < 0x80)) {
        snd_seq_ev_set_sysex(&event, static_cast<unsigned>(bytes.size()),
                             const_cast<std::uint8_t*>(bytes.data()));
    } else {
        snd_midi_event_reset_encode(Encoder);
        if (snd_midi_event_encode(Encoder, bytes.data(), static_cast<long>(bytes.size()), &event) <=
            0)
            throw std::runtime_error("not a MIDI message");
    }
    snd_seq_ev_set_source(&event, static_cast<unsigned char>(Out));
    snd_seq_ev_set_subs(&event);
    snd_seq_ev_set_direct(&event);
    if (snd_seq_event_output_direct(Seq, &event) < 0)
        throw std::runtime_error("the sequencer refused the event");
}

std::vector<AlsaPeer::Event> AlsaPeer::Received() const {
    const std::lock_guard hold(Lock);
    return Incoming;
}

bool AlsaPeer::WaitForReceived(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock hold(Lock);
    return Changed.wait_for(hold, timeout, [&] { return Incoming.size() >= count; });
}

int AlsaPeer::Subscribers(int port, snd_seq_query_subs_type_t type) const {
    snd_seq_query_subscribe_t* query = nullptr;
    snd_seq_query_subscribe_alloca(&query);
    snd_seq_addr_t address{static_cast<unsigned char>(snd_seq_client_id(Seq)),
                           static_cast<unsigned char>(port)};
    snd_seq_query_subscribe_set_root(query, &address);
    snd_seq_query_subscribe_set_type(query, type);
    snd_seq_query_subscribe_set_index(query, 0);
    int count = 0;
    while (snd_seq_query_port_subscribers(Seq, query) >= 0) {
        ++count;
        snd_seq_query_subscribe_set_index(query, count);
    }
    return count;
}

int AlsaPeer::InputConnections() const {
    return Subscribers(In, SND_SEQ_QUERY_SUBS_WRITE);
}

int AlsaPeer::OutputConnections() const {
    return Subscribers(Out, SND_SEQ_QUERY_SUBS_READ);
}
