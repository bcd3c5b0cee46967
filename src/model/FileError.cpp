#include "model/FileError.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>

void RaiseFileError(int err, const QString& path) {
    using namespace FileErrorText;
    switch (err) {
    case ENOENT:
        throw EditorError(QFileInfo(path).dir().exists() ? FileNotFound : InvalidFilename);
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        throw EditorError(InvalidFilename);
    case EMFILE:
    case ENFILE:
        throw EditorError(TooManyOpenFiles);
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY:
        throw EditorError(AccessDenied);
    case ENOSPC:
#ifdef EDQUOT // POSIX's, not Windows' C library's
    case EDQUOT:
#endif
    case EFBIG:
        throw EditorError(DiskFull);
    default:
        RaiseIoError(err);
    }
}

void RaiseIoError(qint64 code) {
    throw EditorError(QCoreApplication::translate("EditorError", "I/O error %1").arg(code));
}
