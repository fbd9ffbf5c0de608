#include "core/preview/physical_sides.h"

#include <QRegularExpression>

namespace {

struct Axes {
    QString blockStart, blockEnd, inlineStart, inlineEnd;
    bool horizontal = true; // the inline axis runs left to right or back
};

Axes axesOf(const QString &writingMode, const QString &direction)
{
    const bool rtl = direction == QLatin1String("rtl");
    Axes a;
    if (writingMode.startsWith(QLatin1String("vertical")) || writingMode.startsWith(QLatin1String("sideways"))) {
        const bool leftToRight = writingMode.endsWith(QLatin1String("-lr"));
        a.blockStart = leftToRight ? QStringLiteral("left") : QStringLiteral("right");
        a.blockEnd = leftToRight ? QStringLiteral("right") : QStringLiteral("left");
        // sideways-lr runs its lines bottom to top.
        const bool upward = (writingMode == QLatin1String("sideways-lr")) != rtl;
        a.inlineStart = upward ? QStringLiteral("bottom") : QStringLiteral("top");
        a.inlineEnd = upward ? QStringLiteral("top") : QStringLiteral("bottom");
        a.horizontal = false;
    } else {
        a.blockStart = QStringLiteral("top");
        a.blockEnd = QStringLiteral("bottom");
        a.inlineStart = rtl ? QStringLiteral("right") : QStringLiteral("left");
        a.inlineEnd = rtl ? QStringLiteral("left") : QStringLiteral("right");
    }
    return a;
}

bool isVerticalSide(const QString &side)
{
    return side == QLatin1String("top") || side == QLatin1String("bottom");
}

} // namespace

QString physicalProperty(const QString &property, const QString &writingMode, const QString &direction)
{
    if (!property.contains(QLatin1String("inline")) && !property.contains(QLatin1String("block"))
        && !property.contains(QLatin1String("-start")) && !property.contains(QLatin1String("-end")))
        return property;
    const Axes a = axesOf(writingMode, direction);
    // Corners: border-start-end-radius is the block-start, inline-end one.
    static const QRegularExpression corner(QStringLiteral("^border-(start|end)-(start|end)-radius$"));
    if (const QRegularExpressionMatch m = corner.match(property); m.hasMatch()) {
        const QString block = m.captured(1) == QLatin1String("start") ? a.blockStart : a.blockEnd;
        const QString inlineSide = m.captured(2) == QLatin1String("start") ? a.inlineStart : a.inlineEnd;
        const QString vertical = isVerticalSide(block) ? block : inlineSide;
        const QString horizontal = isVerticalSide(block) ? inlineSide : block;
        return QStringLiteral("border-%1-%2-radius").arg(vertical, horizontal);
    }
    // Sizes: inline-size is the width of a horizontal line.
    static const QRegularExpression size(QStringLiteral("^(min-|max-|contain-intrinsic-)?(inline|block)-size$"));
    if (const QRegularExpressionMatch m = size.match(property); m.hasMatch()) {
        const bool inlineAxis = m.captured(2) == QLatin1String("inline");
        const bool width = inlineAxis == a.horizontal;
        return m.captured(1) + (width ? QStringLiteral("width") : QStringLiteral("height"));
    }
    // Sides: margin-block-end, border-inline-start-color, inset-inline-end.
    static const QRegularExpression side(QStringLiteral("^(.*?)-?(inline|block)-(start|end)(-.*)?$"));
    if (const QRegularExpressionMatch m = side.match(property); m.hasMatch()) {
        const bool inlineAxis = m.captured(2) == QLatin1String("inline");
        const bool start = m.captured(3) == QLatin1String("start");
        const QString physical = inlineAxis ? (start ? a.inlineStart : a.inlineEnd) : (start ? a.blockStart : a.blockEnd);
        const QString head = m.captured(1);
        // inset-inline-start sets `left` itself.
        if (head == QLatin1String("inset"))
            return physical + m.captured(4);
        return head + QLatin1Char('-') + physical + m.captured(4);
    }
    // An axis: overflow-inline is overflow-x of a horizontal line.
    static const QRegularExpression axis(QStringLiteral("^(overflow|overscroll-behavior|background-position|background-repeat)-(inline|block)$"));
    if (const QRegularExpressionMatch m = axis.match(property); m.hasMatch()) {
        const bool inlineAxis = m.captured(2) == QLatin1String("inline");
        return m.captured(1) + (inlineAxis == a.horizontal ? QStringLiteral("-x") : QStringLiteral("-y"));
    }
    return property;
}
