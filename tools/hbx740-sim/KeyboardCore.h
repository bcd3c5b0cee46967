#pragma once

#include "keyboard/Hbx740.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The firmware version the keyboard reports, major.minor.
struct KeyboardFirmware {
    std::uint8_t Major = 1;
    std::uint8_t Minor = 5;
};

// The keyboard's side of the editor's protocol, without any MIDI I/O: what it
// answers to an identity request, a dump request and a parameter-set message.
// Anything else gets no answer and changes nothing.
class KeyboardCore {
public:
    static constexpr std::size_t ParameterCount = Hbx740.ParameterCount();
    using Parameters = std::array<std::uint8_t, ParameterCount>;

    using Firmware = KeyboardFirmware;

    explicit KeyboardCore(Firmware firmware = {});

    // A faulty keyboard: it acknowledges a parameter set but stores its first
    // value one higher.
    bool StoresWrong = false;

    // "1.05" gives major 1, minor 5: the minor number has two digits.
    static std::optional<Firmware> ParseFirmware(std::string_view text);
    // The factory defaults, in the order of the parameter-set message.
    static Parameters FactoryDefaults();

    // The reply to one incoming message; empty when there is none. A message
    // may carry bytes after its 0xF7 (the editor's padding); they are ignored.
    std::vector<std::uint8_t> Answer(std::span<const std::uint8_t> message);

    // The stored parameters in the order of the parameter-set message
    // (Reverb before Transpose).
    const Parameters& Stored() const { return Values; }
    // The parameter set as a few readable lines.
    std::string Describe() const;

private:
    std::vector<std::uint8_t> DumpReply() const;

    Firmware Version;
    Parameters Values;
};

// "F0 7E ..." : two upper-case digits a byte, separated by blanks.
std::string HexText(std::span<const std::uint8_t> bytes);
