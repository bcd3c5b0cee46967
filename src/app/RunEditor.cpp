#include "RunEditor.h"

#include "Midi.h"
#include "QtUserPrompts.h"
#include "RtMidiService.h"
#include "Unit1.h"

#include <QApplication>

int RunEditor(int argc, char* argv[], UsbDeviceQuery& usb) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HBX740"));

    UseMidiService(std::make_unique<RtMidiService>());
    QtUserPrompts prompts;
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
