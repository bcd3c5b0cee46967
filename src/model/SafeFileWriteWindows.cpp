#include "model/SafeFileWrite.h"

#include "model/EditorError.h"
#include "model/FileError.h"
#include "model/UniqueHandle.h"
#include "model/WindowsFile.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>

namespace {

// What a temporary name adds to the target's: ".", ".<8 hex digits>.tmp".
constexpr qsizetype TemporaryNameBytes = 14;
// The longest name, in bytes of UTF-8 (see FitFileName).
constexpr qsizetype LongestName = 255;

void WriteExactly(HANDLE file, const QByteArray& content, const QString& path) {
    const char* data = content.constData();
    auto size = static_cast<std::size_t>(content.size());
    while (size > 0) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD n = 0;
        if (!::WriteFile(file, data, chunk, &n, nullptr))
            RaiseLastFileError(path);
        if (n == 0)
            throw EditorError(FileErrorText::DiskFull);
        data += n;
        size -= n;
    }
}

void Flush(HANDLE file, const QString& path) {
    if (!::FlushFileBuffers(file))
        RaiseLastFileError(path);
}

// Where the bytes finally go: the file a symbolic link points at, so that
// writing through a link keeps the link.
QString WriteTarget(const QString& path) {
    const QFileInfo info(path);
    if (info.isSymbolicLink() && info.exists())
        return info.canonicalFilePath();
    return path;
}

// The file is replaced rather than rewritten in place, so refuse here what
// writing in place would refuse: a folder, a device, or a read-only file.
// True when there is a file to replace.
bool CheckReplaceable(const QString& target) {
    // Opened for its attributes alone, which acts on no device and, with
    // backup semantics, opens a folder too.
    const UniqueHandle file(::CreateFileW(WidePath(target).c_str(), FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                          nullptr));
    if (!file.Valid()) {
        if (::GetLastError() == ERROR_FILE_NOT_FOUND)
            return false;
        RaiseLastFileError(target);
    }
    RequireRegularFile(file.Get(), target);
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(file.Get(), &info))
        RaiseLastFileError(target);
    if (info.dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        RaiseFileError(EACCES, target);
    return true;
}

// A new file beside the target that takes the target's place only when it is
// complete; until then the target stays as it was, and a file left unfinished
// is removed. Opening may fail (a folder that takes no new file): Valid() is
// then false and Error() tells why.
class TemporaryFile {
public:
    explicit TemporaryFile(const QString& target) : Target(target) {
        const QFileInfo info(target);
        const QString stem = FitFileName(info.fileName(), TemporaryNameBytes);
        for (;;) {
            const QString number =
                QString::number(QRandomGenerator::global()->generate(), 16).rightJustified(8, u'0');
            Path = WidePath(info.dir().filePath(QStringLiteral(".%1.%2.tmp").arg(stem, number)));
            File = std::make_unique<UniqueHandle>(::CreateFileW(Path.c_str(), GENERIC_WRITE, 0,
                                                                nullptr, CREATE_NEW,
                                                                FILE_ATTRIBUTE_NORMAL, nullptr));
            OpenError = File->Valid() ? ERROR_SUCCESS : ::GetLastError();
            if (OpenError != ERROR_FILE_EXISTS && OpenError != ERROR_ALREADY_EXISTS)
                break;
        }
        Committed = !File->Valid();
    }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    ~TemporaryFile() {
        if (Committed)
            return;
        File->Close();
        ::DeleteFileW(Path.c_str());
    }

    bool Valid() const { return File->Valid(); }
    HANDLE Get() const { return File->Get(); }
    DWORD Error() const { return OpenError; }

    // Puts the file in the target's place in one step of the file system: a
    // failure leaves the target as it was. (ReplaceFileW would keep the
    // target's access rules, but one of its failures without a backup name
    // leaves no file under the target's name.)
    void Commit() {
        Flush(Get(), Target);
        if (!File->Close())
            RaiseLastFileError(Target);
        if (!::MoveFileExW(Path.c_str(), WidePath(Target).c_str(),
                           MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            RaiseLastFileError(Target);
        Committed = true;
    }

private:
    QString Target;
    std::wstring Path;
    std::unique_ptr<UniqueHandle> File;
    DWORD OpenError = ERROR_SUCCESS;
    bool Committed = false;
};

// Rewrites the existing file itself, for when no new file can go beside it:
// the bytes are written over the old ones and the file cut to their length.
// The room for a longer content is reserved first, so that a full disk fails
// before any old byte is overwritten.
void WriteInPlace(const QString& target, const QByteArray& content) {
    UniqueHandle file(::CreateFileW(WidePath(target).c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        RaiseLastFileError(target);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file.Get(), &size))
        RaiseLastFileError(target);
    const auto setEnd = [&](qint64 at) {
        LARGE_INTEGER position{};
        position.QuadPart = at;
        return ::SetFilePointerEx(file.Get(), position, nullptr, FILE_BEGIN) &&
               ::SetEndOfFile(file.Get());
    };
    if (content.size() > size.QuadPart && !setEnd(content.size())) {
        const DWORD error = ::GetLastError();
        // A reservation that failed part-way may have grown the file.
        if (!setEnd(size.QuadPart))
            RaiseLastFileError(target);
        RaiseWindowsFileError(error, target);
    }
    LARGE_INTEGER start{};
    if (!::SetFilePointerEx(file.Get(), start, nullptr, FILE_BEGIN))
        RaiseLastFileError(target);
    WriteExactly(file.Get(), content, target);
    if (!setEnd(content.size()))
        RaiseLastFileError(target);
    Flush(file.Get(), target);
    if (!file.Close())
        RaiseLastFileError(target);
}

} // namespace

void WriteFileSafely(const QString& path, const QByteArray& content, mode_t) {
    const QString target = WriteTarget(path);
    const bool exists = CheckReplaceable(target);
    TemporaryFile file(target);
    if (!file.Valid()) {
        // A writable file in a folder that takes no new file stays writable.
        if (!exists)
            RaiseWindowsFileError(file.Error(), target);
        WriteInPlace(target, content);
        return;
    }
    WriteExactly(file.Get(), content, target);
    file.Commit();
}

QString FitFileName(const QString& name, qsizetype addedBytes) {
    // NTFS takes 255 UTF-16 units. A name of 255 bytes of UTF-8 never has more
    // units, and also fits the shares and Wine's folders that lie on a POSIX
    // file system, whose limit is 255 bytes.
    const QByteArray utf8 = name.toUtf8();
    qsizetype cut = std::max<qsizetype>(LongestName - addedBytes, 0);
    if (utf8.size() <= cut)
        return name;
    // Back to the first byte of a character (continuation bytes are 10xxxxxx).
    while (cut > 0 && (static_cast<unsigned char>(utf8[cut]) & 0xC0) == 0x80)
        --cut;
    return QString::fromUtf8(utf8.left(cut));
}
