#pragma once

#include "core/css/css_color.h"

#include <QList>
#include <QString>
#include <QVariant>

#include <optional>

// What the page gives for an element's contrast: its text colour, the
// background colour and opacity of the element and of each element up to
// the one that settles what lies under the text, whether a picture or
// gradient lies under it before that, and its font.
struct ContrastLayer {
    Rgb background;
    double opacity = 1; // the element's `opacity`, which fades all it holds
};
struct ContrastSample {
    Rgb text;
    QList<ContrastLayer> layers; // the element's own first
    bool image = false;
    double fontPx = 16;
    int weight = 400;
};

// Reads the page's report: {text, layers: [[background colour, has a
// picture, opacity], …] from the element up to the root, size, weight},
// the colours as the engine computes them. Nothing when it is none.
std::optional<ContrastSample> contrastSampleOf(const QVariant &report);

// The WCAG 2 contrast ratio, 1 to 21, of the text over what it stands on:
// each element's background and what it holds, faded by its opacity, laid
// over its parent's, down to the white canvas; the same without the text
// is the ground.
double contrastRatio(const ContrastSample &sample);

// "Контраст 4,47:1 — ниже AA", "Контраст 4,54:1 — AA", "Контраст 7,20:1 —
// AAA", or "Контраст неизвестен: фон — изображение". Large text (18 pt, or
// 14 pt bold) needs 3:1 and 4.5:1. The ratio is cut to two decimals, not
// rounded, so that the number shown and the level agree.
QString contrastText(const ContrastSample &sample);
// What the levels mean, for the label's tip.
QString contrastHint();
