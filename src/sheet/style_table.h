#pragma once

#include "byte_lines.h"

#include <array>

// Room for 1001 rules: indices 0 to 1000.
inline constexpr int kStyleCapacity = 1001;

// The rules of the sheet: bodies first, selectors second. Entries at
// StyleCount and above are stale and never treated as rules.
struct HMassiv {
    std::array<ByteLines, kStyleCapacity> bodies;
    std::array<QByteArray, kStyleCapacity> names;
};

struct StyleTable {
    HMassiv rules;
    int count = 0;

    const QByteArray &name(int i) const { return rules.names[i]; }
    const ByteLines &body(int i) const { return rules.bodies[i]; }

    void swapEntries(int i, int j)
    {
        rules.names[i].swap(rules.names[j]);
        rules.bodies[i].swap(rules.bodies[j]);
    }
};
