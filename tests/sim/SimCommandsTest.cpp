#include "SimCommands.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

SimCommand Parsed(std::string_view line, std::size_t largestEvent = 1000) {
    auto parsed = ParseSimCommand(line, largestEvent);
    if (auto* error = std::get_if<std::string>(&parsed)) {
        ADD_FAILURE() << line << ": " << *error;
        return {};
    }
    return std::get<SimCommand>(std::move(parsed));
}

TEST(SimCommands, SendAndBurstCarryTheBytesAsWritten) {
    EXPECT_EQ(Parsed("send F0 7e 7f F7").Messages, (std::vector<Bytes>{{0xF0, 0x7E, 0x7F, 0xF7}}));
    const SimCommand burst = Parsed("burst 3 90 3C 64");
    EXPECT_EQ(burst.Name, "burst");
    EXPECT_EQ(burst.Messages, std::vector<Bytes>(3, Bytes{0x90, 0x3C, 0x64}));
}

TEST(SimCommands, RandomSysExIsFramedSevenBitDataOfTheAskedLength) {
    for (const auto& [line, length] :
         {std::pair{"random-sysex 5000 7", 5000u}, std::pair{"largest-sysex", 1000u}}) {
        const SimCommand command = Parsed(line);
        ASSERT_EQ(command.Messages.size(), 1u);
        const Bytes& sysEx = command.Messages.front();
        ASSERT_EQ(sysEx.size(), length) << line;
        EXPECT_EQ(sysEx.front(), 0xF0);
        EXPECT_EQ(sysEx.back(), 0xF7);
        for (std::size_t at = 1; at + 1 < sysEx.size(); ++at)
            ASSERT_LT(sysEx[at], 0x80) << line << " at " << at;
    }
    EXPECT_EQ(Parsed("random-sysex 64 9").Messages, Parsed("random-sysex 64 9").Messages);
    EXPECT_NE(Parsed("random-sysex 64 9").Messages, Parsed("random-sysex 64 10").Messages);
}

TEST(SimCommands, MalformedLinesAreRefused) {
    for (const char* line : {"", "sned F0 F7", "send", "send F0 G7", "send 100", "burst x 90",
                             "burst 2", "random-sysex 1", "random-sysex many"})
        EXPECT_TRUE(std::holds_alternative<std::string>(ParseSimCommand(line, 1000))) << line;
    EXPECT_TRUE(std::holds_alternative<std::string>(ParseSimCommand("largest-sysex", 0)));
}

TEST(SimCommands, OnlyCompleteLinesAreTaken) {
    std::string pending = "send 90\nburst 2 80\nrand";
    EXPECT_EQ(TakeLines(pending), (std::vector<std::string>{"send 90", "burst 2 80"}));
    EXPECT_EQ(pending, "rand");
    pending += "om-sysex 4\n";
    EXPECT_EQ(TakeLines(pending), std::vector<std::string>{"random-sysex 4"});
    EXPECT_TRUE(pending.empty());
}

} // namespace
