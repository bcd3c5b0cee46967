#include "KeyboardCore.h"
#include "SimulatedKeyboard.h"
#include "device/DeviceMessages.h"
#include "midi/SysExHexText.h"

#include <gtest/gtest.h>

namespace {

using Bytes = std::vector<std::uint8_t>;

// What the editor hands to the port for a parameter set: 51 bytes with the
// padding after 0xF7.
Bytes ParameterSetFromEditor(const ParameterModel& model) {
    TByteStream stream;
    HexTextToStream(BuildParameterSet(model), stream);
    return {stream.Bytes().begin(), stream.Bytes().end()};
}

ParameterModel Defaults() {
    ParameterModel model;
    ResetPara(model);
    return model;
}

} // namespace

TEST(KeyboardCore, AnswersTheIdentityRequestWithItsFirmware) {
    KeyboardCore keyboard(*KeyboardCore::ParseFirmware("2.31"));
    EXPECT_EQ(keyboard.Answer(Bytes{0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7, 0x00, 0x00, 0x00}),
              (Bytes{0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x4A, 0x33, 0x02, 0x1F, 0xF7}));
    EXPECT_FALSE(KeyboardCore::ParseFirmware("1.5"));
    EXPECT_FALSE(KeyboardCore::ParseFirmware("x.05"));
    EXPECT_FALSE(KeyboardCore::ParseFirmware("105"));
}

TEST(KeyboardCore, FactoryDefaultsAreTheEditorsDefaults) {
    const Bytes sent = ParameterSetFromEditor(Defaults());
    const KeyboardCore::Parameters defaults = KeyboardCore::FactoryDefaults();
    EXPECT_TRUE(std::equal(defaults.begin(), defaults.end(), sent.begin() + 4));
}

TEST(KeyboardCore, StoresAParameterSetAndDumpsItWithTransposeBeforeReverb) {
    KeyboardCore keyboard;
    ParameterModel model = Defaults();
    model.Record(8).ControlMode = 1;
    model.GlobalSettings()[Reverb] = 1;
    model.GlobalSettings()[Transpose] = 20;
    EXPECT_EQ(keyboard.Answer(ParameterSetFromEditor(model)),
              (Bytes{0xF0, 0x33, 0x01, 0x00, 0x08, 0xF7}));

    const Bytes dump = keyboard.Answer(Bytes{0xF0, 0x33, 0x00, 0x00, 0x08, 0xF7, 0, 0, 0});
    ASSERT_EQ(dump.size(), 48u);
    EXPECT_EQ(Bytes(dump.begin(), dump.begin() + 4), (Bytes{0xF0, 0x33, 0x01, 0x2B}));
    EXPECT_EQ(dump[38], 1);
    EXPECT_EQ(dump[44], 20);
    EXPECT_EQ(dump[45], 1);
    EXPECT_EQ(dump[47], 0xF7);

    TReceivedSysEx received;
    received.Assign(dump);
    ParameterModel decoded;
    DecodeDumpReply(DumpReplyBytes(received), decoded);
    EXPECT_EQ(BuildParameterSet(decoded), BuildParameterSet(model));
}

TEST(KeyboardCore, IgnoresWhatIsNotItsProtocol) {
    KeyboardCore keyboard;
    const KeyboardCore::Parameters before = keyboard.Stored();
    const Bytes ignored[] = {
        {},
        {0x90, 0x3C, 0x64},
        {0xF0, 0x33, 0x01, 0x00, 0x08, 0xF7},
        {0xF0, 0x33, 0x00, 0x00, 0x08},
        {0xF0, 0x7E, 0x00, 0x06, 0x01, 0x00, 0xF7},
        {0xF0, 0x33, 0x00, 0x2B, 0x01, 0xF7},
        {0xF0, 0x33, 0x00, 0x2B, 0x90, 0x01, 0xF7},
    };
    for (const Bytes& message : ignored)
        EXPECT_TRUE(keyboard.Answer(message).empty()) << HexText(message);
    Bytes tooHigh = ParameterSetFromEditor(Defaults());
    tooHigh[10] = 0x80;
    EXPECT_TRUE(keyboard.Answer(tooHigh).empty());
    EXPECT_EQ(keyboard.Stored(), before);
}

TEST(SimulatedKeyboard, AnswersThroughTheFakeServiceAfterItsDelayOrNotAtAll) {
    FakeMidiService service;
    SimulatedKeyboard keyboard(service);
    std::vector<Bytes> heard;
    std::mutex heardLock;
    MidiHandle in = 0, out = 0;
    std::function<void(Bytes)> deliver = [&](Bytes message) {
        const std::lock_guard hold(heardLock);
        heard.push_back(std::move(message));
    };
    const auto callback = [](void* context, std::int32_t, std::span<const std::uint8_t> m) {
        (*static_cast<std::function<void(Bytes)>*>(context))({m.begin(), m.end()});
    };
    ASSERT_EQ(service.OpenInput(keyboard.InputPort, {callback, &deliver, 0}, in),
              MidiResultCode::Ok);
    ASSERT_EQ(service.OpenOutput(keyboard.OutputPort, out), MidiResultCode::Ok);
    const Bytes request = {0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7};

    keyboard.Silent = true;
    service.SendLong(out, request);
    keyboard.Silent = false;
    keyboard.DelayMs = 150;
    const auto sent = std::chrono::steady_clock::now();
    service.SendLong(out, request);
    while (std::chrono::steady_clock::now() - sent < std::chrono::seconds(3)) {
        service.WaitUntilDelivered();
        const std::lock_guard hold(heardLock);
        if (!heard.empty())
            break;
    }
    const auto waited = std::chrono::steady_clock::now() - sent;
    service.CloseInput(in);
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0][4], 0x02);
    EXPECT_GE(waited, std::chrono::milliseconds(150));
}
