#include "model/ProfileFile.h"
#include "ErrorOf.h"
#include "ProfileBytes.h"
#include "TempFolder.h"
#include "model/FileError.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace {

ParameterModel DefaultModel() {
    ParameterModel model;
    ResetPara(model);
    return model;
}

} // namespace

TEST(ProfileFile, SavesTheDefaultsByteForByteAsTheLayoutGivesThem) {
    TempFolder folder;
    SaveParaToFile(DefaultModel(), folder.FilePath("p.cus"));
    const QByteArray written = folder.Read("p.cus");
    ASSERT_EQ(written.size(), 1728);
    EXPECT_EQ(written, DefaultProfileBytes());
}

TEST(ProfileFile, EncodesEveryFieldAtItsOffsetLittleEndian) {
    ControlRecord record;
    record.ParaName.Assign("Lead");
    record.EditorText.Assign("[NAME]");
    record.DataType = 3;
    record.ControlMode = -1;
    record.Value = 127;
    record.Channel = 15;
    record.Disable = 1;
    record.Settings = {1, 2, 3, 4, 5, 6, 7, -8};
    RecordSpec spec{"Lead", "[NAME]", 3, -1, 127, 15, 1, {1, 2, 3, 4, 5, 6, 7, -8}};
    const RecordBytes bytes = EncodeRecord(record);
    EXPECT_EQ(QByteArray(bytes.data(), RecordSize), RecordOf(spec));
}

TEST(ProfileFile, ShortenedNameKeepsTheOldTailOnDiskButLoadsOnlyTheNewName) {
    TempFolder folder;
    ParameterModel model = DefaultModel();
    model.Record(5).ParaName.Assign("Ab");
    SaveParaToFile(model, folder.FilePath("p.cus"));
    const QByteArray bytes = folder.Read("p.cus");
    const int record5 = 4 * 216;
    EXPECT_EQ(bytes[record5], 2);
    // "Volume Slider" was there before: its tail stays behind the new name.
    EXPECT_EQ(bytes.mid(record5 + 1, 13), QByteArray("Ablume Slider"));

    ParameterModel loaded;
    LoadParaFromFile(loaded, folder.FilePath("p.cus"), false);
    EXPECT_EQ(loaded.Record(5).ParaName.Text(), "Ab");
    SaveParaToFile(loaded, folder.FilePath("q.cus"));
    EXPECT_EQ(folder.Read("q.cus").mid(record5, 3), QByteArray("\x02"
                                                               "Ab"));
}

TEST(ProfileFile, LoadsWholeRecordsOnlyAndAtMostEight) {
    TempFolder folder;
    QByteArray three;
    for (int i = 1; i <= 3; ++i)
        three += RecordOf({"R" + QByteArray::number(i), "", 0, 0, i, 0, 0, {}});
    folder.Write("three.cus", three + QByteArray(100, 'x'));

    ParameterModel model = DefaultModel();
    LoadParaFromFile(model, folder.FilePath("three.cus"), false);
    EXPECT_EQ(model.Record(3).ParaName.Text(), "R3");
    EXPECT_EQ(model.Record(3).Value, 3);
    EXPECT_EQ(model.Record(4).ParaName.Text(), "Knob 3");
    EXPECT_EQ(model.Record(4).Value, 23);

    QByteArray ten;
    for (int i = 1; i <= 10; ++i)
        ten += RecordOf({"", "", 0, 0, i, 0, 0, {}});
    folder.Write("ten.cus", ten);
    LoadParaFromFile(model, folder.FilePath("ten.cus"), false);
    EXPECT_EQ(model.Record(8).Value, 8);

    folder.Write("long.cus", DefaultProfileBytes() + "\x01\x02");
    ParameterModel fromLong;
    LoadParaFromFile(fromLong, folder.FilePath("long.cus"), false);
    EXPECT_EQ(fromLong.Record(8).Value, 107);

    folder.Write("empty.cus", {});
    ParameterModel untouched = DefaultModel();
    LoadParaFromFile(untouched, folder.FilePath("empty.cus"), true);
    EXPECT_EQ(untouched.Record(1).Value, 10);
    EXPECT_EQ(untouched.Record(1).ParaName.Text(), "Encoder");
}

TEST(ProfileFile, LimitsTheChannelOnlyWhenAsked) {
    TempFolder folder;
    folder.Write("ch.cus",
                 RecordOf({"", "", 0, 0, 0, 20, 0, {}}) + RecordOf({"", "", 0, 0, 0, -3, 0, {}}));
    ParameterModel limited;
    LoadParaFromFile(limited, folder.FilePath("ch.cus"), true);
    EXPECT_EQ(limited.Record(1).Channel, 15);
    EXPECT_EQ(limited.Record(2).Channel, -3);
    ParameterModel unlimited;
    LoadParaFromFile(unlimited, folder.FilePath("ch.cus"), false);
    EXPECT_EQ(unlimited.Record(1).Channel, 20);
    EXPECT_EQ(unlimited.Record(2).Channel, -3);
}

TEST(ProfileFile, NameLengthAbove80LoadsTheFirst80Characters) {
    TempFolder folder;
    RecordSpec spec;
    spec.Name = QByteArray(80, 'n');
    spec.NameLengthByte = 200;
    folder.Write("len.cus", RecordOf(spec));
    ParameterModel model;
    LoadParaFromFile(model, folder.FilePath("len.cus"), false);
    EXPECT_EQ(model.Record(1).ParaName.Text(), QString(80, 'n'));
}

TEST(ProfileFile, NamesAreUtf8AndForeignBytesStillShow) {
    TempFolder folder;
    ParameterModel model = DefaultModel();
    model.Record(2).ParaName.Assign(QString::fromUtf8("Pad ä"));
    SaveParaToFile(model, folder.FilePath("u.cus"));
    EXPECT_EQ(folder.Read("u.cus").mid(216, 7), QByteArray("\x06Pad \xC3\xA4"));

    folder.Write("latin1.cus", RecordOf({"Caf\xE9", "", 0, 0, 0, 0, 0, {}}));
    ParameterModel loaded;
    LoadParaFromFile(loaded, folder.FilePath("latin1.cus"), false);
    EXPECT_EQ(loaded.Record(1).ParaName.Text(), QString::fromUtf8("Café"));
}

TEST(ProfileFile, LoadFailuresNameTheirCause) {
    TempFolder folder;
    ParameterModel model;
    EXPECT_EQ(ErrorOf([&] { LoadParaFromFile(model, folder.FilePath("none.cus"), true); }),
              "File not found");
    EXPECT_EQ(ErrorOf([&] { LoadParaFromFile(model, folder.FilePath("no/such/p.cus"), true); }),
              "Invalid filename");
    ASSERT_TRUE(QDir(folder.Path()).mkdir("dir.cus"));
    EXPECT_EQ(ErrorOf([&] { LoadParaFromFile(model, folder.FilePath("dir.cus"), true); }),
              "File access denied");
}

TEST(ProfileFile, WriteProtectedProfileLoadsButDoesNotSave) {
    TempFolder folder;
    const QString path = folder.FilePath("ro.cus");
    folder.Write("ro.cus", DefaultProfileBytes());
    // Read-only on Windows.
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadUser | QFile::ReadGroup |
                                                QFile::ReadOther));

    ParameterModel model;
    LoadParaFromFile(model, path, true);
    EXPECT_EQ(model.Record(7).ParaName.Text(), "Stop");

    model.Record(1).Value = 99;
    EXPECT_EQ(ErrorOf([&] { SaveParaToFile(model, path); }), "File access denied");
    EXPECT_EQ(folder.Read("ro.cus"), DefaultProfileBytes());
}

TEST(ProfileFile, FailedSaveLeavesTheOldProfileAndNoLitter) {
    TempFolder folder;
    ParameterModel model = DefaultModel();
    EXPECT_EQ(ErrorOf([&] { SaveParaToFile(model, folder.FilePath("missing/p.cus")); }),
              "Invalid filename");
    ASSERT_TRUE(QDir(folder.Path()).mkdir("dir.cus"));
    EXPECT_EQ(ErrorOf([&] { SaveParaToFile(model, folder.FilePath("dir.cus")); }),
              "File access denied");
    EXPECT_EQ(QDir(folder.Path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System),
              QStringList{"dir.cus"});
}

// Folders and names beyond ASCII, as the user's own folder may have them.
TEST(ProfileFile, SavesAndLoadsUnderAnyName) {
    TempFolder folder;
    ASSERT_TRUE(QDir(folder.Path()).mkdir(QString::fromUtf8("配置 ü")));
    const QString path = folder.FilePath(QString::fromUtf8("配置 ü/Profilé ü.cus"));
    ParameterModel model = DefaultModel();
    model.Record(2).Value = 42;
    SaveParaToFile(model, path);
    SaveParaToFile(model, path);
    ParameterModel loaded;
    LoadParaFromFile(loaded, path, false, ProfileSizeRule::ExactlyEightRecords);
    EXPECT_EQ(loaded.Record(2).Value, 42);
}

// FIFOs, devices, modes and symbolic links are POSIX's.
#ifndef _WIN32
TEST(ProfileFile, SavingLeavesAFifoAsItIs) {
    TempFolder folder;
    // A FIFO stays what it is, and so would a device (hbx740ctl read -o).
    const QString fifo = folder.FilePath("fifo.cus");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_EQ(ErrorOf([&] { SaveParaToFile(DefaultModel(), fifo); }), "Not a regular file");
    EXPECT_TRUE(QFileInfo(fifo).exists() && !QFileInfo(fifo).isFile());
    EXPECT_EQ(QDir(folder.Path())
                  .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot | QDir::System),
              QStringList{"fifo.cus"});
}

TEST(ProfileFile, SaveReplacesTheWholeFileAndKeepsItsPermissions) {
    TempFolder folder;
    const QString path = folder.FilePath("p.cus");
    folder.Write("p.cus", QByteArray(3000, 'z'));
    ASSERT_EQ(::chmod(QFile::encodeName(path).constData(), 0640), 0);
    SaveParaToFile(DefaultModel(), path);
    EXPECT_EQ(folder.Read("p.cus"), DefaultProfileBytes());
    struct stat st {};
    ASSERT_EQ(::stat(QFile::encodeName(path).constData(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST(ProfileFile, SavingThroughALinkWritesTheLinkedFile) {
    TempFolder folder;
    folder.Write("real.cus", {});
    ASSERT_TRUE(QFile::link(folder.FilePath("real.cus"), folder.FilePath("link.cus")));
    SaveParaToFile(DefaultModel(), folder.FilePath("link.cus"));
    EXPECT_TRUE(QFileInfo(folder.FilePath("link.cus")).isSymLink());
    EXPECT_EQ(folder.Read("real.cus"), DefaultProfileBytes());
}

TEST(ProfileFile, ReadsOnlyARegularFileAndOnRequestOnlyAWholeProfile) {
    TempFolder folder;
    const QString fifo = folder.FilePath("fifo.cus");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    // Held open, so that a reader that waits for a writer returns too.
    QFile writer(fifo);
    ASSERT_TRUE(writer.open(QIODevice::ReadWrite));
    folder.Write("long.cus", DefaultProfileBytes() + "\x01\x02");
    struct Case {
        QString Path;
        ProfileSizeRule Rule;
        std::string Error;
    };
    const Case cases[] = {
        {fifo, ProfileSizeRule::WholeRecords, "Not a regular file"},
        {"/dev/zero", ProfileSizeRule::WholeRecords, "Not a regular file"},
        {folder.FilePath("long.cus"), ProfileSizeRule::ExactlyEightRecords,
         "Not a profile: 1730 bytes, where a profile has 1728"},
    };
    for (const Case& c : cases) {
        ParameterModel model = DefaultModel();
        model.Record(1).Value = 99;
        EXPECT_EQ(ErrorOf([&] { LoadParaFromFile(model, c.Path, false, c.Rule); }).toStdString(),
                  c.Error)
            << c.Path.toStdString();
        EXPECT_EQ(model.Record(1).Value, 99);
    }
}
#endif
