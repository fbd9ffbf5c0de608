#include "core/panels/shorthand_parts.h"

#include "core/css/value_words.h"

#include "core/css/css_color.h"
#include "core/panels/layout_shorthands.h"
#include "core/sheet/byte_lines.h"

#include <cctype>
#include <functional>

namespace {

const char *const kSides[] = {"TOP", "RIGHT", "BOTTOM", "LEFT"};
// The corners in the order border-radius gives them, and the logical
// corner each stands for in a left-to-right page.
const char *const kCorners[] = {"BORDER-TOP-LEFT-RADIUS", "BORDER-TOP-RIGHT-RADIUS", "BORDER-BOTTOM-RIGHT-RADIUS",
                                "BORDER-BOTTOM-LEFT-RADIUS"};
const char *const kLogicalCorners[] = {"BORDER-START-START-RADIUS", "BORDER-START-END-RADIUS",
                                       "BORDER-END-END-RADIUS", "BORDER-END-START-RADIUS"};

int cornerOf(const QByteArray &name, const char *const (&names)[4])
{
    for (int i = 0; i < 4; ++i) {
        if (name == names[i])
            return i;
    }
    return -1;
}

// The value's parts at blanks outside brackets and strings; commas stand
// alone, so a font family list or background layers can be told apart.
QList<QByteArray> partsOf(const QByteArray &value)
{
    QList<QByteArray> parts;
    QByteArray current;
    int depth = 0;
    char quote = 0;
    auto flush = [&] {
        if (!current.isEmpty())
            parts.append(current);
        current.clear();
    };
    for (const char c : value) {
        if (quote) {
            current += c;
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'')
            quote = c;
        else if (c == '(')
            ++depth;
        else if (c == ')')
            --depth;
        if (depth == 0 && (c == ' ' || c == '\t' || c == '\r' || c == '\n')) {
            flush();
        } else if (depth == 0 && c == ',') {
            flush();
            parts.append(QByteArrayLiteral(","));
        } else {
            current += c;
        }
    }
    flush();
    return parts;
}

bool hasVariable(const QByteArray &value)
{
    return latinUpper(value).contains("VAR(");
}

// The side's value among one to four, as margin and padding spread them.
std::optional<QByteArray> sideOf(const QList<QByteArray> &parts, int side)
{
    if (parts.isEmpty() || parts.size() > 4 || parts.contains(","))
        return std::nullopt;
    static const int pick[4][4] = {{0, 0, 0, 0}, {0, 1, 0, 1}, {0, 1, 2, 1}, {0, 1, 2, 3}};
    return parts[pick[parts.size() - 1][side]];
}

// The one value of a four-sided shorthand whose sides are all alike.
std::optional<QByteArray> allSidesOf(const QList<QByteArray> &parts)
{
    if (parts.isEmpty() || parts.size() > 4 || parts.contains(","))
        return std::nullopt;
    for (const QByteArray &part : parts) {
        if (latinUpper(part) != latinUpper(parts[0]))
            return std::nullopt;
    }
    return parts[0];
}

bool isBorderStyle(const QByteArray &upper)
{
    static const QList<QByteArray> styles = {"NONE",   "HIDDEN", "DOTTED", "DASHED", "SOLID",
                                             "DOUBLE", "GROOVE", "RIDGE",  "INSET",  "OUTSET"};
    return styles.contains(upper);
}

// An outline's style: a border's, or auto.
bool isOutlineStyle(const QByteArray &upper)
{
    return upper == "AUTO" || (upper != "HIDDEN" && isBorderStyle(upper));
}

bool isWidth(const QByteArray &upper)
{
    if (upper == "THIN" || upper == "MEDIUM" || upper == "THICK")
        return true;
    return !upper.isEmpty() && (std::isdigit(static_cast<unsigned char>(upper[0])) || upper[0] == '.');
}

// The width, style and colour of a border (or outline) shorthand; what it
// leaves out takes its initial value.
std::optional<QByteArray> borderPart(const QList<QByteArray> &parts, const QByteArray &kind, bool outline = false)
{
    if (parts.size() > 3 || parts.contains(","))
        return std::nullopt;
    QByteArray width = "medium", style = "none", color = "currentcolor";
    for (const QByteArray &part : parts) {
        const QByteArray upper = latinUpper(part);
        if (outline ? isOutlineStyle(upper) : isBorderStyle(upper))
            style = part;
        else if (isWidth(upper))
            width = part;
        else if (CssToColor(upper))
            color = part;
        else
            return std::nullopt;
    }
    return kind == "WIDTH" ? width : kind == "STYLE" ? style : color;
}

// The colour of the last background layer, "transparent" where it has none.
std::optional<QByteArray> backgroundColorOf(const QList<QByteArray> &parts)
{
    const qsizetype lastComma = parts.lastIndexOf(QByteArrayLiteral(","));
    for (qsizetype i = lastComma + 1; i < parts.size(); ++i) {
        if (CssToColor(latinUpper(parts[i])))
            return parts[i];
    }
    return QByteArrayLiteral("transparent");
}

bool isFontStyle(const QByteArray &upper)
{
    return upper == "ITALIC" || upper == "OBLIQUE";
}

bool isFontWeight(const QByteArray &upper)
{
    static const QList<QByteArray> weights = {"BOLD", "BOLDER", "LIGHTER", "100", "200", "300",
                                              "400",  "500",    "600",     "700", "800", "900"};
    return weights.contains(upper);
}

// font: [style || variant || weight || stretch] size[/line-height] family.
std::optional<QByteArray> fontPart(const QList<QByteArray> &parts, const QByteArray &longhand)
{
    QByteArray style = "normal", variant = "normal", weight = "normal";
    qsizetype i = 0;
    for (; i < parts.size(); ++i) {
        const QByteArray upper = latinUpper(parts[i]);
        if (upper == "NORMAL")
            continue;
        if (isFontStyle(upper))
            style = parts[i];
        else if (upper == "SMALL-CAPS")
            variant = parts[i];
        else if (isFontWeight(upper))
            weight = parts[i];
        else if (upper.endsWith("CONDENSED") || upper.endsWith("EXPANDED"))
            continue;
        else
            break;
    }
    if (i >= parts.size() - 1)
        return std::nullopt; // a system font, or no family after the size
    QByteArray size = parts[i], lineHeight = "normal";
    if (const qsizetype slash = size.indexOf('/'); slash >= 0) {
        lineHeight = size.mid(slash + 1);
        size = size.left(slash);
    } else if (parts[i + 1].startsWith('/')) {
        lineHeight = parts[i + 1].mid(1);
        if (lineHeight.isEmpty() && i + 2 < parts.size())
            lineHeight = parts[++i + 1];
        ++i;
    }
    if (size.isEmpty() || lineHeight.isEmpty() || i + 1 >= parts.size())
        return std::nullopt;
    QByteArray family;
    for (qsizetype k = i + 1; k < parts.size(); ++k) {
        if (parts[k] == ",")
            family += ",";
        else
            family += (family.isEmpty() ? QByteArray() : QByteArrayLiteral(" ")) + parts[k];
    }
    if (longhand == "FONT-STYLE")
        return style;
    if (longhand == "FONT-VARIANT")
        return variant;
    if (longhand == "FONT-WEIGHT")
        return weight;
    if (longhand == "FONT-SIZE")
        return size;
    if (longhand == "LINE-HEIGHT")
        return lineHeight;
    if (longhand == "FONT-FAMILY")
        return family;
    return std::nullopt;
}

} // namespace

namespace {

// A side given by a logical property, in a left-to-right, top-to-bottom
// page: the inline start is the left, the block start the top.
std::optional<QByteArray> logicalSideOf(const QByteArray &shorthand, const QList<QByteArray> &parts,
                                        const QByteArray &longhand)
{
    for (const QByteArray &family : {QByteArray("MARGIN"), QByteArray("PADDING"), QByteArray("INSET")}) {
        const QByteArray prefix = family == "INSET" ? QByteArray() : family + "-";
        if (family == "INSET" && shorthand == "INSET") {
            for (int side = 0; side < 4; ++side) {
                if (longhand == kSides[side])
                    return sideOf(parts, side);
            }
        }
        const struct {
            const char *axis, *start, *end;
        } axes[] = {{"INLINE", "LEFT", "RIGHT"}, {"BLOCK", "TOP", "BOTTOM"}};
        for (const auto &a : axes) {
            const QByteArray base = family + "-" + a.axis;
            for (int end = 0; end < 2; ++end) {
                if (longhand != prefix + (end ? a.end : a.start))
                    continue;
                if (shorthand == base && !parts.isEmpty() && parts.size() <= 2)
                    return parts.value(end, parts[0]);
                if (shorthand == base + (end ? "-END" : "-START") && parts.size() == 1)
                    return parts[0];
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<QByteArray> longhandOf(const QByteArray &shorthand, const QByteArray &value, const QByteArray &longhand)
{
    if (isLayoutName(longhand) && layoutCovers(shorthand, longhand))
        return layoutLonghandOf(shorthand, value, longhand);
    if (hasVariable(value))
        return std::nullopt;
    // A keyword every property takes stands for the whole shorthand.
    if (isCssWideKeyword(value))
        return value.trimmed();
    const QList<QByteArray> parts = partsOf(value);
    if (shorthand == "MARGIN" || shorthand == "PADDING") {
        for (int side = 0; side < 4; ++side) {
            if (longhand == shorthand + "-" + kSides[side])
                return sideOf(parts, side);
        }
        return std::nullopt;
    }
    if (shorthand.startsWith("MARGIN-") || shorthand.startsWith("PADDING-") || shorthand.startsWith("INSET"))
        return logicalSideOf(shorthand, parts, longhand);
    for (int side = 0; side < 4; ++side) {
        for (const char *kind : {"WIDTH", "STYLE", "COLOR"}) {
            const QByteArray sidePrefix = QByteArray("BORDER-") + kSides[side];
            if (longhand != sidePrefix + "-" + kind)
                continue;
            if (shorthand == "BORDER" || shorthand == sidePrefix)
                return borderPart(parts, kind);
            if (shorthand == QByteArray("BORDER-") + kind)
                return sideOf(parts, side);
            return std::nullopt;
        }
    }
    for (const char *kind : {"WIDTH", "STYLE", "COLOR"}) {
        if (longhand != QByteArray("BORDER-") + kind)
            continue;
        if (shorthand == longhand)
            return allSidesOf(parts);
        if (shorthand == "BORDER")
            return borderPart(parts, kind);
        return std::nullopt;
    }
    if (shorthand == "BACKGROUND" && longhand == "BACKGROUND-COLOR")
        return backgroundColorOf(parts);
    if (shorthand == "FONT")
        return fontPart(parts, longhand);
    if (shorthand == "OUTLINE" && longhand.startsWith("OUTLINE-") && !longhand.endsWith("OFFSET"))
        return borderPart(parts, longhand.mid(8), true);
    // Corners: of the shorthand with one to four values, elliptic ones left
    // to the text; a logical corner in its physical place.
    if (const int corner = cornerOf(longhand, kCorners); corner >= 0) {
        if (shorthand == "BORDER-RADIUS")
            return value.contains('/') ? std::nullopt : sideOf(parts, corner);
        if (cornerOf(shorthand, kLogicalCorners) == corner)
            return value;
    }
    return std::nullopt;
}

std::optional<QList<QByteArray>> withoutLonghand(const QByteArray &shorthandAsWritten, const QByteArray &value,
                                                 const QByteArray &longhand)
{
    const QByteArray shorthand = latinUpper(shorthandAsWritten);
    if (isLayoutName(longhand) && layoutCovers(shorthand, longhand))
        return layoutWithoutLonghand(shorthandAsWritten, value, longhand);
    if (hasVariable(value))
        return std::nullopt;
    const QList<QByteArray> parts = partsOf(value);
    QList<QByteArray> out;
    if (shorthand == "MARGIN" || shorthand == "PADDING") {
        for (int s = 0; s < 4; ++s) {
            const std::optional<QByteArray> part = sideOf(parts, s);
            if (!part)
                return std::nullopt;
            if (longhand == shorthand + "-" + kSides[s])
                continue;
            out.append(shorthandAsWritten + "-" + QByteArray(kSides[s]).toLower() + ": " + *part + ";");
        }
        return out;
    }
    if (shorthand == "BORDER-RADIUS" && cornerOf(longhand, kCorners) >= 0 && !value.contains('/')) {
        for (int c = 0; c < 4; ++c) {
            const std::optional<QByteArray> part = sideOf(parts, c);
            if (!part)
                return std::nullopt;
            if (longhand != kCorners[c]) {
                const QByteArray name = QByteArray(kCorners[c]).toLower();
                out.append((shorthandAsWritten == shorthand ? QByteArray(kCorners[c]) : name) + ": " + *part + ";");
            }
        }
        return out;
    }
    // Which part goes: the one the longhand's value is, in the last layer.
    std::function<bool(const QByteArray &)> isPart;
    if (shorthand == "BORDER" && longhand == "BORDER-COLOR")
        isPart = [](const QByteArray &upper) { return !isBorderStyle(upper) && !isWidth(upper) && CssToColor(upper); };
    else if (shorthand == "BORDER" && longhand == "BORDER-STYLE")
        isPart = isBorderStyle;
    else if (shorthand == "BORDER" && longhand == "BORDER-WIDTH")
        isPart = isWidth;
    else if (shorthand == "OUTLINE" && longhand == "OUTLINE-COLOR")
        isPart = [](const QByteArray &upper) { return !isOutlineStyle(upper) && !isWidth(upper) && CssToColor(upper); };
    else if (shorthand == "OUTLINE" && longhand == "OUTLINE-STYLE")
        isPart = isOutlineStyle;
    else if (shorthand == "OUTLINE" && longhand == "OUTLINE-WIDTH")
        isPart = isWidth;
    else if (shorthand == "BACKGROUND" && longhand == "BACKGROUND-COLOR")
        isPart = [](const QByteArray &upper) { return CssToColor(upper).has_value(); };
    else
        return std::nullopt;
    const qsizetype lastComma = parts.lastIndexOf(QByteArrayLiteral(","));
    QByteArray rest;
    bool dropped = false;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        if (!dropped && i > lastComma && isPart(latinUpper(parts[i]))) {
            dropped = true;
            continue;
        }
        rest += parts[i] == "," ? QByteArray(",") : (rest.isEmpty() ? QByteArray() : QByteArrayLiteral(" ")) + parts[i];
    }
    if (!dropped)
        return std::nullopt;
    // A border or background with nothing left is "none".
    out.append(shorthandAsWritten + ": " + (rest.isEmpty() ? QByteArray("none") : rest) + ";");
    return out;
}
