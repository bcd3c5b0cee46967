#include "model/SettingsFile.h"

#include "model/EditorError.h"

#include <QFile>
#include <QSettings>
#include <optional>

namespace {

const QString SystemSection = QStringLiteral("System");
const QString FilePathKey = QStringLiteral("FilePath");
const QString DeviceSection = QStringLiteral("Device");
const QString InputPortKey = QStringLiteral("InputPort");
const QString OutputPortKey = QStringLiteral("OutputPort");

// The text after "<key>=" in section [<section>] as the file holds it, or
// nothing when the file has no such line.
std::optional<QString> RawValue(const QString& settingsFile, const QString& section,
                                const QString& key) {
    QFile file(settingsFile);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return std::nullopt;
    bool inSection = false;
    std::optional<QString> value;
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        if (line.startsWith(u'[')) {
            inSection = line == u'[' + section + u']';
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (inSection && equals > 0 && line.left(equals).trimmed() == key)
            value = line.mid(equals + 1).trimmed();
    }
    return value;
}

// A value whole, whatever characters it holds. Qt's reader takes an unquoted
// "," as a list separator and ";" as the start of a comment, so a value
// holding either, written by hand or by another program, would come back
// empty or cut. Quoted values, which is how Qt itself writes them, and every
// other value are Qt's to read.
QString ReadValue(const QString& settingsFile, const QString& section, const QString& key) {
    QSettings settings(settingsFile, QSettings::IniFormat);
    const QString value = settings.value(section + u'/' + key, QString()).toString();
    const std::optional<QString> raw = RawValue(settingsFile, section, key);
    if (raw && !raw->startsWith(u'"') && (raw->contains(u',') || raw->contains(u';')))
        return *raw;
    return value;
}

[[noreturn]] void CannotWrite(const QString& settingsFile) {
    throw EditorError(QCoreApplication::translate("EditorError", "Unable to write to %1")
                          .arg(QDir::toNativeSeparators(settingsFile)));
}

} // namespace

QString ReadProfileSetting(const QString& settingsFile) {
    return ReadValue(settingsFile, SystemSection, FilePathKey);
}

void ReadSettingsFile(QString& ProfilePath, const ProgramFiles& files) {
    ProfilePath = ReadProfileSetting(files.SettingsFile());
    if (!ProfilePath.isEmpty())
        return;

    ProfilePath = files.DefaultProfile();
    QSettings settings(files.SettingsFile(), QSettings::IniFormat);
    settings.setValue(SystemSection + u'/' + FilePathKey, ProfilePath);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        CannotWrite(files.SettingsFile());
}

DeviceChoice ReadDeviceChoice(const QString& settingsFile) {
    return {ReadValue(settingsFile, DeviceSection, InputPortKey),
            ReadValue(settingsFile, DeviceSection, OutputPortKey)};
}

void WriteDeviceChoice(const QString& settingsFile, const DeviceChoice& choice) {
    // QSettings writes back every key it parsed; a profile path that it read
    // cut or as a list is given back whole first, so that it is written quoted.
    const QString profilePath = ReadProfileSetting(settingsFile);
    QSettings settings(settingsFile, QSettings::IniFormat);
    if (!profilePath.isEmpty())
        settings.setValue(SystemSection + u'/' + FilePathKey, profilePath);
    if (choice.Automatic()) {
        settings.remove(DeviceSection);
    } else {
        settings.setValue(DeviceSection + u'/' + InputPortKey, choice.InputPort);
        settings.setValue(DeviceSection + u'/' + OutputPortKey, choice.OutputPort);
    }
    settings.sync();
    if (settings.status() != QSettings::NoError)
        CannotWrite(settingsFile);
}
