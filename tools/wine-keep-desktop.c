// Keeps Wine's desktop up while the Windows programs of a run come and go.
// Wine starts its desktop process (explorer.exe /desktop) for the first
// program that needs one, handing it that program's standard error, and ends
// it a second after the last program on it has ended: each test program
// would pay for a new desktop, and its runner would wait on the program's
// output until that desktop ended. Started by wine_server (tools/wine-env.sh)
// with its output elsewhere, this program starts the desktop, creates the
// file its argument names once the desktop is up, and waits until it is ended.
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    GetDesktopWindow();
    if (argc > 1) {
        HANDLE ready = CreateFileW(argv[1], GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                                   FILE_ATTRIBUTE_NORMAL, NULL);
        if (ready == INVALID_HANDLE_VALUE)
            return 1;
        CloseHandle(ready);
    }
    Sleep(INFINITE);
    return 0;
}
