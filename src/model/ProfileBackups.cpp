#include "model/ProfileBackups.h"

#include "model/EditorError.h"
#include "model/FileError.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <unistd.h>

QString ProfileBackups::Keep(const QString& stem, const QByteArray& content) const {
    QDir folder(Folder);
    if (!folder.mkpath(QStringLiteral(".")))
        RaiseFileError(EACCES, Folder);
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = QStringLiteral("%1-%2.cus").arg(stem, stamp);
    for (int n = 2; folder.exists(name); ++n)
        name = QStringLiteral("%1-%2-%3.cus").arg(stem, stamp).arg(n);
    const QString path = folder.filePath(name);
    // Written whole under a hidden name, then named: a backup is never seen
    // in part. Each step is checked by hand, since QSaveFile (Qt 6.4) can
    // report a commit on a full disk as done and leave an empty file.
    QTemporaryFile file(folder.filePath(QStringLiteral(".%1-XXXXXX").arg(stem)));
    if (!file.open() || file.write(content) != content.size() || !file.flush() ||
        ::fsync(file.handle()) != 0 || !file.rename(path))
        throw EditorError(
            QCoreApplication::translate("EditorError", "Unable to write to %1").arg(path));
    file.setAutoRemove(false);

    const QFileInfoList backups =
        folder.entryInfoList({QStringLiteral("*.cus")}, QDir::Files, QDir::Time | QDir::Reversed);
    for (qsizetype i = 0; i + Kept < backups.size(); ++i)
        QFile::remove(backups[i].filePath());
    return path;
}
