#pragma once

#include "device/DeviceLink.h"
#include "device/KeyboardSearch.h"
#include "device/UsbDeviceQuery.h"
#include "midi/Midi.h"
#include "model/ParameterModel.h"

#include <QEventLoop>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>

// The command line's side of the keyboard: finds it as the window does (or on
// the ports the user names), then asks and waits, each wait ending as soon as
// the answer arrives or after the time-out. Runs on the main thread, whose
// event loop the waits run; the link's replies come queued from the MIDI
// input thread.
class KeyboardClient {
public:
    struct Options {
        // Input and output ports whose full names contain this, without the
        // USB test; empty to find the keyboard as the window does.
        QString Port;
        std::chrono::milliseconds Timeout{1100};
    };

    KeyboardClient(MidiPorts& midi, UsbDeviceQuery& usb, Options options);
    ~KeyboardClient();

    // Short messages and SysEx as they arrive, on the MIDI input thread;
    // set before Find.
    void SetShortMessageHandler(TMidiInput::TShortMessageHandler handler);
    void SetSysExObserver(DeviceLink::SysExObserver observer);

    // Finds the keyboard and opens its ports; CtlError 3 without a MIDI
    // service, 4 when the keyboard is not there. The search says how far it got.
    void Find();
    const KeyboardSearch& Search() const { return Found; }

    // The firmware version ("1.05"), or nothing when the keyboard did not
    // answer in time.
    std::optional<QString> Identity();
    // The keyboard's parameter set over `base`; CtlError 5 without an answer.
    ParameterModel ReadParameters(const ParameterModel& base);
    // Sends the model's parameter set; CtlError 5 without an acknowledgement.
    void WriteParameters(const ParameterModel& model);

private:
    // Runs the event loop until `done` holds or the time-out passes.
    bool WaitUntil(const std::function<bool()>& done);
    void Answered();

    MidiPorts& Midi;
    UsbDeviceQuery& Usb;
    Options Settings;
    std::unique_ptr<DeviceLink> Link;
    KeyboardSearch Found;
    std::optional<QString> Firmware;
    std::optional<ParameterBytes> Dump;
    bool Acknowledged = false;
    QEventLoop* Waiting = nullptr;
};
