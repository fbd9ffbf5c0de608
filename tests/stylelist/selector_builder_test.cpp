#include "core/stylelist/selector_builder.h"
#include "core/stylelist/tag_catalog.h"

#include <gtest/gtest.h>

namespace {

int indexOf(const QStringList &items, const char *item)
{
    return int(items.indexOf(QLatin1String(item)));
}

class SelectorBuilderTest : public testing::Test
{
protected:
    void SetUp() override { b.FormShow(QString()); }

    void pseudoElement(const char *item) { b.pseudoElementClicked(indexOf(SelectorBuilder::pseudoElements(), item)); }
    void pseudoClass(const char *item) { b.pseudoClassClicked(indexOf(SelectorBuilder::pseudoClasses(), item)); }

    SelectorBuilder b;
};

TEST_F(SelectorBuilderTest, TagIdClassAndPseudoPartsCombine)
{
    b.tagClicked(QStringLiteral("A"));
    pseudoClass(":hover");
    EXPECT_EQ(b.currentSelector, QStringLiteral("A:hover"));
    b.tagClicked(QStringLiteral("DIV"));
    EXPECT_FALSE(b.pseudoClassEnabled);
    EXPECT_EQ(b.pseudoClass, 0);
    EXPECT_EQ(b.currentSelector, QStringLiteral("DIV"));

    b.tagClicked(QStringLiteral("P"));
    b.classChanged(QStringLiteral("note"));
    pseudoElement(":first-line");
    EXPECT_EQ(b.currentSelector, QStringLiteral("P.note:first-line"));
    b.idChanged(QStringLiteral("x"));
    EXPECT_EQ(b.currentSelector, QStringLiteral("P#x:first-line"));
    EXPECT_TRUE(b.classes.text.isEmpty());
    b.idChanged(QString());
    EXPECT_EQ(b.currentSelector, QStringLiteral("P:first-line"));

    b.tagClicked(QStringLiteral("[none]"));
    pseudoElement(":first-letter");
    EXPECT_TRUE(b.currentSelector.isEmpty());
    b.classChanged(QStringLiteral("menu"));
    EXPECT_EQ(b.currentSelector, QStringLiteral(".menu:first-letter"));
}

TEST_F(SelectorBuilderTest, PseudoElementAndPseudoClassExcludeEachOther)
{
    b.tagClicked(QStringLiteral("A"));
    pseudoElement(":before");
    pseudoClass(":visited");
    EXPECT_EQ(b.pseudoElement, 0);
    EXPECT_EQ(b.currentSelector, QStringLiteral("A:visited"));
    pseudoElement("[none]");
    EXPECT_EQ(b.pseudoClass, 0);
    EXPECT_EQ(b.currentSelector, QStringLiteral("A"));
}

TEST_F(SelectorBuilderTest, ResultLinesAreBuiltStepByStep)
{
    struct Step {
        void (SelectorBuilder::*action)();
        const char *current;
        QStringList itog;
        int selected;
    };
    const Step steps[] = {
        {&SelectorBuilder::AddElementClick, "UL", {"UL"}, 0},
        {&SelectorBuilder::AddPotomokClick, "LI", {"UL LI"}, 0},
        {&SelectorBuilder::AddElementClick, "H1", {"UL LI", "H1"}, 1},
        {&SelectorBuilder::SpeedButton1Click, "", {"H1", "UL LI"}, 0},
        {&SelectorBuilder::SpeedButton1Click, "", {"H1", "UL LI"}, 0},
        {&SelectorBuilder::AddSosedClick, "P", {"H1+P", "UL LI"}, 0},
        {&SelectorBuilder::AddPotomokClick, "B", {"H1+P B", "UL LI"}, 0},
        {&SelectorBuilder::DelSosedClick, "", {"H1", "UL LI"}, 0},
        {&SelectorBuilder::SpeedButton2Click, "", {"UL LI", "H1"}, 1},
        {&SelectorBuilder::SpeedButton2Click, "", {"UL LI", "H1"}, 1},
        {&SelectorBuilder::DelPotomokClick, "", {"UL LI", "H1"}, 1},
        {&SelectorBuilder::DelClick, "", {"UL LI"}, 0},
        {&SelectorBuilder::DelPotomokClick, "", {"UL"}, 0},
        {&SelectorBuilder::DelClick, "", {}, -1},
        {&SelectorBuilder::DelClick, "", {}, -1},
        {&SelectorBuilder::AddPotomokClick, "X", {}, -1},
    };
    for (const Step &step : steps) {
        b.currentSelector = QLatin1String(step.current);
        (b.*step.action)();
        EXPECT_EQ(b.itog, step.itog) << step.current;
        EXPECT_EQ(b.selectedLine, step.selected) << step.current;
    }
}

TEST_F(SelectorBuilderTest, DeletingAStepCutsOnlyTheLastOne)
{
    const struct {
        void (SelectorBuilder::*action)();
        const char *line, *expected;
    } cases[] = {
        {&SelectorBuilder::DelPotomokClick, "UL LI A", "UL LI"},
        {&SelectorBuilder::DelSosedClick, "H1+P+B", "H1+P"},
    };
    for (const auto &c : cases) {
        b.itog = {QLatin1String(c.line)};
        b.selectedLine = 0;
        (b.*c.action)();
        EXPECT_EQ(b.itog, QStringList{QLatin1String(c.expected)}) << c.line;
    }
}

TEST_F(SelectorBuilderTest, FinishedLinesAreJoinedOrTheCurrentSelectorTaken)
{
    b.itog = {QStringLiteral("H1"), QStringLiteral("UL LI")};
    b.OkClick();
    EXPECT_EQ(b.createdSelector, QStringLiteral("H1, UL LI"));
    b.itog.clear();
    b.currentSelector = QStringLiteral("typed by hand > *");
    b.OkClick();
    EXPECT_EQ(b.createdSelector, QStringLiteral("typed by hand > *"));
    b.FormShow(QString());
    EXPECT_TRUE(b.createdSelector.isEmpty());
    EXPECT_TRUE(b.currentSelector.isEmpty());
}

TEST_F(SelectorBuilderTest, NamesOfTheSheetAreOfferedLastFoundFirst)
{
    b.FormShow(QStringLiteral(" #main DIV.menu P.note, .menu DIV#main.big"));
    EXPECT_EQ(b.ids.items, QStringList{QStringLiteral("main")});
    EXPECT_EQ(b.classes.items, (QStringList{QStringLiteral("big"), QStringLiteral("note"), QStringLiteral("menu")}));
    EXPECT_TRUE(b.ids.text.isEmpty());

    // Names as CSS reads them: any alphabet, "-" and "_", escapes.
    b.FormShow(QStringLiteral(" .кнопка #глав .btn-primary._x .w-1\\/2 .\\31 0col"));
    EXPECT_EQ(b.ids.items, QStringList{QStringLiteral("глав")});
    EXPECT_EQ(b.classes.items, (QStringList{QStringLiteral("\\31 0col"), QStringLiteral("w-1\\/2"),
                                            QStringLiteral("_x"), QStringLiteral("btn-primary"),
                                            QStringLiteral("кнопка")}));

    b.classes.text = QStringLiteral("typed");
    SelectorBuilder::comboExit(b.classes);
    SelectorBuilder::comboExit(b.classes);
    EXPECT_EQ(b.classes.items.first(), QStringLiteral("typed"));
    EXPECT_EQ(b.classes.items.count(QStringLiteral("typed")), 1);
}

TEST(TagCatalog, EveryElementIsDescribedInOrder)
{
    const QStringList &all = tags::pages().first().items;
    const QStringList &source = tags::tagSource();
    ASSERT_EQ(all.size(), 92);
    ASSERT_EQ(source.size(), all.size());
    for (int i = 0; i < all.size(); ++i)
        EXPECT_TRUE(source[i].startsWith(all[i] + QLatin1Char('='))) << source[i].toStdString();
    EXPECT_EQ(tags::describe(source, QStringLiteral("TR")), QStringLiteral("строка таблицы"));
    EXPECT_EQ(tags::describe(source, QStringLiteral("T")), QStringLiteral("Нет справки"));
    for (const tags::Page &page : tags::pages()) {
        for (const QString &item : page.items)
            EXPECT_TRUE(all.contains(item)) << item.toStdString();
    }
}

} // namespace
