// Any file as System.ini: read, and the profile path taken from it.
#include "SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    QTemporaryDir folder;
    const ProgramFiles files{folder.path()};
    {
        QFile file(files.SettingsFile());
        if (!file.open(QIODevice::WriteOnly))
            std::abort();
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
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
