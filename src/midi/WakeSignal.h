#pragma once

#include <cstdint>

// A wake-up that any thread posts and one thread takes: the Linux kernel's
// event counter (eventfd), or a Windows auto-reset event. Posts that come
// before it is taken count as one.
class WakeSignal {
public:
    WakeSignal();
    ~WakeSignal();
    WakeSignal(const WakeSignal&) = delete;
    WakeSignal& operator=(const WakeSignal&) = delete;

    // One system call; never blocks.
    void Post() noexcept;
    // Blocks until a post, and takes it.
    void Wait() noexcept;
    // Takes a post that an event loop's notifier has seen (on Windows, the
    // notifier's own wait has taken it already).
    void TakeSeen() noexcept;
    // The descriptor or event handle, for an event loop's notifier.
    std::intptr_t Native() const noexcept { return Handle; }

private:
    std::intptr_t Handle;
};
