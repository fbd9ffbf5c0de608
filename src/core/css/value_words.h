#pragma once

#include <QByteArray>
#include <QList>

#include <optional>

// A declaration's value cut at blanks, or at commas, outside brackets and
// strings: "0 1px rgba(0, 0, 0, .2)" is three words, "a 1s, b 2s" two items.
QList<QByteArray> valueWords(const QByteArray &value);
QList<QByteArray> valueItems(const QByteArray &value);

// The inside of a function's brackets cut at its commas, trimmed; nothing
// when the word is no call of the function (name in capitals).
std::optional<QList<QByteArray>> functionArguments(const QByteArray &word, const QByteArray &upperName);

// inherit, initial, unset, revert and revert-layer, in any case: a value
// that stands for a whole declaration, a shorthand's included.
bool isCssWideKeyword(QByteArrayView word);
