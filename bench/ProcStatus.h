#pragma once

#include <optional>
#include <string_view>

// One figure of /proc/self/status in KiB, such as "VmRSS" or "VmHWM"; nothing
// when the field is missing.
std::optional<long> ProcStatusKiB(std::string_view field);
