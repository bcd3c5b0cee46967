#pragma once

#include "midi/MidiService.h"

#include <map>

// A service's open ports by handle, each entry with its Direction.
template <class Opened> using OpenedPorts = std::map<MidiHandle, Opened>;

// The port open as `handle` in that direction, or none.
template <class Opened>
const Opened* OpenedAs(const OpenedPorts<Opened>& ports, MidiHandle handle,
                       MidiDirection direction) {
    const auto found = ports.find(handle);
    return found != ports.end() && found->second.Direction == direction ? &found->second : nullptr;
}
