#include "model/ProgramFiles.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {

bool SameFolder(const QString& a, const QString& b) {
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

} // namespace

ProgramFiles ProgramFiles::Locate(const QString& programFolder, const QString& installedFolder) {
    const bool installed = SameFolder(programFolder, installedFolder) ||
                           ::access(QFile::encodeName(programFolder).constData(), W_OK) != 0;
    if (!installed)
        return ProgramFiles(programFolder);
    const auto userFolder = [](QStandardPaths::StandardLocation location) {
        const QString folder =
            QDir(QStandardPaths::writableLocation(location)).filePath(QStringLiteral("HBX740"));
        // A folder that cannot be made shows as the start-up step that needs it.
        QDir().mkpath(folder);
        return folder;
    };
    return {userFolder(QStandardPaths::GenericConfigLocation),
            userFolder(QStandardPaths::GenericDataLocation)};
}

ProgramFiles ProgramFiles::ForThisProgram() {
    return Locate(QCoreApplication::applicationDirPath(), QStringLiteral(HBX740_BINDIR));
}
