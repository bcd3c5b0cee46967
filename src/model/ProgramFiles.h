#pragma once

#include <QDir>
#include <QString>

// The files the editor keeps beside its executable.
struct ProgramFiles {
    QString Folder;

    QString SettingsFile() const { return QDir(Folder).filePath(QStringLiteral("System.ini")); }
    QString DefaultProfile() const { return QDir(Folder).filePath(QStringLiteral("customer.cus")); }
};
