#pragma once

#include <stdexcept>
#include <string>

// A failure of the MIDI layer; what() is the UTF-8 text the user sees.
class MidiError : public std::runtime_error {
public:
    explicit MidiError(const std::string& text) : std::runtime_error(text) {}
};
