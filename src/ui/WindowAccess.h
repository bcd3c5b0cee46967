#pragma once

#include <QKeySequence>
#include <vector>

class ClickLabel;
class QWidget;
struct KeyboardDescription;
namespace Ui {
class TForm1;
}

// The window without a mouse and with assistive technology: which widgets take
// the focus and in what order, the shortcuts, and the names a screen reader
// reads.

// A shortcut and the label button or control picture it clicks.
struct WindowShortcut {
    QKeySequence Keys;
    ClickLabel* Target = nullptr;
};
std::vector<WindowShortcut> WindowShortcuts(Ui::TForm1& form);

// The focus order: the label buttons row by row, then the control pictures,
// before the fields; the device lists, which lie outside the window, take no
// focus. Each shortcut becomes the window's and is shown in its target's
// tooltip; fields are named by their captions, the pictures by their controls.
void SetUpKeyboardAndAccess(QWidget& window, Ui::TForm1& form, const KeyboardDescription& keyboard);

// Marks the selected control's picture as selected for a screen reader.
void ShowSelectedForAccess(Ui::TForm1& form, const KeyboardDescription& keyboard, int selected);
