#include "SimCommands.h"

#include <charconv>
#include <random>
#include <sstream>

namespace {

using Bytes = std::vector<std::uint8_t>;

bool ParseNumber(const std::string& word, unsigned long& value) {
    const char* end = word.data() + word.size();
    const auto [at, error] = std::from_chars(word.data(), end, value);
    return error == std::errc() && at == end;
}

bool ParseHex(std::istringstream& words, Bytes& bytes) {
    std::string word;
    while (words >> word) {
        unsigned value = 0;
        const char* end = word.data() + word.size();
        const auto [at, error] = std::from_chars(word.data(), end, value, 16);
        if (error != std::errc() || at != end || word.size() > 2)
            return false;
        bytes.push_back(static_cast<std::uint8_t>(value));
    }
    return !bytes.empty();
}

Bytes RandomSysEx(std::size_t length, unsigned long seed) {
    std::mt19937 random(static_cast<std::mt19937::result_type>(seed));
    std::uniform_int_distribution<int> data(0x00, 0x7F);
    Bytes bytes(length);
    for (auto& byte : bytes)
        byte = static_cast<std::uint8_t>(data(random));
    bytes.front() = 0xF0;
    bytes.back() = 0xF7;
    return bytes;
}

} // namespace

std::variant<SimCommand, std::string> ParseSimCommand(std::string_view line,
                                                      std::size_t largestEvent) {
    std::istringstream words{std::string(line)};
    SimCommand command;
    words >> command.Name;
    std::string word;
    unsigned long count = 1;
    unsigned long seed = 1;
    if (command.Name == "send" || command.Name == "burst") {
        if (command.Name == "burst" && (!(words >> word) || !ParseNumber(word, count)))
            return "burst takes a count, then the bytes";
        Bytes message;
        if (!ParseHex(words, message))
            return command.Name + " takes bytes as two hexadecimal digits each";
        command.Messages.assign(count, message);
    } else if (command.Name == "random-sysex") {
        unsigned long length = 0;
        if (!(words >> word) || !ParseNumber(word, length) || length < 2)
            return "random-sysex takes a length of at least 2";
        if (words >> word && !ParseNumber(word, seed))
            return "random-sysex takes a number as seed";
        command.Messages.push_back(RandomSysEx(length, seed));
    } else if (command.Name == "largest-sysex") {
        if (words >> word && !ParseNumber(word, seed))
            return "largest-sysex takes a number as seed";
        if (largestEvent < 2)
            return "the service carries no SysEx in one event";
        command.Messages.push_back(RandomSysEx(largestEvent, seed));
    } else {
        return "unknown command \"" + command.Name + "\"";
    }
    return command;
}

std::vector<std::string> TakeLines(std::string& pending) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = pending.find('\n', start)) != std::string::npos; start = end + 1)
        lines.emplace_back(pending, start, end - start);
    pending.erase(0, start);
    return lines;
}
