// The selection tint and the colour arithmetic under it, alone and on painted cells.
#include <gtest/gtest.h>
#include "core/grid_p.h"
#include "core/view/paint_color.h"
#include "paint_fixture.h"

using namespace qor;
using qor::test::paintGrid;
using qor::test::pixelColor;

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
