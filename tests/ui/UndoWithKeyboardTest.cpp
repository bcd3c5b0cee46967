#include "DeviceWindowFixture.h"
#include "model/ProfileFile.h"

#include <QApplication>

// Undo over the commands that talk to the keyboard.
TEST_F(DeviceWindowTest, ResetAndSyncToPcAreOneStepEachAndUndoSendsAndWritesNothing) {
    StartWithKeyboard();
    Reply(IdentityReply105);
    ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Connect"; }));
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    const auto steps = [&] { return Window->Edits().Steps().count(); };
    const auto content = [&] { return EncodeProfile(Window->Model()); };
    const auto answered = [&](int notices) {
        return WaitFor([&] { return Prompts.Notices().size() == notices; });
    };
    const QByteArray start = content();

    SetValue("40");
    Prompts.ConfirmAnswers = {true, true, true, true};
    Click("BtnSyncFw");
    Reply(Acknowledgement);
    ASSERT_TRUE(answered(1));
    EXPECT_EQ(steps(), 1);
    Click("BtnReset");
    Reply(Acknowledgement);
    ASSERT_TRUE(answered(2));
    EXPECT_EQ(steps(), 2);
    Click("BtnSyncPc");
    ParameterModel device = FactoryModel();
    device.Record(5).Channel = 3;
    Reply(DumpReplyOf(device));
    ASSERT_TRUE(answered(3));
    EXPECT_EQ(steps(), 3);
    // Unanswered: nothing came to undo.
    Click("BtnSyncPc");
    ASSERT_TRUE(WaitFor([&] { return !TimerRuns("TimerSyncPC"); }));
    EXPECT_EQ(steps(), 3);
    const QByteArray end = content();

    const std::size_t sent = Midi->Sent().size();
    const QByteArray saved = Folder.Read("customer.cus");
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(content(), start);
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(content(), end);
    EXPECT_EQ(Midi->Sent().size(), sent);
    EXPECT_EQ(Folder.Read("customer.cus"), saved);
    EXPECT_TRUE(Prompts.Errors().isEmpty());
}
