#pragma once

#include <QLabel>

// A label that reacts to a left click. The window uses it for its label
// buttons (NEW, OPEN, ...) and for the invisible click areas over the control
// pictures; a click area carries its control number in the dynamic property
// "tag".
class ClickLabel : public QLabel {
    Q_OBJECT

public:
    explicit ClickLabel(QWidget* parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool Pressed = false;
};
