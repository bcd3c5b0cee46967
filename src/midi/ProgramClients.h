#pragma once

#include <array>
#include <string_view>

// The names under which this project's programs join a MIDI service. Every
// service leaves the ports of these clients out of its lists, so that no copy
// of the editor or of hbx740ctl takes another's port (or its own) for a
// device.
inline constexpr std::string_view EditorClientName = "HBX740 MIDI Editor";
inline constexpr std::string_view CtlClientName = "hbx740ctl";

// Whether a service's client of that name is one of the programs: JACK makes
// a taken name unique with a suffix ("hbx740ctl-01"), ALSA lets names repeat.
inline bool IsProgramClient(std::string_view client) {
    constexpr std::array names{EditorClientName, CtlClientName};
    for (std::string_view name : names) {
        if (client.starts_with(name))
            return true;
    }
    return false;
}
