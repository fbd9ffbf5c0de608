#pragma once

#include <QByteArray>

// The text without what a regeneration may reshuffle: the unsupported-
// properties comment, doubled semicolons, line breaks and blanks, except
// a blank between two word bytes, which stays as one blank.
QByteArray CanonicalSheetText(const QByteArray &text);

// CanonicalSheetText(a) == CanonicalSheetText(b), worked out from the part
// where the two texts differ: a commit changes a few lines of a large sheet.
bool SameCanonicalText(const QByteArray &a, const QByteArray &b);

// The length of the common start and of the common end of two texts; the
// two never overlap in the shorter one.
qsizetype commonPrefixLength(const QByteArray &a, const QByteArray &b);
qsizetype commonSuffixLength(const QByteArray &a, const QByteArray &b, qsizetype prefix);
