#pragma once

#include <QColor>
#include <QDir>

#include <functional>

// What the artwork and icon generators share: the window's colours, and a
// start that paints without a display into the folder named on the command
// line.
namespace Ink {
inline const QColor Background(0x3F, 0x3A, 0x39);
inline const QColor Face(0x21, 0x27, 0x21);
inline const QColor Silver(0xC0, 0xC0, 0xC0);
inline const QColor Red(0xFF, 0x00, 0x00);
inline const QColor White(0xFF, 0xFF, 0xFF);
} // namespace Ink

// Runs `draw` on the folder given as the only argument, made if need be; 2 for
// a wrong command line (with `usage`), 1 when the folder or a file could not
// be written.
int RunDrawingTool(int argc, char** argv, const char* usage,
                   const std::function<bool(const QDir&)>& draw);
