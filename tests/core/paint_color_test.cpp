// The selection tint and the colour arithmetic under it, alone and on painted cells.
#include <gtest/gtest.h>
#include "core/grid_p.h"
#include "core/view/paint_color.h"
#include "paint_fixture.h"

using namespace qor;
using qor::test::paintGrid;
using qor::test::pixelColor;

TEST(PaintColor, LightenColorFollowsTheChannelRule)
{
    // Mean of 255 and 128 is 191.5; 60 % of the way to 225 gives 211.6, rounded 212.
    EXPECT_EQ(LightenColor(clWhite, clGray, false), TColor(0xD4D4D4));
    // Darkening: 211.6 - (122 - 211.6) * 0.25 = 234.0.
    EXPECT_EQ(LightenColor(clWhite, clGray, true), TColor(0xEAEAEA));
    // Channels are independent and clamped: black with black goes 60 % towards 225.
    EXPECT_EQ(LightenColor(clBlack, clBlack, false), TColor(0x878787));
    // Red: mean 127.5 gives 186; green and blue: mean 0 gives 135.
    EXPECT_EQ(LightenColor(clRed, clBlack, false), TColor(0x8787BA));
}

TEST(PaintColor, SelectionTintDependsOnFocusAndSelectionShape)
{
    TSelectionTint tint;
    tint.focusColor = clNavy;
    EXPECT_EQ(SelectionBrushColor(clYellow, false, tint), clYellow);
    EXPECT_EQ(SelectionBrushColor(clWhite, true, tint), TColor(0xD4D4D4));   // unfocused
    tint.focused = true;
    EXPECT_EQ(SelectionBrushColor(clWhite, true, tint), clNavy);              // only the current cell
    tint.hasSelectionRect = true;
    EXPECT_EQ(SelectionBrushColor(clWhite, true, tint), LightenColor(clWhite, clNavy, true));
    // System colours are resolved before mixing.
    EXPECT_EQ(LightenColor(clWindow, clGray, false), LightenColor(platform::ColorToRGB(clWindow), clGray, false));
}

TEST(PaintColor, SelectedWhiteCellsOfAnUnfocusedGridArePaintedD4D4D4)
{
    TQorGrid g;
    g.SetRows(4);
    g.SetCols(4);
    GridPrivate::get(g).selection = QRect(1, 1, 2, 2);   // columns 1-2, rows 1-2
    const QImage img = paintGrid(g);
    ASSERT_FALSE(g.hasFocus());
    const QRect selected = g.GetCellRect(1, 1);
    const QRect outside = g.GetCellRect(0, 0);
    EXPECT_EQ(pixelColor(img, selected.center().x(), selected.center().y()), TColor(0xD4D4D4));
    EXPECT_EQ(pixelColor(img, outside.center().x(), outside.center().y()), clWhite);
    EXPECT_EQ(g.BrushColor(clWhite, true), TColor(0xD4D4D4));
    EXPECT_EQ(g.BrushColor(clWhite, false), clWhite);
}
