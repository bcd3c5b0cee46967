#pragma once

#include "FakeMidiService.h"
#include "FakeUsbDeviceQuery.h"
#include "FakeUserPrompts.h"
#include "TempFolder.h"
#include "ui/Unit1.h"

#include <memory>
#include <string>

// The real window, shown, in a scratch program folder with the fake MIDI
// service: the keyboard is on USB and its ports are bound, so short messages
// reach the monitor line and SysEx replies the device link. Needs a Qt
// application object.
class BenchWindow {
public:
    BenchWindow();
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;
    ~BenchWindow();

    TForm1& Window() { return *Form; }
    // The input set, as the service's callback reaches it.
    TMidiInput& Inputs() { return Ports->InputPorts(); }
    FakeMidiService& Midi() { return *Service; }
    // The service name of the keyboard's input port, for FakeMidiService::Inject.
    const std::string& KeyboardInput() const { return Input; }

private:
    TempFolder Folder;
    FakeUserPrompts Prompts;
    FakeUsbDeviceQuery Usb;
    FakeMidiService* Service = nullptr;
    std::string Input;
    std::unique_ptr<MidiPorts> Ports;
    std::unique_ptr<TForm1> Form;
};
