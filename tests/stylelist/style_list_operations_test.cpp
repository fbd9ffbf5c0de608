#include "core/editor/editor.h"
#include "core/sheet/unsupported_comment.h"

#include "../support/fake_host.h"
#include "../support/scripted_questioner.h"
#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

namespace {

class StyleListTest : public testing::Test
{
protected:
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
    SheetStore &store = editor.store();
    StyleListOperations &styles = editor.styles();

    void open(const QByteArray &text) { openText(store, text); }

    QList<QByteArray> tableNames() const
    {
        QList<QByteArray> names;
        for (int i = 0; i < store.styleCount(); ++i)
            names.append(store.table().name(i));
        return names;
    }

    // The list and the table must name the same rules after every step.
    void expectRules(const QList<QByteArray> &names)
    {
        EXPECT_EQ(store.list().items(), names);
        EXPECT_EQ(tableNames(), names);
    }

    // The rule's lines without the comment line the panels put above
    // declarations they do not stand for.
    QByteArray bodyOf(int i) const
    {
        ByteLines lines = store.table().body(i);
        lines.removeAll(unsupportedComment());
        return joinLines(lines);
    }
    ByteLines memoLines() const
    {
        ByteLines lines = store.memo().lines();
        lines.removeAll(unsupportedComment());
        return lines;
    }
};

const QByteArray kThree = "Body {\r\nb;\r\n}\r\nh1 {\r\nh;\r\n}\r\np {\r\np;\r\n}\r\n";

TEST_F(StyleListTest, DeletingARuleSelectsTheOneAfterIt)
{
    open(kThree);
    editor.ListTagClick(1);
    styles.StyleDelete();
    expectRules({"Body", "p"});
    EXPECT_EQ(store.list().selected(), 1);
    EXPECT_EQ(memoLines(), (ByteLines{"p;", ""}));
    EXPECT_TRUE(store.sheetModified());
    EXPECT_EQ(store.sheetText(), "Body {\r\nb;\r\n\r\n}\r\np {\r\np;\r\n\r\n}\r\n");
}

TEST_F(StyleListTest, DeletingTheLastRuleSelectsTheNewLast)
{
    open(kThree);
    editor.ListTagClick(2);
    styles.StyleDelete();
    expectRules({"Body", "h1"});
    EXPECT_EQ(store.list().selected(), 1);
    EXPECT_EQ(store.currentStyleIndex(), 1);
}

TEST_F(StyleListTest, TheOnlyRuleCannotBeDeleted)
{
    open("Body {\r\n}\r\n");
    styles.StyleDelete();
    expectRules({"Body"});
    EXPECT_FALSE(store.sheetModified());
}

TEST_F(StyleListTest, NewRuleIsAddedSelectedAndCommitted)
{
    open(kThree);
    host.selectorAnswers = {"div.note"};
    editor.NewStyleExecute();
    EXPECT_EQ(host.lastExistingList, " Body h1 p");
    expectRules({"Body", "h1", "p", "div.note"});
    EXPECT_EQ(store.list().selected(), 3);
    EXPECT_TRUE(store.sheetText().endsWith("div.note {\r\n}\r\n"));
    EXPECT_EQ(store.history().pos, 2);
    EXPECT_GE(host.focusSinkCalls, 1);
}

TEST_F(StyleListTest, NewRuleNamesLoseTheirFirstAmpersand)
{
    open("Body {\r\n}\r\n");
    host.selectorAnswers = {"a&b", "a&b&c"};
    editor.NewStyleExecute();
    editor.NewStyleExecute();
    expectRules({"Body", "ab", "ab&c"});
}

TEST_F(StyleListTest, ExistingNameInOtherCaseSelectsTheExistingRule)
{
    open(kThree);
    host.selectorAnswers = {"H1"};
    editor.NewStyleExecute();
    expectRules({"Body", "h1", "p"});
    ASSERT_EQ(questioner.asked.size(), 1);
    EXPECT_EQ(questioner.asked[0].text, QStringLiteral("Стиль с именем H1 уже существует."));
    EXPECT_EQ(questioner.asked[0].buttons, Questioner::Ok);
    EXPECT_EQ(store.list().selected(), 1);
}

TEST_F(StyleListTest, CancelledConstructorAddsNothing)
{
    open(kThree);
    editor.NewStyleExecute();
    expectRules({"Body", "h1", "p"});
    EXPECT_FALSE(store.sheetModified());
}

TEST_F(StyleListTest, ANewRuleIsAlwaysAddedWhateverTheSheetHolds)
{
    QByteArray text;
    for (int i = 0; i < 1500; ++i)
        text += "r" + QByteArray::number(i) + " {\r\n}\r\n";
    open(text);
    ASSERT_EQ(store.styleCount(), 1500);
    host.selectorAnswers = {"one.more"};
    editor.NewStyleExecute();
    EXPECT_EQ(store.styleCount(), 1501);
    EXPECT_EQ(store.list().item(1500), "one.more");
    EXPECT_TRUE(questioner.asked.isEmpty());
    EXPECT_TRUE(store.sheetText().endsWith("one.more {\r\n}\r\n")) << store.sheetText().right(40).constData();
}

TEST_F(StyleListTest, RenameAcceptsOwnNameInOtherCaseAndRefusesAnotherRulesName)
{
    open(kThree);
    editor.ListTagClick(1);
    EXPECT_TRUE(styles.RenameSelected("H1"));
    expectRules({"Body", "H1", "p"});
    EXPECT_TRUE(store.sheetText().contains("H1 {"));

    EXPECT_FALSE(styles.RenameSelected("P"));
    expectRules({"Body", "H1", "p"});
    ASSERT_EQ(questioner.asked.size(), 1);
    EXPECT_EQ(questioner.asked[0].text,
              QStringLiteral("Секундочку! Такой селектор (стиль) уже существует.\rЗамените имя \"P\" на другое."));
}

TEST_F(StyleListTest, RenameToBlanksIsRefused)
{
    open(kThree);
    editor.ListTagClick(1);
    EXPECT_FALSE(styles.RenameSelected("   "));
    expectRules({"Body", "h1", "p"});
    EXPECT_EQ(questioner.asked.size(), 1);
    EXPECT_FALSE(store.sheetModified());
}

TEST_F(StyleListTest, UpAndDownMoveTheSelectedRuleWithItsEdits)
{
    open(kThree);
    editor.ListTagClick(2);
    store.memo().setLines({"p: edited;"});
    styles.StyleUp();
    expectRules({"Body", "p", "h1"});
    EXPECT_EQ(store.list().selected(), 1);
    EXPECT_EQ(bodyOf(1), "p: edited;\r\n");
    EXPECT_EQ(store.sheetText(), "Body {\r\nb;\r\n\r\n}\r\np {\r\np: edited;\r\n}\r\nh1 {\r\nh;\r\n\r\n}\r\n");

    styles.StyleDown();
    expectRules({"Body", "h1", "p"});
    EXPECT_EQ(store.list().selected(), 2);

    styles.StyleDown(); // the last rule stays
    editor.ListTagClick(0);
    styles.StyleUp();   // the first rule stays
    expectRules({"Body", "h1", "p"});
}

TEST_F(StyleListTest, RulesWithTheSameSelectorKeepTheirOwnBodies)
{
    open("Body {\r\nb;\r\n}\r\np {\r\none;\r\n}\r\np {\r\ntwo;\r\n}\r\n");
    editor.ListTagClick(2);
    styles.StyleUp();
    expectRules({"Body", "p", "p"});
    EXPECT_EQ(bodyOf(1), "two;\r\n\r\n");
    EXPECT_EQ(bodyOf(2), "one;\r\n\r\n");

    styles.StyleSorted();
    expectRules({"Body", "p", "p"});
    EXPECT_EQ(bodyOf(1), "two;\r\n\r\n");
    EXPECT_EQ(bodyOf(2), "one;\r\n\r\n");

    editor.ListTagClick(1);
    styles.StyleDelete();
    expectRules({"Body", "p"});
    EXPECT_EQ(bodyOf(1), "one;\r\n\r\n");
}

TEST_F(StyleListTest, SortIgnoresCaseAndKeepsTheSelectedRule)
{
    open("p {\r\n}\r\nBody {\r\n}\r\na {\r\n}\r\n");
    editor.ListTagClick(1);
    styles.StyleSorted();
    expectRules({"a", "Body", "p"});
    EXPECT_EQ(store.list().selectedText(), "Body");
    EXPECT_EQ(store.currentStyleIndex(), 1);
    EXPECT_TRUE(store.sheetModified());
}

TEST_F(StyleListTest, DraggingARuleMovesItToTheDropRow)
{
    open(kThree);
    editor.ListTagClick(2);
    styles.DragOver(0);
    styles.DragDrop(0);
    expectRules({"p", "Body", "h1"});
    EXPECT_EQ(store.list().selected(), 0);
    EXPECT_EQ(store.currentStyleIndex(), 0);
    EXPECT_TRUE(store.sheetModified());
    store.RegenerateSheet();
    EXPECT_TRUE(store.sheetText().startsWith("p {\r\np;\r\n"));
}

TEST_F(StyleListTest, DroppingBelowTheLastRuleChangesNothing)
{
    open(kThree);
    editor.ListTagClick(1);
    styles.DragOver(7);
    styles.DragDrop(7);
    expectRules({"Body", "h1", "p"});
    EXPECT_EQ(store.list().selected(), 1);
    EXPECT_FALSE(store.sheetModified());
}

TEST_F(StyleListTest, ClearingARuleEmptiesTheMemoUntilTheNextSelection)
{
    open(kThree);
    editor.ListTagClick(1);
    styles.ClearStyle();
    EXPECT_TRUE(store.memo().lines().isEmpty());
    EXPECT_EQ(bodyOf(1), "h;\r\n\r\n");
    EXPECT_FALSE(store.sheetModified());
    editor.ListTagClick(0);
    EXPECT_EQ(bodyOf(1), "");
}

TEST_F(StyleListTest, ReorderTableToListFollowsTheListOrder)
{
    open(kThree);
    store.list().setItems({"p", "Body", "h1"});
    styles.ReorderTableToList();
    EXPECT_EQ(tableNames(), (QList<QByteArray>{"p", "Body", "h1"}));
    EXPECT_EQ(bodyOf(0), "p;\r\n\r\n");
}

} // namespace

namespace {

class CommentedListTest : public StyleListTest
{
};

TEST_F(CommentedListTest, CommentsTravelWithTheirRule)
{
    open("/* top */\r\nBody {\r\nb;\r\n}\r\n/* about h1 */\r\nh1 {\r\nh;\r\n}\r\n/* about p */\r\np {\r\np;\r\n}\r\n");
    editor.ListTagClick(1);
    styles.StyleDown();
    EXPECT_TRUE(store.sheetText().contains("/* about p */\r\np {"));
    EXPECT_TRUE(store.sheetText().contains("/* about h1 */\r\nh1 {"));
    EXPECT_LT(store.sheetText().indexOf("/* about p */"), store.sheetText().indexOf("/* about h1 */"));

    styles.StyleSorted();
    expectRules({"Body", "h1", "p"});
    EXPECT_TRUE(store.sheetText().contains("/* about h1 */\r\nh1 {"));

    host.selectorAnswers = {"div"};
    editor.NewStyleExecute();
    EXPECT_TRUE(store.sheetText().endsWith("}\r\ndiv {\r\n}\r\n"));

    editor.ListTagClick(1);
    styles.StyleDelete();
    EXPECT_FALSE(store.sheetText().contains("about h1"));
    EXPECT_TRUE(store.sheetText().startsWith("/* top */\r\nBody {"));
}

} // namespace
