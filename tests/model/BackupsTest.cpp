#include "TempFolder.h"
#include "model/EditingSession.h"
#include "model/ProfileBackups.h"
#include "model/ProfileFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

void PutBackup(const TempFolder& folder, const QString& name, const QDateTime& time) {
    folder.Write(name, name.toUtf8());
    QFile file(folder.FilePath(name));
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

QStringList BackupsOf(const TempFolder& folder, const QString& stem) {
    const QRegularExpression name('^' + QRegularExpression::escape(stem) +
                                  "-[0-9]{8}-[0-9]{6}(-[0-9]+)?\\.cus$");
    return QDir(folder.Path()).entryList(QDir::Files).filter(name);
}

} // namespace

// Each profile keeps its own newest fifty, whatever the keyboard's backups or
// a profile whose name looks like one of them do.
TEST(Backups, TheNewestFiftyOfEachProfileAreKept) {
    TempFolder folder;
    const QDateTime now = QDateTime::currentDateTime();
    const QStringList others{"keyboard", "customer-20250101-120000", "customer.x"};
    for (int n = 0; n < 55; ++n) {
        const QDateTime time = now.addSecs(n - 100);
        const QString stamp = time.toString("yyyyMMdd-HHmmss");
        PutBackup(folder, "customer-" + stamp + ".cus", time);
        for (const QString& other : others)
            PutBackup(folder, other + '-' + stamp + ".cus", time.addSecs(-1000));
    }
    PutBackup(folder, "notes.cus", now.addSecs(-5000));
    const QString kept = ProfileBackups(folder.Path()).Keep("customer", "new");

    const QStringList left = BackupsOf(folder, "customer");
    EXPECT_EQ(left.size(), ProfileBackups::Kept);
    for (int n = 0; n < 6; ++n)
        EXPECT_FALSE(
            left.contains("customer-" + now.addSecs(n - 100).toString("yyyyMMdd-HHmmss") + ".cus"))
            << n;
    for (const QString& other : others)
        EXPECT_EQ(BackupsOf(folder, other).size(), 55) << other.toStdString();
    EXPECT_TRUE(folder.Exists("notes.cus"));
    EXPECT_TRUE(kept.startsWith(folder.FilePath("customer-" + now.toString("yyyyMMdd"))));
    EXPECT_EQ(folder.Read(QFileInfo(kept).fileName()), "new");
}

TEST(Backups, AnUnchangedProfileIsNotKeptTwice) {
    TempFolder folder;
    const ProfileBackups backups(folder.Path());
    const QString first = backups.Keep("keyboard", "same");
    EXPECT_EQ(backups.Keep("keyboard", "same"), first);
    EXPECT_NE(backups.Keep("customer", "same"), first);
    EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

// A name fits the file system's 255 bytes with its date and number, cut only
// between characters, and keeps what the profile is called as it stands.
TEST(Backups, NamesFitTheFileSystemAndKeepTheProfilesName) {
    for (const QString& stem :
         {QString("%1 %2"), QString(250, 'a'), QString(125, u'ü'), QString("😀").repeated(62)}) {
        TempFolder folder;
        const ProfileBackups backups(folder.Path());
        // Two in the same second take a number.
        for (const QByteArray content : {"1", "2"}) {
            const QString name = QFileInfo(backups.Keep(stem, content)).fileName();
            EXPECT_LE(name.toUtf8().size(), 255) << name.toStdString();
            const QString kept = name.left(name.indexOf(QRegularExpression("-[0-9]{8}-[0-9]{6}")));
            EXPECT_TRUE(stem.startsWith(kept) && kept.size() >= stem.size() / 2)
                << name.toStdString();
            EXPECT_FALSE(kept.contains(QChar::ReplacementCharacter));
            EXPECT_EQ(folder.Read(name), content);
        }
    }
}

TEST(Backups, OnlyAChangedFileIsKeptAndAnUnwritableFolderDoesNotStopTheSave) {
    TempFolder folder;
    const QString path = folder.FilePath("customer.cus");
    EditingSession session;
    ResetPara(session.Model());
    session.ExportTo(path);
    const QByteArray before = folder.Read("customer.cus");
    session.Open(path);
    session.KeepBackups(ProfileBackups(folder.FilePath("backups")));

    session.Save();
    session.Model().Record(1).Value = 99;
    session.Save();
    const QDir backups(folder.FilePath("backups"));
    const QStringList kept = backups.entryList({"customer-*.cus"}, QDir::Files);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_EQ(folder.Read("backups/" + kept.front()), before);

    // A file where the backup folder should be.
    session.KeepBackups(ProfileBackups(path));
    session.Model().Record(1).Value = 98;
    session.Save();
    ParameterModel saved;
    LoadParaFromFile(saved, path, false);
    EXPECT_EQ(saved.Record(1).Value, 98);
}

// The temporary name of a save grows the profile's name; the profile's own
// name is never cut.
TEST(Backups, AProfileWithALongNameIsSavedAndBackedUp) {
    for (const QString& name : {QString(246, 'a'), QString(125, u'ü')}) {
        TempFolder folder;
        const QString path = folder.FilePath(name + ".cus");
        EditingSession session;
        session.ExportTo(path);
        session.Open(path);
        session.KeepBackups(ProfileBackups(folder.FilePath("backups")));
        session.Model().Record(1).Value = 99;
        session.Save();

        ParameterModel saved;
        LoadParaFromFile(saved, path, false);
        EXPECT_EQ(saved.Record(1).Value, 99);
        EXPECT_EQ(QDir(folder.FilePath("backups")).entryList(QDir::Files | QDir::Hidden).size(), 1);
        EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
    }
}

TEST(Backups, AProfileNamedBeyondAsciiIsBackedUpUnderItsName) {
    TempFolder folder;
    const QString path = folder.FilePath(QString::fromUtf8("Profilé ü.cus"));
    EditingSession session;
    session.ExportTo(path);
    session.Open(path);
    session.KeepBackups(ProfileBackups(folder.FilePath(QString::fromUtf8("配置"))));
    session.Model().Record(1).Value = 99;
    session.Save();
    const QStringList kept =
        QDir(folder.FilePath(QString::fromUtf8("配置"))).entryList(QDir::Files | QDir::Hidden);
    ASSERT_EQ(kept.size(), 1);
    EXPECT_TRUE(kept.front().startsWith(QString::fromUtf8("Profilé ü-")))
        << kept.front().toStdString();
}
