#include "core/view/grid_view_p.h"

#include "core/grid.h"
#include "core/grid_p.h"
#include "core/grid_seams_p.h"
#include "core/model/merge_table_p.h"
#include "core/view/scroll_p.h"

namespace qor {

namespace {

// Room around a cell for what is drawn on its edges: shared grid lines, wide frames and the
// focus rectangle.
constexpr int EdgeRoom = 3;

class GridView final : public IViewHost {
public:
    explicit GridView(TCustomQorGrid &grid) : m_grid(grid), m_d(GridPrivate::get(grid)) {}

    void InvalidateCell(int row, int col) override
    {
        if (!m_grid.isVisible() || !m_d.valid(row, col))
            return;
        const QRect r = m_d.geometry().CellEditRect(row, col);
        if (r.isNull())
            return;
        m_grid.viewport()->update(r.adjusted(-EdgeRoom, -EdgeRoom, EdgeRoom, EdgeRoom));
    }
    void InvalidateAll() override
    {
        if (m_grid.isVisible())
            m_grid.viewport()->update();
    }
    void InvalidateColumnHeader() override
    {
        if (!m_grid.isVisible())
            return;
        const QRect r = m_d.geometry().ColumnHeaderRect();
        if (!r.isEmpty())
            m_grid.viewport()->update(r);
    }
    void LayoutChanged() override
    {
        if (m_d.scroller)
            m_d.scroller->LayoutChanged();
    }
    void ScrollToOrigin() override
    {
        if (m_d.scroller)
            m_d.scroller->SetPosition(0, 0);
    }

private:
    TCustomQorGrid &m_grid;
    GridPrivate &m_d;
};

} // namespace

GridGeometry GridPrivate::geometry() const
{
    return GridGeometry(rowAxis, colAxis, layout, scroll,
                        [this](int row, int col) { return merges->AreaAt(row, col); });
}

void InstallGridView(TCustomQorGrid &grid, GridSeams &seams)
{
    GridPrivate &d = GridPrivate::get(grid);
    auto scroller = std::make_unique<GridScroller>(d);
    d.scroller = scroller.get();
    d.scrollerObject = std::move(scroller);
    seams.view = std::make_unique<GridView>(grid);
    d.scroller->UpdateScrollRange();
}

} // namespace qor
