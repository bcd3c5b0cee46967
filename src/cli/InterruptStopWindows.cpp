#include "cli/InterruptStop.h"

#include <QCoreApplication>
#include <QMetaObject>

#include <windows.h>

namespace {

// Windows calls this on a thread of its own: the quit is posted to the
// application's thread.
BOOL WINAPI RequestStop(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT)
        return FALSE;
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
    return TRUE;
}

} // namespace

InterruptStop::InterruptStop() {
    SetConsoleCtrlHandler(RequestStop, TRUE);
}

InterruptStop::~InterruptStop() {
    SetConsoleCtrlHandler(RequestStop, FALSE);
}
