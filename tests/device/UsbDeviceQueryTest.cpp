#include "TempFolder.h"
#include "device/SysfsUsbDeviceQuery.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

void AddDevice(const TempFolder& root, const QString& entry, const QByteArray& vendor,
               const QByteArray& product, const QByteArray& serial = {}) {
    ASSERT_TRUE(QDir(root.Path()).mkpath(entry));
    root.Write(entry + "/idVendor", vendor + "\n");
    root.Write(entry + "/idProduct", product + "\n");
    if (!serial.isEmpty())
        root.Write(entry + "/serial", serial + "\n");
}

} // namespace

TEST(SysfsUsbDeviceQuery, NamesEveryDeviceByItsIdentifiers) {
    TempFolder root;
    AddDevice(root, "1-1", "5d2e", "9a47", "HBX0001");
    AddDevice(root, "usb1", "1d6b", "0002");
    ASSERT_TRUE(QDir(root.Path()).mkpath("1-1:1.0"));
    root.Write("1-1:1.0/bInterfaceClass", "01\n");
    EXPECT_EQ(SysfsUsbDeviceQuery(root.Path()).DeviceIds(),
              (QStringList{"USB\\VID_5D2E&PID_9A47\\HBX0001", "USB\\VID_1D6B&PID_0002\\usb1"}));
}

TEST(SysfsUsbDeviceQuery, NoUsbBusMeansNoDevices) {
    TempFolder root;
    EXPECT_TRUE(SysfsUsbDeviceQuery(root.FilePath("absent")).DeviceIds().isEmpty());
}
