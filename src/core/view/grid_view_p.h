#pragma once
// The grid's view: repaints exactly what changed and keeps scrolling in step with the layout.
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;
struct GridPrivate;

class QOR_AUTOTEST_EXPORT GridView {
public:
    // Made with the grid's private object; reaches the grid's widgets only once it is shown.
    GridView(TCustomQorGrid &grid, GridPrivate &d) : m_grid(grid), m_d(d) {}

    // Creates the grid's scroller; the grid's construction calls it once its size is set.
    void Start();

    // Repaints a cell (its merged area and the focus rectangle included).
    void InvalidateCell(int row, int col);
    void InvalidateAll();
    void InvalidateColumnHeader();
    // Sizes, extent or grid type changed: header panels, visible region, scroll range, page
    // lines and embedded controls follow.
    void LayoutChanged();
    void ScrollToOrigin();
    // Embedded documents, user controls and charts follow their cells; Clear drops the grid's
    // own charts and documents.
    void ReplaceEmbedded();
    void RemoveEmbedded();

private:
    TCustomQorGrid &m_grid;
    GridPrivate &m_d;
};

} // namespace qor
