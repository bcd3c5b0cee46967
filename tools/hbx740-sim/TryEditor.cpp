// hbx740-try-editor: the editor exactly as built, except that it takes the
// keyboard as plugged in on USB, so that it binds to hbx740-sim's ports.

#include "app/RunEditor.h"
#include "device/UsbDeviceQuery.h"

namespace {

class SimulatedUsb : public UsbDeviceQuery {
public:
    QStringList DeviceIds() override { return {QStringLiteral("USB\\VID_5D2E&PID_9A47\\SIM")}; }
};

} // namespace

int main(int argc, char* argv[]) {
    SimulatedUsb usb;
    return RunEditor(argc, argv, usb);
}
