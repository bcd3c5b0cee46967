#include "ProcStatus.h"

#include <fstream>
#include <sstream>
#include <string>

std::optional<long> ProcStatusKiB(std::string_view field) {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.size() > field.size() && line.starts_with(field) && line[field.size()] == ':') {
            long kib = 0;
            if (std::istringstream(line.substr(field.size() + 1)) >> kib)
                return kib;
        }
    }
    return std::nullopt;
}
