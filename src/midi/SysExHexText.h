#pragma once

#include "midi/ByteStream.h"

#include <string>
#include <string_view>

// The text form of a MIDI message: two hexadecimal digits a byte.

// Each byte as two upper-case digits and one blank, the last byte included
// ("F0 7E 00 06 01 F7 "). Leaves the stream's position at 0.
std::string StreamToHexText(TByteStream& stream);

// Replaces the stream's content with the bytes the text gives. Blanks are
// ignored, digits pair up in order and any other character counts as the digit
// 0. The last complete pair is never converted (message texts end in a pair
// that is not sent) and an odd final digit is dropped, so fewer than two
// digits give no bytes. Leaves the position at 0.
void HexTextToStream(std::string_view text, TByteStream& stream);
