#pragma once

class QColor;
class QWidget;
namespace Ui {
class TForm1;
}

// The window's fonts and colours. They are given to the designed widgets as
// fonts and palettes rather than style sheets: a style sheet puts its widget
// under the style-sheet style, whose polishing and painting made up most of
// the window's start-up time. Only the monitor line's rounded frame, which a
// palette cannot draw, keeps its sheet in the design.
//
// In two steps: the application's style (Fusion, on every platform), the window's own font and
// background before its design makes the controls, which then inherit them as they are made instead
// of each taking a change of font afterwards; then the controls' own, and the pictures in the set
// that fits the screen's device pixel ratio.
void ApplyWindowLook(QWidget& window);
void ApplyControlLook(QWidget& window, Ui::TForm1& form);

// The connection label's colour: lime green while connected, else red.
void ShowConnectionColour(QWidget& label, bool connected);

// The frame a label button or control picture draws round itself while it has
// the keyboard focus: amber, which stands out on the dark background and on
// the buttons' faces alike.
QColor FocusFrameColour();
// The marks of what differs from the keyboard, in the focus frame's amber.
QColor DifferenceMarkColour();
