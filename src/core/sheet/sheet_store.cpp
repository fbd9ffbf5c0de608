#include "core/sheet/sheet_store.h"

#include "core/sheet/block_scanner.h"
#include "core/sheet/sheet_writer.h"

#include <QHash>

#include <algorithm>
#include <climits>

namespace {

// The text between two places, without the blank space around it:
// comments, statements and blocks the table does not hold, which stay in
// front of the next rule. Empty for most rules.
ByteLines preambleBetween(const ByteLines &lines, SheetPos from, SheetPos to)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    // Most rules have nothing but line breaks in front of them.
    bool onlyBlank = true;
    for (int k = from.line; onlyBlank && k <= to.line && k < lines.size(); ++k) {
        const QByteArray &line = lines[k];
        const int first = k == from.line ? from.column : 0;
        const int last = k == to.line ? to.column : static_cast<int>(line.size());
        for (int i = first; i < last && onlyBlank; ++i)
            onlyBlank = blank(line[i]);
    }
    if (onlyBlank)
        return {};

    QByteArray region;
    for (int k = from.line; k <= to.line && k < lines.size(); ++k) {
        const QByteArray &line = lines[k];
        const int first = k == from.line ? from.column : 0;
        const int last = k == to.line ? to.column : static_cast<int>(line.size());
        if (k > from.line)
            region += '\n';
        if (last > first)
            region += line.mid(first, last - first);
    }
    qsizetype first = 0;
    while (first < region.size() && blank(region[first]))
        ++first;
    qsizetype last = region.size();
    while (last > first && blank(region[last - 1]))
        --last;
    if (first == last)
        return {};
    return region.mid(first, last - first).split('\n');
}

bool before(SheetPos a, SheetPos b)
{
    return a.line < b.line || (a.line == b.line && a.column < b.column);
}

// The preludes of the groups around a rule, each with runs of blanks
// folded to one and followed by " › ", outermost first.
QByteArray contextOf(int group, const ByteLines &lines, const SheetScan &scan, const QByteArray &separator,
                     std::vector<QByteArray> &known)
{
    if (group < 0)
        return {};
    QByteArray &context = known[size_t(group)];
    if (context.isEmpty()) {
        const GroupBlock &g = scan.groups[size_t(group)];
        const QByteArray prelude = selectorBetween(lines, g.start, g.open).text.simplified();
        context = contextOf(g.parent, lines, scan, separator, known) + prelude + separator;
    }
    return context;
}

// The text from one place to another, byte for byte: the first line is the
// rest of the line the stretch starts in.
ByteLines linesBetween(const ByteLines &lines, SheetPos from, SheetPos to)
{
    ByteLines out;
    out.reserve(std::max(0, to.line - from.line) + 1);
    for (int k = from.line; k <= to.line && k < lines.size(); ++k) {
        const QByteArray &line = lines[k];
        const int first = k == from.line ? from.column : 0;
        const int last = k == to.line ? std::min(to.column, int(line.size())) : int(line.size());
        out.append(first == 0 && last == line.size() ? line : line.mid(first, std::max(0, last - first)));
    }
    return out;
}

// The blank stretch between a place's lead and its rule. Most are one line
// break, or a few, and share one list of empty lines.
ByteLines gapBetween(const ByteLines &lines, SheetPos from, SheetPos to)
{
    if (to.column == 0 && to.line > from.line && from.line < lines.size() && from.column >= lines[from.line].size()) {
        bool empty = true;
        for (int k = from.line + 1; empty && k < to.line; ++k)
            empty = lines[k].isEmpty();
        if (empty) {
            static const ByteLines breaks[] = {ByteLines(2), ByteLines(3), ByteLines(4)};
            const int count = to.line - from.line + 1;
            if (count >= 2 && count <= 4)
                return breaks[count - 2];
        }
    }
    return linesBetween(lines, from, to);
}

// Where the blank run from a place ends its last line: the start of the
// line after the last line break before the first byte that is no blank,
// or the place itself when the run breaks no line.
SheetPos afterLastLineBreak(const ByteLines &lines, SheetPos from, SheetPos limit)
{
    SheetPos result = from;
    for (int k = from.line; k < lines.size() && !before(limit, {k, 0}); ++k) {
        const QByteArray &line = lines[k];
        int p = k == from.line ? from.column : 0;
        const int last = k == limit.line ? limit.column : int(line.size());
        while (p < last && static_cast<unsigned char>(line[p]) <= 32)
            ++p;
        if (p < last || k == limit.line)
            return result;
        result = {k + 1, 0};
    }
    return result;
}

// The first byte from a place on that is no blank, the limit at most.
SheetPos firstByteFrom(const ByteLines &lines, SheetPos from, SheetPos limit)
{
    for (int k = from.line; k < lines.size() && before(SheetPos{k, 0}, SheetPos{limit.line, limit.column + 1}); ++k) {
        const QByteArray &line = lines[k];
        for (int p = k == from.line ? from.column : 0; p < line.size(); ++p) {
            if (!before(SheetPos{k, p}, limit))
                return limit;
            if (static_cast<unsigned char>(line[p]) > 32)
                return {k, p};
        }
    }
    return limit;
}

ByteLines tailFrom(const ByteLines &lines, SheetPos from)
{
    ByteLines tail;
    if (from.line >= lines.size())
        return tail;
    const QByteArray rest = lines[from.line].mid(from.column);
    if (!rest.isEmpty())
        tail.append(rest);
    tail.append(lines.mid(from.line + 1));
    return tail;
}

} // namespace

SheetStore::SheetStore(QObject *parent)
    : QObject(parent)
    , m_list(this)
    , m_memo(this)
{
}

void SheetStore::setSheetLines(const ByteLines &lines)
{
    m_sheetLines = lines;
    emit sheetLinesChanged();
}

void SheetStore::setSheetModified(bool modified)
{
    if (m_sheetModified == modified)
        return;
    m_sheetModified = modified;
    emit sheetModifiedChanged(modified);
}

void SheetStore::markUnmodified()
{
    m_unmodifiedText = sheetText();
    setSheetModified(false);
}

void SheetStore::setHistoryActions(bool backEnabled, bool foreEnabled)
{
    if (backEnabled == m_backEditEnabled && foreEnabled == m_foreEditEnabled)
        return;
    m_backEditEnabled = backEnabled;
    m_foreEditEnabled = foreEnabled;
    emit historyActionsChanged();
}

void SheetStore::RebuildStyleTable()
{
    // Every style rule is held, at the top level, inside conditional groups
    // and nested in other style rules. Blocks the table cannot hold
    // (@keyframes) stay in front of the next held rule, byte for byte. A block without a
    // selector, or one that never closes, ends the table: from there the
    // text is kept as it stands.
    const SheetScan scan = scanSheet(m_sheetLines);
    m_table.reserveEntries(int(scan.blocks.size()));
    m_table.tailLead.clear();
    QList<QByteArray> names;
    QList<QByteArray> contexts;
    names.reserve(qsizetype(scan.blocks.size()));
    contexts.reserve(qsizetype(scan.blocks.size()));
    std::vector<QByteArray> groupContexts(scan.groups.size());
    const QByteArray separator = m_codec.encode(QStringLiteral(" \u203A "));
    int held = 0;
    SheetPos end; // just after the last held rule's "}"
    for (const TopBlock &block : scan.blocks) {
        if (!block.hasSelector || !block.closed)
            break;
        if (block.nested)
            continue;
        WrittenSelector selector = selectorBetween(m_sheetLines, block.start, block.open, m_table.rules.names[held]);
        if (selector.text.isEmpty())
            break;
        if (selector.openQuote)
            continue; // kept as it stands, in front of the next rule
        // Group braces since the last held rule stay where they stand; what
        // follows them belongs to the rule.
        SheetPos ownFrom = end;
        ByteLines lead;
        ByteLines rawLead;
        if (block.hasStructure && before(end, block.afterStructure)) {
            lead = preambleBetween(m_sheetLines, end, block.afterStructure);
            if (m_keepLayout)
                rawLead = linesBetween(m_sheetLines, end, block.afterStructure);
            ownFrom = block.afterStructure;
        }
        // A rule with nested rules ends with its own declarations.
        const SheetPos afterClose = block.opens >= 0 ? block.close : SheetPos{block.close.line, block.close.column + 1};
        AsRead &read = m_table.asRead[held];
        read.changed = !m_keepLayout;
        // The bytes as read are only gathered while they may be written.
        if (m_keepLayout) {
            // The line breaks in front of the rule stay with its place; the
            // rule itself starts at the line its first byte stands in.
            const SheetPos ownStart = afterLastLineBreak(m_sheetLines, ownFrom, block.start);
            m_table.rawGaps[held] = gapBetween(m_sheetLines, ownFrom, ownStart);
            read.raw = TextSpan{m_sheetLines, ownStart, afterClose};
            read.selectorAt = {block.start.line - ownStart.line,
                               block.start.column - (block.start.line == ownStart.line ? ownStart.column : 0)};
            read.selectorComments = selector.comments;
            read.name = selector.text;
            read.loadedForm.clear();
            read.inPlaceKnown = false;
            read.inPlace.reset();
        }
        m_table.spans[held] = {firstByteFrom(m_sheetLines, ownFrom, block.start), afterClose};
        m_table.bodySpans[held] = {block.open, block.close};
        ByteLines preamble = preambleBetween(m_sheetLines, ownFrom, block.start);
        preamble.append(selector.comments);
        m_table.rules.names[held] = selector.text;
        // A rule read again as it was keeps its lines: no copy is made.
        ByteLines &body = m_table.rules.bodies[held];
        if (!bodyIs(m_sheetLines, block.open, block.close, body))
            body = bodyBetween(m_sheetLines, block.open, block.close);
        if (m_keepLayout) {
            read.body = m_table.rules.bodies[held];
            m_table.rawLeads[held] = std::move(rawLead);
        }
        m_table.rules.preambles[held] = std::move(preamble);
        m_table.leads[held] = std::move(lead);
        m_table.groups[held] = block.group;
        m_table.opens[held] = block.opens;
        names.append(selector.text);
        contexts.append(contextOf(block.group, m_sheetLines, scan, separator, groupContexts));
        ++held;
        end = afterClose;
    }
    m_table.count = held;
    m_table.groupBlocks = scan.groups;
    m_tail = held == 0 ? m_sheetLines : tailFrom(m_sheetLines, end);
    m_table.rawTailLead.clear();
    SheetPos tailStart = end;
    // The ends of the groups the last rule is in come before a rule added
    // later.
    if (held > 0 && scan.hasStructure && before(end, scan.afterStructure)) {
        m_table.tailLead = preambleBetween(m_sheetLines, end, scan.afterStructure);
        if (m_keepLayout)
            m_table.rawTailLead = linesBetween(m_sheetLines, end, scan.afterStructure);
        m_tail = tailFrom(m_sheetLines, scan.afterStructure);
        tailStart = scan.afterStructure;
    }
    m_rawTail.clear();
    if (m_keepLayout)
        m_rawTail = held == 0 ? m_sheetLines
                              : linesBetween(m_sheetLines, tailStart, {int(m_sheetLines.size()) - 1, INT_MAX});
    m_list.setRows(std::move(names), std::move(contexts));
}

void SheetStore::SelectStyle()
{
    if (m_currentStyleIndex >= 0 && m_currentStyleIndex < m_table.entries()) {
        // A body that is neither the one read nor the one the selection
        // laid out was changed by the user; it stays changed.
        AsRead &read = m_table.asRead[m_currentStyleIndex];
        const ByteLines &lines = m_memo.lines();
        if (!(lines == read.body || lines == read.loadedForm))
            read.changed = true;
        m_table.rules.bodies[m_currentStyleIndex] = lines;
    }
    if (m_list.selected() < 0)
        m_list.setSelected(0);
    const int selected = m_list.selected();
    if (selected < 0) {
        // An empty table: nothing to load, and nothing to write back later.
        m_memo.clear();
        m_currentStyleIndex = -1;
        if (m_ruleLoaded)
            m_ruleLoaded();
    } else {
        loadRule(selected);
    }
}

void SheetStore::selectAfterRebuild(int row)
{
    m_list.setSelected(row);
    m_currentStyleIndex = -1;
    SelectStyle();
}

void SheetStore::loadRule(int row)
{
    m_memo.setLines(m_table.rules.bodies[row]);
    m_currentStyleIndex = row;
    if (m_ruleLoaded)
        m_ruleLoaded();
    // The panels' layout of a rule is no change of it.
    if (m_keepLayout)
        m_table.asRead[row].loadedForm = m_memo.lines();
}

bool SheetStore::SheetDiffersFromHistory() const
{
    return m_history.differsFrom(sheetText());
}

void SheetStore::RegenerateSheet()
{
    SelectStyle();
    if (m_keepLayout && m_inPlace) {
        for (int i = 0; i < m_table.count; ++i) {
            AsRead &read = m_table.asRead[i];
            if (m_table.untouched(i) || read.raw.isEmpty()
                || (read.inPlaceKnown && read.inPlaceName == m_table.name(i) && read.inPlaceBody == m_table.body(i)))
                continue;
            read.inPlace = m_inPlace(read, m_table.name(i), m_table.body(i));
            read.inPlaceName = m_table.name(i);
            read.inPlaceBody = m_table.body(i);
            read.inPlaceKnown = true;
        }
    }
    setSheetLines(m_keepLayout ? writeSheetLinesKeepingLayout(m_table, m_rawTail) : writeSheetLines(m_table, m_tail));
    const QByteArray text = sheetText();
    if (!m_history.differsFrom(text))
        return;
    m_history.record(text, m_list.selected(), encodingCode());
    setHistoryActions(m_history.canUndo(), false);
}

void SheetStore::setLineBreaksOf(const QByteArray &fileBytes, const ByteLines &lines)
{
    const QByteArray ends = lineEndsOf(fileBytes);
    const char first = ends.isEmpty() || ends.front() == '0' ? 'w' : ends.front();
    setLineBreaks(lineEndBytes(first), fileBytes.isEmpty() || ends.back() != '0');
    for (const char end : ends) {
        if (end != first && end != '0') {
            m_readLines = lines;
            m_readEnds = ends;
            return;
        }
    }
}

namespace {

// The lines joined, each that stands as it was read ending as it did: a
// line is taken for one read when it is the next read line, or a later
// one followed by the same line as in the text written (so that a "}" of
// a changed rule does not pull the place forward past untouched lines).
QByteArray joinWithReadEnds(const ByteLines &lines, const ByteLines &read, const QByteArray &ends,
                            const QByteArray &otherwise)
{
    QHash<QByteArray, QList<int>> where;
    for (int k = 0; k < read.size(); ++k)
        where[read[k]].append(k);
    QByteArray text;
    int next = 0;
    for (qsizetype k = 0; k < lines.size(); ++k) {
        const QByteArray &line = lines[k];
        text += line;
        int match = -1;
        if (next < read.size() && read[next] == line) {
            match = next;
        } else if (const auto found = where.constFind(line); found != where.cend()) {
            const QList<int> &at = *found;
            for (auto it = std::lower_bound(at.begin(), at.end(), next); it != at.end(); ++it) {
                const bool lastOfBoth = k + 1 == lines.size() && *it + 1 == read.size();
                if (lastOfBoth || (k + 1 < lines.size() && *it + 1 < read.size() && read[*it + 1] == lines[k + 1])) {
                    match = *it;
                    break;
                }
            }
        }
        if (match >= 0) {
            next = match + 1;
            text += lineEndBytes(ends[match]);
            if (ends[match] == '0' && k + 1 < lines.size())
                text += otherwise;
        } else {
            text += otherwise;
        }
    }
    return text;
}

} // namespace

QByteArray SheetStore::fileText() const
{
    QByteArray text;
    if (!m_keepLayout)
        text = joinLines(m_sheetLines, m_lineBreak.constData());
    else if (!m_readEnds.isEmpty())
        text = joinWithReadEnds(m_sheetLines, m_readLines, m_readEnds, m_lineBreak);
    else
        text = joinLines(m_sheetLines, m_lineBreak.constData());
    if (m_keepLayout && !m_finalBreak)
        text.chop(text.endsWith("\r\n") ? 2 : text.endsWith('\n') || text.endsWith('\r') ? 1 : 0);
    if (m_bom)
        text.prepend(kUtf8Bom);
    return text;
}

void SheetStore::setEncoding(SheetEncoding encoding, bool bom)
{
    const bool changed = encoding != m_codec.encoding() || bom != m_bom;
    m_codec = SheetCodec(encoding);
    m_bom = bom;
    if (changed)
        emit encodingChanged();
}

quint8 SheetStore::encodingCode() const
{
    return m_codec.encoding() == SheetEncoding::Windows1251 ? 0 : m_bom ? 2 : 1;
}

void SheetStore::setEncodingCode(quint8 code)
{
    setEncoding(code == 0 ? SheetEncoding::Windows1251 : SheetEncoding::Utf8, code == 2);
}

namespace {

// An @charset at the head of the sheet names the encoding it is in. A
// Windows-1251 sheet gets one if it has none: a page reads a sheet
// without one in the page's own encoding, these days UTF-8.
void nameCharset(ByteLines &lines, SheetEncoding to)
{
    const QByteArray name = to == SheetEncoding::Utf8 ? "UTF-8" : "windows-1251";
    if (!lines.isEmpty() && lines.first().startsWith("@charset \"")) {
        QByteArray &first = lines.first();
        const qsizetype close = first.indexOf('"', 10);
        if (close > 0)
            first.replace(10, close - 10, name);
    } else if (to == SheetEncoding::Windows1251) {
        lines.prepend("@charset \"" + name + "\";");
    }
}

} // namespace

void SheetStore::recode(SheetEncoding to)
{
    if (to == m_codec.encoding())
        return;
    RegenerateSheet();
    const int selected = m_list.selected();
    const SheetCodec from = m_codec;
    ByteLines lines;
    lines.reserve(m_sheetLines.size());
    for (const QByteArray &line : std::as_const(m_sheetLines))
        lines.append(SheetCodec(to).encode(from.decode(line)));
    nameCharset(lines, to);
    setEncoding(to, false);
    setSheetLines(lines);
    RebuildStyleTable();
    selectAfterRebuild(selected);
    // A step of its own even where the bytes stay the same (plain ASCII):
    // undo gives the old encoding back.
    RegenerateSheet();
    if (m_history.text(m_history.pos) == sheetText() && m_history.encodings[m_history.pos] != encodingCode()) {
        m_history.record(sheetText(), selected, encodingCode());
        setHistoryActions(m_history.canUndo(), false);
    }
}

void SheetStore::setKeepUntouchedLayout(bool keep)
{
    if (keep == m_keepLayout)
        return;
    m_keepLayout = keep;
    if (!keep)
        return;
    const int selected = m_list.selected();
    if (m_table.count == 0) {
        // No rule to carry: the whole text is what stands outside rules,
        // read again as such so that a save writes it back.
        m_keepLayout = false;
        RegenerateSheet();
        m_keepLayout = true;
        RebuildStyleTable();
        return;
    }
    const bool changed = m_sheetModified || m_history.canUndo();
    if (m_diskLines.isEmpty()) {
        // A sheet never read: its bytes are gathered from the text as it
        // stands.
        RegenerateSheet();
        RebuildStyleTable();
        selectAfterRebuild(selected);
        return;
    }
    // The rules and the text as they stand, the current rule with its memo.
    m_keepLayout = false;
    RegenerateSheet();
    m_keepLayout = true;
    const ByteLines nowLines = m_sheetLines;
    const HMassiv now = m_table.rules;
    const std::vector<int> nowGroups = m_table.groups;
    const int nowCount = m_table.count;

    // The bytes of each rule are the file's, not the program's form.
    ByteLines read = m_diskLines;
    if (m_bom && read.first().startsWith(kUtf8Bom))
        read.first().remove(0, 3);
    setSheetLines(read);
    RebuildStyleTable();
    if (changed && !(m_table.count == nowCount
                     && std::equal(nowGroups.begin(), nowGroups.begin() + nowCount, m_table.groups.begin()))) {
        // Rules added, deleted or moved since the sheet was read: the text
        // as it stands is what there is to keep.
        setSheetLines(nowLines);
        RebuildStyleTable();
        selectAfterRebuild(selected);
        return;
    }
    if (changed) {
        // A rule is untouched when it is the one read, or only the panels'
        // layout of it.
        for (int i = 0; i < nowCount; ++i) {
            AsRead &asRead = m_table.asRead[i];
            if (now.names[i] == asRead.name && now.bodies[i] == asRead.body)
                continue;
            if (now.names[i] == asRead.name) {
                loadRule(i);
                if (m_memo.lines() == now.bodies[i])
                    continue;
            }
            m_table.rules.names[i] = now.names[i];
            m_table.rules.bodies[i] = now.bodies[i];
            m_list.setItem(i, now.names[i]);
            asRead.changed = true;
        }
    }
    selectAfterRebuild(selected);
    if (!changed)
        m_history.pos = 0;
    RegenerateSheet();
}
