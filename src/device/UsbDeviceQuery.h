#pragma once

#include <QString>
#include <QStringList>

// Lists the identifier texts of the USB devices present now, each in the
// form "USB\VID_vvvv&PID_pppp\instance".
class UsbDeviceQuery {
public:
    virtual ~UsbDeviceQuery() = default;
    virtual QStringList DeviceIds() = 0;
};
