#pragma once

#include "core/preview/cascade_choice.h"
#include "core/preview/selector_analysis.h"

#include <QObject>
#include <QString>

#include <vector>

// The rules of the element picked last, as browser tools list them: every
// held rule one of whose selectors matches it, in sheet order (the page's
// other sheets' apart), with the
// specificity of its most specific matching selector, and whether its
// @media and @supports hold at the preview's width. Shown, the rule list
// keeps only them. A change of the list's rows ends the showing: the rows
// it names are no longer the same.
class ElementRules : public QObject
{
    Q_OBJECT
public:
    struct Rule {
        int row = -1;
        int sheet = -1; // the page's other sheet it is in; -1 for the edited one
        bool applies = true;
        Specificity specificity;
        QByteArrayList states; // what it needs to style the element (":hover")
        bool unknown = false;  // in @container: whether it applies cannot be told
    };

    void setPicked(const std::vector<RuleMatch> &matches);
    void setShown(bool on);
    // The states forced on the picked element: the rules that need them hold.
    void setForced(const QByteArrayList &states);
    // Whether a rule styles the element now: its context holds and the
    // states it needs are forced.
    bool holds(const Rule &rule) const;
    // " (при :hover)" for a rule that needs a state, " (условие @container
    // не проверить)" for one whose context cannot be told, else nothing.
    static QString stateNote(const Rule &rule);
    void forget();

    bool hasPick() const { return m_hasPick; }
    bool shown() const { return m_shown; }
    // The entry of a row, or nothing when the element's rules do not hold it.
    const Rule *find(int row) const;
    // The element's rules in the page's other sheets, in the page's order.
    const std::vector<Rule> &others() const { return m_others; }
    // Whether the list shows a row.
    bool shows(int row) const { return !m_shown || find(row) != nullptr; }

    // "(0,2,1)".
    static QString specificityText(const Specificity &specificity);

signals:
    void changed();

private:
    std::vector<Rule> m_rules;
    std::vector<Rule> m_others;
    bool m_hasPick = false;
    QByteArrayList m_forced;
    bool m_shown = false;
};
