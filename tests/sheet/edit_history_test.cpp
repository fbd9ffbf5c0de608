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

TEST(CanonicalSheetText, IgnoresBlanksLineBreaksDoubledSemicolonsAndTheComment)
{
    EXPECT_EQ(CanonicalSheetText("a {\r\n color : red ;; ;\r\n}\r\n"), "a{color:red;}");
    EXPECT_EQ(CanonicalSheetText("x" + unsupportedComment() + "y"), "xy");
    // A semicolon ending one line and one starting the next stay two.
    EXPECT_EQ(CanonicalSheetText("a;\r\n;b"), "a;;b");
    EXPECT_EQ(CanonicalSheetText("A"), "A");
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

} // namespace
