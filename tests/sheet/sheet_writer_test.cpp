#include "core/sheet/sheet_store.h"
#include "core/sheet/unsupported_comment.h"

#include "../support/random_sheet.h"
#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

namespace {

// Fills the table directly and regenerates, as a commit does.
ByteLines regenerateTable(SheetStore &store, const QList<QPair<QByteArray, ByteLines>> &rules)
{
    QList<QByteArray> names;
    for (int i = 0; i < rules.size(); ++i) {
        store.table().setEntry(i, rules[i].first, rules[i].second);
        names.append(rules[i].first);
    }
    store.table().count = static_cast<int>(rules.size());
    store.list().setItems(names);
    store.list().setSelected(0);
    store.setCurrentStyleIndex(-1);
    store.RegenerateSheet();
    return store.sheetLines();
}

TEST(RegenerateSheet, WritesEachRuleAsSelectorBodyAndClosingBrace)
{
    SheetStore store;
    const ByteLines out = regenerateTable(store, {{"Body", lines({"color: red;", "margin: 0px;"})},
                                                  {"h1", ByteLines()}});
    EXPECT_EQ(out, lines({"Body {", "color: red;", "margin: 0px;", "}", "h1 {", "}"}));
}

TEST(RegenerateSheet, EmptyLastBodyLineStandsBeforeTheBrace)
{
    SheetStore store;
    EXPECT_EQ(regenerateTable(store, {{"a", lines({"x;", ""})}}), lines({"a {", "x;", "", "}"}));
}

TEST(RegenerateSheet, RemovesLeadingSeparatorsOfGeneratedLines)
{
    SheetStore store;
    EXPECT_EQ(regenerateTable(store, {{"a", lines({"; color: red", "; ; Top: 0px;", ";", ";x"})}}),
              lines({"a {", "color: red", "Top: 0px;", ";", ";x", "}"}));
}

TEST(RegenerateSheet, RemovesOnlyLinesThatAreTheCommentIndentedOrNot)
{
    const QByteArray comment = unsupportedComment();
    QByteArray latinCaseChanged = comment;
    latinCaseChanged.replace("Quillbox", "QUILLBOX");
    QByteArray cyrillicCaseChanged = comment;
    cyrillicCaseChanged[4] = '\xc2'; // its second letter in capitals
    const QByteArray indented = "  " + comment;

    SheetStore store;
    const ByteLines out = regenerateTable(
        store, {{"a", ByteLines{comment, latinCaseChanged, cyrillicCaseChanged, indented, "x;"}}});
    EXPECT_EQ(out, (ByteLines{"a {", cyrillicCaseChanged, "x;", "}"}));
}

TEST(RegenerateSheet, EmptyTableGivesEmptySheet)
{
    SheetStore store;
    EXPECT_TRUE(regenerateTable(store, {}).isEmpty());
}

TEST(RegenerateSheet, KeepsTextTheTableDoesNotHold)
{
    // Each sheet, and where in it the text the table does not hold begins:
    // from there on the output must end with the original's own bytes.
    struct Case {
        QByteArray text;
        const char *unheldFrom;
    };
    const Case cases[] = {
        {"{ margin: 0 }\r\np { color: red }\r\n", "{ margin"},
        {"a { x }\r\n{ y }\r\nb { z }\r\n", "\r\n{ y }"},
        {"a { x } /* after */\r\n\r\nb { y\r\n", " /* after */"},
        {"a {\r\nx\r\n}\r\n/* open\r\nb {\r\ny\r\n}\r\n", "\r\n/* open"},
    };
    for (const Case &c : cases) {
        const QByteArray unheld = c.text.mid(c.text.indexOf(c.unheldFrom)).trimmed();
        SheetStore store;
        openText(store, c.text);
        EXPECT_TRUE(store.sheetText().trimmed().endsWith(unheld)) << c.text.constData();
        const QByteArray first = store.sheetText();
        store.RegenerateSheet();
        EXPECT_EQ(store.sheetText(), first) << c.text.constData();
    }
}

TEST(RegenerateSheet, ReachesAFixedPointOnRandomSheets)
{
    for (unsigned seed = 1; seed <= 300; ++seed) {
        SheetStore store;
        openText(store, randomSheetText(seed, 80));
        const QByteArray once = store.sheetText();
        openText(store, once);
        const QByteArray twice = store.sheetText();
        openText(store, twice);
        ASSERT_EQ(store.sheetText(), twice) << "seed " << seed;
    }
}

TEST(RegenerateSheet, FlatSheetInProgramLayoutIsAlreadyAFixedPoint)
{
    const QByteArray text = "Body {\r\ncolor: red;\r\n\r\n}\r\nh1 {\r\n\r\n}\r\n";
    SheetStore store;
    openText(store, text);
    EXPECT_EQ(store.sheetText(), text);
}

} // namespace

namespace {

TEST(RegenerateSheet, CommentsBetweenRulesStayInFrontOfTheirRule)
{
    const QByteArray text = "/* licence\r\n   two lines */\r\n\r\na { x; } /* after a */\r\n\r\n/* b */\r\n\r\n/* b2 */ b {\r\ny;\r\n}\r\n";
    SheetStore store;
    openText(store, text);
    EXPECT_EQ(store.list().items(), (QList<QByteArray>{"a", "b"}));
    EXPECT_EQ(store.table().preamble(0), (ByteLines{"/* licence", "   two lines */"}));
    EXPECT_EQ(store.table().preamble(1), (ByteLines{"/* after a */", "", "/* b */", "", "/* b2 */"}));
    EXPECT_EQ(store.sheetText(), "/* licence\r\n   two lines */\r\na {\r\nx; \r\n}\r\n/* after a */\r\n\r\n/* b */\r\n\r\n"
                                 "/* b2 */\r\nb {\r\ny;\r\n\r\n}\r\n");
    openText(store, store.sheetText());
    const QByteArray twice = store.sheetText();
    EXPECT_TRUE(twice.contains("/* after a */\r\n\r\n/* b */\r\n\r\n/* b2 */\r\nb {"));
    openText(store, twice);
    EXPECT_EQ(store.sheetText(), twice);
}

TEST(RegenerateSheet, StatementsBeforeTheFirstRuleKeepTheirPlace)
{
    SheetStore store;
    openText(store, "@charset \"UTF-8\";\r\n/*!\r\n * Framework\r\n */\r\n:root,\r\n[data-theme=light] {\r\n--x: 1;\r\n}\r\n");
    EXPECT_EQ(store.list().items(), QList<QByteArray>{":root,[data-theme=light]"});
    EXPECT_TRUE(store.sheetText().startsWith("@charset \"UTF-8\";\r\n/*!\r\n * Framework\r\n */\r\n:root,[data-theme=light] {"));
}

TEST(RegenerateSheet, SheetWithoutCommentsKeepsTheProgramLayoutExactly)
{
    SheetStore store;
    openText(store, "a {\r\nx;\r\n}\r\n\r\n\r\nb { y }\r\n");
    EXPECT_EQ(store.sheetText(), "a {\r\nx;\r\n\r\n}\r\nb {\r\ny \r\n}\r\n");
}

} // namespace
