#include "WindowFixture.h"
#include "model/ProfileFile.h"

#include <QFileInfo>
#include <random>

// Undo and redo, driven as the user does: real widgets, real keys.
namespace {

class EditHistoryTest : public WindowTest, public ::testing::WithParamInterface<unsigned> {
protected:
    void StartActive() {
        Start();
        Window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(Window.get()));
    }
    void Undo() { Key(Qt::Key_Z, Qt::ControlModifier); }
    void Redo(int i) {
        if (i % 2)
            Key(Qt::Key_Y, Qt::ControlModifier);
        else
            Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    }
    QByteArray Content() const { return EncodeProfile(Window->Model()); }
    int Steps() const { return Window->Edits().Steps().count(); }

    struct Seen {
        QByteArray Content;
        QString Path;
        int Selected;
        QString Value;
        QString Name;
        bool operator==(const Seen&) const = default;
    };
    Seen Now() const {
        return {Content(), Window->ProfilePath(), Window->Model().SelectedControl, Text("EdtValue"),
                Text("EdtNameEditor")};
    }
};

TEST_P(EditHistoryTest, AnyEditsUndoneGiveBackTheStartAndRedoneTheEnd) {
    ParameterModel other = FactoryModel();
    other.Record(4).Value = 99;
    other.Record(6).ParaName.Assign("Other");
    const QString otherPath = Folder.FilePath("other.cus");
    SaveParaToFile(other, otherPath);
    StartActive();
    std::mt19937 random(GetParam());
    const auto below = [&](int n) { return static_cast<int>(random() % unsigned(n)); };
    const std::vector<std::function<void()>> edits = {
        [&] {
            QStringList lists;
            for (const QComboBox* list : Window->findChildren<QComboBox*>())
                if (list->isEnabled() && list->objectName() != "CmbDataDis")
                    lists << list->objectName();
            Pick(lists[below(int(lists.size()))].toLatin1().constData());
        },
        [&] { Click("CbEnable"); },
        [&] { Type("EdtValue", QString::number(below(200))); },
        [&] { Type("EdtNameEditor", QStringLiteral("N%1").arg(below(100))); },
        [&] { SelectControl(1 + below(8)); },
        [&] {
            Prompts.ConfirmAnswers.push_back(true);
            Click("BtnNEW");
        },
        [&] {
            Prompts.FileAnswers.push_back(otherPath);
            Click("BtnOpen");
        },
        [&] { Click("BtnSave"); },
    };
    const Seen start = Now();
    constexpr int count = 40;
    for (int i = 0; i < count; ++i)
        edits[std::size_t(below(int(edits.size())))]();
    // A last entry finished with Tab leaves the focus on a list.
    Type("EdtValue", "7", false);
    Key(Qt::Key_Tab);
    const Seen end = Now();
    ASSERT_NE(end.Content, start.Content);
    ASSERT_TRUE(Prompts.Errors().isEmpty()) << Prompts.Errors().join('\n').toStdString();

    ASSERT_GT(Steps(), count / 2);
    for (int i = 0; i < count + 1; ++i)
        Undo();
    EXPECT_EQ(Now(), start);
    for (int i = 0; i < count + 1; ++i)
        Redo(i);
    EXPECT_EQ(Now(), end);
}

INSTANTIATE_TEST_SUITE_P(Seeds, EditHistoryTest, ::testing::Values(1u, 2u, 3u));

TEST_F(EditHistoryTest, UndoWritesNoFileAndTheNextSaveDoes) {
    StartActive();
    const QString path = Folder.FilePath("customer.cus");
    Type("EdtValue", "55");
    Click("BtnSave");
    const QByteArray saved = Folder.Read("customer.cus");
    const QDateTime written = QFileInfo(path).lastModified();
    Undo();
    EXPECT_EQ(Window->Model().Record(1).Value, 10);
    Redo(0);
    Undo();
    EXPECT_EQ(Folder.Read("customer.cus"), saved);
    EXPECT_EQ(QFileInfo(path).lastModified(), written);
    Click("BtnSave");
    EXPECT_EQ(Folder.Read("customer.cus"), EncodeProfile(Window->Model()));
    EXPECT_NE(Folder.Read("customer.cus"), saved);
}

TEST_F(EditHistoryTest, CommandsAreOneStepEachAndWhatChangesNothingIsNone) {
    SaveParaToFile(FactoryModel(), Folder.FilePath("same.cus"));
    ParameterModel other = FactoryModel();
    other.Record(2).Channel = 9;
    SaveParaToFile(other, Folder.FilePath("other.cus"));
    StartActive();
    Type("EdtValue", "30");
    ASSERT_EQ(Steps(), 1);
    // The same text finished again, saving what the model holds.
    Type("EdtValue", "30");
    Click("BtnSave");
    EXPECT_EQ(Steps(), 1);
    // Answered No, cancelled, a file that is not there.
    Click("BtnNEW");
    Click("BtnOpen");
    Prompts.FileAnswers.push_back(Folder.FilePath("missing.cus"));
    Click("BtnOpen");
    EXPECT_EQ(Prompts.Errors(), QStringList{"File not found."});
    EXPECT_EQ(Steps(), 1);

    const auto oneStep = [&](const char* command, const std::function<void()>& run) {
        const Seen before = Now();
        const int steps = Steps();
        run();
        EXPECT_EQ(Steps(), steps + 1) << command;
        const Seen after = Now();
        Undo();
        EXPECT_EQ(Now(), before) << command;
        Redo(0);
        EXPECT_EQ(Now(), after) << command;
    };
    oneStep("NEW", [&] {
        Prompts.ConfirmAnswers.push_back(true);
        Click("BtnNEW");
    });
    oneStep("OPEN", [&] {
        Prompts.FileAnswers.push_back(Folder.FilePath("other.cus"));
        Click("BtnOpen");
    });
    // Only the path changes, which the next SAVE writes to.
    oneStep("OPEN", [&] {
        Prompts.FileAnswers.push_back(Folder.FilePath("same.cus"));
        Click("BtnOpen");
    });
    EXPECT_EQ(Text("LbProFile"), "same");
    Undo();
    EXPECT_EQ(Text("LbProFile"), "other");
}

TEST_F(EditHistoryTest, ATextFieldUndoesItsOwnTypingFirst) {
    StartActive();
    Pick("CmbScale");
    ASSERT_EQ(Window->Model().GlobalSettings()[Scale], 1);
    Type("EdtNameEditor", "Lead", false);
    Undo();
    EXPECT_EQ(Text("EdtNameEditor"), "");
    EXPECT_EQ(Window->Model().GlobalSettings()[Scale], 1);
    Redo(1);
    EXPECT_EQ(Text("EdtNameEditor"), "Lead");
    Undo();
    // Nothing of its own left: the window's step.
    Undo();
    EXPECT_EQ(Window->Model().GlobalSettings()[Scale], 0);
    EXPECT_EQ(ComboText("CmbScale"), "NORM");
    Redo(0);
    EXPECT_EQ(ComboText("CmbScale"), "MAJOR");

    // Typing finished is one of the window's steps.
    Type("EdtValue", "64");
    Undo();
    EXPECT_EQ(Text("EdtValue"), "10");
    EXPECT_EQ(Window->Model().Record(1).Value, 10);
}

TEST_F(EditHistoryTest, AThousandStepsAreKept) {
    StartActive();
    const QByteArray start = Content();
    Type("EdtValue", "55");
    for (int i = 1; i < EditHistory::StepLimit; ++i)
        Click("CbEnable");
    for (int i = 0; i < EditHistory::StepLimit; ++i)
        Undo();
    EXPECT_EQ(Content(), start);
}

} // namespace
