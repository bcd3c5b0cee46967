#pragma once

#include <QString>

#include <string>
#include <windows.h>

// What the Windows halves of the file code share: paths as the wide calls take
// them, the error texts of their failures, and the test for a regular file.

// `path` absolute, with Windows' separators, as UTF-16. One as long as
// MAX_PATH or longer takes the "\\?\" prefix that lifts that limit; shorter
// ones go without it, so that a device name such as "NUL" still names the
// device (and is refused as no regular file) rather than a file of that name.
std::wstring WidePath(const QString& path);

// Raises the file error (FileError.h) for the Windows error code `code`
// (GetLastError) of an operation on `path`: the same texts as for the POSIX
// codes, and "I/O error" with Windows' own number for the others.
[[noreturn]] void RaiseWindowsFileError(DWORD code, const QString& path);
[[noreturn]] inline void RaiseLastFileError(const QString& path) {
    RaiseWindowsFileError(::GetLastError(), path);
}

// Refuses, with the error a POSIX system gives, an open handle that is no
// regular file: a folder ("File access denied"), a device, a pipe or a console
// ("Not a regular file").
void RequireRegularFile(HANDLE file, const QString& path);
