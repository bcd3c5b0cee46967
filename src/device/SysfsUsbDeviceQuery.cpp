#include "device/SysfsUsbDeviceQuery.h"

#include <QDir>
#include <QFile>

namespace {

// The first line of a small attribute file, or nothing when it cannot be read.
QString ReadAttribute(const QDir& entry, const QString& name) {
    QFile file(entry.filePath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readLine(256)).trimmed();
}

} // namespace

SysfsUsbDeviceQuery::SysfsUsbDeviceQuery(QString root) : Root(std::move(root)) {}

QStringList SysfsUsbDeviceQuery::DeviceIds() {
    QStringList ids;
    const QDir devices(Root);
    for (const QString& name :
         devices.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::System, QDir::Name)) {
        const QDir entry(devices.filePath(name));
        const QString vendor = ReadAttribute(entry, QStringLiteral("idVendor")).toUpper();
        const QString product = ReadAttribute(entry, QStringLiteral("idProduct")).toUpper();
        if (vendor.isEmpty() || product.isEmpty())
            continue;
        QString serial = ReadAttribute(entry, QStringLiteral("serial"));
        if (serial.isEmpty())
            serial = name;
        ids << QStringLiteral("USB\\VID_%1&PID_%2\\%3").arg(vendor, product, serial);
    }
    return ids;
}
