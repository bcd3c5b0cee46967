#include "midi/SysExHexText.h"

#include <cstdint>

namespace {

constexpr std::string_view Digits = "0123456789ABCDEF";

std::uint8_t DigitValue(char c) {
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    const auto pos = Digits.find(c);
    return pos == std::string_view::npos ? 0 : static_cast<std::uint8_t>(pos);
}

} // namespace

std::string StreamToHexText(TByteStream& stream) {
    stream.SetPosition(0);
    std::string text;
    text.reserve(stream.Size() * 3);
    for (const std::uint8_t byte : stream.Bytes()) {
        text += Digits[byte >> 4];
        text += Digits[byte & 0x0F];
        text += ' ';
    }
    return text;
}

void HexTextToStream(std::string_view text, TByteStream& stream) {
    std::string digits;
    digits.reserve(text.size());
    for (const char c : text) {
        if (c != ' ')
            digits += c;
    }
    stream.Clear();
    const std::size_t pairs = digits.size() / 2;
    for (std::size_t i = 0; i + 1 < pairs; ++i) {
        stream.Write(static_cast<std::uint8_t>(DigitValue(digits[2 * i]) * 16 +
                                               DigitValue(digits[2 * i + 1])));
    }
    stream.SetPosition(0);
}
