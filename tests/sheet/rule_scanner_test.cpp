#include "rule_scanner.h"
#include "sheet_store.h"

#include "../support/random_sheet.h"
#include "../support/scan_oracle.h"
#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

namespace {

struct ScanCase {
    const char *name;
    ByteLines sheet;
    QByteArray selector;
    ByteLines body;
};

class FirstRuleScan : public testing::TestWithParam<ScanCase> {};

TEST_P(FirstRuleScan, GivesSelectorAndBodyLines)
{
    const ScanCase &c = GetParam();
    RuleSpan span;
    ScanRule(c.sheet, 0, span);
    EXPECT_EQ(span.selector, c.selector);
    EXPECT_EQ(span.body, c.body);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FirstRuleScan,
    testing::Values(
        ScanCase{"OneLine", lines({"p{color:red}"}), "p", lines({"color:red"})},
        ScanCase{"TrailingBlankKept", lines({"a { color: red }"}), "a", lines({"color: red "})},
        ScanCase{"CloseOnOwnLine", lines({"a {", "  color: red;", "}"}), "a", lines({"color: red;", ""})},
        ScanCase{"IndentedClose", lines({"a {", "  color: red;", "  }"}), "a", lines({"color: red;", " "})},
        ScanCase{"EmptyBraces", lines({"a {}"}), "a", lines({""})},
        ScanCase{"UnclosedAtEnd", lines({"a {"}), "a", lines({""})},
        ScanCase{"SelectorOverTwoLines", lines({"h1,", "h2 {", "}"}), "h1,h2", lines({""})},
        ScanCase{"LineBreakKeepsTheCombinator", lines({"div", "p {", "}"}), "div p", lines({""})},
        ScanCase{"LineBreakAfterCommaAddsNothing", lines({"h1 >", "h2 {", "}"}), "h1 >h2", lines({""})},
        ScanCase{"StatementBeforeTheSelectorIsNotPartOfIt", lines({"@charset \"UTF-8\";", "body {}"}), "body",
                 lines({""})},
        ScanCase{"SemicolonInsideAttributeStaysInTheSelector", lines({"a[title=\"x;y\"] {}"}), "a[title=\"x;y\"]",
                 lines({""})},
        ScanCase{"SlashDropped", lines({"a/b {}"}), "ab", lines({""})},
        ScanCase{"CommentBeforeSelector", lines({"/* header */", "body {}"}), "body", lines({""})},
        ScanCase{"TabStandsForABlank", lines({"div\tp {}"}), "div p", lines({""})},
        ScanCase{"CyrillicNeverInSelector", lines({"\xe0p\xe0 {}"}), "p", lines({""})},
        ScanCase{"EmptyLinesGiveNothing", lines({"a {", "", "x;", "", "}"}), "a", lines({"x;", ""})},
        ScanCase{"AllLowBytesKeepLast", lines({"a {", " \t", "}"}), "a", lines({"\t", ""})},
        ScanCase{"CommentInBodyKept", lines({"a { /* \xea\xee */ x }"}), "a", lines({"/* \xea\xee */ x "})},
        ScanCase{"NestedBraceEndsBody", lines({"@media print { p { color: red } }"}), "@media print",
                 lines({"p "})}),
    [](const testing::TestParamInfo<ScanCase> &info) { return std::string(info.param.name); });

TEST(NormaliseSelector, TrimsBlanksAndHighBytesButKeepsInnerBlanks)
{
    EXPECT_EQ(NormaliseSelector("  div  p  "), "div  p");
    EXPECT_EQ(NormaliseSelector("\xc0p\xff"), "p");
    EXPECT_EQ(NormaliseSelector("    "), "");
    EXPECT_EQ(NormaliseSelector(""), "");
}

TEST(ScanRule, LeavesCloseFieldsAloneForAnUnclosedRule)
{
    RuleSpan span;
    span.closeLine = 77;
    span.closeColumn = 88;
    ScanRule(lines({"a {", "x"}), 0, span);
    EXPECT_EQ(span.openLine, 0);
    EXPECT_EQ(span.openColumn, 3);
    EXPECT_EQ(span.closeLine, 77);
    EXPECT_EQ(span.closeColumn, 88);
}

TEST(ScanRule, MissingRuleGivesEmptySelector)
{
    RuleSpan span;
    ScanRule(lines({"a {}"}), 3, span);
    EXPECT_TRUE(span.selector.isEmpty());
    EXPECT_TRUE(span.body.isEmpty());
}

// The single pass must find exactly what the literal per-rule pass finds.
TEST(ScanSheet, AgreesWithTheLiteralScannerOnRandomSheets)
{
    for (unsigned seed = 1; seed <= 400; ++seed) {
        const ByteLines sheet = splitText(randomSheetText(seed, 60));
        const std::vector<ScannedRule> rules = scanSheet(sheet);
        for (int n = 0; n <= static_cast<int>(rules.size()); ++n) {
            RuleSpan expected;
            oracle::scanRule(sheet, n, expected);
            RuleSpan actual;
            ScanRule(sheet, n, actual);
            ASSERT_EQ(actual.selector, expected.selector) << "seed " << seed << " rule " << n;
            ASSERT_EQ(actual.body, expected.body) << "seed " << seed << " rule " << n;
            ASSERT_EQ(actual.openLine, expected.openLine) << "seed " << seed << " rule " << n;
            ASSERT_EQ(actual.openColumn, expected.openColumn) << "seed " << seed << " rule " << n;
            ASSERT_EQ(actual.closeLine, expected.closeLine) << "seed " << seed << " rule " << n;
            ASSERT_EQ(actual.closeColumn, expected.closeColumn) << "seed " << seed << " rule " << n;
        }
    }
}

TEST(RebuildStyleTable, HeldRulesMatchTheLiteralScanner)
{
    for (unsigned seed = 1; seed <= 200; ++seed) {
        SheetStore store;
        store.setSheetText(randomSheetText(seed, 80));
        store.RebuildStyleTable();
        ASSERT_EQ(store.list().count(), store.styleCount());
        for (int i = 0; i < store.styleCount(); ++i) {
            RuleSpan expected;
            oracle::scanRule(store.sheetLines(), i, expected);
            ASSERT_EQ(store.table().name(i), expected.selector) << "seed " << seed;
            ASSERT_EQ(store.table().body(i), expected.body) << "seed " << seed;
            ASSERT_EQ(store.list().item(i), expected.selector) << "seed " << seed;
        }
    }
}

TEST(RebuildStyleTable, StopsAtTheFirstRuleItCannotHold)
{
    struct Case {
        const char *sheet;
        int held;
    };
    const Case cases[] = {
        {"* { margin: 0 }\r\np { color: red }", 0},
        {"/* a { b } */\r\nbody { x }", 0},
        {"@media print { p { color: red } }", 0},
        {"a { x }\r\n@media print { p { color: red } }\r\nb { y }", 1},
        {"a { x }\r\nb { /* { */ y }\r\nc { z }", 1},
        {"a { x }\r\nb { /* } */ y }\r\nc { z }", 1},
        {"a { x }\r\nb /* { */ { y }", 1},
        {"a { x }\r\ndiv * { y }\r\nc { z }", 1},
        {"a { x }\r\n[class*=col] { y }", 1},
        {"a { x }\r\n/* note */ b /* more */ { y }", 2},
        {"a { x }\r\nb { y", 2},
        {"", 0},
    };
    for (const Case &c : cases) {
        SheetStore store;
        store.setSheetText(c.sheet);
        store.RebuildStyleTable();
        EXPECT_EQ(store.styleCount(), c.held) << c.sheet;
        EXPECT_EQ(store.list().count(), c.held) << c.sheet;
        EXPECT_EQ(store.list().selected(), -1) << c.sheet;
    }
}

TEST(RebuildStyleTable, HoldsAtMost1001Rules)
{
    SheetStore store;
    store.setSheetText(generatedSheetText(1500));
    store.RebuildStyleTable();
    EXPECT_EQ(store.styleCount(), 1001);
    EXPECT_EQ(store.list().count(), 1001);
    EXPECT_EQ(store.list().item(1000), ".rule1000 a, #item1000 > span");
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
