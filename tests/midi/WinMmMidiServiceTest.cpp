#include "midi/WinMmMidiService.h"
#include "RecordingWindow.h"
#include "TestMidiPorts.h"
#include "midi/MachineMidiService.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

// The editor's MIDI service on a real WinMM: Wine's, inside the machine that
// tools/alsa-vm.sh boots, where it reaches the ALSA sequencer. Its ports go by
// their ALSA port names there; "Midi Through Port-0" sends back whatever it is
// sent, so that one program can check both directions.
namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

const std::string Through = "Midi Through Port-0";

int IndexOf(const TMidiDevices& ports, const std::string& name) {
    const auto& names = ports.PortNames();
    const auto found = std::find_if(names.begin(), names.end(),
                                    [&](const TPortEntry& port) { return port.Name == name; });
    return found == names.end() ? -1 : static_cast<int>(found - names.begin());
}

class WinMmService : public testing::Test, protected TestMidiPorts {
protected:
    void SetUp() override {
        UseMidiService(std::make_unique<WinMmMidiService>());
        Input = IndexOf(InputPorts(), Through);
        Output = IndexOf(OutputPorts(), Through);
        ASSERT_GE(Input, 0) << "no \"" << Through << "\" among the WinMM inputs";
        ASSERT_GE(Output, 0) << "no \"" << Through << "\" among the WinMM outputs";
    }
    void TearDown() override { ReleaseMidi(); }

    RecordingWindow Window;
    int Input = -1;
    int Output = -1;
};

TEST_F(WinMmService, IsTheMachinesServiceAndKnowsItsPortsAndTheirAbsence) {
    EXPECT_EQ(MachineMidiService().Kind(), MidiServiceKind::WinMm);
    EXPECT_EQ(InputPorts().QueryPort(Input), MidiResultCode::Ok);
    WinMmMidiService service;
    EXPECT_EQ(service.QueryPort(MidiDirection::Output, "No such port"),
              MidiResultCode::BadDeviceId);
    MidiHandle handle = 0;
    EXPECT_NE(service.OpenOutput("No such port", handle), MidiResultCode::Ok);
}

// Short messages around a SysEx of 5,000 bytes, sent whole with
// midiOutLongMsg: the SysEx comes back in the input's 2048-byte buffers, and
// everything in the order it went.
TEST_F(WinMmService, SendsASysExWholeAndReceivesItIn2048ByteBuffersInOrder) {
    Window.Install(InputPorts());
    InputPorts().OpenPort(Input);
    Bytes sysEx(5000, 0x2A);
    sysEx.front() = 0xF0;
    sysEx.back() = 0xF7;
    Bytes all{0x90, 60, 100};
    all.insert(all.end(), sysEx.begin(), sysEx.end());
    all.insert(all.end(), {0xF8, 0xC2, 7});
    MidiHandle handle = 0;
    ASSERT_EQ(Ports->Service().OpenOutput(OutputPorts().PortNames()[Output].ServiceName, handle),
              MidiResultCode::Ok);
    ASSERT_EQ(Ports->Service().SendLong(handle, all), MidiResultCode::Ok);
    EXPECT_EQ(Ports->Service().CloseOutput(handle), MidiResultCode::Ok);

    ASSERT_TRUE(Window.WaitForEvents(6, 20s)) << Window.Events().size() << " deliveries";
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(Window.Events(), (std::vector<ReceivedEvent>{
                                   Short(Input, 0x90, 60, 100),
                                   SysEx(Input, Bytes(sysEx.begin(), sysEx.begin() + 2048)),
                                   SysEx(Input, Bytes(sysEx.begin() + 2048, sysEx.begin() + 4096)),
                                   SysEx(Input, Bytes(sysEx.begin() + 4096, sysEx.end())),
                                   Short(Input, 0xF8, 0, 0), Short(Input, 0xC2, 7, 0)}));
}

} // namespace
