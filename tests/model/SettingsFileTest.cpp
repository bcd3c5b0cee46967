#include "model/SettingsFile.h"
#include "TempFolder.h"

#include <QFileInfo>
#include <QSettings>
#include <functional>
#include <gtest/gtest.h>

// A value is taken as it stands after "=", whatever it holds; only one in
// double quotes, as the editor and Qt write a value that needs them, is read
// without its quotes and escapes.
TEST(SettingsFile, ValuesAreTakenWholeAndQuotedOnesAsWritten) {
    const std::pair<QByteArray, QString> cases[] = {
        {"FilePath = /home/u/a, b;c.cus ", "/home/u/a, b;c.cus"},
        {"FilePath=/home/u/back\\slash\\temp.cus", "/home/u/back\\slash\\temp.cus"},
        {"FilePath=50% =1 #2 \xc3\xbc", "50% =1 #2 ü"},
        {"FilePath=\"/home/u/a, b.cus\"", "/home/u/a, b.cus"},
        {"FilePath=\"q\\\"\\\\ \\t\\x1\\x41=\"", "q\"\\ \t\x01\x41="},
        {"FilePath=\"half", "\"half"},
        {"FilePath=\"a\" tail", "\"a\" tail"},
    };
    for (const auto& [line, value] : cases) {
        TempFolder folder;
        folder.Write("System.ini", "[Other]\nFilePath=no\n[System]\n" + line + "\n");
        EXPECT_EQ(ReadProfileSetting(folder.FilePath("System.ini")), value) << line.constData();
    }
}

// Writing changes only the keys it sets; comments, unknown keys and sections
// and the file's line ends stay as they were.
TEST(SettingsFile, WritingChangesOnlyTheKeysItSets) {
    const QByteArray handWritten = "; the editor's\n"
                                   "[System]\n"
                                   "FilePath = /home/u/a, b;c.cus\n"
                                   "Theme=dark ; not the editor's\n"
                                   "\n"
                                   "[Tools]\n"
                                   "x=1,2";
    const DeviceChoice odd{"in, 1", " out\\\"2\n"};
    struct Case {
        QByteArray Before;
        std::function<void(const QString&)> Write;
        QByteArray After;
    } cases[] = {
        {handWritten, [&](const QString& file) { WriteDeviceChoice(file, odd); },
         handWritten + "\n\n[Device]\nInputPort=\"in, 1\"\nOutputPort=\" out\\\\\\\"2\\n\"\n"},
        {"[Device]\r\nInputPort=old ; x\r\n# kept\r\nOutputPort=old\r\n",
         [](const QString& file) {
             WriteDeviceChoice(file, {"Keys", "Keys"});
         },
         "[Device]\r\nInputPort=Keys\r\n# kept\r\nOutputPort=Keys\r\n"},
        {"[Device]\nInputPort=a\n; kept\nOutputPort=b\n[System]\nFilePath=p\n",
         [](const QString& file) { WriteDeviceChoice(file, {}); },
         "[Device]\n; kept\n[System]\nFilePath=p\n"},
        {"[System]\r\nTheme=dark\r\n\r\n[Tools]\r\n",
         [](const QString& file) {
             QString profilePath;
             ReadSettingsFile(profilePath, ProgramFiles{QFileInfo(file).path()});
         },
         "[System]\r\nTheme=dark\r\nFilePath=<default>\r\n\r\n[Tools]\r\n"},
    };
    for (const Case& c : cases) {
        TempFolder folder;
        const QString file = folder.FilePath("System.ini");
        folder.Write("System.ini", c.Before);
        c.Write(file);
        EXPECT_EQ(
            folder.Read("System.ini"),
            QByteArray(c.After).replace("<default>", folder.FilePath("customer.cus").toUtf8()))
            << c.Before.constData();
    }

    // What the editor quotes, Qt reads the same.
    TempFolder folder;
    const QString file = folder.FilePath("System.ini");
    WriteDeviceChoice(file, odd);
    EXPECT_EQ(ReadDeviceChoice(file), odd);
    const QSettings qt(file, QSettings::IniFormat);
    EXPECT_EQ(qt.value("Device/InputPort").toString(), odd.InputPort);
    EXPECT_EQ(qt.value("Device/OutputPort").toString(), odd.OutputPort);
}
