// Rules inside @media and the other conditional groups: held with their
// context, written back in their place, and moved only inside their block;
// and rules kept as written when the user has not changed them.
#include "core/editor/editor.h"

#include "../support/fake_host.h"
#include "../support/file_bytes.h"
#include "../support/settings_reset.h"
#include "../support/scripted_questioner.h"
#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

namespace {

// The separator between a context's preludes, in the Windows-1251 bytes a
// new sheet reads in.
const QByteArray kNext = " \x9b ";

class NestedRules : public testing::Test
{
protected:
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
    SheetStore &store = editor.store();
    StyleListOperations &styles = editor.styles();

    QList<QByteArray> shown() const
    {
        QList<QByteArray> rows;
        for (int i = 0; i < store.list().count(); ++i)
            rows.append(store.list().context(i) + store.list().item(i));
        return rows;
    }
    void select(int row) { editor.ListTagClick(row); }
    std::string text() const { return store.sheetText().toStdString(); }
};

TEST_F(NestedRules, ScannerHoldsEveryStyleRuleWithItsContext)
{
    const struct {
        const char *name;
        QByteArray sheet;
        QList<QByteArray> rows;
    } cases[] = {
        {"Media", "a {}\r\n@media (min-width:  576px) {\r\n  .c { x }\r\n}\r\nb {}",
         {"a", "@media (min-width: 576px)" + kNext + ".c", "b"}},
        {"Deep", "@supports (display: grid) { @media print { .g { x } } }",
         {"@supports (display: grid)" + kNext + "@media print" + kNext + ".g"}},
        {"VendorAndLayer", "@-moz-document url-prefix() { a {} } @layer base { b {} } @layer x, y; c {}",
         {"@-moz-document url-prefix()" + kNext + "a", "@layer base" + kNext + "b", "c"}},
        {"ContainerAndScope", "@container card (min-width: 1px) { a {} } @scope (.x) { b {} }",
         {"@container card (min-width: 1px)" + kNext + "a", "@scope (.x)" + kNext + "b"}},
        {"PreludeWithCommentAndString", "@media /* c */ screen and (x: \"{\") { a {} }",
         {"@media screen and (x: \"{\")" + kNext + "a"}},
        {"KeyframesKept", "@media print { @keyframes k { to { top: 0 } } a { & b {} } c {} }",
         {"@media print" + kNext + "a", "@media print" + kNext + "a" + kNext + "& b", "@media print" + kNext + "c"}},
        {"PageAndFontFaceAreNoGroups", "@page { margin: 0 } a {}", {"@page", "a"}},
    };
    for (const auto &c : cases) {
        openText(store, c.sheet);
        EXPECT_EQ(shown(), c.rows) << c.name;
    }
}

TEST_F(NestedRules, AChangedNestedRuleIsWrittenInItsPlaceAndTheBlockKept)
{
    openText(store, "a {\r\nx;\r\n}\r\n@media print {\r\n/* inside */\r\n.c {\r\ncolor: red;\r\n}\r\n.d {\r\nz;\r\n}\r\n}\r\n"
                    "/* after */\r\nb {\r\nw;\r\n}\r\n");
    const QByteArray before = store.sheetText();
    select(1);
    editor.panelController().optionClicked("Text_Align_Center");
    const QByteArray after = store.sheetText();
    // Everything around the rule is as it was: the block's prelude, its
    // comment, the next rule in it and the block's end.
    const qsizetype start = before.indexOf(".c {"), end = before.indexOf(".d {");
    EXPECT_EQ(after.left(start), before.left(start));
    EXPECT_EQ(after.mid(after.indexOf(".d {")), before.mid(end));
    EXPECT_EQ(after.mid(start, after.indexOf(".d {") - start), ".c {\r\nText-align: center;\r\ncolor: red;\r\n}\r\n");
    editor.undoRedo().BackEditExecute();
    EXPECT_EQ(text(), before.toStdString());
}

TEST_F(NestedRules, ListOperationsStayInsideTheRulesBlock)
{
    const QByteArray sheet = "a {}\r\n@media print {\r\n.c {}\r\n.b {}\r\n}\r\nz {}\r\ny {}\r\n";
    openText(store, sheet);
    // Up at the block's top edge, down at its bottom edge: nothing.
    select(1);
    styles.StyleUp();
    select(2);
    styles.StyleDown();
    EXPECT_EQ(store.list().items(), (QList<QByteArray>{"a", ".c", ".b", "z", "y"}));
    // Inside the block, and a drop outside it is refused.
    styles.StyleUp();
    EXPECT_EQ(store.list().items(), (QList<QByteArray>{"a", ".b", ".c", "z", "y"}));
    select(2);
    styles.DragDrop(4);
    EXPECT_EQ(store.list().items(), (QList<QByteArray>{"a", ".b", ".c", "z", "y"}));
    // Sorting orders each block apart.
    styles.StyleSorted();
    EXPECT_EQ(store.list().items(), (QList<QByteArray>{"a", ".b", ".c", "y", "z"}));
    EXPECT_EQ(text(), "a {\r\n}\r\n@media print {\r\n.b {\r\n}\r\n.c {\r\n}\r\n}\r\ny {\r\n\r\n}\r\nz {\r\n\r\n}\r\n");

    // Deleting every rule of the block leaves the block.
    select(1);
    styles.StyleDelete();
    select(1);
    styles.StyleDelete();
    EXPECT_EQ(text(), "a {\r\n}\r\n@media print {\r\n}\r\ny {\r\n}\r\nz {\r\n\r\n}\r\n");
}

TEST_F(NestedRules, MovesPassOverWholeBlocksAndNothingLeavesItsBlock)
{
    openText(store, "a {}\r\n@media print {\r\n.c {}\r\n@supports (display: grid) {\r\n.g {}\r\n.h {}\r\n}\r\n"
                    ".d {}\r\n}\r\nz {}\r\n");
    const auto places = [this] {
        QList<QByteArray> out;
        for (int i = 0; i < store.list().count(); ++i)
            out.append(store.list().context(i) + store.list().item(i));
        return out;
    };
    const QByteArray arrow = store.codec().encode(QStringLiteral(" \u203A "));
    const QByteArray media = "@media print" + arrow, grid = "@supports (display: grid)" + arrow;
    // z up over the whole @media block, then down over it again.
    select(5);
    styles.StyleUp();
    EXPECT_EQ(places(), (QList<QByteArray>{"a", "z", media + ".c", media + grid + ".g", media + grid + ".h",
                                           media + ".d"}));
    EXPECT_EQ(store.list().selected(), 1);
    styles.StyleDown();
    EXPECT_EQ(store.list().selected(), 5);
    EXPECT_EQ(places().last(), "z");
    // .c down over the nested block, inside its own; at its edge it stops.
    select(1);
    styles.StyleDown();
    EXPECT_EQ(places(), (QList<QByteArray>{"a", media + grid + ".g", media + grid + ".h", media + ".c", media + ".d",
                                           "z"}));
    styles.StyleDown();
    styles.StyleDown();
    EXPECT_EQ(places()[4], media + ".c");
    // A drop on a rule of a block passes over that block.
    select(0);
    store.setCurrentStyleIndex(0);
    styles.DragDrop(2);
    EXPECT_EQ(places()[4], "a");
    // Every brace where a browser expects it.
    EXPECT_EQ(QString::fromStdString(text()).replace(QStringLiteral("\r\n\r\n}"), QStringLiteral("\r\n}")).toStdString(),
              "@media print {\r\n@supports (display: grid) {\r\n.g {\r\n}\r\n.h {\r\n}\r\n}\r\n.d {\r\n}\r\n"
              ".c {\r\n}\r\n}\r\na {\r\n}\r\nz {\r\n}\r\n");
}

TEST_F(NestedRules, DeletingTheLastRuleOfTheSheetLeavesItsBlockClosed)
{
    for (const bool keep : {false, true}) {
        store.setKeepUntouchedLayout(keep);
        openText(store, "a {}\r\n@media print { .c {} }\r\n");
        select(1);
        styles.StyleDelete();
        const QString written = QString::fromStdString(text());
        EXPECT_TRUE(written.contains(QStringLiteral("@media print {"))) << written.toStdString();
        EXPECT_EQ(written.count(QLatin1Char('{')), written.count(QLatin1Char('}'))) << written.toStdString();
        EXPECT_GT(written.lastIndexOf(QLatin1Char('}')), written.indexOf(QStringLiteral("@media"))) << keep;
        EXPECT_EQ(store.list().items(), QList<QByteArray>{"a"});
        store.setKeepUntouchedLayout(false);
    }
}

TEST_F(NestedRules, ANewRuleIsAddedAtTheTopLevel)
{
    openText(store, "@media print {\r\n.c {}\r\n}\r\n/* end */\r\n");
    host.selectorAnswers = {"n"};
    editor.NewStyleExecute();
    EXPECT_EQ(text(), "@media print {\r\n.c {\r\n}\r\n}\r\nn {\r\n}\r\n/* end */\r\n");
    EXPECT_EQ(store.list().context(1), "");
}

TEST_F(NestedRules, BadInputKeepsItsBytesAndSettles)
{
    QByteArray deep;
    for (int i = 0; i < 50; ++i)
        deep += "@media print {\r\n";
    deep += ".x { y }\r\n";
    for (int i = 0; i < 50; ++i)
        deep += "}\r\n";
    const QByteArray sheets[] = {
        "@media print { a { x } } } b { y }",      // one brace too many
        "@media print { a { x }\r\nb { y }",       // the group never closes
        "@media print { a { x }\r\nb { y",         // nor does the rule
        "@media (x: \"}\") /* { */ { a { x } }",   // braces in the prelude's string and comment
        deep,
    };
    // Each rule clicked once, as a save after clicking through the list.
    auto settle = [this](const QByteArray &text) {
        openText(store, text);
        for (int i = 0; i < store.styleCount(); ++i)
            select(i);
        store.RegenerateSheet();
        return store.sheetText();
    };
    for (const QByteArray &sheet : sheets) {
        const QByteArray once = settle(sheet);
        ASSERT_GT(store.styleCount(), 0) << sheet.constData();
        for (const char *part : {"a", "b", "x", "y"}) {
            if (sheet.contains(part))
                EXPECT_TRUE(once.contains(part)) << sheet.constData();
        }
        EXPECT_EQ(once.count('{') - once.count('}'), sheet.count('{') - sheet.count('}')) << once.constData();
        EXPECT_EQ(settle(once).toStdString(), once.toStdString()) << sheet.constData();
    }
    openText(store, deep);
    EXPECT_EQ(store.list().context(0).count("@media print"), 50);
}

} // namespace

namespace {

// Saving with "Сохранять оформление нетронутых правил" on.
class KeptLayout : public testing::Test
{
protected:
    void SetUp() override
    {
        clearProgramSettings();
        editor.files().NewSheet();
        editor.store().setKeepUntouchedLayout(true);
    }

    QByteArray openAndSave(const QByteArray &bytes)
    {
        writeAll(path, bytes);
        EXPECT_TRUE(editor.files().OpenSheet(path));
        return save();
    }
    QByteArray save()
    {
        EXPECT_TRUE(editor.files().SaveSheet());
        return readAll(path);
    }

    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("kept.css"));
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
};

const QByteArray kHandWritten = "/* site */\n"
                                "body{margin:0}\n"
                                "\n"
                                "@media (min-width: 576px) {\n"
                                "    .a   { color : red ; }   /* keep */\n"
                                "    .b { float: left }\n"
                                "}\n"
                                "p {\n"
                                "\tpadding: 1px;\n"
                                "\tcolor: #fff;\n"
                                "}";

TEST_F(KeptLayout, OpenSaveAndSelectingChangeNoByte)
{
    EXPECT_EQ(openAndSave(kHandWritten).toStdString(), kHandWritten.toStdString());
    for (int i = 0; i < editor.store().styleCount(); ++i)
        editor.ListTagClick(i);
    EXPECT_EQ(save().toStdString(), kHandWritten.toStdString());
}

TEST_F(KeptLayout, OnlyTheChangedRuleIsRewrittenAndUndoRestoresTheBytes)
{
    openAndSave(kHandWritten);
    editor.ListTagClick(2); // .b inside the block
    editor.panelController().optionClicked("Text_Align_Center");
    const QByteArray changed = save();
    EXPECT_EQ(changed.toStdString(),
              QByteArray(kHandWritten)
                  .replace("    .b { float: left }\n", "    .b { float: left; text-align: center }\n")
                  .toStdString());
    editor.undoRedo().BackEditExecute();
    EXPECT_EQ(save().toStdString(), kHandWritten.toStdString());
}

TEST_F(KeptLayout, RulesKeepTheirBytesWhenMovedSortedOrDeleted)
{
    const QByteArray sheet = "z  { a: 1 }\r\ny{b:2}\r\n  x { c: 3 }\r\n";
    openAndSave(sheet);
    editor.styles().StyleSorted();
    EXPECT_EQ(save().toStdString(), std::string("  x { c: 3 }\r\ny{b:2}\r\nz  { a: 1 }\r\n"));
    editor.ListTagClick(1);
    editor.styles().StyleDelete();
    EXPECT_EQ(save().toStdString(), std::string("  x { c: 3 }\r\nz  { a: 1 }\r\n"));
    // Off again: the program's layout, as always.
    editor.store().setKeepUntouchedLayout(false);
    EXPECT_EQ(save().toStdString(), std::string("x {\r\nc: 3 \r\n}\r\nz {\r\na:1;\r\n\r\n}\r\n"));
}

TEST_F(KeptLayout, DeletingARuleLeavesItsNeighboursAsWritten)
{
    const QByteArray sheet = ".a { color: red; }\n.b  {  color: blue;  }\n.c { margin-top: 1px; }\n";
    const struct {
        int row;
        const char *expected;
    } cases[] = {
        {0, ".b  {  color: blue;  }\n.c { margin-top: 1px; }\n"},
        {1, ".a { color: red; }\n.c { margin-top: 1px; }\n"},
        {2, ".a { color: red; }\n.b  {  color: blue;  }\n"},
    };
    for (const auto &c : cases) {
        openAndSave(sheet);
        editor.ListTagClick(c.row);
        editor.styles().StyleDelete();
        EXPECT_EQ(save().toStdString(), std::string(c.expected)) << c.row;
        editor.files().ConfirmDiscard();
    }
}

TEST_F(KeptLayout, SwitchedOnAfterAChangeKeepsEveryOtherRuleAsTheFileHasIt)
{
    editor.store().setKeepUntouchedLayout(false);
    writeAll(path, kHandWritten);
    ASSERT_TRUE(editor.files().OpenSheet(path));
    editor.ListTagClick(3); // p, selected only
    editor.ListTagClick(2); // .b inside the block
    editor.panelController().optionClicked("Text_Align_Center");
    editor.store().setKeepUntouchedLayout(true);
    EXPECT_EQ(save().toStdString(),
              QByteArray(kHandWritten)
                  .replace("    .b { float: left }\n", "    .b { float: left; text-align: center }\n")
                  .toStdString());
}

TEST_F(KeptLayout, CrLfSheetWithoutAFinalBreakComesBackByteForByte)
{
    const QByteArray sheet = "a { x: 1 }\r\nb { y: 2 }";
    EXPECT_EQ(openAndSave(sheet).toStdString(), sheet.toStdString());
}

TEST_F(KeptLayout, EachUntouchedLineKeepsItsOwnLineEnd)
{
    const QByteArray sheet = "\xEF\xBB\xBF/* mixed */\r\na {\n  x: 1;\r\n}\nb { y: 2 }\r\nc {\r\n  z: 3;\n}";
    EXPECT_EQ(openAndSave(sheet).toStdString(), sheet.toStdString());
    editor.ListTagClick(1);
    editor.panelController().optionClicked("Text_Align_Center");
    const QByteArray changed = save();
    EXPECT_TRUE(changed.startsWith("\xEF\xBB\xBF/* mixed */\r\na {\n  x: 1;\r\n}\n")) << changed.constData();
    EXPECT_TRUE(changed.endsWith("c {\r\n  z: 3;\n}")) << changed.constData();
    editor.undoRedo().BackEditExecute();
    EXPECT_EQ(save().toStdString(), sheet.toStdString());
}

TEST_F(KeptLayout, ARenamedRuleIsWrittenUnderItsNewName)
{
    openAndSave("a { x: 1 }\nb { y: 2 }\n");
    editor.ListTagClick(0);
    ASSERT_TRUE(editor.styles().RenameSelected("c"));
    EXPECT_EQ(save().toStdString(), std::string("c { x: 1 }\nb { y: 2 }\n"));
}

} // namespace
