#pragma once

#include <QByteArrayList>

#include <optional>
#include <vector>

// A held rule some of whose selectors match an element of the page.
struct RuleMatch {
    int rule = -1;               // its place in the sheet
    QByteArrayList selectors;    // its selectors that match, as written
    bool contextApplies = true;  // the @media and @supports around it hold
    // The states (":hover") its matching selectors need, when none of them
    // matches the element as it is: it styles the element in that state.
    QByteArrayList states = {};
};

// The rule whose declarations win for the element: among the rules whose
// context applies, the one with the most specific matching selector, and
// of equals the last in the sheet; a rule that needs a state is left out. Origins, !important and layers are not
// weighed: every held rule comes from the one sheet.
std::optional<int> winningRule(const std::vector<RuleMatch> &matches);
