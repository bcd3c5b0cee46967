#include "TempFolder.h"
#include "model/EditingSession.h"
#include "model/ProfileBackups.h"
#include "model/ProfileFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

TEST(Backups, TheNewestFiftyAreKept) {
    TempFolder folder;
    const QDateTime now = QDateTime::currentDateTime();
    for (int n = 0; n < 55; ++n) {
        const QString name = QStringLiteral("old%1.cus").arg(n);
        folder.Write(name, QByteArray::number(n));
        QFile file(folder.FilePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.setFileTime(now.addSecs(n - 100), QFileDevice::FileModificationTime));
    }
    const QString kept = ProfileBackups(folder.Path()).Keep("customer", "new");

    const QStringList left = QDir(folder.Path()).entryList({"*.cus"}, QDir::Files);
    EXPECT_EQ(left.size(), ProfileBackups::Kept);
    for (int n = 0; n < 6; ++n)
        EXPECT_FALSE(left.contains(QStringLiteral("old%1.cus").arg(n))) << n;
    EXPECT_TRUE(kept.startsWith(folder.FilePath("customer-" + now.toString("yyyyMMdd"))));
    EXPECT_EQ(folder.Read(QFileInfo(kept).fileName()), "new");
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
