#include "core/css/css_color.h"
#include "core/panels/css_variables.h"

#include <QHash>

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

namespace {

// Expected bytes come from CSS Color 4: its worked examples
// (lch(54.29% 106.84 40.85) is sRGB red), the reference OKLab values of
// sRGB's primaries, and the arithmetic it gives for hsl(), hwb(),
// color-mix() and alpha.
TEST(CssColor, EverySyntaxReadsToItsSrgbBytes)
{
    const struct {
        const char *value;
        Rgb expected;
    } cases[] = {
        {"REBECCAPURPLE", {0x66, 0x33, 0x99}},
        {"LIGHTGOLDENRODYELLOW", {0xFA, 0xFA, 0xD2}},
        {"TRANSPARENT", {0, 0, 0, 0}},
        {"#F0A8", {0xFF, 0x00, 0xAA, 0x88}},
        {"#11223380", {0x11, 0x22, 0x33, 0x80}},
        {"RGB(0 128 255)", {0, 128, 255}},
        {"RGB(0 0 0 / 50%)", {0, 0, 0, 128}},
        {"RGBA(255, 0, 0, .25)", {255, 0, 0, 64}},
        {"RGB(100%, 50%, 0%)", {255, 128, 0}},
        {"HSL(120 100% 25%)", {0, 128, 0}},
        {"HSLA(240DEG, 100%, 50%, 0.5)", {0, 0, 255, 128}},
        {"HSL(0.5TURN 100% 50%)", {0, 255, 255}},
        {"HWB(0 0% 0%)", {255, 0, 0}},
        {"HWB(120 0% 50%)", {0, 128, 0}},
        {"HWB(0 60% 60%)", {128, 128, 128}},
        {"LAB(100% 0 0)", {255, 255, 255}},
        {"LCH(54.29% 106.84 40.85)", {255, 0, 0}},
        {"OKLAB(0.627955 0.224863 0.125846)", {255, 0, 0}},
        {"OKLAB(0.452014 -0.032457 -0.311528)", {0, 0, 255}},
        {"OKLCH(62.7955% 0.257683 29.2339)", {255, 0, 0}},
        {"OKLCH(1 0 0)", {255, 255, 255}},
        {"COLOR(SRGB 1 0.5 0)", {255, 128, 0}},
        {"COLOR(SRGB-LINEAR 1 0 0 / 0.5)", {255, 0, 0, 128}},
        {"COLOR(XYZ-D65 0.95047 1 1.08883)", {255, 255, 255}},
        {"COLOR-MIX(IN SRGB, RED, BLUE)", {128, 0, 128}},
        {"COLOR-MIX(IN SRGB, RED 25%, BLUE)", {64, 0, 191}},
        {"COLOR-MIX(IN SRGB, 25% RED, BLUE 25%)", {128, 0, 128, 128}},
        {"COLOR-MIX(IN OKLAB, WHITE, WHITE)", {255, 255, 255}},
        {"LIGHT-DARK(#123456, BLACK)", {0x12, 0x34, 0x56}},
        {"CURRENTCOLOR", {1, 2, 3}},
    };
    for (const auto &c : cases) {
        const std::optional<Rgb> got = CssToColor(c.value, Rgb{1, 2, 3});
        ASSERT_TRUE(got.has_value()) << c.value;
        for (const auto &[part, want] : {std::pair{got->r, c.expected.r}, {got->g, c.expected.g},
                                         {got->b, c.expected.b}, {got->a, c.expected.a}})
            EXPECT_LE(std::abs(int(part) - int(want)), 1) << c.value;
    }
}

// Each hue method against the arc CSS Color 4 defines for it. One pair of
// hues has only two arcs between them, so the pair is taken both ways.
TEST(CssColor, EachHueMethodTakesItsOwnArc)
{
    const struct {
        const char *method;
        int from, to, hue;
    } cases[] = {
        {"", 10, 50, 30},           {"", 50, 10, 30},           {"shorter hue", 10, 50, 30},
        {"shorter hue", 350, 30, 10}, {"longer hue", 10, 50, 210}, {"longer hue", 50, 10, 210},
        {"increasing hue", 10, 50, 30}, {"increasing hue", 50, 10, 210}, {"decreasing hue", 10, 50, 210},
        {"decreasing hue", 50, 10, 30},
    };
    for (const auto &c : cases) {
        const QByteArray mix = QByteArray("color-mix(in hsl ") + c.method + ", hsl(" + QByteArray::number(c.from)
                               + " 80% 50%), hsl(" + QByteArray::number(c.to) + " 80% 50%))";
        const std::optional<Rgb> got = CssToColor(mix.toUpper());
        const std::optional<Rgb> want = CssToColor("HSL(" + QByteArray::number(c.hue) + " 80% 50%)");
        ASSERT_TRUE(got && want) << mix.constData();
        EXPECT_EQ(std::tie(got->r, got->g, got->b), std::tie(want->r, want->g, want->b)) << mix.constData();
    }
}

// A grey has no hue: mixed with a colour in a polar space it takes that
// colour's hue, as browsers tint (values from colorjs.io, by the CSS Color editors).
TEST(CssColor, AGreysHueIsMissingWhenMixed)
{
    const struct {
        const char *value;
        Rgb expected;
    } cases[] = {
        {"COLOR-MIX(IN HSL, BLUE, WHITE)", {0x9F, 0x9F, 0xDF}},
        {"COLOR-MIX(IN HSL, WHITE, BLUE)", {0x9F, 0x9F, 0xDF}},
        {"COLOR-MIX(IN HWB, RED, BLACK)", {0x80, 0, 0}},
        {"COLOR-MIX(IN OKLCH, RED, WHITE)", {0xFF, 0xA1, 0x91}},
        {"COLOR-MIX(IN LCH, #808080, GREEN)", {0x56, 0x81, 0x4B}},
        {"COLOR-MIX(IN OKLCH, WHITE, BLACK)", {0x63, 0x63, 0x63}},
    };
    for (const auto &c : cases) {
        const std::optional<Rgb> got = CssToColor(c.value);
        ASSERT_TRUE(got.has_value()) << c.value;
        for (const auto &[part, want] : {std::pair{got->r, c.expected.r}, {got->g, c.expected.g}, {got->b, c.expected.b}})
            EXPECT_LE(std::abs(int(part) - int(want)), 2) << c.value << " " << int(got->r) << "," << int(got->g) << ","
                                                          << int(got->b);
    }
}

TEST(CssColor, BrokenSyntaxReadsAsNothing)
{
    const QByteArray huge = "RGB(" + QByteArray(10000, '1') + ")";
    const QByteArray deep = QByteArray(1000, '(').prepend("COLOR-MIX") + QByteArray(1000, ')');
    for (const QByteArray &broken : {QByteArray("RGB(1 2)"), QByteArray("OKLCH("), QByteArray("HSL(RED 1 2)"),
                                     QByteArray("RGB(1 2 3 4 5)"), QByteArray("COLOR-MIX(IN NOWHERE, RED, BLUE)"),
                                     QByteArray("COLOR-MIX(IN SRGB, RED 0%, BLUE 0%)"), QByteArray("#12"),
                                     QByteArray("LIGHT-DARK(RED)"), QByteArray("RGB(1 2 3) )"), huge, deep})
        EXPECT_FALSE(CssToColor(broken).has_value()) << broken.left(40).constData();
}

TEST(CssVariables, ResolveThroughChainsAndFallbacksAndGiveUpOnLoops)
{
    QHash<QByteArray, QByteArray> defined = {{"--brand", "var(--base)"}, {"--base", "#336699"},
                                             {"--a", "var(--b)"},        {"--b", "var(--a)"},
                                             {"--Case", "red"},           {"--empty", ""}};
    for (int i = 0; i < 1000; ++i)
        defined.insert("--c" + QByteArray::number(i), "var(--c" + QByteArray::number(i + 1) + ")");
    const VariableLookup lookup = [&defined](const QByteArray &name) -> std::optional<QByteArray> {
        if (!defined.contains(name))
            return std::nullopt;
        return defined.value(name);
    };
    EXPECT_EQ(substituteVariables("var(--brand)", lookup), "#336699");
    EXPECT_EQ(substituteVariables("1px solid VAR( --brand )", lookup), "1px solid #336699");
    EXPECT_EQ(substituteVariables("var(--none, var(--base))", lookup), "#336699");
    EXPECT_EQ(substituteVariables("var(--a, green)", lookup), "green");
    // Set but empty, as unset: the fallback stands in.
    EXPECT_EQ(substituteVariables("var(--empty, red)", lookup), "red");
    EXPECT_EQ(substituteVariables("var(--unset, red)", lookup), "red");
    EXPECT_EQ(substituteVariables("var(--case)", lookup), std::nullopt); // names keep their case
    for (const char *unknown : {"var(--a)", "var(--c0)", "var(--none)", "var(--x", "var(x)"})
        EXPECT_EQ(substituteVariables(unknown, lookup), std::nullopt) << unknown;
}

} // namespace
