// The reading of today's layout shorthands, the track lists a grid takes,
// what the number fields keep, and the panel page a saved index opens.
#include "core/host/init_settings.h"
#include "core/panels/grid_tracks.h"
#include "core/panels/layout_controls.h"
#include "core/panels/layout_shorthands.h"
#include "core/panels/panel_controller.h"

#include <gtest/gtest.h>

#include <optional>

namespace {

TEST(LayoutShorthands, EachGivesItsLonghandsAsTheEngineExpandsThem)
{
    struct Case {
        const char *shorthand;
        const char *value;
        const char *longhand;
        std::optional<QByteArray> expected;
    };
    const Case cases[] = {
        {"FLEX", "1", "FLEX-BASIS", "0%"},          {"FLEX", "auto", "FLEX-GROW", "1"},
        {"FLEX", "none", "FLEX-SHRINK", "0"},       {"FLEX", "10px 2 3", "FLEX-SHRINK", "3"},
        {"FLEX", "2 3 0", "FLEX-BASIS", "0"},        {"FLEX", "1 10px 2", "FLEX-GROW", std::nullopt},
        {"FLEX", "var(--f)", "FLEX-GROW", std::nullopt}, {"-WEBKIT-FLEX", "3", "FLEX-GROW", "3"},
        {"FLEX-FLOW", "wrap column", "FLEX-DIRECTION", "column"}, {"FLEX-FLOW", "column", "FLEX-WRAP", "nowrap"},
        {"GAP", "4px 2em", "COLUMN-GAP", "2em"},     {"GRID-GAP", "3px", "COLUMN-GAP", "3px"},
        {"GAP", "4px", "ROW-GAP", "4px"},            {"-MOZ-COLUMN-GAP", "5px", "COLUMN-GAP", "5px"},
        {"PLACE-ITEMS", "self-start center", "JUSTIFY-ITEMS", "center"},
        {"PLACE-CONTENT", "first baseline", "JUSTIFY-CONTENT", "start"},
        {"PLACE-SELF", "safe end", "JUSTIFY-SELF", "safe end"},
        {"GRID-AREA", "1 / 2 / 3 / 4", "GRID-COLUMN", "2 / 4"}, {"GRID-AREA", "main", "GRID-ROW", "main"},
        {"GRID-AREA", "2 / span 3", "GRID-ROW", "2"}, {"GRID-TEMPLATE", "auto 1fr / 1fr 2fr", "GRID-TEMPLATE-COLUMNS", "1fr 2fr"},
        {"GRID", "auto-flow dense / 1fr", "GRID-AUTO-FLOW", "row dense"},
        {"GRID-TEMPLATE", "\"a b\" 1fr / 1fr", "GRID-TEMPLATE-ROWS", std::nullopt},
        {"FLEX", "1", "FLEX-DIRECTION", std::nullopt}, {"GRID", "none", "GRID-COLUMN", std::nullopt},
        // A span or a number alone places the row only.
        {"GRID-AREA", "span 2", "GRID-ROW", "span 2"}, {"GRID-AREA", "span 2", "GRID-COLUMN", "auto"},
        {"GRID-AREA", "-1", "GRID-COLUMN", "auto"},   {"GRID-AREA", "2 / -1", "GRID-COLUMN", "-1"},
        // A keyword every property takes stands for the whole shorthand.
        {"FLEX", "inherit", "FLEX-BASIS", "inherit"}, {"FLEX", "inherit", "FLEX-GROW", "inherit"},
        {"FLEX", "revert-layer", "FLEX-SHRINK", "revert-layer"}, {"FLEX", "Unset", "FLEX-GROW", "Unset"},
        {"PLACE-ITEMS", "initial", "ALIGN-ITEMS", "initial"}, {"GRID-AREA", "revert", "GRID-COLUMN", "revert"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(layoutLonghandOf(c.shorthand, c.value, c.longhand), c.expected) << c.shorthand << ": " << c.value;
    // Split for one longhand taken out, in the shorthand's case.
    EXPECT_EQ(layoutWithoutLonghand("flex", "1", "FLEX-GROW"), (QList<QByteArray>{"flex-shrink: 1;", "flex-basis: 0%;"}));
    EXPECT_EQ(layoutWithoutLonghand("GAP", "1px 2px", "ROW-GAP"), (QList<QByteArray>{"COLUMN-GAP: 2px;"}));
    EXPECT_EQ(layoutWithoutLonghand("grid", "1fr / 1fr", "GRID-TEMPLATE-ROWS"), std::nullopt);
}

TEST(GridTracks, AddingAndRemovingWorkInsideARepeatAndBesideAnAutomaticOne)
{
    const struct {
        const char *tracks;
        bool add;
        std::optional<QByteArray> expected;
        bool told;
    } cases[] = {
        {"none", true, "1fr", false},
        {"[a] 2fr", true, "[a] 2fr 1fr", false},
        {"1fr [mid] 2fr [end]", false, "1fr", false},
        {"1fr", false, "", false},
        // A fixed repeat gains or loses a round.
        {"repeat(3, 1fr)", true, "repeat(4, 1fr)", false},
        {"repeat(3, 1fr)", false, "repeat(2, 1fr)", false},
        {"200px repeat(2, [c] 1fr)", false, "200px repeat(1, [c] 1fr)", false},
        {"200px repeat(1, 1fr)", false, "200px", false},
        // Beside an automatic repeat only a fixed track may stand.
        {"repeat(auto-fill, minmax(200px, 1fr))", true, "repeat(auto-fill, minmax(200px, 1fr)) 200px", true},
        {"repeat(auto-fit, 10rem)", true, "repeat(auto-fit, 10rem) 10rem", true},
        {"repeat(auto-fill, minmax(200px, 1fr)) 200px", false, "repeat(auto-fill, minmax(200px, 1fr))", false},
        {"repeat(auto-fill, minmax(200px, 1fr))", false, std::nullopt, true},
    };
    for (const auto &c : cases) {
        const TrackEdit edit = c.add ? withTrackAdded(c.tracks) : withLastTrackRemoved(c.tracks);
        EXPECT_EQ(edit.tracks, c.expected) << c.tracks << (c.add ? " +" : " -");
        EXPECT_EQ(!edit.message.isEmpty(), c.told) << c.tracks;
        if (edit.tracks && !edit.tracks->isEmpty())
            EXPECT_TRUE(isGridTrackList(*edit.tracks)) << edit.tracks->constData();
    }
}

TEST(NumberFields, LeavingAFieldKeepsWhatItsPropertyTakes)
{
    struct Case {
        Length field;
        const char *typed;
        const char *kept;
    };
    const Case cases[] = {
        {Length::FlexGrow, "-1,5", "1.5"},     {Length::Order, "-3.7", "-3"},  {Length::FlexBasis, " Auto ", "auto"},
        {Length::FlexBasis, "auto1", "1"},     {Length::ZIndex, "99999999999", "2147483647"},
        {Length::ZIndex, "-99999999999", "-2147483648"}, {Length::MaxWidth, "none", "none"},
        {Length::MinWidth, "none", ""},        {Length::RowGap, "12px", "12"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(cleanFieldText(c.field, c.typed), c.kept) << lengthName(c.field) << " " << c.typed;
}

TEST(PanelPages, TheStoredPageOpensTheSamePageAfterPagesWereAdded)
{
    const QStringList now = {"ColorBox", "MarginPadding", "BackGroundBox", "DisplayVis", "PositionFloat", "LayoutBox",
                             "EffectsBox", "VarsPage"};
    InitSettings init;
    init.tabPanel = 5; // the variables page, before the layout page came
    EXPECT_EQ(tabPanelToOpen(init, now), 7);
    init.tabPanel = 4;
    EXPECT_EQ(tabPanelToOpen(init, now), 4);
    init.tabPanelPage = QStringLiteral("LayoutBox");
    EXPECT_EQ(tabPanelToOpen(init, now), 5);
    init.tabPanelPage = QStringLiteral("Gone");
    init.tabPanel = 9;
    EXPECT_EQ(tabPanelToOpen(init, now), -1);
}

} // namespace
