#include "WindowFixture.h"

#include <QLabel>

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
