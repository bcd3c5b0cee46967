#include "WindowFixture.h"

#include <QApplication>
#include <QLabel>

void WindowTest::Key(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus ? focus : Window.get(), key, modifiers);
}

void WindowTest::Type(const char* name, const QString& text, bool finish) {
    auto* field = Get<QLineEdit>(name);
    QTest::mouseClick(field, Qt::LeftButton);
    Key(Qt::Key_End);
    while (!field->text().isEmpty())
        Key(Qt::Key_Backspace);
    QTest::keyClicks(field, text);
    if (finish)
        Key(Qt::Key_Return);
}

void WindowTest::Pick(const char* name) {
    auto* list = Get<QComboBox>(name);
    list->setFocus();
    Key(list->currentIndex() + 1 < list->count() ? Qt::Key_Down : Qt::Key_Up);
}

QString WindowTest::Text(const char* name) const {
    QWidget* widget = Get(name);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return label->text();
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return edit->text();
    ADD_FAILURE() << name << " has no text";
    return {};
}

int WindowTest::VisibleHighlight() const {
    int shown = 0;
    for (int n = 1; n <= 8; ++n) {
        if (Get(QStringLiteral("ImgData%1").arg(n).toLatin1().constData())->isVisible())
            shown = shown == 0 ? n : -1;
    }
    return shown;
}
