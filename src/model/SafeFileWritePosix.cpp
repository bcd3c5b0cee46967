#include "model/SafeFileWrite.h"

#include "model/EditorError.h"
#include "model/FileError.h"
#include "model/UniqueFd.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// What a temporary name adds to the target's: ".", ".<8 hex digits>.tmp".
constexpr qsizetype TemporaryNameBytes = 14;

QByteArray NativePath(const QString& path) {
    return QFile::encodeName(path);
}

void WriteExactly(int fd, const QByteArray& content, const QString& path) {
    const char* data = content.constData();
    auto size = static_cast<std::size_t>(content.size());
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            RaiseFileError(errno, path);
        if (n == 0)
            throw EditorError(FileErrorText::DiskFull);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

// Where the bytes finally go: the file a link points at, so that writing
// through a link keeps the link.
QString WriteTarget(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() && info.exists())
        return info.canonicalFilePath();
    return path;
}

// The file is replaced rather than rewritten in place, so refuse here what
// writing in place would refuse: a folder, or a file that is write-protected
// (no write permission at all counts as protected, for root too).
void CheckReplaceable(const QString& target) {
    struct stat st {};
    if (::stat(NativePath(target).constData(), &st) != 0) {
        if (errno == ENOENT)
            return;
        RaiseFileError(errno, target);
    }
    if (S_ISDIR(st.st_mode))
        RaiseFileError(EISDIR, target);
    // Replacing a FIFO or a device (hbx740ctl read -o /dev/null, as root)
    // would put a plain file in its place.
    if (!S_ISREG(st.st_mode))
        throw EditorError(FileErrorText::NotARegularFile);
    if (::access(NativePath(target).constData(), W_OK) != 0)
        RaiseFileError(errno, target);
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0)
        RaiseFileError(EACCES, target);
}

// A new file beside the target that takes the target's place only when it is
// complete; until then the target stays as it was, and a file left unfinished
// is removed. Opening may fail (a folder that takes no new file): Fd() is then
// negative and Error() tells why.
class TemporaryFile {
public:
    TemporaryFile(const QString& target, mode_t mode) : Target(target) {
        const QFileInfo info(target);
        const QString stem = FitFileName(info.fileName(), TemporaryNameBytes);
        for (;;) {
            const QString number =
                QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0');
            Path = NativePath(info.dir().filePath(QStringLiteral(".%1.%2.tmp").arg(stem, number)));
            File = std::make_unique<UniqueFd>(
                ::open(Path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode));
            if (File->Get() >= 0 || errno != EEXIST)
                break;
        }
        OpenError = File->Get() >= 0 ? 0 : errno;
        Committed = File->Get() < 0;
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (!Committed)
            ::unlink(Path.constData());
    }

    int Fd() const { return File->Get(); }
    int Error() const { return OpenError; }

    // Gives the file the owner, group and permissions of the file it
    // replaces; false when the owner or group cannot be kept.
    bool TakeOver(const struct stat& replaced) {
        struct stat own {};
        if (::fstat(Fd(), &own) != 0)
            return false;
        if ((own.st_uid != replaced.st_uid || own.st_gid != replaced.st_gid) &&
            ::fchown(Fd(), replaced.st_uid, replaced.st_gid) != 0)
            return false;
        return ::fchmod(Fd(), replaced.st_mode & 07777) == 0;
    }

    void Commit() {
        if (::fsync(Fd()) != 0)
            RaiseFileError(errno, Target);
        if (File->Close() != 0)
            RaiseFileError(errno, Target);
        if (::rename(Path.constData(), NativePath(Target).constData()) != 0)
            RaiseFileError(errno, Target);
        Committed = true;
    }

private:
    QString Target;
    QByteArray Path;
    std::unique_ptr<UniqueFd> File;
    int OpenError = 0;
    bool Committed = false;
};

// Rewrites the existing file itself, for when it cannot be replaced: the
// bytes are written over the old ones and the file cut to their length. The
// room for a longer content is reserved first, so that a full disk fails
// before any old byte is overwritten.
void WriteInPlace(const QString& target, const QByteArray& content) {
    UniqueFd file(::open(NativePath(target).constData(), O_WRONLY | O_CLOEXEC));
    if (file.Get() < 0)
        RaiseFileError(errno, target);
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0)
        RaiseFileError(errno, target);
    if (content.size() > st.st_size) {
        const int error = ::posix_fallocate(file.Get(), 0, content.size());
        // A file system that cannot reserve is written as before.
        if (error != 0 && error != EOPNOTSUPP) {
            // A reservation that failed part-way may have grown the file.
            if (::ftruncate(file.Get(), st.st_size) != 0)
                RaiseFileError(errno, target);
            RaiseFileError(error, target);
        }
    }
    WriteExactly(file.Get(), content, target);
    if (::ftruncate(file.Get(), content.size()) != 0 || ::fsync(file.Get()) != 0)
        RaiseFileError(errno, target);
    if (file.Close() != 0)
        RaiseFileError(errno, target);
}

void SyncFolderOf(const QString& target) {
    const UniqueFd folder(
        ::open(NativePath(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY));
    if (folder.Get() >= 0)
        ::fsync(folder.Get());
}

} // namespace

void WriteFileSafely(const QString& path, const QByteArray& content, mode_t newFileMode) {
    const QString target = WriteTarget(path);
    CheckReplaceable(target);

    struct stat existing {};
    const bool exists = ::stat(NativePath(target).constData(), &existing) == 0;
    TemporaryFile file(target, newFileMode);
    if (file.Fd() < 0) {
        // A writable file in a folder that takes no new file stays writable.
        if (!exists)
            RaiseFileError(file.Error(), target);
        WriteInPlace(target, content);
        return;
    }
    // Replacing must not change who owns the file (root saving a user's
    // profile); where that cannot be kept, the file is rewritten instead.
    if (exists && !file.TakeOver(existing)) {
        WriteInPlace(target, content);
        return;
    }
    WriteExactly(file.Fd(), content, target);
    file.Commit();
    SyncFolderOf(target);
}

QString FitFileName(const QString& name, qsizetype addedBytes) {
    // File names are UTF-8 here; the longest takes NAME_MAX bytes.
    const QByteArray native = NativePath(name);
    qsizetype cut = std::max<qsizetype>(NAME_MAX - addedBytes, 0);
    if (native.size() <= cut)
        return name;
    // Back to the first byte of a character (continuation bytes are 10xxxxxx).
    while (cut > 0 && (static_cast<unsigned char>(native[cut]) & 0xC0) == 0x80)
        --cut;
    return QFile::decodeName(native.left(cut));
}
