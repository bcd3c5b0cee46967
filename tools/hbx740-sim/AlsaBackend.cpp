#include "MidiBackend.h"

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>

#include <alsa/asoundlib.h>
#include <poll.h>

namespace {

// The ALSA sequencer: one client, a writable port that others send to and a
// readable port whose subscribers receive the replies.
class AlsaBackend final : public MidiBackend {
public:
    AlsaBackend(const std::string& name, const std::string& portName) : Name(name) {
        if (snd_seq_open(&Seq, "default", SND_SEQ_OPEN_DUPLEX, 0) < 0) {
            Seq = nullptr;
            throw BackendError("cannot open the ALSA sequencer");
        }
        snd_seq_set_client_name(Seq, name.c_str());
        constexpr unsigned type = SND_SEQ_PORT_TYPE_MIDI_GENERIC | SND_SEQ_PORT_TYPE_APPLICATION;
        InPort =
            snd_seq_create_simple_port(Seq, portName.empty() ? "HBX740 MIDI In" : portName.c_str(),
                                       SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE, type);
        OutPort =
            snd_seq_create_simple_port(Seq, portName.empty() ? "HBX740 MIDI Out" : portName.c_str(),
                                       SND_SEQ_PORT_CAP_READ | SND_SEQ_PORT_CAP_SUBS_READ, type);
        if (InPort < 0 || OutPort < 0 || snd_midi_event_new(MaxEvent, &Decoder) < 0 ||
            snd_midi_event_new(MaxEvent, &Encoder) < 0) {
            Release();
            throw BackendError("cannot create the ALSA sequencer ports");
        }
        snd_midi_event_no_status(Decoder, 1);
        Largest = PoolLargestEvent();
    }

    ~AlsaBackend() override { Release(); }

    std::string Description() const override {
        return "ALSA sequencer client " + std::to_string(snd_seq_client_id(Seq)) + " (" + Name +
               ")";
    }

    bool Receive(std::vector<std::uint8_t>& message, int timeoutMs) override {
        for (;;) {
            if (snd_seq_event_input_pending(Seq, 1) == 0) {
                pollfd fds[4];
                const int n = snd_seq_poll_descriptors(Seq, fds, 4, POLLIN);
                if (poll(fds, static_cast<nfds_t>(n), timeoutMs) <= 0)
                    return false;
                // Whatever arrives next is waited for only as long as a part
                // of a long SysEx takes.
                timeoutMs = 100;
            }
            snd_seq_event_t* event = nullptr;
            if (snd_seq_event_input(Seq, &event) < 0 || !event)
                return false;
            unsigned char bytes[MaxEvent];
            const long size = snd_midi_event_decode(Decoder, bytes, sizeof bytes, event);
            if (size <= 0)
                continue;
            Pending.insert(Pending.end(), bytes, bytes + size);
            // The sequencer may hand a long SysEx over in parts.
            if (Pending.front() == 0xF0 && Pending.back() != 0xF7)
                continue;
            message.swap(Pending);
            Pending.clear();
            return true;
        }
    }

    void Send(std::span<const std::uint8_t> message) override {
        // The parts after a SysEx's first go out as SysEx events too.
        const bool sysEx = !message.empty() && message[0] == 0xF0;
        for (auto rest = message; !rest.empty();) {
            const auto part = rest.first(std::min(rest.size(), LargestEvent()));
            SendEvent(part, sysEx);
            rest = rest.subspan(part.size());
        }
    }

    std::size_t LargestEvent() const override { return Largest; }

private:
    static constexpr int MaxEvent = 4096;

    // A direct event must fit the client's output buffer whole, and the
    // receiver's input pool: a client with the default pool (this one's)
    // takes an event of one cell fewer than the pool holds.
    std::size_t PoolLargestEvent() const {
        snd_seq_client_pool_t* pool = nullptr;
        snd_seq_client_pool_alloca(&pool);
        std::size_t cells = 200;
        if (snd_seq_get_client_pool(Seq, pool) == 0)
            cells = snd_seq_client_pool_get_input_pool(pool);
        return std::min(snd_seq_get_output_buffer_size(Seq) - sizeof(snd_seq_event_t),
                        (cells - 1) * sizeof(snd_seq_event_t));
    }

    void SendEvent(std::span<const std::uint8_t> message, bool sysEx) {
        snd_seq_event_t event;
        snd_seq_ev_clear(&event);
        if (sysEx) {
            snd_seq_ev_set_sysex(&event, static_cast<unsigned>(message.size()),
                                 const_cast<std::uint8_t*>(message.data()));
        } else {
            snd_midi_event_reset_encode(Encoder);
            if (snd_midi_event_encode(Encoder, message.data(), static_cast<long>(message.size()),
                                      &event) <= 0)
                return;
        }
        snd_seq_ev_set_source(&event, static_cast<unsigned char>(OutPort));
        snd_seq_ev_set_subs(&event);
        snd_seq_ev_set_direct(&event);
        // A receiver whose pool is full takes nothing for a while; it is
        // given two seconds, as a device's driver would wait for it.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
        int result = 0;
        while ((result = snd_seq_event_output_direct(Seq, &event)) == -EAGAIN &&
               std::chrono::steady_clock::now() < deadline)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        if (result < 0)
            throw BackendError("the sequencer refused an event of " +
                               std::to_string(message.size()) + " bytes: " + snd_strerror(result));
    }

    void Release() noexcept {
        if (Decoder)
            snd_midi_event_free(Decoder);
        if (Encoder)
            snd_midi_event_free(Encoder);
        Decoder = Encoder = nullptr;
        if (Seq)
            snd_seq_close(Seq);
        Seq = nullptr;
    }

    const std::string Name;
    snd_seq_t* Seq = nullptr;
    std::size_t Largest = 0;
    int InPort = -1;
    int OutPort = -1;
    snd_midi_event_t* Decoder = nullptr;
    snd_midi_event_t* Encoder = nullptr;
    std::vector<std::uint8_t> Pending;
};

} // namespace

std::unique_ptr<MidiBackend> OpenAlsaBackend(const std::string& name, const std::string& portName) {
    return std::make_unique<AlsaBackend>(name, portName);
}
