// Hit testing: points beside the sheet, frozen bands, hidden lines, merged areas, the view
// region, and sheets of a million rows.
#include <gtest/gtest.h>

#include "core/grid.h"
#include "geometry_sheet.h"

using namespace qor;
using Sheet = qor::test::GeoSheet;

namespace {

CellPos at(const GridGeometry &g, int x, int y) { return g.CellFromPoint(QPoint(x, y)); }

} // namespace

TEST(GeometryHit, PointsBesideTheSheetLandOnItsEdgeCells)
{
    for (TGridType type : {gtExcel, gtInvoice, gtGrid}) {
        Sheet s(5, 4, type);
        const GridGeometry g = s.geo();
        const QRect sheet = g.SheetRect();
        EXPECT_EQ(at(g, 0, 0), (CellPos{0, 0})) << type;
        EXPECT_EQ(at(g, sheet.left() - 5, sheet.top() + 20), (CellPos{1, 0})) << type;
        EXPECT_EQ(at(g, sheet.left() + 61, sheet.bottom() + 50), (CellPos{4, 1})) << type;
        EXPECT_EQ(at(g, 5000, 5000), (CellPos{4, 3})) << type;
        // Exact edges: a cell's far edge belongs to its neighbour.
        EXPECT_EQ(at(g, sheet.left() + 60, sheet.top() + 18), (CellPos{1, 1})) << type;
        EXPECT_EQ(at(g, sheet.left() + 59, sheet.top() + 17), (CellPos{0, 0})) << type;
        // Hints only count on the sheet itself.
        EXPECT_FALSE(g.HintCellFromPoint(QPoint(sheet.left() - 1, sheet.top())).valid()) << type;
        EXPECT_EQ(g.HintCellFromPoint(QPoint(sheet.left(), sheet.top())), (CellPos{0, 0})) << type;
    }
    Sheet empty(0, 0, gtExcel);
    EXPECT_FALSE(at(empty.geo(), 50, 50).valid());
    EXPECT_FALSE(empty.geo().HintCellFromPoint(QPoint(50, 50)).valid());
}

TEST(GeometryHit, HiddenLinesAreNeverHit)
{
    Sheet s(6, 4, gtExcel);
    s.rows.SetVisible(2, false);
    s.rows.SetVisible(5, false);
    s.cols.SetVisible(0, false);
    const GridGeometry g = s.geo();
    EXPECT_EQ(at(g, 40, 20 + 36), (CellPos{3, 1}));   // where row 2 would start
    EXPECT_EQ(at(g, 0, 0), (CellPos{0, 1}));          // column 0 has no width
    EXPECT_EQ(at(g, 40, 5000), (CellPos{4, 1}));      // the last row with a height
}

TEST(GeometryHit, FrozenBandIsSearchedFirst)
{
    Sheet s(100, 20, gtExcel);
    s.layout.fixRowCount = 2;
    s.layout.fixColCount = 1;
    s.scroll.posY = 100;
    s.scroll.posX = 30;
    const GridGeometry g = s.geo();
    EXPECT_EQ(at(g, 45, 21), (CellPos{0, 0}));
    EXPECT_EQ(at(g, 99, 55), (CellPos{1, 0}));
    // Just below and right of the band: the scrolled rows and columns there.
    // y 56 is content 56 - 20 + 100 = 136 -> row 7; x 100 is content 100 - 40 + 30 = 90 -> column 1.
    EXPECT_EQ(at(g, 100, 56), (CellPos{7, 1}));
    EXPECT_EQ(at(g, 130, 56), (CellPos{7, 2}));
    const ViewRegion v = g.CalViewRegion();
    EXPECT_EQ(v.fixRows, 2);
    EXPECT_EQ(v.fixCols, 1);
    EXPECT_EQ(v.topRow, 7);
    EXPECT_EQ(v.leftCol, 1);   // x 100: column 1 spans content 60..120, position 30 shows 90..
    // Client bottom 300 is content 380: row 21 spans 378..396.
    EXPECT_EQ(v.bottomRow, 21);
    EXPECT_EQ(v.rightCol, 6);
}

TEST(GeometryHit, MergedAreasAnswerWithTheirOwner)
{
    TQorGrid g;
    g.SetGridType(gtExcel);
    g.SetRows(10);
    g.SetCols(6);
    g.MergeCells(2, 1, 4, 3);
    const QRect inner = g.CellRect(2, 1);
    int row = -9, col = -9;
    EXPECT_EQ(g.CellFromPoint(inner.bottomRight(), row, col), g.Cells(2, 1));
    EXPECT_EQ((CellPos{row, col}), (CellPos{2, 1}));
    EXPECT_EQ(g.RealCellFromPoint(inner.bottomRight(), row, col), g.Cells(4, 3));
    EXPECT_EQ((CellPos{row, col}), (CellPos{4, 3}));
    g.MouseCoord(inner.center().x(), inner.center().y(), row, col);
    EXPECT_EQ((CellPos{row, col}), (CellPos{2, 1}));
    EXPECT_TRUE(g.PeekCell(inner.center()));
    // No cell object is made by looking.
    const QPoint free = g.CellRect(7, 5).center();
    EXPECT_EQ(g.CellFromPoint(free, row, col), nullptr);
    EXPECT_EQ((CellPos{row, col}), (CellPos{7, 5}));
    EXPECT_FALSE(g.PeekCell(free));
    EXPECT_FALSE(g.PeekCell(7, 5));
}

TEST(GeometryHit, MillionRowSheetAnswersAtEveryDepth)
{
    Sheet s(1000000, 10, gtExcel);
    s.rows.SetVisible(500001, false);
    s.scroll.posY = 500000 * 18;
    const GridGeometry g = s.geo();
    const ViewRegion v = g.CalViewRegion();
    EXPECT_EQ(v.topRow, 500000);
    // 280 pixels below the top: rows 500002.. span 18 each from 18 on, 500016 holds 280.
    EXPECT_EQ(v.bottomRow, 500016);
    EXPECT_EQ(at(g, 41, 20), (CellPos{500000, 0}));
    EXPECT_EQ(at(g, 41, 20 + 18), (CellPos{500002, 0}));
    s.scroll.posY = 999999 * 18 - 280;
    EXPECT_EQ(s.geo().CalViewRegion().bottomRow, 999999);
    EXPECT_EQ(at(s.geo(), 41, 299), (CellPos{999999, 0}));
}
