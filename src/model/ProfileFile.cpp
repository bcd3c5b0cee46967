#include "model/ProfileFile.h"

#include "model/FileError.h"
#include "model/SafeFileWrite.h"
#include "model/UniqueFd.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
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

const char* const NotAProfileSize =
    QT_TRANSLATE_NOOP("EditorError", "Not a profile: %1 bytes, where a profile has %2");

// Only a regular file holds a profile: a FIFO would hold the reader until some
// program writes to it, and a device may never end.
void RequireRegularFile(const struct stat& st, const QString& path) {
    if (S_ISDIR(st.st_mode))
        RaiseFileError(EISDIR, path);
    if (!S_ISREG(st.st_mode))
        throw EditorError(FileErrorText::NotARegularFile);
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

void LoadParaFromFile(ParameterModel& model, const QString& path, bool limitChannel,
                      ProfileSizeRule sizeRule) {
    const QByteArray name = NativePath(path);
    // Looked at before it is opened, since opening a device may already act on
    // it; and again once open, for a file replaced in between, which opening
    // without blocking keeps from holding the reader if it is a FIFO.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        RaiseFileError(errno, path);
    RequireRegularFile(st, path);
    UniqueFd file(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (file.Get() < 0)
        RaiseFileError(errno, path);
    if (::fstat(file.Get(), &st) != 0)
        RaiseFileError(errno, path);
    RequireRegularFile(st, path);
    if (sizeRule == ProfileSizeRule::ExactlyEightRecords && st.st_size != ProfileSize)
        throw EditorError(QCoreApplication::translate("EditorError", NotAProfileSize)
                              .arg(QString::number(st.st_size), QString::number(ProfileSize)));

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
    WriteFileSafely(path, EncodeProfile(model));
}
