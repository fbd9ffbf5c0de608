#include "core/sheet/block_scanner.h"
#include "core/sheet/sheet_store.h"
#include "core/sheet/unsupported_comment.h"

#include "../support/random_sheet.h"
#include "../support/scan_oracle.h"
#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

namespace {

SheetStore &rebuilt(SheetStore &store, const QByteArray &text)
{
    store.setSheetText(text);
    store.RebuildStyleTable();
    return store;
}

TEST(RebuildStyleTable, SelectorsAndBodiesAreTakenAsWritten)
{
    struct Case {
        const char *name;
        QByteArray sheet;
        QByteArray selector;
        ByteLines body;
    };
    const Case cases[] = {
        {"OneLine", "p{color:red}", "p", lines({"color:red"})},
        {"TrailingBlankKept", "a { color: red }", "a", lines({"color: red "})},
        {"CloseOnOwnLine", "a {\r\n  color: red;\r\n}", "a", lines({"color: red;", ""})},
        {"CloseAfterTheLastDeclaration", "a {\r\n  color: red;}", "a", lines({"color: red;"})},
        {"CloseOnOwnLineAgain", "a {\r\n  color: red;\r\n}", "a", lines({"color: red;", ""})},
        {"IndentedClose", "a {\r\n  color: red;\r\n  }", "a", lines({"color: red;", " "})},
        {"EmptyBraces", "a {}", "a", lines({""})},
        {"SelectorOverTwoLines", "h1,\r\nh2 {\r\n}", "h1,h2", lines({""})},
        {"LineBreakKeepsTheCombinator", "div\r\np {\r\n}", "div p", lines({""})},
        {"TabStandsForABlank", "div\tp {}", "div p", lines({""})},
        {"StatementBeforeTheSelector", "@charset \"UTF-8\";\r\nbody {}", "body", lines({""})},
        {"SemicolonInAttribute", "a[title=\"x;y\"] {}", "a[title=\"x;y\"]", lines({""})},
        {"EmptyLinesGiveNothing", "a {\r\n\r\nx;\r\n\r\n}", "a", lines({"x;", ""})},
        {"AllLowBytesKeepLast", "a {\r\n \t\r\n}", "a", lines({"\t", ""})},
        {"CommentInBodyKept", "a { /* \xea\xee */ x }", "a", lines({"/* \xea\xee */ x "})},
        {"Universal", "* { margin: 0 }", "*", lines({"margin: 0 "})},
        {"UniversalDescendant", "div * {}", "div *", lines({""})},
        {"PseudoElements", "*, *::before, *::after {}", "*, *::before, *::after", lines({""})},
        {"AttributeOperator", "[class*=col] {}", "[class*=col]", lines({""})},
        {"QuotedSlashAndBraces", "a[href^=\"http://\"], a[title=\"{x}\"] {}", "a[href^=\"http://\"], a[title=\"{x}\"]",
         lines({""})},
        {"SlashKept", "a/b {}", "a/b", lines({""})},
        {"CyrillicClass", ".\xea\xeb\xe0\xf1\xf1 {}", ".\xea\xeb\xe0\xf1\xf1", lines({""})},
        {"Utf8InAttribute", "a[title=\"\xd0\xb4\"] {}", "a[title=\"\xd0\xb4\"]", lines({""})},
        {"CommentInSelectorLeaves", "a /* c */ b {}", "a  b", lines({""})},
    };
    // Read afresh, and into a store that held the case before it, either
    // way round: a rule read again keeps its lines only when they are the same.
    SheetStore forward;
    SheetStore backward;
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case &back = cases[std::size(cases) - 1 - i];
        rebuilt(backward, back.sheet);
        EXPECT_EQ(backward.table().body(0), back.body) << back.name << " after the case below it";
        const Case &c = cases[i];
        SheetStore store;
        for (SheetStore *read : {&store, &forward}) {
            rebuilt(*read, c.sheet);
            ASSERT_EQ(read->styleCount(), 1) << c.name;
            EXPECT_EQ(read->table().name(0), c.selector) << c.name;
            EXPECT_EQ(read->table().body(0), c.body) << c.name;
        }
    }
    SheetStore store;
    EXPECT_EQ(rebuilt(store, "a /* c */ b {}").table().preamble(0), lines({"/* c */"}));
}

TEST(RebuildStyleTable, HoldsEveryTopLevelRuleAndKeepsTheRestInPlace)
{
    struct Case {
        const char *name;
        QByteArray sheet;
        QList<QByteArray> held;
    };
    const Case cases[] = {
        {"MediaBetweenRules", "a { x }\r\n@media print { p { color: red } }\r\nb { y }", {"a", "p", "b"}},
        {"MediaFirst", "@media print { p { color: red } }\r\nb { y }", {"p", "b"}},
        {"KeyframesInMedia", "@media print { @keyframes k { to { top: 0 } } p { x } }", {"p"}},
        {"Keyframes", "@keyframes k { from { top: 0 } to { top: 1px } }\r\nb { y }", {"b"}},
        {"Nesting", "a { color: red; & b { x } }\r\nc { y }", {"a", "& b", "c"}},
        {"BracesInCommentsAndStrings", "a { /* } */ x }\r\nb { content: \"}\" }\r\nc /* { */ { z }", {"a", "b", "c"}},
        {"CommentHoldsABlock", "/* a { b } */\r\nbody { x }", {"body"}},
        {"StrayClose", "a { x }\r\n}\r\nc { z }", {"a", "c"}},
        {"Unclosed", "a { x }\r\nb { y", {"a"}},
        {"UnterminatedString", "a { content: \"x }\r\nb { y }", {}},
        {"UnterminatedComment", "a { x }\r\n/* open\r\nb { y }", {"a"}},
        {"NoSelector", "a { x }\r\n{ y }\r\nb { z }", {"a"}},
        {"Empty", "", {}},
    };
    for (const Case &c : cases) {
        SheetStore store;
        openText(store, c.sheet);
        EXPECT_EQ(store.list().items(), c.held) << c.name;
        // Nothing of the text is lost, and the next round settles.
        const QByteArray once = store.sheetText();
        for (const QByteArray &part : {QByteArray("@keyframes k { from { top: 0 } to { top: 1px } }"),
                                       QByteArray("@keyframes k { to { top: 0 } }"),
                                       QByteArray("/* open"), QByteArray("{ y }\r\nb")}) {
            if (c.sheet.contains(part))
                EXPECT_TRUE(once.contains(part)) << c.name << ": " << part.constData();
        }
        if (c.held.isEmpty())
            EXPECT_EQ(once.trimmed(), c.sheet.trimmed()) << c.name;
        openText(store, once);
        const QByteArray twice = store.sheetText();
        openText(store, twice);
        EXPECT_EQ(store.sheetText(), twice) << c.name;
    }
}

TEST(RebuildStyleTable, SheetsTheFuzzerFoundSettle)
{
    // A quote left open over line ends inside a selector: held and joined
    // on one line it read differently at every save. A comment taken out of
    // "b//* d */*" left "b/*", the start of a new comment. Control bytes
    // between "; " pairs lost one more piece at every save. An escaped "/"
    // before "*" was no comment to the block scan but one to the selector.
    // The marker line dropped from a comment left the comment open.
    const QByteArray sheets[] = {
        "a{/*\n" + unsupportedComment() + "}*/}",
        QByteArray("\\/*{}/*//{ }"),
        QByteArray("a {; \x04; \x04;}b{\0\x01\0n// ", 20),
        QByteArray("color: \x8e""\x9a""\x9b""g\xdf""olor: \x8e""\x9a""\x9b""\xdf""\x82""\xdf""\x82""\xf2""\x0a""/*\xff""\xff""\xff""\xff""\xff""\xff""\xff""\xff""\x13""\xff""!c */ b//* d */*\xdf""\x82""\xf2""\x0a""\xf4""* { z }:\x0a""\x0f""\x00""\\\xf8"" }\x0d""\x0a""@medi*/* { z }:\x0a""", 93),
        QByteArray("@charseset a`{ x?}\x0d"" conte@nt: )}\" }\x0d""\x0a""b \"xt a`{ x?}\x0d""]\x00""ta { conte@[nt:---- \"}\" }\x0d""\x0a""b \"x \"", 86),
    };
    for (const QByteArray &text : sheets) {
        SheetStore store;
        openText(store, text);
        openText(store, store.sheetText());
        const QByteArray settled = store.sheetText();
        openText(store, settled);
        EXPECT_EQ(store.sheetText(), settled);
    }
}

TEST(RebuildStyleTable, AnEscapedQuoteDoesNotEndItsString)
{
    SheetStore store;
    rebuilt(store, "a { content: \"\\\"}\" }\r\nb { x }\r\n");
    ASSERT_EQ(store.list().items(), (QList<QByteArray>{"a", "b"}));
    EXPECT_EQ(store.table().body(0), lines({"content: \"\\\"}\" "}));
    EXPECT_EQ(store.table().body(1), lines({"x "}));
}

TEST(RebuildStyleTable, FlatSheetsHoldWhatTheLiteralScannerFinds)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SheetStore store;
        rebuilt(store, randomFlatSheetText(seed, 12));
        ASSERT_EQ(store.styleCount(), 12) << "seed " << seed;
        for (int i = 0; i < store.styleCount(); ++i) {
            RuleSpan expected;
            oracle::scanRule(store.sheetLines(), i, expected);
            ASSERT_EQ(store.table().name(i), expected.selector) << "seed " << seed << " rule " << i;
            ASSERT_EQ(store.table().body(i), expected.body) << "seed " << seed << " rule " << i;
        }
    }
}

TEST(RebuildStyleTable, HoldsEveryRuleWithNoFixedCapacity)
{
    SheetStore store;
    rebuilt(store, generatedSheetText(3000));
    EXPECT_EQ(store.styleCount(), 3000);
    EXPECT_EQ(store.list().count(), 3000);
    EXPECT_EQ(store.list().item(2999), ".rule2999 a, #item2999 > span");
    EXPECT_TRUE(store.tail().isEmpty());
}

TEST(RebuildStyleTable, RandomSheetsReadBackToTheSameRules)
{
    for (unsigned seed = 1000; seed < 1300; ++seed) {
        SheetStore store;
        openText(store, randomSheetText(seed, 200));
        const QList<QByteArray> names = store.list().items();
        ASSERT_EQ(names.size(), store.styleCount()) << "seed " << seed;
        for (const QByteArray &name : names)
            ASSERT_FALSE(name.isEmpty()) << "seed " << seed;
        openText(store, store.sheetText());
        ASSERT_EQ(store.list().items(), names) << "seed " << seed;
    }
}

} // namespace
