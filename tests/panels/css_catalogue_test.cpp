// The catalogue of CSS properties: names completed and put right,
// keywords reached through the types a syntax names.
#include "core/css/css_catalogue.h"

#include <gtest/gtest.h>

namespace {

using namespace cssCatalogue;

TEST(CssCatalogue, NamesAreCompletedAndAMisspeltOneGetsTheNearest)
{
    const QList<QByteArray> back = namesStartingWith("Back");
    EXPECT_TRUE(back.contains("background-color"));
    EXPECT_TRUE(back.contains("backdrop-filter"));
    for (const QByteArray &name : back)
        EXPECT_TRUE(name.startsWith("back")) << name.constData();
    EXPECT_EQ(nearestNames("colr").value(0), "color");
    EXPECT_EQ(nearestNames("dispaly").value(0), "display");
    EXPECT_TRUE(nearestNames("zzzzzzzzzzzz").isEmpty()) << "nothing is near";
    EXPECT_EQ(property("colr"), nullptr);
}

TEST(CssCatalogue, KeywordsComeThroughTheTypesASyntaxNames)
{
    const struct {
        const char *property;
        QList<QByteArray> keywords;
    } cases[] = {
        {"display", {"flex", "grid", "inline", "none", "contents"}}, // through <display-inside> and the rest
        {"text-wrap", {"balance", "nowrap", "pretty"}},              // a shorthand, through its longhands
        {"color", {"red", "currentColor", "transparent"}},           // through <color> and <named-color>
        {"border-style", {"dashed", "solid", "none"}},
    };
    for (const auto &c : cases) {
        const QList<QByteArray> words = keywordsOf(c.property);
        for (const QByteArray &word : c.keywords)
            EXPECT_TRUE(words.contains(word)) << c.property << ": " << word.constData();
    }
    EXPECT_TRUE(keywordsOf("--brand").isEmpty());
}

TEST(CssCatalogue, InitialValuesAndInheritance)
{
    ASSERT_NE(property("DISPLAY"), nullptr);
    EXPECT_STREQ(property("display")->initial, "inline");
    EXPECT_FALSE(property("display")->inherited);
    EXPECT_TRUE(property("color")->inherited);
    EXPECT_STREQ(property("opacity")->initial, "1");
}

} // namespace
