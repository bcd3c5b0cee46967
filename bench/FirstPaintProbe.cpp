#include "FirstPaintProbe.h"

#include "ProcStatus.h"

#include <QCoreApplication>
#include <QEvent>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

double Seconds(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double SecondsSinceLaunch() {
    if (const char* launched = std::getenv("HBX740_LAUNCHED_AT"))
        return Seconds(CLOCK_REALTIME) - std::strtod(launched, nullptr);
    // Field 22 of /proc/self/stat, after the command name in parentheses.
    std::ifstream stat("/proc/self/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream rest(text.substr(text.rfind(')') + 2));
    std::string field;
    for (int i = 3; i <= 22; ++i)
        rest >> field;
    return Seconds(CLOCK_BOOTTIME) -
           std::strtod(field.c_str(), nullptr) / static_cast<double>(sysconf(_SC_CLK_TCK));
}

void InstallProbe() {
    QCoreApplication::instance()->installEventFilter(
        new FirstPaintProbe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)

bool FirstPaintProbe::eventFilter(QObject* watched, QEvent* event) {
    if (!Painted && event->type() == QEvent::Paint && watched->isWidgetType()) {
        Painted = true;
        // Queued, so it runs once the whole frame this paint belongs to has
        // been drawn and handed to the display.
        QMetaObject::invokeMethod(
            this, [this] { Report(); }, Qt::QueuedConnection);
    }
    return QObject::eventFilter(watched, event);
}

void FirstPaintProbe::Report() {
    std::printf("first_paint_ms=%.1f peak_rss_kib=%ld\n", SecondsSinceLaunch() * 1000.0,
                ProcStatusKiB("VmHWM").value_or(-1));
    std::fflush(stdout);
    QCoreApplication::quit();
}
