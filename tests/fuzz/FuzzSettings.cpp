// Any file as System.ini: read, the profile path taken from it, and the
// keyboard's ports written into it. What is written reads back as written,
// and writing one key leaves the others' values as they were.
#include "ScratchFolder.h"
#include "model/SettingsFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static QTemporaryDir folder(ScratchFolderTemplate());
    const ProgramFiles files{folder.path()};
    const QByteArray input(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    {
        QFile file(files.SettingsFile());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(input) != input.size())
            std::abort();
    }
    QString profilePath;
    try {
        ReadSettingsFile(profilePath, files);
    } catch (const std::exception&) {
        return 0;
    }
    if (profilePath.isEmpty() || ReadProfileSetting(files.SettingsFile()) != profilePath)
        std::abort();

    // Port names made of the input's first bytes, whatever they hold.
    const DeviceChoice ports{QString::fromUtf8(input.left(24)),
                             QString::fromUtf8(input.mid(24, 24))};
    const DeviceChoice before = ReadDeviceChoice(files.SettingsFile());
    WriteDeviceChoice(files.SettingsFile(), ports);
    if (ReadProfileSetting(files.SettingsFile()) != profilePath ||
        ReadDeviceChoice(files.SettingsFile()) != (ports.Automatic() ? DeviceChoice{} : ports))
        std::abort();
    WriteDeviceChoice(files.SettingsFile(), before);
    if (ReadDeviceChoice(files.SettingsFile()) != (before.Automatic() ? DeviceChoice{} : before))
        std::abort();
    return 0;
}
