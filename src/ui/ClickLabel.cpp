#include "ui/ClickLabel.h"

#include "ui/WindowLook.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>

namespace {

class ClickLabelAccessible : public QAccessibleWidget {
public:
    explicit ClickLabelAccessible(ClickLabel* label)
        : QAccessibleWidget(label, QAccessible::Button) {}

    QString text(QAccessible::Text kind) const override {
        QString text = QAccessibleWidget::text(kind);
        if (kind == QAccessible::Name && text.isEmpty())
            text = static_cast<const QLabel*>(widget())->text();
        return text;
    }
    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == pressAction())
            emit static_cast<ClickLabel*>(widget())->clicked();
        else
            QAccessibleWidget::doAction(name);
    }
};

QAccessibleInterface* MakeAccessible(const QString& className, QObject* object) {
    if (className == QLatin1String("ClickLabel") && object->isWidgetType())
        return new ClickLabelAccessible(static_cast<ClickLabel*>(object));
    return nullptr;
}

} // namespace

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    // Qt keeps one entry per factory, however many labels install it.
    QAccessible::installFactory(&MakeAccessible);
}

void ClickLabel::mousePressEvent(QMouseEvent* event) {
    Pressed = event->button() == Qt::LeftButton;
    event->accept();
}

// A click is a press and a release inside the label, as with a button.
void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
    const bool wasPressed = Pressed;
    Pressed = false;
    event->accept();
    if (wasPressed && event->button() == Qt::LeftButton &&
        rect().contains(event->position().toPoint()))
        emit clicked();
}

void ClickLabel::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool activates = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (!activates || (event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    // Holding the key down runs the command once.
    if (!event->isAutoRepeat())
        emit clicked();
}

void ClickLabel::paintEvent(QPaintEvent* event) {
    // A label that takes the focus lays its text out as a document, which
    // puts a line taller than the label at its top: a script whose font is
    // taller than the window's (Chinese) would lose its foot. Drawn as a
    // plain item, the text keeps its alignment.
    if (text().isEmpty()) {
        QLabel::paintEvent(event);
    } else {
        QPainter painter(this);
        style()->drawItemText(&painter, contentsRect(), int(alignment()), palette(), isEnabled(),
                              text(), foregroundRole());
    }
    if (!hasFocus())
        return;
    QPainter painter(this);
    painter.setPen(QPen(FocusFrameColour(), 2, Qt::DotLine));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
}
