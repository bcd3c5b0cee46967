#pragma once

#include <windows.h>

// An open Windows file handle, closed when it goes out of scope.
class UniqueHandle {
public:
    explicit UniqueHandle(HANDLE handle) : Handle(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() {
        if (Valid())
            ::CloseHandle(Handle);
    }
    bool Valid() const { return Handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return Handle; }
    // Closes now so that the close's own failure is seen.
    bool Close() {
        const bool closed = ::CloseHandle(Handle) != 0;
        Handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE Handle;
};
