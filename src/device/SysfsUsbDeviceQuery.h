#pragma once

#include "device/UsbDeviceQuery.h"

// The USB devices as the Linux kernel lists them under /sys/bus/usb/devices.
// The root folder is a parameter so tests can hand in a synthetic tree.
class SysfsUsbDeviceQuery : public UsbDeviceQuery {
public:
    explicit SysfsUsbDeviceQuery(QString root = QStringLiteral("/sys/bus/usb/devices"));

    // Every entry with idVendor and idProduct gives
    // "USB\VID_" + vendor + "&PID_" + product + "\" + serial (or the entry's
    // name when it has no serial), the identifiers as four upper-case
    // hexadecimal digits. A machine without a USB bus has no devices.
    QStringList DeviceIds() override;

private:
    QString Root;
};
