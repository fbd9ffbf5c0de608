// The selector each held rule really has, as the browser reads nesting.
#include "core/preview/media_widths.h"
#include "core/preview/rule_selectors.h"
#include "core/sheet/sheet_store.h"

#include <gtest/gtest.h>

namespace {

TEST(RuleSelectors, ANestedRuleHasItsParentsSelectorAroundIt)
{
    const struct {
        const char *name;
        QByteArray sheet;
        std::vector<std::string> selectors;
    } cases[] = {
        {"TopLevelAsWritten", "a, b { x: y } @media print { .c {} }", {"a, b", ".c"}},
        {"DescendantWithoutAmpersand", ".card { .title {} > p {} }", {".card", ":is(.card) .title", ":is(.card) > p"}},
        {"AmpersandStandsForTheParent", ".card { &.on {} & + & {} .b & {} :where(.x) & {} }",
         {".card", ":is(.card).on", ":is(.card) + :is(.card)", ".b :is(.card)", ":where(.x) :is(.card)"}},
        {"EachSelectorOfAList", ".a, .b { &:hover, i {} }", {".a, .b", ":is(.a, .b):hover, :is(.a, .b) i"}},
        {"DeepAndThroughConditionals",
         "@layer l { .h { nav { @media (x) { a { &:hover {} } } } @supports (y: z) { color: red; } } }",
         {".h", ":is(.h) nav", ":is(:is(.h) nav) a", ":is(:is(:is(.h) nav) a):hover", ".h"}},
        {"EscapedAmpersandIsNoParent", ".p { &.a\\&b, \\&c {} }", {".p", ":is(.p).a\\&b, :is(.p) \\&c"}},
        {"AtRuleAtTheTopLevelKeepsItsName", "@font-face { x: y }", {"@font-face"}},
    };
    for (const auto &c : cases) {
        SheetStore store;
        store.setSheetText(c.sheet);
        store.RebuildStyleTable();
        std::vector<std::string> all;
        for (const QByteArray &selector : ruleSelectors(store.table()))
            all.push_back(selector.toStdString());
        EXPECT_EQ(all, c.selectors) << c.name;
        for (int row = 0; row < store.styleCount(); ++row)
            EXPECT_EQ(ruleSelector(store.table(), row).toStdString(), all[size_t(row)]) << c.name << row;
    }
}

TEST(MediaWidths, TheWidthsASheetsMediaConditionsName)
{
    const QByteArray sheet = "@media (min-width: 576px) { a {} }\n@media (max-width: 575.98px) { b {} }\n"
                             "@MEDIA screen and (width >= 992px) and (1200px > width) { c {} }\n"
                             "@media (min-width: 40em), print { d {} }\n.x { min-width: 300px; }\n"
                             "@media (min-width: 576px) { e {} }\n";
    EXPECT_EQ(mediaWidths(sheet), (QList<int>{576, 992, 1200}));
}

} // namespace
