#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

// The last SysEx message received, as the device link reads it: entry i holds
// the two upper-case hexadecimal digits of byte i, or nothing when the message
// has no byte i. Only the first 50 bytes are kept. Guarded by the window's
// SysEx lock.
class TReceivedSysEx {
public:
    static constexpr int EntryCount = 50;

    void Assign(std::span<const std::uint8_t> message);
    std::string_view Entry(int i) const;
    void ClearEntry(int i);
    // Whether every listed entry reads as given.
    bool Reads(std::initializer_list<std::pair<int, std::string_view>> expected) const;
    // Entry i read as a hexadecimal number (0 to 255; an empty entry gives 0).
    std::uint8_t Byte(int i) const;

private:
    std::array<std::array<char, 2>, EntryCount> Digits{};
    std::array<bool, EntryCount> Present{};
};
