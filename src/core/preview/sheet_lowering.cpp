#include "core/preview/sheet_lowering.h"

#include "core/css/css_color.h"
#include "core/css/css_tokenizer.h"
#include "core/preview/root_variables.h"
#include "core/sheet/byte_lines.h"

#include <QUrl>

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

namespace {

// Nesting deeper than this is written as it stands.
constexpr int kMaxDepth = 64;

// Splits at the commas outside brackets and blocks.
QList<QByteArray> splitList(const QByteArray &text)
{
    QList<QByteArray> parts;
    int depth = 0;
    qsizetype start = 0;
    for (const CssToken &token : cssTokens(text)) {
        depth = std::max(0, depth + cssNesting(token.type));
        if (token.type == CssToken::Comma && depth == 0) {
            parts.append(text.mid(start, token.from - start).trimmed());
            start = token.to;
        }
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
        for (const CssToken &token : cssTokens(item)) {
            if (token.type == CssToken::Delim && item[token.from] == '&') {
                resolved += is;
                amp = true;
            } else {
                resolved += token.text(item);
            }
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

// Whether an address is one the lowering makes absolute.
bool relativeAddress(const QByteArray &address)
{
    const QByteArray lower = address.left(5).toLower();
    return !address.contains("://") && lower != "data:" && !address.startsWith('#');
}

// The colour function a token opens, "oklch(" and the like, or null.
const char *colourFunction(const QByteArray &text, const CssToken &token)
{
    static const char *const functions[] = {"oklch(", "oklab(", "lab(", "lch(", "hwb(", "color(", "color-mix(", "light-dark("};
    if (token.type != CssToken::Function)
        return nullptr;
    for (const char *function : functions) {
        if (cssTokenNameIs(text, token, QByteArrayView(function).chopped(1)))
            return function;
    }
    return nullptr;
}

// Whether the engine needs the sheet lowered at all: a block inside a style
// rule, a colour function it predates, or an address that is not absolute.
// A plain sheet (most of them) then reaches the page as it is, at the cost
// of one look at its tokens, taken one at a time.
class LoweringNeed
{
public:
    LoweringNeed(const QByteArray &sheet, const EngineFeatures &engine)
        : m_sheet(sheet), m_engine(engine)
    {
    }

    // Whether the sheet needs lowering, once this token is read too.
    bool take(const CssToken &token)
    {
        if (m_needed || cssIsBlank(token))
            return m_needed;
        if (m_awaitingAddress && token.type == CssToken::String && token.closed
            && relativeAddress(cssTokenName(m_sheet, token)))
            return m_needed = true;
        m_awaitingAddress = false;
        switch (token.type) {
        case CssToken::OpenCurly:
            if (!m_styleRules.empty() && m_styleRules.back() && !m_engine.nesting)
                return m_needed = true;
            m_styleRules.push_back(!m_atRule);
            m_preludeStarted = false;
            return false;
        case CssToken::CloseCurly:
            if (!m_styleRules.empty())
                m_styleRules.pop_back();
            m_preludeStarted = false;
            return false;
        case CssToken::Semicolon:
            m_preludeStarted = false;
            return false;
        case CssToken::AtKeyword:
            m_awaitingAddress = cssTokenNameIs(m_sheet, token, "import");
            break;
        case CssToken::Url:
            if (m_sheet[token.to - 1] == ')' && relativeAddress(cssTokenName(m_sheet, token)))
                return m_needed = true;
            break;
        case CssToken::Function:
            if (cssTokenNameIs(m_sheet, token, "url"))
                m_awaitingAddress = true;
            else if (const char *colour = colourFunction(m_sheet, token); colour && !m_engine.readsColour(colour))
                return m_needed = true;
            break;
        default:
            break;
        }
        if (!m_preludeStarted) {
            m_preludeStarted = true;
            m_atRule = token.type == CssToken::AtKeyword;
        }
        return false;
    }

private:
    const QByteArray &m_sheet;
    const EngineFeatures &m_engine;
    bool m_needed = false;
    std::vector<bool> m_styleRules; // for each open block, whether it is a style rule
    bool m_preludeStarted = false;  // a token of the prelude being read was seen
    bool m_atRule = false;          // and the first was an at-keyword
    bool m_awaitingAddress = false; // after "@import" or "url(": a string would be an address
};

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
        // One look at the tokens counts what the engine will not show and
        // says whether the sheet needs lowering.
        LoweringNeed need(m_sheet, m_engine);
        bool needed = false;
        CssTokenReader reader(m_sheet);
        while (!reader.atEnd()) {
            const CssToken token = reader.next();
            needed = need.take(token);
            countUnshown(token);
        }
        if (needed) {
            m_variables = stableRootVariables(m_sheet);
            matchBlocks();
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
    // Values as the engine can read them: colours lowered, addresses made
    // absolute. Read as tokens, so that only what the engine reads as an
    // address is one: a bad string or a bad url stays as written.
    QByteArray values(const QByteArray &text)
    {
        const QList<CssToken> tokens = cssTokens(text);
        // The next token that is neither a blank nor a comment, from `k`.
        const auto significant = [&](qsizetype k) {
            while (k < tokens.size() && (tokens[k].type == CssToken::Whitespace || tokens[k].type == CssToken::Comment))
                ++k;
            return k;
        };
        QByteArray out;
        qsizetype copied = 0; // what is passed on as it stands is copied in runs
        for (qsizetype k = 0; k < tokens.size(); ++k) {
            const CssToken &token = tokens[k];
            std::optional<QByteArray> replacement;
            qsizetype from = token.from;
            qsizetype last = k; // the last token replaced
            if (token.type == CssToken::AtKeyword && cssTokenNameIs(text, token, "import")) {
                // "@import "x.css"" names a file beside the sheet: made absolute
                // as url() addresses are, so that it loads as the linked
                // sheet's would, fonts and all.
                const qsizetype s = significant(k + 1);
                if (s < tokens.size() && tokens[s].type == CssToken::String && tokens[s].closed) {
                    const QByteArray address = cssTokenName(text, tokens[s]);
                    if (relativeAddress(address)) {
                        from = tokens[s].from;
                        last = s;
                        replacement = "url(" + absolute(text.mid(from, tokens[s].to - from)) + ")";
                    }
                }
            } else if (token.type == CssToken::Url) {
                const QByteArrayView raw = token.text(text);
                if (raw.endsWith(')')) {
                    const qsizetype open = raw.indexOf('(') + 1;
                    replacement = "url(" + absolute(raw.sliced(open, raw.size() - open - 1).toByteArray()) + ")";
                }
            } else if (token.type == CssToken::Function) {
                const char *colour = colourFunction(text, token);
                if (cssTokenNameIs(text, token, "url")) {
                    const qsizetype s = significant(k + 1);
                    const qsizetype close = significant(s + 1);
                    if (s < tokens.size() && tokens[s].type == CssToken::String && tokens[s].closed
                        && close < tokens.size() && tokens[close].type == CssToken::CloseParen) {
                        last = close;
                        replacement = "url(" + absolute(text.mid(tokens[s].from, tokens[s].to - tokens[s].from)) + ")";
                    }
                } else if (colour && !m_engine.readsColour(colour)) {
                    const qsizetype close = cssClosingToken(tokens, k);
                    if (close >= 0) {
                        last = close;
                        replacement = plainColor(text.mid(token.from, tokens[close].to - token.from), m_variables);
                        // Left as written, which this engine cannot read: said so.
                        if (!replacement)
                            ++m_unlowered[QByteArray(colour) + ")"];
                    }
                }
            }
            if (!replacement)
                continue;
            out.append(text.constData() + copied, from - copied);
            out += *replacement;
            copied = tokens[last].to;
            k = last;
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

    void countUnshown(const CssToken &token)
    {
        if (cssIsBlank(token))
            return;
        if (!m_property.isEmpty() && token.type == CssToken::Colon)
            countUnshown(m_property);
        m_property.clear();
        // Names are compared in place: a sheet holds a million of them.
        for (auto &[shown, count] : m_unshown) {
            const QByteArrayView name(shown);
            if (token.type == CssToken::AtKeyword && name.startsWith('@')) {
                count += cssTokenNameIs(m_sheet, token, name.sliced(1));
            } else if (token.type == CssToken::Function && m_before == CssToken::Colon && name.startsWith(':')) {
                count += cssTokenNameIs(m_sheet, token, name.sliced(1).chopped(1));
            } else if (token.type == CssToken::Ident && m_before != CssToken::Colon && name.endsWith(':')
                       && cssTokenNameIs(m_sheet, token, name.chopped(1))) {
                m_property = name.toByteArray();
            }
        }
        m_before = token.type;
    }

    void countUnshown(const QByteArray &name)
    {
        for (auto &[shown, count] : m_unshown) {
            if (name == shown)
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
        auto k = std::lower_bound(m_tokens.cbegin(), m_tokens.cend(), from,
                                  [](const CssToken &token, qsizetype at) { return token.from < at; })
                 - m_tokens.cbegin();
        for (; k < m_tokens.size() && m_tokens[k].from < to; ++k) {
            const CssToken &token = m_tokens[k];
            if (token.type == CssToken::Semicolon || token.type == CssToken::CloseCurly) {
                // A stray "}" is kept as written.
                pending += m_sheet.mid(start, token.to - start);
                start = token.to;
                continue;
            }
            if (token.type != CssToken::OpenCurly)
                continue;
            const qsizetype close = m_closeOf[k];
            if (close < 0 || m_tokens[close].from > to) {
                // Never closes: the rest goes as written.
                break;
            }
            const QByteArray prelude = m_sheet.mid(start, token.from - start);
            // Comments in front of the prelude stay with the output.
            block(prelude, token.to, m_tokens[close].from, parent, depth, pending, flush, out);
            start = m_tokens[close].to;
            k = close;
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

    // Pairs each "{" with its "}", as the engine's tokens nest them.
    void matchBlocks()
    {
        m_tokens = cssTokens(m_sheet);
        m_closeOf = QList<qsizetype>(m_tokens.size(), -1);
        std::vector<qsizetype> open;
        for (qsizetype k = 0; k < m_tokens.size(); ++k) {
            if (m_tokens[k].type == CssToken::OpenCurly) {
                open.push_back(k);
            } else if (m_tokens[k].type == CssToken::CloseCurly && !open.empty()) {
                m_closeOf[open.back()] = k;
                open.pop_back();
            }
        }
    }

    static QByteArray withoutComments(const QByteArray &prelude)
    {
        QByteArray out;
        for (const CssToken &token : cssTokens(prelude)) {
            if (token.type != CssToken::Comment) {
                out += token.text(prelude);
                continue;
            }
            // With no blank beside it a comment is no blank: "a/**/b" stays
            // as it is, a selector the engine drops.
            const auto blank = [](char c) { return static_cast<unsigned char>(c) <= ' ' || c == ',' || c == '>' || c == '+' || c == '~'; };
            const bool joined = token.from > 0 && token.to < prelude.size() && !blank(prelude[token.from - 1])
                                && !blank(prelude[token.to]);
            out += joined ? token.text(prelude).toByteArray() : QByteArray(" ");
        }
        return out.trimmed();
    }

    // A string that a line break ends is no string a selector can carry: the
    // rule goes as written, line break and all.
    static bool hasOpenString(const QByteArray &prelude)
    {
        for (const CssToken &token : cssTokens(prelude)) {
            if (token.type == CssToken::BadString || (token.type == CssToken::String && !token.closed))
                return true;
        }
        return false;
    }

    // The comments of a prelude (not what looks like one inside a string).
    static QByteArray leadingComments(const QByteArray &prelude)
    {
        QByteArray out;
        for (const CssToken &token : cssTokens(prelude)) {
            if (token.type == CssToken::Comment)
                out += token.text(prelude);
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
    QList<CssToken> m_tokens;     // the sheet's, when it is lowered
    QList<qsizetype> m_closeOf;   // for each "{" token, its "}" token or -1
    CssToken::Type m_before = CssToken::Semicolon; // the last token that is no blank or comment
    QByteArray m_property; // a name that is a property's when a colon follows
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
