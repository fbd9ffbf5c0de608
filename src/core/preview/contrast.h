#pragma once

#include "core/css/css_color.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

// What the page gives for an element's contrast: its text colour, the
// background colours from the element up to the first opaque one, whether a
// picture or gradient lies under the text before that, and its font.
struct ContrastSample {
    Rgb text;
    QList<Rgb> layers; // the element's own first
    bool image = false;
    double fontPx = 16;
    int weight = 400;
};

// Reads the page's report: {text, layers: [[background colour, has a
// picture], …] from the element up, size, weight}, the colours as the
// engine computes them. Nothing when it is none.
std::optional<ContrastSample> contrastSampleOf(const QVariant &report);

// The WCAG 2 contrast ratio, 1 to 21, of the text over what it stands on:
// the layers laid over the white canvas from the top down, and the text
// laid over that where it is translucent.
double contrastRatio(const ContrastSample &sample);

// "Контраст 4,48:1 — ниже AA", "Контраст 4,54:1 — AA", "Контраст 7,20:1 —
// AAA", or "Контраст неизвестен: фон — изображение". Large text (24 px, or
// 18.66 px bold) needs 3:1 and 4.5:1. The thresholds are compared before
// the ratio is rounded.
QString contrastText(const ContrastSample &sample);
// What the levels mean, for the label's tip.
QString contrastHint();
