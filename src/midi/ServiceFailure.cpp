#include "midi/ServiceFailure.h"

MidiResult ServiceFailure::Fail(MidiResult code, std::string text) {
    Code = code;
    LastText = std::move(text);
    return code;
}

MidiResult ServiceFailure::NotPresent(const std::string& serviceName) {
    return Fail(MidiResultCode::BadDeviceId, "MIDI port \"" + serviceName + "\" is not present");
}

std::optional<std::string> ServiceFailure::Text(MidiResult code) const {
    if (code == Code && !LastText.empty())
        return LastText;
    if (code == MidiResultCode::InvalidHandle)
        return PortNotOpenText;
    return std::nullopt;
}
