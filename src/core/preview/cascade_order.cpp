#include "core/preview/cascade_order.h"

#include <algorithm>
#include <limits>

namespace {

// A layer's weight for normal declarations: no layer is the last one.
int layerRank(const CascadeEntry &entry)
{
    return entry.layer < 0 ? std::numeric_limits<int>::max() : entry.layer;
}

} // namespace

bool outranks(const CascadeEntry &a, const CascadeEntry &b)
{
    if (a.important != b.important)
        return a.important;
    if (a.inline_ != b.inline_)
        return a.inline_;
    if (layerRank(a) != layerRank(b))
        return a.important ? layerRank(a) < layerRank(b) : layerRank(a) > layerRank(b);
    if (a.specificity != b.specificity)
        return a.specificity > b.specificity;
    if (a.sheetOrder != b.sheetOrder)
        return a.sheetOrder > b.sheetOrder;
    return a.rule > b.rule;
}

QList<CascadeEntry> cascadeOrder(QList<CascadeEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(), outranks);
    return entries;
}
