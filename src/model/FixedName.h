#pragma once

#include <QString>
#include <array>
#include <cstdint>

// A name kept as a length and a fixed store of 80 single-byte characters, as
// the profile file holds it. Storing a shorter name leaves the tail of a
// longer earlier one in the store: those bytes reach the file unchanged.
class FixedName {
public:
    static constexpr int Capacity = 80;

    // Stores the text as UTF-8, cut to at most 80 bytes without splitting a
    // character.
    void Assign(const QString& text);
    // Stores raw bytes as a profile file holds them; a length above 80 keeps
    // the first 80.
    void AssignBytes(const char* data, int length);

    // The stored bytes read as UTF-8, or as Latin-1 where they are not valid
    // UTF-8 (names written by other systems), so every name still shows.
    QString Text() const;

    int Length() const { return Size; }
    bool IsEmpty() const { return Size == 0; }
    const std::array<char, Capacity>& Store() const { return Chars; }

private:
    std::uint8_t Size = 0;
    std::array<char, Capacity> Chars{};
};
