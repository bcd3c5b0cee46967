#pragma once

#include "model/ParameterModel.h"

#include <QJsonObject>
#include <QString>
#include <vector>

// A parameter set as the command line prints it.

struct ProfileField {
    QString Label;
    QString Value;
};

// Every field, labelled; with `transferredOnly`, only those the keyboard
// holds (no names, no editor texts, no mode of a control that is no button).
std::vector<ProfileField> ProfileFields(const ParameterModel& model, bool transferredOnly);

// A table: one line a control, then one a keyboard-wide setting.
QString ProfileTableText(const ParameterModel& model);
QJsonObject ProfileJson(const ParameterModel& model);
