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
