#include "RecordingWindow.h"
#include "TestMidiPorts.h"
#include "midi/AlsaMidiService.h"
#include "midi/Midi.h"

#include <QProcess>
#include <QTest>
#include <alsa/asoundlib.h>
#include <gtest/gtest.h>
#include <unistd.h>

// hbx740-sim's ALSA backend, heard through the editor's own MIDI service on
// a real sequencer.
namespace {

using Bytes = std::vector<std::uint8_t>;

class SimulatorOnAlsa : public testing::Test, protected TestMidiPorts {
protected:
    void SetUp() override {
        ASSERT_EQ(access("/dev/snd/seq", R_OK | W_OK), 0) << "no ALSA sequencer here";
        QObject::connect(&Simulator, &QProcess::readyReadStandardOutput, [this] {
            while (Simulator.canReadLine())
                Lines << QString::fromUtf8(Simulator.readLine()).trimmed();
        });
        Simulator.start(HBX_SIMULATOR, {"--backend", "alsa", "--commands"});
        ASSERT_TRUE(WaitForLine("ready", 10000)) << Lines.join('\n').toStdString();
        UseMidiService(std::make_unique<AlsaMidiService>());
        for (std::size_t i = 0; i < InputPorts().PortNames().size(); ++i) {
            if (InputPorts().PortNames()[i].Name == "HBX740")
                Input = static_cast<int>(i);
        }
        for (std::size_t i = 0; i < OutputPorts().PortNames().size(); ++i) {
            if (OutputPorts().PortNames()[i].Name == "HBX740")
                Output = static_cast<int>(i);
        }
        ASSERT_GE(Input, 0);
        ASSERT_GE(Output, 0);
        Window.Install(InputPorts());
        InputPorts().OpenPort(Input);
        OutputPorts().OpenPort(Output);
    }
    void TearDown() override {
        ReleaseMidi();
        Simulator.terminate();
        Simulator.waitForFinished(3000);
    }

    bool WaitForLine(const QString& prefix, int timeoutMs) {
        return QTest::qWaitFor(
            [&] {
                return std::any_of(Lines.begin(), Lines.end(),
                                   [&](const QString& line) { return line.startsWith(prefix); });
            },
            timeoutMs);
    }
    QString Line(const QString& prefix) const {
        for (auto it = Lines.crbegin(); it != Lines.crend(); ++it) {
            if (it->startsWith(prefix))
                return *it;
        }
        return {};
    }
    void Command(const QString& line) {
        Simulator.write((line + u'\n').toUtf8());
        ASSERT_TRUE(WaitForLine("done " + line.section(u' ', 0, 0), 30000))
            << Lines.join('\n').toStdString();
    }
    // The bytes of every SysEx delivery so far, joined.
    std::size_t SysExBytes() const {
        std::size_t bytes = 0;
        for (const ReceivedEvent& event : Window.Events())
            bytes += event.SysEx ? event.Bytes.size() : 0;
        return bytes;
    }

    QStringList Lines; // before the process, whose destructor may still deliver lines
    QProcess Simulator;
    RecordingWindow Window;
    int Input = -1;
    int Output = -1;
};

} // namespace

TEST_F(SimulatorOnAlsa, AnswersIdentityDumpRequestAndParameterSet) {
    OutputPorts().SendHexText(Output, "F0 7E 00 06 01 F7 00 00 00 00");
    ASSERT_TRUE(Window.WaitForEvents(1));
    EXPECT_EQ(Window.Events()[0],
              SysEx(Input, {0xF0, 0x7E, 0x7F, 0x06, 0x02, 0x4A, 0x33, 0x01, 0x05, 0xF7}));

    OutputPorts().SendHexText(Output, "F0 33 00 00 08 F7 00 00 00 00");
    ASSERT_TRUE(Window.WaitForEvents(2));
    ASSERT_EQ(Window.Events()[1].Bytes.size(), 48u);
    EXPECT_EQ(Window.Events()[1].Bytes[3], 0x2B);

    std::string write = "F0 33 00 2B ";
    for (int i = 0; i < 43; ++i)
        write += "01 ";
    OutputPorts().SendHexText(Output, write + "F7 00 00 00 00");
    ASSERT_TRUE(Window.WaitForEvents(3));
    EXPECT_EQ(Window.Events()[2], SysEx(Input, {0xF0, 0x33, 0x01, 0x00, 0x08, 0xF7}));
    EXPECT_TRUE(WaitForLine("recv F0 33 00 2B 01", 1000));
}

TEST_F(SimulatorOnAlsa, BurstsAndTheLargestSysExArriveWhole) {
    Command("burst 1000 F0 33 01 2B 7F F7");
    ASSERT_TRUE(Window.WaitForEvents(1000, std::chrono::seconds(20)));
    EXPECT_EQ(SysExBytes(), 6000u);

    const QString ready = Line("ready");
    const auto largest = ready.section(u' ', -2, -2).toULongLong();
    ASSERT_GT(largest, 0u) << ready.toStdString();
    Command("largest-sysex 3");
    EXPECT_TRUE(QTest::qWaitFor([&] { return SysExBytes() == 6000 + largest; }, 10000))
        << SysExBytes() - 6000 << " of " << largest << " bytes";
}

// A program that subscribes to the keyboard and never reads, as a hung one
// would: once its pool is full, the sequencer refuses the keyboard's events.
TEST_F(SimulatorOnAlsa, SaysWhenTheSequencerRefusesAnEvent) {
    InputPorts().ClosePort(Input);
    const int client = Line("ready").section(u' ', 4, 4).toInt();
    snd_seq_t* deaf = nullptr;
    ASSERT_EQ(snd_seq_open(&deaf, "default", SND_SEQ_OPEN_DUPLEX, 0), 0);
    const int port = snd_seq_create_simple_port(
        deaf, "deaf", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC);
    // The simulator's output is its second port.
    ASSERT_EQ(snd_seq_connect_from(deaf, port, client, 1), 0);

    Simulator.write("burst 1000 F0 " + QByteArray("11 ").repeated(60) + "F7\n");
    EXPECT_TRUE(WaitForLine("error burst: the sequencer refused an event of 62 bytes", 30000))
        << Lines.join('\n').toStdString();
    snd_seq_close(deaf);
}

// The largest SysEx the simulator announces is what a client with the
// sequencer's default settings takes as one event; one byte more it refuses.
TEST_F(SimulatorOnAlsa, TheLargestSysExIsTheLargestADefaultClientTakes) {
    const QString ready = Line("ready");
    const int client = ready.section(u' ', 4, 4).toInt();
    const auto largest = ready.section(u' ', -2, -2).toUInt();
    snd_seq_t* plain = nullptr;
    ASSERT_EQ(snd_seq_open(&plain, "default", SND_SEQ_OPEN_DUPLEX, SND_SEQ_NONBLOCK), 0);
    const int port = snd_seq_create_simple_port(
        plain, "plain", SND_SEQ_PORT_CAP_WRITE | SND_SEQ_PORT_CAP_SUBS_WRITE,
        SND_SEQ_PORT_TYPE_MIDI_GENERIC);
    ASSERT_EQ(snd_seq_connect_from(plain, port, client, 1), 0);

    Command("largest-sysex 5");
    snd_seq_event_t* event = nullptr;
    ASSERT_TRUE(QTest::qWaitFor([&] { return snd_seq_event_input(plain, &event) >= 0; }, 5000));
    EXPECT_EQ(event->type, SND_SEQ_EVENT_SYSEX);
    EXPECT_EQ(event->data.ext.len, largest);

    Bytes longer(largest + 1, 0x11);
    longer.front() = 0xF0;
    longer.back() = 0xF7;
    snd_seq_event_t more;
    snd_seq_ev_clear(&more);
    snd_seq_ev_set_sysex(&more, static_cast<unsigned>(longer.size()), longer.data());
    snd_seq_ev_set_source(&more, static_cast<unsigned char>(port));
    snd_seq_ev_set_dest(&more, static_cast<unsigned char>(snd_seq_client_id(plain)),
                        static_cast<unsigned char>(port));
    snd_seq_ev_set_direct(&more);
    EXPECT_LT(snd_seq_event_output_direct(plain, &more), 0);
    snd_seq_close(plain);
}
