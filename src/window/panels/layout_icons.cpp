#include "window/panels/property_icons.h"

#include "window/shell/icon_factory.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace icons {
namespace {

const QColor kItem(0x70, 0x90, 0xD0);
const QColor kOther(0xB8, 0xC4, 0xDC);

// Places of three items along a 12-pixel line, by how the free room goes.
QList<std::pair<qreal, qreal>> spread(const QString &mode)
{
    const qreal size = 2.5, room = 12 - 3 * size;
    QList<qreal> gaps; // before, between, between, after
    if (mode == QLatin1String("Center"))
        gaps = {room / 2, 0, 0};
    else if (mode == QLatin1String("End"))
        gaps = {room, 0, 0};
    else if (mode == QLatin1String("SpaceBetween"))
        gaps = {0, room / 2, room / 2};
    else if (mode == QLatin1String("SpaceAround"))
        gaps = {room / 6, room / 3, room / 3};
    else if (mode == QLatin1String("SpaceEvenly"))
        gaps = {room / 4, room / 4, room / 4};
    else if (mode == QLatin1String("Stretch"))
        return {{0, 3.6}, {4.2, 3.6}, {8.4, 3.6}};
    else
        gaps = {0, 0.5, 0.5};
    QList<std::pair<qreal, qreal>> out;
    qreal at = 0;
    for (int i = 0; i < 3; ++i) {
        at += gaps[i];
        out.append({at, size});
        at += size;
    }
    return out;
}

// A frame with three items spread along the horizontal or the vertical.
void distribution(QPainter &p, const QString &mode, bool vertical, bool lines)
{
    p.setPen(QPen(ink(), 1));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    for (const auto &[at, size] : spread(mode)) {
        const QRectF r = vertical ? QRectF(3, 2 + at, 10, size) : QRectF(2 + at, 3, size, 10);
        p.fillRect(lines ? r : r.adjusted(vertical ? 2 : 0, vertical ? 0 : 2, vertical ? -2 : 0, vertical ? 0 : -2), kItem);
    }
}

// Items of several sizes placed across the frame: start, centre, end,
// stretched or on a text baseline. One item alone when `self`.
void placement(QPainter &p, const QString &mode, bool vertical, bool self)
{
    p.setPen(QPen(ink(), 1));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    const qreal sizes[] = {5, 8, 4};
    for (int i = 0; i < 3; ++i) {
        qreal size = sizes[i];
        const bool placed = !self || i == 1;
        qreal at = 0; // from the start of the cross axis, in 0..12
        if (!placed || mode == QLatin1String("Stretch") || mode == QLatin1String("Auto"))
            size = 12;
        else if (mode == QLatin1String("Center"))
            at = (12 - size) / 2;
        else if (mode == QLatin1String("End"))
            at = 12 - size;
        else if (mode == QLatin1String("Baseline"))
            at = std::max<qreal>(0, 8 - size);
        const qreal along = 2.5 + i * 4;
        const QRectF r = vertical ? QRectF(2 + at, along, size, 3) : QRectF(along, 2 + at, 3, size);
        p.fillRect(r, placed ? kItem : kOther);
    }
    if (mode == QLatin1String("Baseline")) {
        p.setPen(QPen(QColor(0xC0, 0x30, 0x30), 1, Qt::DotLine));
        p.drawLine(QPointF(1.5, 9.5), QPointF(14.5, 9.5));
    }
}

void arrow(QPainter &p, QPointF from, QPointF to)
{
    p.setPen(QPen(QColor(0xC0, 0x30, 0x30), 1.2));
    p.drawLine(from, to);
    const QPointF d = (to - from) / std::max(1.0, std::hypot(to.x() - from.x(), to.y() - from.y()));
    const QPointF n(-d.y(), d.x());
    p.drawLine(to, to - d * 3 + n * 2);
    p.drawLine(to, to - d * 3 - n * 2);
}

} // namespace

QIcon layout(const QString &name)
{
    // Overflow by one axis looks as overflow does.
    for (const auto &[prefix, kind] : {std::pair{"OverflowXVisible", Overflow::Visible}, {"OverflowXHidden", Overflow::Hidden},
                                       {"OverflowXScroll", Overflow::Scroll}, {"OverflowXAuto", Overflow::Auto}}) {
        if (name == QLatin1String(prefix) || QString(name).replace(QLatin1String("OverflowY"), QLatin1String("OverflowX")) == QLatin1String(prefix))
            return overflow(kind);
    }
    const std::pair<const char *, const char *> glyphs[] = {
        {"WhiteSpace_Normal", "a b"},     {"WhiteSpace_NoWrap", "a→"},   {"WhiteSpace_Pre", "a␣"},
        {"WhiteSpace_PreWrap", "a↵"},     {"WhiteSpace_PreLine", "a¶"},
        {"BackgroundClipText", "T"},
    };
    for (const auto &[glyphName, text] : glyphs) {
        if (name == QLatin1String(glyphName))
            return glyph(QString::fromUtf8(text));
    }
    const QString mode = name.section(QLatin1Char('_'), -1);
    return drawn([name, mode](QPainter &p) {
        if (name.startsWith(QLatin1String("Flex_Direction"))) {
            const bool column = mode.startsWith(QLatin1String("Column"));
            const bool reverse = mode.endsWith(QLatin1String("Reverse"));
            for (int i = 0; i < 3; ++i) {
                const QRectF r = column ? QRectF(2, 1.5 + i * 4.5, 5, 3.5) : QRectF(1.5 + i * 4.5, 2, 3.5, 5);
                p.fillRect(r, i == (reverse ? 2 : 0) ? kItem : kOther);
            }
            if (column)
                arrow(p, QPointF(11.5, reverse ? 14 : 2), QPointF(11.5, reverse ? 2 : 14));
            else
                arrow(p, QPointF(reverse ? 14 : 2, 11.5), QPointF(reverse ? 2 : 14, 11.5));
        } else if (name.startsWith(QLatin1String("Flex_Wrap"))) {
            const bool wrap = mode != QLatin1String("NoWrap");
            const bool reverse = mode == QLatin1String("WrapReverse");
            for (int i = 0; i < (wrap ? 5 : 4); ++i) {
                const int line = wrap ? i / 3 : 0;
                const int y = reverse ? 1 - line : line;
                const QRectF r(1.5 + (i % 3) * 4.5, 3 + y * 6, 3.5, 4);
                p.fillRect(wrap || i < 3 ? r : QRectF(13.5, 3, 2, 4), i < 3 ? kItem : kOther);
            }
            if (!wrap)
                arrow(p, QPointF(2, 12), QPointF(14, 12));
        } else if (name.startsWith(QLatin1String("Justify_Content"))) {
            distribution(p, mode, false, false);
        } else if (name.startsWith(QLatin1String("Align_Content"))) {
            distribution(p, mode, true, true);
        } else if (name.startsWith(QLatin1String("Align_Items"))) {
            placement(p, mode, false, false);
        } else if (name.startsWith(QLatin1String("Align_Self"))) {
            placement(p, mode, false, true);
        } else if (name.startsWith(QLatin1String("Justify_Items"))) {
            placement(p, mode, true, false);
        } else if (name.startsWith(QLatin1String("Justify_Self"))) {
            placement(p, mode, true, true);
        } else if (name.startsWith(QLatin1String("BoxSizing"))) {
            // The measured width: around the content, or around the border.
            const bool border = mode == QLatin1String("BorderBox");
            p.setPen(QPen(ink(), 1));
            p.drawRect(QRectF(2.5, 4.5, 11, 9));
            p.fillRect(QRectF(5, 7, 6, 4), kItem);
            arrow(p, QPointF(border ? 2 : 5, 2), QPointF(border ? 14 : 11, 2));
        } else if (name.startsWith(QLatin1String("BorderSide"))) {
            p.setPen(QPen(kOther, 1));
            p.drawRect(QRectF(2.5, 2.5, 11, 11));
            p.setPen(QPen(ink(), 2));
            const QRectF r(2.5, 2.5, 11, 11);
            if (mode == QLatin1String("All") || mode == QLatin1String("Top"))
                p.drawLine(r.topLeft(), r.topRight());
            if (mode == QLatin1String("All") || mode == QLatin1String("Right"))
                p.drawLine(r.topRight(), r.bottomRight());
            if (mode == QLatin1String("All") || mode == QLatin1String("Bottom"))
                p.drawLine(r.bottomLeft(), r.bottomRight());
            if (mode == QLatin1String("All") || mode == QLatin1String("Left"))
                p.drawLine(r.topLeft(), r.bottomLeft());
        } else if (name.startsWith(QLatin1String("BackgroundClip"))) {
            // How far the background reaches: under the border, the padding
            // or the content alone.
            const qreal inset = name.endsWith(QLatin1String("BorderBox")) ? 1 : name.endsWith(QLatin1String("PaddingBox")) ? 3 : 5;
            p.fillRect(QRectF(inset, inset, 16 - 2 * inset, 16 - 2 * inset), kItem);
            p.setPen(QPen(ink(), 1.5));
            p.drawRect(QRectF(2.25, 2.25, 11.5, 11.5));
        } else if (name.startsWith(QLatin1String("BackgroundSize"))) {
            p.setPen(QPen(ink(), 1));
            p.drawRect(QRectF(1.5, 3.5, 13, 9));
            const QRectF picture = name.endsWith(QLatin1String("Cover"))     ? QRectF(2, 4, 12, 8)
                                   : name.endsWith(QLatin1String("Contain")) ? QRectF(4.5, 4, 7, 8)
                                                                             : QRectF(2, 4, 5, 5);
            p.fillRect(picture, kItem);
        } else if (name.startsWith(QLatin1String("ObjectFit"))) {
            p.setPen(QPen(ink(), 1));
            p.drawRect(QRectF(1.5, 3.5, 13, 9));
            QRectF picture(2, 4, 12, 8); // fill
            if (mode == QLatin1String("Contain") || mode == QLatin1String("ScaleDown"))
                picture = QRectF(4.5, 4, 7, 8);
            else if (mode == QLatin1String("Cover"))
                picture = QRectF(2, 4, 12, 8);
            else if (mode == QLatin1String("None"))
                picture = QRectF(5.5, 5.5, 5, 5);
            p.fillRect(picture, mode == QLatin1String("Cover") ? kItem.darker(120) : kItem);
            if (mode == QLatin1String("Cover")) {
                p.setPen(QPen(kOther, 1, Qt::DotLine));
                p.drawRect(QRectF(0.5, 1.5, 15, 13));
            }
        } else if (name.startsWith(QLatin1String("Grid_Auto_Flow"))) {
            const bool column = mode == QLatin1String("Column");
            p.setPen(QPen(ink(), 1));
            for (int r = 0; r < 2; ++r) {
                for (int c = 0; c < 2; ++c)
                    p.drawRect(QRectF(1.5 + c * 6.5, 1.5 + r * 6.5, 5.5, 5.5));
            }
            p.fillRect(QRectF(2.5, 2.5, 4, 4), kItem);
            p.fillRect(column ? QRectF(2.5, 9, 4, 4) : QRectF(9, 2.5, 4, 4), kOther);
            if (column)
                arrow(p, QPointF(14.5, 2), QPointF(14.5, 14));
            else
                arrow(p, QPointF(2, 14.5), QPointF(14, 14.5));
        }
    });
}

} // namespace icons
