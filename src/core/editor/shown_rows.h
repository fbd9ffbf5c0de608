#pragma once

#include <QString>

class ElementRules;
class RuleFilter;

// The rows the rule list shows: those the filter keeps and, while they are
// shown, the picked element's rules.
class ShownRows
{
public:
    ShownRows(const RuleFilter &filter, const ElementRules &rules) : m_filter(filter), m_rules(rules) {}

    bool shows(int row) const;
    // The first row shown, or -1.
    int firstShown(int count) const;
    // "9 из 2550": the rows shown of all.
    QString countText(int count) const;
    // Whether anything hides rows.
    bool narrowed() const;

private:
    const RuleFilter &m_filter;
    const ElementRules &m_rules;
};
