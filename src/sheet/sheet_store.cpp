#include "sheet_store.h"

#include "rule_scanner.h"
#include "sheet_writer.h"

namespace {

// A rule the table can hold and write back without losing text: it has a
// selector that is the one written, its braces open and close outside
// comments, and no other "{" interrupts them.
bool isHoldable(const ScannedRule &rule)
{
    return !rule.span.selector.isEmpty() && !rule.lostSelectorBytes && !rule.openedInComment && !rule.interrupted
        && !(rule.hasClose && rule.closedInComment);
}

// The text between a rule's start (the previous rule's "}", or the sheet's
// start) and its selector, without the blank space around it: comments and
// statements that belong in front of the rule. Empty for most rules.
ByteLines preambleOf(const ByteLines &lines, int fromLine, int fromColumn, const ScannedRule &rule)
{
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    // Most rules have nothing but line breaks in front of them.
    bool onlyBlank = true;
    for (int k = fromLine; onlyBlank && k <= rule.selectorLine && k < lines.size(); ++k) {
        const QByteArray &line = lines[k];
        const int from = k == fromLine ? fromColumn : 0;
        const int to = k == rule.selectorLine ? rule.selectorColumn : static_cast<int>(line.size());
        for (int i = from; i < to && onlyBlank; ++i)
            onlyBlank = blank(line[i]);
    }
    if (onlyBlank)
        return {};

    QByteArray region;
    for (int k = fromLine; k <= rule.selectorLine && k < lines.size(); ++k) {
        const QByteArray &line = lines[k];
        const int from = k == fromLine ? fromColumn : 0;
        const int to = k == rule.selectorLine ? rule.selectorColumn : static_cast<int>(line.size());
        if (k > fromLine)
            region += '\n';
        if (to > from)
            region += line.mid(from, to - from);
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

ByteLines tailAfter(const ByteLines &lines, const ScannedRule &lastHeld)
{
    ByteLines tail;
    if (!lastHeld.hasClose)
        return tail; // it runs to the end of the sheet
    const QByteArray rest = lines[lastHeld.endLine].mid(lastHeld.endColumn);
    if (!rest.isEmpty())
        tail.append(rest);
    tail.append(lines.mid(lastHeld.endLine + 1));
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
    const std::vector<ScannedRule> rules = scanSheet(m_sheetLines);
    QList<QByteArray> names;
    int held = 0;
    int fromLine = 0;
    int fromColumn = 0;
    for (const ScannedRule &rule : rules) {
        if (held == kStyleCapacity || !isHoldable(rule))
            break;
        m_table.rules.names[held] = rule.span.selector;
        m_table.rules.bodies[held] = rule.span.body;
        m_table.rules.preambles[held] = preambleOf(m_sheetLines, fromLine, fromColumn, rule);
        names.append(rule.span.selector);
        fromLine = rule.endLine;
        fromColumn = rule.endColumn;
        ++held;
    }
    m_table.count = held;
    m_tail = held == 0 ? m_sheetLines : tailAfter(m_sheetLines, rules[held - 1]);
    m_list.setItems(std::move(names));
}

void SheetStore::SelectStyle()
{
    if (m_currentStyleIndex >= 0 && m_currentStyleIndex < kStyleCapacity)
        m_table.rules.bodies[m_currentStyleIndex] = m_memo.lines();
    if (m_list.selected() < 0)
        m_list.setSelected(0);
    const int selected = m_list.selected();
    if (selected < 0) {
        // An empty table: nothing to load, and nothing to write back later.
        m_memo.clear();
        m_currentStyleIndex = -1;
    } else {
        m_memo.setLines(m_table.rules.bodies[selected]);
        m_currentStyleIndex = selected;
    }
    if (m_ruleLoaded)
        m_ruleLoaded();
}

bool SheetStore::SheetDiffersFromHistory() const
{
    return m_history.differsFrom(sheetText());
}

void SheetStore::RegenerateSheet()
{
    SelectStyle();
    setSheetLines(writeSheetLines(m_table, m_tail));
    const QByteArray text = sheetText();
    if (!m_history.differsFrom(text))
        return;
    m_history.record(text, m_list.selected());
    setHistoryActions(m_history.canUndo(), false);
}
