#pragma once

#include <QDir>
#include <QString>

// Where the editor keeps its files: the settings file "System.ini", the
// default profile "customer.cus" and the backups of overwritten profiles.
//
// A portable copy (the build folder, an unpacked archive) keeps them beside
// the program; an installed copy keeps them in the user's folders and never
// writes beside itself, as root neither.
//
// On Linux a copy is installed when it runs from the folder it was installed
// to or from one its user cannot write, and keeps the settings in
// $XDG_CONFIG_HOME/HBX740 and the rest in $XDG_DATA_HOME/HBX740.
//
// On Windows a copy is installed when the file named by InstalledMarker lies
// beside the program, which the installer writes there (its content does not
// matter) and the zip archive lacks: everyone may write Program Files under
// Wine, and the user chooses the folder when installing, so neither can
// decide it. An installed copy keeps everything in %APPDATA%\HBX740, the
// backups in %APPDATA%\HBX740\backups.
class ProgramFiles {
public:
    static constexpr const char* InstalledMarker = "installed.txt";

    // Everything in one folder: a portable copy's, or a test's.
    ProgramFiles(const QString& folder) : SettingsFolder(folder), DataFolder(folder) {}
    ProgramFiles(QString settingsFolder, QString dataFolder)
        : SettingsFolder(std::move(settingsFolder)), DataFolder(std::move(dataFolder)) {}

    // The places for a program in `programFolder`, installed to
    // `installedFolder` (on Linux; Windows goes by the marker). Makes the
    // user's folders when they are the places.
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
    // The platform's halves (ProgramFilesPosix.cpp, ProgramFilesWindows.cpp).
    static bool IsInstalled(const QString& programFolder, const QString& installedFolder);
    // An installed copy's folders, not yet made.
    static ProgramFiles UsersFolders();

    QString SettingsFolder;
    QString DataFolder;
};
