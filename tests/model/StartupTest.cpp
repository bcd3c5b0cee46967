#include "ProfileBytes.h"
#include "TempFolder.h"
#include "model/ProfileFile.h"
#include "model/SettingsFile.h"
#include "model/StartupProfile.h"

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

TEST(Startup, SettingsKeepAProfilePathWhateverItHolds) {
    TempFolder base;
    const QString odd = QStringLiteral("live, set; v=2 #1 ümlaut");
    ASSERT_TRUE(QDir(base.Path()).mkdir(odd));
    const ProgramFiles files{base.FilePath(odd)};
    QString first, second;
    ReadSettingsFile(first, files);
    ReadSettingsFile(second, files);
    EXPECT_EQ(first, files.DefaultProfile());
    EXPECT_EQ(second, first);

    // Written by hand, without the quotes Qt would put around it.
    base.Write("System.ini", "[Other]\nFilePath=x\n[System]\nFilePath = /home/u/a, b;c.cus \n");
    QString handWritten;
    ReadSettingsFile(handWritten, ProgramFiles{base.Path()});
    EXPECT_EQ(handWritten, "/home/u/a, b;c.cus");

    // Remembering the keyboard's ports rewrites the file and keeps the path whole.
    WriteDeviceChoice(ProgramFiles{base.Path()}.SettingsFile(), {"in, 1", "out; 2"});
    EXPECT_EQ(ReadProfileSetting(base.FilePath("System.ini")), "/home/u/a, b;c.cus");
    EXPECT_EQ(ReadDeviceChoice(base.FilePath("System.ini")), (DeviceChoice{"in, 1", "out; 2"}));
}

#ifdef _WIN32
// The installer's marker makes a copy installed, wherever it lies and whoever
// may write there; the files then go to the user's roaming folder.
TEST(Startup, TheInstallersMarkerKeepsTheFilesInAppData) {
    TempFolder appData, program;
    const QByteArray oldAppData = qgetenv("APPDATA");
    qputenv("APPDATA", appData.Path().toLocal8Bit());
    const ProgramFiles portable = ProgramFiles::Locate(program.Path(), program.Path());
    program.Write(ProgramFiles::InstalledMarker, "");
    const ProgramFiles installed = ProgramFiles::Locate(program.Path(), QString());
    qputenv("APPDATA", oldAppData);

    EXPECT_EQ(portable.SettingsFile(), program.FilePath("System.ini"));
    EXPECT_EQ(installed.SettingsFile(), appData.FilePath("HBX740/System.ini"));
    EXPECT_EQ(installed.DefaultProfile(), appData.FilePath("HBX740/customer.cus"));
    EXPECT_EQ(installed.BackupFolder(), appData.FilePath("HBX740/backups"));
    ParameterModel model;
    QString profilePath;
    ReadSettingsFile(profilePath, installed);
    LoadStartupProfile(model, profilePath, installed, [&] { ResetPara(model); });
    EXPECT_EQ(appData.Read("HBX740/customer.cus"), DefaultProfileBytes());
    EXPECT_EQ(QDir(program.Path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
              QStringList{ProgramFiles::InstalledMarker});
}
#else
// An installed copy keeps its files in the user's folders, never beside itself.
TEST(Startup, InstalledCopyKeepsItsFilesInTheUsersFolders) {
    TempFolder home, program;
    qputenv("XDG_CONFIG_HOME", home.FilePath("config").toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.FilePath("data").toLocal8Bit());
    const ProgramFiles installed = ProgramFiles::Locate(program.Path(), program.Path());
    const ProgramFiles portable = ProgramFiles::Locate(program.Path(), home.FilePath("bin"));
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DATA_HOME");

    EXPECT_EQ(installed.SettingsFile(), home.FilePath("config/HBX740/System.ini"));
    EXPECT_EQ(installed.DefaultProfile(), home.FilePath("data/HBX740/customer.cus"));
    EXPECT_EQ(portable.SettingsFile(), program.FilePath("System.ini"));
    ParameterModel model;
    QString profilePath;
    ReadSettingsFile(profilePath, installed);
    LoadStartupProfile(model, profilePath, installed, [&] { ResetPara(model); });
    EXPECT_EQ(StoredProfilePath(installed), installed.DefaultProfile());
    EXPECT_EQ(home.Read("data/HBX740/customer.cus"), DefaultProfileBytes());
    EXPECT_TRUE(QDir(program.Path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}
#endif
