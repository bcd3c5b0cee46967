#pragma once

#include <QByteArray>
#include <QString>

// Copies of profiles as they were before something replaced them, kept in one
// folder and named after the profile with the date and time:
// "<stem>-<yyyyMMdd-HHmmss>.cus", or "<stem>-<yyyyMMdd-HHmmss>-<n>.cus" when
// that name was taken. The stem is the profile's name ("keyboard" for what
// hbx740ctl read from the keyboard), cut between two characters where the
// whole name would not fit the file system. Each stem keeps its newest
// `Kept`; a file of the folder that is no backup of the stem by that pattern
// is never removed.
class ProfileBackups {
public:
    static constexpr int Kept = 50;

    explicit ProfileBackups(QString folder) : Folder(std::move(folder)) {}

    const QString& Path() const { return Folder; }

    // Keeps `content` as the newest backup of `stem` and removes that stem's
    // oldest beyond Kept. Content the same as the stem's newest backup is not
    // written again: its path is returned. Returns the backup's path; raises
    // the file error when it cannot be written, which leaves nothing behind.
    QString Keep(const QString& stem, const QByteArray& content) const;

private:
    QString Folder;
};
