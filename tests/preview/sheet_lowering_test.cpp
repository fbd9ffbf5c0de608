#include "core/preview/sheet_lowering.h"

#include <gtest/gtest.h>

namespace {

// Whitespace aside: the lowering writes its own line breaks.
QByteArray squeezed(QByteArray text)
{
    return text.simplified().replace("{ ", "{").replace(" }", "}").replace("} ", "}").replace(" {", "{").replace("; ", ";");
}

TEST(SheetLowering, NestingIsWrittenFlatWithTheSelectorsTheBrowserWouldUse)
{
    const struct {
        const char *sheet, *lowered;
    } cases[] = {
        {".card { color: red; .title { margin: 0 } &.big { padding: 1px } }",
         ".card {color: red;}:is(.card) .title {margin: 0}:is(.card).big {padding: 1px}"},
        {"a, b { > p { x: 1 } & + & { y: 2 } .c & { z: 3 } }",
         ":is(a, b) > p {x: 1}:is(a, b) + :is(a, b) {y: 2}.c :is(a, b) {z: 3}"},
        {".a { :where(.x) & { w: 1 } }", ":where(.x) :is(.a) {w: 1}"},
        {".p { &.a\\&b, \\&c { x: 1 } }", ":is(.p).a\\&b, :is(.p) \\&c {x: 1}"},
        {".a { b: 1; .c { d: 2 } e: 3 }", ".a {b: 1;}:is(.a) .c {d: 2}.a {e: 3}"},
        {".a { @media (min-width: 1px) { b: 1; .c { d: 2 } } }",
         "@media (min-width: 1px) {.a {b: 1;}:is(.a) .c {d: 2}}"},
        {"@layer x { .a { .b { c: 1 } } }", "@layer x {:is(.a) .b {c: 1}}"},
        // Braces in strings and comments are no blocks.
        {".a { content: \"}{\"; /* } */ .b { c: 1 } }", ".a {content: \"}{\";}/* } */:is(.a) .b {c: 1}"},
        // Flat sheets and at-rules pass as written.
        {"@charset \"x\"; a { b: c } @font-face { src: local(x) }",
         "@charset \"x\"; a {b: c}@font-face {src: local(x)}"},
        // A block that never closes goes as written.
        {".a { b: 1; .c { d: 2 ", ".a { b: 1; .c { d: 2 "},
    };
    for (const auto &c : cases)
        EXPECT_EQ(squeezed(lowerForPreview(c.sheet, "file:///s/site.css").text), squeezed(c.lowered)) << c.sheet;
}

TEST(SheetLowering, TodaysColoursBecomeRgbaAndAddressesAbsolute)
{
    const QByteArray lowered =
        lowerForPreview("a { color: oklch(62.7955% 0.257683 29.2339); background: url(img/x.png) "
                        "color-mix(in srgb, red, blue); border-color: light-dark(#fff, #000); "
                        "outline-color: oklch(var(--l) 0.1 20); content: \"lab(1 2 3)\"; "
                        "b: url('data:image/png;base64,xx') }",
                        "file:///home/u/site/style.css")
            .text;
    EXPECT_TRUE(lowered.contains("color: rgba(255, 0, 0, 1)")) << lowered.constData();
    EXPECT_TRUE(lowered.contains("url(file:///home/u/site/img/x.png) rgba(128, 0, 128, 1)")) << lowered.constData();
    EXPECT_TRUE(lowered.contains("border-color: rgba(255, 255, 255, 1)"));
    EXPECT_TRUE(lowered.contains("oklch(var(--l) 0.1 20)")) << "a var() is left to the engine";
    EXPECT_TRUE(lowered.contains("\"lab(1 2 3)\"")) << "strings are no values";
    EXPECT_TRUE(lowered.contains("url('data:image/png;base64,xx')"));
    // Imports, as a string or in url(), resolve against the sheet's folder.
    const QByteArray imports =
        lowerForPreview("@import \"fonts.css\";\n@import url(more/b.css) print;\n@import 'http://x.org/c.css';\na { b: c }",
                        "file:///home/u/site/style.css")
            .text;
    EXPECT_TRUE(imports.contains("@import url(\"file:///home/u/site/fonts.css\");")) << imports.constData();
    EXPECT_TRUE(imports.contains("@import url(file:///home/u/site/more/b.css) print;")) << imports.constData();
    EXPECT_TRUE(imports.contains("@import 'http://x.org/c.css';")) << imports.constData();
}

// Only what the engine reads as an address is made absolute: a bad string
// or a bad url stays as written, and so does every brace after it.
TEST(SheetLowering, WhatTheEngineReadsAsNoAddressStaysAsWritten)
{
    const struct {
        const char *sheet, *lowered;
    } cases[] = {
        {"@{URL('\n)}", "@{URL('\n)}"},
        {"a { b: url(x y) }", "a { b: url(x y) }"},
        {"a { b: url(x'y) }", "a { b: url(x'y) }"},
        {"a { b: url(\"x\"y) }", "a { b: url(\"x\"y) }"},
        {"a { b: URL( 'x.png' ) u\\72l(y.png) }",
         "a { b: url('file:///s/x.png') url(file:///s/y.png) }"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(lowerForPreview(c.sheet, "file:///s/site.css").text.trimmed(), QByteArray(c.lowered)) << c.sheet;
}

// The engine keeps alpha as a byte: what is written must read back as the
// same byte, in the fewest decimals.
TEST(SheetLowering, AlphaIsWrittenAsTheEngineReadsItBack)
{
    const struct {
        const char *alpha, *written;
    } cases[] = {{"0.5", "0.5"}, {"50%", "0.5"}, {"0.333", "0.333"}, {"0.9", "0.9"}, {"0", "0"}, {"1", "1"}};
    for (const auto &c : cases) {
        const QByteArray lowered =
            lowerForPreview(QByteArray("a { color: oklch(60% 0.1 200 / ") + c.alpha + ") }", "").text;
        EXPECT_TRUE(lowered.contains(QByteArray(", ") + c.written + ")")) << c.alpha << " " << lowered.constData();
    }
}

TEST(SheetLowering, WhatCannotBeLoweredIsNamedAndDeepNestingEnds)
{
    const LoweredSheet lowered = lowerForPreview(
        "@container (min-width: 1px) { a:has(b) { c: 1 } } /* @container */ p:has(> q) {} @scope (.x) {}", "");
    EXPECT_EQ(unshownMessage(lowered), QStringLiteral("Просмотр не показывает: @container (1), :has() (2), @scope (1)"));

    QByteArray deep;
    for (int i = 0; i < 200; ++i)
        deep += ".a" + QByteArray::number(i) + " { ";
    deep += "x: 1;" + QByteArray(200, '}');
    const QByteArray text = lowerForPreview(deep, "").text;
    EXPECT_TRUE(text.contains("x: 1;"));
    EXPECT_EQ(text.count('{'), text.count('}'));
}

} // namespace

namespace {

// Braces a block scan counts: outside strings (a line break ends one) and comments.
int braces(const QByteArray &text)
{
    int depth = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.mid(i, 2) == "/*") {
            const qsizetype end = text.indexOf("*/", i + 2);
            i = end < 0 ? text.size() : end + 1;
        } else if (text[i] == '"' || text[i] == '\'') {
            const char quote = text[i];
            while (++i < text.size() && text[i] != quote && text[i] != '\n') {
                if (text[i] == '\\')
                    ++i;
            }
        } else {
            depth += text[i] == '{' ? 1 : text[i] == '}' ? -1 : 0;
        }
    }
    return depth;
}

TEST(SheetLowering, StringsThatLookLikeCommentsOrRunToTheLineEndKeepTheBlocksWhole)
{
    // Found by the fuzzer: a "/*" inside a string taken for a comment, and a
    // selector whose string a line break ends losing that line break.
    for (const QByteArray sheet : {QByteArray("@media x { a { \"] /*x {\n. ]=\"}\" { b: c } } }"),
                                   QByteArray("@l { x}\"+] y\n{ c: d \n} wa"),
                                   QByteArray::fromHex("7b040047557b4300807d03a52f2f2a2f2a2f2f2f2f45536f2f2a2f7474a5742a2f2f2f2f"
                                                       "45536f2fff082f3bba437e2f2f2f2a2a2f2a2f2f2f2f45536f2f7d2a7bff2a2fc1262f2f"
                                                       "2f2a2a2f2a2f2f7d")}) {
        ASSERT_EQ(braces(sheet), 0);
        EXPECT_EQ(braces(lowerForPreview(sheet, "").text), 0) << lowerForPreview(sheet, "").text.toPercentEncoding(" {}/*&:;").constData();
    }
    // Found by the fuzzer: "/*" in an unquoted url( ) of a selector taken for
    // a comment in front of it, half of which then opened a real one.
    const QByteArray lowered = lowerForPreview("URL(/*) { a: b }\n.c { color: lab(50 0 0) }", "file:///s/x.css").text;
    EXPECT_TRUE(lowered.startsWith("URL(/*) {")) << lowered.constData();
    EXPECT_EQ(lowerForPreview("URL(/*){}", "file:///s/x.css").text.indexOf("/*"), -1);
    // An address with a brace in it stays as written, as the scan counts it.
    EXPECT_EQ(braces(lowerForPreview("@x{{URL(})}", "file:///s/x.css").text), 0);
    EXPECT_TRUE(lowered.contains(".c {")) << lowered.constData();
}

} // namespace

namespace {

TEST(SheetLowering, APlainSheetReachesThePageByteForByte)
{
    for (const QByteArray sheet :
         {QByteArray("@charset \"x\";\n/* c */ a , b{ color : red ; background: url( \"data:x\" ) }\n@media print {p{x:1}}\n"
                     "@font-face { src: url(#f) }"),
          QByteArray("a { content: \"oklch(\" } /* .a { .b { } } */ @keyframes k { from { x: 1 } }")})
        EXPECT_EQ(lowerForPreview(sheet, "file:///s/site.css").text, sheet);
    // Each of these needs the lowering.
    for (const QByteArray sheet : {QByteArray("a { b { c: 1 } }"), QByteArray("a { color: LAB(1 2 3) }"),
                                   QByteArray("a { background: url(img.png) }")})
        EXPECT_NE(lowerForPreview(sheet, "file:///s/site.css").text, sheet) << sheet.constData();
}

} // namespace

namespace {

// An engine that reads nesting and some colours by itself gets them as
// written; what it lacks is still lowered, and addresses are always made
// absolute. What it shows is not said to be unshown.
TEST(SheetLowering, OnlyWhatTheEngineLacksIsLowered)
{
    EngineFeatures today;
    today.nesting = today.has = today.container = today.individualTransforms = true;
    today.colours = {"oklch(", "color-mix("};
    const struct {
        const char *sheet, *lowered;
    } cases[] = {
        {".card { color: oklch(0.6 0.2 30); .title { margin: 0 } }", ".card { color: oklch(0.6 0.2 30); .title { margin: 0 } }"},
        {"a { color: color-mix(in srgb, red, blue) }", "a { color: color-mix(in srgb, red, blue) }"},
        {"a { color: light-dark(#000, #fff) }", "a { color: rgba(0, 0, 0, 1) }"},
        {".a { background: url(i.png); .b { background: url(j.png) } }",
         ".a { background: url(file:///s/i.png); .b { background: url(file:///s/j.png) } }"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(squeezed(lowerForPreview(c.sheet, "file:///s/site.css", today).text), squeezed(c.lowered)) << c.sheet;
    const QByteArray modern = "@container (min-width: 1px) { a:has(b) { rotate: 5deg } } @scope (.x) { a { b: c } }";
    EXPECT_EQ(unshownMessage(lowerForPreview(modern, "", today)), QStringLiteral("Просмотр не показывает: @scope (1)"));
    EXPECT_EQ(unshownMessage(lowerForPreview(modern, "", EngineFeatures())),
              QStringLiteral("Просмотр не показывает: @container (1), :has() (1), @scope (1), rotate (1)"));
}

} // namespace
