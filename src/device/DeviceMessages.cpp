#include "device/DeviceMessages.h"

#include "midi/SysExHexText.h"

#include <QCoreApplication>
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
template <class Visit>
void ForEachField(const KeyboardDescription& keyboard, int control, Visit&& visit) {
    visit(&ControlRecord::Value);
    visit(&ControlRecord::DataType);
    visit(&ControlRecord::Channel);
    visit(&ControlRecord::Disable);
    if (keyboard.Controls[static_cast<std::size_t>(control - 1)].IsButton)
        visit(&ControlRecord::ControlMode);
}

// Whether entry `at` of the received message reads as `byte`.
bool Reads(const TReceivedSysEx& received, int at, std::uint8_t byte) {
    static constexpr char digits[] = "0123456789ABCDEF";
    const char text[2] = {digits[byte >> 4], digits[byte & 0x0F]};
    return received.Entry(at) == std::string_view(text, 2);
}

// The two messages that carry the parameter set, told apart by direction.
bool IsParameterMessage(const TReceivedSysEx& received, const KeyboardDescription& keyboard,
                        std::uint8_t direction) {
    return received.Reads({{0, "F0"}}) && Reads(received, 1, keyboard.ParameterMaker) &&
           Reads(received, 2, direction) && Reads(received, 3, keyboard.ParameterBytes) &&
           received.Entry(keyboard.DumpReplyLength() - 1) == "F7";
}

void DecodeParameters(const ParameterBytes& bytes, ParameterModel& model,
                      const KeyboardDescription& keyboard,
                      const std::array<int, SettingCount>& settingOrder) {
    std::size_t at = 0;
    for (int n = 1; n <= ControlCount; ++n) {
        ControlRecord& record = model.Record(n);
        ForEachField(keyboard, n,
                     [&](std::int32_t ControlRecord::*field) { record.*field = bytes[at++]; });
    }
    for (int setting : settingOrder)
        model.GlobalSettings()[static_cast<std::size_t>(setting)] = bytes[at++];
}

} // namespace

const std::array<std::string, 128> HexByteTable = MakeHexByteTable();

std::string DumpRequest(const KeyboardDescription& keyboard) {
    std::string text = "F0 ";
    for (std::uint8_t byte :
         {keyboard.ParameterMaker, keyboard.FromEditor, std::uint8_t{0}, keyboard.ExchangeCode})
        text += HexByteTable[byte];
    return text + "F7 00 00 00 00";
}

ParameterBytes EncodeParameters(const ParameterModel& model, const KeyboardDescription& keyboard) {
    ParameterBytes bytes{};
    std::size_t at = 0;
    const auto put = [&](std::int32_t value) {
        bytes[at++] = static_cast<std::uint8_t>(std::clamp(value, 0, 127));
    };
    for (int n = 1; n <= ControlCount; ++n) {
        const ControlRecord& record = model.Record(n);
        ForEachField(keyboard, n, [&](std::int32_t ControlRecord::*field) { put(record.*field); });
    }
    for (int setting : keyboard.SentSettingOrder)
        put(model.GlobalSettings()[static_cast<std::size_t>(setting)]);
    return bytes;
}

std::vector<std::uint8_t> ParameterSetMessage(const ParameterModel& model,
                                              const KeyboardDescription& keyboard) {
    std::vector<std::uint8_t> message{0xF0, keyboard.ParameterMaker, keyboard.FromEditor,
                                      keyboard.ParameterBytes};
    const ParameterBytes parameters = EncodeParameters(model, keyboard);
    message.insert(message.end(), parameters.begin(), parameters.end());
    message.push_back(0xF7);
    return message;
}

std::string BuildParameterSet(const ParameterModel& model, const KeyboardDescription& keyboard) {
    TByteStream message(ParameterSetMessage(model, keyboard));
    // Three zero bytes go after the message, then the pair that is never sent.
    return StreamToHexText(message) + "00 00 00 00";
}

bool IsKeyboardIdentity(const TReceivedSysEx& received, const KeyboardDescription& keyboard) {
    return received.Reads({{0, "F0"}, {1, "7E"}, {3, "06"}, {9, "F7"}}) &&
           Reads(received, 5, keyboard.IdentityMaker[0]) &&
           Reads(received, 6, keyboard.IdentityMaker[1]);
}

bool IsIdentityReply(const TReceivedSysEx& received, const KeyboardDescription& keyboard) {
    return IsKeyboardIdentity(received, keyboard) && received.Reads({{4, "02"}});
}

QString FirmwareVersion(const TReceivedSysEx& received, const QLocale& locale) {
    const int version = received.Byte(7) * 100 + received.Byte(8);
    return locale.toString(version / 100.0, 'f', 2);
}

QString FirmwareText(const TReceivedSysEx& received, const QLocale& locale) {
    return QCoreApplication::translate("DeviceMessages", "FW: V%1")
        .arg(FirmwareVersion(received, locale));
}

bool IsWriteAcknowledgement(const TReceivedSysEx& received, const KeyboardDescription& keyboard) {
    return received.Reads({{0, "F0"}, {3, "00"}, {5, "F7"}}) &&
           Reads(received, 1, keyboard.ParameterMaker) &&
           Reads(received, 2, keyboard.FromKeyboard) && Reads(received, 4, keyboard.ExchangeCode);
}

bool IsDumpReply(const TReceivedSysEx& received, const KeyboardDescription& keyboard) {
    return IsParameterMessage(received, keyboard, keyboard.FromKeyboard);
}

bool IsParameterSet(const TReceivedSysEx& received, const KeyboardDescription& keyboard) {
    return IsParameterMessage(received, keyboard, keyboard.FromEditor);
}

ParameterBytes DumpReplyBytes(const TReceivedSysEx& received, const KeyboardDescription& keyboard) {
    ParameterBytes bytes{};
    for (int i = 0; i < ParameterByteCount; ++i)
        bytes[static_cast<std::size_t>(i)] = received.Byte(keyboard.ParametersAt + i);
    return bytes;
}

void DecodeDumpReply(const ParameterBytes& bytes, ParameterModel& model,
                     const KeyboardDescription& keyboard) {
    DecodeParameters(bytes, model, keyboard, keyboard.ReceivedSettingOrder);
}

void DecodeParameterSet(const ParameterBytes& bytes, ParameterModel& model,
                        const KeyboardDescription& keyboard) {
    DecodeParameters(bytes, model, keyboard, keyboard.SentSettingOrder);
}

int ParameterDifferences::ControlsDiffering() const {
    return static_cast<int>(std::count(Controls.begin(), Controls.end(), true));
}

int ParameterDifferences::SettingsDiffering() const {
    return static_cast<int>(std::count(Settings.begin(), Settings.end(), true));
}

ParameterDifferences CompareParameters(const ParameterBytes& a, const ParameterBytes& b,
                                       const KeyboardDescription& keyboard) {
    ParameterDifferences differences;
    std::size_t at = 0;
    for (int n = 1; n <= ControlCount; ++n) {
        ForEachField(keyboard, n, [&](std::int32_t ControlRecord::*) {
            differences.Controls[static_cast<std::size_t>(n - 1)] |= a[at] != b[at];
            ++at;
        });
    }
    for (int setting : keyboard.SentSettingOrder) {
        differences.Settings[static_cast<std::size_t>(setting)] = a[at] != b[at];
        ++at;
    }
    return differences;
}
