#include "model/WindowsFile.h"

#include "model/FileError.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

std::wstring WidePath(const QString& path) {
    QString native = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
    if (native.size() >= MAX_PATH && !native.startsWith(QLatin1String("\\\\?\\"))) {
        // A share's path, \\server\share\..., becomes \\?\UNC\server\share\....
        if (native.startsWith(QLatin1String("\\\\")))
            native.replace(0, 2, QLatin1String("\\\\?\\UNC\\"));
        else
            native.prepend(QLatin1String("\\\\?\\"));
    }
    return native.toStdWString();
}

void RaiseWindowsFileError(DWORD code, const QString& path) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        RaiseFileError(ENOENT, path);
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_DIRECTORY:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_NET_NAME:
        RaiseFileError(ENAMETOOLONG, path);
    case ERROR_TOO_MANY_OPEN_FILES:
        RaiseFileError(EMFILE, path);
    // A file held open by another program is refused as a protected one.
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_WRITE_PROTECT:
        RaiseFileError(EACCES, path);
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_FILE_TOO_LARGE:
        RaiseFileError(ENOSPC, path);
    default:
        RaiseIoError(code);
    }
}

void RequireRegularFile(HANDLE file, const QString& path) {
    if (::GetFileType(file) != FILE_TYPE_DISK)
        throw EditorError(FileErrorText::NotARegularFile);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file, &info))
        RaiseLastFileError(path);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
        RaiseFileError(EISDIR, path);
}
