// What the editor's JACK service costs JACK's real-time process thread for
// each incoming message, and how long a message then takes to reach the
// handler, against RtMidi's JACK input receiving the same messages.
//
// A sender client plays a keyboard: in every other process cycle one message,
// mostly a note, every tenth a SysEx of 1,000 bytes. The editor's service and
// an RtMidiIn both listen to it. This executable times each client's process
// cycle and counts what its real-time thread does in the cycle: heap calls
// (malloc and friends), mutex locks and wake-ups (write, sem_post, condition
// signals). It defines those functions, and the ones that bound a cycle:
// jack_set_process_callback for RtMidi, whose callback it wraps, and
// jack_cycle_wait and jack_cycle_signal for the service, which runs its own
// process thread; it also counts what that thread does after a cycle.
// Prints name=value lines.
//
//   hbx_bench_jack_handover [--messages N]      (JACK_DEFAULT_SERVER names the server)

#include "midi/JackMidiService.h"
#include "midi/MidiInputRelay.h"

#include <RtMidi.h>
#include <jack/jack.h>
#include <jack/midiport.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <pthread.h>
#include <semaphore.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void __libc_free(void*);
void* __libc_memalign(std::size_t, std::size_t);
ssize_t __write(int, const void*, std::size_t);
}

namespace {

std::int64_t NowNs() {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// What one wrapped process callback did, counted on its own thread.
struct Watched {
    JackProcessCallback Callback = nullptr;
    void* Argument = nullptr;
    jack_client_t* Client = nullptr;
    bool Measured = false;
    std::atomic<long> Heap{0}, Locks{0}, Wakes{0};
    // What the thread did between cycles (the service's wake-up).
    std::atomic<long> WakesAfter{0};
    std::int64_t CycleStart = 0;
    // Duration of each cycle, and whether the sender sent in it.
    std::vector<std::int64_t> Durations;
    std::vector<bool> WithMessage;
    std::atomic<std::int64_t> LastEntryNs{0};
};

constexpr std::size_t MaxWatched = 8;
std::array<Watched, MaxWatched> Watch;
std::atomic<std::size_t> WatchCount{0};
thread_local Watched* Current = nullptr;

thread_local Watched* AfterCycle = nullptr;

void Count(std::atomic<long> Watched::*counter) {
    if (Current && Current->Measured)
        (Current->*counter).fetch_add(1, std::memory_order_relaxed);
    else if (AfterCycle && AfterCycle->Measured && counter == &Watched::Wakes)
        AfterCycle->WakesAfter.fetch_add(1, std::memory_order_relaxed);
}

// The sender sends in even cycles: a cycle's parity tells whether it carried
// a message, in every client of the same cycle.
bool SenderCycle(jack_client_t* client) {
    const jack_nframes_t frames = jack_get_buffer_size(client);
    return (jack_last_frame_time(client) / frames) % 2 == 0;
}

Watched& NewWatched(jack_client_t* client) {
    const std::size_t index = WatchCount.fetch_add(1);
    if (index >= MaxWatched)
        std::abort();
    Watched& watched = Watch[index];
    watched.Client = client;
    watched.Durations.reserve(200000);
    watched.WithMessage.reserve(200000);
    return watched;
}

Watched* Find(jack_client_t* client) {
    for (std::size_t i = 0; i < WatchCount.load(); ++i) {
        if (Watch[i].Client == client)
            return &Watch[i];
    }
    return nullptr;
}

void BeginCycle(Watched& watched) {
    watched.CycleStart = NowNs();
    watched.LastEntryNs.store(watched.CycleStart);
    AfterCycle = nullptr;
    Current = &watched;
}

void EndCycle(Watched& watched) {
    Current = nullptr;
    if (watched.Measured && watched.Durations.size() < watched.Durations.capacity()) {
        watched.Durations.push_back(NowNs() - watched.CycleStart);
        watched.WithMessage.push_back(SenderCycle(watched.Client));
    }
}

int WrappedProcess(jack_nframes_t frames, void* argument) {
    auto& watched = *static_cast<Watched*>(argument);
    BeginCycle(watched);
    const int result = watched.Callback(frames, watched.Argument);
    EndCycle(watched);
    return result;
}

} // namespace

extern "C" {
void* malloc(std::size_t size) {
    Count(&Watched::Heap);
    return __libc_malloc(size);
}
void* calloc(std::size_t count, std::size_t size) {
    Count(&Watched::Heap);
    return __libc_calloc(count, size);
}
void* realloc(void* memory, std::size_t size) {
    Count(&Watched::Heap);
    return __libc_realloc(memory, size);
}
void free(void* memory) {
    if (memory)
        Count(&Watched::Heap);
    __libc_free(memory);
}
void* aligned_alloc(std::size_t alignment, std::size_t size) {
    Count(&Watched::Heap);
    return __libc_memalign(alignment, size);
}
int pthread_mutex_lock(pthread_mutex_t* mutex) {
    Count(&Watched::Locks);
    using Lock = int (*)(pthread_mutex_t*);
    static const auto real = reinterpret_cast<Lock>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
    return real(mutex);
}
int pthread_mutex_trylock(pthread_mutex_t* mutex) {
    Count(&Watched::Locks);
    using Lock = int (*)(pthread_mutex_t*);
    static const auto real = reinterpret_cast<Lock>(dlsym(RTLD_NEXT, "pthread_mutex_trylock"));
    return real(mutex);
}
ssize_t write(int fd, const void* data, std::size_t size) {
    Count(&Watched::Wakes);
    return __write(fd, data, size);
}
int sem_post(sem_t* semaphore) {
    Count(&Watched::Wakes);
    using Post = int (*)(sem_t*);
    static const auto real = reinterpret_cast<Post>(dlsym(RTLD_NEXT, "sem_post"));
    return real(semaphore);
}
int pthread_cond_signal(pthread_cond_t* condition) {
    Count(&Watched::Wakes);
    using Signal = int (*)(pthread_cond_t*);
    static const auto real =
        reinterpret_cast<Signal>(dlvsym(RTLD_NEXT, "pthread_cond_signal", "GLIBC_2.3.2"));
    return real(condition);
}
int pthread_cond_broadcast(pthread_cond_t* condition) {
    Count(&Watched::Wakes);
    using Signal = int (*)(pthread_cond_t*);
    static const auto real =
        reinterpret_cast<Signal>(dlvsym(RTLD_NEXT, "pthread_cond_broadcast", "GLIBC_2.3.2"));
    return real(condition);
}

int jack_set_process_callback(jack_client_t* client, JackProcessCallback callback, void* argument) {
    using Set = int (*)(jack_client_t*, JackProcessCallback, void*);
    static const auto real = reinterpret_cast<Set>(dlsym(RTLD_NEXT, "jack_set_process_callback"));
    Watched& watched = NewWatched(client);
    watched.Callback = callback;
    watched.Argument = argument;
    return real(client, &WrappedProcess, &watched);
}

int jack_set_process_thread(jack_client_t* client, JackThreadCallback thread, void* argument) {
    using Set = int (*)(jack_client_t*, JackThreadCallback, void*);
    static const auto real = reinterpret_cast<Set>(dlsym(RTLD_NEXT, "jack_set_process_thread"));
    NewWatched(client);
    return real(client, thread, argument);
}

jack_nframes_t jack_cycle_wait(jack_client_t* client) {
    using Wait = jack_nframes_t (*)(jack_client_t*);
    static const auto real = reinterpret_cast<Wait>(dlsym(RTLD_NEXT, "jack_cycle_wait"));
    Watched* watched = Find(client);
    AfterCycle = nullptr;
    const jack_nframes_t frames = real(client);
    if (watched)
        BeginCycle(*watched);
    return frames;
}

void jack_cycle_signal(jack_client_t* client, int status) {
    using Signal = void (*)(jack_client_t*, int);
    static const auto real = reinterpret_cast<Signal>(dlsym(RTLD_NEXT, "jack_cycle_signal"));
    Watched* watched = Find(client);
    if (watched)
        EndCycle(*watched);
    real(client, status);
    AfterCycle = watched;
}
}

namespace {

// The keyboard: one output port, one message in each even cycle while any
// are left.
struct Sender {
    jack_client_t* Client = nullptr;
    jack_port_t* Out = nullptr;
    std::atomic<int> Left{0};
    int Sent = 0;

    static int Process(jack_nframes_t frames, void* argument) {
        auto& self = *static_cast<Sender*>(argument);
        void* buffer = jack_port_get_buffer(self.Out, frames);
        jack_midi_clear_buffer(buffer);
        if (self.Left.load() == 0 || !SenderCycle(self.Client))
            return 0;
        static std::array<jack_midi_data_t, 1000> sysEx = [] {
            std::array<jack_midi_data_t, 1000> bytes{};
            bytes.fill(0x11);
            bytes.front() = 0xF0;
            bytes.back() = 0xF7;
            return bytes;
        }();
        const jack_midi_data_t note[] = {0x90, static_cast<jack_midi_data_t>(self.Sent % 128), 100};
        const bool written = self.Sent % 10 == 9
                                 ? jack_midi_event_write(buffer, 0, sysEx.data(), sysEx.size()) == 0
                                 : jack_midi_event_write(buffer, 0, note, sizeof note) == 0;
        if (written) {
            ++self.Sent;
            self.Left.fetch_sub(1);
        }
        return 0;
    }
};

Watched* OwnProcess = nullptr;
std::vector<std::int64_t> Latencies;
std::atomic<int> ReceivedByService{0};
std::atomic<int> ReceivedByRtMidi{0};

void OnServiceMessage(void*, std::int32_t, std::span<const std::uint8_t>) {
    if (Latencies.size() < Latencies.capacity())
        Latencies.push_back(NowNs() - OwnProcess->LastEntryNs.load());
    ReceivedByService.fetch_add(1);
}

void OnRtMidiMessage(double, std::vector<unsigned char>*, void*) {
    ReceivedByRtMidi.fetch_add(1);
}

// The floor: the same relay fed from a plain thread at the same pace, so that
// what JACK adds to the hand-over can be told from what this machine's
// scheduler costs any wake-up.
std::vector<std::int64_t> FloorLatencies;
std::atomic<std::int64_t> FloorPushedNs{0};
std::atomic<int> FloorReceived{0};

void OnFloorMessage(void*, std::int32_t, std::span<const std::uint8_t>) {
    FloorLatencies.push_back(NowNs() - FloorPushedNs.load());
    FloorReceived.fetch_add(1);
}

void MeasureFloor(int messages, std::chrono::microseconds pace) {
    FloorLatencies.reserve(static_cast<std::size_t>(messages));
    BackgroundErrors errors;
    MidiInputRelay relay(errors);
    MidiInputRelay::Source& source = relay.Add({&OnFloorMessage, nullptr, 0});
    const std::uint8_t note[] = {0x90, 60, 100};
    for (int i = 0; i < messages; ++i) {
        std::this_thread::sleep_for(pace);
        FloorPushedNs.store(NowNs());
        source.Push(note);
        relay.Wake();
    }
    std::this_thread::sleep_for(pace);
}

double Percentile(std::vector<std::int64_t> values, double p) {
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    return static_cast<double>(values[static_cast<std::size_t>(p * (values.size() - 1))]);
}

void Report(const char* name, const Watched& watched, int messages) {
    std::vector<std::int64_t> busy, idle;
    for (std::size_t i = 0; i < watched.Durations.size(); ++i)
        (watched.WithMessage[i] ? busy : idle).push_back(watched.Durations[i]);
    std::printf("%s_cycles_with_message=%zu\n", name, busy.size());
    std::printf("%s_callback_ns_p50=%.0f\n", name, Percentile(busy, 0.5));
    std::printf("%s_callback_ns_p99=%.0f\n", name, Percentile(busy, 0.99));
    std::printf("%s_idle_callback_ns_p50=%.0f\n", name, Percentile(idle, 0.5));
    std::printf("%s_heap_per_message=%.2f\n", name, double(watched.Heap.load()) / messages);
    std::printf("%s_locks_per_message=%.2f\n", name, double(watched.Locks.load()) / messages);
    std::printf("%s_wakes_per_message=%.2f\n", name, double(watched.Wakes.load()) / messages);
    std::printf("%s_wakes_after_cycle_per_message=%.2f\n", name,
                double(watched.WakesAfter.load()) / messages);
}

} // namespace

int main(int argc, char* argv[]) {
    int messages = 600;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--messages") == 0)
            messages = std::atoi(argv[++i]);
    }
    Latencies.reserve(static_cast<std::size_t>(messages) * 2);

    Sender sender;
    jack_status_t status{};
    sender.Client = jack_client_open("bench keyboard", JackNoStartServer, &status);
    if (!sender.Client) {
        std::fprintf(stderr, "no JACK server\n");
        return 1;
    }
    sender.Out =
        jack_port_register(sender.Client, "out", JACK_DEFAULT_MIDI_TYPE, JackPortIsOutput, 0);
    jack_set_process_callback(sender.Client, &Sender::Process, &sender);
    jack_activate(sender.Client);
    const std::string source = std::string(jack_get_client_name(sender.Client)) + ":out";

    JackMidiService service("bench editor");
    MidiHandle handle = 0;
    if (service.OpenInput(source, {&OnServiceMessage, nullptr, 0}, handle) != MidiResultCode::Ok) {
        std::fprintf(stderr, "cannot open %s\n", source.c_str());
        return 1;
    }
    Watched& own = Watch[1];
    OwnProcess = &own;

    RtMidiIn rtmidi(RtMidi::UNIX_JACK, "bench rtmidi");
    rtmidi.ignoreTypes(false, false, false);
    rtmidi.setCallback(&OnRtMidiMessage, nullptr);
    for (unsigned int i = 0; i < rtmidi.getPortCount(); ++i) {
        if (rtmidi.getPortName(i) == source)
            rtmidi.openPort(i, "in");
    }
    Watched& baseline = Watch[WatchCount.load() - 1];

    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    own.Measured = baseline.Measured = true;
    const auto sendStart = std::chrono::steady_clock::now();
    sender.Left.store(messages);
    while (sender.Left.load() > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const double sendingSeconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - sendStart).count();
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    own.Measured = baseline.Measured = false;
    // RtMidi may lose a message; its count is reported, not waited for.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (ReceivedByService.load() < messages && std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    std::printf("messages=%d\nsending_s=%.1f\n", messages, sendingSeconds);
    std::printf("received_service=%d\nreceived_rtmidi=%d\n", ReceivedByService.load(),
                ReceivedByRtMidi.load());
    Report("service", own, messages);
    Report("rtmidi", baseline, messages);
    std::printf("latency_us_p50=%.1f\n", Percentile(Latencies, 0.5) / 1000);
    std::printf("latency_us_p99=%.1f\n", Percentile(Latencies, 0.99) / 1000);
    std::printf("latency_us_max=%.1f\n", Percentile(Latencies, 1.0) / 1000);
    MeasureFloor(messages,
                 std::chrono::microseconds(2'000'000 * jack_get_buffer_size(sender.Client) /
                                           jack_get_sample_rate(sender.Client) / 1000));
    std::printf("floor_latency_us_p50=%.1f\n", Percentile(FloorLatencies, 0.5) / 1000);
    std::printf("floor_latency_us_p99=%.1f\n", Percentile(FloorLatencies, 0.99) / 1000);
    std::printf("floor_latency_us_max=%.1f\n", Percentile(FloorLatencies, 1.0) / 1000);
    rtmidi.closePort();
    service.CloseInput(handle);
    jack_deactivate(sender.Client);
    jack_client_close(sender.Client);
    return 0;
}
