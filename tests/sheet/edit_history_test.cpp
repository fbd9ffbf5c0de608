#include "core/sheet/canonical_text.h"
#include "core/sheet/edit_history.h"
#include "core/sheet/sheet_store.h"
#include "core/sheet/unsupported_comment.h"

#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

#include <random>

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

TEST(CanonicalSheetText, ComparedFromTheChangedLinesAgreesWithWholeForms)
{
    // Pieces that move the canonical state: blanks, line breaks, ";",
    // words, punctuation and the comment the writer adds.
    const QByteArray pieces[] = {" ", "\r\n", "\n", ";", "a", "b1", "{", "}", ":", unsupportedComment(), "/*"};
    std::mt19937 rng(11);
    auto randomText = [&](int length) {
        QByteArray text;
        for (int i = 0; i < length; ++i)
            text += pieces[std::uniform_int_distribution<int>(0, std::size(pieces) - 1)(rng)];
        return text;
    };
    // Every other round behind a shared start and before a shared end of
    // more than a 4 KB block, where the common parts are found a block at
    // a time.
    const QByteArray shared = QByteArray("a {\r\n}\r\n").repeated(700);
    int same = 0;
    for (int round = 0; round < 20000; ++round) {
        const bool large = round % 2 == 1;
        QByteArray a = randomText(std::uniform_int_distribution<int>(0, 12)(rng));
        const int at = std::uniform_int_distribution<int>(0, int(a.size()))(rng);
        const int cut = std::uniform_int_distribution<int>(0, int(a.size()) - at)(rng);
        QByteArray b = a.left(at) + randomText(std::uniform_int_distribution<int>(0, 2)(rng)) + a.mid(at + cut);
        if (large) {
            a = shared + a + shared;
            b = shared + b + shared;
        }
        const bool expected = CanonicalSheetText(a) == CanonicalSheetText(b);
        same += expected;
        ASSERT_EQ(SameCanonicalText(a, b), expected) << a.toPercentEncoding().constData() << " / "
                                                      << b.toPercentEncoding().constData();
    }
    EXPECT_GT(same, 2000) << "the rounds should cover equal forms too";
}

TEST(EditHistory, FirstSnapshotOfASheetIsAlwaysRecorded)
{
    EditHistory history;
    history.setText(0, "same");
    history.setText(1, "same");
    EXPECT_TRUE(history.differsFrom("same"));
}

TEST(EditHistory, SnapshotsKeptAsChangesReadBackExactly)
{
    // A plain model of the history: every snapshot whole.
    std::array<QByteArray, kHistorySlots + 2> model;
    int modelPos = 0;
    EditHistory history;
    std::mt19937 rng(7);
    // Repeated rules over a 4 KB block: the parts two snapshots share are
    // found a block at a time.
    QByteArray text = QByteArray("a {\r\n}\r\n").repeated(700);
    for (int step = 0; step < 3000; ++step) {
        const int action = std::uniform_int_distribution<int>(0, 9)(rng);
        if (action == 0 && history.canUndo()) {
            --history.pos;
            ++history.redoCount;
            --modelPos;
        } else if (action == 1 && history.canRedo()) {
            ++history.pos;
            --history.redoCount;
            ++modelPos;
        } else {
            // An edit somewhere in the text: insert, replace or cut.
            const int at = std::uniform_int_distribution<int>(0, int(text.size()))(rng);
            const int cut = std::uniform_int_distribution<int>(0, 3)(rng);
            text = text.left(at) + QByteArray::number(step) + text.mid(at + cut);
            if (modelPos >= kHistorySlots) {
                std::move(model.begin() + 1, model.begin() + kHistorySlots + 1, model.begin());
                modelPos = kHistorySlots;
            } else {
                ++modelPos;
            }
            model[modelPos] = text;
            history.record(text, 0);
        }
        ASSERT_EQ(history.pos, modelPos);
        const int anySlot = std::uniform_int_distribution<int>(0, modelPos + 1)(rng);
        for (const int slot : {anySlot, 0, 1, modelPos - 1, modelPos, modelPos + 1}) {
            if (slot >= 0 && slot < int(model.size()))
                ASSERT_EQ(history.text(slot), model[slot]) << "step " << step << " slot " << slot;
        }
    }
    for (int slot = 0; slot < int(model.size()); ++slot)
        ASSERT_EQ(history.text(slot), model[slot]) << "slot " << slot;
}

TEST(EditHistory, SmallEditsOfALargeSheetTakeLittleRoom)
{
    QByteArray text = QByteArray("p { color: red; }\r\n").repeated(100 * 1024 / 19);
    EditHistory history;
    history.record(text, 0);
    std::mt19937 rng(3);
    for (int edit = 0; edit < 100; ++edit) {
        text[std::uniform_int_distribution<int>(0, int(text.size()) - 1)(rng)] = char('a' + edit % 26);
        history.record(text, 0);
    }
    EXPECT_LT(history.storedBytes(), 10 * text.size());
    EXPECT_EQ(history.text(history.pos), text);
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
    EXPECT_EQ(history.text(1), "Body {\r\nmargin-top: 6px;\r\n}\r\n");
    EXPECT_EQ(history.text(1000), "Body {\r\nmargin-top: 1005px;\r\n}\r\n");
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
        EXPECT_TRUE(history.text(slot).contains(rule + QByteArray::number(change) + "px;")) << slot;
    }
}

} // namespace
