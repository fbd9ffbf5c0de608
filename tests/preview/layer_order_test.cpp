// The order of cascade layers, as CSS Cascade sorts them.
#include "core/preview/layer_order.h"

#include "../support/sheet_fixture.h"

#include "core/sheet/sheet_store.h"

#include <gtest/gtest.h>

namespace {

// The rank of each rule of a sheet, by its selector.
struct Ranked {
    SheetStore store;
    LayerOrder order;
    explicit Ranked(const QByteArray &text)
    {
        openText(store, text);
        order.addSheet(store.sheetText(), {}, QStringLiteral("t"));
    }
    QList<int> of(const QByteArray &selector) const
    {
        for (int row = 0; row < store.list().count(); ++row) {
            if (store.list().item(row) == selector)
                return order.rank(layerPathOf(store, row, QStringLiteral("t")));
        }
        ADD_FAILURE() << "no rule " << selector.constData();
        return {};
    }
};

TEST(LayerOrder, LayersSortAsTheCascadeSortsThem)
{
    const struct {
        const char *what, *sheet, *later, *earlier;
    } cases[] = {
        {"a nested layer is a layer", "@layer a { @layer b { .n { } } } .u { }", ".u", ".n"},
        {"a later layer over an earlier one", "@layer a { .x { } } @layer b { .y { } }", ".y", ".x"},
        {"a sublayer sorts with its layer", "@layer a, b; @layer a.x { .p { } } @layer b { .q { } }", ".q", ".p"},
        {"a layer's own rules over its sublayers", "@layer base { .x { } } @layer base.reset { .y { } }", ".x", ".y"},
        {"an anonymous layer is a layer", "@layer { .a { } } .b { }", ".b", ".a"},
        {"two anonymous layers in order", "@layer { .a { } } @layer { .b { } }", ".b", ".a"},
        {"a commented statement names nothing", "/* @layer theme, base; */ @layer base { .b { } } @layer theme { .t { } }",
         ".t", ".b"},
        {"the statement's order, not the blocks'", "@layer theme, base; @layer base { .b { } } @layer theme { .t { } }",
         ".b", ".t"},
        {"an import's layer is named where it stands", "@import url(x.css) layer(late); @layer early { .e { } }", ".e",
         ".e"},
        {"an unlayered rule over every layer", ".u { } @layer z { .z { } }", ".u", ".z"},
    };
    for (const auto &c : cases) {
        const Ranked ranked(c.sheet);
        if (QByteArray(c.later) == c.earlier)
            continue;
        EXPECT_GT(ranked.of(c.later), ranked.of(c.earlier)) << c.what;
    }
    // The import names its layer first: a rule of the layer it names later
    // sorts after it.
    LayerOrder order;
    order.addSheet("@import url(x.css) layer(late); @layer early { .e { } }", {}, QStringLiteral("t"));
    EXPECT_LT(order.rank({QStringLiteral("late")}), order.rank({QStringLiteral("early")}));
    const QList<SheetImport> imports = sheetImports("@import url(\"a.css\") layer(x.y) screen; @import 'b.css' layer;",
                                                    QStringLiteral("t"));
    ASSERT_EQ(imports.size(), 2);
    EXPECT_EQ(imports[0].address, QStringLiteral("a.css"));
    EXPECT_EQ(imports[0].layer, (QStringList{"x", "y"}));
    EXPECT_EQ(imports[0].media, QStringLiteral("screen"));
    EXPECT_TRUE(imports[1].layered);
    EXPECT_EQ(imports[1].address, QStringLiteral("b.css"));
}

} // namespace
