#include "model/ProfileFile.h"

#include "model/EditorError.h"
#include "model/FileReader.h"
#include "model/SafeFileWrite.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstring>

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

const char* const NotAProfileSize =
    QT_TRANSLATE_NOOP("EditorError", "Not a profile: %1 bytes, where a profile has %2");

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
    FileReader file(path);
    if (sizeRule == ProfileSizeRule::ExactlyEightRecords && file.Size() != ProfileSize)
        throw EditorError(QCoreApplication::translate("EditorError", NotAProfileSize)
                              .arg(QString::number(file.Size()), QString::number(ProfileSize)));

    const auto wholeRecords =
        static_cast<int>(std::min<qint64>(file.Size() / RecordSize, ControlCount));
    for (int n = 1; n <= wholeRecords; ++n) {
        RecordBytes bytes;
        file.ReadExactly(bytes.data(), bytes.size());
        DecodeRecord(bytes, model.Record(n), limitChannel);
    }
    file.Close();
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
