#pragma once

#include <QColor>
#include <QPalette>

class QWidget;

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

// A field the program grounds in a light colour of its own (white for a
// length in use, cream for the HTML editor) writes in black on it, on any
// desktop; a dark desktop's pale text would not read there.
void setLightGround(QWidget *widget, const QColor &ground);

} // namespace desktop_colours
