#pragma once

#include <QString>

#include <cstddef>
#include <memory>

// A file open for reading, closed when it goes out of scope; the profile
// reader's one use of the operating system. Only a regular file is opened: a
// FIFO would hold the reader until some program writes to it, and a device
// may never end. Every step raises the file error of its failure (see
// FileError.h).
class FileReader {
public:
    // Refuses a folder ("File access denied") and anything that is no regular
    // file ("Not a regular file").
    explicit FileReader(const QString& path);
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;
    ~FileReader();

    // The file's size when it was opened.
    qint64 Size() const { return Bytes; }
    // Reads `size` bytes; fewer left in the file is "Read beyond end of file".
    void ReadExactly(char* data, std::size_t size);
    // Closes now so that the close's own failure is seen.
    void Close();

private:
    struct Open;
    QString Path;
    std::unique_ptr<Open> File;
    qint64 Bytes = 0;
};
