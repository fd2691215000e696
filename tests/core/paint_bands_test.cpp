// Header panels and the frozen band of the spreadsheet type, after scrolling.
#include <gtest/gtest.h>
#include "core/model/cell.h"
#include "core/grid_p.h"
#include "core/view/grid_painter_p.h"
#include "paint_fixture.h"

using namespace qor;
using namespace qor::test;

TEST(PaintBands, FrozenRowsAndColumnsStayWhileTheRestScrollsUnderThem)
{
    TQorGrid g;
    g.SetGridType(gtExcel);
    g.SetRows(200);
    g.SetCols(30);
    g.SetFixRowCount(1);
    g.SetFixColCount(1);
    for (int c = 0; c < 30; ++c)
        g.Cells(0, c)->SetBackColor(clYellow);
    for (int c = 0; c < 30; ++c)
        g.Cells(5, c)->SetBackColor(clGreen);   // scrolls under the frozen row
    g.Cells(20, 0)->SetBackColor(clBlue);       // frozen column, scrolling row
    g.Cells(20, 3)->SetBackColor(clRed);

    const QRect frozen = g.GetCellRect(0, 2);
    const QRect before = g.GetCellRect(20, 3);
    const QImage img = paintGrid(g, QSize(400, 300), QPoint(0, 100));
    ASSERT_EQ(g.GetVertPosition(), 100);
    EXPECT_EQ(g.GetCellRect(0, 2), frozen);
    const QRect after = g.GetCellRect(20, 3);
    EXPECT_EQ(after.top(), before.top() - 100);
    EXPECT_EQ(pixelColor(img, after.center().x(), after.center().y()), clRed);
    const QRect side = g.GetCellRect(20, 0);
    EXPECT_EQ(pixelColor(img, side.center().x(), side.center().y()), clBlue);
    // Row 5 now lies partly under the frozen row: it must not paint over it.
    const QRect hidden = g.GetCellRect(5, 2);
    ASSERT_LT(hidden.top(), frozen.bottom());
    for (int y = frozen.top(); y < frozen.bottom() - 1; ++y)
        EXPECT_EQ(pixelColor(img, frozen.center().x(), y), clYellow) << y;
    // Nor into the column header above.
    for (int y = 0; y < g.GetTitleHeight() - 1; y += 3)
        EXPECT_NE(pixelColor(img, 300, y), clGreen) << y;
}

TEST(PaintBands, HeaderPanelsShowTitleColourAndLabels)
{
    TQorGrid g;
    g.SetGridType(gtExcel);
    g.SetRows(5);
    g.SetCols(5);
    g.SetTitleColor(clYellow);
    g.SetTitleLineColor(clRed);
    const QImage img = paintGrid(g);
    const QRect col = g.GetColTitleRect(1);
    const QRect row = g.GetRowTitleRect(2);
    EXPECT_EQ(pixelColor(img, col.left() + 2, col.top() + 2), clYellow);
    EXPECT_EQ(pixelColor(img, col.left() + col.width() - 1, col.center().y()), clRed);
    EXPECT_TRUE(hasInk(img, col.adjusted(2, 2, -2, -2)));   // "B"
    EXPECT_TRUE(hasInk(img, row.adjusted(2, 2, -2, -2)));   // "3"
    EXPECT_EQ(pixelColor(img, 5, 5), clYellow);             // corner

    g.SetGridType(gtGrid);
    g.Columns(1)->Title().SetCaption(QString());
    const QImage grid = paintGrid(g);
    EXPECT_FALSE(hasInk(grid, g.GetColTitleRect(1).adjusted(2, 2, -2, -2)));
}

TEST(PaintBands, ShadowFocusRectangleAndPageLines)
{
    TQorGrid g;
    g.SetRows(3);
    g.SetCols(3);
    g.SetOptions(g.GetOptions().With(qgoShadow));
    g.SetShadowColor(clRed);
    g.Images();   // the painting state exists
    QImage img = paintGrid(g);
    const QRect sheet = g.GetSheetRect();
    EXPECT_EQ(pixelColor(img, sheet.right() + 2, sheet.center().y()), clRed);
    EXPECT_EQ(pixelColor(img, sheet.center().x(), sheet.bottom() + 2), clRed);
    EXPECT_NE(pixelColor(img, sheet.right() + 2, sheet.top() + 1), clRed);

    // The current cell's focus rectangle straddles its edges; page lines are blue, 2 wide.
    GridPrivate::get(g).currentIndex = 1 * 3 + 1;
    GridPaintState &state = GridPrivate::get(g).paint;
    state.rowBreaks = {2};
    state.showPageLines = true;
    img = paintGrid(g);
    const QRect cur = g.GetCellRect(1, 1);
    EXPECT_EQ(pixelColor(img, cur.left() - 1, cur.center().y()), clBlack);
    EXPECT_EQ(pixelColor(img, cur.left(), cur.center().y()), clBlack);
    EXPECT_EQ(pixelColor(img, cur.left() + 2, cur.center().y()), clWhite);
    const int pageTop = g.GetCellRect(2, 0).top();
    EXPECT_TRUE(colorNear(img, sheet.center().x(), pageTop, clBlue, 1));
}
