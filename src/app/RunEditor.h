#pragma once

class UsbDeviceQuery;

// Runs the editor on the machine's MIDI service with the given USB device
// query until its window is closed; returns the program's exit code.
int RunEditor(int argc, char* argv[], UsbDeviceQuery& usb);
