#include "model/ProfileBackups.h"

#include "model/FileError.h"
#include "model/SafeFileWrite.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>

namespace {

// The longest a backup's name grows its stem: "-<yyyyMMdd-HHmmss>-<n>.cus".
constexpr qsizetype SuffixBytes = 1 + 15 + 1 + 10 + 4;

// A backup's name is its stem and this: a profile called "a-20260101-120000"
// keeps its own backups, apart from those of "a".
QRegularExpression BackupSuffix() {
    return QRegularExpression(QStringLiteral("^-[0-9]{8}-[0-9]{6}(-[0-9]+)?\\.cus$"));
}

// The backups of `stem`, oldest first.
QFileInfoList BackupsOf(const QDir& folder, const QString& stem) {
    const QRegularExpression suffix = BackupSuffix();
    QFileInfoList backups;
    for (const QFileInfo& file : folder.entryInfoList(QDir::Files, QDir::Time | QDir::Reversed)) {
        const QString name = file.fileName();
        if (name.startsWith(stem) && suffix.match(QStringView(name).mid(stem.size())).hasMatch())
            backups.append(file);
    }
    return backups;
}

bool HoldsExactly(const QFileInfo& file, const QByteArray& content) {
    QFile backup(file.filePath());
    return backup.size() == content.size() && backup.open(QIODevice::ReadOnly) &&
           backup.readAll() == content;
}

} // namespace

QString ProfileBackups::Keep(const QString& fullStem, const QByteArray& content) const {
    QDir folder(Folder);
    if (!folder.mkpath(QStringLiteral(".")))
        RaiseFileError(EACCES, Folder);
    const QString stem = FitFileName(fullStem, SuffixBytes);
    const QFileInfoList backups = BackupsOf(folder, stem);
    if (!backups.isEmpty() && HoldsExactly(backups.constLast(), content))
        return backups.constLast().filePath();

    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = QStringLiteral("%1-%2.cus").arg(stem, stamp);
    for (int n = 2; folder.exists(name); ++n)
        name = QStringLiteral("%1-%2-%3.cus").arg(stem, stamp, QString::number(n));
    const QString path = folder.filePath(name);
    // Only its owner reads a backup, whatever the profile's permissions were.
    WriteFileSafely(path, content, 0600);

    for (qsizetype i = 0; i + Kept <= backups.size(); ++i)
        QFile::remove(backups[i].filePath());
    return path;
}
