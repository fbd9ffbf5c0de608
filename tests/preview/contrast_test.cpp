// The contrast label's ratio and level, from colours as the engine
// computes them.
#include "core/preview/contrast.h"

#include <QVariantMap>

#include <gtest/gtest.h>

namespace {

struct Layer {
    const char *colour;
    bool image;
    double opacity = 1;
};

QVariant report(const char *text, std::initializer_list<Layer> layers, double size = 16, int weight = 400)
{
    QVariantList list;
    for (const Layer &layer : layers)
        list.append(QVariant(QVariantList{QString::fromLatin1(layer.colour), layer.image, layer.opacity}));
    return QVariantMap{{"text", QString::fromLatin1(text)}, {"layers", list}, {"size", size}, {"weight", weight}};
}

TEST(Contrast, TheRatioIsCutSoThatTheNumberAndTheLevelAgree)
{
    const struct {
        QVariant report;
        const char *expected;
    } cases[] = {
        {report("rgb(119, 119, 119)", {{"rgba(0, 0, 0, 0)", false}, {"rgb(255, 255, 255)", false}}),
         "Контраст 4,47:1 — ниже AA"},
        {report("rgb(118, 118, 118)", {{"rgb(255, 255, 255)", false}}), "Контраст 4,54:1 — AA"},
        // 4.5008: AA, though it shows as 4,50.
        {report("rgb(255, 255, 255)", {{"rgb(13, 110, 253)", false}}), "Контраст 4,50:1 — AA"},
        {report("rgb(0, 0, 0)", {{"rgb(255, 255, 255)", false}}), "Контраст 21,00:1 — AAA"},
        // Black at half (128 of 255, as the screen has it) over white is
        // a grey of 127; white at half over black one of 128.
        {report("rgb(0, 0, 0)", {{"rgba(0, 0, 0, 0.5)", false}, {"rgb(255, 255, 255)", false}}),
         "Контраст 5,24:1 — AA"},
        {report("rgba(255, 255, 255, 0.5)", {{"rgb(0, 0, 0)", false}}), "Контраст 5,31:1 — AA"},
        // Nothing opaque up to the root: the white canvas.
        {report("rgb(119, 119, 119)", {{"rgba(0, 0, 0, 0)", false}}), "Контраст 4,47:1 — ниже AA"},
        // Large text needs 3:1 for AA and 4.5:1 for AAA.
        {report("rgb(119, 119, 119)", {{"rgb(255, 255, 255)", false}}, 24), "Контраст 4,47:1 — AA"},
        {report("rgb(118, 118, 118)", {{"rgb(255, 255, 255)", false}}, 18.6667, 700), "Контраст 4,54:1 — AAA"},
        {report("rgb(118, 118, 118)", {{"rgb(255, 255, 255)", false}}, 18.67, 400), "Контраст 4,54:1 — AA"},
        // Bold text is large from 14 pt, 18.67 px: 18.66 px is not.
        {report("rgb(118, 118, 118)", {{"rgb(255, 255, 255)", false}}, 18.66, 700), "Контраст 4,54:1 — AA"},
        // 4.4957 is below 4.5: cut, not rounded up to "4,50".
        {report("rgb(45, 136, 45)", {{"rgb(255, 255, 255)", false}}), "Контраст 4,49:1 — ниже AA"},
        // A picture or gradient before the first opaque colour.
        {report("rgb(0, 0, 0)", {{"rgba(0, 0, 0, 0)", true}, {"rgb(255, 255, 255)", false}}),
         "Контраст неизвестен: фон — изображение"},
        {report("rgb(0, 0, 0)", {{"rgb(255, 255, 255)", false}, {"rgba(0, 0, 0, 0)", true}}),
         "Контраст 21,00:1 — AAA"},
    };
    for (const auto &c : cases) {
        const std::optional<ContrastSample> sample = contrastSampleOf(c.report);
        ASSERT_TRUE(sample);
        EXPECT_EQ(contrastText(*sample).toStdString(), std::string(c.expected));
    }
    EXPECT_FALSE(contrastSampleOf(QVariant()));
}

TEST(Contrast, AnElementsOpacityFadesItsTextAndBackgroundOverWhatLiesBehind)
{
    const struct {
        QVariant report;
        const char *expected;
    } cases[] = {
        // Black text at opacity 0.5 on white: a grey of 127.5 on white.
        {report("rgb(0, 0, 0)", {{"rgb(255, 255, 255)", false, 0.5}, {"rgb(255, 255, 255)", false}}),
         "Контраст 3,97:1 — ниже AA"},
        // The same fade from a parent without a background of its own.
        {report("rgb(0, 0, 0)", {{"rgba(0, 0, 0, 0)", false}, {"rgba(0, 0, 0, 0)", false, 0.5}}),
         "Контраст 3,97:1 — ниже AA"},
        // A faded black box on white: its white text stands on grey.
        {report("rgb(255, 255, 255)", {{"rgb(0, 0, 0)", false, 0.5}, {"rgb(255, 255, 255)", false}}),
         "Контраст 3,97:1 — ниже AA"},
        // Faded above a picture: the picture shows through.
        {report("rgb(0, 0, 0)", {{"rgb(255, 255, 255)", false, 0.5}, {"rgba(0, 0, 0, 0)", true}}),
         "Контраст неизвестен: фон — изображение"},
    };
    for (const auto &c : cases) {
        const std::optional<ContrastSample> sample = contrastSampleOf(c.report);
        ASSERT_TRUE(sample);
        EXPECT_EQ(contrastText(*sample).toStdString(), std::string(c.expected));
    }
}

} // namespace
