#include "core/stylelist/style_list_operations.h"

#include <optional>

#include "core/sheet/byte_lines.h"
#include "core/host/questioner.h"
#include "core/sheet/sheet_store.h"

#include <QString>

#include <algorithm>
#include <map>
#include <numeric>
#include <vector>

StyleListOperations::StyleListOperations(SheetStore &store, Questioner &questioner, std::function<void()> commit)
    : m_store(store)
    , m_questioner(questioner)
    , m_commit(std::move(commit))
{
}

void StyleListOperations::warn(const QString &text)
{
    m_questioner.ask(text, QStringLiteral("Quillbox"), Questioner::Ok, Questioner::Icon::Exclamation);
}

void StyleListOperations::AddStyle(const QByteArray &name)
{
    StyleTable &table = m_store.table();
    m_store.list().append(name);
    table.setEntry(table.count, name, {});
    // A new rule stands at the top level: after the ends of the groups the
    // last rule was in.
    table.leads[table.count] = std::move(table.tailLead);
    table.tailLead.clear();
    table.rawLeads[table.count] = std::move(table.rawTailLead);
    table.rawTailLead.clear();
    ++table.count;
}

void StyleListOperations::ReorderTableToList()
{
    StyleTable &table = m_store.table();
    const StyleListModel &list = m_store.list();
    for (int i = 0; i < table.count && i < list.count(); ++i) {
        // One entry past the last rule is searched too: after a deletion the
        // entry that belongs in the last place still sits there.
        for (int j = i; j <= table.count && j < table.entries(); ++j) {
            if (table.name(j) == list.item(i)) {
                if (j != i)
                    table.swapEntries(i, j);
                break;
            }
        }
    }
}

QByteArray StyleListOperations::ExistingSelectorList() const
{
    QByteArray text;
    for (const QByteArray &item : m_store.list().items())
        text += ' ' + item;
    return text;
}

void StyleListOperations::NewStyle(QByteArray name)
{
    if (name.isEmpty())
        return;
    const qsizetype amp = name.indexOf('&');
    if (amp >= 0)
        name.remove(amp, 1);
    const QByteArray folded = latinUpper(name);
    int match = -1;
    for (int i = 0; i < m_store.list().count(); ++i) {
        if (latinUpper(m_store.list().item(i)) == folded)
            match = i;
    }
    if (match < 0) {
        if (name.trimmed().isEmpty()) {
            warn(QStringLiteral("Секундочку! Имя стиля не может быть пустым."));
            return;
        }
        AddStyle(name);
        m_store.list().setSelected(m_store.list().count() - 1);
        m_store.setSheetModified(true);
    } else {
        m_questioner.ask(QStringLiteral("Стиль с именем ") + m_store.codec().decode(name) + QStringLiteral(" уже существует."),
                         QStringLiteral("Quillbox"), Questioner::Ok, Questioner::Icon::None);
        m_store.list().setSelected(match);
    }
    m_store.SelectStyle();
    m_commit();
}

bool StyleListOperations::RenameSelected(const QByteArray &newName)
{
    StyleListModel &list = m_store.list();
    const int selected = list.selected();
    if (selected < 0)
        return true;
    if (newName.trimmed().isEmpty()) {
        m_questioner.ask(QStringLiteral("Секундочку! Селектор (стиль) не может быть пустым.\rВведите имя стиля."),
                         QStringLiteral("Quillbox"), Questioner::Ok, Questioner::Icon::Error);
        return false;
    }
    const QByteArray folded = latinUpper(newName);
    // The same selector may stand in another block, as a media query's or a
    // nested rule's often does.
    const StyleTable &table = m_store.table();
    for (int i = 0; i < list.count(); ++i) {
        if (i != selected && table.group(i) == table.group(selected) && latinUpper(list.item(i)) == folded) {
            m_questioner.ask(QStringLiteral("Секундочку! Такой селектор (стиль) уже существует.\rЗамените имя \"")
                                 + m_store.codec().decode(newName) + QStringLiteral("\" на другое."),
                             QStringLiteral("Quillbox"), Questioner::Ok, Questioner::Icon::Error);
            return false;
        }
    }
    list.setItem(selected, newName);
    m_store.table().rules.names[selected] = newName;
    m_store.setSheetModified(true);
    m_commit();
    return true;
}

// Moves a rule in the list and the table at once. Selectors may repeat,
// so the rule itself is moved rather than found again by its name.
void StyleListOperations::moveRule(int from, int to)
{
    StyleTable &table = m_store.table();
    const int step = to > from ? 1 : -1;
    for (int i = from; i != to; i += step)
        table.swapEntries(i, i + step);
    QList<QByteArray> items = m_store.list().items();
    items.move(from, to);
    m_store.list().setItems(items);
}

namespace {

// The block that holds a place, seen from a group: the group around the
// place that stands directly in that group; -1 when the place is not
// inside such a block.
int blockWithin(const StyleTable &table, int place, int group)
{
    for (int g = table.group(place); g >= 0 && g < int(table.groupBlocks.size()); g = table.groupBlocks[g].parent) {
        if (table.groupBlocks[g].parent == group)
            return g;
    }
    return -1;
}

// Whether a place is inside a group, at any depth.
bool inside(const StyleTable &table, int place, int group)
{
    for (int g = table.group(place); g >= 0 && g < int(table.groupBlocks.size()); g = table.groupBlocks[g].parent) {
        if (g == group)
            return true;
    }
    return false;
}

qsizetype offsetOf(const ByteLines &lines, SheetPos pos)
{
    qsizetype offset = 0;
    for (int k = 0; k < pos.line && k < lines.size(); ++k)
        offset += lines[k].size() + 1;
    return offset + pos.column;
}

// A rule and what moves with it: a rule with nested rules takes them along,
// and a rule passes over a whole block.
struct Unit {
    int first = -1; // its places
    int last = -1;
    int block = -1; // the group of the block, or -1 for a rule alone
};

// What stands at a place, seen from a group: a rule of the group, the block
// of one of its rules with nested rules, or a conditional block in it; none
// when the place is not in the group.
Unit unitAt(const StyleTable &table, int place, int group)
{
    if (place < 0 || place >= table.count)
        return {};
    Unit unit{place, place, -1};
    if (table.group(place) == group) {
        unit.block = table.opens[place];
        if (unit.block < 0)
            return unit;
    } else {
        unit.block = blockWithin(table, place, group);
        if (unit.block < 0)
            return {};
        while (unit.first > 0 && inside(table, unit.first - 1, unit.block))
            --unit.first;
        if (unit.first > 0 && table.opens[unit.first - 1] == unit.block)
            --unit.first;
    }
    while (unit.last + 1 < table.count && inside(table, unit.last + 1, unit.block))
        ++unit.last;
    return unit;
}

// The bytes of what stands at a unit's places, as the text was last read.
std::pair<SheetPos, SheetPos> spanOf(const StyleTable &table, const Unit &unit)
{
    if (unit.block < 0)
        return table.spans[size_t(unit.first)];
    const GroupBlock &block = table.groupBlocks[size_t(unit.block)];
    const SheetPos from = table.opens[unit.first] == unit.block ? table.spans[size_t(unit.first)].first : block.start;
    return {from, SheetPos{block.close.line, block.close.column + 1}};
}

bool closedBlock(const StyleTable &table, const Unit &unit)
{
    return unit.block < 0 || table.groupBlocks[size_t(unit.block)].closed;
}

// The text with a stretch's bytes, and the blanks after them, taken out.
// Answers where the text taken out went from, and the bytes themselves.
struct Cut {
    QByteArray text;
    qsizetype at = 0;
    QByteArray core;
    QByteArray blanks;
};
Cut cutOut(const ByteLines &lines, std::pair<SheetPos, SheetPos> span)
{
    Cut cut;
    cut.text = lines.join('\n');
    QByteArray &text = cut.text;
    qsizetype from = offsetOf(lines, span.first);
    const qsizetype to = offsetOf(lines, span.second);
    qsizetype end = to;
    while (end < text.size() && static_cast<unsigned char>(text[end]) <= 32)
        ++end;
    cut.core = text.mid(from, to - from);
    cut.blanks = text.mid(to, end - to);
    if (end == text.size()) {
        // The sheet's last rule takes the blanks in front of it along.
        qsizetype start = from;
        while (start > 0 && static_cast<unsigned char>(text[start - 1]) <= 32)
            --start;
        cut.blanks = text.mid(start, from - start) + cut.blanks;
        from = start;
    }
    text.remove(from, end - from);
    cut.at = from;
    return cut;
}

// The lines a stretch stands on, its line break included, when nothing
// else stands on them: its indent goes with it and no blank line stays.
std::optional<std::pair<qsizetype, qsizetype>> ownLines(const QByteArray &text, qsizetype from, qsizetype to)
{
    while (from > 0 && (text[from - 1] == ' ' || text[from - 1] == '\t'))
        --from;
    while (to < text.size() && (text[to] == ' ' || text[to] == '\t' || text[to] == '\r'))
        ++to;
    if ((from > 0 && text[from - 1] != '\n') || to >= text.size() || text[to] != '\n')
        return std::nullopt;
    return std::make_pair(from, to + 1);
}

// The text with one stretch put in front of (or after) another.
ByteLines moveOver(const ByteLines &lines, std::pair<SheetPos, SheetPos> moved, std::pair<SheetPos, SheetPos> over,
                   bool up)
{
    // Both on lines of their own: the lines move, indents and all.
    const QByteArray whole = lines.join('\n');
    const auto movedLines = ownLines(whole, offsetOf(lines, moved.first), offsetOf(lines, moved.second));
    const auto overLines = ownLines(whole, offsetOf(lines, over.first), offsetOf(lines, over.second));
    if (movedLines && overLines) {
        const QByteArray chunk = whole.mid(movedLines->first, movedLines->second - movedLines->first);
        QByteArray text = whole;
        text.remove(movedLines->first, chunk.size());
        qsizetype at = up ? overLines->first : overLines->second;
        if (at > movedLines->first)
            at -= chunk.size();
        text.insert(at, chunk);
        return text.split('\n');
    }
    Cut cut = cutOut(lines, moved);
    const QByteArray blanks = cut.blanks.isEmpty() ? QByteArray("\n") : cut.blanks;
    qsizetype at = up ? offsetOf(lines, over.first) : offsetOf(lines, over.second);
    if (at > cut.at)
        at -= cut.core.size() + cut.blanks.size();
    cut.text.insert(at, up ? cut.core + blanks : blanks + cut.core);
    return cut.text.split('\n');
}

} // namespace

int StyleListOperations::stepRule(int row, bool up)
{
    StyleTable &table = m_store.table();
    if (row < 0 || row >= table.count)
        return row;
    const int group = table.group(row);
    Unit unit = unitAt(table, row, group);
    Unit other = unitAt(table, up ? unit.first - 1 : unit.last + 1, group);
    if (other.first < 0)
        return row; // the edge of the rule's own block
    if (unit.block < 0 && other.block < 0) {
        moveRule(row, other.first);
        if (m_store.currentStyleIndex() == row)
            m_store.setCurrentStyleIndex(other.first);
        return other.first;
    }
    // A block moves, or the rule passes over one: the places and the text
    // are read anew so that they match, and the bytes are moved.
    m_store.RegenerateSheet();
    m_store.RebuildStyleTable();
    unit = unitAt(table, row, group);
    other = unitAt(table, up ? unit.first - 1 : unit.last + 1, group);
    if (other.first < 0 || !closedBlock(table, unit) || !closedBlock(table, other)) {
        m_store.selectAfterRebuild(row);
        return row;
    }
    const int next = up ? other.first : unit.first + (other.last - other.first + 1);
    m_store.setSheetLines(moveOver(m_store.sheetLines(), spanOf(table, unit), spanOf(table, other), up));
    m_store.RebuildStyleTable();
    m_store.selectAfterRebuild(next);
    return next;
}

void StyleListOperations::StyleUp()
{
    const int selected = m_store.list().selected();
    // A rule moves inside its own block, over whole blocks in it; at the
    // block's edge nothing happens.
    const int next = stepRule(selected, true);
    if (next == selected)
        return;
    m_store.list().setSelected(next);
    // The memo still holds the moved rule's body; the commit stores it at
    // the rule's new place.
    m_store.setCurrentStyleIndex(next);
    m_store.setSheetModified(true);
    m_commit();
}

void StyleListOperations::StyleDown()
{
    const int selected = m_store.list().selected();
    const int next = stepRule(selected, false);
    if (next == selected)
        return;
    m_store.list().setSelected(next);
    m_store.setCurrentStyleIndex(next);
    m_store.setSheetModified(true);
    m_commit();
}

void StyleListOperations::StyleSorted()
{
    const int count = m_store.styleCount();
    if (count == 0)
        return;
    const QByteArray remembered = m_store.list().selectedText();
    const int current = m_store.currentStyleIndex();
    // The memo belongs to the current rule; store it before the rules move.
    if (current >= 0 && current < count)
        m_store.table().rules.bodies[current] = m_store.memo().lines();

    StyleTable &table = m_store.table();
    std::vector<QString> shown(count);
    for (int i = 0; i < count; ++i)
        shown[i] = m_store.codec().decode(table.name(i));
    // The rules of each block are ordered among the places of that block;
    // no rule leaves its block.
    // A rule with nested rules keeps its place: its block follows it.
    std::vector<int> order(count);
    std::iota(order.begin(), order.end(), 0);
    std::map<int, std::vector<int>> places;
    for (int i = 0; i < count; ++i) {
        if (table.opens[i] < 0)
            places[table.group(i)].push_back(i);
    }
    for (const auto &[group, at] : places) {
        std::vector<int> sorted = at;
        std::stable_sort(sorted.begin(), sorted.end(), [&](int a, int b) {
            return QString::compare(shown[a], shown[b], Qt::CaseInsensitive) < 0;
        });
        for (size_t k = 0; k < at.size(); ++k)
            order[at[k]] = sorted[k];
    }
    HMassiv sorted;
    sorted.names.resize(size_t(count));
    sorted.bodies.resize(size_t(count));
    sorted.preambles.resize(size_t(count));
    std::vector<AsRead> asRead(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
        sorted.names[i] = table.name(order[i]);
        sorted.bodies[i] = table.body(order[i]);
        sorted.preambles[i] = table.preamble(order[i]);
        asRead[size_t(i)] = table.asRead[size_t(order[i])];
    }
    QList<QByteArray> items;
    for (int i = 0; i < count; ++i) {
        table.rules.names[i] = sorted.names[i];
        table.rules.bodies[i] = sorted.bodies[i];
        table.rules.preambles[i] = sorted.preambles[i];
        table.asRead[size_t(i)] = asRead[size_t(i)];
        items.append(sorted.names[i]);
    }
    m_store.list().setItems(items);
    int row = 0;
    while (row < count - 1 && m_store.list().item(row) != remembered)
        ++row;
    m_store.list().setSelected(row);
    m_store.setCurrentStyleIndex(row);
    m_store.memo().setLines(table.body(row));
    m_store.setSheetModified(true);
    m_commit();
}

void StyleListOperations::StyleDelete()
{
    StyleTable &table = m_store.table();
    const int selected = m_store.list().selected();
    if (table.count < 2 || selected < 0)
        return;
    if (table.opens[selected] >= 0) {
        deleteWithNested(selected);
        return;
    }
    // The rule goes; the group braces in front of it stay, so its block
    // stays too.
    table.removePlace(selected);
    m_store.list().removeAt(selected);
    const int next = selected < table.count ? selected : table.count - 1;
    m_store.list().setSelected(next);
    // The deleted rule's pending edits are dropped with it.
    m_store.loadRule(next);
    m_store.setSheetModified(true);
    m_commit();
}

void StyleListOperations::deleteWithNested(int row)
{
    // A rule with nested rules goes with all of them, as the browser holds
    // them: its bytes to its "}" leave the text.
    StyleTable &table = m_store.table();
    Unit unit = unitAt(table, row, table.group(row));
    if (unit.last - unit.first + 1 >= table.count)
        return; // the sheet keeps a rule
    m_store.RegenerateSheet();
    m_store.RebuildStyleTable();
    unit = unitAt(table, row, table.group(row));
    if (!closedBlock(table, unit)) {
        m_store.selectAfterRebuild(row);
        return;
    }
    const ByteLines &lines = m_store.sheetLines();
    const std::pair<SheetPos, SheetPos> span = spanOf(table, unit);
    QByteArray text = lines.join('\n');
    if (const auto own = ownLines(text, offsetOf(lines, span.first), offsetOf(lines, span.second))) {
        // Its lines go, indent and all.
        text.remove(own->first, own->second - own->first);
    } else {
        const Cut cut = cutOut(lines, span);
        text = cut.text;
        // One line break stays where the block stood between two others.
        if (cut.at > 0 && cut.at < text.size() && cut.blanks.contains('\n') && text[cut.at - 1] != '\n')
            text.insert(cut.at, cut.blanks.mid(cut.blanks.lastIndexOf('\n')));
    }
    m_store.setSheetLines(text.split('\n'));
    m_store.RebuildStyleTable();
    m_store.selectAfterRebuild(std::min(row, table.count - 1));
    m_store.setSheetModified(true);
    m_commit();
}

void StyleListOperations::DragOver(int row)
{
    m_store.list().setSelected(row);
}

void StyleListOperations::DragDrop(int targetRow)
{
    int current = m_store.currentStyleIndex();
    if (current < 0 || current >= m_store.styleCount()) {
        return;
    }
    // A rule is dropped only inside its own block; dropped on a rule of a
    // block within it, it goes over the whole of that block.
    const int start = current;
    if (targetRow >= 0 && targetRow < m_store.styleCount()) {
        const bool up = targetRow < current;
        while (current != targetRow) {
            const int next = stepRule(current, up);
            if (next == current)
                break;
            current = next;
            if (up ? current < targetRow : current > targetRow)
                break;
        }
    }
    if (current != start) {
        // Unlike a commit, a drop leaves the sheet text to the next
        // regeneration; the order is still a change worth saving.
        m_store.setSheetModified(true);
    }
    m_store.setCurrentStyleIndex(current);
    m_store.list().setSelected(current);
}

void StyleListOperations::ClearStyle()
{
    m_store.memo().clear();
    m_store.runRuleLoaded();
}
