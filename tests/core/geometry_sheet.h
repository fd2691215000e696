#pragma once
// A sheet without a widget for geometry tests: axes, layout and scroll state as the grid keeps
// them, rows 18 and columns 60 pixels, a 400 x 300 client.
#include "core/view/geometry_p.h"
#include "core/grid_p.h"

namespace qor::test {

struct GeoSheet {
    Axis rows, cols;
    GridLayout layout;
    ScrollState scroll;
    GridGeometry::AreaFn area;

    GeoSheet(int r, int c, TGridType type = gtInvoice)
    {
        rows.Reset(r, 18, utPixel);
        cols.Reset(c, 60, utPixel);
        if (type != gtInvoice) {
            layout.gridType = type;
            for (int i = 0; i < 4; ++i)
                layout.margins[i] = 0;
            layout.spaces[0] = layout.titleWidth;
            layout.spaces[1] = layout.titleHeight;
            layout.spaces[2] = layout.spaces[3] = 0;
        }
        scroll.clientWidth = 400;
        scroll.clientHeight = 300;
    }
    GridGeometry geo() const { return GridGeometry(rows, cols, layout, scroll, area); }
};

} // namespace qor::test
