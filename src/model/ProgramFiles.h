#pragma once

#include <QDir>
#include <QString>

// Where the editor keeps its files: the settings file "System.ini", the
// default profile "customer.cus" and the backups of overwritten profiles.
//
// A copy run from a folder the user can write (the build folder, an unpacked
// archive) is portable and keeps them beside the program. An installed copy,
// run from the folder it was installed to or from one its user cannot write,
// keeps the settings in $XDG_CONFIG_HOME/HBX740 and the rest in
// $XDG_DATA_HOME/HBX740, and never writes beside itself, as root neither.
class ProgramFiles {
public:
    // Everything in one folder: a portable copy's, or a test's.
    ProgramFiles(const QString& folder) : SettingsFolder(folder), DataFolder(folder) {}
    ProgramFiles(QString settingsFolder, QString dataFolder)
        : SettingsFolder(std::move(settingsFolder)), DataFolder(std::move(dataFolder)) {}

    // The places for a program in `programFolder`, installed to
    // `installedFolder`. Makes the user's folders when they are the places.
    static ProgramFiles Locate(const QString& programFolder, const QString& installedFolder);
    // The places for the running program, which knows where it installs to.
    static ProgramFiles ForThisProgram();

    QString SettingsFile() const {
        return QDir(SettingsFolder).filePath(QStringLiteral("System.ini"));
    }
    QString DefaultProfile() const {
        return QDir(DataFolder).filePath(QStringLiteral("customer.cus"));
    }
    QString BackupFolder() const { return QDir(DataFolder).filePath(QStringLiteral("backups")); }

private:
    QString SettingsFolder;
    QString DataFolder;
};
