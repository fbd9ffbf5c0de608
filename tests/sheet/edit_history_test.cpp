#include "edit_history.h"
#include "sheet_store.h"
#include "unsupported_comment.h"

#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

namespace {

// Replaces the current rule's declarations and regenerates, as a commit does.
void change(SheetStore &store, const QByteArray &declaration)
{
    store.memo().setLines(ByteLines{declaration});
    store.RegenerateSheet();
}

TEST(CanonicalSheetText, IgnoresOnlyWhatRegenerationReshuffles)
{
    struct Case {
        QByteArray text;
        QByteArray canonical;
    };
    const Case cases[] = {
        {"a {\r\n color : red ;; ;\r\n}\r\n", "a{color:red;}"},
        {"x" + unsupportedComment() + "y", "xy"},
        // A semicolon ending one line and one starting the next stay two.
        {"a;\r\n;b", "a;;b"},
        {"A", "A"},
        // A blank between two words is part of the text, however written.
        {"div p {\r\nborder: 1px  solid;\r\n}", "div p{border:1px solid;}"},
        {"div\r\np {\r\n}", "div p{}"},
        {"divp {\r\nborder: 1pxsolid;\r\n}", "divp{border:1pxsolid;}"},
        {".a , #b > c", ".a,#b>c"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(CanonicalSheetText(c.text), c.canonical) << c.text.constData();
}

TEST(EditHistory, FirstSnapshotOfASheetIsAlwaysRecorded)
{
    EditHistory history;
    history.texts[0] = "same";
    history.texts[1] = "same";
    EXPECT_TRUE(history.differsFrom("same"));
}

TEST(EditHistory, TextThatRedoWouldRestoreIsNotRecorded)
{
    EditHistory history;
    history.record("one", 0);
    history.record("two", 0);
    history.pos = 1;
    history.redoCount = 1;
    EXPECT_FALSE(history.differsFrom("two"));
    EXPECT_FALSE(history.differsFrom("one"));
    EXPECT_TRUE(history.differsFrom("three"));
}

TEST(RegenerateSheet, NewSheetStartsWithOneSnapshotAndUndoDisabled)
{
    SheetStore store;
    openText(store, "Body {\r\n}\r\n");
    EXPECT_EQ(store.history().pos, 1);
    EXPECT_FALSE(store.backEditEnabled());
    EXPECT_FALSE(store.foreEditEnabled());
}

TEST(RegenerateSheet, RecordsOnlyRealChanges)
{
    SheetStore store;
    openText(store, "a {\r\ncolor:red\r\n}\r\n");
    const int start = store.history().pos;

    store.RegenerateSheet();
    EXPECT_EQ(store.history().pos, start) << "a second regeneration records nothing";

    change(store, "color: red");
    EXPECT_EQ(store.history().pos, start) << "blanks only";

    change(store, "color:  red;;");
    EXPECT_EQ(store.history().pos, start + 1);
    EXPECT_TRUE(store.backEditEnabled());
    EXPECT_FALSE(store.foreEditEnabled());
}

TEST(RegenerateSheet, ABlankBetweenWordsIsAChangeUndoKeeps)
{
    SheetStore store;
    openText(store, "a {\r\nborder: 1px solid;\r\n}\r\n");
    const int start = store.history().pos;
    change(store, "border: 1pxsolid;");
    EXPECT_EQ(store.history().pos, start + 1);
    EXPECT_TRUE(store.sheetText().contains("1pxsolid"));
}

TEST(RegenerateSheet, RecordsTheSelectedRuleWithTheSnapshot)
{
    SheetStore store;
    openText(store, "a {\r\n}\r\nb {\r\n}\r\n");
    store.list().setSelected(1);
    store.RegenerateSheet();              // selects b, nothing changed yet
    change(store, "color: blue;");
    EXPECT_EQ(store.history().selections[store.history().pos], 1);
    EXPECT_EQ(store.table().body(1), ByteLines{"color: blue;"});
}

TEST(RegenerateSheet, DropsTheOldestSnapshotWhenTheHistoryIsFull)
{
    SheetStore store;
    openText(store, "Body {\r\n}\r\n");
    for (int i = 1; i <= 1005; ++i)
        change(store, "margin-top: " + QByteArray::number(i) + "px;");
    const EditHistory &history = store.history();
    EXPECT_EQ(history.pos, 1000);
    EXPECT_TRUE(store.backEditEnabled());
    EXPECT_EQ(history.texts[1], "Body {\r\nmargin-top: 6px;\r\n}\r\n");
    EXPECT_EQ(history.texts[1000], "Body {\r\nmargin-top: 1005px;\r\n}\r\n");
}

TEST(RegenerateSheet, ShiftedHistoryKeepsEachSnapshotsSelection)
{
    SheetStore store;
    openText(store, "a {\r\n}\r\nb {\r\n}\r\n");
    for (int i = 1; i <= 1005; ++i) {
        store.list().setSelected(i % 2);
        store.SelectStyle();
        change(store, "margin-top: " + QByteArray::number(i) + "px;");
    }
    const EditHistory &history = store.history();
    ASSERT_EQ(history.pos, 1000);
    for (const int slot : {1, 2, 500, 999, 1000}) {
        const int change = slot + 5; // the five oldest were dropped
        EXPECT_EQ(history.selections[slot], change % 2) << slot;
        const QByteArray rule = change % 2 ? "b {\r\nmargin-top: " : "a {\r\nmargin-top: ";
        EXPECT_TRUE(history.texts[slot].contains(rule + QByteArray::number(change) + "px;")) << slot;
    }
}

} // namespace
