#pragma once

#include "device/UsbDeviceQuery.h"

// USB devices as a test lists them; counts the queries.
class FakeUsbDeviceQuery : public UsbDeviceQuery {
public:
    QStringList Ids;
    int Queries = 0;

    QStringList DeviceIds() override {
        ++Queries;
        return Ids;
    }
};
