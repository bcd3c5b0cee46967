#include "device/SetupApiUsbDeviceQuery.h"

#include <windows.h>

// After windows.h, which it needs.
#include <setupapi.h>

#include <vector>

namespace {

// The Setup API's list of present devices, destroyed with its last use.
class DeviceInfoSet {
public:
    DeviceInfoSet()
        : Set(::SetupDiGetClassDevsW(nullptr, L"USB", nullptr, DIGCF_PRESENT | DIGCF_ALLCLASSES)) {}
    DeviceInfoSet(const DeviceInfoSet&) = delete;
    DeviceInfoSet& operator=(const DeviceInfoSet&) = delete;
    ~DeviceInfoSet() {
        if (Valid())
            ::SetupDiDestroyDeviceInfoList(Set);
    }

    bool Valid() const { return Set != INVALID_HANDLE_VALUE; }
    HDEVINFO Get() const { return Set; }

private:
    HDEVINFO Set;
};

// The device's instance identifier, or the empty text when it cannot be read.
QString InstanceId(HDEVINFO set, SP_DEVINFO_DATA& device) {
    // MAX_DEVICE_ID_LEN (200) and its NUL; longer only if the API says so.
    std::vector<wchar_t> id(201);
    DWORD needed = 0;
    if (!::SetupDiGetDeviceInstanceIdW(set, &device, id.data(), static_cast<DWORD>(id.size()),
                                       &needed)) {
        if (::GetLastError() != ERROR_INSUFFICIENT_BUFFER)
            return {};
        id.resize(needed);
        if (!::SetupDiGetDeviceInstanceIdW(set, &device, id.data(), static_cast<DWORD>(id.size()),
                                           nullptr))
            return {};
    }
    return QString::fromWCharArray(id.data());
}

} // namespace

QStringList SetupApiUsbDeviceQuery::DeviceIds() {
    QStringList ids;
    const DeviceInfoSet devices;
    if (!devices.Valid())
        return ids;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof(device);
    for (DWORD index = 0; ::SetupDiEnumDeviceInfo(devices.Get(), index, &device); ++index) {
        const QString id = InstanceId(devices.Get(), device);
        if (!id.isEmpty())
            ids << id;
    }
    return ids;
}
