#include "core/preview/cascade_choice.h"

#include "core/preview/selector_analysis.h"

std::optional<int> winningRule(const std::vector<RuleMatch> &matches)
{
    std::optional<int> winner;
    Specificity best;
    for (const RuleMatch &match : matches) {
        if (!match.contextApplies || match.contextUnknown || match.selectors.isEmpty() || !match.states.isEmpty()
            || match.sheet >= 0)
            continue;
        Specificity own;
        for (const QByteArray &selector : match.selectors)
            own = std::max(own, selectorSpecificity(selector));
        if (!winner || own > best || (own == best && match.rule > *winner)) {
            winner = match.rule;
            best = own;
        }
    }
    return winner;
}
