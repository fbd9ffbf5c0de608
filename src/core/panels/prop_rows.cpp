#include "core/panels/prop_rows.h"

#include "core/css/css_catalogue.h"
#include "core/css/css_tokenizer.h"
#include "core/sheet/byte_lines.h"

#include <QHash>

#include <algorithm>
#include <cctype>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f';
}

// Blanks as CSS has them: a vertical tab is none.
QByteArray cssTrimmed(const QByteArray &text)
{
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isBlank(text[from]))
        ++from;
    while (to > from && isBlank(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}

// One declaration from `start` of the text up to its ";" at the top level or
// the end: the row, or nothing when it has no name and ":". `next` is where
// the text goes on after it.
std::optional<PropRow> declarationAt(const QByteArray &whole, qsizetype offset, qsizetype *next)
{
    // Read on its own: an address or a comment before it is no part of it.
    const QByteArray text = whole.mid(offset);
    const qsizetype start = 0;
    const CssDeclarationMarks marks = cssDeclarationMarks(text, start);
    const qsizetype colon = marks.colon;
    const qsizetype bang = marks.bang;
    const bool comment = marks.comment;
    const qsizetype i = marks.end; // where the declaration's ";" stands
    const qsizetype end = std::min(i, text.size());
    *next = offset + (end < text.size() ? end + 1 : end);
    if (colon < 0)
        return std::nullopt;
    PropRow row;
    row.from = start;
    row.nameFrom = start;
    row.nameTo = colon;
    while (row.nameTo > row.nameFrom && isBlank(text[row.nameTo - 1]))
        --row.nameTo;
    row.name = cssTrimmed(cssWithoutComments(QByteArrayView(text).sliced(row.nameFrom, row.nameTo - row.nameFrom)));
    if (row.name.isEmpty())
        return std::nullopt;
    row.valueFrom = colon + 1;
    while (row.valueFrom < end && isBlank(text[row.valueFrom]))
        ++row.valueFrom;
    row.priorityTo = end;
    while (row.priorityTo > row.valueFrom && isBlank(text[row.priorityTo - 1]))
        --row.priorityTo;
    row.valueTo = row.priorityTo;
    if (bang >= 0) {
        QByteArray mark = latinUpper(text.mid(bang + 1, end - bang - 1));
        mark.replace(' ', "").replace('\t', "").replace('\n', "").replace('\r', "");
        if (mark == "IMPORTANT") {
            row.important = true;
            row.valueTo = bang;
            while (row.valueTo > row.valueFrom && isBlank(text[row.valueTo - 1]))
                --row.valueTo;
        }
    }
    row.value = text.mid(row.valueFrom, row.valueTo - row.valueFrom);
    row.semicolon = end < text.size();
    row.to = row.semicolon ? end + 1 : row.priorityTo;
    // An empty value's blanks are no part of it.
    while (!row.semicolon && row.to > colon + 1 && isBlank(text[row.to - 1]))
        --row.to;
    if (comment)
        row.lock = PropRow::Lock::HoldsComment;
    else if (text.mid(row.from, row.to - row.from).contains("*/"))
        row.lock = PropRow::Lock::HoldsCommentEnd;
    else if (!isKnownPropertyName(row.name))
        row.lock = PropRow::Lock::UnknownName;
    for (qsizetype *at : {&row.from, &row.to, &row.nameFrom, &row.nameTo, &row.valueFrom, &row.valueTo, &row.priorityTo})
        *at += offset;
    return row;
}

// The declaration a comment holds, when it holds one and nothing else.
std::optional<PropRow> switchedOffIn(const QByteArray &text, qsizetype from, qsizetype to)
{
    const qsizetype innerFrom = from + 2;
    const qsizetype innerTo = to - 2;
    qsizetype start = innerFrom;
    while (start < innerTo && isBlank(text[start]))
        ++start;
    const QByteArray inner = text.left(innerTo);
    qsizetype next = start;
    std::optional<PropRow> row = declarationAt(inner, start, &next);
    if (!row || row->lock != PropRow::Lock::None)
        return std::nullopt;
    for (qsizetype k = next; k < innerTo; ++k) {
        if (!isBlank(inner[k]))
            return std::nullopt;
    }
    row->on = false;
    row->from = from;
    row->to = to;
    return row;
}

} // namespace

std::optional<QByteArray> switchedOffProperty(const QByteArray &comment)
{
    if (!comment.startsWith("/*") || !comment.endsWith("*/") || comment.size() < 4)
        return std::nullopt;
    const std::optional<PropRow> row = switchedOffIn(comment, 0, comment.size());
    return row ? std::optional<QByteArray>(latinUpper(row->name)) : std::nullopt;
}

QByteArray PropRow::key() const
{
    return name.startsWith("--") ? name : latinUpper(name);
}

bool isPropertyName(const QByteArray &name)
{
    if (name.startsWith("--")) {
        if (name.size() < 3)
            return false;
        for (const char c : name) {
            if (isBlank(c) || c == ':' || c == ';' || c == '{' || c == '}' || c == '(' || c == ')' || c == '"'
                || c == '\'' || c == ',' || c == '!' || c == '/')
                return false;
        }
        return true;
    }
    const qsizetype first = name.startsWith('-') ? 1 : 0;
    if (name.size() <= first || !std::isalpha(static_cast<unsigned char>(name[first])))
        return false;
    for (const char c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-' && c != '_')
            return false;
    }
    return true;
}

bool isKnownPropertyName(const QByteArray &name)
{
    if (!isPropertyName(name))
        return false;
    if (name.startsWith('-'))
        return name.startsWith("--") || name.indexOf('-', 1) > 1;
    return cssCatalogue::property(name) != nullptr;
}

QList<PropRow> propRows(const QByteArray &body)
{
    QList<PropRow> rows;
    qsizetype i = 0;
    while (i < body.size()) {
        const char c = body[i];
        if (isBlank(c) || c == ';') {
            ++i;
            continue;
        }
        // Between declarations no address can hold it: a comment.
        if (c == '/' && i + 1 < body.size() && body[i + 1] == '*') {
            const qsizetype close = body.indexOf("*/", i + 2);
            if (close < 0)
                break;
            if (std::optional<PropRow> off = switchedOffIn(body, i, close + 2))
                rows.append(*off);
            i = close + 2;
            continue;
        }
        qsizetype next = i;
        if (std::optional<PropRow> row = declarationAt(body, i, &next))
            rows.append(*row);
        i = std::max(next, i + 1);
    }
    // The one that counts: the last !important one, else the last.
    QHash<QByteArray, qsizetype> winner;
    for (qsizetype k = 0; k < rows.size(); ++k) {
        if (!rows[k].on)
            continue;
        const auto it = winner.constFind(rows[k].key());
        if (it == winner.constEnd() || !rows[*it].important || rows[k].important)
            winner.insert(rows[k].key(), k);
    }
    for (qsizetype k = 0; k < rows.size(); ++k)
        rows[k].overridden = rows[k].on && winner.value(rows[k].key()) != k;
    return rows;
}

namespace propEdit {

QByteArray switchedOff(const QByteArray &body, const PropRow &row)
{
    return body.left(row.from) + "/* " + body.mid(row.from, row.to - row.from) + " */" + body.mid(row.to);
}

QByteArray switchedOn(const QByteArray &body, const PropRow &row)
{
    QByteArray inner = cssTrimmed(body.mid(row.from + 2, row.to - row.from - 4));
    // Given again before another declaration, it needs its ";".
    if (!row.semicolon) {
        for (const PropRow &later : propRows(body.mid(row.to))) {
            if (later.on) {
                inner += ';';
                break;
            }
        }
    }
    return body.left(row.from) + inner + body.mid(row.to);
}

QByteArray valueSet(const QByteArray &body, const PropRow &row, const QByteArray &value)
{
    return body.left(row.valueFrom) + value + body.mid(row.priorityTo);
}

QByteArray nameSet(const QByteArray &body, const PropRow &row, const QByteArray &name)
{
    return body.left(row.nameFrom) + name + body.mid(row.nameTo);
}

QByteArray removed(const QByteArray &body, const PropRow &row)
{
    qsizetype lineStart = row.from;
    while (lineStart > 0 && (body[lineStart - 1] == ' ' || body[lineStart - 1] == '\t'))
        --lineStart;
    qsizetype lineEnd = row.to;
    while (lineEnd < body.size() && (body[lineEnd] == ' ' || body[lineEnd] == '\t' || body[lineEnd] == '\r'))
        ++lineEnd;
    if ((lineStart == 0 || body[lineStart - 1] == '\n') && lineEnd < body.size() && body[lineEnd] == '\n')
        return body.left(lineStart) + body.mid(lineEnd + 1);
    return body.left(row.from) + body.mid(lineEnd);
}

QByteArray inserted(const QByteArray &body, const std::optional<PropRow> &after, const QByteArray &name,
                    const QByteArray &value)
{
    const QByteArray declaration = name + ": " + value + ";";
    std::optional<PropRow> anchor = after;
    if (!anchor) {
        const QList<PropRow> rows = propRows(body);
        if (!rows.isEmpty())
            anchor = rows.last();
    }
    if (!anchor) {
        const qsizetype lineBreak = body.indexOf('\n');
        if (lineBreak < 0)
            return " " + declaration + " ";
        return body.left(lineBreak + 1) + "  " + declaration + "\n" + body.mid(lineBreak + 1);
    }
    QByteArray text = body;
    qsizetype at = anchor->to;
    if (anchor->on && !anchor->semicolon)
        text.insert(at++, ';');
    const qsizetype lineEnd = text.indexOf('\n', at) < 0 ? text.size() : text.indexOf('\n', at);
    const bool restOfLineFree = cssTrimmed(cssWithoutComments(QByteArrayView(text).sliced(at, lineEnd - at))).isEmpty();
    if (!body.contains('\n') || !restOfLineFree)
        return text.insert(at, " " + declaration);
    const qsizetype lineStart = text.lastIndexOf('\n', anchor->from) + 1;
    qsizetype indentEnd = lineStart;
    while (indentEnd < anchor->from && (text[indentEnd] == ' ' || text[indentEnd] == '\t'))
        ++indentEnd;
    // On the line of the "{", the declaration has no indent of its own.
    const QByteArray indent = lineStart == 0 && indentEnd < anchor->from ? QByteArray("  ")
                                                                         : text.mid(lineStart, indentEnd - lineStart);
    qsizetype end = lineEnd;
    if (end > at && text[end - 1] == '\r')
        --end;
    return text.insert(end, "\n" + indent + declaration);
}

} // namespace propEdit
