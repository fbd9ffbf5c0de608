#include "core/editor/panel_geometry.h"

namespace panels {

Places workAreaPlaces(QSize workArea, bool sliding, bool shown)
{
    const int w = workArea.width();
    const int h = workArea.height();
    if (!sliding)
        return {QRect(0, 0, w, kToolHeight), QRect(0, kToolHeight, w - 1, h - kToolHeight)};
    return {QRect(0, shown ? 0 : -kToolHeight, w, kToolHeight),
            QRect(kMargin, kMargin, w - 2 * kMargin, h - kMargin)};
}

int listLeft(ListPlace place, int workAreaWidth, int listWidth)
{
    switch (place) {
    case ListPlace::BeyondRight:
        return workAreaWidth;
    case ListPlace::Shown:
        return workAreaWidth - listWidth;
    case ListPlace::BeyondLeft:
        break;
    }
    return -listWidth;
}

bool CursorInRect(QPoint cursor, int left, int top, int width, int height)
{
    return left <= cursor.x() && cursor.x() <= left + width && top <= cursor.y() && cursor.y() <= top + height;
}

bool touchesHotStrip(QPoint cursor, const QRect &toolStyle, const QRect &workArea, const QRect &list)
{
    return CursorInRect(cursor, toolStyle.x(), workArea.y(), toolStyle.width(), kMargin)
           || CursorInRect(cursor, workArea.x() + workArea.width() - kMargin, list.y(), kMargin, list.height());
}

bool restsOnPanel(QPoint cursor, const QRect &toolStyle, const QRect &list)
{
    return CursorInRect(cursor, toolStyle.x(), toolStyle.y(), toolStyle.width(), toolStyle.height())
           || CursorInRect(cursor, list.x(), list.y(), list.width(), list.height());
}

} // namespace panels
