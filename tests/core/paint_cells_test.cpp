// Pixel checks of cells on a form (gtInvoice): lines, frames, merges, diagonals, hidden rows,
// and that painting creates nothing.
#include <gtest/gtest.h>
#include "core/model/cell.h"
#include "core/grid_p.h"
#include "paint_fixture.h"

using namespace qor;
using namespace qor::test;

namespace {

struct Sheet : ::testing::Test {
    TQorGrid g;
    void SetUp() override
    {
        g.SetRows(6);
        g.SetCols(4);
    }
    // The pixel column (row) a boundary between cells is drawn on.
    static int edge(int boundary) { return boundary - 1; }
};

} // namespace

TEST_F(Sheet, FramesHaveWidthColourAndStyleAndCentreOnTheEdge)
{
    TCellInfo *c = g.Cells(1, 1);
    c->SetRightFrame(true);
    c->SetRightFrameWidth(3);
    c->SetRightFrameColor(clRed);
    c->SetBottomFrame(true);
    c->SetBottomFrameStyle(psDot);
    c->SetBottomFrameColor(clGreen);
    const QImage img = paintGrid(g);
    const QRect r = g.GetCellRect(1, 1);
    const int b = r.left() + r.width();   // 160
    const int y = r.center().y();
    EXPECT_EQ(pixelColor(img, b - 3, y), clWhite);
    for (int x = b - 2; x <= b; ++x)
        EXPECT_EQ(pixelColor(img, x, y), clRed) << x;
    EXPECT_EQ(pixelColor(img, b + 1, y), clWhite);
    // A dotted frame leaves gaps along its length.
    const int by = edge(r.top() + r.height());
    int green = 0, other = 0;
    for (int x = r.left() + 2; x < b - 4; ++x)
        (pixelColor(img, x, by) == clGreen ? green : other)++;
    EXPECT_GT(green, 5);
    EXPECT_GT(other, 5);
}

TEST_F(Sheet, DiagonalHeaderDrawsItsLineOnlyWithASideText)
{
    TCellInfo *c = g.Cells(0, 1);
    c->SetText("WWWW");
    c->SetAlignment(taCenter);
    c->SetBiasColor(clRed);
    c->SetBiasWidth(3);
    QImage img = paintGrid(g);
    const QRect r = g.GetCellRect(0, 1);
    EXPECT_FALSE(colorNear(img, r.center().x(), r.center().y(), clRed, 3));
    EXPECT_TRUE(hasInk(img, QRect(r.center().x() - 4, r.center().y() - 3, 8, 6)));

    c->SetLeftText("a");
    img = paintGrid(g);
    // Falling from the top-left corner to the bottom-right one; Text is no longer drawn.
    const int x = r.left() + r.width() / 2;
    const int y = r.top() + (r.height() - 1) * (x - r.left()) / (r.width() - 1);
    EXPECT_TRUE(colorNear(img, x, y, clRed));
    EXPECT_FALSE(colorNear(img, r.left() + 5, r.bottom() - 2, clRed, 1));

    c->SetBiasDirection(bdUp);
    img = paintGrid(g);
    EXPECT_TRUE(colorNear(img, x, r.bottom() - (y - r.top()), clRed));
}
