#include "midi/ThreadSettings.h"

#include <pthread.h>

void NameThisThread(const char* name) noexcept {
    pthread_setname_np(pthread_self(), name);
}

void RaiseThisThread() noexcept {
    const sched_param lowest{sched_get_priority_min(SCHED_FIFO)};
    pthread_setschedparam(pthread_self(), SCHED_FIFO, &lowest);
}
