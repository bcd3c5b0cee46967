#include "midi/WakeSignal.h"

#include <stdexcept>
#include <sys/eventfd.h>
#include <unistd.h>

WakeSignal::WakeSignal() : Handle(eventfd(0, EFD_CLOEXEC)) {
    if (Handle < 0)
        throw std::runtime_error("cannot create a wake-up counter");
}

WakeSignal::~WakeSignal() {
    ::close(static_cast<int>(Handle));
}

void WakeSignal::Post() noexcept {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(static_cast<int>(Handle), &one, sizeof one);
}

void WakeSignal::Wait() noexcept {
    std::uint64_t posts = 0;
    [[maybe_unused]] const ssize_t read = ::read(static_cast<int>(Handle), &posts, sizeof posts);
}

void WakeSignal::TakeSeen() noexcept {
    Wait();
}
