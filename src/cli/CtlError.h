#pragma once

#include <stdexcept>
#include <string>

// hbx740ctl's exit statuses.
namespace ExitStatus {
inline constexpr int Done = 0;
inline constexpr int Differs = 1;
inline constexpr int Usage = 2;
inline constexpr int NoService = 3;
inline constexpr int NotFound = 4;
inline constexpr int NoAnswer = 5;
inline constexpr int FileError = 6;
} // namespace ExitStatus

// Ends a command with an exit status and the text that says why.
class CtlError : public std::runtime_error {
public:
    CtlError(int status, const std::string& text) : std::runtime_error(text), Status(status) {}
    int Status;
};
