#include "cli/InterruptStop.h"

#include "cli/CtlError.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <csignal>
#include <memory>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A signal handler may only write: it writes to one end, the event loop
// watches the other.
int StopSockets[2] = {-1, -1};
std::unique_ptr<QSocketNotifier> Watch;

void RequestStop(int) {
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = ::write(StopSockets[0], &byte, 1);
}

void Handle(void (*handler)(int)) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
}

} // namespace

InterruptStop::InterruptStop() {
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, StopSockets) != 0)
        throw CtlError(ExitStatus::NotFound, "cannot wait for Ctrl+C");
    Watch = std::make_unique<QSocketNotifier>(StopSockets[1], QSocketNotifier::Read);
    QObject::connect(Watch.get(), &QSocketNotifier::activated, [] { QCoreApplication::quit(); });
    Handle(RequestStop);
}

InterruptStop::~InterruptStop() {
    Handle(SIG_DFL);
    Watch.reset();
    ::close(StopSockets[0]);
    ::close(StopSockets[1]);
}
