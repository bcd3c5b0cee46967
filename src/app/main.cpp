#include "RunEditor.h"
#include "SysfsUsbDeviceQuery.h"

int main(int argc, char* argv[]) {
    SysfsUsbDeviceQuery usb;
    return RunEditor(argc, argv, usb);
}
