#pragma once

#include "model/ParameterModel.h"
#include "model/ProgramFiles.h"

#include <QString>
#include <functional>

// The start-up rule: load the profile at ProfilePath (channels limited to 15),
// or, when there is none, start from the defaults in the default profile.
// `ResetPara` sets the defaults and shows them. An existing default profile is
// loaded rather than overwritten, so a stale settings entry never costs the
// user the settings kept there.
void LoadStartupProfile(ParameterModel& model, QString& ProfilePath, const ProgramFiles& files,
                        const std::function<void()>& ResetPara);
