#pragma once

#include "core/sheet/byte_lines.h"

#include <vector>

// A place in the sheet: a line and a byte of it, both from 0.
struct SheetPos {
    int line = 0;
    int column = 0;
    friend bool operator==(const SheetPos &, const SheetPos &) = default;
};

// One block at the top level of a sheet, of a conditional group (an
// @media, @supports, @layer, @container, @scope, @starting-style or
// @document block) or nested in a style rule: the text before its "{" back
// to the end of what came before (the previous block, a ";" statement or
// declaration, a group's brace), and its braces. Braces inside strings and
// comments do not count.
//
// A style rule that holds nested rules is a block of its own up to the end
// of its own declarations (the last ";" before its first nested rule) and
// opens a group the nested rules stand in; its "}" closes that group. So
// does a conditional rule nested in a style rule, when it holds
// declarations of its own; without them it is a group only.
struct TopBlock {
    SheetPos start;       // the first byte of its selector; open when it has none
    bool hasSelector = false;
    SheetPos open;        // its "{"
    SheetPos close;       // the "}" that balances it, when closed; where its own declarations end when it opens a group
    bool closed = false;
    bool nested = false;  // braces inside that are no rules: an at-rule block, a custom property's block
    int opens = -1;       // the group its nested rules stand in, when it has them
    int group = -1;       // the innermost group around it, or -1 at the top level
    SheetPos afterStructure; // just after the last group brace before it
    bool hasStructure = false;
};

// A conditional group block, or the block of a rule with nested rules:
// its prelude runs from start to its "{".
struct GroupBlock {
    SheetPos start;
    SheetPos open;
    int parent = -1;
    bool style = false; // a style rule's block: its prelude is a selector
    SheetPos close; // its "}", when closed
    bool closed = false;
};

struct SheetScan {
    std::vector<TopBlock> blocks;
    std::vector<GroupBlock> groups;
    SheetPos afterStructure; // just after the sheet's last group brace
    bool hasStructure = false;
};

// The blocks of the sheet at the top level, inside conditional groups and
// nested in style rules at any depth, in the order they open, in one pass.
// A style rule whose nesting the scan cannot follow (a block that is no
// rule inside it, nesting deeper than kMaxNesting) is one nested block,
// kept as it stands.
constexpr int kMaxNesting = 64;
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
// `known`: a selector read before, taken rather than copied when it is the same.
WrittenSelector selectorBetween(const ByteLines &lines, SheetPos from, SheetPos to, const QByteArray &known = {});

// The lines between a block's braces as the rule memo holds them.
ByteLines bodyBetween(const ByteLines &lines, SheetPos open, SheetPos close);
// Whether bodyBetween would give this body, without making one.
bool bodyIs(const ByteLines &lines, SheetPos open, SheetPos close, const ByteLines &body);
