#pragma once

#include <QList>
#include <QString>
#include <QStringView>

// Where a text holds a word, case aside and taken literally: the start of
// each match, in order, matches not overlapping.
QList<qsizetype> matchesOf(QStringView text, QStringView word);

// The match to go to from a position: forward, the first that starts at
// it or after it; backward, the last that starts before it; around the
// end either way. -1 when there is none.
qsizetype matchFrom(const QList<qsizetype> &matches, qsizetype position, bool forward);

// "1 совпадение", "3 совпадения", "25 совпадений".
QString matchCountText(qsizetype count);
