#pragma once

#include <QString>
#include <cstdint>

// Reads an integer as the VALUE field accepts it: leading blanks, an optional
// sign, then decimal digits, or hexadecimal digits after "$", "x", "X" or
// "0x". Anything else, or a number outside 32 bits, raises
// "'<text>' is not a valid integer value".
std::int32_t StrToInt(const QString& text);

// The VALUE field's text as a control number: the empty text gives 0, and the
// result is kept within 0 to 127.
std::int32_t ValueFromText(const QString& text);

// The characters the VALUE field lets through: Ctrl+C, Backspace, Enter,
// Ctrl+V and the digits.
bool IsValueKeyAllowed(char16_t key);
