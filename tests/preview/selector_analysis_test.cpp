#include "core/editor/shown_rows.h"
#include "core/preview/element_rules.h"
#include "core/sheet/sheet_encoding.h"
#include "core/sheet/style_list_model.h"
#include "core/stylelist/rule_filter.h"
#include "core/preview/selector_analysis.h"

#include <gtest/gtest.h>

namespace {

TEST(SelectorSpecificity, CountsIdsThenClassesThenTypes)
{
    const struct {
        const char *selector;
        Specificity expected;
    } cases[] = {
        {"*", {0, 0, 0}},
        {"li", {0, 0, 1}},
        {"ul li", {0, 0, 2}},
        {"ul ol+li", {0, 0, 3}},
        {"h1 + *[rel=up]", {0, 1, 1}},
        {"ul ol li.red", {0, 1, 3}},
        {"li.red.level", {0, 2, 1}},
        {"#x34y", {1, 0, 0}},
        {"#s12:not(FOO)", {1, 0, 1}},
        {".foo :is(.bar, #baz)", {1, 1, 0}},
        {"a:where(#x, .y) b", {0, 0, 2}},
        {"p::before", {0, 0, 2}},
        {"p:before", {0, 0, 2}},
        {"a:hover", {0, 1, 1}},
        {"input[type=\"a,b]\"]", {0, 1, 1}},
        {"li:nth-child(2n+1 of .x, #y)", {1, 1, 1}},
        {"svg|circle", {0, 0, 1}},
        {".\\31 0", {0, 1, 0}},
        {"div > p ~ span", {0, 0, 3}},
        {":has(> img)", {0, 0, 1}},
        {"::slotted(.x)", {0, 1, 1}},
        {"::part(label)", {0, 0, 1}},
        {":host", {0, 1, 0}},
        {":host(.x)", {0, 2, 0}},
        {":host-context(main .x)", {0, 2, 1}},
        // The blank after a hex escape belongs to the escape.
        {".\\31 a", {0, 1, 0}},
        {"#\\31 23 b", {1, 0, 1}},
        // A comment says nothing, whatever it holds.
        {"a /* .x #y :hover */ b", {0, 0, 2}},
        {"a:not(/* #x */ .y)", {0, 1, 1}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(selectorSpecificity(c.selector), c.expected) << c.selector;
}

// A rule counts with its most specific matching selector, wherever it
// stands in the list.
TEST(ElementRules, ARuleShowsItsMostSpecificMatchingSelector)
{
    ElementRules rules;
    rules.setPicked({RuleMatch{0, {"#id", "p"}, true}, RuleMatch{1, {"p", ".a.b"}, true}});
    ASSERT_TRUE(rules.find(0) && rules.find(1));
    EXPECT_EQ(ElementRules::specificityText(rules.find(0)->specificity), QStringLiteral("(1,0,0)"));
    EXPECT_EQ(ElementRules::specificityText(rules.find(1)->specificity), QStringLiteral("(0,2,0)"));
}

// The count under the filter says what the list shows: the element's rules
// narrow it as the filter does.
TEST(ElementRules, TheCountIsOfTheRowsTheListShows)
{
    StyleListModel list;
    list.setItems({"a", ".nav", ".nav-link", "p"});
    const SheetCodec codec(SheetEncoding::Utf8);
    RuleFilter filter(list, codec);
    ElementRules rules;
    const ShownRows rows(filter, rules);
    rules.setPicked({RuleMatch{2, {".nav-link"}, true}, RuleMatch{3, {"p"}, true}});
    rules.setShown(true);
    EXPECT_EQ(rows.countText(4), QStringLiteral("2 из 4"));
    filter.setText(QStringLiteral("nav"));
    EXPECT_EQ(rows.countText(4), QStringLiteral("1 из 4"));
    EXPECT_EQ(rows.firstShown(4), 2);
}

TEST(SelectorList, SplitsOnlyAtTheTopLevel)
{
    EXPECT_EQ(splitSelectorList("a, b ,c"), (QByteArrayList{"a", "b", "c"}));
    EXPECT_EQ(splitSelectorList(":is(a, b), [title=\"x,y\"], c\\,d"),
              (QByteArrayList{":is(a, b)", "[title=\"x,y\"]", "c\\,d"}));
    EXPECT_EQ(splitSelectorList(" , a,"), QByteArrayList{"a"});
    EXPECT_EQ(splitSelectorList("a /* , */ b, c"), (QByteArrayList{"a /* , */ b", "c"}));
}

// A pseudo-element matches its element and a passing state is counted as
// if it held; a compound left empty matches any element.
TEST(SelectorMatchForm, TakesOutPseudoElementsAndPassingStates)
{
    const struct {
        const char *selector;
        const char *form;
        QByteArrayList states;
        bool pseudoElement;
    } cases[] = {
        {".btn", ".btn", {}, false},
        {"a:hover", "a", {":hover"}, false},
        {".x :focus-within > a:visited:hover", ".x * > a", {":focus-within", ":visited", ":hover"}, false},
        {"p::before", "p", {}, true},
        {".kn::-webkit-scrollbar-thumb:hover", ".kn", {":hover"}, true},
        {"::selection", "*", {}, true},
        {"p:first-letter", "p", {}, true},
        {"li:not(:hover):first-child", "li:not(:hover):first-child", {}, false},
        {"a[title=':hover']", "a[title=':hover']", {}, false},
        {"a /* ::before :hover */ b:hover", "a /* ::before :hover */ b", {":hover"}, false},
    };
    for (const auto &c : cases) {
        const MatchForm form = matchForm(c.selector);
        EXPECT_EQ(form.selector, QByteArray(c.form)) << c.selector;
        EXPECT_EQ(form.states, c.states) << c.selector;
        EXPECT_EQ(form.pseudoElement, c.pseudoElement) << c.selector;
    }
}

} // namespace
