#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QByteArrayView>

#include <compare>

// How specific a selector is: ids, then classes, attributes and
// pseudo-classes, then types and pseudo-elements.
struct Specificity {
    int ids = 0;
    int classes = 0;
    int types = 0;
    auto operator<=>(const Specificity &) const = default;
};

// The selectors of a selector list, each trimmed; commas inside brackets,
// parentheses and strings do not split.
QByteArrayList splitSelectorList(QByteArrayView list);

// The specificity of one selector: :is(), :not() and :has() count their
// most specific argument, :where() nothing, :nth-child(… of S) one
// pseudo-class and S; the one-colon :before, :after, :first-line and
// :first-letter are pseudo-elements.
Specificity selectorSpecificity(QByteArrayView selector);

// A selector as the page is asked about it. An element is counted for a
// rule whose selector names a pseudo-element (`p::before` styles a part of
// every p) or a state the pointer or the keyboard gives it (`a:hover`):
// both are taken out, and a compound left empty becomes "*".
struct MatchForm {
    QByteArray selector;
    QByteArrayList states;   // the states taken out, ":hover" and the like
    bool pseudoElement = false;
};
MatchForm matchForm(QByteArrayView selector);
