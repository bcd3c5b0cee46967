#include "midi/WakeSignal.h"

#include <stdexcept>
#include <windows.h>

WakeSignal::WakeSignal()
    : Handle(reinterpret_cast<std::intptr_t>(CreateEventW(nullptr, FALSE, FALSE, nullptr))) {
    if (!Handle)
        throw std::runtime_error("cannot create a wake-up event");
}

WakeSignal::~WakeSignal() {
    CloseHandle(reinterpret_cast<HANDLE>(Handle));
}

void WakeSignal::Post() noexcept {
    SetEvent(reinterpret_cast<HANDLE>(Handle));
}

void WakeSignal::Wait() noexcept {
    WaitForSingleObject(reinterpret_cast<HANDLE>(Handle), INFINITE);
}

void WakeSignal::TakeSeen() noexcept {}
