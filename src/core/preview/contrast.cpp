#include "core/preview/contrast.h"

#include "core/sheet/byte_lines.h"

#include <algorithm>
#include <cmath>

namespace {

// A colour with its channels unrounded, 0 to 255, and premultiplied by
// its alpha, 0 to 1: layers are blended without losing what decides a
// threshold.
struct Exact {
    double r = 0, g = 0, b = 0, a = 0;
};

Exact exact(Rgb c)
{
    const double a = c.a / 255.0;
    return {c.r * a, c.g * a, c.b * a, a};
}

// One colour laid over another.
Exact over(Exact top, Exact below)
{
    const double rest = 1 - top.a;
    return {top.r + below.r * rest, top.g + below.g * rest, top.b + below.b * rest, top.a + below.a * rest};
}

Exact faded(Exact c, double opacity)
{
    return {c.r * opacity, c.g * opacity, c.b * opacity, c.a * opacity};
}

double channel(double value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Exact opaque)
{
    return 0.2126 * channel(opaque.r) + 0.7152 * channel(opaque.g) + 0.0722 * channel(opaque.b);
}

double ratioOf(Exact a, Exact b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// What a pixel under the text shows, with or without the text: each
// element's group (its background under what it holds) faded by its
// opacity, then laid on its parent's background, up to the white canvas.
Exact pixel(const ContrastSample &sample, bool withText)
{
    Exact inside = withText ? exact(sample.text) : Exact();
    if (sample.layers.isEmpty())
        return over(inside, Exact{255, 255, 255, 1});
    for (const ContrastLayer &layer : sample.layers)
        inside = faded(over(inside, exact(layer.background)), layer.opacity);
    return over(inside, Exact{255, 255, 255, 1});
}

std::optional<Rgb> colourOf(const QVariant &value)
{
    return CssToColor(latinUpper(value.toString().toUtf8()));
}

// 18 pt and 14 pt in CSS pixels; the engine gives 14 pt as 18.6667 px.
constexpr double kLargePx = 18.0 * 96 / 72;
constexpr double kLargeBoldPx = 14.0 * 96 / 72;
constexpr double kPxSlack = 0.001;

} // namespace

std::optional<ContrastSample> contrastSampleOf(const QVariant &report)
{
    const QVariantMap map = report.toMap();
    const std::optional<Rgb> text = colourOf(map.value(QStringLiteral("text")));
    if (!text)
        return std::nullopt;
    ContrastSample sample;
    sample.text = *text;
    // Up from the element until what lies under the text is settled: an
    // opaque background with nothing faded above it. A picture or a
    // gradient on the way leaves the ground unknown.
    const QVariantList entries = map.value(QStringLiteral("layers")).toList();
    bool opaque = false;
    for (qsizetype k = 0; k < entries.size(); ++k) {
        const QVariantList layer = entries[k].toList();
        const double opacity = std::clamp(layer.value(2, 1.0).toDouble(), 0.0, 1.0);
        if (layer.value(1).toBool() && !opaque) {
            sample.image = true;
            break;
        }
        const std::optional<Rgb> colour = colourOf(layer.value(0));
        ContrastLayer own{colour.value_or(Rgb{0, 0, 0, 0}), opacity};
        if (own.background.a == 255)
            opaque = true;
        if (opacity < 1)
            opaque = false;
        if (own.background.a > 0 || opacity < 1)
            sample.layers.append(own);
        if (opaque) {
            // Settled, unless an element further up fades it.
            const bool fadedAbove = std::any_of(entries.begin() + k + 1, entries.end(), [](const QVariant &e) {
                return e.toList().value(2, 1.0).toDouble() < 1;
            });
            if (!fadedAbove)
                break;
        }
    }
    sample.fontPx = map.value(QStringLiteral("size"), 16.0).toDouble();
    sample.weight = map.value(QStringLiteral("weight"), 400).toInt();
    return sample;
}

double contrastRatio(const ContrastSample &sample)
{
    return ratioOf(pixel(sample, true), pixel(sample, false));
}

QString contrastText(const ContrastSample &sample)
{
    if (sample.image)
        return QStringLiteral("Контраст неизвестен: фон — изображение");
    // Cut, not rounded: 4.4957 is "4,49 — ниже AA", never "4,50".
    const double ratio = std::floor(contrastRatio(sample) * 100 + 1e-9) / 100;
    const bool large = sample.fontPx >= kLargePx - kPxSlack
                       || (sample.fontPx >= kLargeBoldPx - kPxSlack && sample.weight >= 700);
    const double aa = large ? 3.0 : 4.5;
    const double aaa = large ? 4.5 : 7.0;
    const QString level = ratio >= aaa ? QStringLiteral("AAA") : ratio >= aa ? QStringLiteral("AA")
                                                                            : QStringLiteral("ниже AA");
    QString number = QString::number(ratio, 'f', 2);
    number.replace(QLatin1Char('.'), QLatin1Char(','));
    return QStringLiteral("Контраст %1:1 — %2").arg(number, level);
}

QString contrastHint()
{
    return QStringLiteral("Контраст цвета текста выбранного на странице элемента с его фоном (WCAG 2).\n"
                          "AA: не меньше 4,5:1, для крупного текста (от 18 pt, полужирного от 14 pt) — 3:1.\n"
                          "AAA: не меньше 7:1, для крупного текста — 4,5:1.\n"
                          "Полупрозрачные фоны и текст, а также прозрачность (opacity) элемента и его предков\n"
                          "смешиваются с тем, что под ними.");
}
