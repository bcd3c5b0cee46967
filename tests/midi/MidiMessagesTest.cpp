#include "midi/MidiMessages.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<Bytes> Messages(const Bytes& bytes) {
    std::vector<Bytes> result;
    for (const auto message : CompleteMidiMessages(bytes))
        result.emplace_back(message.begin(), message.end());
    return result;
}

TEST(CompleteMidiMessages, SysExEndsAtF7AndThePaddingIsLeftOut) {
    EXPECT_EQ(Messages({0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7, 0x00, 0x00, 0x00}),
              (std::vector<Bytes>{{0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7}}));
}

TEST(CompleteMidiMessages, ShortMessagesTakeTheirDataBytes) {
    EXPECT_EQ(Messages({0x90, 60, 100, 0xC3, 5, 0xF8, 0xB0, 7, 127, 0xFE, 0xF2, 1, 2}),
              (std::vector<Bytes>{
                  {0x90, 60, 100}, {0xC3, 5}, {0xF8}, {0xB0, 7, 127}, {0xFE}, {0xF2, 1, 2}}));
}

TEST(CompleteMidiMessages, IncompleteMessagesAreLeftOut) {
    // A SysEx without its end, cut off by the next status byte.
    EXPECT_EQ(Messages({0xF0, 1, 2, 0x90, 60, 100}), (std::vector<Bytes>{{0x90, 60, 100}}));
    // A SysEx still open at the end.
    EXPECT_TRUE(Messages({0xF0, 0x33, 0x00}).empty());
    // A note without its velocity, stray data bytes and a lone end of SysEx.
    EXPECT_TRUE(Messages({0x90, 60, 0xF7, 0x45, 0x00}).empty());
    EXPECT_TRUE(Messages({}).empty());
}

TEST(MidiMessageLength, GivesTheLengthOfEachShortMessage) {
    EXPECT_EQ(MidiMessageLength(0x90), 3u);
    EXPECT_EQ(MidiMessageLength(0xB5), 3u);
    EXPECT_EQ(MidiMessageLength(0xEF), 3u);
    EXPECT_EQ(MidiMessageLength(0xC3), 2u);
    EXPECT_EQ(MidiMessageLength(0xD0), 2u);
    EXPECT_EQ(MidiMessageLength(0xF1), 2u);
    EXPECT_EQ(MidiMessageLength(0xF2), 3u);
    EXPECT_EQ(MidiMessageLength(0xF3), 2u);
    EXPECT_EQ(MidiMessageLength(0xF6), 1u);
    EXPECT_EQ(MidiMessageLength(0xF8), 1u);
    EXPECT_EQ(MidiMessageLength(0xFE), 1u);
}

TEST(MidiMessageLength, IsZeroForWhatBeginsNoShortMessage) {
    for (const std::uint8_t byte : {0x00, 0x3C, 0x7F, 0xF0, 0xF4, 0xF5, 0xF7, 0xF9, 0xFD})
        EXPECT_EQ(MidiMessageLength(byte), 0u) << int{byte};
}

} // namespace
