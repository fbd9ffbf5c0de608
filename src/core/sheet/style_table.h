#pragma once

#include "core/sheet/byte_lines.h"

#include <array>

// Room for 1001 rules: indices 0 to 1000.
inline constexpr int kStyleCapacity = 1001;

// The rules of the sheet: bodies first, selectors second, then what stands
// in front of each rule (comments, @charset and @import statements), which
// moves with it. Entries at StyleCount and above are stale and never
// treated as rules.
struct HMassiv {
    std::array<ByteLines, kStyleCapacity> bodies;
    std::array<QByteArray, kStyleCapacity> names;
    std::array<ByteLines, kStyleCapacity> preambles;
};

struct StyleTable {
    HMassiv rules;
    int count = 0;

    const QByteArray &name(int i) const { return rules.names[i]; }
    const ByteLines &body(int i) const { return rules.bodies[i]; }
    const ByteLines &preamble(int i) const { return rules.preambles[i]; }

    void swapEntries(int i, int j)
    {
        rules.names[i].swap(rules.names[j]);
        rules.bodies[i].swap(rules.bodies[j]);
        rules.preambles[i].swap(rules.preambles[j]);
    }

    // A rule made in the program: no preamble.
    void setEntry(int i, const QByteArray &name, const ByteLines &body)
    {
        rules.names[i] = name;
        rules.bodies[i] = body;
        rules.preambles[i].clear();
    }
};
