#include "SettingsFile.h"

#include "EditorError.h"

#include <QSettings>

namespace {
const QString FilePathKey = QStringLiteral("System/FilePath");
}

void ReadSettingsFile(QString& ProfilePath, const ProgramFiles& files) {
    QSettings settings(files.SettingsFile(), QSettings::IniFormat);
    ProfilePath = settings.value(FilePathKey, QString()).toString();
    if (!ProfilePath.isEmpty())
        return;

    ProfilePath = files.DefaultProfile();
    settings.setValue(FilePathKey, ProfilePath);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        throw EditorError(QStringLiteral("Unable to write to %1")
                              .arg(QDir::toNativeSeparators(files.SettingsFile())));
}
