#include "model/ProgramFiles.h"

#include <QCoreApplication>

ProgramFiles ProgramFiles::Locate(const QString& programFolder, const QString& installedFolder) {
    if (!IsInstalled(programFolder, installedFolder))
        return ProgramFiles(programFolder);
    ProgramFiles files = UsersFolders();
    // A folder that cannot be made shows as the start-up step that needs it.
    QDir().mkpath(files.SettingsFolder);
    QDir().mkpath(files.DataFolder);
    return files;
}

ProgramFiles ProgramFiles::ForThisProgram() {
    return Locate(QCoreApplication::applicationDirPath(), QStringLiteral(HBX740_BINDIR));
}
