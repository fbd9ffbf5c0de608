#pragma once

#include "core/panels/panel_state.h"

#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QSize>

// The colour picker's palette: 18 x 12 cells of the 216 web-safe colours,
// each cell 11 x 15 pixels with a grey top-left edge and a light grey
// bottom-right edge.
namespace palette {

inline constexpr int kColumns = 18;
inline constexpr int kRows = 12;
inline constexpr int kCellWidth = 11;
inline constexpr int kCellHeight = 15;
inline constexpr QSize kSize{kColumns * kCellWidth, kRows * kCellHeight}; // 198 x 180

inline constexpr Rgb kCellShadow{0x80, 0x80, 0x80};
inline constexpr Rgb kCellLight{0xC0, 0xC0, 0xC0};

// The colour of the cell in a row (0 at the top) and a column (0 at the left).
Rgb cellColor(int row, int column);

// The colour of one pixel of the palette bitmap, borders included.
Rgb pixelColor(int x, int y);

// Whether a point of the image lies well inside a cell, where moving the
// pointer previews the cell's colour.
bool previewsAt(int x, int y);

// "#RRGGBB" in capitals, red first.
QByteArray hexText(Rgb color);

// Where the picker opens: the pointer over its exact-choice button, moved
// back inside the screen where it would stand out of it.
QPoint pickerPosition(QPoint pointer, QPoint buttonInWindow, QSize window, QRect screen);

} // namespace palette
