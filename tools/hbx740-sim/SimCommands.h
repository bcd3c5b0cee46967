#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Commands the simulator takes on standard input with --commands, one a line,
// for trying how the editor copes with what a faulty keyboard might send:
//
//   send HEX...           one message of these bytes, sent as they stand
//   burst COUNT HEX...    the same message COUNT times
//   random-sysex LENGTH [SEED]
//                         a SysEx of LENGTH bytes: 0xF0, random data bytes, 0xF7
//   largest-sysex [SEED]  such a SysEx as long as the service's largest event
struct SimCommand {
    std::string Name;
    std::vector<std::vector<std::uint8_t>> Messages;
};

// The command on one line, or the reason it is not one.
std::variant<SimCommand, std::string> ParseSimCommand(std::string_view line,
                                                      std::size_t largestEvent);

// Splits off the complete lines at the front of `pending`.
std::vector<std::string> TakeLines(std::string& pending);
