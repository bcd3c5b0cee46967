#include "midi/SysExHexText.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes Convert(std::string_view text) {
    TByteStream stream;
    HexTextToStream(text, stream);
    EXPECT_EQ(stream.Position(), 0u);
    return {stream.Bytes().begin(), stream.Bytes().end()};
}

struct HexExample {
    std::string Text;
    Bytes Expected;
};

void PrintTo(const HexExample& example, std::ostream* out) {
    *out << '"' << example.Text << '"';
}

class HexTextToStreamExamples : public testing::TestWithParam<HexExample> {};

TEST_P(HexTextToStreamExamples, GivesTheBytesOfAllButTheLastPair) {
    EXPECT_EQ(Convert(GetParam().Text), GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    WorkedExamples, HexTextToStreamExamples,
    testing::Values(
        HexExample{"F0 7E 00 06 01 F7 00 00 00 00", {0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7, 0, 0, 0}},
        HexExample{"F0 33 00 00 08 F7 00 00 00 00", {0xF0, 0x33, 0x00, 0x00, 0x08, 0xF7, 0, 0, 0}},
        HexExample{"f0 7e", {0xF0}}, HexExample{"F0 G1 F7 00 00", {0xF0, 0x01, 0xF7, 0x00}},
        HexExample{"F 07E00", {0xF0, 0x7E}}, HexExample{"F0 7", {}},
        // Only blanks are removed: a tab is a character that counts as 0.
        HexExample{"F0\t1 00 00", {0xF0, 0x01, 0x00}},
        // An odd final digit is dropped along with the last pair.
        HexExample{"0A 0B 0C 1", {0x0A, 0x0B}},
        // Fewer than two digits cannot give a negative count.
        HexExample{"", {}}, HexExample{"F", {}}, HexExample{"   ", {}},
        HexExample{"F0 7E", {0xF0}}));

TEST(HexTextToStream, ReadsLowerCaseDigitsAsUpperCase) {
    EXPECT_EQ(Convert("f0 7e 0a bc de ff 00"), Convert("F0 7E 0A BC DE FF 00"));
}

TEST(HexTextToStream, ReplacesWhatTheStreamHeld) {
    TByteStream stream(Bytes{1, 2, 3, 4, 5, 6});
    stream.SetPosition(4);
    HexTextToStream("7F 00", stream);
    EXPECT_EQ(Bytes(stream.Bytes().begin(), stream.Bytes().end()), Bytes{0x7F});
    EXPECT_EQ(stream.Position(), 0u);

    HexTextToStream("7", stream);
    EXPECT_EQ(stream.Size(), 0u);
}

TEST(HexTextToStream, ParameterWriteGivesFiftyOneBytes) {
    std::string text = "F0 33 00 2B ";
    for (int i = 0; i < 43; ++i)
        text += "7F ";
    text += "F7 00 00 00 00";
    const Bytes bytes = Convert(text);
    ASSERT_EQ(bytes.size(), 51u);
    EXPECT_EQ(bytes[0], 0xF0);
    EXPECT_EQ(bytes[3], 0x2B);
    EXPECT_EQ(bytes[46], 0x7F);
    EXPECT_EQ(bytes[47], 0xF7);
    EXPECT_EQ(Bytes(bytes.end() - 3, bytes.end()), (Bytes{0, 0, 0}));
}

TEST(StreamToHexText, WritesTwoUpperCaseDigitsAndABlankPerByte) {
    TByteStream stream(Bytes{0x00, 0x7F, 0x80, 0xFF});
    stream.SetPosition(3);
    EXPECT_EQ(StreamToHexText(stream), "00 7F 80 FF ");
    EXPECT_EQ(stream.Position(), 0u);

    TByteStream identity(Bytes{0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7});
    EXPECT_EQ(StreamToHexText(identity), "F0 7E 00 06 01 F7 ");
    TByteStream small(Bytes{0x0A});
    EXPECT_EQ(StreamToHexText(small), "0A ");
}

TEST(StreamToHexText, EmptyStreamGivesEmptyText) {
    TByteStream stream;
    EXPECT_EQ(StreamToHexText(stream), "");
}

TEST(StreamToHexText, RoundTripKeepsAllButTheLastByte) {
    Bytes all(256);
    for (int i = 0; i < 256; ++i)
        all[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(i);
    TByteStream stream(all);
    const Bytes back = Convert(StreamToHexText(stream));
    EXPECT_EQ(back, Bytes(all.begin(), all.end() - 1));
}

} // namespace
