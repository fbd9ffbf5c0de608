#include "core/editor/editor.h"
#include "core/preview/cascade_choice.h"
#include "core/preview/page_scripts.h"
#include "core/panels/panel_controller.h"
#include "core/panels/style_commit.h"
#include "core/stylelist/undo_redo.h"

#include "../support/fake_browser.h"
#include "../support/fake_host.h"
#include "../support/scripted_questioner.h"
#include "../support/settings_reset.h"
#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QFile>

namespace {

TEST(CascadeChoice, MostSpecificThenLastOfTheRulesThatApply)
{
    const struct {
        const char *what;
        std::vector<RuleMatch> matches;
        std::optional<int> winner;
    } cases[] = {
        {"nothing matches", {}, std::nullopt},
        {"the later of equals", {{1, {".a"}, true}, {4, {"div"}, false}, {3, {".b"}, true}}, 3},
        {"more specific though earlier", {{1, {"div.a"}, true}, {3, {".a"}, true}}, 1},
        {"an id outweighs any number of classes", {{1, {".a.b.c.d"}, true}, {2, {"#x"}, true}}, 2},
        {"the best selector of a list counts", {{1, {"p", "#x p"}, true}, {2, {".a p"}, true}}, 1},
        {"a rule whose @media does not hold", {{1, {"p"}, true}, {2, {"#x"}, false}}, 1},
        {"only rules that do not apply", {{2, {"#x"}, false}}, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(winningRule(c.matches), c.winner) << c.what;
}

class PageInspectorTest : public testing::Test
{
protected:
    void SetUp() override
    {
        clearProgramSettings();
        editor.setBrowser(&browser);
        openText(editor.store(), "LINK_HTML {\r\nLINK_HTML=page.html;\r\n}\r\n.btn {\r\n}\r\ndiv.alert {\r\n}\r\n"
                                 "@media (max-width: 500px) {\r\n.alert, a:hover {\r\n}\r\n}\r\np::before {\r\n}\r\n");
        inspector().showMatchCount = [this](const QString &text) { counts.append(text); };
        inspector().showMessage = [this](const QString &text) { messages.append(text); };
        inspector().pickingEnded = [this] { ++ended; };
    }

    PageInspector &inspector() { return editor.inspector(); }

    void say(const char *kind, const QJsonValue &data)
    {
        inspector().pageMessage(page_scripts::pageMessagePrefix()
                                + QString::fromUtf8(QJsonDocument(QJsonObject{{"kind", kind}, {"data", data}})
                                                        .toJson(QJsonDocument::Compact)));
    }

    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
    FakeBrowser browser;
    QStringList counts;
    QStringList messages;
    int ended = 0;
};

// The page is asked about every rule's own selectors with their @media and
// @supports, and the rule that wins among those the page says match is
// selected.
TEST_F(PageInspectorTest, PickSelectsTheWinningRule)
{
    inspector().setPicking(true);
    ASSERT_FALSE(browser.scripts.isEmpty());
    EXPECT_TRUE(browser.scripts.last().contains(
        QStringLiteral("[[1,[\".btn\"],[],[],[]],[2,[\"div.alert\"],[],[],[]],[3,[\".alert\",\"a\"],[\"(max-width: 500px)\"],[],[]]]")))
        << browser.scripts.last().toStdString();

    say("pick", QJsonObject{{"matches", QJsonArray{QJsonArray{2, QJsonArray{0}, true}, QJsonArray{3, QJsonArray{0}, true}}},
                            {"element", "div#a.alert"}});
    EXPECT_EQ(editor.store().list().selected(), 2);

    EXPECT_EQ(ended, 1);
    EXPECT_FALSE(inspector().picking());

    // Only while picking; and a line without the library's own prefix is
    // the page's own, whatever it looks like.
    say("pick", QJsonObject{{"matches", QJsonArray{QJsonArray{1, QJsonArray{0}, true}}}});
    inspector().setPicking(true);
    inspector().pageMessage(QStringLiteral("quillbox-0123456789abcdef:{\"kind\":\"pick\",\"data\":{\"matches\":[[1,[0],"
                                           "true]]}}"));
    EXPECT_EQ(editor.store().list().selected(), 2);

    say("pick", QJsonObject{{"matches", QJsonArray{QJsonArray{3, QJsonArray{0}, false}}}, {"element", "span.x"}});
    EXPECT_EQ(editor.store().list().selected(), 2);
    EXPECT_EQ(messages, QStringList{QStringLiteral("Ни одно правило не подходит к span.x")});

    // A rule that matches only through a state styles the element in that
    // state: listed with it, never the pick's winner, holding once forced.
    inspector().setPicking(true);
    say("pick", QJsonObject{{"matches", QJsonArray{QJsonArray{1, QJsonArray{0}, true}, QJsonArray{3, QJsonArray{1}, true}}},
                            {"element", "a.btn"}});
    EXPECT_EQ(editor.store().list().selected(), 1) << "a:hover (0,1,1) outweighs .btn, but only on hover";
    const ElementRules::Rule *hover = editor.elementRules().find(3);
    ASSERT_NE(hover, nullptr);
    EXPECT_EQ(hover->states, QByteArrayList{":hover"});
    EXPECT_EQ(ElementRules::stateNote(*hover), QStringLiteral(" (при :hover)"));
    EXPECT_FALSE(editor.elementRules().holds(*hover));
    editor.elementRules().setForced({":hover"});
    EXPECT_TRUE(editor.elementRules().holds(*hover));
}

TEST_F(PageInspectorTest, ANewPickOrANewPageLeavesNothingOfTheElementBefore)
{
    // The page reads every rule's body as setting color.
    browser.answerFor = [](const QString &script) -> QVariant {
        if (script.contains(QLatin1String(".expand(")))
            return QVariantList{QVariantList{QVariantList{"color", "red", false}}, QVariantList{}};
        if (script.contains(QLatin1String(".computed(")))
            return QVariantList{"rgb(255, 0, 0)"};
        return {};
    };
    inspector().setPicking(true);
    say("pick", QJsonObject{{"matches", QJsonArray{QJsonArray{3, QJsonArray{0}, false}}}, {"element", "span.x"}});
    ASSERT_EQ(messages.value(0), QStringLiteral("Ни одно правило не подходит к span.x"));
    inspector().setPicking(true);
    say("pick", QJsonObject{{"matches", QJsonArray{QJsonArray{1, QJsonArray{0}, true}}}, {"element", "a.btn"}});
    EXPECT_EQ(messages.last(), QString()) << "the word on the element before is gone";
    EXPECT_EQ(editor.store().list().selected(), 1);
    ASSERT_FALSE(editor.cascade().properties().isEmpty());
    ASSERT_NE(editor.cascade().winner(QStringLiteral("color")), nullptr);

    // Another page: the element and its cascade are gone, and with them the
    // marks they leave on the controls.
    inspector().pageLoaded();
    EXPECT_TRUE(editor.cascade().properties().isEmpty());
    EXPECT_EQ(editor.cascade().winner(QStringLiteral("color")), nullptr);
}

TEST_F(PageInspectorTest, CountSaysWhatItCan)
{
    using Q = PageInspector::Question;
    auto answer = [](int count, int invalid, bool media) {
        return QVariantMap{{"count", count}, {"invalid", invalid}, {"mediaApplies", media}};
    };
    const struct {
        QVariant answer;
        Q question;
        const char *text;
    } cases[] = {
        {QVariant(), Q{1, {}, false}, ""},
        {answer(3, 0, true), Q{1, {}, false}, "Элементов: 3"},
        {answer(0, 1, true), Q{1, {}, false}, "Селектор не понят браузером"},
        {answer(2, 1, true), Q{2, {}, false}, "Элементов: 2 (часть селекторов не понята браузером)"},
        {answer(4, 0, false), Q{1, {":hover"}, true}, "Элементов: 4 (при :hover; условие @media сейчас не выполняется)"},
        {answer(4, 0, false), Q{1, {}, false}, "Элементов: 4"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(PageInspector::countText(c.answer, c.question), QString::fromUtf8(c.text)) << c.text;
}

TEST_F(PageInspectorTest, CountIsAskedForTheSelectedRuleAndClearedWithoutAPage)
{
    editor.ListTagClick(3);
    browser.answers = {QVariantMap{{"count", 2}, {"invalid", 0}, {"mediaApplies", false}}};
    inspector().showMatches();
    EXPECT_TRUE(browser.scripts.last().contains(QStringLiteral("[\".alert\",\"a\"],[\"(max-width: 500px)\"],true")))
        << browser.scripts.last().toStdString();
    EXPECT_EQ(counts.last(), QStringLiteral("Элементов: 2 (при :hover; условие @media сейчас не выполняется)"));

    browser.pageShown = false;
    inspector().showMatches();
    EXPECT_EQ(counts.last(), QString());
}

// With automatic refresh a page that links the sheet takes it in place;
// any other page is reloaded.
TEST_F(PageInspectorTest, ChangeIsSwappedInWhereThePageLinksTheSheet)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("site.css"));
    editor.store().setCurrentFileName(file);
    QFile(file).open(QIODevice::WriteOnly);
    browser.location = QStringLiteral("file:///page.html");
    browser.answers = {true};
    editor.preview().refreshAfterChange();
    EXPECT_TRUE(browser.scripts.last().contains(QStringLiteral("swapSheet(\"%1\")").arg(file)));
    EXPECT_EQ(browser.reloads, 0);
    browser.answers = {false};
    editor.preview().refreshAfterChange();
    EXPECT_EQ(browser.reloads, 1);
    editor.preview().RefreshViewExecute();
    EXPECT_EQ(browser.reloads, 2);
}

// Undo with automatic refresh on: the restored text reaches the page while
// the rule is still to be read into the panels, and only once.
TEST_F(PageInspectorTest, UndoSendsTheRestoredSheetOnceBeforeThePanelsFollowIt)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("site.css"));
    editor.store().setCurrentFileName(file);
    QFile(file).open(QIODevice::WriteOnly);
    editor.store().fileWatch().remember(file, QByteArray());
    browser.location = QStringLiteral("file:///page.html");
    editor.commit().setAutoRefresh(true);
    editor.ListTagClick(1);
    editor.panelController().optionClicked("Text_Align_Center");
    editor.panelController().optionClicked("Text_Align_Right");
    // What the memo held each time the page was sent the sheet.
    QList<ByteLines> memoAtSwap;
    struct Step {
        void (UndoRedo::*step)();
        const char *align;
    };
    for (const Step &step : {Step{&UndoRedo::BackEditExecute, "center"}, Step{&UndoRedo::ForeEditExecute, "right"}}) {
        browser.scripts.clear();
        browser.onScript = [&](const QString &script) {
            if (script.contains(QLatin1String("swapSheet(")))
                memoAtSwap.append(editor.store().memo().lines());
        };
        memoAtSwap.clear();
        (editor.undoRedo().*step.step)();
        browser.onScript = nullptr;
        ASSERT_EQ(memoAtSwap.size(), 1) << step.align;
        // The memo still held the step being left: the panels had not been read yet.
        EXPECT_FALSE(joinLines(memoAtSwap.first()).contains(step.align)) << step.align;
        EXPECT_TRUE(joinLines(editor.store().memo().lines()).contains(step.align)) << step.align;
        QFile written(file);
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(written.readAll(), editor.store().fileText()) << step.align;
    }
    editor.store().setSheetModified(false);
}

} // namespace
