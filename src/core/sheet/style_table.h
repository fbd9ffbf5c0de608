#pragma once

#include "core/sheet/block_scanner.h"
#include "core/sheet/byte_lines.h"

#include <algorithm>
#include <optional>
#include <vector>

// The rules of the sheet: bodies first, selectors second, then what stands
// in front of each rule (comments, @charset and @import statements), which
// moves with it. There is no fixed capacity: the entries grow with the
// sheet. Entries at StyleCount and above are stale and never treated as
// rules.
struct HMassiv {
    std::vector<ByteLines> bodies;
    std::vector<QByteArray> names;
    std::vector<ByteLines> preambles;
};

// A stretch of the sheet as read, held as a view: the lines it was read
// from are shared, not copied, so holding every rule's bytes costs little.
struct TextSpan {
    ByteLines source;
    SheetPos from;
    SheetPos to; // one past the last byte

    bool isEmpty() const { return source.isEmpty() || from == to; }
    qsizetype lineCount() const { return isEmpty() ? 0 : to.line - from.line + 1; }
    // The span's k-th line: the first starts at `from`, the last ends at `to`.
    QByteArray line(qsizetype k) const
    {
        const QByteArray &whole = source[from.line + k];
        const qsizetype first = k == 0 ? from.column : 0;
        const qsizetype last = from.line + k == to.line ? std::min<qsizetype>(to.column, whole.size()) : whole.size();
        return first == 0 && last == whole.size() ? whole : whole.mid(first, std::max<qsizetype>(0, last - first));
    }
    ByteLines lines() const
    {
        ByteLines out;
        out.reserve(lineCount());
        for (qsizetype k = 0; k < lineCount(); ++k)
            out.append(line(k));
        return out;
    }
};

// Each rule as the sheet had it when read, so that a rule the user has not
// changed can be written with its own bytes. Moves with its rule.
struct AsRead {
    TextSpan raw;           // from its own first byte to its "}", byte for byte
    SheetPos selectorAt;    // where its selector starts in raw
    ByteLines selectorComments; // comments taken out of its selector
    QByteArray name;        // the selector as read
    ByteLines body;         // the body as read
    ByteLines loadedForm;   // the body as the panels laid it out when it was last selected
    bool changed = true;    // changed since read, or made in the program
    // A changed rule as its own text with only the change made, for the
    // name and body it was made for; none when it cannot be made so.
    std::optional<ByteLines> inPlace;
    QByteArray inPlaceName;
    ByteLines inPlaceBody;
    bool inPlaceKnown = false;
};

struct StyleTable {
    HMassiv rules;
    int count = 0;
    // By place, not by rule: what stays where it stands when rules move.
    // leads: the group braces in front of the place (the end of the groups
    // before it, the start of the groups it is in), written before the
    // rule's own preamble; groups: the innermost group the place is in, or
    // -1 at the top level. A rule moves only among places of its group.
    std::vector<ByteLines> leads;
    std::vector<int> groups;
    // The group a place's rule opens for the rules nested in it, or -1: the
    // rule is written without its "}", which closes the group after them.
    std::vector<int> opens;
    // Group braces after the last rule, written before the tail: the end of
    // the groups the last rule is in. A rule added at the end goes after them.
    ByteLines tailLead;
    // The same by place and after the last rule, byte for byte.
    std::vector<ByteLines> rawLeads;
    std::vector<ByteLines> rawGaps; // the line breaks between the place's lead and its rule
    ByteLines rawTailLead;
    std::vector<AsRead> asRead;
    // Where each place's rule stood in the text it was read from (its first
    // byte, comments in front included, and just after its "}"), and the
    // groups of that text: true only until the text or the order changes.
    std::vector<std::pair<SheetPos, SheetPos>> spans;
    // The same for each place's body: its "{" and where its declarations end.
    std::vector<std::pair<SheetPos, SheetPos>> bodySpans;
    std::vector<GroupBlock> groupBlocks;
    // The line each place's selector was last written as, "name {": kept
    // while the name stays, so writing the sheet again makes no new line.
    mutable std::vector<QByteArray> writtenHeaders;

    // Whether the rule in a place can be written as it was read: not
    // renamed, and its body the one read or the one its selection laid out.
    bool untouched(int i) const
    {
        const AsRead &read = asRead[i];
        return !read.changed && rules.names[i] == read.name
            && (rules.bodies[i] == read.body || rules.bodies[i] == read.loadedForm);
    }

    const QByteArray &name(int i) const { return rules.names[i]; }
    const ByteLines &body(int i) const { return rules.bodies[i]; }
    const ByteLines &preamble(int i) const { return rules.preambles[i]; }

    // Room for entries 0 .. n - 1, and one more: after a deletion the entry
    // that belongs in the last place may still sit one past the end.
    void reserveEntries(int n)
    {
        const size_t wanted = size_t(n) + 1;
        if (rules.names.size() >= wanted)
            return;
        rules.names.resize(wanted);
        rules.bodies.resize(wanted);
        rules.preambles.resize(wanted);
        leads.resize(wanted);
        groups.resize(wanted, -1);
        opens.resize(wanted, -1);
        rawLeads.resize(wanted);
        rawGaps.resize(wanted);
        asRead.resize(wanted);
        spans.resize(wanted);
        bodySpans.resize(wanted);
    }
    const ByteLines &lead(int i) const { return leads[i]; }
    int group(int i) const { return groups[i]; }
    // The place whose rule opens a group, or -1 for a conditional group.
    int ownerOf(int group) const
    {
        for (int i = 0; i < count; ++i) {
            if (opens[i] == group)
                return i;
        }
        return -1;
    }

    // Whether every place from one to the other is in the same group, so a
    // rule may move between them.
    bool sameBlock(int from, int to) const
    {
        for (int i = std::min(from, to); i <= std::max(from, to); ++i) {
            if (groups[i] != groups[from])
                return false;
        }
        return true;
    }

    // Takes the place out with its rule; the group braces in front of it
    // stay, in front of the next place or of the tail. A rule that had
    // lines of its own takes one line break with it, so its neighbours
    // stand as they stood.
    void removePlace(int i)
    {
        ByteLines braces = leads[i];
        ByteLines before = joinRaw(rawLeads[i], rawGaps[i]);
        const bool ownLines = before.size() >= 2 ? before.last().isEmpty() : i == 0 && before.join().isEmpty();
        if (i + 1 < count) {
            leads[i + 1] = braces + leads[i + 1];
            ByteLines after = joinRaw(rawLeads[i + 1], rawGaps[i + 1]);
            if (ownLines && after.size() >= 2 && after.first().isEmpty())
                after.removeFirst();
            rawLeads[i + 1] = joinRaw(before, after);
            rawGaps[i + 1].clear();
        } else {
            tailLead = braces + tailLead;
            if (ownLines && before.size() >= 2)
                before.removeLast();
            rawTailLead = joinRaw(before, rawTailLead);
        }
        for (int j = i; j + 1 < count; ++j) {
            swapEntries(j, j + 1);
            leads[j].swap(leads[j + 1]);
            rawLeads[j].swap(rawLeads[j + 1]);
            rawGaps[j].swap(rawGaps[j + 1]);
            groups[j] = groups[j + 1];
            opens[j] = opens[j + 1];
        }
        --count;
        leads[count].clear();
        rawLeads[count].clear();
        rawGaps[count].clear();
        groups[count] = -1;
        opens[count] = -1;
    }
    int entries() const { return int(rules.names.size()); }

    void swapEntries(int i, int j)
    {
        rules.names[i].swap(rules.names[j]);
        rules.bodies[i].swap(rules.bodies[j]);
        rules.preambles[i].swap(rules.preambles[j]);
        std::swap(asRead[i], asRead[j]);
    }

    // Two stretches of text one after the other: the second goes on in the
    // line the first ends in.
    static ByteLines joinRaw(const ByteLines &first, const ByteLines &second)
    {
        if (first.isEmpty())
            return second;
        if (second.isEmpty())
            return first;
        ByteLines out = first;
        out.last() += second.first();
        out.append(second.mid(1));
        return out;
    }

    // A rule made in the program: no preamble.
    void setEntry(int i, const QByteArray &name, const ByteLines &body)
    {
        reserveEntries(i + 1);
        leads[i].clear();
        rawLeads[i].clear();
        rawGaps[i].clear();
        groups[i] = -1;
        opens[i] = -1;
        asRead[i] = AsRead();
        rules.names[i] = name;
        rules.bodies[i] = body;
        rules.preambles[i].clear();
    }
};
