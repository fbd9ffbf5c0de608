#include "core/stylelist/color_palette.h"

#include <gtest/gtest.h>

namespace {

using namespace palette;

TEST(ColorPalette, CellsRunThroughTheWebSafeColoursInOrder)
{
    struct Case {
        int row, column;
        Rgb color;
    };
    const Case cases[] = {
        {0, 0, {0x00, 0x00, 0x00}},  {0, 5, {0x00, 0x00, 0xFF}},  {0, 6, {0x33, 0x00, 0x00}},
        {0, 17, {0x66, 0x00, 0xFF}}, {1, 0, {0x99, 0x00, 0x00}},  {1, 17, {0xFF, 0x00, 0xFF}},
        {2, 0, {0x00, 0x33, 0x00}},  {11, 17, {0xFF, 0xFF, 0xFF}},
    };
    for (const Case &c : cases)
        EXPECT_EQ(cellColor(c.row, c.column), c.color) << c.row << "," << c.column;
}

TEST(ColorPalette, CellPixelsHaveGreyEdgesAroundTheColour)
{
    EXPECT_EQ(kSize, QSize(198, 180));
    // Cell (1, 1) starts at x 11, y 15: its colour is #990033.
    const Rgb inside{0x99, 0x00, 0x33};
    const Rgb grey{0x80, 0x80, 0x80}, lightGrey{0xC0, 0xC0, 0xC0};
    struct Case {
        int x, y;
        Rgb color;
    };
    const Case cases[] = {
        {11, 15, grey},      {15, 15, grey}, {11, 20, grey},   {21, 20, lightGrey},
        {15, 29, lightGrey}, {12, 16, inside}, {20, 28, inside},
    };
    for (const Case &c : cases)
        EXPECT_EQ(pixelColor(c.x, c.y), c.color) << c.x << "," << c.y;
}

TEST(ColorPalette, OnlyPointsWellInsideACellPreview)
{
    EXPECT_TRUE(previewsAt(2, 2));
    EXPECT_TRUE(previewsAt(9, 13));
    EXPECT_TRUE(previewsAt(11 * 17 + 5, 15 * 11 + 5));
    for (const QPoint &edge : {QPoint(1, 5), QPoint(10, 5), QPoint(5, 1), QPoint(5, 14), QPoint(198, 5),
                               QPoint(5, 181)})
        EXPECT_FALSE(previewsAt(edge.x(), edge.y())) << edge.x() << "," << edge.y();
}

TEST(ColorPalette, HexTextIsRedFirstInCapitals)
{
    EXPECT_EQ(hexText({0x12, 0x34, 0x56}), "#123456");
    EXPECT_EQ(hexText({0x00, 0x00, 0xFF}), "#0000FF");
    EXPECT_EQ(hexText({0xFF, 0x00, 0x00}), "#FF0000");
    EXPECT_EQ(hexText({0xab, 0x0c, 0x00}), "#AB0C00");
}

TEST(ColorPalette, PickerOpensUnderThePointerAndStaysOnTheScreen)
{
    const QRect screen(0, 0, 1280, 800);
    const QSize window(220, 250);
    const QPoint button(77, 198);
    EXPECT_EQ(pickerPosition({600, 500}, button, window, screen), QPoint(600 - 77 - 20, 500 - 198 - 30));
    // Near the right edge it ends at the edge; near the top or left it
    // is not pushed off the screen.
    EXPECT_EQ(pickerPosition({1270, 500}, button, window, screen).x(), 1280 - 220);
    EXPECT_EQ(pickerPosition({10, 10}, button, window, screen), QPoint(0, 0));
    EXPECT_EQ(pickerPosition({600, 799}, button, window, screen).y(), 800 - 250);
}

} // namespace
