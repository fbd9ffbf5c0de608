#include "core/preview/sheet_view_model.h"

#include <gtest/gtest.h>

namespace {

const QByteArray kText = "a {\nx;\n}\nb {\ny;\n}\nc {\n}\n";
// Rule 1 opens at 11 and closes at 16; rule 2 closes at 22.

TEST(SheetViewCaret, MovesJustAfterTheRulesBraceWhenOutside)
{
    EXPECT_EQ(SheetViewModel::placeCaret(kText, 1, 0), 17);   // before the rule
    EXPECT_EQ(SheetViewModel::placeCaret(kText, 1, 20), 17);  // after the rule
    EXPECT_EQ(SheetViewModel::placeCaret(kText, 2, 3), 23);
}

TEST(SheetViewCaret, StaysWhereItIsInsideTheRule)
{
    EXPECT_EQ(SheetViewModel::placeCaret(kText, 1, 12), 12);  // just after "{"
    EXPECT_EQ(SheetViewModel::placeCaret(kText, 1, 17), 17);  // just after "}"
    EXPECT_EQ(SheetViewModel::placeCaret(kText, 1, 11), 17);  // just before the "{"
}

TEST(SheetViewCaret, CountsBracesInsideComments)
{
    const QByteArray text = "/* { */ a {\n}\nb {\n}\nc {\n}\n";
    // Rule 1 is taken to open at the second "{", the one of "a".
    EXPECT_EQ(SheetViewModel::placeCaret(text, 1, 0), 13);
}

TEST(SheetViewCaret, NoSelectionUsesTheFirstClosingBrace)
{
    EXPECT_EQ(SheetViewModel::placeCaret(kText, -1, 30), 8);
    EXPECT_EQ(SheetViewModel::placeCaret(kText, -1, 4), 4);
}

TEST(SheetViewCaret, MissingRuleOrBracePutsTheCaretAtTheEnd)
{
    EXPECT_EQ(SheetViewModel::placeCaret(kText, 7, 3), kText.size());
    EXPECT_EQ(SheetViewModel::placeCaret("a {\nx", 0, 0), 5);
    EXPECT_EQ(SheetViewModel::placeCaret("", 0, 9), 0);
}

} // namespace
