#include "EditorWithSimulator.h"
#include "JackPeer.h"
#include "midi/Midi.h"
#include "model/ParameterModel.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>

namespace {

using EndToEnd = EditorWithSimulator;

// Another device on the server, registered before the keyboard, so listed
// first.
class BesideAnotherDevice : public EditorWithSimulator {
protected:
    void BeforeSimulator() override { Other = std::make_unique<JackPeer>("Synth"); }
    std::unique_ptr<JackPeer> Other;
};

} // namespace

TEST_F(BesideAnotherDevice, ConnectionFollowsTheKeyboardNotThePortListedFirst) {
    ASSERT_TRUE(WaitForConnection("Connect", 5000));
    ASSERT_EQ(InputPorts().PortNames().front().Name, "Synth");
    Other.reset();
    QTest::qWait(1500);
    EXPECT_EQ(LabelText("LbConnect"), "Connect");

    QElapsedTimer gone;
    gone.start();
    KillSimulator();
    ASSERT_TRUE(WaitForConnection("Disconnect", 3000));
    EXPECT_LE(gone.elapsed(), 1200);
}

TEST_F(EndToEnd, ConnectsSynchronisesBothWaysAndNoticesTheKeyboardLeaving) {
    ASSERT_TRUE(WaitForConnection("Connect", 5000));
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
    ASSERT_TRUE(WaitForConnection("Disconnect", 4000));
    EXPECT_EQ(LabelText("LbVersions"), "");
    EXPECT_TRUE(Prompts.Errors().isEmpty());
}
