#pragma once

#include "device/UsbDeviceQuery.h"

#include <memory>

// The machine's USB device list: the kernel's on Linux (the synthetic tree
// named by $HBX740_USB_DEVICES where it is set, as the tests give it), the
// Setup API's on Windows.
std::unique_ptr<UsbDeviceQuery> MachineUsbDeviceQuery();
