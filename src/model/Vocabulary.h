#pragma once

#include <QStringList>
#include <array>

// The texts that give the model's numbers their meaning: the default control
// names and the items of every list the panel offers.

inline constexpr int ControlCount = 8;

extern const std::array<const char*, ControlCount> ControlNames;

// The message-type list of a control (1 to 8): the encoder has two CC kinds,
// the other controls one.
const QStringList& MessageTypeItems(int control);
int HighestDataType(int control);

const QStringList& ButtonModeItems();
const QStringList& ChannelItems();
const QStringList& ArpModeItems();
const QStringList& ArpTimeItems();
const QStringList& ArpOctaveItems();
const QStringList& ScaleItems();
const QStringList& VelocityItems();
const QStringList& ReverbItems();
const QStringList& TransposeItems();
const QStringList& KeyChannelItems();
