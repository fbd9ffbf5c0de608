#include "core/panels/layout_shorthands.h"

#include "core/css/value_words.h"

#include "core/sheet/byte_lines.h"

#include <QHash>

namespace {

// Old spellings the engine takes as today's names.
QByteArray canonical(const QByteArray &name)
{
    if (name == "GRID-GAP")
        return "GAP";
    if (name == "GRID-ROW-GAP")
        return "ROW-GAP";
    if (name == "GRID-COLUMN-GAP")
        return "COLUMN-GAP";
    return name;
}

QByteArray withoutPrefix(const QByteArray &name)
{
    if (name.startsWith('-') && !name.startsWith("--")) {
        const qsizetype second = name.indexOf('-', 1);
        if (second > 0)
            return name.mid(second + 1);
    }
    return name;
}

const QHash<QByteArray, QList<QByteArray>> &table()
{
    static const QHash<QByteArray, QList<QByteArray>> longhands = {
        {"FLEX", {"FLEX-GROW", "FLEX-SHRINK", "FLEX-BASIS"}},
        {"FLEX-FLOW", {"FLEX-DIRECTION", "FLEX-WRAP"}},
        {"GAP", {"ROW-GAP", "COLUMN-GAP"}},
        {"PLACE-CONTENT", {"ALIGN-CONTENT", "JUSTIFY-CONTENT"}},
        {"PLACE-ITEMS", {"ALIGN-ITEMS", "JUSTIFY-ITEMS"}},
        {"PLACE-SELF", {"ALIGN-SELF", "JUSTIFY-SELF"}},
        {"GRID-TEMPLATE", {"GRID-TEMPLATE-ROWS", "GRID-TEMPLATE-COLUMNS", "GRID-TEMPLATE-AREAS"}},
        {"GRID", {"GRID-TEMPLATE-ROWS", "GRID-TEMPLATE-COLUMNS", "GRID-TEMPLATE-AREAS", "GRID-AUTO-FLOW"}},
        {"GRID-AREA", {"GRID-ROW", "GRID-COLUMN"}},
        {"GRID-ROW", {"GRID-ROW-START", "GRID-ROW-END"}},
        {"GRID-COLUMN", {"GRID-COLUMN-START", "GRID-COLUMN-END"}},
    };
    return longhands;
}

// The value's words at blanks outside brackets and strings; "/" stands
// alone, and a comma makes the value one no shorthand here reads.
std::optional<QList<QByteArray>> wordsOf(const QByteArray &value)
{
    QList<QByteArray> words;
    QByteArray current;
    int depth = 0;
    char quote = 0;
    auto flush = [&] {
        if (!current.isEmpty())
            words.append(current);
        current.clear();
    };
    for (const char c : value) {
        if (quote) {
            current += c;
            if (c == quote)
                quote = 0;
            continue;
        }
        if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        } else if (depth == 0 && c == ',') {
            return std::nullopt;
        } else if (depth == 0 && c == '/') {
            flush();
            words.append(QByteArrayLiteral("/"));
            continue;
        }
        if (depth == 0 && (c == ' ' || c == '\t' || c == '\r' || c == '\n'))
            flush();
        else
            current += c;
    }
    flush();
    return words;
}

bool isNumber(const QByteArray &word)
{
    bool ok = false;
    word.toDouble(&ok);
    return ok;
}

// flex: none | [grow shrink? || basis]
std::optional<QByteArray> flexPart(const QList<QByteArray> &words, const QByteArray &longhand)
{
    QByteArray grow = "1", shrink = "1", basis = "0%";
    const QByteArray first = words.isEmpty() ? QByteArray() : latinUpper(words[0]);
    if (words.size() == 1 && first == "NONE") {
        grow = "0";
        shrink = "0";
        basis = "auto";
    } else if (words.size() == 1 && first == "AUTO") {
        basis = "auto";
    } else if (words.size() == 1 && first == "INITIAL") {
        grow = "0";
        basis = "auto";
    } else {
        if (words.isEmpty() || words.size() > 3)
            return std::nullopt;
        // Grow and shrink stand together, before or after the basis.
        int numbers = 0;
        int numbersBeforeBasis = -1;
        for (const QByteArray &word : words) {
            if (isNumber(word) && numbers < 2 && (numbersBeforeBasis <= 0 || numbers == 0)) {
                (numbers == 0 ? grow : shrink) = word;
                ++numbers;
            } else if (numbersBeforeBasis < 0 && word != "/") {
                basis = word;
                numbersBeforeBasis = numbers;
            } else {
                return std::nullopt;
            }
        }
        if (numbersBeforeBasis == 1 && numbers == 2)
            return std::nullopt;
    }
    if (longhand == "FLEX-GROW")
        return grow;
    if (longhand == "FLEX-SHRINK")
        return shrink;
    if (longhand == "FLEX-BASIS")
        return basis;
    return std::nullopt;
}

std::optional<QByteArray> flexFlowPart(const QList<QByteArray> &words, const QByteArray &longhand)
{
    static const QList<QByteArray> directions = {"ROW", "ROW-REVERSE", "COLUMN", "COLUMN-REVERSE"};
    static const QList<QByteArray> wraps = {"NOWRAP", "WRAP", "WRAP-REVERSE"};
    QByteArray direction = "row", wrap = "nowrap";
    if (words.isEmpty() || words.size() > 2)
        return std::nullopt;
    for (const QByteArray &word : words) {
        const QByteArray upper = latinUpper(word);
        if (directions.contains(upper))
            direction = word;
        else if (wraps.contains(upper))
            wrap = word;
        else
            return std::nullopt;
    }
    return longhand == "FLEX-DIRECTION" ? direction : wrap;
}

// Alignment values of one or two words ("safe center", "first baseline").
QList<QByteArray> alignmentValues(const QList<QByteArray> &words)
{
    QList<QByteArray> values;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const QByteArray upper = latinUpper(words[i]);
        if ((upper == "SAFE" || upper == "UNSAFE" || upper == "FIRST" || upper == "LAST") && i + 1 < words.size()) {
            values.append(words[i] + ' ' + words[i + 1]);
            ++i;
        } else {
            values.append(words[i]);
        }
    }
    return values;
}

std::optional<QByteArray> placePart(const QByteArray &shorthand, const QList<QByteArray> &words,
                                    const QByteArray &longhand)
{
    const QList<QByteArray> values = alignmentValues(words);
    if (values.isEmpty() || values.size() > 2 || words.contains("/"))
        return std::nullopt;
    const bool first = longhand.startsWith("ALIGN-");
    if (first)
        return values[0];
    if (values.size() == 2)
        return values[1];
    // One baseline value for both: content falls back to start.
    if (shorthand == "PLACE-CONTENT" && latinUpper(values[0]).contains("BASELINE"))
        return QByteArrayLiteral("start");
    return values[0];
}

// A line's name alone: one word, no keyword, no number ("span 2", "-1").
bool isIdent(const QByteArray &word)
{
    const QByteArray upper = latinUpper(word);
    if (upper == "AUTO" || upper == "SPAN" || upper.isEmpty() || upper.contains(' '))
        return false;
    const char c = upper[0];
    if (c == '-' && upper.size() > 1 && ((upper[1] >= '0' && upper[1] <= '9') || upper[1] == '.'))
        return false;
    return (c >= 'A' && c <= 'Z') || c == '_' || c == '-' || static_cast<unsigned char>(c) >= 0x80;
}

// The "/"-separated parts of a grid placement, each of one or more words.
QList<QByteArray> slashParts(const QList<QByteArray> &words)
{
    QList<QByteArray> parts{QByteArray()};
    for (const QByteArray &word : words) {
        if (word == "/")
            parts.append(QByteArray());
        else
            parts.last() += (parts.last().isEmpty() ? QByteArray() : QByteArrayLiteral(" ")) + word;
    }
    return parts;
}

QByteArray startAndEnd(const QByteArray &start, const QByteArray &end)
{
    if (latinUpper(end) == "AUTO" || (end == start && isIdent(start)))
        return start;
    return start + " / " + end;
}

std::optional<QByteArray> gridAreaPart(const QList<QByteArray> &words, const QByteArray &longhand)
{
    const QList<QByteArray> parts = slashParts(words);
    if (parts.size() > 4 || parts.contains(QByteArray()))
        return std::nullopt;
    const QByteArray rowStart = parts[0];
    const QByteArray columnStart = parts.size() > 1 ? parts[1] : isIdent(rowStart) ? rowStart : "auto";
    const QByteArray rowEnd = parts.size() > 2 ? parts[2] : isIdent(rowStart) ? rowStart : "auto";
    const QByteArray columnEnd = parts.size() > 3 ? parts[3] : isIdent(columnStart) ? columnStart : "auto";
    if (longhand == "GRID-ROW")
        return startAndEnd(rowStart, rowEnd);
    if (longhand == "GRID-COLUMN")
        return startAndEnd(columnStart, columnEnd);
    return std::nullopt;
}

std::optional<QByteArray> gridTemplatePart(const QByteArray &shorthand, const QByteArray &value,
                                           const QList<QByteArray> &words, const QByteArray &longhand)
{
    if (value.contains('"') || value.contains('\''))
        return std::nullopt; // areas with their rows: left to the text
    const QByteArray upper = latinUpper(value);
    const bool autoFlow = upper.contains("AUTO-FLOW");
    if (longhand == "GRID-AUTO-FLOW") {
        if (!autoFlow)
            return QByteArrayLiteral("row");
        const qsizetype slash = words.indexOf("/");
        const bool inRows = slash < 0 || words.mid(0, slash).join(' ').toUpper().contains("AUTO-FLOW");
        return QByteArray(inRows ? "row" : "column") + (upper.contains("DENSE") ? " dense" : "");
    }
    if (autoFlow)
        return std::nullopt;
    if (longhand == "GRID-TEMPLATE-AREAS")
        return QByteArrayLiteral("none");
    if (words.size() == 1 && latinUpper(words[0]) == "NONE")
        return QByteArrayLiteral("none");
    const QList<QByteArray> parts = slashParts(words);
    if (parts.size() != 2 || parts[0].isEmpty() || parts[1].isEmpty())
        return std::nullopt;
    Q_UNUSED(shorthand);
    return longhand == "GRID-TEMPLATE-ROWS" ? parts[0] : parts[1];
}

QByteArray inCaseOf(const QByteArray &written, const char *name)
{
    const QByteArray lower = QByteArray(name).toLower();
    const QByteArray bare = withoutPrefix(written);
    const QByteArray prefix = written.left(written.size() - bare.size());
    return prefix + (bare == latinUpper(bare) && bare != bare.toLower() ? QByteArray(name) : lower);
}

} // namespace

const QList<QByteArray> &layoutLonghandsOf(const QByteArray &shorthand)
{
    static const QList<QByteArray> none;
    const auto it = table().constFind(canonical(withoutPrefix(shorthand)));
    return it == table().cend() ? none : *it;
}

bool isLayoutName(const QByteArray &name)
{
    const QByteArray bare = canonical(withoutPrefix(name));
    if (table().contains(bare))
        return true;
    for (const QList<QByteArray> &longhands : table()) {
        if (longhands.contains(bare))
            return true;
    }
    return false;
}

bool layoutCovers(const QByteArray &a, const QByteArray &b)
{
    const QByteArray from = canonical(withoutPrefix(a)), to = canonical(withoutPrefix(b));
    if (from == to)
        return true;
    for (const QByteArray &longhand : layoutLonghandsOf(from)) {
        if (layoutCovers(longhand, to))
            return true;
    }
    return false;
}

std::optional<QByteArray> layoutLonghandOf(const QByteArray &shorthandName, const QByteArray &value,
                                           const QByteArray &longhandName)
{
    const QByteArray shorthand = canonical(withoutPrefix(shorthandName));
    const QByteArray longhand = canonical(withoutPrefix(longhandName));
    if (shorthand == longhand)
        return value;
    if (latinUpper(value).contains("VAR(") || !layoutLonghandsOf(shorthand).contains(longhand))
        return std::nullopt;
    // A keyword every property takes stands for the whole shorthand.
    if (isCssWideKeyword(value))
        return value.trimmed();
    const std::optional<QList<QByteArray>> words = wordsOf(value.trimmed());
    if (!words || words->isEmpty())
        return std::nullopt;
    if (shorthand == "FLEX")
        return flexPart(*words, longhand);
    if (shorthand == "FLEX-FLOW")
        return flexFlowPart(*words, longhand);
    if (shorthand == "GAP") {
        if (words->size() > 2 || words->contains("/"))
            return std::nullopt;
        return longhand == "ROW-GAP" ? words->first() : words->last();
    }
    if (shorthand.startsWith("PLACE-"))
        return placePart(shorthand, *words, longhand);
    if (shorthand == "GRID-AREA")
        return gridAreaPart(*words, longhand);
    if (shorthand == "GRID" || shorthand == "GRID-TEMPLATE") {
        if (shorthand == "GRID-TEMPLATE" && longhand == "GRID-AUTO-FLOW")
            return std::nullopt;
        return gridTemplatePart(shorthand, value, *words, longhand);
    }
    return std::nullopt;
}

std::optional<QList<QByteArray>> layoutWithoutLonghand(const QByteArray &shorthandAsWritten, const QByteArray &value,
                                                       const QByteArray &longhandName)
{
    const QByteArray shorthand = canonical(withoutPrefix(latinUpper(shorthandAsWritten)));
    const QByteArray longhand = canonical(withoutPrefix(longhandName));
    // Grids keep their template: its parts do not stand alone as written.
    if (shorthand == "GRID" || shorthand == "GRID-TEMPLATE" || shorthand == "GRID-ROW" || shorthand == "GRID-COLUMN")
        return std::nullopt;
    const QList<QByteArray> &longhands = layoutLonghandsOf(shorthand);
    if (!longhands.contains(longhand))
        return std::nullopt;
    QList<QByteArray> out;
    for (const QByteArray &other : longhands) {
        const std::optional<QByteArray> part = layoutLonghandOf(shorthand, value, other);
        if (!part)
            return std::nullopt;
        if (other != longhand)
            out.append(inCaseOf(shorthandAsWritten, other.constData()) + ": " + *part + ";");
    }
    return out;
}
