// What waiting for the keyboard costs and how soon it is found: the window's
// thread time of one look (the USB list and the port names), the CPU an editor
// takes over a minute of waiting, and the time from the simulator's ports
// appearing to "Connect". Runs on the JACK server that JACK_DEFAULT_SERVER
// names, over a synthetic USB tree. Prints name=value lines.
//
//   hbx_bench_finding --simulator PATH [--looks N] [--idle-seconds S] [--plugs N]

#include "FakeUserPrompts.h"
#include "TempFolder.h"
#include "device/DeviceLink.h"
#include "device/SysfsUsbDeviceQuery.h"
#include "midi/JackMidiService.h"
#include "midi/Midi.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <sys/resource.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Percentile(std::vector<double> values, double share) {
    if (values.empty())
        return -1;
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, static_cast<std::size_t>(share * values.size()))];
}

double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// A bus with a hub and a few other devices, as a desktop has; `keyboard`
// adds the keyboard's ids.
void FillUsbTree(TempFolder& tree, bool keyboard) {
    const char* others[][2] = {{"1d6b", "0002"}, {"046d", "c52b"}, {"8087", "0a2b"},
                               {"0bda", "5411"}, {"04f2", "b6dd"}, {"1050", "0407"}};
    int n = 1;
    for (const auto& [vendor, product] : others) {
        const QString device = QStringLiteral("1-%1").arg(n++);
        QDir(tree.Path()).mkpath(device);
        tree.Write(device + "/idVendor", QByteArray(vendor) + '\n');
        tree.Write(device + "/idProduct", QByteArray(product) + '\n');
    }
    const QString device = QStringLiteral("2-1");
    if (!keyboard) {
        QDir(tree.FilePath(device)).removeRecursively();
        return;
    }
    QDir(tree.Path()).mkpath(device);
    tree.Write(device + "/idVendor", QByteArray::number(Hbx740.UsbVendor, 16) + '\n');
    tree.Write(device + "/idProduct", QByteArray::number(Hbx740.UsbProduct, 16) + '\n');
}

// Microseconds of one look while no keyboard is there, its median and 99th
// percentile.
void TimeLooks(int looks) {
    TempFolder tree;
    FillUsbTree(tree, false);
    SysfsUsbDeviceQuery usb(tree.Path());
    MidiPorts midi(std::make_unique<JackMidiService>());
    DeviceLink link(midi, usb);
    link.CreateSysExLock();
    link.DiscoverDevice();
    std::vector<double> us;
    for (int i = 0; i < looks; ++i) {
        const auto start = Clock::now();
        link.TimerFindTimer();
        us.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::printf("look_median_us=%.1f\nlook_p99_us=%.1f\n", Percentile(us, 0.5),
                Percentile(us, 0.99));
}

struct Simulator {
    QProcess Process;
    QString Output;

    explicit Simulator(const QString& path) {
        QObject::connect(&Process, &QProcess::readyReadStandardOutput,
                         [this] { Output += QString::fromUtf8(Process.readAll()); });
        Process.start(path, {QStringLiteral("--backend"), QStringLiteral("jack")});
    }
    ~Simulator() {
        Process.kill();
        Process.waitForFinished(3000);
    }
    bool Ready() {
        return QTest::qWaitFor([&] { return Output.contains("ready"); }, 10000);
    }
};

// The window waiting for a keyboard: its CPU share over `seconds`, then the
// milliseconds from the simulator's ports appearing to "Connect", `plugs`
// times.
void WaitAndPlug(const QString& simulator, int seconds, int plugs) {
    TempFolder tree;
    FillUsbTree(tree, false);
    SysfsUsbDeviceQuery usb(tree.Path());
    FakeUserPrompts prompts;
    TempFolder folder;
    MidiPorts midi(std::make_unique<JackMidiService>());
    TForm1 window(EditorServices{prompts, usb, midi, folder.Path()});
    window.show();
    auto* connection = window.findChild<QLabel*>(QStringLiteral("LbConnect"));
    QTest::qWait(1500); // start-up's own work is not waiting

    const double cpuBefore = CpuSeconds();
    const auto wallBefore = Clock::now();
    // A plain event loop: QTest::qWait would wake it every few milliseconds.
    QEventLoop idle;
    QTimer::singleShot(seconds * 1000, &idle, &QEventLoop::quit);
    idle.exec();
    const double wall = std::chrono::duration<double>(Clock::now() - wallBefore).count();
    std::printf("idle_seconds=%d\nidle_cpu_percent=%.3f\n", seconds,
                100 * (CpuSeconds() - cpuBefore) / wall);

    FillUsbTree(tree, true);
    std::vector<double> ms;
    for (int i = 0; i < plugs; ++i) {
        {
            Simulator keyboard(simulator);
            if (!keyboard.Ready()) {
                std::fprintf(stderr, "the simulator did not start\n");
                break;
            }
            const auto appeared = Clock::now();
            if (!QTest::qWaitFor([&] { return connection->text() == "Connect"; }, 10000)) {
                std::fprintf(stderr, "plug %d: no \"Connect\" within 10 s\n", i);
                continue;
            }
            ms.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - appeared).count());
        }
        if (!QTest::qWaitFor([&] { return connection->text() == "Disconnect"; }, 5000))
            std::fprintf(stderr, "plug %d: no \"Disconnect\" within 5 s\n", i);
        // Unplugged for a moment at a different point of the look's second.
        QTest::qWait(300 + 170 * i % 1000);
    }
    std::printf("plugs=%zu\nconnect_median_ms=%.0f\nconnect_max_ms=%.0f\n", ms.size(),
                Percentile(ms, 0.5), ms.empty() ? -1 : *std::max_element(ms.begin(), ms.end()));
}

} // namespace

int main(int argc, char* argv[]) {
    int looks = 500, seconds = 60, plugs = 10;
    QString simulator;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--looks") == 0)
            looks = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--idle-seconds") == 0)
            seconds = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--plugs") == 0)
            plugs = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--simulator") == 0)
            simulator = QString::fromLocal8Bit(argv[++i]);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    TimeLooks(looks);
    WaitAndPlug(simulator, seconds, plugs);
    return 0;
}
