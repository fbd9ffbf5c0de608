#include "core/preview/forced_states.h"

#include "core/sheet/block_scanner.h"
#include "core/sheet/byte_lines.h"

#include <cctype>

namespace {

bool isNameByte(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '_' || static_cast<unsigned char>(c) >= 0x80;
}

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

// The selector text between two places of a line list, marked.
QByteArray marked(const QByteArray &selector)
{
    QByteArray out;
    out.reserve(selector.size() + 32);
    for (qsizetype i = 0; i < selector.size();) {
        const char c = selector[i];
        if (c == '"' || c == '\'' || (c == '/' && i + 1 < selector.size() && selector[i + 1] == '*')) {
            const qsizetype after = skipStringOrComment(selector, i);
            out += selector.mid(i, std::max<qsizetype>(after, i + 1) - i);
            i = std::max<qsizetype>(after, i + 1);
            continue;
        }
        if (c == '\\' && i + 1 < selector.size()) {
            out += selector.mid(i, 2);
            i += 2;
            continue;
        }
        if (c == ':' && (i == 0 || selector[i - 1] != ':') && (i + 1 >= selector.size() || selector[i + 1] != ':')) {
            qsizetype end = i + 1;
            while (end < selector.size() && isNameByte(selector[end]))
                ++end;
            const QByteArrayView name(selector.constData() + i, end - i);
            const ForcedState *state = nullptr;
            for (const ForcedState &s : forcedStates()) {
                if (sameLatinLetters(name, s.pseudoClass))
                    state = &s;
            }
            // ":hover(" would be no state but a function.
            if (state && (end >= selector.size() || selector[end] != '(')) {
                out += ":is(" + selector.mid(i, end - i) + ", [" + state->attribute + "])";
                i = end;
                continue;
            }
        }
        out += c;
        ++i;
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
