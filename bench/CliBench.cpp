// How long hbx740ctl takes to ask the keyboard, from process start to exit,
// against the floor (hbx_bench_jack_floor: the least a program can do for the
// same exchange over JACK), and, for comparison, the window's SYNC TO PC from
// the click to its completion box. The simulator must answer on the JACK
// server that JACK_DEFAULT_SERVER names. Prints name=value lines (medians).
//
//   hbx_bench_cli [--runs N]

#include "FakeUsbDeviceQuery.h"
#include "FakeUserPrompts.h"
#include "TempFolder.h"
#include "midi/JackMidiService.h"
#include "midi/Midi.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// Milliseconds from spawning the program to its exit; negative when it failed.
double TimeRun(const std::vector<std::string>& command) {
    std::vector<char*> argv;
    for (const std::string& word : command)
        argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    const auto start = Clock::now();
    // Their output is not what is measured.
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, argv[0], &quiet, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return -1;
    int status = 0;
    waitpid(pid, &status, 0);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? ms : -1;
}

// Alternating runs of hbx740ctl, the floor, and the floor that also lists
// the ports.
void Compare(const char* name, const std::vector<std::string>& ctl,
             const std::vector<std::string>& floor, int runs) {
    std::vector<std::string> listing = floor;
    listing.push_back("list");
    std::vector<double> ctlMs, floorMs, listingMs;
    for (int i = 0; i < runs; ++i) {
        const double a = TimeRun(ctl);
        const double b = TimeRun(floor);
        const double c = TimeRun(listing);
        if (a < 0 || b < 0 || c < 0) {
            std::fprintf(stderr, "%s: a run failed\n", name);
            continue;
        }
        ctlMs.push_back(a);
        floorMs.push_back(b);
        listingMs.push_back(c);
    }
    std::printf("%s_ctl_ms=%.1f\n%s_floor_ms=%.1f\n%s_floor_listing_ms=%.1f\n", name, Median(ctlMs),
                name, Median(floorMs), name, Median(listingMs));
}

// The window on the same server and keyboard: SYNC TO PC, from the click to
// the completion box.
double WindowSyncToPc(int runs) {
    FakeUserPrompts prompts;
    FakeUsbDeviceQuery usb;
    usb.Ids = {QStringLiteral("USB\\VID_5D2E&PID_9A47\\BENCH")};
    TempFolder folder;
    MidiPorts midi(std::make_unique<JackMidiService>());
    TForm1 window(EditorServices{prompts, usb, midi, folder.Path()});
    window.show();
    auto* connection = window.findChild<QLabel*>(QStringLiteral("LbConnect"));
    if (!QTest::qWaitFor([&] { return connection->text() == "Connect"; }, 5000))
        return -1;
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        prompts.ConfirmAnswers = {true};
        const auto notices = prompts.Notices().size();
        const auto start = Clock::now();
        QTest::mouseClick(window.findChild<QWidget*>(QStringLiteral("BtnSyncPc")), Qt::LeftButton);
        if (!QTest::qWaitFor([&] { return prompts.Notices().size() > notices; }, 3000))
            return -1;
        ms.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    return Median(ms);
}

} // namespace

int main(int argc, char* argv[]) {
    int runs = 30;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0)
            runs = std::atoi(argv[++i]);
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The keyboard on a synthetic USB bus, so that hbx740ctl finds it as it
    // would on a real one.
    TempFolder usb;
    QDir(usb.Path()).mkpath(QStringLiteral("1-4"));
    usb.Write(QStringLiteral("1-4/idVendor"), "5d2e\n");
    usb.Write(QStringLiteral("1-4/idProduct"), "9a47\n");
    qputenv("HBX740_USB_DEVICES", usb.Path().toLocal8Bit());

    Compare("identity", {HBX_CTL, "identity"}, {HBX_FLOOR, "identity"}, runs);
    Compare("read", {HBX_CTL, "read"}, {HBX_FLOOR, "read"}, runs);
    QApplication application(argc, argv);
    std::printf("window_sync_to_pc_ms=%.1f\n", WindowSyncToPc(std::min(runs, 20)));
    return 0;
}
