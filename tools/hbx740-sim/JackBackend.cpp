#include "MidiBackend.h"

#include <jack/jack.h>
#include <jack/midiport.h>
#include <jack/ringbuffer.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstring>
#include <optional>
#include <thread>

namespace {

// Messages cross between JACK's process thread and the main thread through two
// lock-free ring buffers, each record a 32-bit length and the bytes, so the
// process callback neither allocates nor locks. The writer puts the length and
// the bytes in two steps, so a reader takes a record only once all of it is
// there; taking the length alone would read the rest of the ring out of step.
class JackBackend final : public MidiBackend {
public:
    explicit JackBackend(const std::string& name) {
        jack_status_t status{};
        Client = jack_client_open(name.c_str(), JackNoStartServer, &status);
        if (!Client)
            throw BackendError("cannot connect to a JACK server");
        In = jack_port_register(Client, "in", JACK_DEFAULT_MIDI_TYPE, JackPortIsInput, 0);
        Out = jack_port_register(Client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
        FromJack = jack_ringbuffer_create(RingSize);
        ToJack = jack_ringbuffer_create(RingSize);
        if (!In || !Out || !FromJack || !ToJack) {
            Release();
            throw BackendError("cannot create the JACK ports");
        }
        jack_set_process_callback(Client, &JackBackend::Process, this);
        if (jack_activate(Client) != 0) {
            Release();
            throw BackendError("cannot activate the JACK client");
        }
        // The largest event is known only inside a process cycle.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (MaxEvent.load() == 0) {
            if (std::chrono::steady_clock::now() >= deadline) {
                Release();
                throw BackendError("the JACK server runs no process cycles");
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    ~JackBackend() override { Release(); }

    std::string Description() const override {
        return std::string("JACK client ") + jack_get_client_name(Client);
    }

    bool Receive(std::vector<std::uint8_t>& message, int timeoutMs) override {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            if (const auto size = WholeRecord(FromJack)) {
                jack_ringbuffer_read_advance(FromJack, sizeof *size);
                message.resize(*size);
                jack_ringbuffer_read(FromJack, reinterpret_cast<char*>(message.data()), *size);
                return true;
            }
            if (std::chrono::steady_clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    void Send(std::span<const std::uint8_t> message) override {
        for (auto rest = message; !rest.empty();) {
            const auto part = rest.first(std::min(rest.size(), LargestEvent()));
            const auto size = static_cast<std::uint32_t>(part.size());
            while (jack_ringbuffer_write_space(ToJack) < sizeof size + size)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            jack_ringbuffer_write(ToJack, reinterpret_cast<const char*>(&size), sizeof size);
            jack_ringbuffer_write(ToJack, reinterpret_cast<const char*>(part.data()), size);
            rest = rest.subspan(part.size());
        }
    }

    std::size_t LargestEvent() const override { return MaxEvent.load(); }

private:
    static constexpr std::size_t RingSize = 1 << 16;

    static int Process(jack_nframes_t frames, void* arg) {
        auto& self = *static_cast<JackBackend*>(arg);
        void* input = jack_port_get_buffer(self.In, frames);
        const jack_nframes_t count = jack_midi_get_event_count(input);
        for (jack_nframes_t i = 0; i < count; ++i) {
            jack_midi_event_t event;
            if (jack_midi_event_get(&event, input, i) != 0)
                continue;
            const auto size = static_cast<std::uint32_t>(event.size);
            // A message that does not fit is dropped whole, never cut.
            if (jack_ringbuffer_write_space(self.FromJack) < sizeof size + size)
                continue;
            jack_ringbuffer_write(self.FromJack, reinterpret_cast<const char*>(&size), sizeof size);
            jack_ringbuffer_write(self.FromJack, reinterpret_cast<const char*>(event.buffer), size);
        }

        void* output = jack_port_get_buffer(self.Out, frames);
        jack_midi_clear_buffer(output);
        if (self.MaxEvent.load(std::memory_order_relaxed) == 0)
            self.MaxEvent.store(jack_midi_max_event_size(output));
        while (const auto record = WholeRecord(self.ToJack)) {
            const std::uint32_t size = *record;
            // Left for the next cycle when this one's buffer is full.
            if (size > jack_midi_max_event_size(output))
                break;
            jack_midi_data_t* event = jack_midi_event_reserve(output, 0, size);
            if (!event)
                break;
            jack_ringbuffer_read_advance(self.ToJack, sizeof size);
            jack_ringbuffer_read(self.ToJack, reinterpret_cast<char*>(event), size);
        }
        return 0;
    }

    // The length of the next record when all of its bytes can be read.
    static std::optional<std::uint32_t> WholeRecord(jack_ringbuffer_t* ring) {
        std::uint32_t size = 0;
        const std::size_t available = jack_ringbuffer_read_space(ring);
        if (available < sizeof size)
            return std::nullopt;
        jack_ringbuffer_peek(ring, reinterpret_cast<char*>(&size), sizeof size);
        if (available < sizeof size + size)
            return std::nullopt;
        return size;
    }

    void Release() noexcept {
        if (Client) {
            jack_deactivate(Client);
            jack_client_close(Client);
            Client = nullptr;
        }
        if (FromJack)
            jack_ringbuffer_free(FromJack);
        if (ToJack)
            jack_ringbuffer_free(ToJack);
        FromJack = ToJack = nullptr;
    }

    jack_client_t* Client = nullptr;
    jack_port_t* In = nullptr;
    jack_port_t* Out = nullptr;
    jack_ringbuffer_t* FromJack = nullptr;
    jack_ringbuffer_t* ToJack = nullptr;
    std::atomic<std::size_t> MaxEvent{0};
};

} // namespace

std::unique_ptr<MidiBackend> OpenJackBackend(const std::string& name) {
    return std::make_unique<JackBackend>(name);
}
