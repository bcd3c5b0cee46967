// The baseline of the start-up figures: a Qt Widgets window of the editor's
// size with one line of text, so that it loads the fonts as any window with
// text does, and nothing else. The first-paint probe is linked in.

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(1070, 576);
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel(QStringLiteral("HBX740"), &window));
    window.show();
    return QApplication::exec();
}
