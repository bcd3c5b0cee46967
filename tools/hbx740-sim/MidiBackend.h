#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

// One MIDI client named "HBX740" with one input and one output port, on the
// machine's MIDI service. Used from the simulator's main thread only.
class MidiBackend {
public:
    virtual ~MidiBackend() = default;
    virtual std::string Description() const = 0;
    // Waits up to `timeoutMs` for the next whole message; false when none came.
    virtual bool Receive(std::vector<std::uint8_t>& message, int timeoutMs) = 0;
    // Sends one whole message (a SysEx from 0xF0 through 0xF7, or a short one).
    // A message longer than LargestEvent() leaves in consecutive parts, as a
    // USB-MIDI link hands it over; the call waits while the service is behind.
    // BackendError when the service refuses it.
    virtual void Send(std::span<const std::uint8_t> message) = 0;
    // The longest message the service carries as one event.
    virtual std::size_t LargestEvent() const = 0;
};

class BackendError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// `name` is the client's name, under which its ports are listed. The ALSA
// ports are "HBX740 MIDI In" and "HBX740 MIDI Out", or both `portName` where
// one is given: Windows programs on Wine list the sequencer's ports by their
// port names, and a keyboard's ports on Windows have its product name.
std::unique_ptr<MidiBackend> OpenAlsaBackend(const std::string& name,
                                             const std::string& portName = {});
std::unique_ptr<MidiBackend> OpenJackBackend(const std::string& name);
