#include "midi/AlsaMidiService.h"
#include "AlsaPeer.h"
#include "RecordingWindow.h"
#include "TestMidiPorts.h"
#include "midi/MachineMidiService.h"
#include "midi/Midi.h"
#include "midi/MidiError.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

// The editor's MIDI service on a real ALSA sequencer. These run in the test
// machine that tools/alsa-vm.sh boots; elsewhere they fail, since the
// sequencer is what they are about.
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

std::vector<std::string> Names(const TMidiDevices& ports) {
    std::vector<std::string> names;
    for (const auto& entry : ports.PortNames())
        names.push_back(entry.Name);
    return names;
}

int IndexOf(const TMidiDevices& ports, const std::string& name) {
    const auto names = Names(ports);
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

class AlsaService : public testing::Test, protected TestMidiPorts {
protected:
    void SetUp() override {
        ASSERT_EQ(access("/dev/snd/seq", R_OK | W_OK), 0) << "no ALSA sequencer here";
        Keyboard = std::make_unique<AlsaPeer>("HBX740");
        UseMidiService(std::make_unique<AlsaMidiService>());
        Input = IndexOf(InputPorts(), "HBX740");
        Output = IndexOf(OutputPorts(), "HBX740");
        ASSERT_GE(Input, 0);
        ASSERT_GE(Output, 0);
    }
    void TearDown() override {
        ReleaseMidi();
        Keyboard.reset();
    }

    RecordingWindow Window;
    std::unique_ptr<AlsaPeer> Keyboard;
    int Input = -1;
    int Output = -1;
};

TEST_F(AlsaService, ListsThePortsByClientNameBesideTheKernelsOwn) {
    MachineMidiService machine;
    EXPECT_EQ(machine.Kind(), MidiServiceKind::AlsaSequencer);

    const auto inputs = Names(InputPorts());
    EXPECT_NE(std::find(inputs.begin(), inputs.end(), "Virtual Raw MIDI 0-0"), inputs.end());
    EXPECT_EQ(std::find(inputs.begin(), inputs.end(), "Midi Through"), inputs.end());
    EXPECT_TRUE(InputPorts().PortNames()[Input].ServiceName.starts_with("HBX740:out "));
    EXPECT_TRUE(OutputPorts().PortNames()[Output].ServiceName.starts_with("HBX740:in "));

    // A second editor does not list the first one's open ports.
    InputPorts().OpenPort(Input);
    OutputPorts().OpenPort(Output);
    AlsaMidiService second;
    std::vector<MidiPortInfo> ports;
    ASSERT_EQ(second.ListPorts(MidiDirection::Input, ports), MidiResultCode::Ok);
    for (const MidiPortInfo& port : ports)
        EXPECT_FALSE(port.Name.starts_with("HBX740 MIDI Editor")) << port.ServiceName;
    ASSERT_EQ(second.ListPorts(MidiDirection::Output, ports), MidiResultCode::Ok);
    for (const MidiPortInfo& port : ports)
        EXPECT_FALSE(port.Name.starts_with("HBX740 MIDI Editor")) << port.ServiceName;
}

TEST_F(AlsaService, OpenConnectsCloseDisconnectsAndSysExGoesOutWholeWithoutPadding) {
    OutputPorts().OpenPort(Output);
    InputPorts().OpenPort(Input);
    EXPECT_EQ(Keyboard->InputConnections(), 1);
    EXPECT_EQ(Keyboard->OutputConnections(), 1);

    OutputPorts().SendHexText(Output, "F0 7E 00 06 01 F7 00 00 00 00");
    std::string write = "F0 33 00 2B ";
    for (int i = 0; i < 43; ++i)
        write += "05 ";
    OutputPorts().SendHexText(Output, write + "F7 00 00 00 00");
    ASSERT_TRUE(Keyboard->WaitForReceived(2));
    std::this_thread::sleep_for(100ms);
    Bytes expected{0xF0, 0x33, 0x00, 0x2B};
    expected.insert(expected.end(), 43, 0x05);
    expected.push_back(0xF7);
    EXPECT_EQ(Keyboard->Received(),
              (std::vector<Bytes>{{0xF0, 0x7E, 0x00, 0x06, 0x01, 0xF7}, expected}));

    InputPorts().ClosePort(Input);
    OutputPorts().ClosePort(Output);
    EXPECT_EQ(Keyboard->InputConnections(), 0);
    EXPECT_EQ(Keyboard->OutputConnections(), 0);
}

// Short messages and a SysEx of 5,000 bytes, sent in parts with a clock byte
// between two of them, as a busy keyboard's link delivers them.
TEST_F(AlsaService, ReceivesInOrderAndALongSysExIn2048ByteBuffers) {
    Window.Install(InputPorts());
    InputPorts().OpenPort(Input);
    Bytes sysEx(5000, 0x2A);
    sysEx.front() = 0xF0;
    sysEx.back() = 0xF7;

    Keyboard->Send(Bytes{0x90, 60, 100});
    for (std::size_t at = 0; at < sysEx.size(); at += 1000) {
        Keyboard->Send(std::span(sysEx).subspan(at, 1000));
        if (at == 2000)
            Keyboard->Send(Bytes{0xF8});
    }
    Keyboard->Send(Bytes{0xFE});
    Keyboard->Send(Bytes{0xC2, 7});

    ASSERT_TRUE(Window.WaitForEvents(7));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(Window.Events(), (std::vector<ReceivedEvent>{
                                   Short(Input, 0x90, 60, 100), Short(Input, 0xF8, 0, 0),
                                   SysEx(Input, Bytes(sysEx.begin(), sysEx.begin() + 2048)),
                                   SysEx(Input, Bytes(sysEx.begin() + 2048, sysEx.begin() + 4096)),
                                   SysEx(Input, Bytes(sysEx.begin() + 4096, sysEx.end())),
                                   Short(Input, 0xFE, 0, 0), Short(Input, 0xC2, 7, 0)}));
}

TEST_F(AlsaService, APortThatGoesAwayIsNoLongerPresentAndOthersKeepTheirIndex) {
    auto other = std::make_unique<AlsaPeer>("USB MIDI Keyboard");
    ReleaseMidi();
    UseMidiService(std::make_unique<AlsaMidiService>());
    const int keyboard = IndexOf(InputPorts(), "HBX740");
    const int usb = IndexOf(InputPorts(), "USB MIDI Keyboard");
    ASSERT_GE(usb, 0);
    Window.Install(InputPorts());
    EXPECT_EQ(InputPorts().QueryPort(keyboard), MidiResultCode::Ok);

    Keyboard.reset();
    EXPECT_EQ(InputPorts().QueryPort(keyboard), MidiResultCode::BadDeviceId);
    EXPECT_THROW(InputPorts().OpenPort(keyboard), MidiError);
    EXPECT_EQ(InputPorts().QueryPort(usb), MidiResultCode::Ok);
    InputPorts().OpenPort(usb);
    other->Send(Bytes{0xB0, 1, 64});
    ASSERT_TRUE(Window.WaitForEvents(1));
    EXPECT_EQ(Window.Events(), (std::vector<ReceivedEvent>{Short(usb, 0xB0, 1, 64)}));
    ReleaseMidi();
}

} // namespace
