#pragma once

#include "model/ProgramFiles.h"

#include <QString>

// The settings file is read and written by IniFile's rules: a value is taken
// whole, and writing changes only the keys written, through WriteFileSafely.

// Sets ProfilePath from key "FilePath" of section "System" of the settings
// file. When that is empty, ProfilePath becomes the default profile and the
// default is written back; a settings file that cannot be written raises
// "Unable to write to <settings file>" with ProfilePath already set.
void ReadSettingsFile(QString& ProfilePath, const ProgramFiles& files);

// The profile path the settings file names, whole whatever characters it
// holds; empty when it names none.
QString ReadProfileSetting(const QString& settingsFile);

// The keyboard's ports as the user chose them, by name; both empty for
// "Automatic", the search by USB and port name.
struct DeviceChoice {
    QString InputPort;
    QString OutputPort;

    bool Automatic() const { return InputPort.isEmpty() && OutputPort.isEmpty(); }
    bool operator==(const DeviceChoice&) const = default;
};

// Section "Device", keys "InputPort" and "OutputPort"; "Automatic" removes
// both keys. Writing raises "Unable to write to <settings file>".
DeviceChoice ReadDeviceChoice(const QString& settingsFile);
void WriteDeviceChoice(const QString& settingsFile, const DeviceChoice& choice);
