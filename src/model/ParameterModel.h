#pragma once

#include "keyboard/Hbx740.h"
#include "model/FixedName.h"

#include <array>
#include <cstdint>

// Positions of the keyboard-wide settings in record 1's Settings.
enum GlobalSetting : int {
    ArpMode,
    ArpTime,
    ArpOctave,
    Scale,
    Velocity,
    Reverb,
    Transpose,
    KeyChannel,
    GlobalSettingCount
};
static_assert(GlobalSettingCount == SettingCount);

using SettingsArray = std::array<std::int32_t, GlobalSettingCount>;

// The parameters of one physical control. Settings carries the keyboard-wide
// settings in record 1; records 2 to 8 keep whatever a profile put there.
struct ControlRecord {
    FixedName ParaName;
    FixedName EditorText;
    std::int32_t DataType = 0;
    std::int32_t ControlMode = 0;
    std::int32_t Value = 0;
    std::int32_t Channel = 0;
    std::int32_t Disable = 0;
    SettingsArray Settings{};
};

// The editor's whole parameter set. It belongs to the window's thread; a device
// read arriving on the MIDI thread is handed over before it touches the model.
struct ParameterModel {
    std::array<ControlRecord, ControlCount> Records{};
    std::int32_t SelectedControl = 0;

    // Record n, counted from 1 as the controls are.
    ControlRecord& Record(int n);
    const ControlRecord& Record(int n) const;
    ControlRecord& Selected() { return Record(SelectedControl); }

    SettingsArray& GlobalSettings() { return Records[0].Settings; }
    const SettingsArray& GlobalSettings() const { return Records[0].Settings; }
};

// Sets the keyboard's factory defaults. Leaves every EditorText, the Settings
// of records 2 to 8 and SelectedControl as they are. Refreshing the panel is
// the caller's business.
void ResetPara(ParameterModel& model, const KeyboardDescription& keyboard = Hbx740);

// A model that any command can work on: the factory defaults with control 1
// selected. The window starts from it, so that a start-up that stops early
// still leaves an editor that can select, edit and save.
ParameterModel FactoryModel();
