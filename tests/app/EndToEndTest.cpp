#include "FakeUserPrompts.h"
#include "Midi.h"
#include "ParameterModel.h"
#include "RtMidiService.h"
#include "SysfsUsbDeviceQuery.h"
#include "TempFolder.h"
#include "Unit1.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

// The editor as the program builds it (RtMidi on a private JACK server, the
// sysfs USB query over a synthetic tree) against the keyboard simulator.
namespace {

bool SimulatorPortsListed() {
    RtMidiService probe(RtMidiBackend::Jack, "hbx740-e2e-probe");
    std::vector<MidiPortInfo> inputs, outputs;
    probe.ListPorts(MidiDirection::Input, inputs);
    probe.ListPorts(MidiDirection::Output, outputs);
    const auto named = [](const std::vector<MidiPortInfo>& ports) {
        return std::any_of(ports.begin(), ports.end(),
                           [](const MidiPortInfo& port) { return port.Name == "HBX740"; });
    };
    return named(inputs) && named(outputs);
}

class EndToEnd : public ::testing::Test {
protected:
    TempFolder Folder;
    TempFolder UsbTree;
    FakeUserPrompts Prompts;
    std::unique_ptr<SysfsUsbDeviceQuery> Usb;
    QProcess Simulator;
    QStringList SimulatorLines;
    std::unique_ptr<TForm1> Window;

    void SetUp() override {
        setenv("JACK_DEFAULT_SERVER", HBX_JACK_SERVER, 1);
        setenv("JACK_NO_START_SERVER", "1", 1);
        QLocale::setDefault(QLocale::c());

        ASSERT_TRUE(QDir(UsbTree.Path()).mkpath("1-4"));
        UsbTree.Write("1-4/idVendor", "5d2e\n");
        UsbTree.Write("1-4/idProduct", "9a47\n");
        UsbTree.Write("1-4/serial", "HBX740-0001\n");
        Usb = std::make_unique<SysfsUsbDeviceQuery>(UsbTree.Path());

        QObject::connect(&Simulator, &QProcess::readyReadStandardOutput, [this] {
            while (Simulator.canReadLine())
                SimulatorLines << QString::fromUtf8(Simulator.readLine()).trimmed();
        });
        Simulator.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        Simulator.start(HBX_SIMULATOR, {"--backend", "jack", "--firmware", "1.05"});
        ASSERT_TRUE(Simulator.waitForStarted(5000));
        ASSERT_TRUE(QTest::qWaitFor(SimulatorPortsListed, 10000))
            << "the simulator's ports never appeared";

        UseMidiService(std::make_unique<RtMidiService>(RtMidiBackend::Jack));
        Window = std::make_unique<TForm1>(EditorServices{Prompts, *Usb, Folder.Path()});
        Window->show();
    }

    void TearDown() override {
        Window.reset();
        ReleaseMidi();
        if (Simulator.state() != QProcess::NotRunning) {
            Simulator.terminate();
            if (!Simulator.waitForFinished(3000))
                Simulator.kill();
        }
    }

    template <class T = QWidget> T* Get(const char* name) const {
        return Window->findChild<T*>(QString::fromLatin1(name));
    }

    void Click(const char* name) {
        QWidget* widget = Get(name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

    QString LabelText(const char* name) const { return Get<QLabel>(name)->text(); }

    // The last line the simulator printed that starts with `prefix`.
    QString SimulatorLine(const QString& prefix) const {
        for (auto it = SimulatorLines.crbegin(); it != SimulatorLines.crend(); ++it) {
            if (it->startsWith(prefix))
                return *it;
        }
        return {};
    }
};

} // namespace

TEST_F(EndToEnd, ConnectsSynchronisesBothWaysAndNoticesTheKeyboardLeaving) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return LabelText("LbConnect") == "Connect"; }, 5000));
    EXPECT_EQ(LabelText("LbVersions"), "FW: V1.05");

    // SYNC TO FW: the simulator receives the parameter set as one SysEx,
    // without the padding the editor hands to the port.
    Get<QLineEdit>("EdtValue")->setText("99");
    Get<QComboBox>("CmbTranspose")->setCurrentIndex(15);
    Prompts.ConfirmAnswers = {true};
    Click("BtnSyncFw");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Prompts.Notices().isEmpty(); }, 3000));
    EXPECT_EQ(Prompts.Notices().constLast(),
              "      Editor data successfully synchronized to the device.     ");
    const QStringList received =
        SimulatorLine("recv F0 33 00 2B").mid(5).split(u' ', Qt::SkipEmptyParts);
    ASSERT_EQ(received.size(), 48) << SimulatorLines.join('\n').toStdString();
    EXPECT_EQ(received[4], "63");
    EXPECT_EQ(received.constLast(), "F7");

    // SYNC TO PC brings the simulator's values back over what the panel shows.
    Get<QLineEdit>("EdtValue")->setText("5");
    Prompts.ConfirmAnswers = {true};
    Click("BtnSyncPc");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Prompts.Notices().size() == 2; }, 3000));
    EXPECT_EQ(Prompts.Notices().constLast(),
              "      Device data successfully synchronized to the Editor software.     ");
    EXPECT_EQ(Window->Model().Record(1).Value, 99);
    EXPECT_EQ(Window->Model().GlobalSettings()[Transpose], 15);
    EXPECT_EQ(Get<QLineEdit>("EdtValue")->text(), "99");

    Simulator.kill();
    ASSERT_TRUE(QTest::qWaitFor([&] { return LabelText("LbConnect") == "Disconnect"; }, 4000));
    EXPECT_EQ(LabelText("LbVersions"), "");
    EXPECT_TRUE(Prompts.Errors().isEmpty());
}
