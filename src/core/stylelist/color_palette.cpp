#include "core/stylelist/color_palette.h"

namespace palette {
namespace {

constexpr quint8 kLevels[] = {0x00, 0x33, 0x66, 0x99, 0xCC, 0xFF};

} // namespace

Rgb cellColor(int row, int column)
{
    return {kLevels[3 * (row % 2) + column / 6], kLevels[row / 2], kLevels[column % 6]};
}

Rgb pixelColor(int x, int y)
{
    const int cx = x % kCellWidth;
    const int cy = y % kCellHeight;
    if (cx == kCellWidth - 1 || cy == kCellHeight - 1)
        return kCellLight;
    if (cx == 0 || cy == 0)
        return kCellShadow;
    return cellColor(y / kCellHeight, x / kCellWidth);
}

bool previewsAt(int x, int y)
{
    if (x < 0 || y < 0 || x >= kSize.width() || y >= kSize.height())
        return false;
    const int cx = x % kCellWidth;
    const int cy = y % kCellHeight;
    return cx >= 2 && cx <= 9 && cy >= 2 && cy <= 13;
}

QByteArray hexText(Rgb color)
{
    const quint32 value = (quint32(color.r) << 16) | (quint32(color.g) << 8) | color.b;
    return "#" + QByteArray::number(value, 16).rightJustified(6, '0').toUpper();
}

QPoint pickerPosition(QPoint pointer, QPoint buttonInWindow, QSize window, QRect screen)
{
    int left = pointer.x() - buttonInWindow.x() - 20;
    int top = pointer.y() - buttonInWindow.y() - 30;
    if (left + window.width() > screen.right() + 1)
        left = screen.right() + 1 - window.width();
    if (top + window.height() > screen.bottom() + 1)
        top = screen.bottom() + 1 - window.height();
    left = qMax(left, screen.left());
    top = qMax(top, screen.top());
    return {left, top};
}

} // namespace palette
