#include "ProfileBytes.h"
#include "ProfileFile.h"
#include "SettingsFile.h"
#include "StartupProfile.h"
#include "TempFolder.h"

#include <QDir>
#include <QSettings>
#include <gtest/gtest.h>

namespace {

QString StoredProfilePath(const ProgramFiles& files) {
    return QSettings(files.SettingsFile(), QSettings::IniFormat)
        .value("System/FilePath")
        .toString();
}

struct Startup {
    TempFolder Folder;
    ProgramFiles Files{Folder.Path()};
    ParameterModel Model;
    QString ProfilePath;
    int Resets = 0;

    void Run() {
        ReadSettingsFile(ProfilePath, Files);
        Model.SelectedControl = 1;
        LoadStartupProfile(Model, ProfilePath, Files, [this] {
            ++Resets;
            ResetPara(Model);
        });
    }
};

} // namespace

TEST(Startup, FirstStartWritesTheSettingsAndTheDefaultProfile) {
    Startup s;
    s.Run();
    EXPECT_EQ(s.ProfilePath, s.Files.DefaultProfile());
    EXPECT_EQ(StoredProfilePath(s.Files), s.Files.DefaultProfile());
    EXPECT_EQ(s.Folder.Read("customer.cus"), DefaultProfileBytes());
    EXPECT_EQ(s.Resets, 1);
    for (int n = 1; n <= 8; ++n)
        EXPECT_TRUE(s.Model.Record(n).EditorText.IsEmpty());
}

TEST(Startup, SettingsWithoutTheKeyGainIt) {
    Startup s;
    s.Folder.Write("System.ini", "[Other]\nx=1\n");
    s.Run();
    EXPECT_EQ(StoredProfilePath(s.Files), s.Files.DefaultProfile());
    EXPECT_EQ(QSettings(s.Files.SettingsFile(), QSettings::IniFormat).value("Other/x").toInt(), 1);
}

TEST(Startup, LoadsTheNamedProfileWithTheChannelLimitAndNoDefaults) {
    Startup s;
    const QString named = s.Folder.FilePath("mine.cus");
    QSettings(s.Files.SettingsFile(), QSettings::IniFormat).setValue("System/FilePath", named);
    s.Folder.Write("mine.cus", RecordOf({"A", "", 1, 0, 5, 20, 0, {}}) +
                                   RecordOf({"B", "", 1, 0, 6, -3, 0, {}}) +
                                   RecordOf({"C", "", 1, 0, 7, 2, 0, {}}));
    s.Run();
    EXPECT_EQ(s.ProfilePath, named);
    EXPECT_EQ(s.Resets, 0);
    EXPECT_EQ(s.Model.Record(1).Channel, 15);
    EXPECT_EQ(s.Model.Record(2).Channel, -3);
    // No defaults are applied when the file exists.
    EXPECT_EQ(s.Model.Record(4).Value, 0);
    EXPECT_TRUE(s.Model.Record(4).ParaName.IsEmpty());
    EXPECT_FALSE(s.Folder.Exists("customer.cus"));
}

TEST(Startup, EmptyProfileChangesNothing) {
    Startup s;
    s.Folder.Write("customer.cus", {});
    s.Run();
    EXPECT_EQ(s.Resets, 0);
    EXPECT_EQ(s.Model.Record(1).Value, 0);
    EXPECT_EQ(s.Folder.Read("customer.cus"), QByteArray());
}

TEST(Startup, MissingNamedProfileFallsBackToTheDefaultOneAndKeepsTheSettings) {
    Startup s;
    const QString gone = s.Folder.FilePath("gone.cus");
    QSettings(s.Files.SettingsFile(), QSettings::IniFormat).setValue("System/FilePath", gone);
    s.Run();
    EXPECT_EQ(s.ProfilePath, s.Files.DefaultProfile());
    EXPECT_EQ(s.Folder.Read("customer.cus"), DefaultProfileBytes());
    EXPECT_EQ(StoredProfilePath(s.Files), gone);
}

TEST(Startup, MissingNamedProfileLoadsAnExistingDefaultProfileRatherThanOverwritingIt) {
    Startup s;
    QSettings(s.Files.SettingsFile(), QSettings::IniFormat)
        .setValue("System/FilePath", s.Folder.FilePath("gone.cus"));
    const QByteArray kept = RecordOf({"Kept", "", 2, 0, 77, 40, 0, {}});
    s.Folder.Write("customer.cus", kept);
    s.Run();
    EXPECT_EQ(s.Resets, 0);
    EXPECT_EQ(s.Model.Record(1).Value, 77);
    EXPECT_EQ(s.Model.Record(1).Channel, 15);
    EXPECT_EQ(s.Folder.Read("customer.cus"), kept);
}

TEST(Startup, UnwritableSettingsFileFailsWithItsPathAfterChoosingTheDefault) {
    Startup s;
    ASSERT_TRUE(QDir(s.Folder.Path()).mkdir("System.ini"));
    try {
        ReadSettingsFile(s.ProfilePath, s.Files);
        FAIL() << "no error";
    } catch (const std::exception& error) {
        EXPECT_EQ(QString::fromUtf8(error.what()),
                  "Unable to write to " + QDir::toNativeSeparators(s.Files.SettingsFile()));
    }
    EXPECT_EQ(s.ProfilePath, s.Files.DefaultProfile());
}
