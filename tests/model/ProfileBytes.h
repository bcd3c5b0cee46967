#pragma once

#include <QByteArray>
#include <array>
#include <cstdint>

// Builds profile bytes straight from the file layout, independently of the
// editor's own encoder, so tests compare the editor against the format.
struct RecordSpec {
    QByteArray Name;
    QByteArray Editor;
    std::int32_t DataType = 0;
    std::int32_t ControlMode = 0;
    std::int32_t Value = 0;
    std::int32_t Channel = 0;
    std::int32_t Disable = 0;
    std::array<std::int32_t, 8> Settings{};
    // Overrides the name's length byte, to build damaged files.
    int NameLengthByte = -1;
};

inline void PutLE(QByteArray& bytes, int at, std::int32_t value) {
    const auto u = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>(u >> (8 * i));
}

inline QByteArray RecordOf(const RecordSpec& spec) {
    QByteArray bytes(216, '\0');
    bytes[0] = static_cast<char>(spec.NameLengthByte >= 0 ? spec.NameLengthByte : spec.Name.size());
    bytes.replace(1, spec.Name.size(), spec.Name);
    bytes[81] = static_cast<char>(spec.Editor.size());
    bytes.replace(82, spec.Editor.size(), spec.Editor);
    PutLE(bytes, 164, spec.DataType);
    PutLE(bytes, 168, spec.ControlMode);
    PutLE(bytes, 172, spec.Value);
    PutLE(bytes, 176, spec.Channel);
    PutLE(bytes, 180, spec.Disable);
    for (int i = 0; i < 8; ++i)
        PutLE(bytes, 184 + 4 * i, spec.Settings[static_cast<std::size_t>(i)]);
    return bytes;
}

// The factory profile as the editor writes it on a first start.
inline QByteArray DefaultProfileBytes() {
    const std::array<const char*, 8> names = {"Encoder",       "Knob 1", "Knob 2", "Knob 3",
                                              "Volume Slider", "Play",   "Stop",   "Recoard"};
    const std::array<std::int32_t, 8> values = {10, 21, 22, 23, 7, 105, 106, 107};
    QByteArray profile;
    for (std::size_t i = 0; i < 8; ++i) {
        RecordSpec spec;
        spec.Name = names[i];
        spec.DataType = 4;
        spec.Value = values[i];
        spec.ControlMode = i == 6 ? 1 : 0;
        if (i == 0)
            spec.Settings = {0, 5, 1, 0, 0, 0, 12, 0};
        profile += RecordOf(spec);
    }
    return profile;
}
