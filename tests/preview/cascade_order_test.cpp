// Which declaration of a property wins for an element.
#include "core/preview/cascade_order.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr int kNoLayer = std::numeric_limits<int>::max();

CascadeEntry entry(int rule, Specificity specificity, bool important = false, int layer = -1, bool inline_ = false)
{
    CascadeEntry e;
    e.rule = rule;
    e.specificity = specificity;
    e.important = important;
    e.layer = layer < 0 ? QList<int>{kNoLayer} : QList<int>{layer, kNoLayer};
    e.inline_ = inline_;
    return e;
}

TEST(CascadeOrder, ImportanceThenTheStyleAttributeThenLayersThenSpecificityThenOrder)
{
    const Specificity cls{0, 1, 0}, id{1, 0, 0}, type{0, 0, 1};
    const struct {
        const char *what;
        CascadeEntry winner, loser;
    } cases[] = {
        {"the later of equals", entry(5, cls), entry(2, cls)},
        {"specificity before order", entry(2, id), entry(5, cls)},
        {"!important before specificity", entry(2, type, true), entry(5, id)},
        {"the style attribute before any rule", entry(-1, {}, false, -1, true), entry(5, id)},
        {"a rule's !important before the style attribute", entry(2, type, true), entry(-1, {}, false, -1, true)},
        {"the style attribute's !important before a rule's", entry(-1, {}, true, -1, true), entry(5, id, true)},
        {"no layer before a layer", entry(2, type), entry(5, id, false, 3)},
        {"a later layer before an earlier one", entry(2, type, false, 1), entry(5, id, false, 0)},
        {"!important: an earlier layer before a later one", entry(5, type, true, 0), entry(2, id, true, 1)},
        {"!important: a layer before no layer", entry(2, type, true, 0), entry(5, id, true)},
    };
    for (const auto &c : cases) {
        EXPECT_TRUE(outranks(c.winner, c.loser)) << c.what;
        EXPECT_FALSE(outranks(c.loser, c.winner)) << c.what;
    }
    const QList<CascadeEntry> order = cascadeOrder({entry(1, type), entry(3, cls), entry(2, id), entry(4, type, true)});
    QList<int> rules;
    for (const CascadeEntry &e : order)
        rules.append(e.rule);
    EXPECT_EQ(rules, (QList<int>{4, 2, 3, 1}));
}

TEST(CascadeOrder, RevertLayerSetsBackItsLayerAndTheLayerBelowApplies)
{
    CascadeEntry base = entry(1, {0, 1, 0}, false, 0);
    base.value = QStringLiteral("red");
    CascadeEntry themeOther = entry(2, {0, 1, 0}, false, 1);
    themeOther.value = QStringLiteral("blue");
    CascadeEntry themeRevert = entry(3, {0, 2, 0}, false, 1);
    themeRevert.value = QStringLiteral("revert-layer");
    const QList<CascadeEntry> order = cascadeOrder({base, themeOther, themeRevert});
    ASSERT_EQ(order.size(), 3);
    EXPECT_EQ(order[0].value, QStringLiteral("red")) << "the lower layer's value applies";
    EXPECT_FALSE(order[0].reverted);
    EXPECT_TRUE(order[1].reverted);
    EXPECT_TRUE(order[2].reverted);
}

TEST(CascadeOrder, ScopeProximityAfterSpecificityAndTheLaterDeclarationOfARule)
{
    CascadeEntry near = entry(1, {0, 1, 0});
    near.proximity = 1;
    CascadeEntry far = entry(5, {0, 1, 0});
    far.proximity = 3;
    EXPECT_TRUE(outranks(near, far)) << "the nearer scope root";
    EXPECT_TRUE(outranks(entry(5, {0, 2, 0}), near)) << "specificity first";
    CascadeEntry first = entry(2, {0, 1, 0});
    first.declaration = 0;
    CascadeEntry second = first;
    second.declaration = 3;
    EXPECT_TRUE(outranks(second, first)) << "margin-left after margin-inline-start in one rule";
}

} // namespace
