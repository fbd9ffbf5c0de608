#pragma once

#include <QByteArray>

#include <vector>

struct StyleTable;

// The selector list the browser gives each held rule, by place: a nested
// rule's selector resolved against its parents' ("&.on" in ".card" is
// ":is(.card).on"), and a conditional rule nested in a style rule takes
// its parent's. A rule at the top level has its own.
std::vector<QByteArray> ruleSelectors(const StyleTable &table);

// The same for one rule.
QByteArray ruleSelector(const StyleTable &table, int row);
