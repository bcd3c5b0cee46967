#include "device/DeviceMessages.h"
#include "midi/SysExHexText.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

TReceivedSysEx Received(std::vector<std::uint8_t> bytes) {
    TReceivedSysEx received;
    received.Assign(bytes);
    return received;
}

ParameterModel Defaults() {
    ParameterModel model;
    ResetPara(model);
    return model;
}

const char* const DefaultParameterSet =
    "F0 33 00 2B 0A 04 00 00 15 04 00 00 16 04 00 00 17 04 00 00 07 04 00 00 69 04 00 00 00 6A "
    "04 00 00 01 6B 04 00 00 00 00 05 01 00 00 00 0C 00 F7 00 00 00 00";

std::vector<std::uint8_t> DumpReply(const std::vector<std::uint8_t>& parameters) {
    std::vector<std::uint8_t> reply(parameters.size() + 5);
    reply[0] = 0xF0;
    reply[1] = 0x33;
    reply[2] = 0x01;
    reply[3] = 0x2B;
    std::copy(parameters.begin(), parameters.end(), reply.begin() + 4);
    reply.back() = 0xF7;
    return reply;
}

} // namespace

TEST(DeviceMessages, HexByteTableHasOneTextPerDataByte) {
    EXPECT_EQ(HexByteTable[0], "00 ");
    EXPECT_EQ(HexByteTable[10], "0A ");
    EXPECT_EQ(HexByteTable[127], "7F ");
}

TEST(DeviceMessages, DefaultParameterSetIsTheKnownMessage) {
    const std::string text = BuildParameterSet(Defaults());
    EXPECT_EQ(text, DefaultParameterSet);
    EXPECT_EQ(text.size(), 155u);
}

TEST(DeviceMessages, FieldsOutsideADataByteAreLimited) {
    ParameterModel model = Defaults();
    model.Record(1).Value = -4;
    model.Record(2).Channel = 300;
    model.GlobalSettings()[KeyChannel] = -1;
    const std::string text = BuildParameterSet(model);
    EXPECT_EQ(text.substr(12, 3), "00 ");
    EXPECT_EQ(text.substr(12 + 4 * 3 + 2 * 3, 3), "7F ");
    EXPECT_EQ(text.substr(4 * 3 + 42 * 3, 3), "00 ");
}

TEST(DeviceMessages, RecognisesTheAcknowledgementButNotTheEchoedRequest) {
    EXPECT_TRUE(IsWriteAcknowledgement(Received({0xF0, 0x33, 0x01, 0x00, 0x08, 0xF7})));
    EXPECT_FALSE(IsWriteAcknowledgement(Received({0xF0, 0x33, 0x00, 0x00, 0x08, 0xF7})));
    EXPECT_FALSE(IsDumpReply(Received({0xF0, 0x33, 0x01, 0x00, 0x08, 0xF7})));
}

TEST(DeviceMessages, DumpReplyNeedsItsEndAtOffset47) {
    std::vector<std::uint8_t> parameters(43, 0x01);
    EXPECT_TRUE(IsDumpReply(Received(DumpReply(parameters))));
    parameters.pop_back();
    EXPECT_FALSE(IsDumpReply(Received(DumpReply(parameters))));
    parameters.resize(44, 0x01);
    EXPECT_FALSE(IsDumpReply(Received(DumpReply(parameters))));
}

TEST(DeviceMessages, DumpReplyDecodesWithTransposeBeforeReverb) {
    // The default parameter set's bytes, as a keyboard would echo them:
    // offset 44 then reads 0x00 and offset 45 0x0C.
    TByteStream sent;
    HexTextToStream(DefaultParameterSet, sent);
    std::vector<std::uint8_t> reply(sent.Bytes().begin(), sent.Bytes().begin() + 48);
    reply[2] = 0x01;
    ParameterModel model;
    DecodeDumpReply(DumpReplyBytes(Received(reply)), model);
    EXPECT_EQ(model.GlobalSettings()[Transpose], 0);
    EXPECT_EQ(model.GlobalSettings()[Reverb], 12);
    EXPECT_EQ(model.Record(7).ControlMode, 1);
    EXPECT_EQ(model.Record(8).Value, 107);
    EXPECT_EQ(model.GlobalSettings()[ArpTime], 5);

    reply[44] = 0x0C;
    reply[45] = 0x01;
    reply[4] = 0xC8;
    DecodeDumpReply(DumpReplyBytes(Received(reply)), model);
    EXPECT_EQ(model.GlobalSettings()[Transpose], 12);
    EXPECT_EQ(model.GlobalSettings()[Reverb], 1);
    // No range test on the way in.
    EXPECT_EQ(model.Record(1).Value, 200);
}

TEST(DeviceMessages, ControlModeOfTheFirstFiveControlsNeverTravels) {
    ParameterModel model = Defaults();
    model.Record(3).ControlMode = 1;
    EXPECT_EQ(BuildParameterSet(model), DefaultParameterSet);
    ParameterModel decoded = Defaults();
    decoded.Record(3).ControlMode = -1;
    ParameterBytes bytes{};
    DecodeDumpReply(bytes, decoded);
    EXPECT_EQ(decoded.Record(3).ControlMode, -1);
    EXPECT_EQ(decoded.Record(6).ControlMode, 0);
}

TEST(DeviceMessages, IdentityReplyAndFirmwareText) {
    const TReceivedSysEx reply =
        Received({0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x4A, 0x33, 0x01, 0x05, 0xF7});
    EXPECT_TRUE(IsKeyboardIdentity(reply));
    EXPECT_TRUE(IsIdentityReply(reply));
    EXPECT_EQ(FirmwareText(reply, QLocale::c()), "FW: V1.05");
    EXPECT_EQ(FirmwareText(reply, QLocale(QLocale::German)), "FW: V1,05");
    EXPECT_EQ(FirmwareText(Received({0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x4A, 0x33, 0x01, 0x64, 0xF7}),
                           QLocale::c()),
              "FW: V2.00");

    std::vector<std::uint8_t> longer = {0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x4A, 0x33, 0x01,
                                        0x05, 0x00, 0x00, 0x00, 0x00, 0x00, 0xF7};
    EXPECT_FALSE(IsKeyboardIdentity(Received(longer)));
    EXPECT_FALSE(IsIdentityReply(Received(longer)));
    // Another maker's identity reply is not the keyboard's.
    EXPECT_FALSE(
        IsIdentityReply(Received({0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x41, 0x00, 0x01, 0x05, 0xF7})));
}

TEST(ReceivedSysEx, KeepsTheFirstFiftyBytesAsTexts) {
    std::vector<std::uint8_t> bytes(60);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(i * 5);
    TReceivedSysEx received = Received(bytes);
    EXPECT_EQ(received.Entry(0), "00");
    EXPECT_EQ(received.Entry(49), "F5");
    EXPECT_EQ(received.Entry(50), "");
    received.Assign(std::vector<std::uint8_t>{0xAB});
    EXPECT_EQ(received.Entry(0), "AB");
    EXPECT_EQ(received.Entry(1), "");
    received.ClearEntry(0);
    EXPECT_EQ(received.Entry(0), "");
}
