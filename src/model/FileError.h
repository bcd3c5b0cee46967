#pragma once

#include "model/EditorError.h"

#include <QString>

// The profile routines' failures, each with the text the user sees for its
// cause.
namespace FileErrorText {
inline const char* const FileNotFound = QT_TRANSLATE_NOOP("EditorError", "File not found");
inline const char* const InvalidFilename = QT_TRANSLATE_NOOP("EditorError", "Invalid filename");
inline const char* const TooManyOpenFiles = QT_TRANSLATE_NOOP("EditorError", "Too many open files");
inline const char* const AccessDenied = QT_TRANSLATE_NOOP("EditorError", "File access denied");
inline const char* const ReadBeyondEnd =
    QT_TRANSLATE_NOOP("EditorError", "Read beyond end of file");
inline const char* const DiskFull = QT_TRANSLATE_NOOP("EditorError", "Disk full");
// A FIFO, a device or a socket where a file is read or written.
inline const char* const NotARegularFile = QT_TRANSLATE_NOOP("EditorError", "Not a regular file");
} // namespace FileErrorText

// Raises the error for the operating system's error code `err` (errno) from an
// operation on `path`. A missing entry is "File not found" when its folder
// exists and "Invalid filename" when the folder is missing.
[[noreturn]] void RaiseFileError(int err, const QString& path);

// Raises "I/O error" with the operating system's own code for a failure that
// has no text of its own.
[[noreturn]] void RaiseIoError(qint64 code);
