#include "MidiDispatch.h"

#include "BackgroundErrors.h"
#include "Midi.h"

#include <algorithm>
#include <exception>

void InputCallback(std::int32_t instance, std::span<const std::uint8_t> message) noexcept {
    TMidiInput* ports = ExistingInputPorts();
    if (ports == nullptr || message.empty())
        return;

    if (message[0] == 0xF0) {
        // The service hands the whole message; the port's one buffer takes it
        // a piece at a time and comes back after each piece, as a message of
        // its own.
        for (auto rest = message; !rest.empty();) {
            const auto piece = rest.first(std::min(rest.size(), TSysExData::BufferLength));
            if (!ports->FillSysExBuffer(instance, piece))
                return;
            ports->HandleSysExBuffer(instance);
            rest = rest.subspan(piece.size());
        }
        return;
    }

    const auto& handler = ports->OnShortMessage();
    if (!handler || !ports->IsReceiving(instance))
        return;
    try {
        handler(instance, message[0], message.size() > 1 ? message[1] : 0,
                message.size() > 2 ? message[2] : 0);
    } catch (const std::exception& error) {
        ReportBackgroundError(error.what());
    } catch (...) {
        ReportBackgroundError("unknown error in the short-message handler");
    }
}
