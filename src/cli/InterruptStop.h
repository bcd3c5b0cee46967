#pragma once

// Ctrl+C (and on Linux SIGTERM) ends the application's event loop instead of
// the process, for as long as an InterruptStop lives. One at a time.
class InterruptStop {
public:
    InterruptStop();
    ~InterruptStop();
    InterruptStop(const InterruptStop&) = delete;
    InterruptStop& operator=(const InterruptStop&) = delete;
};
