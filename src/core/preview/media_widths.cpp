#include "core/preview/media_widths.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>

QList<int> mediaWidths(const QByteArray &sheet)
{
    static const QRegularExpression media(QStringLiteral("@media\\b([^{;]*)\\{"),
                                          QRegularExpression::CaseInsensitiveOption);
    // "min-width: 576px", "width >= 576px", "576px <= width".
    static const QRegularExpression width(
        QStringLiteral("(?:(?:min-|max-)width\\s*:\\s*|\\bwidth\\s*[<>]=?\\s*)(\\d+(?:\\.\\d+)?)px"
                       "|(\\d+(?:\\.\\d+)?)px\\s*[<>]=?\\s*width\\b"),
        QRegularExpression::CaseInsensitiveOption);
    QList<int> out;
    const QString text = QString::fromLatin1(sheet);
    for (auto it = media.globalMatch(text); it.hasNext();) {
        const QString prelude = it.next().captured(1);
        for (auto found = width.globalMatch(prelude); found.hasNext();) {
            const QRegularExpressionMatch m = found.next();
            const double px = (m.capturedLength(1) ? m.captured(1) : m.captured(2)).toDouble();
            if (px >= 1 && px <= 100000)
                out.append(int(std::ceil(px)));
        }
    }
    std::sort(out.begin(), out.end());
    out.erase(std::unique(out.begin(), out.end()), out.end());
    return out;
}
