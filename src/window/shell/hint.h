#pragma once

#include <QString>

// Hints have a short part (the tooltip) and a long part (the status bar),
// joined by the first "|". A hint without "|" serves as both.
struct HintParts {
    QString shortPart;
    QString longPart;
};

inline HintParts splitHint(const QString &hint)
{
    const qsizetype bar = hint.indexOf(QLatin1Char('|'));
    if (bar < 0)
        return {hint, hint};
    return {hint.left(bar), hint.mid(bar + 1)};
}
