#pragma once

#include <QString>

class UserPrompts;
class UsbDeviceQuery;

// The platform services and places the window works with; the program passes
// the real ones, tests pass fakes and a scratch folder. The MIDI service is
// chosen for the port sets before the window is made (UseMidiService).
struct EditorServices {
    UserPrompts& Prompts;
    UsbDeviceQuery& Usb;
    // The folder of the program, where "System.ini" and "customer.cus" live.
    QString ProgramFolder;
};
