#pragma once

#include "model/ProgramFiles.h"

class MidiPorts;
class UserPrompts;
class UsbDeviceQuery;

// The platform services and places the window works with; the program passes
// the real ones, tests pass fakes and a scratch folder.
struct EditorServices {
    UserPrompts& Prompts;
    UsbDeviceQuery& Usb;
    // The machine's MIDI ports, on the service the program chose.
    MidiPorts& Midi;
    // Where "System.ini", "customer.cus" and the backups live.
    ProgramFiles Files;
};
