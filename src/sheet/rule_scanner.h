#pragma once

#include "byte_lines.h"

#include <vector>

// One rule as the scanner finds it. Columns are 1-based, lines 0-based.
struct RuleSpan {
    int openColumn = 0;
    int openLine = 0;
    int closeColumn = 0; // the last "}" met before the next rule's "{"
    int closeLine = 0;
    QByteArray selector;
    ByteLines body;
};

// What a single pass learns about each rule beyond its span.
struct ScannedRule {
    RuleSpan span;
    bool hasClose = false;        // a "}" ended its braces
    int endLine = -1;             // the first "}" that ended its braces
    int endColumn = -1;
    bool openedInComment = false; // its "{" stands inside a comment
    bool closedInComment = false; // its first "}" stands inside a comment
    bool interrupted = false;     // another "{" came before its own "}"
    bool lostSelectorBytes = false; // a "*" or "/" was left out of the selector
    // Where the selector's first byte stands (0-based column); the text
    // before it, back to the previous rule's "}", is the rule's preamble.
    int selectorLine = 0;
    int selectorColumn = 0;
};

// Trims blanks and bytes of 128 and above from both ends; a single byte
// is never trimmed from the end.
//
// Two readings differ from the plain column-by-column scan: a line break or
// control byte between two parts of a selector stands for one blank unless
// a neighbour already joins them (a blank, ",", ">", "+" or "~"), and a ";"
// outside brackets and quotes ends the text before it, which then stays in
// front of the rule instead of joining its selector.
QByteArray NormaliseSelector(QByteArray text);

// All rules of the sheet in one pass over its bytes.
std::vector<ScannedRule> scanSheet(const ByteLines &lines);

// Rule n of the sheet. Position fields of span are written only when the
// corresponding brace is met, as callers rely on.
void ScanRule(const ByteLines &lines, int n, RuleSpan &span);
