#include "midi/JackMidiService.h"
#include "JackPeer.h"
#include "RecordingWindow.h"
#include "TestMidiPorts.h"
#include "midi/JackServerProbe.h"
#include "midi/MachineMidiService.h"
#include "midi/Midi.h"
#include "midi/MidiError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>
#include <unistd.h>

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

// Every JACK client of this program talks to the build folder's own server,
// which the test fixture of CTest starts.
const bool ServerChosen = [] {
    setenv("JACK_DEFAULT_SERVER", HBX_JACK_SERVER, 1);
    setenv("JACK_NO_START_SERVER", "1", 1);
    return true;
}();

const Bytes IdentityReply{0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x4A, 0x33, 0x01, 0x05, 0xF7};

std::vector<std::string> Names(const TMidiDevices& ports) {
    std::vector<std::string> names;
    for (const auto& entry : ports.PortNames())
        names.push_back(entry.Name);
    return names;
}

class JackService : public testing::Test, protected TestMidiPorts {
protected:
    void SetUp() override {
        ASSERT_TRUE(ServerChosen);
        Keyboard = std::make_unique<JackPeer>("HBX740");
        UseMidiService(std::make_unique<JackMidiService>());
    }
    void TearDown() override {
        ReleaseMidi();
        Keyboard.reset();
    }

    RecordingWindow Window;
    std::unique_ptr<JackPeer> Keyboard;
};

TEST_F(JackService, ListsPortsByTheirClientName) {
    EXPECT_EQ(Names(InputPorts()), (std::vector<std::string>{"HBX740"}));
    EXPECT_EQ(InputPorts().PortNames()[0].ServiceName, "HBX740:out");
    EXPECT_EQ(Names(OutputPorts()), (std::vector<std::string>{"HBX740"}));
    EXPECT_EQ(OutputPorts().PortNames()[0].ServiceName, "HBX740:in");
    EXPECT_EQ(InputPorts().QueryPort(0), MidiResultCode::Ok);
}

TEST_F(JackService, LeavesOutThePortsOfTheProgramsAndNamesBridgedDevices) {
    InputPorts().OpenPort(0);
    OutputPorts().OpenPort(0);

    // hbx740ctl beside the editor sees neither the editor's ports nor its own.
    JackMidiService second("hbx740ctl");
    std::vector<MidiPortInfo> inputs;
    std::vector<MidiPortInfo> outputs;
    ASSERT_EQ(second.ListPorts(MidiDirection::Input, inputs), MidiResultCode::Ok);
    ASSERT_EQ(second.ListPorts(MidiDirection::Output, outputs), MidiResultCode::Ok);
    ASSERT_EQ(inputs.size(), 1u);
    EXPECT_EQ(inputs[0].ServiceName, "HBX740:out");
    ASSERT_EQ(outputs.size(), 1u);
    EXPECT_EQ(outputs[0].ServiceName, "HBX740:in");
    EXPECT_TRUE(second.Connected());

    // Behind jackd's ALSA bridge the device's name is in the ports' aliases.
    JackPeer bridge("bridge");
    bridge.SetAliases("alsa_pcm:HBX740/midi_playback_1", "alsa_pcm:HBX740/midi_capture_1");
    ASSERT_EQ(second.ListPorts(MidiDirection::Input, inputs), MidiResultCode::Ok);
    ASSERT_EQ(inputs.size(), 2u);
    EXPECT_EQ(inputs[1].Aliases,
              (std::vector<std::string>{"out", "alsa_pcm:HBX740/midi_capture_1", "HBX740"}));
}

TEST_F(JackService, SentSysExArrivesWholeWithoutPadding) {
    OutputPorts().OpenPort(0);
    EXPECT_EQ(Keyboard->InputConnections(), 1);

    OutputPorts().SendHexText(0, "F0 7E 00 06 01 F7 00 00 00 00");
    std::string write = "F0 33 00 2B ";
    for (int i = 0; i < 43; ++i)
        write += "05 ";
    write += "F7 00 00 00 00";
    OutputPorts().SendHexText(0, write);

    ASSERT_TRUE(Keyboard->WaitForReceived(2));
    // Padding sent along would show up as events of its own, a cycle later.
    std::this_thread::sleep_for(50ms);
    const auto received = Keyboard->Received();
    ASSERT_EQ(received.size(), 2u);
    EXPECT_EQ(received[0], (Bytes{0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7}));
    Bytes expected{0xF0, 0x33, 0x00, 0x2B};
    expected.insert(expected.end(), 43, 0x05);
    expected.push_back(0xF7);
    EXPECT_EQ(received[1], expected);
}

TEST_F(JackService, ReceivedMessagesReachTheSlots) {
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);
    EXPECT_EQ(Keyboard->OutputConnections(), 1);

    Keyboard->Send({0x90, 60, 100});
    Keyboard->Send(IdentityReply);
    Keyboard->Send({0xF8});
    Keyboard->Send({0xFE});
    Keyboard->Send({0xC2, 7});

    ASSERT_TRUE(Window.WaitForEvents(5));
    EXPECT_EQ(Window.Events(),
              (std::vector<ReceivedEvent>{Short(0, 0x90, 60, 100), SysEx(0, IdentityReply),
                                          Short(0, 0xF8, 0, 0), Short(0, 0xFE, 0, 0),
                                          Short(0, 0xC2, 7, 0)}));
}

TEST_F(JackService, SysExLongerThanOneBufferArrivesInPieces) {
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);

    // JACK carries a long SysEx as several events, here with a clock byte
    // between two of them; the parts are joined and the clock goes on first.
    Bytes message(3000, 0x21);
    message.front() = 0xF0;
    message.back() = 0xF7;
    for (std::size_t offset = 0; offset < message.size(); offset += 750) {
        Keyboard->Send(Bytes(message.begin() + static_cast<std::ptrdiff_t>(offset),
                             message.begin() + static_cast<std::ptrdiff_t>(offset + 750)));
        if (offset == 750)
            Keyboard->Send({0xF8});
    }

    ASSERT_TRUE(Window.WaitForEvents(3));
    const auto events = Window.Events();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0], Short(0, 0xF8, 0, 0));
    EXPECT_EQ(events[1].Bytes, Bytes(message.begin(), message.begin() + 2048));
    EXPECT_EQ(events[2].Bytes, Bytes(message.begin() + 2048, message.end()));
}

TEST_F(JackService, ClosedPortsAreDisconnected) {
    Window.Install(InputPorts());
    InputPorts().OpenPort(0);
    OutputPorts().OpenPort(0);
    InputPorts().ClosePort(0);
    OutputPorts().ClosePort(0);
    EXPECT_EQ(Keyboard->OutputConnections(), 0);
    EXPECT_EQ(Keyboard->InputConnections(), 0);

    Keyboard->Send({0x90, 1, 1});
    ASSERT_TRUE(Keyboard->WaitUntilSent());
    OutputPorts().SendHexText(0, "F0 7E 00 06 01 F7 00 00 00 00");

    InputPorts().OpenPort(0);
    Keyboard->Send({0x90, 2, 2});
    ASSERT_TRUE(Window.WaitForEvents(1));
    EXPECT_EQ(Window.Events(), (std::vector<ReceivedEvent>{Short(0, 0x90, 2, 2)}));
    EXPECT_TRUE(Keyboard->Received().empty());
}

TEST_F(JackService, ListedPortsKeepTheirIndexWhenOthersGo) {
    ReleaseMidi();
    auto usb = std::make_unique<JackPeer>("USB MIDI Keyboard");
    UseMidiService(std::make_unique<JackMidiService>());
    EXPECT_EQ(Names(InputPorts()), (std::vector<std::string>{"HBX740", "USB MIDI Keyboard"}));
    Window.Install(InputPorts());

    Keyboard.reset();
    EXPECT_EQ(InputPorts().QueryPort(0), MidiResultCode::BadDeviceId);
    EXPECT_EQ(InputPorts().QueryPort(1), MidiResultCode::Ok);
    EXPECT_THROW(InputPorts().OpenPort(0), MidiError);

    // The service now numbers the remaining port 0; index 1 still finds it.
    InputPorts().OpenPort(1);
    EXPECT_EQ(usb->OutputConnections(), 1);
    usb->Send({0xB0, 1, 64});
    ASSERT_TRUE(Window.WaitForEvents(1));
    EXPECT_EQ(Window.Events(), (std::vector<ReceivedEvent>{Short(1, 0xB0, 1, 64)}));
    ReleaseMidi();
}

TEST(JackMidiService, FindsTheRunningServersSocket) {
    EXPECT_TRUE(JackServerSocketPresent(JackServerPlaces::FromEnvironment()));
    setenv("JACK_DEFAULT_SERVER", "hbx740-no-such-server", 1);
    EXPECT_FALSE(JackServerSocketPresent(JackServerPlaces::FromEnvironment()));
    setenv("JACK_DEFAULT_SERVER", HBX_JACK_SERVER, 1);
}

TEST(JackMidiService, WithoutAnyServerTheSetsAreEmpty) {
    setenv("JACK_DEFAULT_SERVER", "hbx740-no-such-server", 1);
    {
        auto service = std::make_unique<JackMidiService>();
        const JackMidiService& unconnected = *service;
        MidiPorts midi(std::move(service));
        EXPECT_TRUE(midi.InputPorts().PortNames().empty());
        EXPECT_FALSE(unconnected.Connected());
        EXPECT_TRUE(midi.OutputPorts().PortNames().empty());
        EXPECT_THROW(midi.InputPorts().OpenPort(0), MidiError);
        EXPECT_EQ(midi.InputPorts().QueryPort(0), MidiResultCode::BadDeviceId);
    }
    setenv("JACK_DEFAULT_SERVER", HBX_JACK_SERVER, 1);
}

TEST(MachineMidiService, FallsBackToJackWithoutTheAlsaSequencer) {
    MachineMidiService service;
    std::vector<MidiPortInfo> ports;
    ASSERT_EQ(service.ListPorts(MidiDirection::Input, ports), MidiResultCode::Ok);
    const bool sequencer = access("/dev/snd/seq", R_OK | W_OK) == 0;
    EXPECT_EQ(service.Kind(), sequencer ? MidiServiceKind::AlsaSequencer : MidiServiceKind::Jack);
}

} // namespace
