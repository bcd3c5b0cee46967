#include "ui/DropDownList.h"

#include <QAbstractItemView>
#include <QEvent>

void DropDownList::changeEvent(QEvent* event) {
    const bool aboutThePopup =
        event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange;
    // The popup's view is the list's only item view: without it, no popup yet.
    if (aboutThePopup && !findChild<QAbstractItemView*>()) {
        updateGeometry();
        QWidget::changeEvent(event);
        return;
    }
    QComboBox::changeEvent(event);
}
