#pragma once

#include "midi/MidiService.h"

#include <optional>
#include <string>

// What a MIDI service says of a port handle it does not hold.
inline constexpr const char* PortNotOpenText = "The MIDI port is not open";

// A MIDI service's last failure: the code it returned with the text that
// explains it, given back by the service's ErrorText.
class ServiceFailure {
public:
    MidiResult Fail(MidiResult code, std::string text);
    MidiResult NotPresent(const std::string& serviceName);
    std::optional<std::string> Text(MidiResult code) const;

private:
    MidiResult Code = MidiResultCode::Ok;
    std::string LastText;
};
