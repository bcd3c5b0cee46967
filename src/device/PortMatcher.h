#pragma once

#include "midi/Midi.h"

#include <cstdint>
#include <string>
#include <vector>

enum PortMatch : std::int32_t { NoPortMatch, NamePortMatch, UsbPortMatch };

// The ports of the two sets that a query found, by index.
struct KeyboardPorts {
    PortMatch Match = NoPortMatch;
    std::vector<int> Outputs;
    std::vector<int> Inputs;
};

// What the ports are looked for by: the names the input and the output go by
// (the keyboard's own name, the ports the user chose, or hbx740ctl's --port
// text for both), the name prefix of the automatic search, and whether a name
// that merely contains the text counts (--port).
struct PortQuery {
    std::string Input;
    std::string Output;
    std::string Prefix;
    bool Contains = false;
};

// The one rule by which every search matches ports. A port goes by its listed
// name, its service's full name and its aliases (its own name within its
// client, a bridge's names for the device behind it). The steps, in order;
// the first that finds an output decides, and a step that finds only inputs
// decides when no later one finds anything:
// 1. exact: the first output going by the query's output name, and every
//    input going by its input name (NamePortMatch);
// 2. prefix, when the query has one: every output and input whose listed name
//    or an alias begins with it (UsbPortMatch);
// 3. contains, when the query allows it: every output and input one of whose
//    names contains the query's names (NamePortMatch).
// The services list no port of this project's own programs, so none of them
// is ever matched.
KeyboardPorts MatchPorts(const std::vector<TPortEntry>& inputs,
                         const std::vector<TPortEntry>& outputs, const PortQuery& query);
