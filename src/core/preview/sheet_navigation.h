#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// The property page that edits the declaration on a line of the rule memo
// (0 "Цвет", 1 "Отступы", 2 "Фон", 3 "Блок", 4 "Привязка и размеры"), or
// nothing when the line names none of them.
std::optional<int> propertyPageForLine(const QByteArray &line);

// The rule whose header line stands at or before a caret offset of the
// whole-sheet text (lines joined by CR LF): -1 before the first header.
int ruleAtCaret(const QByteArray &sheetText, int caret, const QList<QByteArray> &selectors);
