#include "WindowFixture.h"
#include "model/ProfileFile.h"

#include <QCheckBox>
#include <QDir>
#include <QSettings>
#include <QTimer>

TEST_F(WindowTest, FirstStartShowsEncoderDefaultsAndWritesTheFiles) {
    Start();
    EXPECT_TRUE(Prompts.Log.empty());
    EXPECT_EQ(Text("BtnParaName"), "Encoder");
    EXPECT_EQ(Text("EdtNameEditor"), "");
    EXPECT_EQ(Text("EdtValue"), "10");
    EXPECT_EQ(ComboText("CmbChannel"), "0");
    EXPECT_EQ(ComboText("CmbDataType"), "CC(Relative)");
    EXPECT_EQ(Get<QComboBox>("CmbControlMode")->currentIndex(), -1);
    EXPECT_FALSE(Get("CmbControlMode")->isEnabled());
    EXPECT_TRUE(Get<QCheckBox>("CbEnable")->isChecked());
    EXPECT_EQ(ComboText("CmbARPTime"), "1/4t");
    EXPECT_EQ(ComboText("CmbTranspose"), "0");
    EXPECT_EQ(VisibleHighlight(), 1);

    auto* edit = Get<QLineEdit>("EdtValue");
    EXPECT_EQ(edit->maxLength(), 3);
    EXPECT_EQ(edit->alignment() & Qt::AlignHCenter, Qt::AlignHCenter);

    const QString profile = QDir(Folder.Path()).filePath("customer.cus");
    EXPECT_EQ(Window->ProfilePath(), profile);
    EXPECT_EQ(
        QSettings(Folder.FilePath("System.ini"), QSettings::IniFormat).value("System/FilePath"),
        profile);
    EXPECT_EQ(Folder.Read("customer.cus").size(), 1728);
    EXPECT_DOUBLE_EQ(Window->windowOpacity(), 240.0 / 255.0);
}

TEST_F(WindowTest, TimersHaveTheirIntervalsAndOnlyTheConnectionCheckRuns) {
    Start();
    const std::pair<const char*, int> timers[] = {
        {"Timer3", 300}, {"TimerSyncFW", 100}, {"TimerSyncPC", 100}, {"TimerCheckUSB", 1000}};
    for (const auto& [name, interval] : timers) {
        auto* timer = Window->findChild<QTimer*>(QString::fromLatin1(name));
        ASSERT_NE(timer, nullptr) << name;
        EXPECT_EQ(timer->interval(), interval);
        EXPECT_EQ(timer->isActive(), QByteArray(name) == "TimerCheckUSB") << name;
    }
}

TEST_F(WindowTest, ProfileThatFailsToLoadLeavesTheDesignValuesAndOpensTheWindow) {
    ASSERT_TRUE(QDir(Folder.Path()).mkdir("customer.cus"));
    Start();
    EXPECT_EQ(Prompts.Errors(), QStringList{"File access denied."});
    EXPECT_TRUE(Window->isVisible());
    EXPECT_EQ(Text("EdtValue"), "1");
    EXPECT_EQ(Text("EdtNameEditor"), "[NAME]");
    EXPECT_EQ(ComboText("CmbControlMode"), "Momentary");
}

TEST_F(WindowTest, UnwritableSettingsFileIsReportedAndStartUpStopsThere) {
    ASSERT_TRUE(QDir(Folder.Path()).mkdir("System.ini"));
    Start();
    EXPECT_EQ(Prompts.Errors(),
              QStringList{"Unable to write to " +
                          QDir::toNativeSeparators(Folder.FilePath("System.ini")) + "."});
    EXPECT_FALSE(Folder.Exists("customer.cus"));
    EXPECT_EQ(Text("EdtValue"), "1");

    // The editor stays usable: controls select, and EXPORT saves what was edited.
    SelectControl(3);
    SetValue("64");
    SelectControl(5);
    Prompts.FileAnswers = {Folder.FilePath("kept.cus")};
    Click("BtnExport");
    EXPECT_EQ(Prompts.Errors().size(), 1);
    ParameterModel exported;
    LoadParaFromFile(exported, Folder.FilePath("kept.cus"), false);
    EXPECT_EQ(exported.Record(3).Value, 64);
    EXPECT_EQ(exported.Record(3).ParaName.Text(), "Knob 2");
}

TEST_F(WindowTest, StartUpLimitsTheChannelOfTheShownControl) {
    ParameterModel model;
    ResetPara(model);
    model.Record(1).Channel = 20;
    model.Record(1).EditorText.Assign("kept text");
    model.Record(1).Disable = 1;
    SaveParaToFile(model, Folder.FilePath("customer.cus"));
    Start();
    EXPECT_EQ(Window->Model().Record(1).Channel, 15);
    EXPECT_EQ(ComboText("CmbChannel"), "15");
    EXPECT_EQ(Text("EdtNameEditor"), "kept text");
    EXPECT_FALSE(Get<QCheckBox>("CbEnable")->isChecked());
}

TEST_F(WindowTest, ClosingTheWindowSavesNothing) {
    Start();
    const QByteArray before = Folder.Read("customer.cus");
    SetValue("99");
    SelectControl(2);
    Window->close();
    Window.reset();
    EXPECT_EQ(Folder.Read("customer.cus"), before);
    EXPECT_TRUE(Prompts.Log.empty());
}
