#include "core/preview/sheet_lowering.h"

#include "core/css/css_color.h"
#include "core/preview/root_variables.h"
#include "core/sheet/byte_lines.h"

#include <QUrl>

#include <cctype>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace {

// Nesting deeper than this is written as it stands.
constexpr int kMaxDepth = 64;

bool isNameByte(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

// The index of the bracket that closes the one at `open` ("{" or "("),
// strings and comments aside, or -1.
qsizetype closingBracket(const QByteArray &text, qsizetype open)
{
    const char opening = text[open];
    const char closing = opening == '{' ? '}' : ')';
    int depth = 0;
    for (qsizetype i = open; i < text.size();) {
        const qsizetype skipped = skipStringOrComment(text, i);
        if (skipped != i) {
            i = skipped;
            continue;
        }
        if (text[i] == opening)
            ++depth;
        else if (text[i] == closing && --depth == 0)
            return i;
        ++i;
    }
    return -1;
}

// Splits at the commas outside brackets, strings and comments.
QList<QByteArray> splitList(const QByteArray &text)
{
    QList<QByteArray> parts;
    int depth = 0;
    qsizetype start = 0;
    for (qsizetype i = 0; i < text.size();) {
        const qsizetype skipped = skipStringOrComment(text, i);
        if (skipped != i) {
            i = skipped;
            continue;
        }
        const char c = text[i];
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && depth > 0)
            --depth;
        else if (c == ',' && depth == 0) {
            parts.append(text.mid(start, i - start).trimmed());
            start = i + 1;
        }
        ++i;
    }
    parts.append(text.mid(start).trimmed());
    return parts;
}

} // namespace

QByteArray resolveNestedSelector(const QByteArray &nested, const QByteArray &parent)
{
    if (parent.isEmpty())
        return nested.trimmed();
    const QByteArray is = ":is(" + parent + ")";
    QList<QByteArray> out;
    for (const QByteArray &item : splitList(nested)) {
        QByteArray resolved;
        bool amp = false;
        for (qsizetype i = 0; i < item.size();) {
            const qsizetype skipped = skipStringOrComment(item, i);
            if (skipped != i) {
                resolved += item.mid(i, skipped - i);
                i = skipped;
                continue;
            }
            if (item[i] == '\\' && i + 1 < item.size()) {
                resolved += item.mid(i, 2);
                i += 2;
                continue;
            }
            if (item[i] == '&') {
                resolved += is;
                amp = true;
            } else {
                resolved += item[i];
            }
            ++i;
        }
        // Without "&" the rule is a descendant of its parent ("> p" a child).
        out.append(amp ? resolved : is + " " + resolved);
    }
    return out.join(", ");
}

namespace {

// The alpha byte as the engine writes it back: the fewest decimals that it
// reads as the same byte, so 0.5 stays 0.5 rather than 0.502.
QByteArray alphaText(int byte)
{
    if (byte == 0 || byte == 255)
        return byte ? "1" : "0";
    for (const double scale : {100.0, 1000.0}) {
        const double rounded = std::round(byte / 255.0 * scale) / scale;
        if (std::lround(rounded * 255) == byte)
            return QByteArray::number(rounded, 'g', 4);
    }
    return QByteArray::number(byte / 255.0, 'g', 4);
}

// Writes a colour as rgba() where its value is the same wherever it is
// used: nothing when it depends on the element (currentColor, a variable
// set elsewhere) or on what the panels do not work out (calc(), "from").
std::optional<QByteArray> plainColor(const QByteArray &function, const QHash<QByteArray, QByteArray> &variables)
{
    QByteArray upper = latinUpper(function);
    if (upper.contains("VAR(")) {
        const std::optional<QByteArray> substituted = withStableVariables(function, variables);
        if (!substituted)
            return std::nullopt;
        upper = latinUpper(*substituted);
    }
    if (upper.contains("VAR(") || upper.contains("CALC(") || upper.contains(" FROM ") || upper.contains("CURRENTCOLOR"))
        return std::nullopt;
    const std::optional<Rgb> color = CssToColor(upper);
    if (!color)
        return std::nullopt;
    QByteArray out = "rgba(" + QByteArray::number(color->r) + ", " + QByteArray::number(color->g) + ", "
                     + QByteArray::number(color->b) + ", ";
    return out + alphaText(color->a) + ")";
}

bool startsWithNoCase(const QByteArray &text, qsizetype at, const char *word, qsizetype length)
{
    return text.size() - at >= length && qstrnicmp(text.constData() + at, word, length) == 0;
}

// Where the quoted address of "@import "x.css"" starts, when the rule at `at`
// is one and the address is relative; else -1. (An url() address is found
// as any other.)
qsizetype importAddressAt(const QByteArray &text, qsizetype at)
{
    if (!startsWithNoCase(text, at, "@import", 7))
        return -1;
    qsizetype i = at + 7;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ')
        ++i;
    if (i >= text.size() || (text[i] != '"' && text[i] != '\''))
        return -1;
    const qsizetype end = skipStringOrComment(text, i);
    const QByteArray address = text.mid(i + 1, end - i - 2);
    if (address.contains("://") || startsWithNoCase(address, 0, "data:", 5))
        return -1;
    return i;
}

// Whether the engine needs the sheet lowered at all: a block inside a style
// rule, a colour function it predates, or an address that is not absolute.
// A plain sheet (most of them) then reaches the page as it is, at the cost
// of one quick look.
bool needsLowering(const QByteArray &sheet, const EngineFeatures &engine)
{
    std::vector<bool> styleRules; // for each open block, whether it is a style rule
    char first = 0;               // the first byte of the prelude being read
    for (qsizetype i = 0; i < sheet.size();) {
        const qsizetype skipped = skipStringOrComment(sheet, i);
        if (skipped != i) {
            i = skipped;
            continue;
        }
        const char c = sheet[i];
        if (c == '{') {
            if (!styleRules.empty() && styleRules.back() && !engine.nesting)
                return true;
            styleRules.push_back(first != '@');
            first = 0;
        } else if (c == '}') {
            if (!styleRules.empty())
                styleRules.pop_back();
            first = 0;
        } else if (c == ';') {
            first = 0;
        } else if (!first && static_cast<unsigned char>(c) > ' ') {
            first = c;
        }
        if (c == '@' && importAddressAt(sheet, i) >= 0)
            return true;
        const char lower = char(c | 0x20);
        if ((lower == 'o' || lower == 'l' || lower == 'h' || lower == 'c' || lower == 'u')
            && !isNameByte(i > 0 ? sheet[i - 1] : ' ')) {
            for (const auto &[word, length] : {std::pair<const char *, qsizetype>{"oklch(", 6}, {"oklab(", 6},
                                               {"lab(", 4}, {"lch(", 4}, {"hwb(", 4}, {"color(", 6},
                                               {"color-mix(", 10}, {"light-dark(", 11}}) {
                if (startsWithNoCase(sheet, i, word, length) && !engine.readsColour(word))
                    return true;
            }
            if (startsWithNoCase(sheet, i, "url(", 4)) {
                qsizetype at = i + 4;
                while (at < sheet.size() && (sheet[at] == ' ' || sheet[at] == '"' || sheet[at] == '\''))
                    ++at;
                if (!startsWithNoCase(sheet, at, "data:", 5) && !startsWithNoCase(sheet, at, "#", 1))
                    return true;
            }
        }
        ++i;
    }
    return false;
}

class Lowering
{
public:
    Lowering(const QByteArray &sheet, const QByteArray &sheetUrl, const EngineFeatures &engine)
        : m_sheet(sheet), m_base(QUrl::fromEncoded(sheetUrl)), m_engine(engine)
    {
        // What this engine shows by itself is not counted as unshown.
        const bool shown[6] = {engine.container, engine.has, engine.scope, engine.individualTransforms,
                               engine.individualTransforms, engine.individualTransforms};
        for (int k = 0; k < 6; ++k)
            m_counted[k] = !shown[k];
    }

    LoweredSheet run()
    {
        countUnshown();
        if (needsLowering(m_sheet, m_engine)) {
            m_variables = stableRootVariables(m_sheet);
            blocks(0, m_sheet.size(), QByteArray(), 0, m_out);
        } else {
            m_out = m_sheet;
        }
        LoweredSheet result;
        result.text = m_out;
        for (int k = 0; k < 6; ++k) {
            const auto &[name, count] = m_unshown[k];
            if (!m_counted[k])
                continue;
            QString shown = QString::fromLatin1(name);
            if (shown.endsWith(QLatin1Char(':')))
                shown.chop(1);
            if (count > 0)
                result.unshown.append({shown, count});
        }
        for (const auto &[name, count] : m_unlowered)
            result.unshown.append({QString::fromLatin1(name), count});
        return result;
    }

private:
    // Values as the engine can read them: colours lowered, addresses made absolute.
    QByteArray values(const QByteArray &text)
    {
        struct Function {
            const char *name;
            qsizetype length;
        };
        static const Function functions[] = {{"oklch(", 6}, {"oklab(", 6},      {"lab(", 4},   {"lch(", 4},
                                             {"hwb(", 4},   {"color-mix(", 10}, {"color(", 6}, {"light-dark(", 11}};
        QByteArray out;
        qsizetype copied = 0; // what is passed on as it stands is copied in runs
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype skipped = skipStringOrComment(text, i);
            if (skipped != i) {
                i = skipped;
                continue;
            }
            // "@import "x.css"" names a file beside the sheet: made absolute
            // as url() addresses are, so that it loads as the linked sheet's
            // would, fonts and all.
            if (text[i] == '@') {
                const qsizetype address = importAddressAt(text, i);
                if (address < 0) {
                    ++i;
                    continue;
                }
                const qsizetype end = skipStringOrComment(text, address);
                out.append(text.constData() + copied, address - copied);
                out += "url(" + absolute(text.mid(address, end - address)) + ")";
                i = copied = end;
                continue;
            }
            // Only a name starting with one of these letters can be lowered.
            const char first = char(text[i] | 0x20);
            const bool candidate = first == 'o' || first == 'l' || first == 'h' || first == 'c' || first == 'u';
            if (!candidate || isNameByte(i > 0 ? text[i - 1] : ' ')) {
                ++i;
                continue;
            }
            std::optional<QByteArray> replacement;
            qsizetype end = i;
            for (const auto &[f, len] : functions) {
                if (char(f[0]) != first || text.size() - i < len || qstrnicmp(text.constData() + i, f, len) != 0)
                    continue;
                if (m_engine.readsColour(f))
                    break;
                const qsizetype close = closingBracket(text, i + len - 1);
                if (close >= 0) {
                    replacement = plainColor(text.mid(i, close + 1 - i), m_variables);
                    end = close + 1;
                    // Left as written, which this engine cannot read: said so.
                    if (!replacement)
                        ++m_unlowered[QByteArray(f, len) + ")"];
                }
                break;
            }
            if (!replacement && text.size() - i >= 4 && qstrnicmp(text.constData() + i, "url(", 4) == 0) {
                const qsizetype close = closingBracket(text, i + 3);
                if (close > 0) {
                    replacement = "url(" + absolute(text.mid(i + 4, close - i - 4)) + ")";
                    end = close + 1;
                }
            }
            if (!replacement) {
                ++i;
                continue;
            }
            out.append(text.constData() + copied, i - copied);
            out += *replacement;
            i = copied = end;
        }
        if (copied == 0)
            return text;
        out.append(text.constData() + copied, text.size() - copied);
        return out;
    }

    // An address inside url( ), quotes kept, made absolute against the sheet.
    QByteArray absolute(const QByteArray &inside) const
    {
        QByteArray address = inside.trimmed();
        QByteArray quote;
        if (address.size() >= 2 && (address[0] == '"' || address[0] == '\'') && address.endsWith(address[0])) {
            quote = address.left(1);
            address = address.mid(1, address.size() - 2);
        }
        // Braces and ";" in an address are left as written: the block scan
        // counts them, and an encoded one would leave a block unbalanced.
        if (!m_base.isValid() || address.isEmpty() || address.startsWith('#') || address.startsWith("data:")
            || address.contains('\\') || address.contains('{') || address.contains('}') || address.contains(';'))
            return inside;
        const QUrl resolved = m_base.resolved(QUrl::fromEncoded(address));
        if (!resolved.isValid())
            return inside;
        return quote + resolved.toEncoded() + quote;
    }

    void countUnshown()
    {
        for (qsizetype i = 0; i < m_sheet.size();) {
            const qsizetype skipped = skipStringOrComment(m_sheet, i);
            if (skipped != i) {
                i = skipped;
                continue;
            }
            if (m_sheet[i] == 't' || m_sheet[i] == 'T' || m_sheet[i] == 'r' || m_sheet[i] == 'R' || m_sheet[i] == 's'
                || m_sheet[i] == 'S') {
                countProperty(i);
                ++i;
                continue;
            }
            if (m_sheet[i] != '@' && m_sheet[i] != ':') {
                ++i;
                continue;
            }
            for (auto &[name, count] : m_unshown) {
                const qsizetype len = qsizetype(qstrlen(name));
                if (name[len - 1] == ':')
                    continue;
                if (m_sheet.size() - i >= len && qstrnicmp(m_sheet.constData() + i, name, len) == 0
                    && (name[0] != '@' || i == 0 || !isNameByte(m_sheet[i - 1]))
                    && (m_sheet.size() - i == len || !isNameByte(m_sheet[i + len]) || name[len - 1] == '('))
                    ++count;
            }
            ++i;
        }
    }

    // A property name of the list starting at `at`: after a ";", "{" or a
    // blank, before blanks and a colon.
    void countProperty(qsizetype at)
    {
        if (at > 0 && (isNameByte(m_sheet[at - 1]) || m_sheet[at - 1] == ':'))
            return;
        for (auto &[name, count] : m_unshown) {
            const qsizetype len = qsizetype(qstrlen(name)) - 1;
            if (name[len] != ':' || m_sheet.size() - at < len || qstrnicmp(m_sheet.constData() + at, name, len) != 0)
                continue;
            qsizetype after = at + len;
            while (after < m_sheet.size() && (m_sheet[after] == ' ' || m_sheet[after] == '\t'))
                ++after;
            if (after < m_sheet.size() && m_sheet[after] == ':')
                ++count;
        }
    }

    // The blocks and statements between `from` and `to`, under a parent
    // selector (empty at the top level and inside at-rules there).
    void blocks(qsizetype from, qsizetype to, const QByteArray &parent, int depth, QByteArray &out)
    {
        QByteArray pending; // a run of the parent's own declarations
        auto flush = [&] {
            if (!pending.trimmed().isEmpty() && !parent.isEmpty())
                out += parent + " {" + values(pending) + "}\n";
            else if (!pending.trimmed().isEmpty())
                out += values(pending);
            pending.clear();
        };
        qsizetype start = from;
        for (qsizetype i = from; i < to;) {
            const qsizetype skipped = skipStringOrComment(m_sheet, i);
            if (skipped != i) {
                i = std::min(skipped, to);
                continue;
            }
            const char c = m_sheet[i];
            if (c == ';') {
                pending += m_sheet.mid(start, i + 1 - start);
                start = ++i;
                continue;
            }
            if (c == '}') { // a stray one: kept as written
                pending += m_sheet.mid(start, i + 1 - start);
                start = ++i;
                continue;
            }
            if (c != '{') {
                ++i;
                continue;
            }
            const qsizetype close = closingBracket(m_sheet, i);
            if (close < 0 || close > to) {
                // Never closes: the rest goes as written.
                pending += m_sheet.mid(start, to - start);
                start = i = to;
                break;
            }
            const QByteArray prelude = m_sheet.mid(start, i - start);
            // Comments in front of the prelude stay with the output.
            block(prelude, i + 1, close, parent, depth, pending, flush, out);
            start = i = close + 1;
        }
        pending += m_sheet.mid(start, to - start);
        flush();
    }

    template<typename Flush>
    void block(const QByteArray &prelude, qsizetype bodyFrom, qsizetype bodyTo, const QByteArray &parent, int depth,
               QByteArray &pending, Flush &flush, QByteArray &out)
    {
        const QByteArray head = prelude.trimmed();
        const bool atRule = head.startsWith('@');
        const QByteArray name = atRule ? latinUpper(head.left(head.indexOf(' ') < 0 ? head.size() : head.indexOf(' ')))
                                       : QByteArray();
        const bool conditional = name == "@MEDIA" || name == "@SUPPORTS" || name == "@CONTAINER" || name == "@LAYER"
                                 || name == "@SCOPE" || name == "@DOCUMENT" || name == "@STARTING-STYLE";
        // A rule without a selector is dropped by every engine: it goes as
        // written, braces and all, rather than lose them.
        const bool noSelector = !atRule && withoutComments(prelude).isEmpty();
        if (noSelector) {
            flush();
            out += prelude + "{" + m_sheet.mid(bodyFrom, bodyTo - bodyFrom) + "}\n";
            return;
        }
        if (depth >= kMaxDepth || (atRule && !conditional) || hasOpenString(prelude)) {
            // @keyframes, @font-face, @page…: only their values are lowered.
            if (parent.isEmpty()) {
                pending += prelude;
                flush();
                out += "{" + values(m_sheet.mid(bodyFrom, bodyTo - bodyFrom)) + "}";
            } else {
                flush();
                out += prelude + "{" + m_sheet.mid(bodyFrom, bodyTo - bodyFrom) + "}";
            }
            return;
        }
        flush();
        if (!atRule && m_engine.nesting) {
            // An engine that reads nesting gets the rule as written, its
            // values lowered as far as it needs.
            out += prelude + "{" + values(m_sheet.mid(bodyFrom, bodyTo - bodyFrom)) + "}";
            return;
        }
        if (atRule) {
            // "@supports (color: oklch(0 0 0))" holds here too once its
            // colour is one this engine reads; its "not (…)" then does not.
            out += (name == "@SUPPORTS" ? values(prelude) : prelude) + "{";
            blocks(bodyFrom, bodyTo, parent, depth + 1, out);
            out += "}\n";
            return;
        }
        const QByteArray selector = resolveNestedSelector(withoutComments(prelude), parent);
        // The rule's own declarations at its place, then what is nested in it.
        out += leadingComments(prelude);
        blocks(bodyFrom, bodyTo, selector, depth + 1, out);
    }

    static QByteArray withoutComments(const QByteArray &prelude)
    {
        QByteArray out;
        for (qsizetype i = 0; i < prelude.size();) {
            // "/*" inside an unquoted url( ) opens no comment.
            if (prelude[i] == '/' && i + 1 < prelude.size() && prelude[i + 1] == '*' && unquotedUrlEnd(prelude, i) < 0) {
                const qsizetype end = skipStringOrComment(prelude, i);
                // With no blank beside it a comment is no blank: "a/**/b"
                // stays as it is, a selector the engine drops.
                const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '>' || c == '+' || c == '~'; };
                const bool joined = i > 0 && end < prelude.size() && !blank(prelude[i - 1]) && !blank(prelude[end]);
                out += joined ? prelude.mid(i, end - i) : QByteArray(" ");
                i = end;
            } else {
                const qsizetype skipped = skipStringOrComment(prelude, i);
                const qsizetype end = skipped != i ? skipped : i + 1;
                out += prelude.mid(i, end - i);
                i = end;
            }
        }
        return out.trimmed();
    }

    // A string that a line break ends is no string a selector can carry: the
    // rule goes as written, line break and all.
    static bool hasOpenString(const QByteArray &prelude)
    {
        for (qsizetype i = 0; i < prelude.size();) {
            const qsizetype end = skipStringOrComment(prelude, i);
            if (end == i) {
                ++i;
                continue;
            }
            if (prelude[i] != '/' && (prelude[end - 1] != prelude[i] || end - 1 == i))
                return true;
            i = end;
        }
        return false;
    }

    // The comments of a prelude (not what looks like one inside a string).
    static QByteArray leadingComments(const QByteArray &prelude)
    {
        QByteArray out;
        for (qsizetype i = 0; i < prelude.size();) {
            const qsizetype end = skipStringOrComment(prelude, i);
            if (end == i) {
                ++i;
                continue;
            }
            if (prelude[i] == '/' && unquotedUrlEnd(prelude, i) < 0)
                out += prelude.mid(i, end - i);
            i = end;
        }
        return out;
    }

    const QByteArray &m_sheet;
    const QUrl m_base;
    const EngineFeatures &m_engine;
    bool m_counted[6] = {};
    QByteArray m_out;
    // The separate translate, rotate and scale properties came to the engine
    // after the preview's: counted by their name before a colon.
    std::pair<const char *, int> m_unshown[6] = {{"@container", 0}, {":has(", 0}, {"@scope", 0},
                                                 {"translate:", 0}, {"rotate:", 0}, {"scale:", 0}};
    // Colour functions left as written, by name: "color-mix()".
    std::map<QByteArray, int> m_unlowered;
    QHash<QByteArray, QByteArray> m_variables;
};

} // namespace

LoweredSheet lowerForPreview(const QByteArray &sheet, const QByteArray &sheetUrl, const EngineFeatures &engine)
{
    return Lowering(sheet, sheetUrl, engine).run();
}

QString unshownMessage(const LoweredSheet &lowered)
{
    if (lowered.unshown.isEmpty())
        return QString();
    QStringList parts;
    for (const auto &[name, count] : lowered.unshown)
        parts.append(QStringLiteral("%1 (%2)").arg(name == QLatin1String(":has(") ? QStringLiteral(":has()") : name)
                         .arg(count));
    return QStringLiteral("Просмотр не показывает: ") + parts.join(QStringLiteral(", "));
}

QByteArray lowerDeclarations(const QByteArray &declarations, const EngineFeatures &engine)
{
    const QByteArray lowered = lowerForPreview("a{" + declarations + "}", QByteArray(), engine).text;
    const qsizetype open = lowered.indexOf('{');
    const qsizetype close = lowered.lastIndexOf('}');
    return open < 0 || close < open ? declarations : lowered.mid(open + 1, close - open - 1);
}
