#pragma once

#include <array>
#include <cstdint>
#include <string_view>

// What the editor knows of a keyboard model: how it is found, its controls
// and their factory defaults, and the bytes of its messages. Everything that
// depends on the model reads it from here; a second model would be a second
// description.

// Marks a name that the editor's window shows in the user's language, in the
// translation context `context`; the text itself stays as written, as the
// profiles store it. lupdate reads the mark as Qt's QT_TRANSLATE_NOOP, which
// this Qt-free header cannot use (src/ui/CMakeLists.txt tells it so).
#define HBX_TRANSLATE_NOOP(context, text) text

inline constexpr int ControlCount = 8;
inline constexpr int SettingCount = 8;

struct ControlDescription {
    std::string_view Name;
    // Buttons have a mode (toggle or momentary), which the parameter set
    // carries for them alone.
    bool IsButton = false;
    // How many message types the control offers.
    int MessageTypes = 5;
    std::int32_t DefaultValue = 0;
    std::int32_t DefaultDataType = 0;
    std::int32_t DefaultMode = 0;
    // What the control is called where that differs from its factory name.
    std::string_view Caption{};

    constexpr std::string_view CalledName() const { return Caption.empty() ? Name : Caption; }
};

struct KeyboardDescription {
    std::string_view Model;

    // Found among the USB devices by the start of its identifier, then among
    // the MIDI ports by its exact name, or failing that by a name prefix.
    std::string_view UsbIdPrefix;
    std::uint16_t UsbVendor = 0;
    std::uint16_t UsbProduct = 0;
    std::string_view PortName;
    std::string_view PortPrefix;

    std::array<ControlDescription, ControlCount> Controls;
    // The keyboard-wide settings' defaults, in the model's order.
    std::array<std::int32_t, SettingCount> DefaultSettings{};

    // The identity reply's maker bytes, at offsets 5 and 6.
    std::array<std::uint8_t, 2> IdentityMaker{};
    // The parameter messages: the maker at offset 1, the direction at offset
    // 2, the number of parameter bytes (or 0) at offset 3 and, in the dump
    // request and the acknowledgement, a code at offset 4.
    std::uint8_t ParameterMaker = 0;
    std::uint8_t FromEditor = 0;
    std::uint8_t FromKeyboard = 0;
    std::uint8_t ParameterBytes = 0;
    std::uint8_t ExchangeCode = 0;
    // Where the parameter bytes start in the parameter set and the dump reply.
    int ParametersAt = 4;
    // The keyboard-wide settings as the parameter set sends them and as the
    // dump reply returns them (positions in the model's order).
    std::array<int, SettingCount> SentSettingOrder{};
    std::array<int, SettingCount> ReceivedSettingOrder{};

    // Fields per control in the parameter set: value, type, channel, disable,
    // and for buttons the mode.
    constexpr int ParameterCount() const {
        int count = SettingCount;
        for (const ControlDescription& control : Controls)
            count += control.IsButton ? 5 : 4;
        return count;
    }
    // The dump reply: header, parameters, 0xF7.
    constexpr int DumpReplyLength() const { return ParametersAt + ParameterCount() + 1; }
};
