#pragma once

#include "keyboard/Hbx740.h"

#include <QStringList>
#include <array>
#include <string_view>

// The texts that give the model's numbers their meaning: the default control
// names and the items of every list the panel offers.

// The keyboard's default control names, in record order.
inline constexpr std::array<std::string_view, ControlCount> ControlNames = [] {
    std::array<std::string_view, ControlCount> names;
    for (std::size_t i = 0; i < names.size(); ++i)
        names[i] = Hbx740.Controls[i].Name;
    return names;
}();

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
