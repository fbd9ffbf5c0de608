#pragma once

#include "core/sheet/byte_lines.h"

#include <vector>

// A place in the sheet: a line and a byte of it, both from 0.
struct SheetPos {
    int line = 0;
    int column = 0;
    friend bool operator==(const SheetPos &, const SheetPos &) = default;
};

// One block at the top level of a sheet or of a conditional group (an
// @media, @supports, @layer, @container, @scope or @document block): the
// text before its "{" back to the end of what came before (the previous
// block, a ";" statement or a group's brace), and its braces. Braces inside
// strings and comments do not count.
struct TopBlock {
    SheetPos start;       // the first byte of its selector; open when it has none
    bool hasSelector = false;
    SheetPos open;        // its "{"
    SheetPos close;       // the "}" that balances it, when closed
    bool closed = false;
    bool nested = false;  // braces inside: an at-rule block, nesting
    int group = -1;       // the innermost group around it, or -1 at the top level
    SheetPos afterStructure; // just after the last group brace before it
    bool hasStructure = false;
};

// A conditional group block: its prelude runs from start to its "{".
struct GroupBlock {
    SheetPos start;
    SheetPos open;
    int parent = -1;
    SheetPos close; // its "}", when closed
    bool closed = false;
};

struct SheetScan {
    std::vector<TopBlock> blocks;
    std::vector<GroupBlock> groups;
    SheetPos afterStructure; // just after the sheet's last group brace
    bool hasStructure = false;
};

// The blocks of the sheet at the top level and inside conditional groups
// at any depth, in order, in one pass.
SheetScan scanSheet(const ByteLines &lines);

// Whether the text at a place starts a conditional group at-rule, vendor
// forms included ("@media", "@-moz-document").
bool startsConditionalGroup(const QByteArray &line, int column);

// A held rule's selector as written between its start and its "{": the
// comments in it are taken out and handed back, a line break or control
// byte between two parts stands for one blank, and the blanks around it
// are trimmed.
struct WrittenSelector {
    QByteArray text;
    ByteLines comments;
    // A quote still open at a line's end: joined on one line, the
    // selector would read differently, so it is not held.
    bool openQuote = false;
};
WrittenSelector selectorBetween(const ByteLines &lines, SheetPos from, SheetPos to);

// The lines between a block's braces as the rule memo holds them.
ByteLines bodyBetween(const ByteLines &lines, SheetPos open, SheetPos close);
