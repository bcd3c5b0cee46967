#include "KeyboardCore.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

constexpr std::uint8_t SysExStart = 0xF0;
constexpr std::uint8_t SysExEnd = 0xF7;
constexpr const KeyboardDescription& Keyboard = Hbx740;
// Where the keyboard-wide settings start in the parameters.
constexpr std::size_t SettingsAt = KeyboardCore::ParameterCount - SettingCount;

// The message up to and including its first 0xF7, when it is a whole SysEx
// made of data bytes.
std::optional<std::span<const std::uint8_t>> WholeSysEx(std::span<const std::uint8_t> message) {
    if (message.empty() || message[0] != SysExStart)
        return std::nullopt;
    const auto end = std::find(message.begin() + 1, message.end(), SysExEnd);
    if (end == message.end())
        return std::nullopt;
    const auto body = std::span(message.begin() + 1, end);
    if (std::any_of(body.begin(), body.end(), [](std::uint8_t b) { return b > 0x7F; }))
        return std::nullopt;
    return std::span(message.begin(), end + 1);
}

bool Is(std::span<const std::uint8_t> message, std::initializer_list<int> pattern) {
    if (message.size() != pattern.size())
        return false;
    std::size_t i = 0;
    for (int expected : pattern) {
        if (expected >= 0 && message[i] != expected)
            return false;
        ++i;
    }
    return true;
}

} // namespace

KeyboardCore::KeyboardCore(Firmware firmware) : Version(firmware), Values(FactoryDefaults()) {}

std::optional<KeyboardCore::Firmware> KeyboardCore::ParseFirmware(std::string_view text) {
    const auto dot = text.find('.');
    if (dot == std::string_view::npos || dot == 0 || dot > 3 || text.size() - dot - 1 != 2)
        return std::nullopt;
    int major = 0;
    for (char c : text.substr(0, dot)) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        major = major * 10 + (c - '0');
    }
    const std::string_view minorText = text.substr(dot + 1);
    if (!std::isdigit(static_cast<unsigned char>(minorText[0])) ||
        !std::isdigit(static_cast<unsigned char>(minorText[1])))
        return std::nullopt;
    const int minor = (minorText[0] - '0') * 10 + (minorText[1] - '0');
    if (major > 0x7F)
        return std::nullopt;
    return Firmware{static_cast<std::uint8_t>(major), static_cast<std::uint8_t>(minor)};
}

KeyboardCore::Parameters KeyboardCore::FactoryDefaults() {
    Parameters values{};
    std::size_t at = 0;
    for (const ControlDescription& control : Keyboard.Controls) {
        for (std::int32_t value : {control.DefaultValue, control.DefaultDataType, 0, 0})
            values[at++] = static_cast<std::uint8_t>(value);
        if (control.IsButton)
            values[at++] = static_cast<std::uint8_t>(control.DefaultMode);
    }
    for (int setting : Keyboard.SentSettingOrder)
        values[at++] = static_cast<std::uint8_t>(Keyboard.DefaultSettings[setting]);
    return values;
}

std::vector<std::uint8_t> KeyboardCore::Answer(std::span<const std::uint8_t> message) {
    const auto sysEx = WholeSysEx(message);
    if (!sysEx)
        return {};
    const int maker = Keyboard.ParameterMaker;
    if (Is(*sysEx, {0xF0, 0x7E, -1, 0x06, 0x01, 0xF7}))
        return {0xF0,
                0x7E,
                0x7F,
                0x06,
                0x02,
                Keyboard.IdentityMaker[0],
                Keyboard.IdentityMaker[1],
                Version.Major,
                Version.Minor,
                0xF7};
    if (Is(*sysEx, {0xF0, maker, Keyboard.FromEditor, 0x00, Keyboard.ExchangeCode, 0xF7}))
        return DumpReply();
    if (sysEx->size() == Keyboard.ParametersAt + ParameterCount + 1 &&
        Is(sysEx->first(Keyboard.ParametersAt),
           {0xF0, maker, Keyboard.FromEditor, Keyboard.ParameterBytes})) {
        std::copy_n(sysEx->begin() + Keyboard.ParametersAt, ParameterCount, Values.begin());
        if (StoresWrong)
            Values[0] = static_cast<std::uint8_t>((Values[0] + 1) & 0x7F);
        return {0xF0, Keyboard.ParameterMaker, Keyboard.FromKeyboard,
                0x00, Keyboard.ExchangeCode,   0xF7};
    }
    return {};
}

// The keyboard returns the settings in an order of its own.
std::vector<std::uint8_t> KeyboardCore::DumpReply() const {
    std::vector<std::uint8_t> reply(Keyboard.DumpReplyLength());
    reply[0] = SysExStart;
    reply[1] = Keyboard.ParameterMaker;
    reply[2] = Keyboard.FromKeyboard;
    reply[3] = Keyboard.ParameterBytes;
    const auto parameters = reply.begin() + Keyboard.ParametersAt;
    std::copy(Values.begin(), Values.end(), parameters);
    std::array<std::uint8_t, SettingCount> settings{};
    for (std::size_t i = 0; i < settings.size(); ++i)
        settings[static_cast<std::size_t>(Keyboard.SentSettingOrder[i])] = Values[SettingsAt + i];
    for (std::size_t i = 0; i < settings.size(); ++i)
        parameters[static_cast<std::ptrdiff_t>(SettingsAt + i)] =
            settings[static_cast<std::size_t>(Keyboard.ReceivedSettingOrder[i])];
    reply.back() = SysExEnd;
    return reply;
}

std::string KeyboardCore::Describe() const {
    static constexpr const char* settings[] = {"ArpMode",  "ArpTime", "ArpOctave", "Scale",
                                               "Velocity", "Reverb",  "Transpose", "KeyChannel"};
    std::ostringstream text;
    std::size_t at = 0;
    for (int control = 0; control < ControlCount; ++control) {
        text << Keyboard.Controls[static_cast<std::size_t>(control)].Name << ": value "
             << int(Values[at]) << ", type " << int(Values[at + 1]) << ", channel "
             << int(Values[at + 2]) << ", disable " << int(Values[at + 3]);
        at += 4;
        if (Keyboard.Controls[static_cast<std::size_t>(control)].IsButton)
            text << ", mode " << int(Values[at++]);
        text << '\n';
    }
    for (std::size_t i = 0; i < 8; ++i)
        text << (i == 0 ? "" : ", ") << settings[i] << ' ' << int(Values[SettingsAt + i]);
    text << '\n';
    return text.str();
}

std::string HexText(std::span<const std::uint8_t> bytes) {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(bytes.size() * 3);
    for (std::uint8_t b : bytes) {
        if (!text.empty())
            text += ' ';
        text += digits[b >> 4];
        text += digits[b & 0x0F];
    }
    return text;
}
