#include "ErrorOf.h"
#include "TempFolder.h"
#include "model/EditingSession.h"
#include "model/ProfileFile.h"
#include "model/SettingsFile.h"

#include <QDir>
#include <QFile>
#include <csignal>
#include <gtest/gtest.h>
#include <random>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

// Real file-system faults: a full disk and a read-only file system (small
// tmpfs mounts, which need root), and a save killed at random moments.
namespace {

ParameterModel ModelWithValue(int value) {
    ParameterModel model;
    ResetPara(model);
    model.Record(1).Value = value;
    return model;
}

QByteArray BytesOf(const ParameterModel& model) {
    QByteArray bytes;
    for (int n = 1; n <= ControlCount; ++n)
        bytes.append(EncodeRecord(model.Record(n)).data(), RecordSize);
    return bytes;
}

// A tmpfs of `size` mounted on a scratch folder for the test's lifetime.
class SmallDisk {
public:
    explicit SmallDisk(const char* size) {
        const QByteArray options = QByteArray("size=") + size;
        Mounted = ::mount("tmpfs", QFile::encodeName(Folder.Path()).constData(), "tmpfs", 0,
                          options.constData()) == 0;
    }
    ~SmallDisk() {
        if (Mounted)
            ::umount2(QFile::encodeName(Folder.Path()).constData(), MNT_DETACH);
    }
    bool MakeReadOnly() {
        return ::mount("tmpfs", QFile::encodeName(Folder.Path()).constData(), "tmpfs",
                       MS_REMOUNT | MS_RDONLY, nullptr) == 0;
    }

    TempFolder Folder;
    bool Mounted = false;
};

// Takes every byte the disk has left.
void FillUp(const SmallDisk& disk) {
    QFile filler(disk.Folder.FilePath("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    while (filler.write(QByteArray(512, 'f')) == 512) {
    }
}

} // namespace

TEST(FileFaults, FullDiskKeepsTheOldProfileAndSaysDiskFull) {
    SmallDisk disk("8k");
    if (!disk.Mounted)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString path = disk.Folder.FilePath("customer.cus");
    SaveParaToFile(ModelWithValue(1), path);
    // Takes the one page left.
    QFile filler(disk.Folder.FilePath("filler"));
    ASSERT_TRUE(filler.open(QIODevice::WriteOnly));
    filler.write(QByteArray(4096, 'f'));
    filler.close();

    EXPECT_EQ(ErrorOf([&] { SaveParaToFile(ModelWithValue(2), path); }), "Disk full");
    EXPECT_EQ(disk.Folder.Read("customer.cus"), BytesOf(ModelWithValue(1)));
    EXPECT_EQ(QDir(disk.Folder.Path()).entryList(QDir::Files | QDir::Hidden).size(), 2);
}

TEST(FileFaults, ReadOnlyFileSystemDeniesSavingButLoads) {
    SmallDisk disk("64k");
    if (!disk.Mounted)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    const QString path = disk.Folder.FilePath("customer.cus");
    SaveParaToFile(ModelWithValue(3), path);
    ASSERT_TRUE(disk.MakeReadOnly());

    EXPECT_EQ(ErrorOf([&] { SaveParaToFile(ModelWithValue(4), path); }), "File access denied");
    EXPECT_EQ(ErrorOf([&] { SaveParaToFile(ModelWithValue(4), disk.Folder.FilePath("new.cus")); }),
              "File access denied");
    ParameterModel loaded;
    LoadParaFromFile(loaded, path, true);
    EXPECT_EQ(loaded.Record(1).Value, 3);

    QString profilePath;
    EXPECT_EQ(ErrorOf([&] { ReadSettingsFile(profilePath, ProgramFiles{disk.Folder.Path()}); }),
              "Unable to write to " + QDir::toNativeSeparators(disk.Folder.FilePath("System.ini")));
}

TEST(FileFaults, SaveKilledAtAnyMomentLeavesTheOldOrTheNewProfile) {
    TempFolder folder;
    const QString path = folder.FilePath("customer.cus");
    const ParameterModel first = ModelWithValue(10);
    const ParameterModel second = ModelWithValue(20);
    SaveParaToFile(first, path);
    const QByteArray firstBytes = BytesOf(first);
    const QByteArray secondBytes = BytesOf(second);

    std::mt19937 random(740);
    std::uniform_int_distribution<int> momentUs(0, 3000);
    for (int round = 0; round < 200; ++round) {
        const pid_t saver = ::fork();
        ASSERT_GE(saver, 0);
        if (saver == 0) {
            for (int i = 0;; ++i)
                SaveParaToFile(i % 2 == 0 ? second : first, path);
        }
        ::usleep(static_cast<useconds_t>(momentUs(random)));
        ::kill(saver, SIGKILL);
        int status = 0;
        ::waitpid(saver, &status, 0);
        const QByteArray now = folder.Read("customer.cus");
        ASSERT_TRUE(now == firstBytes || now == secondBytes)
            << "round " << round << ": " << now.size() << " bytes";
    }
}

// Root saving a user's profile leaves it the user's; a user's profile in a
// folder the user cannot write to stays savable, in place.
TEST(FileFaults, SavingKeepsTheOwnerAndWritesInPlaceWhereNoNewFileCanGo) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "changing owners needs root";
    constexpr uid_t user = 65534;
    constexpr gid_t group = 65534;
    TempFolder folder;
    const QString path = folder.FilePath("customer.cus");
    const QByteArray native = QFile::encodeName(path);
    SaveParaToFile(ModelWithValue(1), path);
    ASSERT_EQ(::chown(native.constData(), user, group), 0);
    ASSERT_EQ(::chmod(native.constData(), 0640), 0);

    SaveParaToFile(ModelWithValue(2), path);
    struct stat st {};
    ASSERT_EQ(::stat(native.constData(), &st), 0);
    EXPECT_EQ(st.st_uid, user);
    EXPECT_EQ(st.st_gid, group);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.Read("customer.cus"), BytesOf(ModelWithValue(2)));

    ASSERT_EQ(::chmod(QFile::encodeName(folder.Path()).constData(), 0755), 0);
    const pid_t saver = ::fork();
    ASSERT_GE(saver, 0);
    if (saver == 0) {
        if (::setgid(group) != 0 || ::setuid(user) != 0)
            ::_exit(2);
        ::_exit(ErrorOf([&] { SaveParaToFile(ModelWithValue(3), path); }) == "(no error)" ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(saver, &status, 0), saver);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(folder.Read("customer.cus"), BytesOf(ModelWithValue(3)));
    EXPECT_EQ(QDir(folder.Path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

// A user's settings in a folder the user cannot write to stay writable, in
// place; a full disk leaves them as they were, in place or not.
TEST(FileFaults, SettingsAreWrittenInPlaceWhereNoNewFileCanGoButNeverHalfway) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "changing owners needs root";
    SmallDisk disk("16k");
    if (!disk.Mounted)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    constexpr uid_t user = 65534;
    const QString file = disk.Folder.FilePath("System.ini");
    WriteDeviceChoice(file, {"in", "out"});
    ASSERT_EQ(::chown(QFile::encodeName(file).constData(), user, user), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(disk.Folder.Path()).constData(), 0755), 0);
    const auto writtenByUser = [&](const DeviceChoice& choice) {
        const pid_t writer = ::fork();
        if (writer == 0) {
            if (::setgid(user) != 0 || ::setuid(user) != 0)
                ::_exit(2);
            ::_exit(ErrorOf([&] { WriteDeviceChoice(file, choice); }) == "(no error)" ? 0 : 1);
        }
        int status = 0;
        return writer > 0 && ::waitpid(writer, &status, 0) == writer && WIFEXITED(status) &&
               WEXITSTATUS(status) == 0;
    };
    EXPECT_TRUE(writtenByUser({"in 2", "out"}));
    const QByteArray before = disk.Folder.Read("System.ini");
    EXPECT_TRUE(before.contains("InputPort=in 2"));
    FillUp(disk);

    const DeviceChoice large{QString(10000, 'i'), "out"};
    EXPECT_FALSE(writtenByUser(large));
    EXPECT_EQ(ErrorOf([&] { WriteDeviceChoice(file, large); }),
              "Unable to write to " + QDir::toNativeSeparators(file));
    EXPECT_EQ(disk.Folder.Read("System.ini"), before);
    EXPECT_EQ(QDir(disk.Folder.Path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{"filler", "System.ini"}));
}

TEST(FileFaults, BackupOnAFullDiskLeavesNoPieceAndTheSaveGoesOn) {
    SmallDisk backupDisk("8k");
    if (!backupDisk.Mounted)
        GTEST_SKIP() << "mounting a tmpfs needs root";
    FillUp(backupDisk);

    TempFolder folder;
    const QString path = folder.FilePath("customer.cus");
    SaveParaToFile(ModelWithValue(1), path);
    EditingSession session;
    session.Open(path);
    session.KeepBackups(ProfileBackups(backupDisk.Folder.Path()));
    session.Model().Record(1).Value = 2;
    session.Save();

    EXPECT_EQ(folder.Read("customer.cus"), BytesOf(ModelWithValue(2)));
    EXPECT_EQ(QDir(backupDisk.Folder.Path()).entryList(QDir::Files | QDir::Hidden),
              QStringList{"filler"});
}
