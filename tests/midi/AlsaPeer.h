#pragma once

#include <alsa/asoundlib.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <thread>
#include <vector>

// A MIDI device on the ALSA sequencer, written against alsa-lib directly: one
// client with a writable port "in" (what the editor sends reaches it) and a
// readable port "out" (what it sends reaches the editor's subscriptions), as
// a USB keyboard shows up there.
class AlsaPeer {
public:
    using Event = std::vector<std::uint8_t>;

    // std::runtime_error when the sequencer cannot be opened.
    explicit AlsaPeer(const std::string& clientName);
    ~AlsaPeer();
    AlsaPeer(const AlsaPeer&) = delete;
    AlsaPeer& operator=(const AlsaPeer&) = delete;

    // Sends one event: a SysEx (or a part of one, as a USB-MIDI link hands a
    // long one over) or a short message.
    void Send(std::span<const std::uint8_t> bytes);
    // Every message that reached the input port, a SysEx joined from its parts.
    std::vector<Event> Received() const;
    bool WaitForReceived(std::size_t count,
                         std::chrono::milliseconds timeout = std::chrono::seconds(5)) const;
    // Subscribers of the input and output ports.
    int InputConnections() const;
    int OutputConnections() const;

private:
    void Read(std::stop_token stop);
    int Subscribers(int port, snd_seq_query_subs_type_t type) const;

    snd_seq_t* Seq = nullptr;
    int In = -1;
    int Out = -1;
    snd_midi_event_t* Encoder = nullptr;
    snd_midi_event_t* Decoder = nullptr;
    mutable std::mutex Lock;
    mutable std::condition_variable Changed;
    std::vector<Event> Incoming;
    Event Pending;
    // Last, so that it stops before the members above go.
    std::jthread Reader;
};
