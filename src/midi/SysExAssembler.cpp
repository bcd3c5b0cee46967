#include "midi/SysExAssembler.h"

namespace {

constexpr std::uint8_t SysExStart = 0xF0;
constexpr std::uint8_t SysExEnd = 0xF7;

bool IsRealTime(std::uint8_t byte) {
    return byte >= 0xF8;
}

} // namespace

SysExAssembler::SysExAssembler(std::size_t largest) : Largest(largest) {
    Pending.reserve(4096);
}

void SysExAssembler::Flush(const Deliver& deliver) {
    if (!Pending.empty())
        deliver(Pending);
    Pending.clear();
}

void SysExAssembler::Take(std::span<const std::uint8_t> event, const Deliver& deliver) {
    if (event.empty())
        return;
    if (!Joining && event[0] != SysExStart) {
        deliver(event);
        return;
    }
    for (std::size_t i = 0; i < event.size(); ++i) {
        const std::uint8_t byte = event[i];
        if (IsRealTime(byte)) {
            deliver(event.subspan(i, 1));
            continue;
        }
        if (byte == SysExStart) {
            // A new SysEx ends one that lost its 0xF7.
            Flush(deliver);
            Joining = true;
        } else if (byte >= 0x80 && byte != SysExEnd) {
            // Any other message ends the SysEx; the rest of the event is it.
            Flush(deliver);
            Joining = false;
            deliver(event.subspan(i));
            return;
        } else if (!Joining) {
            continue;
        }
        if (byte == SysExEnd) {
            Pending.push_back(byte);
            Flush(deliver);
            Joining = false;
        } else if (Pending.size() + 1 < Largest) {
            Pending.push_back(byte);
        }
    }
}
