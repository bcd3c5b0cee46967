#include "Midi.h"
#include "QtUserPrompts.h"
#include "RtMidiService.h"
#include "SysfsUsbDeviceQuery.h"
#include "Unit1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HBX740"));

    UseMidiService(std::make_unique<RtMidiService>());
    QtUserPrompts prompts;
    SysfsUsbDeviceQuery usb;
    int result = 0;
    {
        TForm1 window(EditorServices{prompts, usb, QCoreApplication::applicationDirPath()});
        prompts.AttachOwner(&window);
        window.show();
        result = QApplication::exec();
    }
    // The window has closed the keyboard's ports; the port sets go last.
    ReleaseMidi();
    return result;
}
