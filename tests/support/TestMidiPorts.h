#pragma once

#include "midi/Midi.h"

#include <memory>

// The MIDI ports a test works with, made on the service the test chooses, with
// the accessors that the code under test reaches through its owner.
class TestMidiPorts {
protected:
    std::unique_ptr<MidiPorts> Ports;

    // Releases the ports made before, then makes them anew on `service`.
    void UseMidiService(std::unique_ptr<MidiService> service) {
        Ports.reset();
        Ports = std::make_unique<MidiPorts>(std::move(service));
    }
    void ReleaseMidi() { Ports.reset(); }
    TMidiInput& InputPorts() { return Ports->InputPorts(); }
    TMidiOutput& OutputPorts() { return Ports->OutputPorts(); }
    TMidiInput* ExistingInputPorts() { return Ports ? Ports->ExistingInputPorts() : nullptr; }
};
