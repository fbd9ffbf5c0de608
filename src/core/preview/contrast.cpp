#include "core/preview/contrast.h"

#include "core/sheet/byte_lines.h"

#include <cmath>

namespace {

// A colour with its channels unrounded, 0 to 255: layers are blended
// without losing what decides a threshold.
struct Exact {
    double r, g, b;
};

double channel(double value)
{
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(Exact color)
{
    return 0.2126 * channel(color.r) + 0.7152 * channel(color.g) + 0.0722 * channel(color.b);
}

// One colour laid over an opaque one.
Exact over(Rgb top, Exact below)
{
    const double a = top.a / 255.0;
    return {top.r * a + below.r * (1 - a), top.g * a + below.g * (1 - a), top.b * a + below.b * (1 - a)};
}

Exact groundOf(const ContrastSample &sample)
{
    Exact ground{255, 255, 255};
    for (qsizetype k = sample.layers.size() - 1; k >= 0; --k)
        ground = over(sample.layers[k], ground);
    return ground;
}

double ratioOf(Exact a, Exact b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::optional<Rgb> colourOf(const QVariant &value)
{
    return CssToColor(latinUpper(value.toString().toUtf8()));
}

} // namespace

std::optional<ContrastSample> contrastSampleOf(const QVariant &report)
{
    const QVariantMap map = report.toMap();
    const std::optional<Rgb> text = colourOf(map.value(QStringLiteral("text")));
    if (!text)
        return std::nullopt;
    ContrastSample sample;
    sample.text = *text;
    // Up from the element to the first opaque background; a picture or a
    // gradient on the way leaves the ground unknown.
    for (const QVariant &entry : map.value(QStringLiteral("layers")).toList()) {
        const QVariantList layer = entry.toList();
        if (layer.value(1).toBool()) {
            sample.image = true;
            break;
        }
        const std::optional<Rgb> colour = colourOf(layer.value(0));
        if (!colour || colour->a == 0)
            continue;
        sample.layers.append(*colour);
        if (colour->a == 255)
            break;
    }
    sample.fontPx = map.value(QStringLiteral("size"), 16.0).toDouble();
    sample.weight = map.value(QStringLiteral("weight"), 400).toInt();
    return sample;
}

double contrastRatio(const ContrastSample &sample)
{
    const Exact ground = groundOf(sample);
    return ratioOf(over(sample.text, ground), ground);
}

QString contrastText(const ContrastSample &sample)
{
    if (sample.image)
        return QStringLiteral("Контраст неизвестен: фон — изображение");
    const double ratio = contrastRatio(sample);
    const bool large = sample.fontPx >= 24 || (sample.fontPx >= 18.66 && sample.weight >= 700);
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
                          "AA: не меньше 4,5:1, для крупного текста (от 24 px, полужирного от 18,66 px) — 3:1.\n"
                          "AAA: не меньше 7:1, для крупного текста — 4,5:1.\n"
                          "Полупрозрачные фоны и текст смешиваются с тем, что под ними.");
}
