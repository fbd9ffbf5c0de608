#include "window/panels/property_icons.h"

#include "window/shell/icon_factory.h"

#include <QFont>
#include <QPainter>
#include <QPainterPath>

namespace icons {
namespace {

const QColor kAccent(0xC0, 0x30, 0x30);
const QColor kFaint(0x90, 0x98, 0xA8);
const QColor kFill(0x70, 0x90, 0xD0);

// Grey lines standing for text, in a rectangle.
void textLines(QPainter &p, const QRectF &area, int lines)
{
    p.setPen(QPen(kFaint, 1));
    for (int i = 0; i < lines; ++i) {
        const qreal y = area.top() + 0.5 + i * 2.5;
        p.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    }
}

void box(QPainter &p, const QRectF &rect, const QBrush &fill)
{
    p.setPen(QPen(ink(), 1));
    p.setBrush(fill);
    p.drawRect(rect);
    p.setBrush(Qt::NoBrush);
}

void letter(QPainter &p, const QRectF &rect, const QString &text, int pixelSize, const QColor &color)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(true);
    p.setFont(font);
    p.setPen(color);
    p.drawText(rect, Qt::AlignCenter, text);
}

// A 3 x 3 table; cells named in the mask (bit row * 3 + column) are filled.
void table(QPainter &p, const QRectF &area, unsigned mask)
{
    const qreal w = area.width() / 3, h = area.height() / 3;
    p.setPen(Qt::NoPen);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            if (mask & (1u << (r * 3 + c)))
                p.fillRect(QRectF(area.left() + c * w, area.top() + r * h, w, h), kFill);
        }
    }
    p.setPen(QPen(ink(), 1));
    p.drawRect(area);
    for (int i = 1; i < 3; ++i) {
        p.drawLine(QPointF(area.left() + i * w, area.top()), QPointF(area.left() + i * w, area.bottom()));
        p.drawLine(QPointF(area.left(), area.top() + i * h), QPointF(area.right(), area.top() + i * h));
    }
}

void arrow(QPainter &p, QPointF from, QPointF to)
{
    p.setPen(QPen(kAccent, 1.2));
    p.drawLine(from, to);
    const QLineF line(to, from);
    for (const qreal turn : {30.0, -30.0}) {
        QLineF head = line;
        head.setLength(2.5);
        head.setAngle(line.angle() + turn);
        p.drawLine(head);
    }
}

void picture(QPainter &p, const QRectF &frame)
{
    box(p, frame, QColor(0xE0, 0xF0, 0xFF));
    QPainterPath hill;
    hill.moveTo(frame.left() + 0.5, frame.bottom() - 0.5);
    hill.lineTo(frame.left() + frame.width() * 0.4, frame.top() + frame.height() * 0.4);
    hill.lineTo(frame.left() + frame.width() * 0.65, frame.top() + frame.height() * 0.7);
    hill.lineTo(frame.left() + frame.width() * 0.8, frame.top() + frame.height() * 0.55);
    hill.lineTo(frame.right() - 0.5, frame.bottom() - 0.5);
    hill.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x40, 0x90, 0x50));
    p.drawPath(hill);
    p.setBrush(Qt::NoBrush);
}

} // namespace

QIcon decoration(Decoration kind)
{
    return drawn([kind](QPainter &p) {
        const bool blink = kind == Decoration::Blink;
        letter(p, QRectF(0, 0, 16, 15), QStringLiteral("a"), 12, blink ? kFaint : ink());
        p.setPen(QPen(kind == Decoration::None ? kFaint : kAccent, 1.3));
        switch (kind) {
        case Decoration::UnderLine:
            p.drawLine(QPointF(3, 14.5), QPointF(13, 14.5));
            break;
        case Decoration::LineThrough:
            p.drawLine(QPointF(3, 9), QPointF(13, 9));
            break;
        case Decoration::OverLine:
            p.drawLine(QPointF(3, 1.5), QPointF(13, 1.5));
            break;
        case Decoration::Blink:
            for (const QLineF &ray : {QLineF(1, 1, 3.5, 3.5), QLineF(15, 1, 12.5, 3.5), QLineF(1, 15, 3.5, 12.5),
                                      QLineF(15, 15, 12.5, 12.5)})
                p.drawLine(ray);
            break;
        case Decoration::None:
            p.setPen(QPen(kFaint, 1, Qt::DotLine));
            p.drawLine(QPointF(3, 14.5), QPointF(13, 14.5));
            break;
        }
    });
}

QIcon verticalAlign(VAlign kind)
{
    return drawn([kind](QPainter &p) {
        // The line box runs from 1 to 15, the text from 4 to 13, the
        // baseline at 11; the small box is the aligned element.
        letter(p, QRectF(0, 2, 9, 12), QStringLiteral("A"), 11, kFaint);
        qreal reference = 11;
        qreal top = 7;
        switch (kind) {
        case VAlign::Bottom: reference = 15; top = 11; break;
        case VAlign::TextBottom: reference = 13; top = 9; break;
        case VAlign::Sub: reference = 11; top = 10; break;
        case VAlign::Baseline: reference = 11; top = 7; break;
        case VAlign::Middle: reference = 8; top = 6; break;
        case VAlign::Super: reference = 11; top = 2; break;
        case VAlign::TextTop: reference = 4; top = 4; break;
        case VAlign::Top: reference = 1; top = 1; break;
        }
        p.setPen(QPen(kAccent, 1, Qt::DashLine));
        p.drawLine(QPointF(0, reference - 0.5), QPointF(16, reference - 0.5));
        box(p, QRectF(10.5, top + 0.5, 4, 4), kFill);
    });
}

QIcon display(Display kind)
{
    return drawn([kind](QPainter &p) {
        const QRectF grid(1.5, 2.5, 13, 11);
        switch (kind) {
        case Display::Block:
            textLines(p, QRectF(1, 1, 14, 2), 1);
            box(p, QRectF(1.5, 4.5, 13, 7), kFill);
            textLines(p, QRectF(1, 13.5, 14, 2), 1);
            break;
        case Display::InLine:
            textLines(p, QRectF(1, 3, 14, 10), 5);
            box(p, QRectF(5.5, 6.5, 6, 3), kFill);
            break;
        case Display::ListItem:
            for (int i = 0; i < 3; ++i) {
                p.setPen(Qt::NoPen);
                p.setBrush(ink());
                p.drawEllipse(QPointF(3, 3.5 + i * 4.5), 1.4, 1.4);
                textLines(p, QRectF(6, 3 + i * 4.5, 9, 1), 1);
            }
            break;
        case Display::Marker:
            p.setPen(Qt::NoPen);
            p.setBrush(kAccent);
            p.drawEllipse(QPointF(3.5, 8), 2.2, 2.2);
            textLines(p, QRectF(8, 5, 7, 6), 3);
            break;
        case Display::None:
            p.setPen(QPen(kFaint, 1, Qt::DashLine));
            p.drawRect(QRectF(2.5, 2.5, 11, 11));
            p.setPen(QPen(kAccent, 1.5));
            p.drawLine(QPointF(4, 4), QPointF(12, 12));
            p.drawLine(QPointF(12, 4), QPointF(4, 12));
            break;
        case Display::Table: table(p, grid, 0); break;
        case Display::InLineTable:
            textLines(p, QRectF(1, 2, 14, 12), 2);
            table(p, QRectF(4.5, 7.5, 7, 6), 0);
            break;
        case Display::TableCaption:
            p.fillRect(QRectF(3, 0.5, 10, 3), kAccent);
            table(p, QRectF(1.5, 5.5, 13, 9), 0);
            break;
        case Display::TableHeaderGroup: table(p, grid, 0b000000111); break;
        case Display::TableFooterGroup: table(p, grid, 0b111000000); break;
        case Display::TableCell: table(p, grid, 0b000010000); break;
        case Display::TableRow: table(p, grid, 0b000111000); break;
        case Display::TableRowGroup: table(p, grid, 0b111111000); break;
        case Display::TableColumn: table(p, grid, 0b010010010); break;
        case Display::TableColumnGroup: table(p, grid, 0b011011011); break;
        case Display::InLineBlock:
            textLines(p, QRectF(1, 2, 14, 12), 5);
            box(p, QRectF(5.5, 4.5, 6, 7), kFill);
            break;
        case Display::Flex:
        case Display::InLineFlex: {
            // Items side by side in a row that shares out the room.
            const QRectF area = kind == Display::Flex ? QRectF(1.5, 3.5, 13, 9) : QRectF(4.5, 5.5, 8, 6);
            if (kind == Display::InLineFlex)
                textLines(p, QRectF(1, 2, 14, 12), 5);
            box(p, area, Qt::white);
            const qreal w = (area.width() - 4) / 3;
            for (int i = 0; i < 3; ++i)
                p.fillRect(QRectF(area.left() + 1 + i * (w + 1), area.top() + 1.5, w, area.height() - 3), kFill);
            break;
        }
        case Display::Grid:
        case Display::InLineGrid: {
            // Cells on both axes, one spanning two columns.
            const QRectF area = kind == Display::Grid ? QRectF(1.5, 1.5, 13, 13) : QRectF(4.5, 4.5, 8, 8);
            if (kind == Display::InLineGrid)
                textLines(p, QRectF(1, 2, 14, 12), 5);
            box(p, area, Qt::white);
            const qreal w = (area.width() - 3) / 2, h = (area.height() - 3) / 2;
            p.fillRect(QRectF(area.left() + 1, area.top() + 1, area.width() - 2, h), kFill);
            p.fillRect(QRectF(area.left() + 1, area.top() + 2 + h, w, h), kFill);
            p.fillRect(QRectF(area.left() + 2 + w, area.top() + 2 + h, w, h), kFill);
            break;
        }
        case Display::Contents:
            // The box gone, its content left in place.
            p.setPen(QPen(kFaint, 1, Qt::DashLine));
            p.drawRect(QRectF(1.5, 1.5, 13, 13));
            textLines(p, QRectF(4, 5, 8, 6), 3);
            break;
        }
    });
}

QIcon visibility(Visibility kind)
{
    return drawn([kind](QPainter &p) {
        if (kind == Visibility::Collapse) {
            table(p, QRectF(1.5, 1.5, 13, 13), 0);
            p.fillRect(QRectF(2, 6.5, 12, 3.5), Qt::white);
            p.setPen(QPen(kAccent, 1, Qt::DashLine));
            p.drawLine(QPointF(1.5, 8.2), QPointF(14.5, 8.2));
            return;
        }
        QPainterPath eye;
        eye.moveTo(1, 8);
        eye.quadTo(8, 1, 15, 8);
        eye.quadTo(8, 15, 1, 8);
        p.setPen(QPen(kind == Visibility::Visible ? ink() : kFaint, 1.2));
        p.drawPath(eye);
        p.setBrush(kind == Visibility::Visible ? ink() : kFaint);
        p.drawEllipse(QPointF(8, 8), 2.2, 2.2);
        if (kind == Visibility::Hidden) {
            p.setPen(QPen(kAccent, 1.5));
            p.drawLine(QPointF(2, 14), QPointF(14, 2));
        }
    });
}

QIcon overflow(Overflow kind)
{
    return drawn([kind](QPainter &p) {
        const QRectF frame(1.5, 2.5, 10, 11);
        switch (kind) {
        case Overflow::Auto:
            box(p, frame.adjusted(0, 0, 3, 0), Qt::white);
            letter(p, frame.adjusted(0, 0, 3, 0), QStringLiteral("A"), 9, kAccent);
            break;
        case Overflow::Visible:
            textLines(p, QRectF(3, 5, 13, 7), 3);
            box(p, frame, Qt::NoBrush);
            break;
        case Overflow::Hidden:
            textLines(p, QRectF(3, 5, 8, 7), 3);
            p.setPen(QPen(kAccent, 1.5));
            p.drawRect(frame);
            break;
        case Overflow::Scroll:
            box(p, frame.adjusted(0, 0, 3, 0), Qt::white);
            textLines(p, QRectF(3, 5, 6, 7), 3);
            p.fillRect(QRectF(11, 3, 3, 10), QColor(0xD0, 0xD0, 0xD0));
            p.fillRect(QRectF(11, 4, 3, 4), ink());
            break;
        }
    });
}

QIcon positionScheme(Scheme kind)
{
    return drawn([kind](QPainter &p) {
        switch (kind) {
        case Scheme::Static:
            box(p, QRectF(2.5, 1.5, 11, 5), kFill);
            box(p, QRectF(2.5, 9.5, 11, 5), Qt::white);
            break;
        case Scheme::Relative:
            p.setPen(QPen(kFaint, 1, Qt::DashLine));
            p.drawRect(QRectF(1.5, 1.5, 8, 6));
            box(p, QRectF(6.5, 8.5, 8, 6), kFill);
            arrow(p, QPointF(4, 5), QPointF(7, 8));
            break;
        case Scheme::Absolute:
            p.setPen(QPen(kFaint, 1));
            p.drawRect(QRectF(0.5, 0.5, 15, 15));
            box(p, QRectF(8.5, 2.5, 5, 5), kFill);
            p.setPen(QPen(kAccent, 1, Qt::DotLine));
            p.drawLine(QPointF(0.5, 5), QPointF(8.5, 5));
            p.drawLine(QPointF(11, 7.5), QPointF(11, 15.5));
            break;
        case Scheme::Fixed:
            p.setPen(QPen(kFaint, 1));
            p.drawRect(QRectF(0.5, 0.5, 15, 15));
            box(p, QRectF(4.5, 6.5, 7, 6), kFill);
            p.setPen(QPen(kAccent, 1.3));
            p.drawLine(QPointF(8, 2), QPointF(8, 8));
            p.setBrush(kAccent);
            p.drawEllipse(QPointF(8, 2.5), 1.8, 1.8);
            break;
        case Scheme::Sticky:
            // In the flow until the edge of the view, then held there.
            p.setPen(QPen(kAccent, 1.3));
            p.drawLine(QPointF(0.5, 2.5), QPointF(15.5, 2.5));
            box(p, QRectF(2.5, 3.5, 11, 5), kFill);
            textLines(p, QRectF(2.5, 10.5, 11, 5), 2);
            break;
        }
    });
}

QIcon floatSide(bool right)
{
    return drawn([right](QPainter &p) {
        const QRectF floated(right ? 9.5 : 1.5, 1.5, 5, 6);
        box(p, floated, kFill);
        textLines(p, QRectF(right ? 1 : 8, 2, 7, 6), 3);
        textLines(p, QRectF(1, 9.5, 14, 6), 3);
    });
}

QIcon attachment(bool fixed)
{
    return drawn([fixed](QPainter &p) {
        picture(p, QRectF(1.5, 3.5, 10, 9));
        if (fixed) {
            p.setPen(QPen(kAccent, 1.3));
            p.drawLine(QPointF(13, 3), QPointF(13, 9));
            p.setBrush(kAccent);
            p.drawEllipse(QPointF(13, 3), 1.8, 1.8);
        } else {
            arrow(p, QPointF(14, 8), QPointF(14, 1.5));
            arrow(p, QPointF(14, 8), QPointF(14, 14.5));
        }
    });
}

QIcon repeat(Repeat kind)
{
    return drawn([kind](QPainter &p) {
        // The block's box with the picture tiled inside it.
        p.setPen(QPen(kFaint, 1));
        p.drawRect(QRectF(0.5, 0.5, 15, 15));
        const bool rows = kind == Repeat::Both || kind == Repeat::Vertical;
        const bool columns = kind == Repeat::Both || kind == Repeat::Horizontal;
        for (int r = 0; r < 3; ++r) {
            for (int c = 0; c < 3; ++c) {
                if ((r == 0 || rows) && (c == 0 || columns))
                    picture(p, QRectF(1.5 + c * 4.5, 1.5 + r * 4.5, 4, 4));
            }
        }
    });
}

QIcon noUnit()
{
    return drawn([](QPainter &p) {
        letter(p, QRectF(0, 0, 16, 16), QStringLiteral("px"), 8, kFaint);
        p.setPen(QPen(kAccent, 1.4));
        p.drawLine(QPointF(2, 13), QPointF(14, 3));
    });
}

} // namespace icons
