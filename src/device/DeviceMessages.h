#pragma once

#include "device/ReceivedSysEx.h"
#include "keyboard/Hbx740.h"
#include "model/ParameterModel.h"

#include <QLocale>
#include <QString>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

// The messages the editor and the keyboard exchange, as SysEx hex text on the
// way out and as received entries on the way in. Their bytes come from the
// keyboard's description.

// The MIDI standard's identity request.
inline constexpr const char* IdentityRequest = "F0 7E 00 06 01 F7 00 00 00 00";

// "00 " to "7F ": the text of each 7-bit value.
extern const std::array<std::string, 128> HexByteTable;

// Asks the keyboard for its whole parameter set.
std::string DumpRequest(const KeyboardDescription& keyboard = Hbx740);

// The parameter-set message for the model, from its F0 to its F7: what the
// keyboard takes, and what a ".syx" file holds. A field outside 0 to 127 (a
// damaged profile) is limited to that range, so every byte stays a MIDI data
// byte.
std::vector<std::uint8_t> ParameterSetMessage(const ParameterModel& model,
                                              const KeyboardDescription& keyboard = Hbx740);
// That message as the text sent to the keyboard.
std::string BuildParameterSet(const ParameterModel& model,
                              const KeyboardDescription& keyboard = Hbx740);

inline constexpr int ParameterByteCount = Hbx740.ParameterCount();
using ParameterBytes = std::array<std::uint8_t, ParameterByteCount>;

// Any identity reply from the keyboard's maker; used to bind its port.
bool IsKeyboardIdentity(const TReceivedSysEx& received,
                        const KeyboardDescription& keyboard = Hbx740);
// The keyboard's identity reply, which carries the firmware version.
bool IsIdentityReply(const TReceivedSysEx& received, const KeyboardDescription& keyboard = Hbx740);
// "FW: V" and the firmware version major.minor with two decimals.
QString FirmwareText(const TReceivedSysEx& received, const QLocale& locale = QLocale());
// The version alone: "1.05".
QString FirmwareVersion(const TReceivedSysEx& received, const QLocale& locale = QLocale());

bool IsWriteAcknowledgement(const TReceivedSysEx& received,
                            const KeyboardDescription& keyboard = Hbx740);
bool IsDumpReply(const TReceivedSysEx& received, const KeyboardDescription& keyboard = Hbx740);
// The editor's parameter-set message, as a ".syx" file may hold it.
bool IsParameterSet(const TReceivedSysEx& received, const KeyboardDescription& keyboard = Hbx740);
// The parameter bytes of a dump reply or a parameter set.
ParameterBytes DumpReplyBytes(const TReceivedSysEx& received,
                              const KeyboardDescription& keyboard = Hbx740);
// Store a dump reply's or a parameter set's parameter bytes in the model, as
// they are; the two differ in the order of the keyboard-wide settings.
void DecodeDumpReply(const ParameterBytes& bytes, ParameterModel& model,
                     const KeyboardDescription& keyboard = Hbx740);
void DecodeParameterSet(const ParameterBytes& bytes, ParameterModel& model,
                        const KeyboardDescription& keyboard = Hbx740);
// The parameter bytes the model would send, in the parameter set's order.
ParameterBytes EncodeParameters(const ParameterModel& model,
                                const KeyboardDescription& keyboard = Hbx740);

// The controls and keyboard-wide settings whose bytes differ between two
// parameter sets (in the parameter set's order).
struct ParameterDifferences {
    std::array<bool, ControlCount> Controls{};
    std::array<bool, SettingCount> Settings{};

    int ControlsDiffering() const;
    int SettingsDiffering() const;
};
ParameterDifferences CompareParameters(const ParameterBytes& a, const ParameterBytes& b,
                                       const KeyboardDescription& keyboard = Hbx740);
