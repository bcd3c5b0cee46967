#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

// The complete MIDI messages in a byte sequence, in order: a SysEx from 0xF0
// through 0xF7, channel, system common and real-time messages with all their
// data bytes. Bytes that form no complete message (zero padding after 0xF7,
// data bytes without a status byte, a message cut short) are left out.
std::vector<std::span<const std::uint8_t>>
CompleteMidiMessages(std::span<const std::uint8_t> bytes);

// The length of the message that `status` begins, its data bytes included: 1
// to 3, or 0 for a byte that begins no message of a fixed length (a data byte,
// 0xF0, 0xF7, an undefined status).
std::size_t MidiMessageLength(std::uint8_t status) noexcept;
