#include "EditorWithSimulator.h"
#include "model/ParameterModel.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QTest>
#include <unistd.h>

namespace {

class EditorOnAlsa : public EditorWithSimulator {
protected:
    SimulatorBackend Backend() const override { return SimulatorBackend::Alsa; }
    void SetUp() override {
        ASSERT_EQ(access("/dev/snd/seq", R_OK | W_OK), 0) << "no ALSA sequencer here";
        EditorWithSimulator::SetUp();
    }
};

} // namespace

// The kernel's own clients are listed before the keyboard here, so the
// connection check must watch the keyboard's port, not the first one.
TEST_F(EditorOnAlsa, ConnectsShowsItsMessagesSynchronisesAndNoticesItLeaving) {
    ASSERT_TRUE(WaitForConnection("Connect", 10000));
    EXPECT_EQ(LabelText("LbVersions"), "FW: V1.05");

    SimulatorCommand("send 90 3C 64");
    EXPECT_TRUE(QTest::qWaitFor([&] { return LabelText("LbStatus") == "144"; }, 3000));
    EXPECT_EQ(LabelText("LbData1"), "60");
    EXPECT_EQ(LabelText("LbData2"), "100");

    Get<QLineEdit>("EdtValue")->setText("99");
    Get<QComboBox>("CmbTranspose")->setCurrentIndex(15);
    Prompts.ConfirmAnswers = {true};
    Click("BtnSyncFw");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Prompts.Notices().isEmpty(); }, 5000));
    const QStringList received =
        SimulatorLine("recv F0 33 00 2B").mid(5).split(u' ', Qt::SkipEmptyParts);
    ASSERT_EQ(received.size(), 48) << SimulatorLines.join('\n').toStdString();
    EXPECT_EQ(received[4], "63");
    EXPECT_EQ(received.constLast(), "F7");

    Get<QLineEdit>("EdtValue")->setText("5");
    Prompts.ConfirmAnswers = {true};
    Click("BtnSyncPc");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Prompts.Notices().size() == 2; }, 5000));
    EXPECT_EQ(Prompts.Notices().constLast(),
              "      Device data successfully synchronized to the Editor software.     ");
    EXPECT_EQ(Window->Model().GlobalSettings()[Transpose], 15);
    EXPECT_EQ(Get<QLineEdit>("EdtValue")->text(), "99");

    QElapsedTimer gone;
    gone.start();
    KillSimulator();
    ASSERT_TRUE(WaitForConnection("Disconnect", 3000));
    EXPECT_LE(gone.elapsed(), 1200);
    EXPECT_EQ(LabelText("LbVersions"), "");
    EXPECT_TRUE(Prompts.Errors().isEmpty()) << Prompts.Errors().join('\n').toStdString();
}

// Back within a moment, the keyboard's client may get its old numbers, so its
// ports have their old full names; the editor's subscriptions went with it.
TEST_F(EditorOnAlsa, AQuickReplugIsFollowed) {
    ASSERT_TRUE(WaitForConnection("Connect", 10000));
    KillSimulator();
    StartSimulator({});
    ASSERT_FALSE(HasFatalFailure());
    EXPECT_TRUE(Hears([&] { return LabelText("LbStatus") == "144"; }));
    EXPECT_TRUE(WaitForConnection("Connect", 3000));
}
