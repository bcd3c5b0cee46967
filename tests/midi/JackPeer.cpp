#include "JackPeer.h"

#include <jack/midiport.h>

#include <stdexcept>

void JackPeer::ClientCloser::operator()(jack_client_t* client) const {
    jack_deactivate(client);
    jack_client_close(client);
}

JackPeer::JackPeer(const std::string& clientName) {
    jack_status_t status{};
    Client.reset(jack_client_open(clientName.c_str(),
                                  static_cast<jack_options_t>(JackNoStartServer | JackUseExactName),
                                  &status));
    if (!Client)
        throw std::runtime_error("cannot open the JACK client \"" + clientName + "\" (status " +
                                 std::to_string(status) + ")");
    In = jack_port_register(Client.get(), "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
    Out = jack_port_register(Client.get(), "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    if (In == nullptr || Out == nullptr)
        throw std::runtime_error("cannot register the ports of \"" + clientName + "\"");
    jack_set_process_callback(Client.get(), &JackPeer::Process, this);
    if (jack_activate(Client.get()) != 0)
        throw std::runtime_error("cannot activate \"" + clientName + "\"");
}

void JackPeer::SetAliases(const std::string& in, const std::string& out) {
    if (jack_port_set_alias(In, in.c_str()) != 0 || jack_port_set_alias(Out, out.c_str()) != 0)
        throw std::runtime_error("cannot set the aliases " + in + " and " + out);
}

JackPeer::~JackPeer() {
    // Stops the process thread before the queues go.
    Client.reset();
}

int JackPeer::Process(jack_nframes_t frames, void* self) {
    auto& peer = *static_cast<JackPeer*>(self);
    void* input = jack_port_get_buffer(peer.In, frames);
    void* output = jack_port_get_buffer(peer.Out, frames);
    jack_midi_clear_buffer(output);
    {
        // A test peer may wait for the lock; the server runs without realtime.
        const std::lock_guard lock(peer.Lock);
        const jack_nframes_t count = jack_midi_get_event_count(input);
        for (jack_nframes_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, input, i) == 0)
                peer.Incoming.emplace_back(event.buffer, event.buffer + event.size);
        }
        if (!peer.Outgoing.empty()) {
            const Event& event = peer.Outgoing.front();
            if (jack_midi_event_write(output, 0, event.data(), event.size()) == 0)
                peer.Outgoing.pop_front();
        }
    }
    peer.Changed.notify_all();
    return 0;
}

void JackPeer::Send(Event event) {
    const std::lock_guard lock(Lock);
    Outgoing.push_back(std::move(event));
}

std::vector<JackPeer::Event> JackPeer::Received() const {
    const std::lock_guard lock(Lock);
    return Incoming;
}

bool JackPeer::WaitForReceived(std::size_t count, std::chrono::milliseconds timeout) const {
    std::unique_lock lock(Lock);
    return Changed.wait_for(lock, timeout, [&] { return Incoming.size() >= count; });
}

bool JackPeer::WaitUntilSent(std::chrono::milliseconds timeout) const {
    std::unique_lock lock(Lock);
    return Changed.wait_for(lock, timeout, [&] { return Outgoing.empty(); });
}

int JackPeer::InputConnections() const {
    return jack_port_connected(In);
}
int JackPeer::OutputConnections() const {
    return jack_port_connected(Out);
}
