#include "core/editor/text_search.h"

#include <algorithm>

QList<qsizetype> matchesOf(QStringView text, QStringView word)
{
    QList<qsizetype> out;
    if (word.isEmpty())
        return out;
    for (qsizetype at = text.indexOf(word, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(word, at + word.size(), Qt::CaseInsensitive))
        out.append(at);
    return out;
}

qsizetype matchFrom(const QList<qsizetype> &matches, qsizetype position, bool forward)
{
    if (matches.isEmpty())
        return -1;
    if (forward) {
        const auto it = std::lower_bound(matches.begin(), matches.end(), position);
        return it == matches.end() ? 0 : qsizetype(it - matches.begin());
    }
    const auto it = std::lower_bound(matches.begin(), matches.end(), position);
    return it == matches.begin() ? matches.size() - 1 : qsizetype(it - matches.begin()) - 1;
}

QString matchCountText(qsizetype count)
{
    const qsizetype tens = count % 100;
    const qsizetype ones = count % 10;
    const char *word = "совпадений";
    if (tens < 11 || tens > 14) {
        if (ones == 1)
            word = "совпадение";
        else if (ones >= 2 && ones <= 4)
            word = "совпадения";
    }
    return QString::number(count) + QLatin1Char(' ') + QString::fromUtf8(word);
}
