// Header panels and the frozen band of the spreadsheet type, after scrolling.
#include <gtest/gtest.h>
#include "core/model/cell.h"
#include "core/grid_p.h"
#include "core/view/grid_painter_p.h"
#include "paint_fixture.h"

using namespace qor;
using namespace qor::test;

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
    state.pageRects = {QRect(QPoint(0, 0), QPoint(g.GetInnerWidth() - 1, g.GetCellPrintRect(2, 0).top()))};
    state.showPageLines = true;
    img = paintGrid(g);
    const QRect cur = g.GetCellRect(1, 1);
    EXPECT_EQ(pixelColor(img, cur.left() - 1, cur.center().y()), clBlack);
    EXPECT_EQ(pixelColor(img, cur.left(), cur.center().y()), clBlack);
    EXPECT_EQ(pixelColor(img, cur.left() + 2, cur.center().y()), clWhite);
    const int pageTop = g.GetCellRect(2, 0).top();
    EXPECT_TRUE(colorNear(img, sheet.center().x(), pageTop, clBlue, 1));
}
