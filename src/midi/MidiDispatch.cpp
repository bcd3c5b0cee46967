#include "midi/MidiDispatch.h"

#include "midi/Midi.h"

#include <algorithm>
#include <exception>

namespace {

// The port's one buffer takes the SysEx a piece at a time and comes back after
// each piece, as a message of its own. False once the port takes no more.
bool DispatchSysEx(TMidiInput& ports, std::int32_t instance, std::span<const std::uint8_t> sysEx) {
    for (auto rest = sysEx; !rest.empty();) {
        const auto piece = rest.first(std::min(rest.size(), TSysExData::BufferLength));
        if (!ports.FillSysExBuffer(instance, piece))
            return false;
        ports.HandleSysExBuffer(instance);
        rest = rest.subspan(piece.size());
    }
    return true;
}

} // namespace

void InputCallback(void* context, std::int32_t instance,
                   std::span<const std::uint8_t> message) noexcept {
    auto* ports = static_cast<TMidiInput*>(context);
    if (ports == nullptr || message.empty())
        return;

    if (message[0] == 0xF0) {
        // A SysEx that lost its 0xF7 is ended by the next one's 0xF0, but the
        // service hands both over as one message; each goes on by itself, so
        // a good reply after a broken one is not lost.
        for (auto rest = message; !rest.empty();) {
            const auto next = std::find(rest.begin() + 1, rest.end(), std::uint8_t{0xF0});
            const auto sysEx = rest.first(static_cast<std::size_t>(next - rest.begin()));
            if (!DispatchSysEx(*ports, instance, sysEx))
                return;
            rest = rest.subspan(sysEx.size());
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
        ports->Errors().Report(error.what());
    } catch (...) {
        ports->Errors().Report("unknown error in the short-message handler");
    }
}
