// The property table: every declaration of a rule, switched off and on in
// place, edited by name and value, each change one undo step.
#include "core/editor/editor.h"

#include "../support/fake_host.h"
#include "../support/scripted_questioner.h"
#include "../support/sheet_fixture.h"
#include "prop_bodies.h"

#include <gtest/gtest.h>

namespace {

// "name=value" each, "!" for !important, "~" struck through, "off:" off,
// "#" when it cannot be switched off.
QString joined(const QStringList &rows)
{
    return rows.join(QStringLiteral(" | "));
}

QStringList described(const QList<PropRow> &rows, bool lower = false)
{
    QStringList out;
    for (const PropRow &row : rows) {
        QString text = QString::fromUtf8((row.on ? "" : "off:") + row.name + "=" + row.value);
        if (row.important)
            text += '!';
        if (row.overridden)
            text += '~';
        if (row.lock != PropRow::Lock::None)
            text += '#';
        out.append(lower ? text.toLower() : text);
    }
    return out;
}

TEST(PropRows, EveryDeclarationInItsOrderWithWhatWinsAndWhatCannotBeSwitchedOff)
{
    for (const PropBody &c : kPropBodies)
        EXPECT_EQ(joined(described(propRows(c.body))).toStdString(), joined(c.rows).toStdString()) << c.body.constData();
}

class PropTableTest : public testing::TestWithParam<bool>
{
protected:
    void open(const QByteArray &sheet)
    {
        store.setKeepUntouchedLayout(GetParam());
        openText(store, sheet);
        editor.ListTagClick(0);
    }
    QStringList rows() { return described(table.rows()); }
    std::string shown() { return joined(rows()).toStdString(); }

    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
    SheetStore &store = editor.store();
    PropTable &table = editor.propTable();
};

// Each declaration of each body, switched off, stays off through a panel
// change, and switched on again is what it was; with the file's layout
// kept, byte for byte. The program's layout may move it among the rows.
TEST_P(PropTableTest, SwitchingOffAndOnGivesTheDeclarationBack)
{
    for (const PropBody &c : kPropBodies) {
        const QByteArray sheet = ".a {" + c.body + "}\n.b { color: red; }\n";
        open(sheet);
        const QByteArray asRead = store.sheetText();
        const QStringList before = rows();
        for (int k = 0; k < before.size(); ++k) {
            const PropRow row = table.rows()[k];
            if (row.lock != PropRow::Lock::None)
                continue;
            SCOPED_TRACE(c.body.toStdString() + " / " + before[k].toStdString());
            ASSERT_EQ(table.switched(k, !row.on), QString());
            const QString flipped = row.on ? "off:" + before[k].chopped(before[k].endsWith('~') ? 1 : 0)
                                           : before[k].mid(4);
            EXPECT_TRUE(rows().contains(flipped)) << shown();
            editor.panelController().optionClicked("Text_Align_Center");
            editor.panelController().optionClicked("Text_Align_Center");
            const int at = int(rows().indexOf(flipped));
            ASSERT_GE(at, 0) << "kept through panel changes: " << shown();
            ASSERT_EQ(table.switched(at, row.on), QString());
            EXPECT_EQ(shown(), joined(before).toStdString());
            if (GetParam())
                EXPECT_EQ(store.sheetText().toStdString(), asRead.toStdString());
            open(sheet);
        }
    }
}

TEST_P(PropTableTest, EachEditChangesOnlyItsDeclarationAndIsOneUndoStep)
{
    const QByteArray sheet = ".a {\n  color: red;\n  will-change: transform; /* why */\n  --gap: 4px;\n}\n";
    const struct {
        const char *name;
        std::function<QString(PropTable &)> edit;
        QStringList rows;
        QByteArray keptLayout; // the rule as the file's layout has it after
    } cases[] = {
        {"value", [](PropTable &t) { return t.valueEdited(1, "opacity !important"); },
         {"color=red", "will-change=opacity!", "--gap=4px"},
         ".a {\n  color: red;\n  will-change: opacity !important; /* why */\n  --gap: 4px;\n}\n"},
        {"name", [](PropTable &t) { return t.nameEdited(0, "background-color"); },
         {"background-color=red", "will-change=transform", "--gap=4px"},
         ".a {\n  background-color: red;\n  will-change: transform; /* why */\n  --gap: 4px;\n}\n"},
        {"added after the selected", [](PropTable &t) { return t.added(1, "text-wrap", "balance"); },
         {"color=red", "will-change=transform", "text-wrap=balance", "--gap=4px"},
         ".a {\n  color: red;\n  will-change: transform; /* why */\n  text-wrap: balance;\n  --gap: 4px;\n}\n"},
        {"added at the end", [](PropTable &t) { return t.added(-1, "color", "blue"); },
         {"color=red~", "will-change=transform", "--gap=4px", "color=blue"},
         ".a {\n  color: red;\n  will-change: transform; /* why */\n  --gap: 4px;\n  color: blue;\n}\n"},
        {"colour picked", [](PropTable &t) { return t.colorPicked(0, Rgb{0, 128, 0, 128}); },
         {"color=rgba(0, 128, 0, 0.5)", "will-change=transform", "--gap=4px"},
         ".a {\n  color: rgba(0, 128, 0, 0.5);\n  will-change: transform; /* why */\n  --gap: 4px;\n}\n"},
        {"removed", [](PropTable &t) { return t.removed(0); }, {"will-change=transform", "--gap=4px"},
         ".a {\n  will-change: transform; /* why */\n  --gap: 4px;\n}\n"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        open(sheet);
        const QByteArray before = store.sheetText();
        ASSERT_EQ(c.edit(table), QString());
        EXPECT_EQ(joined(described(table.rows(), true)).toStdString(), joined(c.rows).toStdString())
            << "the program's layout writes names as it spells them";
        if (GetParam())
            EXPECT_EQ(store.sheetText().replace("\r\n", "\n"), c.keptLayout);
        editor.undoRedo().BackEditExecute();
        EXPECT_EQ(store.sheetText(), before);
    }
}

// A value that would break the rule is refused with a message and writes
// nothing, as is a name that is none.
TEST_P(PropTableTest, WhatWouldBreakTheRuleIsRefusedAndNothingIsWritten)
{
    open(".a {\n  color: red;\n}\n");
    const QByteArray before = store.sheetText();
    for (const QByteArray value : {"red; margin: 0", "red }", "\"open", "red /* note */", "(", ""})
        EXPECT_FALSE(table.valueEdited(0, value).isEmpty()) << value.constData();
    for (const QByteArray name : {"col or", "color:", "{x}", "--", "1a", ""})
        EXPECT_FALSE(table.nameEdited(0, name).isEmpty()) << name.constData();
    EXPECT_FALSE(table.added(0, "text-wrap", "a;b").isEmpty());
    EXPECT_EQ(store.sheetText(), before);
    EXPECT_FALSE(store.history().canUndo());
    // A value with ";" and braces in a string keeps the rule whole.
    EXPECT_EQ(table.valueEdited(0, "\"a;{b}\""), QString());
    EXPECT_EQ(shown(), "color=\"a;{b}\"");
}

INSTANTIATE_TEST_SUITE_P(BothLayouts, PropTableTest, testing::Bool(),
                         [](const testing::TestParamInfo<bool> &info) { return info.param ? "FilesLayout" : "ProgramsLayout"; });

TEST(PropTable, UnknownNamesAreNamedWithTheNearestAndEmptyValuesShowTheInitial)
{
    EXPECT_EQ(PropTable::nameWarning("colr"), QStringLiteral("«colr» — неизвестное свойство. Возможно: color"));
    for (const QByteArray known : {"color", "--brand", "-webkit-font-smoothing", "text-wrap"})
        EXPECT_EQ(PropTable::nameWarning(known), QString()) << known.constData();
    EXPECT_EQ(PropTable::placeholder("opacity"), "1");
    EXPECT_EQ(PropTable::placeholder("--brand"), "");
}

TEST(PropTable, UpAndDownStepOnlyTheNumberAtTheCaretKeepingItsUnit)
{
    const struct {
        const char *text;
        int caret;
        bool up;
        const char *expected;
        int caretAfter;
    } cases[] = {
        {"12px", 0, true, "13px", 0},          {"0", 1, false, "-1", 2},
        {".5rem", 0, true, "0.6rem", 0},       {"0 4px", 3, true, "0 5px", 3},
        {"0 4px", 0, true, "1 4px", 0},        {"1.25em", 4, false, "1.15em", 4},
        {"rotate(-5deg)", 9, true, "rotate(-4deg)", 9},
        // The number just before the caret, not the last one.
        {"10px 20px", 2, true, "11px 20px", 2}, {"9px 20px", 1, true, "10px 20px", 2},
        {"10px 20px", 4, false, "9px 20px", 3},
        // An exponent is part of the number.
        {"1e3px", 5, true, "1001px", 6},
        // Nothing to step: no number at the caret, or digits that are no number.
        {"1.25em", 9, false, "", 9},           {"0 auto 4px", 4, true, "", 4},
        {"#0d6efd", 2, true, "", 2},           {"auto", 0, true, "", 0},
        {"url(img/1.png)", 9, true, "", 9},    {"url(\"img/1.png\")", 10, true, "", 10},
        {"\"\\201C\"", 4, true, "", 4},       {"U+0029", 4, true, "", 4},
        {"U+0025-00FF", 9, true, "", 9},       {"Font2, serif", 5, true, "", 5},
        {".\\31 a", 3, true, "", 3},
    };
    for (const auto &c : cases) {
        int caret = c.caret;
        EXPECT_EQ(steppedNumber(c.text, &caret, c.up).value_or(""), QByteArray(c.expected)) << c.text;
        EXPECT_EQ(caret, c.caretAfter) << c.text;
    }
    // Three steps in a row from the caret after "10".
    QByteArray text = "10px 20px";
    int caret = 2;
    for (int i = 0; i < 3; ++i)
        text = steppedNumber(text, &caret, true).value_or(text);
    EXPECT_EQ(text, "13px 20px");
}

} // namespace
