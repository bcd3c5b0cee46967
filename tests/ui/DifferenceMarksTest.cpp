#include "ui/DifferenceMarks.h"
#include "DeviceWindowFixture.h"

// The marks of what differs from the keyboard, edit by edit.
TEST_F(DeviceWindowTest, MarksShowWhatDiffersFromWhatTheKeyboardHolds) {
    StartWithKeyboard();
    Reply(IdentityReply105);
    ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Connect"; }));
    Window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    const QString search = Get("LbConnect")->toolTip();
    const auto marked = [&] {
        QStringList shown;
        for (const QWidget* widget : Window->findChildren<QWidget*>())
            if (widget->objectName().startsWith("Mark") && widget->isVisible())
                shown << widget->objectName().mid(4);
        shown.sort();
        return shown.join(' ');
    };
    const auto summary = [&] {
        const QString tip = Get("LbConnect")->toolTip();
        EXPECT_TRUE(tip.endsWith(search));
        return tip.chopped(search.size()).trimmed();
    };
    int notices = 0;
    const auto command = [&](const char* button, const Bytes& reply) {
        Prompts.ConfirmAnswers.push_back(true);
        Click(button);
        Reply(reply);
        ++notices;
        ASSERT_TRUE(WaitFor([&] { return Prompts.Notices().size() == notices; }));
    };
    ParameterModel keyboard = FactoryModel();
    keyboard.Record(7).ControlMode = 0;
    keyboard.GlobalSettings()[Velocity] = 2;

    struct Row {
        const char* Edit;
        std::function<void()> Run;
        const char* Marked;
        const char* Summary;
    };
    const Row rows[] = {
        {"nothing known yet", [] {}, "", ""},
        {"VALUE typed before any exchange", [&] { Type("EdtValue", "64", false); }, "", ""},
        {"SYNC TO PC", [&] { command("BtnSyncPc", DumpReplyOf(keyboard)); }, "", ""},
        {"VALUE typed", [&] { Type("EdtValue", "65", false); }, "ImgbData1",
         "1 control differs from the keyboard: SYNC TO FW sends it."},
        {"VALUE typed back", [&] { Type("EdtValue", "10", false); }, "", ""},
        {"VALUE finished", [&] { Type("EdtValue", "66"); }, "ImgbData1",
         "1 control differs from the keyboard: SYNC TO FW sends it."},
        {"Stop's mode picked",
         [&] {
             SelectControl(7);
             Pick("CmbControlMode");
         },
         "ImgbData1 ImgbData7", "2 controls differ from the keyboard: SYNC TO FW sends them."},
        {"SCALE picked", [&] { Pick("CmbScale"); }, "CmbScale ImgbData1 ImgbData7",
         "2 controls and 1 setting differ from the keyboard: SYNC TO FW sends them."},
        {"a name", [&] { Type("EdtNameEditor", "Halt"); }, "CmbScale ImgbData1 ImgbData7",
         "2 controls and 1 setting differ from the keyboard: SYNC TO FW sends them."},
        {"undo, undo",
         [&] {
             Key(Qt::Key_Z, Qt::ControlModifier);
             Key(Qt::Key_Z, Qt::ControlModifier);
         },
         "ImgbData1 ImgbData7", "2 controls differ from the keyboard: SYNC TO FW sends them."},
        {"SYNC TO FW", [&] { command("BtnSyncFw", Acknowledgement); }, "", ""},
        {"VELOCITY and SCALE picked",
         [&] {
             Pick("CmbVelocity");
             Pick("CmbScale");
         },
         "CmbScale CmbVelocity", "2 settings differ from the keyboard: SYNC TO FW sends them."},
        {"SYNC TO FW unanswered",
         [&] {
             Prompts.ConfirmAnswers.push_back(true);
             Click("BtnSyncFw");
             ASSERT_TRUE(WaitFor([&] { return !TimerRuns("TimerSyncFW"); }));
         },
         "", ""},
        {"RESET", [&] { command("BtnReset", Acknowledgement); }, "", ""},
        {"ENABLE", [&] { Click("CbEnable"); }, "ImgbData7",
         "1 control differs from the keyboard: SYNC TO FW sends it."},
        {"the keyboard unplugged",
         [&] {
             Midi->RemovePort(Inputs[0]);
             ASSERT_TRUE(WaitFor([&] { return Text("LbConnect") == "Disconnect"; }, 2500));
         },
         "", ""},
    };
    for (const Row& row : rows) {
        row.Run();
        EXPECT_EQ(marked(), row.Marked) << row.Edit;
        if (QString(row.Edit) != "the keyboard unplugged") {
            EXPECT_EQ(summary(), row.Summary) << row.Edit;
        }
        EXPECT_EQ(Get("mCode7")->accessibleDescription(),
                  QString(row.Marked).contains("ImgbData7") ? "Differs from the keyboard" : "")
            << row.Edit;
    }
    EXPECT_FALSE(Get("LbConnect")->toolTip().contains("differ"));
}

TEST(DifferenceMarks, SummaryCountsInWords) {
    const std::tuple<int, int, const char*> counts[] = {
        {0, 0, ""},
        {1, 0, "1 control differs from the keyboard: SYNC TO FW sends it."},
        {0, 1, "1 setting differs from the keyboard: SYNC TO FW sends it."},
        {3, 0, "3 controls differ from the keyboard: SYNC TO FW sends them."},
        {0, 8, "8 settings differ from the keyboard: SYNC TO FW sends them."},
        {1, 1, "1 control and 1 setting differ from the keyboard: SYNC TO FW sends them."},
        {2, 1, "2 controls and 1 setting differ from the keyboard: SYNC TO FW sends them."},
        {8, 5, "8 controls and 5 settings differ from the keyboard: SYNC TO FW sends them."},
    };
    for (const auto& [controls, settings, text] : counts)
        EXPECT_EQ(DifferenceMarks::Summary(controls, settings), text) << controls << settings;
}
