// Shadows, transforms and transitions edited a part at a time: the part
// changed is written where the rule gives it, the rest stays as written.
#include "core/panels/effect_parts.h"
#include "core/panels/shadow_layers.h"
#include "core/panels/transform_parts.h"
#include "core/panels/transition_layers.h"

#include <gtest/gtest.h>

namespace {

TEST(ShadowLayers, APartChangedReplacesItsOwnWord)
{
    const struct {
        const char *layer;
        ShadowPart part;
        const char *word;
        const char *expected;
    } cases[] = {
        {"0 .5rem 1rem rgba(0,0,0,.15)", ShadowPart::Y, "2px", "0 2px 1rem rgba(0,0,0,.15)"},
        {"inset 0 1px red", ShadowPart::Blur, "4px", "inset 0 1px 4px red"},
        {"0 1px red", ShadowPart::Spread, "2px", "0 1px 0 2px red"},
        {"0 1px 3px 2px red", ShadowPart::Blur, "", "0 1px 0 2px red"},
        {"red 0 1px", ShadowPart::Color, "#000", "#000 0 1px"},
        {"0 1px", ShadowPart::Color, "blue", "0 1px blue"},
        {"0 1px 2px red", ShadowPart::Color, "", "0 1px 2px"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withShadowPart(c.layer, c.part, c.word), c.expected) << c.layer;
    EXPECT_EQ(withShadowInset("0 1px red", true), "inset 0 1px red");
    EXPECT_EQ(withShadowInset("0 1px inset red", false), "0 1px red");
    for (const char *locked : {"none", "var(--shadow)", "0 var(--y) red", "0 1px red blue", "1px"})
        EXPECT_FALSE(shadowLayerOf(locked)) << locked;
}

TEST(ShadowLayers, APickedColourKeepsTheLayersOpacity)
{
    PanelState panels;
    panels.compound(Compound::BoxShadow) = "0 1px rgba(0,0,0,.5), 0 0 2px blue";
    showEffectParts(panels);
    EXPECT_EQ(panels.length(Length::ShadowOpacity).text, "50");
    panels.swatch(Swatch::Shadow).color = Rgb{255, 0, 0};
    foldShadowColor(panels);
    EXPECT_EQ(panels.compound(Compound::BoxShadow), "0 1px rgba(255, 0, 0, 0.5), 0 0 2px blue");
    panels.length(Length::ShadowOpacity).text = "100";
    foldShadowColor(panels);
    EXPECT_EQ(panels.compound(Compound::BoxShadow), "0 1px red, 0 0 2px blue");
}

TEST(TransformParts, TheFormTheRuleUsesIsKept)
{
    const struct {
        const char *functions;
        TransformPart part;
        const char *word;
        const char *expected;
    } cases[] = {
        {"", TransformPart::Rotate, "2deg", "rotate(2deg)"},
        {"none", TransformPart::Scale, "1.5", "scale(1.5)"},
        {"translateY(-1px)", TransformPart::Rotate, "2deg", "translateY(-1px) rotate(2deg)"},
        {"translate(-50%, -50%)", TransformPart::X, "10px", "translate(10px, -50%)"},
        {"translateX(4px)", TransformPart::Y, "2px", "translate(4px, 2px)"},
        {"translateY(4px)", TransformPart::Y, "", "none"},
        {"translate3d(0, 0, 0)", TransformPart::X, "5px", "translate3d(5px, 0, 0)"},
        {"rotate(45deg) skewX(5deg)", TransformPart::Rotate, "", "skewX(5deg)"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withTransformPart(c.functions, c.part, c.word), c.expected) << c.functions;
    EXPECT_EQ(withSeparatePart("10px", TransformPart::Y, "5px"), "10px 5px");
    EXPECT_EQ(transformPartsOf("rotate(0.5turn)").degrees, "180");
    EXPECT_FALSE(transformPartsOf("translate(var(--x))").readable);
}

TEST(TransformParts, WhatTheFieldsCannotShowLocksThem)
{
    const struct {
        const char *functions;
        bool readable;
        const char *scale;
    } cases[] = {
        {"scale(2, 3)", false, ""},
        {"scale(2, 2)", true, "2"},
        {"scale(1.5)", true, "1.5"},
        {"matrix(1, 0, 0, 1, 0, 0)", false, ""},
        {"skew(10deg)", false, ""},
        {"skewX(5deg) rotate(45deg)", false, ""},
        {"rotate3d(1, 1, 0, 45deg)", false, ""},
        {"scale3d(1, 2, 1)", false, ""},
        {"scaleX(2)", false, ""},
        {"perspective(100px) translateZ(10px)", false, ""},
        {"rotateX(10deg)", false, ""},
        {"rotate(10deg) rotate(20deg)", false, ""},
        {"translate(1px, 2px) rotate(3deg) scale(2)", true, "2"},
    };
    for (const auto &c : cases) {
        const TransformParts parts = transformPartsOf(c.functions);
        EXPECT_EQ(parts.readable, c.readable) << c.functions;
        if (c.readable)
            EXPECT_EQ(parts.scale, c.scale) << c.functions;
    }
    EXPECT_FALSE(separatePartsOf("", "", "2 3").readable);
    EXPECT_FALSE(separatePartsOf("", "", "1 1 2").readable);
    EXPECT_EQ(separatePartsOf("", "", "2 2").scale, "2");
}

TEST(TransformParts, EveryAngleUnitBecomesDegrees)
{
    const struct {
        const char *angle;
        double degrees;
    } cases[] = {{"3.14159265rad", 180}, {"100grad", 90}, {"0.25turn", 90}, {"-.5turn", -180}, {"45deg", 45}, {"0", 0}};
    for (const auto &c : cases) {
        ASSERT_TRUE(degreesOf(c.angle)) << c.angle;
        EXPECT_NEAR(*degreesOf(c.angle), c.degrees, 1e-5) << c.angle;
    }
    EXPECT_FALSE(degreesOf("45"));
    EXPECT_EQ(transformPartsOf("rotate(1.5707963rad)").degrees, "90");
    EXPECT_EQ(separatePartsOf("", "3.1415927rad", "").degrees, "180");
    EXPECT_EQ(separatePartsOf("", "200grad", "").degrees, "180");
}

TEST(TransitionLayers, APartGoesWhereTheRuleGivesIt)
{
    TransitionValues shorthand{"color .15s ease-in-out, background-color .15s ease-in-out", {}};
    setTransitionPart(shorthand, 1, TransitionPart::Duration, "300ms");
    EXPECT_EQ(shorthand.shorthand, "color .15s ease-in-out, background-color 300ms ease-in-out");

    TransitionValues longhands{"", {"opacity, transform", "0.2s", "", ""}};
    setTransitionPart(longhands, 1, TransitionPart::Duration, "1s");
    EXPECT_EQ(longhands.longhands[1], "0.2s, 1s");
    EXPECT_TRUE(longhands.shorthand.isEmpty());

    TransitionValues none;
    setTransitionPart(none, 0, TransitionPart::Duration, "150ms");
    EXPECT_EQ(none.shorthand, "all 150ms");

    TransitionValues three{"opacity 1s, color 2s, transform 3s", {}};
    removeTransitionLayer(three, 1);
    EXPECT_EQ(three.shorthand, "opacity 1s, transform 3s");
    addTransitionLayer(three);
    EXPECT_EQ(transitionLayersOf(three)->size(), 3);

    EXPECT_FALSE(transitionLayersOf({"var(--t)", {}}));
    EXPECT_EQ(timeText(150, ".3s"), "0.15s");
    EXPECT_EQ(timeText(150, "300ms"), "150ms");
    EXPECT_EQ(cubicBezierText(*easingPoints("ease")), "cubic-bezier(0.25, 0.1, 0.25, 1)");
}

TEST(TransitionLayers, TheLayersAreTheOnesTheEngineReads)
{
    const auto durations = [](const TransitionValues &v) {
        QList<QByteArray> out;
        for (const TransitionLayer &l : transitionLayersOf(v).value_or(QList<TransitionLayer>()))
            out.append(l.duration);
        return out;
    };
    // A short longhand list repeats whole, not its last item.
    EXPECT_EQ(durations({"", {"opacity, color, transform", "1s, 2s", "", ""}}), (QList<QByteArray>{"1s", "2s", "1s"}));
    // transition-property decides how many layers there are: one by default.
    EXPECT_EQ(durations({"", {"", "1s, 2s", "", ""}}), (QList<QByteArray>{"1s"}));
    // A longhand before the shorthand is set anew by it; after it, it wins.
    TransitionValues before{"opacity 1s", {"", "2s", "", ""}};
    before.beforeShorthand = {false, true, false, false};
    EXPECT_EQ(durations(before), (QList<QByteArray>{"1s"}));
    EXPECT_EQ(durations({"opacity 1s", {"", "2s", "", ""}}), (QList<QByteArray>{"2s"}));
    // Written there, the longhand gives every layer what it shows.
    TransitionValues twoBefore{"a 1s, b 1s", {"", "2s, 4s", "", ""}};
    twoBefore.beforeShorthand = {false, true, false, false};
    setTransitionPart(twoBefore, 0, TransitionPart::Duration, "3s");
    EXPECT_EQ(twoBefore.longhands[1], "3s, 1s");
    // The behaviour is no property.
    const std::optional<QList<TransitionLayer>> discrete = transitionLayersOf({"allow-discrete 1s", {}});
    ASSERT_TRUE(discrete);
    EXPECT_EQ((*discrete)[0].property, "all");
    EXPECT_EQ((*discrete)[0].duration, "1s");
    EXPECT_EQ((*discrete)[0].behavior, "allow-discrete");
}

TEST(TransitionLayers, APartSetOnALayerRepeatsTheShortListWhole)
{
    TransitionValues v{"", {"a, b, c, d", "1s, 2s, 3s", "", ""}};
    setTransitionPart(v, 0, TransitionPart::Duration, "5s");
    EXPECT_EQ(v.longhands[1], "5s, 2s, 3s, 1s");
}

TEST(TransitionLayers, ADraggedHandleLeavesTheOtherPointsAsWritten)
{
    EXPECT_EQ(cubicBezierText({0.1234, 0.5, 0.3, 1.0}, "cubic-bezier(0.1234, 0.5, 0.25, 1)"),
              "cubic-bezier(0.1234, 0.5, 0.3, 1)");
    EXPECT_EQ(cubicBezierText({0.3, 0.4, 0.58, 1.0}, "ease-in-out"), "cubic-bezier(0.3, 0.4, 0.58, 1)");
}

TEST(ContentField, TextIsQuotedAndCssStaysAsTyped)
{
    EXPECT_EQ(contentAsCss("→ "), "\"→ \"");
    EXPECT_EQ(contentAsCss("say \"hi\""), "\"say \\\"hi\\\"\"");
    for (const char *css : {"none", "normal", "\"x\"", "attr(title)", "counter(item) \". \"", "open-quote"})
        EXPECT_EQ(contentAsCss(css), css);
}

} // namespace
