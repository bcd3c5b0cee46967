#include "TempFolder.h"

#include <QFile>
#include <QFileInfo>
#include <stdexcept>

TempFolder::TempFolder() {
    if (!Dir.isValid())
        throw std::runtime_error("cannot create a scratch folder");
}

void TempFolder::Write(const QString& name, const QByteArray& bytes) const {
    QFile file(FilePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + name.toStdString());
}

QByteArray TempFolder::Read(const QString& name) const {
    QFile file(FilePath(name));
    if (!file.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read " + name.toStdString());
    return file.readAll();
}

bool TempFolder::Exists(const QString& name) const {
    return QFileInfo::exists(FilePath(name));
}
