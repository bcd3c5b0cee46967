#include "app/RunEditor.h"
#include "device/MachineUsbDeviceQuery.h"

int main(int argc, char* argv[]) {
    const auto usb = MachineUsbDeviceQuery();
    return RunEditor(argc, argv, *usb);
}
