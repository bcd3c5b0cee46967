#include "model/ProgramFiles.h"

#include <QFileInfo>
#include <QStandardPaths>

bool ProgramFiles::IsInstalled(const QString& programFolder, const QString&) {
    return QFileInfo::exists(QDir(programFolder).filePath(QLatin1String(InstalledMarker)));
}

ProgramFiles ProgramFiles::UsersFolders() {
    // The roaming application data, which Windows sets for every user; Qt's
    // own places would add an organisation and program name, or be the local
    // one.
    QString appData = QDir::fromNativeSeparators(qEnvironmentVariable("APPDATA"));
    if (appData.isEmpty())
        appData = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return ProgramFiles(QDir(appData).filePath(QStringLiteral("HBX740")));
}
