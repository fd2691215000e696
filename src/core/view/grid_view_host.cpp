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

} // namespace

GridGeometry GridPrivate::geometry() const
{
    return GridGeometry(rowAxis, colAxis, layout, scroll,
                        [this](int row, int col) { return merges->AreaAt(row, col); });
}

void GridView::Start()
{
    auto scroller = std::make_unique<GridScroller>(m_d);
    m_d.scroller = scroller.get();
    m_d.scrollerObject = std::move(scroller);
    m_d.scroller->UpdateScrollRange();
}

void GridView::InvalidateCell(int row, int col)
{
    if (!m_grid.isVisible() || !m_d.valid(row, col))
        return;
    const QRect r = m_d.geometry().CellEditRect(row, col);
    if (r.isNull())
        return;
    m_grid.viewport()->update(r.adjusted(-EdgeRoom, -EdgeRoom, EdgeRoom, EdgeRoom));
    // A data grid marks the current row in its header: the mark comes and goes with the cell.
    if (m_d.layout.gridType == gtExcel)
        return;
    const QRect title = m_d.geometry().RowTitleRect(row);
    if (!title.isEmpty())
        m_grid.viewport()->update(title);
}

void GridView::InvalidateAll()
{
    if (m_grid.isVisible())
        m_grid.viewport()->update();
}

void GridView::InvalidateColumnHeader()
{
    if (!m_grid.isVisible())
        return;
    const QRect r = m_d.geometry().ColumnHeaderRect();
    if (!r.isEmpty())
        m_grid.viewport()->update(r);
}

void GridView::LayoutChanged()
{
    if (m_d.scroller)
        m_d.scroller->LayoutChanged();
}

void GridView::ReplaceEmbedded() { m_d.seams.objects->Reposition(); }
void GridView::RemoveEmbedded() { m_d.seams.objects->RemoveAll(); }

void GridView::ScrollToOrigin()
{
    if (m_d.scroller)
        m_d.scroller->SetPosition(0, 0);
}

} // namespace qor
