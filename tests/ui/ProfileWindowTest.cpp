#include "ProfileFile.h"
#include "WindowFixture.h"

#include <QCheckBox>
#include <QFile>
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
    // The ENABLE box is not refreshed by OPEN.
    EXPECT_FALSE(Get<QCheckBox>("CbEnable")->isChecked());

    // SAVE writes into the opened file, and the unrefreshed box reaches the record.
    Click("BtnSave");
    ParameterModel saved;
    LoadParaFromFile(saved, other, false);
    EXPECT_EQ(saved.Record(3).Disable, 1);
    ParameterModel untouched;
    LoadParaFromFile(untouched, Folder.FilePath("customer.cus"), false);
    EXPECT_EQ(untouched.Record(3).Value, 22);
    EXPECT_EQ(untouched.Record(3).Disable, 0);
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
