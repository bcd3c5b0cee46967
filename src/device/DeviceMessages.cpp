#include "DeviceMessages.h"

#include <algorithm>

namespace {

std::array<std::string, 128> MakeHexByteTable() {
    static constexpr char digits[] = "0123456789ABCDEF";
    std::array<std::string, 128> table;
    for (std::size_t v = 0; v < table.size(); ++v)
        table[v] = {digits[v >> 4], digits[v & 0x0F], ' '};
    return table;
}

// The controls' fields in message order; the buttons also carry their mode.
template <class Visit> void ForEachRecordField(int control, Visit&& visit) {
    visit(&ControlRecord::Value);
    visit(&ControlRecord::DataType);
    visit(&ControlRecord::Channel);
    visit(&ControlRecord::Disable);
    if (control >= 6)
        visit(&ControlRecord::ControlMode);
}

constexpr std::array<GlobalSetting, GlobalSettingCount> SentSettingOrder = {
    ArpMode, ArpTime, ArpOctave, Scale, Velocity, Reverb, Transpose, KeyChannel};
constexpr std::array<GlobalSetting, GlobalSettingCount> ReceivedSettingOrder = {
    ArpMode, ArpTime, ArpOctave, Scale, Velocity, Transpose, Reverb, KeyChannel};

} // namespace

const std::array<std::string, 128> HexByteTable = MakeHexByteTable();

std::string BuildParameterSet(const ParameterModel& model) {
    std::string text = "F0 33 00 2B ";
    const auto append = [&text](std::int32_t value) {
        text += HexByteTable[static_cast<std::size_t>(std::clamp(value, 0, 127))];
    };
    for (int n = 1; n <= ControlCount; ++n) {
        const ControlRecord& record = model.Record(n);
        ForEachRecordField(n, [&](std::int32_t ControlRecord::*field) { append(record.*field); });
    }
    for (GlobalSetting setting : SentSettingOrder)
        append(model.GlobalSettings()[setting]);
    return text + "F7 00 00 00 00";
}

bool IsKeyboardIdentity(const TReceivedSysEx& received) {
    return received.Reads({{0, "F0"}, {1, "7E"}, {3, "06"}, {5, "4A"}, {6, "33"}, {9, "F7"}});
}

bool IsIdentityReply(const TReceivedSysEx& received) {
    return received.Reads({{0, "F0"}, {1, "7E"}, {3, "06"}, {4, "02"}, {9, "F7"}});
}

QString FirmwareText(const TReceivedSysEx& received, const QLocale& locale) {
    const int version = received.Byte(7) * 100 + received.Byte(8);
    return QStringLiteral("FW: V") + locale.toString(version / 100.0, 'f', 2);
}

bool IsWriteAcknowledgement(const TReceivedSysEx& received) {
    return received.Reads({{0, "F0"}, {1, "33"}, {2, "01"}, {3, "00"}, {4, "08"}, {5, "F7"}});
}

bool IsDumpReply(const TReceivedSysEx& received) {
    return received.Reads({{0, "F0"}, {1, "33"}, {2, "01"}, {3, "2B"}, {47, "F7"}});
}

ParameterBytes DumpReplyBytes(const TReceivedSysEx& received) {
    ParameterBytes bytes{};
    for (int i = 0; i < ParameterByteCount; ++i)
        bytes[static_cast<std::size_t>(i)] = received.Byte(4 + i);
    return bytes;
}

void DecodeDumpReply(const ParameterBytes& bytes, ParameterModel& model) {
    std::size_t at = 0;
    for (int n = 1; n <= ControlCount; ++n) {
        ControlRecord& record = model.Record(n);
        ForEachRecordField(
            n, [&](std::int32_t ControlRecord::*field) { record.*field = bytes[at++]; });
    }
    for (GlobalSetting setting : ReceivedSettingOrder)
        model.GlobalSettings()[setting] = bytes[at++];
}
