#pragma once

#include <cstdint>
#include <span>

// The callback that every open input port reports to, with its input set as
// context and the port's index as instance. It runs on the service's MIDI
// input thread.
//
// Mapping of the service's two deliveries: a short message (MIM_DATA) goes to
// OnShortMessage as status, data1 and data2, missing data bytes as 0; a SysEx
// (MIM_LONGDATA) passes through the port's receive buffer, 2048 bytes at a
// time, and each filled buffer goes to HandleSysExBuffer; a SysEx whose 0xF7
// went missing ends where the next 0xF0 begins. Nothing is filtered.
// Short messages pass without any heap allocation.
void InputCallback(void* context, std::int32_t instance,
                   std::span<const std::uint8_t> message) noexcept;
