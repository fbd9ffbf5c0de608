#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

// Where the tool panel and the sheet views stand inside the work area, in
// the fixed layout and with sliding panels, and where the sliding panels
// are touched.
namespace panels {

inline constexpr int kToolHeight = 84; // PanelToolStyle
inline constexpr int kMargin = 6;      // the uncovered strips around Viewer

struct Places {
    QRect toolStyle;
    QRect viewer;
};

// Inside the work area of the given size. Shown is whether sliding panels
// are slid in.
Places workAreaPlaces(QSize workArea, bool sliding, bool shown);

// Left edge of the rule list panel in sliding mode: beyond the right edge
// when the mode is switched on, over the work area's right edge when shown,
// beyond the left edge after it was slid out.
enum class ListPlace { BeyondRight, Shown, BeyondLeft };
int listLeft(ListPlace place, int workAreaWidth, int listWidth);

// The pointer is within the rectangle, both edges included.
bool CursorInRect(QPoint cursor, int left, int top, int width, int height);

// Whether the pointer touches one of the two hot strips: along the top of
// the work area under the tool panel, and along its right edge beside the
// rule list. All rectangles in screen coordinates.
bool touchesHotStrip(QPoint cursor, const QRect &toolStyle, const QRect &workArea, const QRect &list);

// Whether the pointer rests on a shown panel.
bool restsOnPanel(QPoint cursor, const QRect &toolStyle, const QRect &list);

} // namespace panels
