// The cost on the MIDI thread of one short message: through InputCallback and
// the window's MidiDataIn into the monitor line, against posting one queued Qt
// call per message to an object on the window's thread, the usual way of
// handing work to it. The queued call is posted straight from the benchmark,
// without InputCallback's share, so the comparison leans against the window.
//
// The benchmarks run on a thread of their own, which plays the service's
// thread, while the main thread runs the window's event loop as the editor
// does, so each figure includes the wake-ups the sender pays for. Three cases:
// messages back to back, as in a flood; one message a millisecond, as a
// keyboard being played sends them, each finding the window's thread asleep,
// which a queued call wakes every time and the monitor line, reading them
// once a frame, does not; and the first message after a quiet spell, which
// the monitor line too must wake the window for. allocs_per_msg counts the
// sender's operator new calls.

#include "AllocationCounter.h"
#include "BenchWindow.h"
#include "midi/MidiDispatch.h"
#include "ui/MonitorLine.h"

#include <QApplication>
#include <algorithm>
#include <array>
#include <atomic>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdint>
#include <thread>
#include <vector>

namespace {

// How a window's thread keeps a posted message for the display in the usual
// design. Its own cost, on the window's thread, is not what is measured.
class QueuedMonitor : public QObject {
public:
    void Show(std::uint8_t status, std::uint8_t data1, std::uint8_t data2) {
        Last = status | (data1 << 8) | (data2 << 16);
    }

private:
    std::uint32_t Last = 0;
};

std::array<std::uint8_t, 3> NoteOn(std::uint32_t i) {
    return {0x90, static_cast<std::uint8_t>(i % 128), 100};
}

constexpr std::uint32_t DrainEvery = 4096;

// Waits, untimed, until the window's thread has handled everything posted so
// far. Otherwise queued calls posted faster than they are handled would pile
// up without bound; the monitor line is drained alike, so both paths see the
// same pattern of busy and idle window thread.
void DrainWindowThread(QObject& onWindowThread) {
    QMetaObject::invokeMethod(
        &onWindowThread, [] {}, Qt::BlockingQueuedConnection);
}

void CountAllocations(benchmark::State& state, long before) {
    state.counters["allocs_per_msg"] =
        benchmark::Counter(static_cast<double>(AllocationCounter::Count() - before),
                           benchmark::Counter::kAvgIterations);
}

// Warm-up: whatever is made on first use is made before counting.
template <class Send> void WarmUp(QObject& onWindowThread, Send& send) {
    for (std::uint32_t i = 0; i < DrainEvery; ++i)
        send(i);
    DrainWindowThread(onWindowThread);
}

// Back to back; time is the sender's CPU time.
template <class Send>
void MeasureBackToBack(benchmark::State& state, QObject& onWindowThread, Send send) {
    WarmUp(onWindowThread, send);
    const long before = AllocationCounter::Count();
    std::uint32_t i = 0;
    AllocationCounter::Start();
    for (auto _ : state) {
        send(i);
        if (++i % DrainEvery == 0) {
            AllocationCounter::Stop();
            state.PauseTiming();
            DrainWindowThread(onWindowThread);
            state.ResumeTiming();
            AllocationCounter::Start();
        }
    }
    AllocationCounter::Stop();
    CountAllocations(state, before);
    DrainWindowThread(onWindowThread);
}

// One message every `pause`; time is the send alone, read from the steady
// clock around it (the two readings add some 40 ns). The mean is the
// benchmark's time; a send that the scheduler interrupts weighs heavily in it,
// so the median and the 99th percentile of the sends are counters too.
template <class Send>
void MeasureOneAtATime(benchmark::State& state, QObject& onWindowThread, Send send,
                       std::chrono::milliseconds pause) {
    using Clock = std::chrono::steady_clock;
    WarmUp(onWindowThread, send);
    const long before = AllocationCounter::Count();
    std::vector<double> sendNs;
    sendNs.reserve(static_cast<std::size_t>(state.max_iterations));
    std::uint32_t i = 0;
    for (auto _ : state) {
        std::this_thread::sleep_for(pause);
        const auto start = Clock::now();
        AllocationCounter::Start();
        send(i++);
        AllocationCounter::Stop();
        const std::chrono::duration<double> took = Clock::now() - start;
        state.SetIterationTime(took.count());
        sendNs.push_back(took.count() * 1e9);
    }
    CountAllocations(state, before);
    std::sort(sendNs.begin(), sendNs.end());
    state.counters["median_ns"] = sendNs[sendNs.size() / 2];
    state.counters["p99_ns"] = sendNs[sendNs.size() * 99 / 100];
    DrainWindowThread(onWindowThread);
}

// The least a message can cost the MIDI thread after a pause: one store
// into memory that the window's thread reads.
std::atomic<std::uint32_t> FloorWord{0};
void StoreOneWord(std::uint32_t i) {
    FloorWord.store(i);
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    BenchWindow bench;
    QueuedMonitor queued;

    const auto postQueued = [&queued](std::uint32_t i) {
        const auto message = NoteOn(i);
        const std::uint8_t status = message[0], data1 = message[1], data2 = message[2];
        QMetaObject::invokeMethod(
            &queued, [&queued, status, data1, data2] { queued.Show(status, data1, data2); },
            Qt::QueuedConnection);
    };
    QObject& window = bench.Window();
    TMidiInput& inputs = bench.Inputs();
    const auto SendToMonitorLine = [&inputs](std::uint32_t i) {
        const auto message = NoteOn(i);
        InputCallback(&inputs, 0, message);
    };
    benchmark::RegisterBenchmark(
        "ShortMessage/BackToBack/MonitorLine",
        [&](benchmark::State& state) { MeasureBackToBack(state, window, SendToMonitorLine); });
    benchmark::RegisterBenchmark(
        "ShortMessage/BackToBack/QueuedCall",
        [&](benchmark::State& state) { MeasureBackToBack(state, queued, postQueued); });
    using std::chrono::milliseconds;
    const auto registerPaced = [](const char* name, QObject& target, auto send, milliseconds pause,
                                  int messages) {
        benchmark::RegisterBenchmark(name,
                                     [&target, send, pause](benchmark::State& state) {
                                         MeasureOneAtATime(state, target, send, pause);
                                     })
            ->UseManualTime()
            ->Iterations(messages);
    };
    constexpr int PacedMessages = 2000;
    registerPaced("ShortMessage/Paced/MonitorLine", window, SendToMonitorLine, milliseconds(1),
                  PacedMessages);
    registerPaced("ShortMessage/Paced/QueuedCall", queued, postQueued, milliseconds(1),
                  PacedMessages);
    registerPaced("ShortMessage/Paced/OneStore", window, StoreOneWord, milliseconds(1),
                  PacedMessages);
    // Longer than the monitor line watches after its last message.
    const milliseconds quiet(MonitorPace{}.FrameMs * (MonitorPace{}.QuietFrames + 4));
    registerPaced("ShortMessage/AfterQuiet/MonitorLine", window, SendToMonitorLine, quiet, 5);

    std::jthread midiThread([] {
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        QMetaObject::invokeMethod(
            qApp, [] { QCoreApplication::quit(); }, Qt::QueuedConnection);
    });
    return QApplication::exec();
}
