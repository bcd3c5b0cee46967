#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A scratch folder that stands for the program's folder in a test.
class TempFolder {
public:
    TempFolder();

    QString Path() const { return Dir.path(); }
    QString FilePath(const QString& name) const { return Dir.filePath(name); }

    void Write(const QString& name, const QByteArray& bytes) const;
    QByteArray Read(const QString& name) const;
    bool Exists(const QString& name) const;

private:
    QTemporaryDir Dir;
};
