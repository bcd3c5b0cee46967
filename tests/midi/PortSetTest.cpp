#include "FakeMidiTest.h"
#include "midi/MidiError.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

std::vector<std::string> Names(const TMidiDevices& ports) {
    std::vector<std::string> names;
    for (const auto& entry : ports.PortNames())
        names.push_back(entry.Name);
    return names;
}

template <class Action> std::string ErrorTextOf(Action&& action) {
    try {
        action();
    } catch (const MidiError& error) {
        return error.what();
    }
    ADD_FAILURE() << "no MidiError raised";
    return {};
}

using PortSets = FakeMidiTest;

TEST_F(PortSets, ListTheServicePortsOnceInTheirOrder) {
    const auto keyboardIn = Fake->AddInputPort("HBX740");
    Fake->AddInputPort("USB MIDI");
    const auto keyboardOut = Fake->AddOutputPort("HBX740");

    TMidiInput& input = InputPorts();
    EXPECT_EQ(Names(input), (std::vector<std::string>{"HBX740", "USB MIDI"}));
    EXPECT_EQ(input.PortNames()[0].ServiceName, keyboardIn);
    EXPECT_FALSE(input.PortNames()[0].Handle);
    EXPECT_EQ(input.SysExBuffers().size(), 2u);
    EXPECT_EQ(Names(OutputPorts()), (std::vector<std::string>{"HBX740"}));
    EXPECT_EQ(OutputPorts().PortNames()[0].ServiceName, keyboardOut);

    // Ports that come or go later leave the lists as they are.
    Fake->AddInputPort("Late");
    Fake->RemovePort(keyboardIn);
    EXPECT_EQ(&InputPorts(), &input);
    EXPECT_EQ(Names(InputPorts()), (std::vector<std::string>{"HBX740", "USB MIDI"}));
}

TEST_F(PortSets, OnAMachineWithoutPortsEveryIndexIsOutOfRange) {
    EXPECT_TRUE(InputPorts().PortNames().empty());
    EXPECT_TRUE(OutputPorts().PortNames().empty());
    EXPECT_EQ(ErrorTextOf([this] { InputPorts().OpenPort(0); }),
              "TMidiInput: 请检查USB设备是否正常连接! (0)");
    TByteStream stream(Bytes{0xF0, 0xF7});
    EXPECT_NO_THROW(OutputPorts().SendStream(0, stream));
    EXPECT_TRUE(Fake->Sent().empty());
    EXPECT_EQ(InputPorts().QueryPort(0), MidiResultCode::BadDeviceId);
}

TEST_F(PortSets, IndexOutsideTheListRaisesTheConnectionError) {
    Fake->AddInputPort("HBX740");
    Fake->AddOutputPort("HBX740");
    EXPECT_EQ(ErrorTextOf([this] { OutputPorts().PortHandle(3); }),
              "TMidiOutput: 请检查USB设备是否正常连接! (3)");
    EXPECT_EQ(ErrorTextOf([this] { OutputPorts().ClosePort(-1); }),
              "TMidiOutput: 请检查USB设备是否正常连接! (-1)");
    EXPECT_EQ(ErrorTextOf([this] { InputPorts().ClosePort(1); }),
              "TMidiInput: 请检查USB设备是否正常连接! (1)");
    EXPECT_EQ(ErrorTextOf([this] { OutputPorts().OpenPort(1); }),
              "TMidiOutput: 请检查USB设备是否正常连接! (1)");
}

TEST_F(PortSets, OpenTwiceOpensOnceAndClosedPortsCanBeOpenedAgain) {
    const auto in = Fake->AddInputPort("HBX740");
    const auto out = Fake->AddOutputPort("HBX740");
    InputPorts().OpenPort(0);
    InputPorts().OpenPort(0);
    OutputPorts().OpenPort(0);
    OutputPorts().OpenPort(0);
    EXPECT_TRUE(InputPorts().PortHandle(0));
    EXPECT_TRUE(OutputPorts().PortHandle(0));
    EXPECT_EQ(Fake->Calls(), (std::vector<std::string>{"OpenInput " + in, "OpenOutput " + out}));

    InputPorts().ClosePort(0);
    OutputPorts().ClosePort(0);
    EXPECT_FALSE(InputPorts().PortHandle(0));
    EXPECT_FALSE(OutputPorts().PortHandle(0));
    EXPECT_EQ(InputPorts().SysExBuffers()[0]->State.load(), TSysExData::TState::Unqueued);

    // A closed input port is left alone; the output set hands the missing
    // handle to the service, which rejects it.
    EXPECT_NO_THROW(InputPorts().ClosePort(0));
    EXPECT_EQ(ErrorTextOf([this] { OutputPorts().ClosePort(0); }), "The MIDI port is not open");

    InputPorts().OpenPort(0);
    EXPECT_TRUE(InputPorts().PortHandle(0));
    EXPECT_EQ(InputPorts().SysExBuffers()[0]->State.load(), TSysExData::TState::Queued);
}

TEST_F(PortSets, OpeningAnIndexFindsThatVeryPort) {
    Fake->AddOutputPort("USB MIDI");
    const auto second = Fake->AddOutputPort("USB MIDI");
    OutputPorts().OpenPort(1);
    EXPECT_EQ(Fake->Calls(), (std::vector<std::string>{"OpenOutput " + second}));
}

TEST_F(PortSets, ServiceFailuresRaiseTheServiceText) {
    Fake->AddInputPort("HBX740");
    Fake->FailNext(FakeOperation::OpenInput, 4, "The device is already in use");
    EXPECT_EQ(ErrorTextOf([this] { InputPorts().OpenPort(0); }), "The device is already in use");
    EXPECT_FALSE(InputPorts().PortHandle(0));
    EXPECT_EQ(InputPorts().SysExBuffers()[0]->State.load(), TSysExData::TState::Unqueued);
}

TEST_F(PortSets, FailureWithoutTextIsStillAFailure) {
    Fake->AddInputPort("HBX740");
    Fake->AddOutputPort("HBX740");
    Fake->FailNext(FakeOperation::OpenInput, 77);
    EXPECT_EQ(ErrorTextOf([this] { InputPorts().OpenPort(0); }), "MIDI service error 77");
    EXPECT_FALSE(InputPorts().PortHandle(0));

    Fake->FailNext(FakeOperation::OpenOutput, 78);
    EXPECT_EQ(ErrorTextOf([this] { OutputPorts().OpenPort(0); }), "MIDI service error 78");
    EXPECT_FALSE(OutputPorts().PortHandle(0));

    EXPECT_NO_THROW(OutputPorts().CheckResult(MidiResultCode::Ok));
}

TEST_F(PortSets, FailedListingMakesNoSetAndCanBeRetried) {
    Fake->AddInputPort("HBX740");
    Fake->FailNext(FakeOperation::ListPorts, 1, "The MIDI service is not running");
    EXPECT_EQ(ErrorTextOf([this] { InputPorts(); }), "The MIDI service is not running");
    EXPECT_EQ(ExistingInputPorts(), nullptr);
    EXPECT_EQ(Names(InputPorts()), (std::vector<std::string>{"HBX740"}));
}

TEST_F(PortSets, FailedCloseKeepsThePortOpen) {
    Fake->AddInputPort("HBX740");
    InputPorts().OpenPort(0);
    Fake->FailNext(FakeOperation::CloseInput, 5, "The MIDI port is busy");
    EXPECT_EQ(ErrorTextOf([this] { InputPorts().ClosePort(0); }), "The MIDI port is busy");
    EXPECT_TRUE(InputPorts().PortHandle(0));
    EXPECT_TRUE(InputPorts().IsReceiving(0));
}

TEST_F(PortSets, SendStreamHandsTheExactBytesToThePort) {
    const auto out = Fake->AddOutputPort("HBX740");
    OutputPorts().OpenPort(0);
    std::string text = "F0 33 00 2B ";
    for (int i = 0; i < 43; ++i)
        text += "01 ";
    text += "F7 00 00 00 00";
    OutputPorts().SendHexText(0, text);

    const auto sent = Fake->Sent();
    ASSERT_EQ(sent.size(), 1u);
    EXPECT_EQ(sent[0].Port, out);
    ASSERT_EQ(sent[0].Bytes.size(), 51u);
    EXPECT_EQ(Bytes(sent[0].Bytes.begin(), sent[0].Bytes.begin() + 4),
              (Bytes{0xF0, 0x33, 0x00, 0x2B}));
    EXPECT_EQ(Bytes(sent[0].Bytes.end() - 4, sent[0].Bytes.end()), (Bytes{0xF7, 0, 0, 0}));

    TByteStream stream(Bytes{0xF0, 0x7E, 0xF7});
    stream.SetPosition(2);
    OutputPorts().SendStream(0, stream);
    EXPECT_EQ(stream.Position(), 0u);
    EXPECT_EQ(Fake->Sent().back().Bytes, (Bytes{0xF0, 0x7E, 0xF7}));
}

TEST_F(PortSets, SendStreamIsSilentOnEveryFailure) {
    Fake->AddOutputPort("HBX740");
    Fake->AddOutputPort("Other");
    OutputPorts().OpenPort(0);
    TByteStream stream(Bytes{0xF0, 0x7E, 0xF7});

    EXPECT_NO_THROW(OutputPorts().SendStream(-1, stream));
    EXPECT_NO_THROW(OutputPorts().SendStream(2, stream));
    EXPECT_NO_THROW(OutputPorts().SendStream(1, stream)); // listed, not open
    Fake->FailNext(FakeOperation::SendLong, 1, "The output buffer is full");
    EXPECT_NO_THROW(OutputPorts().SendStream(0, stream));
    Fake->FailNext(FakeOperation::SendLong, 99);
    EXPECT_NO_THROW(OutputPorts().SendHexText(0, "F0 7E F7 00"));
    EXPECT_TRUE(Fake->Sent().empty());

    // Not retried: the next send goes out once.
    OutputPorts().SendStream(0, stream);
    EXPECT_EQ(Fake->Sent().size(), 1u);
}

TEST_F(PortSets, NothingIsSentWhileTheLastDeviceCheckFoundNoDevice) {
    Fake->AddOutputPort("HBX740");
    OutputPorts().OpenPort(0);
    Ports->LastDeviceCheck = MidiResultCode::BadDeviceId;
    OutputPorts().SendHexText(0, "F0 7E 00 06 01 F7 00 00 00 00");
    EXPECT_TRUE(Fake->Sent().empty());

    Ports->LastDeviceCheck = 1;
    OutputPorts().SendHexText(0, "F0 7E 00 06 01 F7 00 00 00 00");
    EXPECT_EQ(Fake->Sent().size(), 1u);
}

TEST_F(PortSets, HexTextWithTooFewDigitsSendsNothing) {
    Fake->AddOutputPort("HBX740");
    OutputPorts().OpenPort(0);
    OutputPorts().SendHexText(0, "F0 7");
    ASSERT_EQ(Fake->Sent().size(), 1u);
    EXPECT_TRUE(Fake->Sent()[0].Bytes.empty());
}

TEST_F(PortSets, QueryPortFollowsTheListedPortZero) {
    const auto first = Fake->AddInputPort("HBX740");
    Fake->AddInputPort("USB MIDI");
    EXPECT_EQ(InputPorts().QueryPort(0), MidiResultCode::Ok);
    Fake->RemovePort(first);
    EXPECT_EQ(InputPorts().QueryPort(0), MidiResultCode::BadDeviceId);
    EXPECT_EQ(InputPorts().QueryPort(1), MidiResultCode::Ok);
    EXPECT_EQ(InputPorts().QueryPort(2), MidiResultCode::BadDeviceId);
    EXPECT_EQ(InputPorts().PortNames()[0].Name, "HBX740");
}

TEST_F(PortSets, HandlerSlotsChangeOnlyWhileNoPortIsOpen) {
    Fake->AddInputPort("HBX740");
    InputPorts().SetOnShortMessage([](std::int32_t, std::uint8_t, std::uint8_t, std::uint8_t) {});
    InputPorts().OpenPort(0);
    EXPECT_THROW(InputPorts().SetOnSysExMessage([](std::int32_t, TByteStream&) {}),
                 std::logic_error);
    InputPorts().ClosePort(0);
    EXPECT_NO_THROW(InputPorts().SetOnSysExMessage([](std::int32_t, TByteStream&) {}));
    EXPECT_TRUE(InputPorts().OnShortMessage());
    EXPECT_TRUE(InputPorts().OnSysExMessage());
}

TEST_F(PortSets, ReleaseClosesInputPortsFirstAndTheNextUseListsAnew) {
    const auto in = Fake->AddInputPort("HBX740");
    const auto out = Fake->AddOutputPort("HBX740");
    // The output set is made first; the input set still goes first.
    OutputPorts().OpenPort(0);
    InputPorts().OpenPort(0);
    Ports->LastDeviceCheck = MidiResultCode::BadDeviceId;

    Ports->ReleaseSets();
    EXPECT_EQ(Fake->Calls(), (std::vector<std::string>{"OpenOutput " + out, "OpenInput " + in,
                                                       "CloseInput " + in, "CloseOutput " + out}));
    EXPECT_EQ(Ports->LastDeviceCheck.load(), 0);
    EXPECT_EQ(ExistingInputPorts(), nullptr);
    Fake->AddInputPort("USB MIDI");
    EXPECT_EQ(Names(InputPorts()), (std::vector<std::string>{"HBX740", "USB MIDI"}));
}

TEST_F(PortSets, ChoosingAnotherServiceReleasesTheSetsMadeWithTheFirst) {
    const auto in = Fake->AddInputPort("HBX740");
    InputPorts().OpenPort(0);

    FakeMidiService other;
    other.AddInputPort("USB MIDI");
    UseMidiService(std::make_unique<LentMidiService>(other));
    EXPECT_EQ(Fake->Calls().back(), "CloseInput " + in);
    EXPECT_EQ(Names(InputPorts()), (std::vector<std::string>{"USB MIDI"}));
    ReleaseMidi();
}

} // namespace
