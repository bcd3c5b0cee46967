#include "app/RunEditor.h"
#include "device/SysfsUsbDeviceQuery.h"

int main(int argc, char* argv[]) {
    SysfsUsbDeviceQuery usb;
    return RunEditor(argc, argv, usb);
}
