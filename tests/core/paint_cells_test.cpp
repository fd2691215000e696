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

TEST_F(Sheet, GridLinesSurroundTheSheetAndBackgroundFillsTheRest)
{
    const QImage img = paintGrid(g);
    const QRect r = g.GetCellRect(0, 0);
    ASSERT_EQ(r, QRect(40, 40, 60, 18));
    EXPECT_EQ(pixelColor(img, edge(100), 50), clSilver);           // between columns 0 and 1
    EXPECT_EQ(pixelColor(img, 70, edge(58)), clSilver);            // between rows 0 and 1
    EXPECT_EQ(pixelColor(img, edge(40), 50), clSilver);            // the sheet's left border
    EXPECT_EQ(pixelColor(img, 70, 50), clWhite);
    EXPECT_EQ(pixelColor(img, 5, 5), platform::ColorToRGB(clAppWorkSpace));
    const QRect sheet = g.GetSheetRect();
    EXPECT_EQ(pixelColor(img, sheet.right() + 2, sheet.center().y()), platform::ColorToRGB(clAppWorkSpace));
}

TEST_F(Sheet, RightLineOffLeavesNoLineBetweenNeighboursAndLineColorApplies)
{
    g.Cells(1, 1)->SetRightLine(false);
    g.SetLineColor(clBlue);
    const QImage img = paintGrid(g);
    const QRect r = g.GetCellRect(1, 1);
    EXPECT_EQ(pixelColor(img, edge(r.left() + r.width()), r.center().y()), clWhite);
    EXPECT_EQ(pixelColor(img, edge(r.left()), r.center().y()), clBlue);
    EXPECT_EQ(pixelColor(img, r.center().x(), edge(r.top() + r.height())), clBlue);
}

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

TEST_F(Sheet, AMergedAreaIsPaintedOnceWithoutInnerLinesAndTextCentredInIt)
{
    g.MergeCells(1, 0, 2, 1);
    TCellInfo *owner = g.Cells(1, 0);
    owner->SetText("M");
    owner->SetAlignment(taCenter);
    owner->SetBackColor(clYellow);
    int owners = 0, covered = 0;
    g.OnDrawCell = [&](QObject *, int row, int col, QPainter *, const QRect &, bool &) {
        owners += row == 1 && col == 0;
        covered += (row == 2 || col == 1) && row >= 1 && row <= 2 && col <= 1;
    };
    const QImage img = paintGrid(g);
    EXPECT_EQ(owners, 1);
    EXPECT_EQ(covered, 0);
    const QRect area = g.CellRect(1, 0);
    ASSERT_EQ(area, QRect(40, 58, 120, 36));
    // No grid line where column 0 meets column 1 or row 1 meets row 2 inside the area.
    EXPECT_EQ(pixelColor(img, edge(100), 62), clYellow);
    EXPECT_EQ(pixelColor(img, 50, edge(76)), clYellow);
    EXPECT_EQ(pixelColor(img, edge(160), 62), clSilver);
    // The text sits at the centre of the whole area, not of the owner's own cell.
    EXPECT_TRUE(hasInk(img, QRect(area.center().x() - 6, area.center().y() - 6, 12, 12)));
    EXPECT_FALSE(hasInk(img, QRect(44, 60, 50, 14)));
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

TEST_F(Sheet, HiddenRowsTakeNoPlaceAndTheRowsBelowMoveUp)
{
    g.Cells(1, 0)->SetBackColor(clRed);
    g.Cells(2, 0)->SetBackColor(clBlue);
    g.SetRowVisible(1, false);
    const QImage img = paintGrid(g);
    // Row 2 now starts where row 1 did.
    EXPECT_EQ(pixelColor(img, 70, 58 + 9), clBlue);
    for (int y = 40; y < 100; ++y)
        EXPECT_NE(pixelColor(img, 70, y), clRed) << y;
}

TEST_F(Sheet, NothingIsPaintedWhileLockedNorCreatedAndEmptyPositionsFollowTheirColumn)
{
    g.BeginUpdate();
    EXPECT_EQ(paintGrid(g).pixel(70, 50), QColor(Qt::magenta).rgb());
    g.EndUpdate();
    g.Columns(2)->SetBackColor(clYellow);
    g.SetCellText(0, 0, "x");
    const int before = GridPrivate::get(g).cells.CellCount();
    const QImage img = paintGrid(g);
    EXPECT_EQ(GridPrivate::get(g).cells.CellCount(), before);
    EXPECT_FALSE(g.PeekCell(3, 2));
    const QRect r = g.GetCellRect(3, 2);
    EXPECT_EQ(pixelColor(img, r.center().x(), r.center().y()), clYellow);
}

TEST_F(Sheet, HostEventsOverrideColourContentAndAlignment)
{
    g.SetCellText(0, 0, "text");
    g.OnDrawCellColor = [](QObject *, int row, int col, TColor &c) {
        if (row == 3 && col == 3)
            c = clGreen;
    };
    g.OnDrawCell = [](QObject *, int row, int col, QPainter *p, const QRect &r, bool &handled) {
        if (row == 0 && col == 0) {
            p->fillRect(r, Qt::blue);
            handled = true;
        }
    };
    const QImage img = paintGrid(g);
    const QRect own = g.GetCellRect(0, 0);
    // The host's fill, with no text or background of the grid's over it.
    for (int x = own.left() + 1; x < own.right() - 1; ++x)
        EXPECT_EQ(pixelColor(img, x, own.center().y()), clBlue) << x;
    const QRect empty = g.GetCellRect(3, 3);
    EXPECT_EQ(pixelColor(img, empty.center().x(), empty.center().y()), clGreen);

    // OnGetAlignment places the text.
    g.SetCellText(1, 1, "x");
    const QRect r = g.GetCellRect(1, 1);
    const QRect leftPart(r.left() + 2, r.top() + 2, 12, r.height() - 4);
    const QRect rightPart(r.right() - 14, r.top() + 2, 12, r.height() - 4);
    EXPECT_TRUE(hasInk(paintGrid(g), leftPart));
    g.OnGetAlignment = [](QObject *, int, int, TAlignment &h, TVerAlignment &) { h = taRightJustify; };
    const QImage moved = paintGrid(g);
    EXPECT_FALSE(hasInk(moved, leftPart));
    EXPECT_TRUE(hasInk(moved, rightPart));
}
