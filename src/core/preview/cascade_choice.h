#pragma once

#include <QByteArrayList>

#include <limits>
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
    int sheet = -1; // the page's other sheet it is in; -1 for the edited one
    // Its matching selectors that need a state, which count once the state
    // is forced (".btn, #nav .btn:hover").
    QByteArrayList inState = {};
    // In @scope: how many generations up the nearest root is.
    int proximity = std::numeric_limits<int>::max();
    // Its context holds a condition the page cannot check (@container):
    // the program cannot tell whether it applies.
    bool contextUnknown = false;
};

// The edited sheet's rule that styles the element most surely, before the
// page has told what each rule sets: among its rules whose context
// applies, the one with the most specific matching selector, and of equals
// the last; a rule that needs a state, or whose context cannot be told, is
// left out. Importance and layers are not weighed here.
std::optional<int> winningRule(const std::vector<RuleMatch> &matches);
