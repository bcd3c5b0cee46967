// A flood of short messages into the real window: by default 100,000 a second
// for ten seconds through the fake service, injected from a thread of their
// own in one batch every millisecond. Meanwhile a 5 ms timer on the window's
// thread records how late it fires; the same timer runs first without
// messages, as the baseline. Afterwards the monitor line must show the last
// message, and resident memory is compared with its size before the flood.
//
// Options: --seconds N, --rate N (messages a second), --idle-seconds N.
// Prints one "name=value" a line.

#include "BenchWindow.h"
#include "ProcStatus.h"
#include "ui/MonitorLine.h"

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;

constexpr double TimerMs = 5.0;

// How late a 5 ms single-shot timer fires, re-armed at every timeout.
class LatenessProbe {
public:
    LatenessProbe() {
        Timer.setSingleShot(true);
        Timer.setTimerType(Qt::PreciseTimer);
        Timer.setInterval(static_cast<int>(TimerMs));
        QObject::connect(&Timer, &QTimer::timeout, &Timer, [this] { Fired(); });
    }

    void Start() {
        Samples.clear();
        Armed = Clock::now();
        Timer.start();
    }
    void Stop() { Timer.stop(); }
    // Lateness of each timeout in ms, sorted.
    std::vector<double> Sorted() const {
        std::vector<double> sorted = Samples;
        std::sort(sorted.begin(), sorted.end());
        return sorted;
    }

private:
    void Fired() {
        const auto now = Clock::now();
        Samples.push_back(std::max(0.0, Milliseconds(now - Armed).count() - TimerMs));
        Armed = now;
        Timer.start();
    }

    QTimer Timer;
    Clock::time_point Armed;
    std::vector<double> Samples;
};

double Percentile(const std::vector<double>& sorted, double p) {
    if (sorted.empty())
        return 0.0;
    const auto rank = static_cast<std::size_t>(std::ceil(p * static_cast<double>(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

void PrintLateness(const char* phase, const LatenessProbe& probe) {
    const std::vector<double> sorted = probe.Sorted();
    std::printf("%s_timer_samples=%zu\n", phase, sorted.size());
    std::printf("%s_lateness_ms_p50=%.3f\n", phase, Percentile(sorted, 0.50));
    std::printf("%s_lateness_ms_p99=%.3f\n", phase, Percentile(sorted, 0.99));
    std::printf("%s_lateness_ms_max=%.3f\n", phase, sorted.empty() ? 0.0 : sorted.back());
}

// Message i of the flood: note-ons over all channels, notes and velocities, so
// the last one is told apart from the rest.
std::vector<std::uint8_t> FloodMessage(long i) {
    return {static_cast<std::uint8_t>(0x90 | (i % 16)), static_cast<std::uint8_t>((i / 16) % 128),
            static_cast<std::uint8_t>((i / 2048) % 128)};
}

void RunEventLoop(std::chrono::milliseconds duration) {
    QEventLoop loop;
    QTimer::singleShot(duration, &loop, &QEventLoop::quit);
    loop.exec();
}

long ResidentKiB() {
    return ProcStatusKiB("VmRSS").value_or(-1);
}

long Option(int argc, char* argv[], const char* name, long fallback) {
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], name) == 0)
            return std::stol(argv[i + 1]);
    }
    return fallback;
}

} // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const long seconds = Option(argc, argv, "--seconds", 10);
    const long rate = Option(argc, argv, "--rate", 100000);
    const long idleSeconds = Option(argc, argv, "--idle-seconds", 5);
    const long perMs = rate / 1000;
    const long total = perMs * seconds * 1000;

    BenchWindow bench;
    // Past the window's start-up work before anything is measured.
    RunEventLoop(std::chrono::milliseconds(500));
    LatenessProbe probe;

    const long idleBefore = ResidentKiB();
    probe.Start();
    RunEventLoop(std::chrono::seconds(idleSeconds));
    probe.Stop();
    const long idleAfter = ResidentKiB();
    PrintLateness("idle", probe);

    const long floodBefore = ResidentKiB();
    double injectSeconds = 0.0;
    QEventLoop floodLoop;
    probe.Start();
    {
        std::jthread injector([&] {
            const auto start = Clock::now();
            long sent = 0;
            for (long ms = 1; ms <= seconds * 1000; ++ms) {
                for (long k = 0; k < perMs; ++k)
                    bench.Midi().Inject(bench.KeyboardInput(), FloodMessage(sent++));
                std::this_thread::sleep_until(start + std::chrono::milliseconds(ms));
            }
            injectSeconds = std::chrono::duration<double>(Clock::now() - start).count();
            QMetaObject::invokeMethod(&floodLoop, &QEventLoop::quit, Qt::QueuedConnection);
        });
        floodLoop.exec();
    }
    probe.Stop();
    PrintLateness("flood", probe);

    bench.Midi().WaitUntilDelivered();
    const std::vector<std::uint8_t> last = FloodMessage(total - 1);
    const MonitorLine& monitor = bench.Window().Monitor();
    const auto showsLast = [&] {
        return monitor.LastStatus() == last[0] && monitor.LastData1() == last[1] &&
               monitor.LastData2() == last[2];
    };
    for (const auto deadline = Clock::now() + std::chrono::seconds(2);
         !showsLast() && Clock::now() < deadline;)
        RunEventLoop(std::chrono::milliseconds(10));
    const long floodAfter = ResidentKiB();

    std::printf("flood_messages=%ld\n", total);
    std::printf("flood_seconds=%.3f\n", injectSeconds);
    std::printf("monitor_ends_on_last=%d\n", showsLast() ? 1 : 0);
    std::printf("idle_rss_growth_kib=%ld\n", idleAfter - idleBefore);
    std::printf("flood_rss_before_kib=%ld\n", floodBefore);
    std::printf("flood_rss_after_kib=%ld\n", floodAfter);
    std::printf("flood_rss_growth_kib=%ld\n", floodAfter - floodBefore);
    return showsLast() ? 0 : 1;
}
