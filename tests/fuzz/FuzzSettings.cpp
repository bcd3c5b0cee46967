// Any file as System.ini: read, and the profile path taken from it.
#include "ScratchFolder.h"
#include "model/SettingsFile.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder(ScratchFolderTemplate());
    static qint64 stamp = 0;
    const ProgramFiles files{folder.path()};
    {
        QFile file(files.SettingsFile());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        // Qt keeps a parsed settings file until its size or time changes; a
        // new time for every input makes the reader parse each one.
        file.setFileTime(QDateTime::fromSecsSinceEpoch(++stamp), QFileDevice::FileModificationTime);
    }
    QString profilePath;
    try {
        ReadSettingsFile(profilePath, files);
    } catch (const std::exception&) {
        return 0;
    }
    if (profilePath.isEmpty())
        std::abort();
    return 0;
}
