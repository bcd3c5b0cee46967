#include "model/FileReader.h"

#include "model/FileError.h"
#include "model/UniqueFd.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

struct FileReader::Open {
    explicit Open(int fd) : Fd(fd) {}
    UniqueFd Fd;
};

namespace {

void RequireRegularFile(const struct stat& st, const QString& path) {
    if (S_ISDIR(st.st_mode))
        RaiseFileError(EISDIR, path);
    if (!S_ISREG(st.st_mode))
        throw EditorError(FileErrorText::NotARegularFile);
}

} // namespace

FileReader::FileReader(const QString& path) : Path(path) {
    const QByteArray name = QFile::encodeName(path);
    // Looked at before it is opened, since opening a device may already act on
    // it; and again once open, for a file replaced in between, which opening
    // without blocking keeps from holding the reader if it is a FIFO.
    struct stat st {};
    if (::stat(name.constData(), &st) != 0)
        RaiseFileError(errno, path);
    RequireRegularFile(st, path);
    File = std::make_unique<Open>(
        ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (File->Fd.Get() < 0)
        RaiseFileError(errno, path);
    if (::fstat(File->Fd.Get(), &st) != 0)
        RaiseFileError(errno, path);
    RequireRegularFile(st, path);
    Bytes = st.st_size;
}

FileReader::~FileReader() = default;

void FileReader::ReadExactly(char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::read(File->Fd.Get(), data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            RaiseFileError(errno, Path);
        if (n == 0)
            throw EditorError(FileErrorText::ReadBeyondEnd);
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void FileReader::Close() {
    if (File->Fd.Close() != 0)
        RaiseFileError(errno, Path);
}
