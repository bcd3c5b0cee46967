#pragma once

#include <QLabel>

// A label that acts as a button: a left click, or Space or Enter while it has
// the focus, emits clicked(). The window uses it for its label buttons (NEW,
// OPEN, ...) and for the invisible click areas over the control pictures; a
// click area carries its control number in the dynamic property "tag".
// Assistive technology sees it as a button with a press action.
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool Pressed = false;
};
