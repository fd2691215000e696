// Cell rectangles in the three grid types, the frozen band, hidden lines, merged areas, the
// header panels and zoomed sizes.
#include <gtest/gtest.h>

#include "core/grid.h"
#include "geometry_sheet.h"

using namespace qor;
using Sheet = qor::test::GeoSheet;

namespace {

// Edges as the sheet speaks of them: left..right, top..bottom with exclusive far edges.
struct Span {
    int left, top, right, bottom;
    bool operator==(const Span &) const = default;
};

Span span(const QRect &r) { return {r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

std::ostream &operator<<(std::ostream &os, const Span &s)
{
    return os << "x " << s.left << ".." << s.right << ", y " << s.top << ".." << s.bottom;
}

} // namespace

TEST(GeometryRect, InvalidPositionsGiveNullRectangles)
{
    Sheet s(4, 4);
    const GridGeometry g = s.geo();
    for (auto [r, c] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 4}}) {
        EXPECT_TRUE(g.GetCellRect(r, c).isNull());
        EXPECT_TRUE(g.CellRect(r, c).isNull());
        EXPECT_TRUE(g.CellEditRect(r, c).isNull());
        EXPECT_TRUE(g.RegionRect(0, 0, r, c).isNull());
    }
    Sheet empty(0, 4);
    EXPECT_TRUE(empty.geo().SheetRect().isNull());
}

TEST(GeometryRect, MergedAreasThroughTheGrid)
{
    TQorGrid g;
    g.SetRows(10);
    g.SetCols(6);
    g.MergeCells(1, 1, 3, 2);
    EXPECT_EQ(span(g.CellRect(1, 1)), (Span{100, 58, 220, 112}));
    // A covered cell answers for itself, an editor on it covers the whole area.
    EXPECT_EQ(span(g.CellRect(2, 2)), (Span{160, 76, 220, 94}));
    EXPECT_EQ(span(g.CellEditRect(2, 2)), (Span{100, 58, 220, 112}));
    EXPECT_EQ(span(g.CellEditRect(5, 5)), span(g.CellRect(5, 5)));
    EXPECT_EQ(span(g.RegionRect(1, 1, 5, 4)), (Span{100, 58, 340, 148}));
    // Hidden rows at the area's far side still end it at the right place.
    g.SetRowVisible(3, false);
    EXPECT_EQ(span(g.CellRect(1, 1)), (Span{100, 58, 220, 94}));
    g.SetRowVisible(1, false);
    EXPECT_EQ(span(g.CellRect(1, 1)), (Span{100, 58, 220, 76}));
}

TEST(GeometryRect, ZoomRoundsHalvesToEven)
{
    EXPECT_EQ(ZoomTable::ZoomSize(18, 25), 4);    // 4.5
    EXPECT_EQ(ZoomTable::ZoomSize(18, 75), 14);   // 13.5
    EXPECT_EQ(ZoomTable::ZoomSize(1, 50), 0);     // 0.5
    EXPECT_EQ(ZoomTable::ZoomSize(3, 50), 2);     // 1.5
    EXPECT_EQ(ZoomTable::ZoomSize(60, 133), 80);  // 79.8
    EXPECT_EQ(ZoomTable::ZoomSize(0, 300), 0);

    TQorGrid g;
    g.SetRows(5);
    g.SetZoom(25);
    EXPECT_EQ(g.GetZoomRowHeight(0), 4);
    EXPECT_EQ(g.GetZoomRowBottom(4), 20);
    EXPECT_EQ(g.GetZoomColWidth(0), 15);
    EXPECT_EQ(g.GetZoomColRight(3), 60);
    // The tables follow later size changes.
    g.SetRowHeight(1, 30);
    g.SetRowVisible(2, false);
    EXPECT_EQ(g.GetZoomRowHeight(1), 8);   // 7.5
    EXPECT_EQ(g.GetZoomRowHeight(2), 0);
    EXPECT_EQ(g.GetZoomRowBottom(4), 4 + 8 + 0 + 4 + 4);
    EXPECT_EQ(g.GetZoomRowHeight(5), 0);
    g.SetZoom(100);
    EXPECT_EQ(g.GetZoomRowBottom(4), 18 + 30 + 18 + 18);
}
