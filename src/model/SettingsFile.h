#pragma once

#include "ProgramFiles.h"

#include <QString>

// Sets ProfilePath from key "FilePath" of section "System" of the settings
// file. When that is empty, ProfilePath becomes the default profile and the
// default is written back; a settings file that cannot be written raises
// "Unable to write to <settings file>" with ProfilePath already set.
void ReadSettingsFile(QString& ProfilePath, const ProgramFiles& files);
