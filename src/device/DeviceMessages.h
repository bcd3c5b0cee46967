#pragma once

#include "ParameterModel.h"
#include "ReceivedSysEx.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <string>

// The messages the editor and the keyboard exchange, as SysEx hex text on the
// way out and as received entries on the way in.

// The MIDI standard's identity request.
inline constexpr const char* IdentityRequest = "F0 7E 00 06 01 F7 00 00 00 00";
// Asks the keyboard for its whole parameter set.
inline constexpr const char* DumpRequest = "F0 33 00 00 08 F7 00 00 00 00";

// "00 " to "7F ": the text of each 7-bit value.
extern const std::array<std::string, 128> HexByteTable;

// The parameter-set message for the model: 43 parameter bytes. A field
// outside 0 to 127 (a damaged profile) is limited to that range, so every byte
// stays a MIDI data byte.
std::string BuildParameterSet(const ParameterModel& model);

inline constexpr int ParameterByteCount = 43;
using ParameterBytes = std::array<std::uint8_t, ParameterByteCount>;

// Any identity reply from the keyboard's maker; used to bind its port.
bool IsKeyboardIdentity(const TReceivedSysEx& received);
// The identity reply that carries the firmware version.
bool IsIdentityReply(const TReceivedSysEx& received);
// "FW: V" and the firmware version major.minor with two decimals.
QString FirmwareText(const TReceivedSysEx& received, const QLocale& locale = QLocale());

bool IsWriteAcknowledgement(const TReceivedSysEx& received);
bool IsDumpReply(const TReceivedSysEx& received);
// The 43 parameter bytes of a dump reply (offsets 4 to 46).
ParameterBytes DumpReplyBytes(const TReceivedSysEx& received);
// Stores a dump reply's parameter bytes in the model, as they are: the
// keyboard sends Transpose before Reverb.
void DecodeDumpReply(const ParameterBytes& bytes, ParameterModel& model);
