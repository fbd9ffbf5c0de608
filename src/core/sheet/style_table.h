#pragma once

#include "core/sheet/byte_lines.h"

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

struct StyleTable {
    HMassiv rules;
    int count = 0;

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
    }
    int entries() const { return int(rules.names.size()); }

    void swapEntries(int i, int j)
    {
        rules.names[i].swap(rules.names[j]);
        rules.bodies[i].swap(rules.bodies[j]);
        rules.preambles[i].swap(rules.preambles[j]);
    }

    // A rule made in the program: no preamble.
    void setEntry(int i, const QByteArray &name, const ByteLines &body)
    {
        reserveEntries(i + 1);
        rules.names[i] = name;
        rules.bodies[i] = body;
        rules.preambles[i].clear();
    }
};
