// The variables the lowering may put in place of var(): declared once, on
// :root at the top level; read as the engine's tokens read them.
#include "core/preview/root_variables.h"

#include <gtest/gtest.h>

namespace {

TEST(RootVariables, OnlyAVariableDeclaredOnceOnTheRootIsStable)
{
    const struct {
        const char *sheet;
        QHash<QByteArray, QByteArray> stable;
    } cases[] = {
        {":root { --a: 1px; --b: \"}\" ; --c: url(x/*y) }", {{"--a", "1px"}, {"--b", "\"}\""}, {"--c", "url(x/*y)"}}},
        {":root { --a: 1 } .x { --a: 2 }", {}},
        {"@media print { :root { --a: 1 } }", {}},
        {":root { /* --a: 1; */ --b: {x; y}; --c: 2 }", {{"--b", "{x; y}"}, {"--c", "2"}}},
        {":root { --a: f(1; 2 }", {{"--a", "f(1; 2 }"}}},
        {":root { color: --x; --y: 3 }", {{"--y", "3"}}},
    };
    for (const auto &c : cases)
        EXPECT_EQ(stableRootVariables(c.sheet), c.stable) << c.sheet;
}

TEST(RootVariables, OnlyAVarFunctionIsReplaced)
{
    const QHash<QByteArray, QByteArray> variables = {{"--a", "red"}, {"--b", "var(--a)"}, {"--loop", "var(--loop)"}};
    const struct {
        const char *text;
        std::optional<QByteArray> replaced;
    } cases[] = {
        {"rgb(var(--b))", "rgb(red)"},
        {"VAR( --a , blue)", "red"},
        {"\"var(--a)\" var(--a)", "\"var(--a)\" red"},
        {"var(--loop)", std::nullopt},
        {"var(--missing)", std::nullopt},
        {"var(--a", std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(withStableVariables(c.text, variables), c.replaced) << c.text;
}

} // namespace
