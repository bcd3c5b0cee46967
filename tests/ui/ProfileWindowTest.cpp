#include "WindowFixture.h"
#include "model/ProfileFile.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <sys/stat.h>

namespace {

void WriteProfile(const QString& path, int value3, int channel2) {
    ParameterModel model;
    ResetPara(model);
    model.Record(3).Value = value3;
    model.Record(3).ParaName.Assign("Other 3");
    model.Record(2).Channel = channel2;
    SaveParaToFile(model, path);
}

} // namespace

TEST_F(WindowTest, NewResetsPanelAndCurrentProfileOnlyWhenConfirmed) {
    Start();
    SetValue("77");
    SelectControl(2);
    Click("BtnNEW");
    EXPECT_EQ(Window->Model().Record(1).Value, 77);

    Prompts.ConfirmAnswers = {true};
    Click("BtnNEW");
    EXPECT_EQ(Window->Model().Record(1).Value, 10);
    EXPECT_EQ(Text("EdtValue"), "21");
    ParameterModel saved;
    LoadParaFromFile(saved, Folder.FilePath("customer.cus"), false);
    EXPECT_EQ(saved.Record(1).Value, 10);
    // ResetPara keeps what the user last left in the name field.
    EXPECT_EQ(saved.Record(1).EditorText.Text(), "[NAME]");
}

TEST_F(WindowTest, OpenShowsTheSelectedControlOfTheNewProfileAndRenamesTheLabel) {
    const QString other = Folder.FilePath("stage.v2.cus");
    WriteProfile(other, 64, 20);
    Start();
    SelectControl(3);
    Get<QCheckBox>("CbEnable")->setChecked(false);

    Click("BtnOpen");
    EXPECT_EQ(Text("LbProFile"), "PROFILE");

    Prompts.FileAnswers = {other};
    Click("BtnOpen");
    EXPECT_EQ(Text("LbProFile"), "stage.v2");
    EXPECT_EQ(Window->ProfilePath(), other);
    EXPECT_EQ(Text("EdtValue"), "64");
    EXPECT_EQ(Text("BtnParaName"), "Other 3");
    EXPECT_EQ(Window->Model().Record(2).Channel, 20);
    EXPECT_TRUE(Get<QCheckBox>("CbEnable")->isChecked());

    // SAVE writes into the opened file; the default profile stays as it was.
    Click("BtnSave");
    ParameterModel untouched;
    LoadParaFromFile(untouched, Folder.FilePath("customer.cus"), false);
    EXPECT_EQ(untouched.Record(3).Value, 22);
}

// A profile that differs from the defaults in every field: opened and saved
// without an edit, its file stays byte for byte what it was.
TEST_F(WindowTest, OpenThenSaveLeavesTheProfileUnchanged) {
    ParameterModel model;
    for (int n = 1; n <= ControlCount; ++n) {
        ControlRecord& record = model.Record(n);
        record.ParaName.Assign(QStringLiteral("Profile B control %1").arg(n));
        record.EditorText.Assign("[NAME]");
        record.DataType = n % 4;
        record.ControlMode = 1;
        record.Value = 30 + n;
        record.Channel = n + 1;
        record.Disable = 1;
        for (std::size_t i = 0; i < record.Settings.size(); ++i)
            record.Settings[i] = static_cast<std::int32_t>(i % 2 + 1);
    }
    model.Record(7).ControlMode = 0;
    model.GlobalSettings() = {3, 11, 4, 7, 2, 1, 24, 15};
    const QString path = Folder.FilePath("b.cus");
    SaveParaToFile(model, path);
    const QByteArray saved = Folder.Read("b.cus");

    Start();
    for (int control : {1, 7}) {
        SelectControl(control);
        Prompts.FileAnswers = {path};
        Click("BtnOpen");
        Click("BtnSave");
        EXPECT_EQ(Folder.Read("b.cus"), saved) << "control " << control;
    }
    EXPECT_TRUE(Prompts.Errors().isEmpty());
}

TEST_F(WindowTest, FailedOpenLeavesProfileLabelAndPanelAsTheyWere) {
    ASSERT_TRUE(QDir(Folder.Path()).mkdir("folder.cus"));
    Start();
    SetValue("64");
    Prompts.FileAnswers = {Folder.FilePath("folder.cus")};
    Click("BtnOpen");
    EXPECT_EQ(Prompts.Errors(), QStringList{"File access denied."});
    EXPECT_EQ(Text("LbProFile"), "PROFILE");
    EXPECT_EQ(Window->ProfilePath(), Folder.FilePath("customer.cus"));
    EXPECT_EQ(Text("EdtValue"), "64");
    Click("BtnSave");
    EXPECT_EQ(Prompts.Errors().size(), 1);
    ParameterModel saved;
    LoadParaFromFile(saved, Folder.FilePath("customer.cus"), false);
    EXPECT_EQ(saved.Record(1).Value, 64);
}

TEST_F(WindowTest, SaveStoresTheTypedNameButKeepsTheLabelUntilTheNextFill) {
    Start();
    SetName("Mod Wheel");
    Get<QComboBox>("CmbReverb")->setCurrentIndex(1);
    Click("BtnSave");
    EXPECT_EQ(Prompts.Notices(), QStringList{"       Save the data successfully.     "});
    EXPECT_EQ(Text("BtnParaName"), "Encoder");
    EXPECT_TRUE(Window->Model().Record(1).EditorText.IsEmpty());
    ParameterModel saved;
    LoadParaFromFile(saved, Folder.FilePath("customer.cus"), false);
    EXPECT_EQ(saved.Record(1).ParaName.Text(), "Mod Wheel");
    EXPECT_EQ(saved.GlobalSettings()[Reverb], 1);
}

TEST_F(WindowTest, FailedSaveShowsTheCauseAndKeepsTheProfileIntact) {
    Start();
    const QString path = Folder.FilePath("customer.cus");
    const QByteArray before = Folder.Read("customer.cus");
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0444), 0);
    SetValue("5");
    Click("BtnSave");
    EXPECT_EQ(Prompts.Errors(), QStringList{"File access denied."});
    EXPECT_TRUE(Prompts.Notices().isEmpty());
    EXPECT_EQ(Folder.Read("customer.cus"), before);
    EXPECT_EQ(Window->Model().Record(1).Value, 5);
}

TEST_F(WindowTest, BadValueStopsSaveAndExportBeforeAnyWrite) {
    Start();
    const QByteArray before = Folder.Read("customer.cus");
    SetValue("1a");
    Click("BtnSave");
    Prompts.FileAnswers = {Folder.FilePath("copy")};
    Click("BtnExport");
    EXPECT_EQ(Prompts.Errors(), QStringList(2, "'1a' is not a valid integer value."));
    EXPECT_EQ(Folder.Read("customer.cus"), before);
    EXPECT_FALSE(Folder.Exists("copy.cus"));
}

TEST_F(WindowTest, ExportWritesACopyAndSaveStillWritesTheCurrentProfile) {
    Start();
    Click("BtnExport");
    EXPECT_FALSE(Folder.Exists("backup.cus"));

    SetValue("42");
    Prompts.FileAnswers = {Folder.FilePath("backup.ini")};
    Click("BtnExport");
    ParameterModel exported;
    LoadParaFromFile(exported, Folder.FilePath("backup.cus"), false);
    EXPECT_EQ(exported.Record(1).Value, 42);
    EXPECT_EQ(Window->ProfilePath(), Folder.FilePath("customer.cus"));

    SetValue("43");
    Click("BtnSave");
    ParameterModel exportedAfter, current;
    LoadParaFromFile(exportedAfter, Folder.FilePath("backup.cus"), false);
    LoadParaFromFile(current, Folder.FilePath("customer.cus"), false);
    EXPECT_EQ(exportedAfter.Record(1).Value, 42);
    EXPECT_EQ(current.Record(1).Value, 43);
}

TEST_F(WindowTest, AProfileGivenToTheProgramOpensForThisRunOnly) {
    const QString other = Folder.FilePath("gig.cus");
    WriteProfile(other, 64, 3);
    Start();
    Window->OpenProfile(Folder.FilePath("missing.cus"));
    EXPECT_EQ(Prompts.Errors(), QStringList{"File not found."});
    EXPECT_EQ(Window->ProfilePath(), Folder.FilePath("customer.cus"));

    Window->OpenProfile(other);
    EXPECT_EQ(Window->ProfilePath(), other);
    EXPECT_EQ(Text("LbProFile"), "gig");
    EXPECT_EQ(Window->Model().Record(3).Value, 64);
    EXPECT_EQ(
        QSettings(Folder.FilePath("System.ini"), QSettings::IniFormat).value("System/FilePath"),
        Folder.FilePath("customer.cus"));
}
