#include "core/sheet/sheet_writer.h"

#include "core/sheet/unsupported_comment.h"

#include <algorithm>
#include <cstring>

namespace {


// Every line but the first loses all its leading "; " pairs. Blanks and
// control bytes bared by a pair go with it, as the next reading would drop
// them (all but a line's last byte): otherwise "; \x04; \x04;" would lose
// one more piece at every save instead of settling at once.
void stripLeadingSeparators(ByteLines &lines, qsizetype from)
{
    for (qsizetype i = std::max<qsizetype>(from, 1); i < lines.size(); ++i) {
        // Read through a const view: the lines share their bytes with the
        // table, and only a line that really changes may be copied.
        const QByteArray &line = std::as_const(lines)[i];
        qsizetype from = 0;
        while (line.size() >= from + 2 && line[from] == ';' && line[from + 1] == ' ') {
            from += 2;
            while (from < line.size() - 1 && static_cast<unsigned char>(line[from]) < 33)
                ++from;
        }
        if (from > 0)
            lines[i] = line.mid(from);
    }
}

// Whether a comment is open after a line, given whether one was open
// before it. Strings end with their line, as the block scan reads them.
bool commentOpenAfter(const QByteArray &text, bool inComment)
{
    char quote = 0;
    for (qsizetype p = 0; p < text.size(); ++p) {
        const char c = text[p];
        const bool pair = p + 1 < text.size();
        if (inComment) {
            if (c == '*' && pair && text[p + 1] == '/') {
                inComment = false;
                ++p;
            }
        } else if (c == '\\') {
            ++p;
        } else if (quote) {
            if (c == quote)
                quote = 0;
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '/' && pair && text[p + 1] == '*') {
            inComment = true;
            ++p;
        }
    }
    return inComment;
}

// Whether a comment is still open after these lines.
bool leavesCommentOpen(const ByteLines &lines, qsizetype count)
{
    bool inComment = false;
    for (qsizetype k = 0; k < count; ++k)
        inComment = commentOpenAfter(lines[k], inComment);
    return inComment;
}

bool startsWithBlank(const QByteArray &line)
{
    return !line.isEmpty() && (line.front() == ' ' || line.front() == '\t');
}

QByteArray withoutLeadingBlanks(const QByteArray &line)
{
    qsizetype from = 0;
    while (from < line.size() && (line[from] == ' ' || line[from] == '\t'))
        ++from;
    return line.mid(from);
}

// The panels carry kept lines indented, a reading of the sheet does not:
// the indent is left out, so a rule is written the same in either form
// and one save settles it. Lines inside a comment, or that go on with a
// string an escaped line break continues, keep their blanks.
void stripIndents(ByteLines &lines, qsizetype from, qsizetype to)
{
    // Bodies read from a sheet have no indent: only those the panels laid
    // out need the walk.
    qsizetype first = from;
    while (first < to && !startsWithBlank(lines[first]))
        ++first;
    if (first == to)
        return;
    bool inComment = false;
    bool continued = false;
    for (qsizetype k = from; k < to; ++k) {
        const QByteArray &line = std::as_const(lines)[k];
        if (!inComment && !continued && startsWithBlank(line))
            lines[k] = withoutLeadingBlanks(line);
        const QByteArray &now = std::as_const(lines)[k];
        inComment = commentOpenAfter(now, inComment);
        continued = now.endsWith('\\');
    }
}

// Most rules, as read or as the program wrote them, have nothing to
// clean: no line of theirs starts with a blank or a "; " pair, and none can
// be the marker line. Those go out line for line, shared.
bool goesOutAsItStands(const QByteArray &name, qsizetype headerAt, const ByteLines &body, qsizetype count)
{
    if (headerAt > 0 && name.startsWith(';'))
        return false;
    const qsizetype markerSize = unsupportedComment().size();
    for (qsizetype k = 0; k < count; ++k) {
        const QByteArray &line = body[k];
        if (line.size() == markerSize)
            return false;
        if (!line.isEmpty()) {
            const char first = line.front();
            if (first == ' ' || first == '\t' || first == ';')
                return false;
        }
    }
    return true;
}

// One "}" shared by every rule written.
const QByteArray &closingBrace()
{
    static const QByteArray brace = QByteArrayLiteral("}");
    return brace;
}

} // namespace

namespace {

// A held rule in the program's layout, after its own preamble. A rule
// with nested rules stops after its own declarations: they follow it, and
// their group's end closes it.
void appendProgramForm(ByteLines &lines, const StyleTable &table, int i, const ByteLines &preamble)
{
    const bool opensGroup = table.opens[i] >= 0;
    lines.append(preamble);
    const qsizetype ruleStart = lines.size();
    const QByteArray &name = table.name(i);
    if (table.writtenHeaders.size() <= size_t(i))
        table.writtenHeaders.resize(size_t(i) + 1);
    QByteArray &header = table.writtenHeaders[size_t(i)];
    if (header.size() != name.size() + 2 || !header.startsWith(name) || !header.endsWith(" {")) {
        // Sized once: operator+ would copy the name and then grow it.
        header = QByteArray(name.size() + 2, Qt::Uninitialized);
        std::memcpy(header.data(), name.constData(), size_t(name.size()));
        std::memcpy(header.data() + name.size(), " {", 2);
    }
    lines.append(header);
    // The program writes its own marker line again, indented or not; one
    // that closes a comment the user left open stays, or the comment would
    // run on.
    const ByteLines &body = table.body(i);
    // The empty rest of the line its declarations end in is where the
    // nested rules start.
    const qsizetype bodyLines = opensGroup && body.size() > 0 && body.last().isEmpty() ? body.size() - 1 : body.size();
    if (goesOutAsItStands(name, ruleStart, body, bodyLines)) {
        for (qsizetype k = 0; k < bodyLines; ++k)
            lines.append(body[k]);
        if (!opensGroup)
            lines.append(closingBrace());
        return;
    }
    for (qsizetype k = 0; k < bodyLines; ++k) {
        const QByteArray &line = body[k];
        const bool marker = isUnsupportedCommentLine(startsWithBlank(line) ? withoutLeadingBlanks(line) : line);
        if (!marker || leavesCommentOpen(body, k))
            lines.append(line);
    }
    if (!opensGroup)
        lines.append(closingBrace());
    stripLeadingSeparators(lines, ruleStart);
    stripIndents(lines, ruleStart + 1, opensGroup ? lines.size() : lines.size() - 1);
}

// What stood in front of a rule's selector, without the blanks that led up
// to the selector in its line.
ByteLines beforeSelector(const AsRead &read)
{
    ByteLines before;
    for (qsizetype k = 0; k <= read.selectorAt.line && k < read.raw.lineCount(); ++k)
        before.append(read.raw.line(k));
    if (!before.isEmpty())
        before.last().truncate(read.selectorAt.column);
    while (!before.isEmpty() && before.last().trimmed().isEmpty() && !before.last().contains('\t'))
        before.removeLast();
    if (!before.isEmpty()) {
        QByteArray &last = before.last();
        while (!last.isEmpty() && (last.back() == ' ' || last.back() == '\t'))
            last.chop(1);
    }
    return before;
}

} // namespace

ByteLines writeSheetLines(const StyleTable &table, const ByteLines &tail)
{
    ByteLines lines;
    qsizetype total = tail.size() + table.tailLead.size();
    for (int i = 0; i < table.count; ++i)
        total += table.lead(i).size() + table.preamble(i).size() + table.body(i).size() + 2;
    lines.reserve(total);

    // What stands in front of a rule is written as it stood: first the
    // group braces of its place, then its own preamble. The cleaning
    // applies to the rule itself only.
    for (int i = 0; i < table.count; ++i) {
        lines.append(table.lead(i));
        appendProgramForm(lines, table, i, table.preamble(i));
    }
    lines.append(table.tailLead);
    lines.append(tail);
    return lines;
}

ByteLines writeSheetLinesKeepingLayout(const StyleTable &table, const ByteLines &rawTail)
{
    ByteLines lines;
    qsizetype total = rawTail.size() + table.rawTailLead.size();
    for (int i = 0; i < table.count; ++i) {
        total += table.rawLeads[i].size() + table.rawGaps[i].size()
                 + std::max(table.asRead[i].raw.lineCount(), table.preamble(i).size() + table.body(i).size() + 2);
    }
    lines.reserve(total);
    // A stretch read from the sheet goes on in the line the text so far
    // ends in, as it did in the sheet.
    auto appendRaw = [&lines](const ByteLines &raw) {
        if (raw.isEmpty())
            return;
        if (lines.isEmpty())
            lines.append(QByteArray());
        lines.last() += raw.first();
        for (qsizetype k = 1; k < raw.size(); ++k)
            lines.append(raw[k]);
    };
    auto appendSpan = [&lines](const TextSpan &span) {
        const qsizetype count = span.lineCount();
        if (count == 0)
            return;
        if (lines.isEmpty())
            lines.append(QByteArray());
        lines.last() += span.line(0);
        for (qsizetype k = 1; k < count; ++k)
            lines.append(span.line(k));
    };
    for (int i = 0; i < table.count; ++i) {
        appendRaw(table.rawLeads[i]);
        appendRaw(table.rawGaps[i]);
        const AsRead &read = table.asRead[i];
        if (table.untouched(i) && !read.raw.isEmpty()) {
            appendSpan(read.raw);
        } else if (read.inPlaceKnown && read.inPlace && read.inPlaceName == table.name(i)
                   && read.inPlaceBody == table.body(i)) {
            appendRaw(*read.inPlace);
        } else if (!read.raw.isEmpty()) {
            // A changed rule keeps what stood in front of its selector, and
            // is laid out from the next line on.
            const ByteLines before = beforeSelector(read);
            appendRaw(before);
            // The line the rule started in is the one its selector takes.
            if (before.isEmpty() && !lines.isEmpty() && lines.last().isEmpty())
                lines.removeLast();
            appendProgramForm(lines, table, i, read.selectorComments);
        } else {
            appendProgramForm(lines, table, i, table.preamble(i));
        }
    }
    appendRaw(table.rawTailLead);
    appendRaw(rawTail);
    return lines;
}
