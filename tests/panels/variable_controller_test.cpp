#include "core/editor/editor.h"
#include "core/css/css_color.h"

#include "../support/fake_host.h"
#include "../support/scripted_questioner.h"
#include "../support/sheet_fixture.h"

#include <gtest/gtest.h>

namespace {

class RuleVariables : public testing::Test
{
protected:
    // The rows of the named rule of the sheet, as "name=value|where|state" each.
    QStringList rowsOf(const QByteArray &sheet, int rule)
    {
        openText(store, sheet);
        editor.ListTagClick(rule);
        QStringList out;
        for (const VariableRow &row : vars.rows()) {
            QString text = QString::fromUtf8(row.name + "=" + row.value);
            text += row.own ? QStringLiteral("|own") : QStringLiteral("|") + QString::fromUtf8(row.definedIn)
                                                           + QStringLiteral("#%1").arg(row.rules);
            if (row.state == VariableRow::State::Loop)
                text += QStringLiteral("|loop");
            if (row.state == VariableRow::State::Unknown)
                text += QStringLiteral("|unknown");
            if (row.color)
                text += QStringLiteral("|%1").arg(QString::fromLatin1(ColorToCss(*row.color)));
            out.append(text);
        }
        return out;
    }

    FakeHost host;
    ScriptedQuestioner questioner;
    Editor editor{host, questioner};
    SheetStore &store = editor.store();
    VariableController &vars = editor.variables();
};

TEST_F(RuleVariables, OwnFirstInTheRulesOrderThenTheUsedOnesWithWhereTheyAreGiven)
{
    const QByteArray sheet = ":root {\r\n--base: #336699;\r\n--a: var(--b);\r\n--b: var(--a);\r\n}\r\n"
                             ".one {\r\n--pad: 4px;\r\n}\r\n.two {\r\n--pad: 8px;\r\n}\r\n"
                             ".btn {\r\n--x: ;\r\n--bg: var(--base);\r\ncolor: var(--bg);\r\n"
                             "padding: var(--pad) var(--gap, var(--none, 1px));\r\nborder-color: var(--a);\r\n}\r\n";
    // A variable's own value uses others too; a variable given in two rules
    // comes from the last.
    EXPECT_EQ(rowsOf(sheet, 3), (QStringList{"--x=|own", "--bg=var(--base)|own|#336699",
                                             "--base=#336699|:root#1|#336699", "--pad=8px|.two#2",
                                             "--gap=|#0|unknown", "--none=|#0|unknown",
                                             "--a=var(--b)|:root#1|loop"}));
}

TEST_F(RuleVariables, AnEditChangesOnlyTheValueAndIsUndoneLikeAPanelChange)
{
    openText(store, ".btn-primary {\r\n--bs-btn-bg: #0d6efd;\r\n--q: \"a;b}\";\r\n}\r\n.btn {\r\nbackground-color: var(--bs-btn-bg);\r\n}\r\n");
    const QByteArray before = store.sheetText();
    editor.ListTagClick(0);
    EXPECT_EQ(vars.colorPicked("--bs-btn-bg", Rgb{255, 0, 0}), QString());
    EXPECT_TRUE(store.sheetText().contains("--bs-btn-bg:#FF0000;")) << store.sheetText().constData();
    EXPECT_TRUE(store.sheetText().contains("--q:\"a;b}\";")) << "the other variable keeps every byte";
    editor.ListTagClick(1);
    EXPECT_EQ(editor.panels().swatch(Swatch::BackGround).color, (Rgb{255, 0, 0})) << "the panels follow";
    editor.undoRedo().BackEditExecute();
    EXPECT_EQ(store.sheetText(), before);
}

// The declaration that counts is the one edited, its value alone: the
// last one given, an !important one before it, comments on its line kept.
TEST_F(RuleVariables, AnEditChangesTheDeclarationThatWinsAndKeepsItsComments)
{
    const struct {
        const char *body, *expected;
    } cases[] = {
        {"/* brand */ --brand: red;", "/* brand */ --brand: blue;"},
        {"--brand: red; --brand: green;", "--brand: red; --brand: blue;"},
        {"--brand: red !important; --brand: green;", "--brand: blue !important; --brand: green;"},
        {"--brand: /* was */ red /* now */;", "--brand: /* was */ blue /* now */;"},
    };
    for (const bool keep : {false, true}) {
        for (const auto &c : cases) {
            store.setKeepUntouchedLayout(keep);
            openText(store, QByteArray(".a {\n  ") + c.body + "\n}\n");
            editor.ListTagClick(0);
            EXPECT_EQ(vars.valueEdited("--brand", "blue"), QString());
            // Blanks and line breaks aside: the program's layout puts each
            // declaration on a line of its own.
            const auto bare = [](QByteArray t) { return t.simplified().replace(" ", ""); };
            EXPECT_TRUE(bare(store.sheetText()).contains(bare(c.expected)))
                << c.body << (keep ? " (file's layout)" : " (program's layout)") << "\n" << store.sheetText().constData();
            ASSERT_FALSE(vars.rows().isEmpty());
            EXPECT_EQ(vars.rows().first().value, "blue") << c.body;
        }
    }
}

TEST_F(RuleVariables, AddingAndRemovingRefuseWhatWouldBreakTheRule)
{
    openText(store, "a {\r\ncolor: red;\r\n}\r\n");
    editor.ListTagClick(0);
    const QByteArray before = store.sheetText();
    for (const auto &[name, value] : {std::pair<QByteArray, QByteArray>{"x", "1"}, {"--", "1"}, {"--a b", "1"},
                                      {"--ok", "1; color: blue"}, {"--ok", "}"}, {"--ok", "\"open"},
                                      {"--ok", "calc(1px"}, {"--ok", "/* x"}}) {
        EXPECT_FALSE(vars.added(name, value).isEmpty()) << name.constData() << " " << value.constData();
        EXPECT_EQ(store.sheetText(), before);
    }
    const QByteArray big(10000, 'x');
    EXPECT_EQ(vars.added("--\\31 \xd1\x86\xd0\xb2\xd0\xb5\xd1\x82", "\"a;b}\""), QString());
    EXPECT_EQ(vars.added("--big", big), QString());
    EXPECT_FALSE(vars.added("--big", "1").isEmpty()) << "a name the rule has";
    EXPECT_EQ(vars.rows().size(), 2);
    EXPECT_EQ(vars.rows()[0].value, "\"a;b}\"");
    EXPECT_EQ(vars.rows()[1].value, big);
    EXPECT_EQ(vars.removed("--big"), QString());
    EXPECT_EQ(vars.rows().size(), 1);
    EXPECT_TRUE(store.sheetText().contains("color: red;"));
}

} // namespace

namespace {

TEST_F(RuleVariables, TheRulesOwnVariableNamesTheOtherRulesThatGiveItToo)
{
    openText(store, ".btn {\r\n--bg: transparent;\r\n}\r\n.btn-primary {\r\n--bg: #0d6efd;\r\n}\r\n"
                    ".btn-dark {\r\n--bg: #212529;\r\n}\r\n");
    editor.ListTagClick(0);
    ASSERT_EQ(vars.rows().size(), 1);
    EXPECT_EQ(vars.rows()[0].definedIn, ".btn-primary");
    EXPECT_EQ(vars.rows()[0].givenIn, (QList<QByteArray>{".btn-primary", ".btn-dark"}));
    vars.definitionClicked(0);
    EXPECT_EQ(store.list().selected(), 1);
}

} // namespace

namespace {

TEST_F(RuleVariables, AVariableGivenInTenRulesComesFromTheLastAndSaysHowManyGiveIt)
{
    QByteArray sheet;
    for (int i = 0; i < 10; ++i)
        sheet += ".v" + QByteArray::number(i) + " {\r\n--pad: " + QByteArray::number(i) + "px;\r\n}\r\n";
    sheet += ".use {\r\npadding: var(--pad);\r\n}\r\n";
    EXPECT_EQ(rowsOf(sheet, 10), QStringList{"--pad=9px|.v9#10"});
}

} // namespace
