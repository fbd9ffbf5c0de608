#include "core/preview/element_rules.h"

#include <algorithm>

void ElementRules::setPicked(const std::vector<RuleMatch> &matches)
{
    m_rules.clear();
    m_others.clear();
    for (const RuleMatch &match : matches) {
        Rule rule;
        rule.row = match.rule;
        rule.sheet = match.sheet;
        rule.applies = match.contextApplies;
        for (const QByteArray &selector : match.selectors)
            rule.specificity = std::max(rule.specificity, selectorSpecificity(selector));
        rule.states = match.states;
        rule.unknown = match.contextUnknown;
        (rule.sheet < 0 ? m_rules : m_others).push_back(rule);
    }
    m_forced.clear();
    const auto inOrder = [](const Rule &a, const Rule &b) { return std::pair(a.sheet, a.row) < std::pair(b.sheet, b.row); };
    std::sort(m_rules.begin(), m_rules.end(), inOrder);
    std::sort(m_others.begin(), m_others.end(), inOrder);
    m_hasPick = true;
    emit changed();
}

void ElementRules::setForced(const QByteArrayList &states)
{
    if (states == m_forced)
        return;
    m_forced = states;
    emit changed();
}

bool ElementRules::holds(const Rule &rule) const
{
    if (!rule.applies || rule.unknown)
        return false;
    for (const QByteArray &state : rule.states) {
        if (!m_forced.contains(state))
            return false;
    }
    return true;
}

QString ElementRules::stateNote(const Rule &rule)
{
    if (rule.unknown)
        return QStringLiteral(" (условие @container не проверить)");
    return rule.states.isEmpty() ? QString()
                                 : QStringLiteral(" (при %1)").arg(QString::fromLatin1(rule.states.join(", ")));
}

void ElementRules::setShown(bool on)
{
    on = on && m_hasPick;
    if (on == m_shown)
        return;
    m_shown = on;
    emit changed();
}

void ElementRules::forget()
{
    if (!m_hasPick && !m_shown)
        return;
    m_rules.clear();
    m_others.clear();
    m_hasPick = false;
    m_shown = false;
    emit changed();
}

const ElementRules::Rule *ElementRules::find(int row) const
{
    const auto it = std::lower_bound(m_rules.begin(), m_rules.end(), row,
                                     [](const Rule &rule, int wanted) { return rule.row < wanted; });
    return it != m_rules.end() && it->row == row ? &*it : nullptr;
}

QString ElementRules::specificityText(const Specificity &specificity)
{
    return QStringLiteral("(%1,%2,%3)").arg(specificity.ids).arg(specificity.classes).arg(specificity.types);
}
