#include "model/FileReader.h"

#include "model/FileError.h"
#include "model/UniqueHandle.h"
#include "model/WindowsFile.h"

#include <algorithm>

struct FileReader::Open {
    explicit Open(HANDLE handle) : Handle(handle) {}
    UniqueHandle Handle;
};

FileReader::FileReader(const QString& path) : Path(path) {
    // Other programs may go on reading and writing the file, as on POSIX. A
    // folder does not open for reading, which is "File access denied" as
    // there.
    File = std::make_unique<Open>(::CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!File->Handle.Valid())
        RaiseLastFileError(path);
    RequireRegularFile(File->Handle.Get(), path);
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(File->Handle.Get(), &size))
        RaiseLastFileError(path);
    Bytes = size.QuadPart;
}

FileReader::~FileReader() = default;

void FileReader::ReadExactly(char* data, std::size_t size) {
    while (size > 0) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30));
        DWORD n = 0;
        if (!::ReadFile(File->Handle.Get(), data, chunk, &n, nullptr))
            RaiseLastFileError(Path);
        if (n == 0)
            throw EditorError(FileErrorText::ReadBeyondEnd);
        data += n;
        size -= n;
    }
}

void FileReader::Close() {
    if (!File->Handle.Close())
        RaiseLastFileError(Path);
}
