#include "ui/ProfileCommands.h"
#include "../model/ProfileBytes.h"
#include "ErrorOf.h"
#include "FakeUserPrompts.h"
#include "TempFolder.h"
#include "model/EditorError.h"
#include "model/ProfileFile.h"

#include <QDir>
#include <gtest/gtest.h>

namespace {

class RecordingPanel : public ProfilePanel {
public:
    QStringList Calls;
    bool FailSave = false;
    void SaveCurrentPara() override {
        Calls << "save";
        if (FailSave)
            throw EditorError("'1a' is not a valid integer value");
    }
    void RegainData() override { Calls << "regain"; }
    void ShowProfileName(const QString& name) override { Calls << "label " + name; }
};

struct Commands {
    TempFolder Folder;
    ProgramFiles Files{Folder.Path()};
    EditingSession Session;
    ParameterModel& Model = Session.Model();
    FakeUserPrompts Prompts;
    RecordingPanel Panel;
    ProfileCommands Profiles{Session, Prompts, Panel};

    Commands() { Use("customer.cus"); }

    // Makes the defaults the profile `name` and opens it.
    void Use(const QString& name) {
        ParameterModel defaults;
        ResetPara(defaults);
        SaveParaToFile(defaults, Folder.FilePath(name));
        Session.Open(Folder.FilePath(name));
    }
    const QString& ProfilePath() const { return Session.ProfilePath(); }
};

} // namespace

TEST(ProfileCommands, ExportNameTakesTheCusExtension) {
    EXPECT_EQ(ExportFileName("/d/backup"), "/d/backup.cus");
    EXPECT_EQ(ExportFileName("/d/backup.ini"), "/d/backup.cus");
    EXPECT_EQ(ExportFileName("/d/a.b.ini"), "/d/a.b.cus");
    EXPECT_EQ(ExportFileName("/d/my.folder/backup"), "/d/my.folder/backup.cus");
    EXPECT_EQ(ExportFileName("/d/x.cus"), "/d/x.cus");
}

TEST(ProfileCommands, ProfileLabelDropsFolderAndLastExtension) {
    EXPECT_EQ(ProfileLabelText("/home/u/my.setup.cus"), "my.setup");
    EXPECT_EQ(ProfileLabelText("/home/u.v/live"), "live");
}

TEST(ProfileCommands, NewAnsweredNoChangesNothing) {
    Commands c;
    c.Model.Record(1).Value = 55;
    c.Profiles.New();
    ASSERT_EQ(c.Prompts.Log.size(), 1u);
    EXPECT_EQ(c.Prompts.Log[0].Text, "     Do you want to reset Editor software data?    ");
    EXPECT_EQ(c.Model.Record(1).Value, 55);
    EXPECT_TRUE(c.Panel.Calls.isEmpty());
    EXPECT_EQ(c.Folder.Read("customer.cus"), DefaultProfileBytes());
}

TEST(ProfileCommands, NewWritesTheDefaultsIntoTheCurrentProfile) {
    Commands c;
    c.Use("opened.cus");
    c.Model.Record(2).Value = 1;
    c.Prompts.ConfirmAnswers = {true};
    c.Profiles.New();
    EXPECT_EQ(c.Panel.Calls, QStringList{"regain"});
    EXPECT_EQ(c.Folder.Read("opened.cus"), DefaultProfileBytes());
}

TEST(ProfileCommands, OpenCancelledChangesNothingAndOpenLoadsWithoutChannelLimit) {
    Commands c;
    c.Profiles.Open();
    EXPECT_TRUE(c.Panel.Calls.isEmpty());
    EXPECT_EQ(c.ProfilePath(), c.Folder.FilePath("customer.cus"));
    const auto* dialog = c.Prompts.Last(FakeUserPrompts::Kind::OpenFile);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Request.Title, "Open file");
    EXPECT_EQ(dialog->Request.FilterName, "cus files");
    EXPECT_EQ(dialog->Request.FilterPattern, "*.cus");
    EXPECT_EQ(dialog->Request.FileName, "*.cus");
    EXPECT_EQ(dialog->Request.Folder, c.Folder.Path());

    const QString other = c.Folder.FilePath("live.set.cus");
    c.Folder.Write("live.set.cus", RecordOf({}) + RecordOf({"K", "", 0, 0, 0, 20, 0, {}}));
    c.Prompts.FileAnswers = {other};
    c.Profiles.Open();
    EXPECT_EQ(c.Panel.Calls, (QStringList{"label live.set", "regain"}));
    EXPECT_EQ(c.ProfilePath(), other);
    EXPECT_EQ(c.Model.Record(2).Channel, 20);
}

TEST(ProfileCommands, FailedOpenChangesNothing) {
    Commands c;
    c.Model.Record(2).Value = 99;
    const ParameterModel before = c.Model;
    for (const QString& name : {QStringLiteral("vanished.cus"), QStringLiteral("folder.cus")}) {
        QDir(c.Folder.Path()).mkdir("folder.cus");
        c.Prompts.FileAnswers = {c.Folder.FilePath(name)};
        EXPECT_THROW(c.Profiles.Open(), EditorError);
        EXPECT_TRUE(c.Panel.Calls.isEmpty());
        EXPECT_EQ(c.ProfilePath(), c.Folder.FilePath("customer.cus"));
        for (int n = 1; n <= ControlCount; ++n)
            EXPECT_EQ(EncodeRecord(c.Model.Record(n)), EncodeRecord(before.Record(n)));
    }
}

TEST(ProfileCommands, ExportAsksBeforeReplacingAFileTheDialogDidNotShow) {
    Commands c;
    c.Folder.Write("live.cus", "keep");
    c.Prompts.FileAnswers = {c.Folder.FilePath("live.ini"), c.Folder.FilePath("live.ini"),
                             c.Folder.FilePath("live.cus")};
    c.Prompts.ConfirmAnswers = {false, true};
    c.Profiles.Export();
    EXPECT_EQ(c.Folder.Read("live.cus"), "keep");
    EXPECT_TRUE(c.Panel.Calls.isEmpty());
    const auto* asked = c.Prompts.Last(FakeUserPrompts::Kind::Confirm);
    ASSERT_NE(asked, nullptr);
    EXPECT_EQ(asked->Text, "live.cus already exists.\nDo you want to replace it?");
    EXPECT_TRUE(asked->DefaultNo);

    c.Profiles.Export();
    EXPECT_EQ(c.Folder.Read("live.cus"), DefaultProfileBytes());
    // The name the dialog showed and confirmed is replaced without a second question.
    c.Profiles.Export();
    EXPECT_EQ(c.Prompts.Texts(FakeUserPrompts::Kind::Confirm).size(), 2);
}

TEST(ProfileCommands, SaveTakesThePanelWritesAndConfirms) {
    Commands c;
    c.Model.Record(3).Value = 99;
    c.Profiles.Save();
    EXPECT_EQ(c.Panel.Calls, QStringList{"save"});
    EXPECT_EQ(c.Prompts.Notices(), QStringList{"       Save the data successfully.     "});
    ParameterModel reloaded;
    LoadParaFromFile(reloaded, c.ProfilePath(), false);
    EXPECT_EQ(reloaded.Record(3).Value, 99);
}

TEST(ProfileCommands, SaveWithABadPanelValueWritesNothing) {
    Commands c;
    c.Panel.FailSave = true;
    c.Model.Record(3).Value = 99;
    EXPECT_THROW(c.Profiles.Save(), EditorError);
    EXPECT_TRUE(c.Prompts.Notices().isEmpty());
    EXPECT_EQ(c.Folder.Read("customer.cus"), DefaultProfileBytes());
}

TEST(ProfileCommands, ExportWritesACopyAndLeavesTheCurrentProfile) {
    Commands c;
    c.Profiles.Export();
    EXPECT_TRUE(c.Panel.Calls.isEmpty());
    const auto* dialog = c.Prompts.Last(FakeUserPrompts::Kind::SaveFile);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->Request.Title, "Save file");
    EXPECT_EQ(dialog->Request.FilterName, "All files");
    EXPECT_EQ(dialog->Request.FilterPattern, "*.*");
    EXPECT_EQ(dialog->Request.FileName, c.ProfilePath());

    c.Model.Record(1).Value = 3;
    c.Prompts.FileAnswers = {c.Folder.FilePath("backup.ini")};
    c.Profiles.Export();
    EXPECT_EQ(c.Panel.Calls, QStringList{"save"});
    EXPECT_EQ(c.Folder.Read("backup.cus").size(), 1728);
    EXPECT_FALSE(c.Folder.Exists("backup.ini"));
    EXPECT_EQ(c.ProfilePath(), c.Folder.FilePath("customer.cus"));
    EXPECT_EQ(c.Folder.Read("customer.cus"), DefaultProfileBytes());
}

TEST(ProfileCommands, SysExFileExportedOpensBackIntoTheCurrentProfileWithItsNames) {
    Commands c;
    c.Model.Record(2).Value = 99;
    c.Model.GlobalSettings()[Reverb] = 3;
    c.Prompts.FileAnswers = {c.Folder.FilePath("set.syx")};
    c.Profiles.Export();
    const QByteArray set = c.Folder.Read("set.syx");
    EXPECT_EQ(set.size(), 48);
    EXPECT_EQ(c.Folder.Read("customer.cus"), DefaultProfileBytes());

    ResetPara(c.Model);
    c.Model.Record(2).ParaName.Assign("Lead");
    const QByteArray before = EncodeProfile(c.Model);
    c.Folder.Write("two.syx", set + set);
    c.Prompts.FileAnswers = {c.Folder.FilePath("two.syx"), c.Folder.FilePath("set.syx")};
    EXPECT_EQ(ErrorOf([&] { c.Profiles.Open(); }),
              "Not a parameter set: 96 bytes starting F0 33 00 2B …, which are 2 SysEx messages");
    EXPECT_EQ(EncodeProfile(c.Model), before);
    c.Profiles.Open();
    for (const auto kind : {FakeUserPrompts::Kind::OpenFile, FakeUserPrompts::Kind::SaveFile}) {
        ASSERT_NE(c.Prompts.Last(kind), nullptr);
        const auto& filters = c.Prompts.Last(kind)->Request.MoreFilters;
        ASSERT_EQ(filters.size(), 1u);
        EXPECT_EQ(filters[0].Name, "SysEx files");
        EXPECT_EQ(filters[0].Pattern, "*.syx");
    }
    // The profile stays the current one, label and names included.
    EXPECT_EQ(c.Panel.Calls, (QStringList{"save", "regain"}));
    EXPECT_EQ(c.ProfilePath(), c.Folder.FilePath("customer.cus"));
    EXPECT_EQ(c.Model.Record(2).Value, 99);
    EXPECT_EQ(c.Model.Record(2).ParaName.Text(), "Lead");
    EXPECT_EQ(c.Model.GlobalSettings()[Reverb], 3);
    c.Profiles.Save();
    EXPECT_EQ(c.Folder.Read("customer.cus"), EncodeProfile(c.Model));
}
