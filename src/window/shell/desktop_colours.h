#pragma once

#include <QColor>
#include <QPalette>

// The program's own colours, fitted to the desktop's palette: the light
// ones are kept on a light desktop, a dark desktop gets colours that read
// on its dark grounds.
namespace desktop_colours {

bool isDark(const QPalette &palette);
// The hints in the status bar: blue, a lighter blue on a dark desktop.
QColor hint(const QPalette &palette);
// The rule list's ground: silver, a grey a step above the base of a dark
// desktop.
QColor listGround(const QPalette &palette);
// The selector constructor's titles: navy and maroon, lighter tones of
// them on a dark desktop.
QColor title(const QPalette &palette);
QColor accentTitle(const QPalette &palette);
// Drawn icons: the palette's text colour.
QColor ink(const QPalette &palette);

} // namespace desktop_colours
