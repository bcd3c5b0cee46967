#include "QtUserPrompts.h"
#include "Unit1.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("HBX740"));

    QtUserPrompts prompts;
    TForm1 window(EditorServices{prompts, QCoreApplication::applicationDirPath()});
    prompts.AttachOwner(&window);
    window.show();
    return QApplication::exec();
}
