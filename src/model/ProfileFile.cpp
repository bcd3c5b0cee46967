#include "model/ProfileFile.h"

#include "model/FileError.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum Offset : std::size_t {
    ParaNameAt = 0,
    EditorTextAt = 81,
    DataTypeAt = 164,
    ControlModeAt = 168,
    ValueAt = 172,
    ChannelAt = 176,
    DisableAt = 180,
    SettingsAt = 184,
};

void PutInt(RecordBytes& bytes, std::size_t at, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

std::int32_t GetInt(const RecordBytes& bytes, std::size_t at) {
    std::uint32_t u = 0;
    for (std::size_t i = 0; i < 4; ++i)
        u |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
    return static_cast<std::int32_t>(u);
}

void PutName(RecordBytes& bytes, std::size_t at, const FixedName& name) {
    bytes[at] = static_cast<char>(name.Length());
    std::memcpy(&bytes[at + 1], name.Store().data(), FixedName::Capacity);
}

void GetName(const RecordBytes& bytes, std::size_t at, FixedName& name) {
    name.AssignBytes(&bytes[at + 1], static_cast<unsigned char>(bytes[at]));
}

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

QByteArray NativePath(const QString& path) {
    return QFile::encodeName(path);
}

void ReadExactly(int fd, char* data, std::size_t size, const QString& path) {
    while (size > 0) {
        const ssize_t n = ::read(fd, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            RaiseFileError(errno, path);
        if (n == 0)
            throw EditorError(FileErrorText::ReadBeyondEnd);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void WriteExactly(int fd, const char* data, std::size_t size, const QString& path) {
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

// Where the bytes finally go: the file a link points at, so that saving
// through a link keeps the link.
QString WriteTarget(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymLink() && info.exists())
        return info.canonicalFilePath();
    return path;
}

// The profile is replaced rather than rewritten in place, so refuse here what
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
    explicit TemporaryFile(const QString& target) : Target(target) {
        const QFileInfo info(target);
        for (;;) {
            const QString name =
                QStringLiteral(".%1.%2.tmp")
                    .arg(info.fileName())
                    .arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
            Path = NativePath(info.dir().filePath(name));
            File = std::make_unique<UniqueFd>(
                ::open(Path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
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

    // Gives the file the owner, group and permissions of the profile it
    // replaces; false when the owner or group cannot be kept.
    bool TakeOver(const struct stat& profile) {
        struct stat own {};
        if (::fstat(Fd(), &own) != 0)
            return false;
        if ((own.st_uid != profile.st_uid || own.st_gid != profile.st_gid) &&
            ::fchown(Fd(), profile.st_uid, profile.st_gid) != 0)
            return false;
        return ::fchmod(Fd(), profile.st_mode & 07777) == 0;
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

// Rewrites the existing profile itself, for when it cannot be replaced: the
// bytes are written over the old ones and the file cut to their length.
void WriteInPlace(const QString& target, const QByteArray& profile) {
    UniqueFd file(::open(NativePath(target).constData(), O_WRONLY | O_CLOEXEC));
    if (file.Get() < 0)
        RaiseFileError(errno, target);
    WriteExactly(file.Get(), profile.constData(), static_cast<std::size_t>(profile.size()), target);
    if (::ftruncate(file.Get(), profile.size()) != 0 || ::fsync(file.Get()) != 0)
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

RecordBytes EncodeRecord(const ControlRecord& record) {
    RecordBytes bytes{};
    PutName(bytes, ParaNameAt, record.ParaName);
    PutName(bytes, EditorTextAt, record.EditorText);
    PutInt(bytes, DataTypeAt, record.DataType);
    PutInt(bytes, ControlModeAt, record.ControlMode);
    PutInt(bytes, ValueAt, record.Value);
    PutInt(bytes, ChannelAt, record.Channel);
    PutInt(bytes, DisableAt, record.Disable);
    for (std::size_t i = 0; i < record.Settings.size(); ++i)
        PutInt(bytes, SettingsAt + 4 * i, record.Settings[i]);
    return bytes;
}

void DecodeRecord(const RecordBytes& bytes, ControlRecord& record, bool limitChannel) {
    record.Value = GetInt(bytes, ValueAt);
    record.Disable = GetInt(bytes, DisableAt);
    record.DataType = GetInt(bytes, DataTypeAt);
    record.ControlMode = GetInt(bytes, ControlModeAt);
    for (std::size_t i = 0; i < record.Settings.size(); ++i)
        record.Settings[i] = GetInt(bytes, SettingsAt + 4 * i);
    record.Channel = GetInt(bytes, ChannelAt);
    if (limitChannel && record.Channel > 15)
        record.Channel = 15;
    GetName(bytes, ParaNameAt, record.ParaName);
    GetName(bytes, EditorTextAt, record.EditorText);
}

void LoadParaFromFile(ParameterModel& model, const QString& path, bool limitChannel) {
    UniqueFd file(::open(NativePath(path).constData(), O_RDONLY | O_CLOEXEC));
    if (file.Get() < 0)
        RaiseFileError(errno, path);
    struct stat st {};
    if (::fstat(file.Get(), &st) != 0)
        RaiseFileError(errno, path);
    if (S_ISDIR(st.st_mode))
        RaiseFileError(EISDIR, path);

    const auto wholeRecords =
        static_cast<int>(std::min<off_t>(st.st_size / RecordSize, ControlCount));
    for (int n = 1; n <= wholeRecords; ++n) {
        RecordBytes bytes;
        ReadExactly(file.Get(), bytes.data(), bytes.size(), path);
        DecodeRecord(bytes, model.Record(n), limitChannel);
    }
    if (file.Close() != 0)
        RaiseFileError(errno, path);
}

QByteArray EncodeProfile(const ParameterModel& model) {
    QByteArray profile;
    profile.reserve(ProfileSize);
    for (int n = 1; n <= ControlCount; ++n) {
        const RecordBytes bytes = EncodeRecord(model.Record(n));
        profile.append(bytes.data(), RecordSize);
    }
    return profile;
}

void SaveParaToFile(const ParameterModel& model, const QString& path) {
    const QString target = WriteTarget(path);
    CheckReplaceable(target);
    const QByteArray profile = EncodeProfile(model);

    struct stat existing {};
    const bool exists = ::stat(NativePath(target).constData(), &existing) == 0;
    TemporaryFile file(target);
    if (file.Fd() < 0) {
        // A writable profile in a folder that takes no new file stays savable.
        if (!exists)
            RaiseFileError(file.Error(), target);
        WriteInPlace(target, profile);
        return;
    }
    // Replacing must not change who owns the profile (root saving a user's
    // profile); where that cannot be kept, the profile is rewritten instead.
    if (exists && !file.TakeOver(existing)) {
        WriteInPlace(target, profile);
        return;
    }
    WriteExactly(file.Fd(), profile.constData(), static_cast<std::size_t>(profile.size()), target);
    file.Commit();
    SyncFolderOf(target);
}
