#pragma once

#include <QByteArray>
#include <QStringList>

#include <vector>

class SheetStore;
struct StyleTable;

// The selector list the browser gives each held rule, by place: a nested
// rule's selector resolved against its parents' ("&.on" in ".card" is
// ":is(.card).on"), and a conditional rule nested in a style rule takes
// its parent's. A rule at the top level has its own.
std::vector<QByteArray> ruleSelectors(const StyleTable &table);

// The same for one rule.
QByteArray ruleSelector(const StyleTable &table, int row);

// The conditions of the blocks a rule stands in, read from its context in
// the list ("@media (min-width: 576px) › @supports (display: grid) › "):
// what the page checks at its width.
// @container conditions cannot be checked by the page's script; rules in
// @starting-style style an element only as it first appears; a rule in
// @scope matches only within its scope's roots (each [root, limit],
// outermost first, the limit empty where none is given).
struct RuleConditions {
    QStringList media;
    QStringList supports;
    QStringList containers;
    bool startingStyle = false;
    QList<QStringList> scopes;
};
RuleConditions ruleConditions(const SheetStore &store, int row);

// The rule that names the page to show (LINK_HTML), which styles nothing.
bool isBasePageRule(const QByteArray &name);
