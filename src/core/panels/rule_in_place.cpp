#include "core/panels/rule_in_place.h"

#include "core/css/css_tokenizer.h"
#include "core/panels/layout_shorthands.h"
#include "core/sheet/byte_lines.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// A declaration in a text, by its offsets.
struct Placed {
    QByteArray name;     // in capitals, comments left out
    QByteArray written;  // the name as written
    qsizetype start = 0; // its name's first byte
    qsizetype colon = 0;
    qsizetype valueFrom = 0;
    qsizetype valueTo = 0; // before the blanks and the !important after it
    qsizetype end = 0;     // just after its ";", or where its text ends
    bool semicolon = false;
    bool important = false;
};

// The declarations between two offsets; nothing when a block stands there.
std::optional<std::vector<Placed>> placedIn(const QByteArray &text, qsizetype from, qsizetype to)
{
    std::vector<Placed> out;
    qsizetype piece = from;
    qsizetype colon = -1;
    qsizetype bang = -1;
    auto close = [&](qsizetype at, bool semicolon) {
        if (colon >= 0) {
            Placed d;
            d.start = piece;
            // The name starts after blanks and comments.
            CssTokenReader lead(QByteArrayView(text).sliced(piece, colon - piece));
            while (!lead.atEnd()) {
                const CssToken token = lead.next();
                if (!cssIsBlank(token))
                    break;
                d.start = piece + token.to;
            }
            d.written = text.mid(d.start, colon - d.start).trimmed();
            const QByteArray bare = cssWithoutComments(d.written).trimmed();
            d.name = bare.startsWith("--") ? bare : latinUpper(bare);
            d.colon = colon;
            d.valueFrom = colon + 1;
            while (d.valueFrom < at && isBlank(text[d.valueFrom]))
                ++d.valueFrom;
            qsizetype valueEnd = at;
            if (bang >= 0 && latinUpper(QByteArray(text.mid(bang + 1, at - bang - 1)).trimmed()) == "IMPORTANT") {
                d.important = true;
                valueEnd = bang;
            }
            d.valueTo = valueEnd;
            while (d.valueTo > d.valueFrom && isBlank(text[d.valueTo - 1]))
                --d.valueTo;
            d.semicolon = semicolon;
            d.end = semicolon ? at + 1 : d.important ? at : d.valueTo;
            if (!semicolon && d.important) {
                while (d.end > d.valueTo && isBlank(text[d.end - 1]))
                    --d.end;
            }
            if (!d.name.isEmpty())
                out.push_back(d);
        }
        piece = at + 1;
        colon = -1;
        bang = -1;
    };
    const QByteArrayView range = QByteArrayView(text).first(to);
    for (qsizetype at = from; at < to;) {
        const CssDeclarationMarks marks = cssDeclarationMarks(range, at);
        if (marks.braces)
            return std::nullopt;
        colon = marks.colon;
        bang = marks.bang;
        if (!marks.semicolon)
            break;
        close(marks.end, true);
        at = marks.end + 1;
    }
    close(to, false);
    return out;
}

QByteArray valueOf(const QByteArray &text, const Placed &d)
{
    return text.mid(d.valueFrom, d.valueTo - d.valueFrom);
}

// Values compare with their blanks folded, and none beside commas and
// brackets: the panels' layout of a value that goes over lines joins its
// lines without their indent.
QByteArray folded(const QByteArray &value)
{
    const QByteArray simple = value.simplified();
    QByteArray out;
    out.reserve(simple.size());
    for (qsizetype i = 0; i < simple.size(); ++i) {
        const char c = simple[i];
        if (c == ' ') {
            const char before = out.isEmpty() ? ',' : out.back();
            const char next = i + 1 < simple.size() ? simple[i + 1] : ',';
            if (before == ',' || before == '(' || next == ',' || next == ')')
                continue;
        }
        out += c;
    }
    return out;
}

// Whether one property sets another: the same, or a shorthand of it.
bool covers(const QByteArray &a, const QByteArray &b)
{
    // "flex" sets no flex-direction, "grid" no grid-column: layout names
    // are looked up, not guessed from their stems.
    if (isLayoutName(a) && isLayoutName(b))
        return layoutCovers(a, b);
    // Nor does "border" set a corner's radius or a table's spacing.
    if (a == "BORDER" && (b.endsWith("-RADIUS") || b == "BORDER-COLLAPSE" || b == "BORDER-SPACING"))
        return false;
    if (a == b || b.startsWith(a + '-'))
        return true;
    if (a == "FONT" && b == "LINE-HEIGHT")
        return true;
    if (a == "INSET" && (b == "TOP" || b == "RIGHT" || b == "BOTTOM" || b == "LEFT"))
        return true;
    if (a == "BORDER-RADIUS" && b.startsWith("BORDER-") && b.endsWith("-RADIUS"))
        return true;
    for (const char *part : {"-WIDTH", "-STYLE", "-COLOR"}) {
        if (a == QByteArray("BORDER") + part && b.startsWith("BORDER-") && b.endsWith(part))
            return true;
    }
    return false;
}

bool interacts(const QByteArray &a, const QByteArray &b)
{
    return covers(a, b) || covers(b, a);
}

struct Edit {
    qsizetype from;
    qsizetype to;
    QByteArray text;
};

// The offsets of a declaration's line, with its line break, when nothing
// else stands on it; else the declaration and the blanks after it.
std::pair<qsizetype, qsizetype> removal(const QByteArray &text, const Placed &d)
{
    qsizetype lineStart = d.start;
    while (lineStart > 0 && (text[lineStart - 1] == ' ' || text[lineStart - 1] == '\t'))
        --lineStart;
    qsizetype lineEnd = d.end;
    while (lineEnd < text.size() && (text[lineEnd] == ' ' || text[lineEnd] == '\t' || text[lineEnd] == '\r'))
        ++lineEnd;
    const bool aloneBefore = lineStart == 0 || text[lineStart - 1] == '\n';
    const bool aloneAfter = lineEnd < text.size() && text[lineEnd] == '\n';
    if (aloneBefore && aloneAfter && lineStart > 0)
        return {lineStart, lineEnd + 1};
    qsizetype end = d.end;
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t'))
        ++end;
    return {d.start, end};
}

QByteArray lineIndent(const QByteArray &text, qsizetype at)
{
    qsizetype start = at;
    while (start > 0 && text[start - 1] != '\n')
        --start;
    qsizetype end = start;
    while (end < text.size() && (text[end] == ' ' || text[end] == '\t'))
        ++end;
    return text.mid(start, end - start);
}

} // namespace

std::optional<ByteLines> ruleEditedInPlace(const AsRead &read, const QByteArray &name, const ByteLines &body)
{
    if (read.raw.isEmpty())
        return std::nullopt;
    const bool renamed = name != read.name;
    if (renamed && !read.selectorComments.isEmpty())
        return std::nullopt;
    const QByteArray text = read.raw.lines().join('\n');
    // The selector's place and the body's braces.
    qsizetype selectorAt = 0;
    for (int k = 0; k < read.selectorAt.line; ++k)
        selectorAt = text.indexOf('\n', selectorAt) + 1;
    selectorAt += read.selectorAt.column;
    const qsizetype open = cssFindToken(text, selectorAt, CssToken::OpenCurly);
    if (open < 0)
        return std::nullopt;
    // A rule with nested rules ends with its own declarations; one without
    // ends with its "}".
    const bool closed = text.endsWith('}');
    const qsizetype bodyEnd = closed ? text.size() - 1 : text.size();
    const std::optional<std::vector<Placed>> before = placedIn(text, open + 1, bodyEnd);
    const QByteArray wanted = body.join('\n');
    const std::optional<std::vector<Placed>> after = placedIn(wanted, 0, wanted.size());
    if (!before || !after)
        return std::nullopt;

    // Each property's declarations before and after, in order.
    std::map<QByteArray, std::vector<size_t>> was, now;
    for (size_t k = 0; k < before->size(); ++k)
        was[(*before)[k].name].push_back(k);
    for (size_t k = 0; k < after->size(); ++k)
        now[(*after)[k].name].push_back(k);
    auto lastAfter = [&](const QByteArray &property) -> qsizetype {
        const auto it = now.find(property);
        return it == now.end() || it->second.empty() ? -1 : qsizetype(it->second.back());
    };

    std::vector<Edit> edits;
    QList<const Placed *> added;
    // Declarations taken out, with their edit: a shorthand split into the
    // sides it still gives is written in its place.
    std::vector<std::pair<const Placed *, size_t>> removed;
    std::map<QByteArray, bool> names;
    for (const auto &[property, at] : was)
        names[property] = true;
    for (const auto &[property, at] : now)
        names[property] = true;
    const std::vector<size_t> none;
    auto at = [&none](const std::map<QByteArray, std::vector<size_t>> &in, const QByteArray &property) -> const std::vector<size_t> & {
        const auto it = in.find(property);
        return it == in.end() ? none : it->second;
    };
    for (const auto &[property, unused] : names) {
        const std::vector<size_t> &b = at(was, property);
        const std::vector<size_t> &a = at(now, property);
        bool same = a.size() == b.size();
        for (size_t k = 0; same && k < a.size(); ++k) {
            const Placed &x = (*before)[b[k]];
            const Placed &y = (*after)[a[k]];
            same = x.important == y.important && folded(valueOf(text, x)) == folded(valueOf(wanted, y));
        }
        if (same)
            continue;
        if (a.size() > 1)
            return std::nullopt;
        if (a.empty()) {
            for (const size_t k : b) {
                const auto [from, to] = removal(text, (*before)[k]);
                removed.emplace_back(&(*before)[k], edits.size());
                edits.push_back({from, to, {}});
            }
            continue;
        }
        // Earlier declarations of the property stay, as fallbacks the last
        // one overrides; one with !important would not be overridden.
        for (size_t k = 0; k + 1 < b.size(); ++k) {
            if ((*before)[b[k]].important && !(*before)[b.back()].important)
                return std::nullopt;
        }
        const Placed &y = (*after)[a.front()];
        if (b.empty()) {
            added.append(&y);
            continue;
        }
        const Placed &x = (*before)[b.back()];
        if (x.important != y.important)
            return std::nullopt;
        // Where it stands, a shorthand written after it would override it,
        // though the panels put that shorthand before it: it moves to the end.
        bool overridden = false;
        for (const Placed &later : *before) {
            if (later.start > x.start && later.name != property && interacts(later.name, property)) {
                const qsizetype order = lastAfter(later.name);
                overridden = overridden || (order >= 0 && order < qsizetype(a.front()));
            }
        }
        if (overridden) {
            const auto [from, to] = removal(text, x);
            edits.push_back({from, to, {}});
            added.append(&y);
        } else {
            edits.push_back({x.valueFrom, x.valueTo, valueOf(wanted, y)});
        }
    }

    // New declarations follow the last one, each where the panels' order
    // has no shorthand after it that the text would put before it.
    for (const Placed *y : std::as_const(added)) {
        for (const Placed &kept : *before) {
            const qsizetype order = lastAfter(kept.name);
            if (kept.name != y->name && interacts(kept.name, y->name) && order > qsizetype(y - after->data()))
                return std::nullopt;
        }
    }
    // The sides a removed shorthand still gives take its place, one a line
    // where it stood alone, in its case.
    for (const auto &[shorthand, editAt] : removed) {
        QList<const Placed *> sides;
        for (const Placed *y : std::as_const(added)) {
            if (y->name != shorthand->name && covers(shorthand->name, y->name))
                sides.append(y);
        }
        if (sides.isEmpty())
            continue;
        const qsizetype lineStart = text.lastIndexOf('\n', shorthand->start - 1) + 1;
        const QByteArray indent = lineIndent(text, shorthand->start);
        const bool ownLine = indent.size() == shorthand->start - lineStart;
        const bool upper = shorthand->written == latinUpper(shorthand->written);
        const QByteArray afterColon = text.mid(shorthand->colon + 1, shorthand->valueFrom - shorthand->colon - 1);
        QByteArray replacement;
        for (qsizetype k = 0; k < sides.size(); ++k) {
            const Placed *y = sides[k];
            const QByteArray property = upper ? latinUpper(y->written) : y->written.toLower();
            if (k > 0)
                replacement += ownLine ? '\n' + indent : QByteArray(" ");
            replacement += property + ':' + afterColon + valueOf(wanted, *y) + (y->important ? " !important" : "");
            if (k + 1 < sides.size() || shorthand->semicolon)
                replacement += ';';
            added.removeOne(y);
        }
        edits[editAt] = {shorthand->start, shorthand->end, replacement};
    }

    if (!added.isEmpty()) {
        const Placed *last = nullptr;
        for (const Placed &d : *before) {
            bool removed = false;
            for (const Edit &e : edits)
                removed = removed || (e.text.isEmpty() && e.from <= d.start && d.start < e.to);
            if (!removed)
                last = &d;
        }
        auto written = [&](const Placed *y, const QByteArray &afterColon) {
            QByteArray property = y->written;
            if (!property.startsWith("--"))
                property = property.toLower();
            return property + ':' + afterColon + valueOf(wanted, *y) + (y->important ? " !important" : "");
        };
        if (!last) {
            // No declaration to follow: inside the braces of a one-line
            // rule, else on lines of their own after the "{".
            const QByteArray inside = text.mid(open + 1, bodyEnd - open - 1);
            if (!inside.trimmed().isEmpty())
                return std::nullopt;
            const bool oneLine = closed && !inside.contains('\n');
            QByteArray inserted;
            for (const Placed *y : std::as_const(added))
                inserted += oneLine ? ' ' + written(y, " ") + ';' : '\n' + lineIndent(text, open) + "  " + written(y, " ") + ';';
            if (oneLine)
                edits.push_back({open + 1, bodyEnd, inserted + ' '});
            else
                edits.push_back({open + 1, open + 1, inserted});
        } else {
            const QByteArray afterColon =
                text.mid(last->colon + 1, last->valueFrom - last->colon - 1).contains(' ') ? " " : "";
            // A comment after it on its line stays with it ("color: red; /*
            // brand */"): the new line goes after the comment.
            qsizetype lineEnd = last->end;
            for (;;) {
                while (lineEnd < text.size() && (text[lineEnd] == ' ' || text[lineEnd] == '\t'))
                    ++lineEnd;
                if (text.mid(lineEnd, 2) != "/*")
                    break;
                const qsizetype close = text.indexOf("*/", lineEnd + 2);
                if (close < 0 || text.mid(lineEnd, close - lineEnd).contains('\n'))
                    break;
                lineEnd = close + 2;
            }
            const qsizetype lineStart = text.lastIndexOf('\n', last->start - 1) + 1;
            // A rule with nested rules ends where its declarations do: the
            // line goes on with the nested rules.
            const bool lineEnds = (lineEnd < text.size() && text[lineEnd] == '\n') || (!closed && lineEnd == text.size());
            const bool ownLine = lineEnds && lineIndent(text, last->start).size() == last->start - lineStart;
            QByteArray inserted;
            for (qsizetype k = 0; k < added.size(); ++k) {
                if (ownLine)
                    inserted += '\n' + lineIndent(text, last->start) + written(added[k], afterColon) + ';';
                else
                    inserted += (k == 0 && !last->semicolon ? ";" : "") + afterColon + written(added[k], afterColon)
                                + (last->semicolon || k + 1 < added.size() ? ";" : "");
            }
            if (ownLine && !last->semicolon) {
                if (lineEnd == last->end)
                    inserted.prepend(';');
                else
                    edits.push_back({last->end, last->end, ";"});
            }
            const qsizetype at = ownLine ? lineEnd : last->end;
            edits.push_back({at, at, inserted});
        }
    }
    if (renamed) {
        qsizetype end = open;
        while (end > selectorAt && isBlank(text[end - 1]))
            --end;
        edits.push_back({selectorAt, end, name});
    }
    if (edits.empty())
        return text.split('\n');
    // Applied from the end, so the offsets before each stay right.
    std::stable_sort(edits.begin(), edits.end(), [](const Edit &x, const Edit &y) { return x.from > y.from; });
    QByteArray out = text;
    qsizetype limit = out.size() + 1;
    for (const Edit &e : edits) {
        if (e.to > limit)
            return std::nullopt; // two edits over one stretch
        out.replace(e.from, e.to - e.from, e.text);
        limit = e.from;
    }
    return out.split('\n');
}
