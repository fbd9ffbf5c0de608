// With untouched layout kept, a panel change edits the rule in its own
// style: one value, one line added, one line taken out.
#include "core/editor/editor.h"

#include "../support/fake_host.h"
#include "../support/scripted_questioner.h"
#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class RuleInPlace : public testing::Test
{
public:
    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
    SheetStore &store = editor.store();
    PanelController &panels = editor.panelController();

    // The sheet after one change to its first rule.
    std::string changed(const QByteArray &sheet, const std::function<void()> &change)
    {
        store.setKeepUntouchedLayout(true);
        openText(store, sheet);
        editor.ListTagClick(0);
        change();
        const std::string out = store.sheetText().replace("\r\n", "\n").toStdString();
        editor.undoRedo().BackEditExecute();
        EXPECT_EQ(store.sheetText().replace("\r\n", "\n").toStdString(), sheet.toStdString()) << "undo is exact";
        return out;
    }
    void typePaddingTop()
    {
        panels.lengthTyped(Length::PaddingTop, "7");
        panels.lengthClicked(Length::PaddingTop);
        panels.changeAndCommit();
    }
    void pickGreen() { panels.swatchColorChosen(Swatch::Font, Rgb{0, 128, 0}); }
    void centre() { panels.optionClicked("Text_Align_Center"); }
    void row() { panels.optionClicked("Flex_Direction_Row"); }
    void round()
    {
        panels.lengthClicked(Length::BorderRadius);
        panels.lengthTyped(Length::BorderRadius, "12");
        panels.lengthLeft(Length::BorderRadius, "12");
    }
};

TEST_F(RuleInPlace, OnlyWhatChangedIsWrittenInTheRulesOwnStyle)
{
    const struct {
        const char *name;
        QByteArray sheet;
        std::function<void(RuleInPlace *)> change;
        QByteArray expected;
    } cases[] = {
        {"AddedAfterTheLastLine", ".a {\n  color: red;\n  margin: 0;\n}\n.z { x: y }\n", &RuleInPlace::centre,
         ".a {\n  color: red;\n  margin: 0;\n  text-align: center;\n}\n.z { x: y }\n"},
        {"TabsAndNoBlankAfterTheColon", ".a {\n\tcolor:red;\n}\n", &RuleInPlace::centre,
         ".a {\n\tcolor:red;\n\ttext-align:center;\n}\n"},
        {"OneLineRule", ".b{padding:1px}\n", &RuleInPlace::centre, ".b{padding:1px;text-align:center}\n"},
        {"OneLineRuleWithBlanks", ".b { padding: 1px; }\n", &RuleInPlace::centre,
         ".b { padding: 1px; text-align: center; }\n"},
        {"LastWithoutSemicolon", ".a {\n  color: red\n}\n", &RuleInPlace::centre,
         ".a {\n  color: red;\n  text-align: center;\n}\n"},
        {"ValueChangedInPlace", ".a {\n  COLOR : red !important; /* brand */\n  /* spacing */\n  margin: 0;\n}\n",
         &RuleInPlace::pickGreen, ".a {\n  COLOR : GREEN !important; /* brand */\n  /* spacing */\n  margin: 0;\n}\n"},
        {"BeforeNestedRules", ".card {\n  color: red;\n  .t { x: y }\n}\n", &RuleInPlace::centre,
         ".card {\n  color: red;\n  text-align: center;\n  .t { x: y }\n}\n"},
        {"EmptyRule", ".a {\n}\n", &RuleInPlace::centre, ".a {\n  text-align: center;\n}\n"},
        {"AnEarlierFallbackStays", ".a {\n  color: #000;\n  color: var(--x);\n}\n", &RuleInPlace::pickGreen,
         ".a {\n  color: #000;\n  color: GREEN;\n}\n"},
        {"AValueOverLinesIsLeftAsWritten", ".a {\n  transition:\n    color 1s,\n    top 2s;\n}\n", &RuleInPlace::centre,
         ".a {\n  transition:\n    color 1s,\n    top 2s;\n  text-align: center;\n}\n"},
        {"AfterATrailingComment", ".a {\n  color: red; /* brand */\n}\n", &RuleInPlace::centre,
         ".a {\n  color: red; /* brand */\n  text-align: center;\n}\n"},
        {"AfterAShorthand", ".a {\n  padding: 4px;\n}\n", &RuleInPlace::typePaddingTop,
         ".a {\n  padding: 4px;\n  padding-top: 7px;\n}\n"},
        // A shorthand whose name begins another property's sets no more of it.
        {"CornersBesideABorder", ".card {\n  border: 1px solid #888;\n}\n", &RuleInPlace::round,
         ".card {\n  border: 1px solid #888;\n  border-radius: 12px;\n}\n"},
        {"DirectionBesideFlex", ".a {\n  flex: 1;\n}\n", &RuleInPlace::row, ".a {\n  flex: 1;\n  flex-direction: row;\n}\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(changed(c.sheet, [&] { c.change(this); }), c.expected.toStdString()) << c.name;
}

// A side cleared from a plain shorthand: the sides it still gives take its
// line, one a line, in its indent and its case; nothing else changes.
TEST_F(RuleInPlace, AClearedSideSplitsItsShorthandInPlace)
{
    const struct {
        const char *name;
        QByteArray sheet;
        int row;
        Length field;
        const char *expected;
    } cases[] = {
        {"Nested", ".p {\n  color: red;\n  .x {\n    padding: 4px 8px;\n    margin: 0;\n  }\n}\n", 1, Length::PaddingBottom,
         ".p {\n  color: red;\n  .x {\n    padding-left: 8px;\n    padding-right: 8px;\n    padding-top: 4px;\n    margin: 0;\n  }\n}\n"},
        {"CapitalsAndImportant", ".x {\n  MARGIN: 1px 2px 3px !important;\n}\n", 0, Length::MarginTop,
         ".x {\n  MARGIN-BOTTOM: 3px !important;\n  MARGIN-LEFT: 2px !important;\n  MARGIN-RIGHT: 2px !important;\n}\n"},
        {"OneLineRule", ".x { padding: 4px; color: red }\n", 0, Length::PaddingLeft,
         ".x { padding-bottom: 4px; padding-right: 4px; padding-top: 4px; color: red }\n"},
    };
    for (const auto &c : cases) {
        store.setKeepUntouchedLayout(true);
        openText(store, c.sheet);
        editor.ListTagClick(c.row);
        panels.lengthDoubleClicked(c.field);
        EXPECT_EQ(store.sheetText().replace("\r\n", "\n").toStdString(), std::string(c.expected)) << c.name;
    }
}

TEST_F(RuleInPlace, ATakenOutDeclarationGoesWithItsLine)
{
    EXPECT_EQ(changed(".a {\n  color: red;\n  margin: 0;\n}\n", [this] { panels.swatchCheckClicked(Swatch::Font, false); panels.checkReleased(); }),
              ".a {\n  margin: 0;\n}\n");
}

} // namespace
