#pragma once

#include <jack/jack.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// A MIDI device on the JACK server, written against libjack directly: one
// client with one MIDI input port "in" and one MIDI output port "out", as a
// USB keyboard shows up there.
class JackPeer {
public:
    using Event = std::vector<std::uint8_t>;

    // std::runtime_error when the server cannot be reached or the name is taken.
    explicit JackPeer(const std::string& clientName);
    ~JackPeer();
    JackPeer(const JackPeer&) = delete;
    JackPeer& operator=(const JackPeer&) = delete;

    // Queues one event; events go out in order, one per process cycle.
    void Send(Event event);
    // Every event that reached the input port, in order.
    std::vector<Event> Received() const;
    bool WaitForReceived(std::size_t count,
                         std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;
    // Waits until every queued event has gone out.
    bool WaitUntilSent(std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;

    // Names the ports as a bridge names the device behind them.
    void SetAliases(const std::string& in, const std::string& out);

    int InputConnections() const;
    int OutputConnections() const;

private:
    struct ClientCloser {
        void operator()(jack_client_t* client) const;
    };

    static int Process(jack_nframes_t frames, void* peer);

    std::unique_ptr<jack_client_t, ClientCloser> Client;
    jack_port_t* In = nullptr;
    jack_port_t* Out = nullptr;
    mutable std::mutex Lock;
    mutable std::condition_variable Changed;
    std::deque<Event> Outgoing;
    std::vector<Event> Incoming;
};
