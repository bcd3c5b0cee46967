#pragma once

#include <unistd.h>

// An open file descriptor, closed when it goes out of scope.
class UniqueFd {
public:
    explicit UniqueFd(int fd) : Fd(fd) {}
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    ~UniqueFd() {
        if (Fd >= 0)
            ::close(Fd);
    }
    int Get() const { return Fd; }
    // Closes now so that the close's own failure is seen.
    int Close() {
        const int result = ::close(Fd);
        Fd = -1;
        return result;
    }

private:
    int Fd;
};
