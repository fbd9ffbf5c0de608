// Style rules nested in style rules: each one a row under its parents,
// edited in its own part of the block, and moved, sorted and deleted only
// inside it.
#include "core/editor/editor.h"
#include "core/sheet/block_scanner.h"

#include "../support/fake_host.h"
#include "../support/scripted_questioner.h"
#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class StyleNesting : public testing::Test
{
protected:
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
    SheetStore &store = editor.store();
    StyleListOperations &styles = editor.styles();

    // Each row as the list shows it, with " > " for the separator.
    std::vector<std::string> shown() const
    {
        const QByteArray arrow = store.codec().encode(QStringLiteral(" \u203A "));
        std::vector<std::string> rows;
        for (int i = 0; i < store.list().count(); ++i)
            rows.push_back(QByteArray(store.list().context(i) + store.list().item(i)).replace(arrow, " > ").toStdString());
        return rows;
    }
    void select(int row) { editor.ListTagClick(row); }
    std::string text() const { return store.sheetText().toStdString(); }
};

TEST_F(StyleNesting, EveryNestedRuleIsARowUnderItsParents)
{
    const struct {
        const char *name;
        QByteArray sheet;
        std::vector<std::string> rows;
    } cases[] = {
        {"Layered",
         "@layer components {\n"
         "  .card { color: red;\n    .title { font-size: 31px; }\n    &.is-featured { border: 0 }\n  }\n"
         "  .site-header {\n    nav { a { &:hover, &[aria-current=\"page\"] { x: y } } }\n"
         "    @media (max-width: 640px) { padding: 0; }\n  }\n}\n",
         {"@layer components > .card", "@layer components > .card > .title",
          "@layer components > .card > &.is-featured", "@layer components > .site-header",
          "@layer components > .site-header > nav", "@layer components > .site-header > nav > a",
          "@layer components > .site-header > nav > a > &:hover, &[aria-current=\"page\"]",
          "@layer components > .site-header > @media (max-width: 640px)"}},
        {"ConditionalWithoutDeclarationsIsAGroupOnly", ".a { @media (x) { .b { c: d } } }",
         {".a", ".a > @media (x) > .b"}},
        {"ConditionalWithDeclarationsAndRules", ".a { @supports (x: y) { c: d; .b {} } }",
         {".a", ".a > @supports (x: y)", ".a > @supports (x: y) > .b"}},
        {"AmpersandInOddPlaces", ".a { :where(.x) & {} & + & {} .b & {} }",
         {".a", ".a > :where(.x) &", ".a > & + &", ".a > .b &"}},
        {"RelativeWithoutAmpersand", ".a { > p { x: y } }", {".a", ".a > > p"}},
        {"DeclarationAfterANestedRule", ".a { color: red; .b {} margin: 0; } .z {}", {".a", ".a > .b", ".z"}},
        {"BracesInCommentsAndStrings", ".a { /* { */ .b { content: \"}\" } /* } */ .c {} }",
         {".a", ".a > .b", ".a > .c"}},
        {"CustomPropertyBlockKeptAside", ".a { --x: {a: b}; .b {} } .z {}", {".z"}},
        {"UnknownAtRuleKeptAside", ".a { @unknown { .b {} } } .z {}", {".z"}},
        {"NeverCloses", "p {}\n.a { .b { x } .c {", {"p"}},
        {"KeyframesStayAside", "@keyframes k { to { top: 0 } } .a { .b {} }", {".a", ".a > .b"}},
    };
    for (const auto &c : cases) {
        openText(store, c.sheet);
        EXPECT_EQ(shown(), c.rows) << c.name;
    }
}

TEST_F(StyleNesting, ARulesOwnDeclarationsAreItsBody)
{
    store.setSheetText(".card {\n  color: red;\n  /* t */\n  .title { font-size: 31px; }\n  margin: 0;\n}\n");
    store.RebuildStyleTable();
    EXPECT_EQ(store.table().body(0), lines({"color: red;", ""}));
    EXPECT_EQ(store.table().body(1), lines({"font-size: 31px; "}));
    EXPECT_EQ(store.table().preamble(1), lines({"/* t */"}));
}

TEST_F(StyleNesting, APanelChangeWritesOnlyTheRulesOwnPart)
{
    const QByteArray sheet = "@layer components {\n  .card {\n    color: red;\n    .title { font-size: 31px; }\n"
                             "    &:hover { color: blue }\n  }\n}\n.z { x: y }\n";
    for (const bool keep : {true, false}) {
        store.setKeepUntouchedLayout(keep);
        openText(store, sheet);
        const QByteArray before = store.sheetText();
        select(0);
        editor.panelController().optionClicked("Text_Align_Center");
        const QByteArray changed = store.sheetText();
        // The nested blocks follow the changed declarations as they stood.
        const qsizetype nested = before.indexOf(".title");
        EXPECT_EQ(changed.mid(changed.indexOf(".title")).toStdString(), before.mid(nested).toStdString()) << keep;
        EXPECT_TRUE(changed.left(changed.indexOf(".title")).toLower().contains("text-align: center;")) << changed.constData();
        select(1);
        editor.panelController().optionClicked("Text_Align_Right");
        const QByteArray title = store.sheetText();
        const qsizetype hover = title.indexOf("&:hover");
        // A changed rule starts a line of its own; what is in front is the same.
        EXPECT_EQ(title.left(title.indexOf(".title")).trimmed(), changed.left(changed.indexOf(".title")).trimmed());
        EXPECT_EQ(title.mid(hover).toStdString(), changed.mid(changed.indexOf("&:hover")).toStdString()) << keep;
        EXPECT_TRUE(title.mid(title.indexOf(".title"), hover).toLower().contains("text-align: right;")) << title.constData();
        editor.undoRedo().BackEditExecute();
        editor.undoRedo().BackEditExecute();
        EXPECT_EQ(text(), before.toStdString()) << keep;
        store.setKeepUntouchedLayout(false);
    }
}

TEST_F(StyleNesting, ListOperationsKeepEachRuleInItsParentsBlock)
{
    openText(store, ".z {}\n.card {\ncolor: red;\n.t {}\n.b {}\n}\n.a {}\n");
    // A child stops at its block's edges, and moves inside it.
    select(2);
    styles.StyleUp();
    select(3);
    styles.StyleDown();
    EXPECT_EQ(shown(), (std::vector<std::string>{".z", ".card", ".card > .t", ".card > .b", ".a"}));
    styles.StyleUp();
    EXPECT_EQ(shown(), (std::vector<std::string>{".z", ".card", ".card > .b", ".card > .t", ".a"}));
    // A rule passes over the whole block, and the block moves whole.
    select(4);
    styles.StyleUp();
    EXPECT_EQ(shown(), (std::vector<std::string>{".z", ".a", ".card", ".card > .b", ".card > .t"}));
    EXPECT_EQ(store.list().selected(), 1);
    select(2);
    styles.StyleUp();
    EXPECT_EQ(shown(), (std::vector<std::string>{".z", ".card", ".card > .b", ".card > .t", ".a"}));
    EXPECT_EQ(store.list().selected(), 1);
    // Sorting orders the rules of each block; the block keeps its place.
    select(0);
    styles.StyleSorted();
    EXPECT_EQ(shown(), (std::vector<std::string>{".a", ".card", ".card > .b", ".card > .t", ".z"}));
    EXPECT_EQ(text(), ".a {\r\n\r\n}\r\n.card {\r\ncolor: red;\r\n.b {\r\n\r\n}\r\n.t {\r\n\r\n}\r\n}\r\n.z {\r\n}\r\n");
    // Renaming to a selector another block has is no clash.
    select(2);
    EXPECT_TRUE(styles.RenameSelected(".a"));
    // Deleting a rule with nested rules takes them along.
    select(1);
    styles.StyleDelete();
    EXPECT_EQ(shown(), (std::vector<std::string>{".a", ".z"}));
    EXPECT_EQ(text(), ".a {\r\n\r\n}\r\n.z {\r\n}\r\n");
    editor.undoRedo().BackEditExecute();
    EXPECT_EQ(store.list().count(), 5);
}

TEST_F(StyleNesting, ARenamedParentKeepsItsNestedRulesAsWritten)
{
    store.setKeepUntouchedLayout(true);
    const QByteArray nested = "  color: red;\n  .title { font-size: 31px; }\n  &:hover { x: y }\n}\n";
    openText(store, QByteArray(".card {\n") + nested);
    select(0);
    ASSERT_TRUE(styles.RenameSelected(".box"));
    EXPECT_TRUE(store.sheetText().startsWith(".box {")) << store.sheetText().constData();
    EXPECT_TRUE(store.sheetText().contains("color: red;\r\n  .title { font-size: 31px; }\r\n  &:hover { x: y }\r\n}"))
        << store.sheetText().constData();
    store.setKeepUntouchedLayout(false);
}

// With the file's layout a nested block moves and goes by whole lines: its
// indent with it, the parent's "}" where it was, no blank line left.
TEST_F(StyleNesting, NestedMovesAndDeletesKeepTheFilesIndents)
{
    const QByteArray sheet = ".p {\n  color: red;\n  .b {\n    y: 2;\n    .c { x: 1; }\n  }\n  .d {\n    z: 3;\n  }\n}\n.z { w: 1 }\n";
    const struct {
        const char *name;
        int row;
        std::function<void(StyleListOperations &)> act;
        const char *expected;
    } cases[] = {
        {"DUpOverB", 3, [](StyleListOperations &s) { s.StyleUp(); },
         ".p {\n  color: red;\n  .d {\n    z: 3;\n  }\n  .b {\n    y: 2;\n    .c { x: 1; }\n  }\n}\n.z { w: 1 }\n"},
        {"BDownOverD", 1, [](StyleListOperations &s) { s.StyleDown(); },
         ".p {\n  color: red;\n  .d {\n    z: 3;\n  }\n  .b {\n    y: 2;\n    .c { x: 1; }\n  }\n}\n.z { w: 1 }\n"},
        {"DeleteB", 1, [](StyleListOperations &s) { s.StyleDelete(); },
         ".p {\n  color: red;\n  .d {\n    z: 3;\n  }\n}\n.z { w: 1 }\n"},
    };
    store.setKeepUntouchedLayout(true);
    for (const auto &c : cases) {
        openText(store, sheet);
        select(c.row);
        questioner.answers = {Questioner::Yes};
        c.act(styles);
        EXPECT_EQ(QByteArray(store.fileText()).replace("\r\n", "\n").toStdString(), std::string(c.expected)) << c.name;
    }
    store.setKeepUntouchedLayout(false);
}

TEST_F(StyleNesting, UntouchedBytesStayAndBadInputSettles)
{
    QByteArray deep;
    for (int i = 0; i < 50; ++i)
        deep += ".n" + QByteArray::number(i) + " { x: y;\n";
    deep += QByteArray(50, '}') + "\n";
    QByteArray deeper = QByteArray(".d { ").repeated(kMaxNesting + 6) + QByteArray(kMaxNesting + 6, '}');
    const QByteArray sheets[] = {
        deep,
        deeper + "\n.z {}\n",
        "@layer l {\n  .a {\n    color: red; /* { */\n    .b { content: \"}\" }\n    margin: 0;\n"
        "    :where(.x) & {} & + & {}\n    > p { a: b }\n  }\n}\n",
        ".a { .b { x } .c {\n",
        ".a { --x: {a: b}; .b {} } .z {}\n",
        "\x7f@{\x7f{}}n{b}\n", // read as "@", as its selector is written
    };
    // Each rule clicked once, as a save after clicking through the list.
    auto clickedThrough = [this](const QByteArray &text) {
        openText(store, text);
        for (int i = 0; i < store.styleCount(); ++i)
            select(i);
        store.RegenerateSheet();
        return store.sheetText();
    };
    for (const QByteArray &sheet : sheets) {
        // Kept as read, every byte stays.
        store.setKeepUntouchedLayout(true);
        EXPECT_EQ(clickedThrough(sheet).toStdString(), QByteArray(sheet).replace("\n", "\r\n").toStdString());
        // In the program's layout, one round settles it and loses nothing.
        store.setKeepUntouchedLayout(false);
        const QByteArray once = clickedThrough(sheet);
        EXPECT_EQ(once.count('{') - once.count('}'), sheet.count('{') - sheet.count('}')) << once.constData();
        EXPECT_EQ(clickedThrough(once).toStdString(), once.toStdString());
    }
    openText(store, deep);
    EXPECT_EQ(store.styleCount(), 50);
    openText(store, deeper + "\n.z {}\n");
    EXPECT_EQ(store.styleCount(), 1);
}

} // namespace
