#pragma once

#include "keyboard/KeyboardDescription.h"

// The HBX740.
inline constexpr KeyboardDescription Hbx740{
    .Model = "HBX740",
    .UsbIdPrefix = "USB\\VID_5D2E&PID_9A47",
    .UsbVendor = 0x5D2E,
    .UsbProduct = 0x9A47,
    .PortName = "HBX740",
    .PortPrefix = "USB",
    .Controls = {{
        {HBX_TRANSLATE_NOOP("KeyboardControl", "Encoder"), false, 6, 10, 4, 0},
        {HBX_TRANSLATE_NOOP("KeyboardControl", "Knob 1"), false, 5, 21, 4, 0},
        {HBX_TRANSLATE_NOOP("KeyboardControl", "Knob 2"), false, 5, 22, 4, 0},
        {HBX_TRANSLATE_NOOP("KeyboardControl", "Knob 3"), false, 5, 23, 4, 0},
        {HBX_TRANSLATE_NOOP("KeyboardControl", "Volume Slider"), false, 5, 7, 4, 0},
        {HBX_TRANSLATE_NOOP("KeyboardControl", "Play"), true, 5, 105, 4, 0},
        // The one momentary button out of the factory.
        {HBX_TRANSLATE_NOOP("KeyboardControl", "Stop"), true, 5, 106, 4, 1},
        {"Recoard", true, 5, 107, 4, 0, HBX_TRANSLATE_NOOP("KeyboardControl", "Record")},
    }},
    // ArpMode UP, ArpTime 1/4t, ArpOctave 1, Scale NORM, Velocity NORM,
    // Reverb OFF, Transpose 0, KeyChannel 0.
    .DefaultSettings = {0, 5, 1, 0, 0, 0, 12, 0},
    .IdentityMaker = {0x4A, 0x33},
    .ParameterMaker = 0x33,
    .FromEditor = 0x00,
    .FromKeyboard = 0x01,
    .ParameterBytes = 0x2B,
    .ExchangeCode = 0x08,
    .ParametersAt = 4,
    // The keyboard returns Transpose before Reverb.
    .SentSettingOrder = {0, 1, 2, 3, 4, 5, 6, 7},
    .ReceivedSettingOrder = {0, 1, 2, 3, 4, 6, 5, 7},
};

static_assert(Hbx740.ParameterCount() == Hbx740.ParameterBytes);
