#include "core/preview/sheet_navigation.h"

#include "core/sheet/byte_lines.h"

namespace {

enum Page {
    ColorBox = 0, MarginPadding = 1, BackGroundBox = 2, DisplayVis = 3, PositionFloat = 4, LayoutBox = 5, EffectsBox = 6
};

// The page of a property by its whole name, in capitals without a vendor
// prefix: "transition" names a colour only in its value.
std::optional<int> pageOfProperty(const QByteArray &name)
{
    auto among = [&name](std::initializer_list<const char *> names) {
        for (const char *n : names) {
            if (name == n)
                return true;
        }
        return false;
    };
    auto family = [&name](const char *stem) { return name == stem || name.startsWith(QByteArray(stem) + '-'); };
    if ((name.startsWith("BORDER-") && name.endsWith("-RADIUS")) || family("OUTLINE") || family("TRANSITION")
        || among({"OPACITY", "BOX-SHADOW", "TRANSFORM", "TRANSFORM-ORIGIN", "TRANSLATE", "ROTATE", "SCALE", "FILTER",
                  "BACKDROP-FILTER", "MIX-BLEND-MODE", "CURSOR", "POINTER-EVENTS", "USER-SELECT", "APPEARANCE"}))
        return EffectsBox;
    if (among({"COLOR", "BACKGROUND-COLOR"}) || (name.startsWith("SCROLLBAR-") && name.endsWith("-COLOR")))
        return ColorBox;
    if (family("BORDER") && !name.contains("RADIUS") && !name.contains("IMAGE") && !name.contains("COLLAPSE")
        && !name.contains("SPACING"))
        return ColorBox;
    if (among({"BACKGROUND", "BACKGROUND-IMAGE", "BACKGROUND-POSITION", "BACKGROUND-REPEAT", "BACKGROUND-ATTACHMENT"}))
        return BackGroundBox;
    if (family("MARGIN") || family("PADDING"))
        return MarginPadding;
    if (among({"POSITION", "FLOAT", "TOP", "LEFT", "RIGHT", "BOTTOM", "WIDTH", "HEIGHT"}))
        return PositionFloat;
    if (among({"DISPLAY", "VISIBILITY", "OVERFLOW", "CLIP"}))
        return DisplayVis;
    if (family("FLEX") || family("GRID") || family("ALIGN") || family("JUSTIFY") || family("PLACE")
        || among({"GAP", "ROW-GAP", "COLUMN-GAP", "ORDER", "MIN-WIDTH", "MAX-WIDTH", "MIN-HEIGHT", "MAX-HEIGHT",
                  "Z-INDEX", "BOX-SIZING", "OBJECT-FIT", "ASPECT-RATIO"}))
        return LayoutBox;
    return std::nullopt;
}

} // namespace

std::optional<int> propertyPageForLine(const QByteArray &line)
{
    // The last declaration of the line with a page of its own decides.
    std::optional<int> page;
    for (const QByteArray &piece : line.split(';')) {
        const qsizetype colon = piece.indexOf(':');
        if (colon < 0)
            continue;
        QByteArray name = latinUpper(piece.left(colon).trimmed());
        if (name.startsWith('-') && !name.startsWith("--")) {
            const qsizetype second = name.indexOf('-', 1);
            name = second > 0 ? name.mid(second + 1) : name;
        }
        if (const std::optional<int> p = pageOfProperty(name))
            page = p;
    }
    return page;
}

int ruleAtCaret(const QByteArray &sheetText, int caret, const QList<QByteArray> &selectors)
{
    int i = 0;
    // Headers stand in the order of the rules: each is looked for after the
    // last one found, so a selector that repeats (a nested "&:hover") is
    // found in its own place.
    qsizetype from = 0;
    for (; i < selectors.size(); ++i) {
        // 1-based position of the header, 0 when there is none.
        const qsizetype at = sheetText.indexOf("\r\n" + selectors[i] + " {", from);
        if (at + 1 >= caret)
            break;
        if (at >= 0)
            from = at + 1;
    }
    return i - 1;
}
