#pragma once

#include <QString>

class DeviceLink;
class UserPrompts;

// "MIDI Ports...": asks the user for the keyboard's ports among those listed
// now, remembers the answer in the settings file and has the link connect to
// it at once. A cancelled dialog changes nothing.
void ChooseKeyboardPorts(DeviceLink& link, UserPrompts& prompts, const QString& settingsFile);
