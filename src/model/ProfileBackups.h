#pragma once

#include <QByteArray>
#include <QString>

// Copies of profiles as they were before something replaced them, kept in one
// folder and named after the profile with the date and time. The newest
// `Kept` are kept.
class ProfileBackups {
public:
    static constexpr int Kept = 50;

    explicit ProfileBackups(QString folder) : Folder(std::move(folder)) {}

    const QString& Path() const { return Folder; }

    // Writes `content` as "<stem>-<yyyyMMdd-HHmmss>.cus" (with a number added
    // should that name be taken) and removes the oldest beyond Kept. Returns
    // the new file's path; raises the file error when it cannot be written,
    // which leaves nothing behind.
    QString Keep(const QString& stem, const QByteArray& content) const;

private:
    QString Folder;
};
