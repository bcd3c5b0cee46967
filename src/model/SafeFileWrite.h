#pragma once

#include <QByteArray>
#include <QString>
#include <sys/types.h>

// The one way the editor writes a file: the profile, a backup and the
// settings file.
//
// The bytes go to a new file beside the target, which replaces the target only
// once all of them are on disk, so that a failure at any step, a full disk or
// a program killed part-way leaves the previous file as it was. Through a
// symbolic link the linked file is written and the link kept. The replacement
// keeps the file's owner, group and permissions; a new file gets `newFileMode`
// (less the umask). Where the folder takes no new file, or the owner cannot be
// kept, an existing writable file is rewritten in place instead, once the room
// for the new bytes is reserved. A folder, or a file without write
// permission, is refused as writing in place would refuse it, and so is a
// FIFO or a device, which a plain file must not replace. A file with
// several hard links is replaced under the name given; its other names keep
// the previous content.
//
// On Windows (SafeFileWriteWindows.cpp) the new file takes the target's place
// by MoveFileExW, written through to the disk; owner and permissions are
// POSIX's, so a new or replacing file takes its folder's access rules and
// `newFileMode` is not used, and a read-only file is what is refused as
// write-protected.
//
// Raises the file error of the step that failed (see FileError.h).
void WriteFileSafely(const QString& path, const QByteArray& content, mode_t newFileMode = 0666);

// `name` cut, between two characters, so that it and `addedBytes` more fit
// the longest file name the file system takes: 255 bytes of UTF-8 (on
// Windows too, which is within NTFS's 255 UTF-16 units).
QString FitFileName(const QString& name, qsizetype addedBytes);
