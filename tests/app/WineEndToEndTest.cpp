#include "FakeUserPrompts.h"
#include "TempFolder.h"
#include "TestMidiPorts.h"
#include "device/DeviceMessages.h"
#include "device/MachineUsbDeviceQuery.h"
#include "midi/MachineMidiService.h"
#include "model/ParameterModel.h"
#include "ui/Unit1.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

// The editor for Windows as its program builds it (WinMM, the Setup API's USB
// list, its files in a folder of its own), on the windows platform, against
// the Linux simulator on the same ALSA sequencer: run inside the machine that
// tools/alsa-vm.sh boots, by tools/wine-end-to-end.sh, which starts the
// simulator with its output in $HBX_SIM_LOG. Wine lists no USB devices, so
// the keyboard's ports are the ones chosen in System.ini; Wine names a
// program's sequencer port "<client> - <port>".
namespace {

class EditorOnWine : public ::testing::Test, protected TestMidiPorts {
protected:
    void SetUp() override {
        QLocale::setDefault(QLocale::c());
        Folder.Write("System.ini",
                     "[Device]\r\nInputPort=HBX740 - HBX740\r\nOutputPort=HBX740 - HBX740\r\n");
        Usb = MachineUsbDeviceQuery();
        UseMidiService(std::make_unique<MachineMidiService>());
        ASSERT_EQ(Ports->Service().Kind(), MidiServiceKind::WinMm);
        Window = std::make_unique<TForm1>(EditorServices{Prompts, *Usb, *Ports, Folder.Path()});
        Window->show();
    }
    void TearDown() override {
        Window.reset();
        ReleaseMidi();
    }

    template <class T = QWidget> T* Get(const char* name) const {
        return Window->findChild<T*>(QString::fromLatin1(name));
    }
    QString LabelText(const char* name) const { return Get<QLabel>(name)->text(); }
    void Click(const char* name) {
        QWidget* widget = Get(name);
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }
    // The last message the simulator says it received that starts with `prefix`.
    static QString Received(const QString& prefix) {
        QFile log(qEnvironmentVariable("HBX_SIM_LOG"));
        if (!log.open(QIODevice::ReadOnly))
            return {};
        QString found;
        for (const QByteArray& line : log.readAll().split('\n')) {
            if (line.startsWith("recv " + prefix.toLatin1()))
                found = QString::fromLatin1(line.mid(5)).trimmed();
        }
        return found;
    }

    TempFolder Folder;
    FakeUserPrompts Prompts;
    std::unique_ptr<UsbDeviceQuery> Usb;
    std::unique_ptr<TForm1> Window;
};

TEST_F(EditorOnWine, ConnectsShowsItsMessagesAndSynchronisesBothWays) {
    ASSERT_TRUE(QTest::qWaitFor([&] { return LabelText("LbConnect") == "Connect"; }, 20000));
    EXPECT_EQ(LabelText("LbVersions"), "FW: V1.05");
    // The simulator plays a note every second.
    EXPECT_TRUE(QTest::qWaitFor([&] { return LabelText("LbStatus") == "144"; }, 5000));
    EXPECT_EQ(LabelText("LbData1"), "60");

    Get<QLineEdit>("EdtValue")->setText("99");
    Get<QComboBox>("CmbTranspose")->setCurrentIndex(15);
    Prompts.ConfirmAnswers = {true};
    Click("BtnSyncFw");
    ASSERT_TRUE(QTest::qWaitFor([&] { return !Prompts.Notices().isEmpty(); }, 10000));
    // Exactly the bytes of the parameter set, without the text's padding.
    const QString sent = QString::fromStdString(BuildParameterSet(Window->Model()));
    EXPECT_EQ(Received("F0 33 00 2B"), sent.left(sent.indexOf("F7") + 2));

    Get<QLineEdit>("EdtValue")->setText("5");
    Get<QComboBox>("CmbTranspose")->setCurrentIndex(3);
    Prompts.ConfirmAnswers = {true};
    Click("BtnSyncPc");
    ASSERT_TRUE(QTest::qWaitFor([&] { return Prompts.Notices().size() == 2; }, 10000));
    EXPECT_EQ(Window->Model().GlobalSettings()[Transpose], 15);
    EXPECT_EQ(Get<QLineEdit>("EdtValue")->text(), "99");
    EXPECT_TRUE(Prompts.Errors().isEmpty()) << Prompts.Errors().join('\n').toStdString();
}

} // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
