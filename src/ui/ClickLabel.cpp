#include "ClickLabel.h"

#include <QMouseEvent>

ClickLabel::ClickLabel(QWidget* parent) : QLabel(parent) {
    setCursor(Qt::PointingHandCursor);
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
