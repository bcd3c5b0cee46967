#include "midi/ThreadSettings.h"

#include <windows.h>

void NameThisThread(const char* name) noexcept {
    // Windows 10 has SetThreadDescription, which Debian 12's MinGW-w64
    // headers do not declare yet: looked up in kernel32, and skipped where
    // it is missing.
    using Describe = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    static const auto describe = reinterpret_cast<Describe>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "SetThreadDescription")));
    if (!describe)
        return;
    // The names given are short and ASCII.
    wchar_t wide[64] = {};
    for (int i = 0; i < 63 && name[i]; ++i)
        wide[i] = static_cast<wchar_t>(name[i]);
    describe(GetCurrentThread(), wide);
}

void RaiseThisThread() noexcept {
    SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_TIME_CRITICAL);
}
