#include "midi/MidiMessages.h"

#include <cstddef>

namespace {

constexpr std::uint8_t SysExStart = 0xF0;
constexpr std::uint8_t SysExEnd = 0xF7;

bool IsStatus(std::uint8_t byte) {
    return byte >= 0x80;
}

} // namespace

std::size_t MidiMessageLength(std::uint8_t status) noexcept {
    if (!IsStatus(status))
        return 0;
    if (status < 0xF0) {
        const std::uint8_t kind = status & 0xF0;
        return kind == 0xC0 || kind == 0xD0 ? 2 : 3;
    }
    switch (status) {
    case 0xF1:
    case 0xF3:
        return 2;
    case 0xF2:
        return 3;
    case 0xF6:
    case 0xF8:
    case 0xFA:
    case 0xFB:
    case 0xFC:
    case 0xFE:
    case 0xFF:
        return 1;
    default:
        return 0;
    }
}

std::vector<std::span<const std::uint8_t>>
CompleteMidiMessages(std::span<const std::uint8_t> bytes) {
    std::vector<std::span<const std::uint8_t>> messages;
    std::size_t i = 0;
    while (i < bytes.size()) {
        const std::uint8_t status = bytes[i];
        if (!IsStatus(status)) {
            ++i;
            continue;
        }
        std::size_t end = i + 1;
        bool complete = false;
        if (status == SysExStart) {
            while (end < bytes.size() && !IsStatus(bytes[end]))
                ++end;
            complete = end < bytes.size() && bytes[end] == SysExEnd;
            if (complete)
                ++end;
        } else if (const std::size_t length = MidiMessageLength(status); length > 0) {
            while (end < bytes.size() && end - i < length && !IsStatus(bytes[end]))
                ++end;
            complete = end - i == length;
        }
        if (complete)
            messages.push_back(bytes.subspan(i, end - i));
        i = end;
    }
    return messages;
}
