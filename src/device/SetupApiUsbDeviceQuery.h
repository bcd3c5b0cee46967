#pragma once

#include "device/UsbDeviceQuery.h"

// The USB devices present now as Windows' Setup API lists them: the instance
// identifiers of every device, of any class, that the USB bus enumerator
// made, such as "USB\VID_5D2E&PID_9A47\5&2B1C3A&0&2" (a composite device's
// interfaces add "&MI_nn" after the product). Unlike the management
// instrumentation query it needs no COM on the calling thread.
class SetupApiUsbDeviceQuery final : public UsbDeviceQuery {
public:
    // A list that cannot be had (the Setup API refused) holds no devices, as
    // on a machine without a USB bus.
    QStringList DeviceIds() override;
};
