#pragma once

#include <QIcon>
#include <QString>

#include <functional>

class QPainter;

// Icons of the window. Theme icons come first; where the theme has none,
// a small icon is drawn, so no button is ever blank.
namespace icons {

// Prefers a full-colour theme icon and draws the glyph when there is none.
QIcon themed(const char *themeName, const QString &glyph);

// A picture drawn at the size and pixel ratio asked for; the painter works
// in a 16-unit square whatever the size.
QIcon drawn(const std::function<void(QPainter &)> &paint);

// The ink of drawn icons.
QColor ink();

// A short text drawn as an icon.
QIcon glyph(const QString &text, bool bold = false, bool italic = false);

enum class Align { Left, Center, Right, Justify };
QIcon textAlign(Align align);

// A square outlined in one of the nine border styles ("solid", "dotted" ...).
QIcon borderStyle(const QString &style);

// A frame with a dot at one of nine places: row and column 0..2.
QIcon position(int row, int column);

// The program's own icon: a quill over a sheet with braces.
QIcon programIcon();

// Uses the Adwaita theme when the platform names no usable theme.
void chooseIconTheme();

} // namespace icons
