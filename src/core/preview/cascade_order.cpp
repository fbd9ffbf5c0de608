#include "core/preview/cascade_order.h"

#include <algorithm>

bool outranks(const CascadeEntry &a, const CascadeEntry &b)
{
    if (a.important != b.important)
        return a.important;
    if (a.inline_ != b.inline_)
        return a.inline_;
    if (a.layer != b.layer)
        return a.important ? a.layer < b.layer : a.layer > b.layer;
    if (a.specificity != b.specificity)
        return a.specificity > b.specificity;
    if (a.proximity != b.proximity)
        return a.proximity < b.proximity;
    if (a.sheetOrder != b.sheetOrder)
        return a.sheetOrder > b.sheetOrder;
    if (a.rule != b.rule)
        return a.rule > b.rule;
    return a.declaration > b.declaration;
}

QList<CascadeEntry> cascadeOrder(QList<CascadeEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(), outranks);
    // revert-layer: the winner's layer (of its importance) is rolled back,
    // and the cascade goes on below it.
    const auto reverts = [](const CascadeEntry &e) {
        return !e.inline_ && e.value.trimmed().compare(QLatin1String("revert-layer"), Qt::CaseInsensitive) == 0;
    };
    qsizetype applies = 0;
    while (applies < entries.size() && reverts(entries[applies])) {
        const QList<int> layer = entries[applies].layer;
        const bool important = entries[applies].important;
        for (CascadeEntry &e : entries) {
            if (!e.inline_ && e.layer == layer && e.important == important)
                e.reverted = true;
        }
        while (applies < entries.size() && entries[applies].reverted)
            ++applies;
    }
    // The one that applies first, the rest in the cascade's order.
    if (applies > 0 && applies < entries.size())
        entries.move(applies, 0);
    return entries;
}
