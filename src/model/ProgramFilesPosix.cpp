#include "model/ProgramFiles.h"

#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

namespace {

bool SameFolder(const QString& a, const QString& b) {
    const QString first = QFileInfo(a).canonicalFilePath();
    return !first.isEmpty() && first == QFileInfo(b).canonicalFilePath();
}

QString UserFolder(QStandardPaths::StandardLocation location) {
    return QDir(QStandardPaths::writableLocation(location)).filePath(QStringLiteral("HBX740"));
}

} // namespace

bool ProgramFiles::IsInstalled(const QString& programFolder, const QString& installedFolder) {
    return SameFolder(programFolder, installedFolder) ||
           ::access(QFile::encodeName(programFolder).constData(), W_OK) != 0;
}

ProgramFiles ProgramFiles::UsersFolders() {
    return {UserFolder(QStandardPaths::GenericConfigLocation),
            UserFolder(QStandardPaths::GenericDataLocation)};
}
