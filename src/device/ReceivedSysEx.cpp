#include "device/ReceivedSysEx.h"

#include <algorithm>

namespace {

constexpr char HexDigits[] = "0123456789ABCDEF";

int DigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return 0;
}

} // namespace

void TReceivedSysEx::Assign(std::span<const std::uint8_t> message) {
    for (int i = 0; i < EntryCount; ++i) {
        const auto at = static_cast<std::size_t>(i);
        Present[at] = at < message.size();
        if (Present[at])
            Digits[at] = {HexDigits[message[at] >> 4], HexDigits[message[at] & 0x0F]};
    }
}

std::string_view TReceivedSysEx::Entry(int i) const {
    if (i < 0 || i >= EntryCount || !Present[static_cast<std::size_t>(i)])
        return {};
    const auto& digits = Digits[static_cast<std::size_t>(i)];
    return {digits.data(), digits.size()};
}

void TReceivedSysEx::ClearEntry(int i) {
    if (i >= 0 && i < EntryCount)
        Present[static_cast<std::size_t>(i)] = false;
}

bool TReceivedSysEx::Reads(std::initializer_list<std::pair<int, std::string_view>> expected) const {
    return std::all_of(expected.begin(), expected.end(),
                       [this](const auto& entry) { return Entry(entry.first) == entry.second; });
}

std::uint8_t TReceivedSysEx::Byte(int i) const {
    const std::string_view entry = Entry(i);
    if (entry.size() != 2)
        return 0;
    return static_cast<std::uint8_t>(DigitValue(entry[0]) * 16 + DigitValue(entry[1]));
}
