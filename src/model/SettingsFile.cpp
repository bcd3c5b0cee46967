#include "model/SettingsFile.h"

#include "model/EditorError.h"
#include "model/IniFile.h"
#include "model/SafeFileWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <functional>
#include <optional>

namespace {

const QString SystemSection = QStringLiteral("System");
const QString FilePathKey = QStringLiteral("FilePath");
const QString DeviceSection = QStringLiteral("Device");
const QString InputPortKey = QStringLiteral("InputPort");
const QString OutputPortKey = QStringLiteral("OutputPort");

// The file's bytes, empty when there is no file; nothing when there is one
// that cannot be read.
std::optional<QByteArray> ReadBytes(const QString& settingsFile) {
    const QFileInfo info(settingsFile);
    if (!info.exists())
        return QByteArray();
    // A FIFO or a device would hold the reader.
    QFile file(settingsFile);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

// A file that cannot be read names nothing, as a missing one.
IniFile Read(const QString& settingsFile) {
    return IniFile(ReadBytes(settingsFile).value_or(QByteArray()));
}

[[noreturn]] void CannotWrite(const QString& settingsFile) {
    throw EditorError(QCoreApplication::translate("EditorError", "Unable to write to %1")
                          .arg(QDir::toNativeSeparators(settingsFile)));
}

// Changes the file's keys and leaves its other lines as they are. A file that
// is there but cannot be read is never replaced by one holding only the keys.
void Change(const QString& settingsFile, const std::function<void(IniFile&)>& change) {
    const std::optional<QByteArray> bytes = ReadBytes(settingsFile);
    if (!bytes)
        CannotWrite(settingsFile);
    IniFile settings(*bytes);
    change(settings);
    try {
        WriteFileSafely(settingsFile, settings.Text());
    } catch (const EditorError&) {
        CannotWrite(settingsFile);
    }
}

} // namespace

QString ReadProfileSetting(const QString& settingsFile) {
    return Read(settingsFile).Value(SystemSection, FilePathKey);
}

void ReadSettingsFile(QString& ProfilePath, const ProgramFiles& files) {
    ProfilePath = ReadProfileSetting(files.SettingsFile());
    if (!ProfilePath.isEmpty())
        return;

    ProfilePath = files.DefaultProfile();
    Change(files.SettingsFile(),
           [&](IniFile& settings) { settings.SetValue(SystemSection, FilePathKey, ProfilePath); });
}

DeviceChoice ReadDeviceChoice(const QString& settingsFile) {
    const IniFile settings = Read(settingsFile);
    return {settings.Value(DeviceSection, InputPortKey),
            settings.Value(DeviceSection, OutputPortKey)};
}

void WriteDeviceChoice(const QString& settingsFile, const DeviceChoice& choice) {
    Change(settingsFile, [&](IniFile& settings) {
        if (choice.Automatic()) {
            settings.Remove(DeviceSection, InputPortKey);
            settings.Remove(DeviceSection, OutputPortKey);
        } else {
            settings.SetValue(DeviceSection, InputPortKey, choice.InputPort);
            settings.SetValue(DeviceSection, OutputPortKey, choice.OutputPort);
        }
    });
}
