#include "device/MachineUsbDeviceQuery.h"

#ifdef _WIN32
#include "device/SetupApiUsbDeviceQuery.h"
#else
#include "device/SysfsUsbDeviceQuery.h"
#endif

std::unique_ptr<UsbDeviceQuery> MachineUsbDeviceQuery() {
#ifdef _WIN32
    return std::make_unique<SetupApiUsbDeviceQuery>();
#else
    if (qEnvironmentVariableIsSet("HBX740_USB_DEVICES"))
        return std::make_unique<SysfsUsbDeviceQuery>(qEnvironmentVariable("HBX740_USB_DEVICES"));
    return std::make_unique<SysfsUsbDeviceQuery>();
#endif
}
