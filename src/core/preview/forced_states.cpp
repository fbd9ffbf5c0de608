#include "core/preview/forced_states.h"

#include "core/css/css_tokenizer.h"
#include "core/sheet/block_scanner.h"
#include "core/sheet/byte_lines.h"


namespace {

// Whether the bytes are the name, the letters a to z in either case.
bool sameLatinLetters(QByteArrayView bytes, const char *name)
{
    const QByteArrayView wanted(name);
    if (bytes.size() != wanted.size())
        return false;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if ((c >= 'A' && c <= 'Z' ? char(c + 32) : c) != wanted[i])
            return false;
    }
    return true;
}

bool isLegacyPseudoElement(QByteArrayView name)
{
    for (const char *legacy : {"before", "after", "first-line", "first-letter"}) {
        if (sameLatinLetters(name, legacy))
            return true;
    }
    return false;
}

// A selector with its states marked. A state after a pseudo-element is the
// pseudo-element's own (::-webkit-scrollbar-thumb:hover): an attribute
// cannot match a pseudo-element, and an engine may refuse :is() there, so
// it stays as written.
QByteArray marked(const QByteArray &selector)
{
    const QList<CssToken> tokens = cssTokens(selector);
    QByteArray out;
    out.reserve(selector.size() + 32);
    // Whether the compound being read is past a pseudo-element, at each
    // depth of brackets.
    QList<bool> afterPseudoElement{false};
    for (qsizetype k = 0; k < tokens.size(); ++k) {
        const CssToken &t = tokens[k];
        const QByteArrayView text = t.text(selector);
        switch (t.type) {
        case CssToken::Function:
        case CssToken::OpenParen:
        case CssToken::OpenSquare:
            afterPseudoElement.append(false);
            break;
        case CssToken::CloseParen:
        case CssToken::CloseSquare:
            if (afterPseudoElement.size() > 1)
                afterPseudoElement.removeLast();
            break;
        case CssToken::Whitespace:
        case CssToken::Comma:
            afterPseudoElement.last() = false;
            break;
        case CssToken::Delim:
            if (text == ">" || text == "+" || text == "~")
                afterPseudoElement.last() = false;
            break;
        case CssToken::Colon: {
            const CssToken *next = k + 1 < tokens.size() ? &tokens[k + 1] : nullptr;
            if (next && next->type == CssToken::Colon) {
                afterPseudoElement.last() = true;
                out += text.toByteArray() + next->text(selector).toByteArray();
                ++k;
                continue;
            }
            if (!next || next->type != CssToken::Ident)
                break;
            const QByteArrayView name = next->text(selector);
            if (isLegacyPseudoElement(name)) {
                afterPseudoElement.last() = true;
                break;
            }
            const ForcedState *state = nullptr;
            for (const ForcedState &s : forcedStates()) {
                if (sameLatinLetters(QByteArray(":") + name.toByteArray(), s.pseudoClass))
                    state = &s;
            }
            if (state && !afterPseudoElement.last()) {
                out += ":is(:" + name.toByteArray() + ", [" + state->attribute + "])";
                ++k;
                continue;
            }
            break;
        }
        default:
            break;
        }
        out += text.toByteArray();
    }
    return out;
}

} // namespace

const QList<ForcedState> &forcedStates()
{
    static const QList<ForcedState> states = {
        {":hover", "data-quillbox-hover"},
        {":focus", "data-quillbox-focus"},
        {":focus-visible", "data-quillbox-focus-visible"},
        {":focus-within", "data-quillbox-focus-within"},
        {":active", "data-quillbox-active"},
    };
    return states;
}

QByteArray withStateMarkers(const QByteArray &sheet)
{
    if (!sheet.contains(':'))
        return sheet;
    const ByteLines lines = splitText(sheet);
    const SheetScan scan = scanSheet(lines);
    // The style rules' selectors, by their places: from the selector's start
    // to its "{".
    struct Prelude {
        SheetPos from, to;
    };
    std::vector<Prelude> preludes;
    for (const TopBlock &block : scan.blocks) {
        if (block.hasSelector && lines[block.start.line][block.start.column] != '@')
            preludes.push_back({block.start, block.open});
    }
    for (const GroupBlock &group : scan.groups) {
        if (group.style)
            preludes.push_back({group.start, group.open});
    }
    if (preludes.empty())
        return sheet;
    std::sort(preludes.begin(), preludes.end(), [](const Prelude &a, const Prelude &b) {
        return a.from.line != b.from.line ? a.from.line < b.from.line : a.from.column < b.from.column;
    });
    // The text rebuilt line by line, each prelude marked in place.
    ByteLines out = lines;
    for (auto it = preludes.rbegin(); it != preludes.rend(); ++it) {
        // Most selectors name no pseudo-class at all.
        bool colon = false;
        for (int k = it->from.line; k <= it->to.line && !colon; ++k) {
            const int first = k == it->from.line ? it->from.column : 0;
            const int last = k == it->to.line ? it->to.column : int(out[k].size());
            colon = last > first && QByteArrayView(out[k]).sliced(first, last - first).contains(':');
        }
        if (!colon)
            continue;
        QByteArray text;
        for (int k = it->from.line; k <= it->to.line; ++k) {
            const int first = k == it->from.line ? it->from.column : 0;
            const int last = k == it->to.line ? it->to.column : int(out[k].size());
            if (k > it->from.line)
                text += '\n';
            text += out[k].mid(first, last - first);
        }
        const QByteArray changed = marked(text);
        if (changed == text)
            continue;
        // Marking adds no line break: the prelude keeps its lines.
        const ByteLines parts = (out[it->from.line].left(it->from.column) + changed + out[it->to.line].mid(it->to.column))
                                    .split('\n');
        for (int k = it->from.line; k <= it->to.line; ++k)
            out[k] = parts[k - it->from.line];
    }
    return joinLines(out, "\n");
}
