#include "designer/designer_undo.h"

#include "core/grid.h"
#include "io/cells_block.h"
#include "io/grid_stream.h"

namespace qor {

DesignerCursor DesignerCursor::Of(const TCustomQorGrid &grid)
{
    DesignerCursor c;
    c.Row = grid.GetRow();
    c.Col = grid.GetCol();
    if (grid.IsSelectionActive())
        c.Selection = grid.GetSelRect();
    return c;
}

void DesignerCursor::RestoreTo(TCustomQorGrid &grid) const
{
    if (Row < 0 || Col < 0 || Row >= grid.GetRows() || Col >= grid.GetCols())
        return;
    grid.SetFocusCell(Row, Col);
    if (Selection.isValid() && Selection.bottom() < grid.GetRows() && Selection.right() < grid.GetCols())
        grid.SelectCells(Selection.top(), Selection.left(), Selection.bottom(), Selection.right());
}

GridRegionCommand::GridRegionCommand(const QString &text, TCustomQorGrid &grid, const QRect &cells,
                                     std::function<void()> change)
    : QUndoCommand(text), m_grid(grid), m_cells(cells & QRect(0, 0, grid.GetCols(), grid.GetRows())),
      m_change(std::move(change))
{
}

GridRegionCommand::CellCopies GridRegionCommand::capture() const
{
    CellCopies cells;
    const QRect r = m_cells;
    if (!r.isValid())
        return cells;
    cells.reserve(size_t(r.width()) * size_t(r.height()));
    for (int row = r.top(); row <= r.bottom(); ++row)
        for (int col = r.left(); col <= r.right(); ++col) {
            if (!m_grid.PeekCell(row, col)) {
                cells.emplace_back();
                continue;
            }
            std::unique_ptr<TCellInfo> copy(TCellInfo::Create(nullptr, row, col));
            copy->InternalAssign(*m_grid.Cells(row, col));
            cells.push_back(std::move(copy));
        }
    return cells;
}

// Every cell of the rectangle takes its copy whole (font, items and picture included); a
// position that had no cell gets a blank one.
void GridRegionCommand::restore(const CellCopies &cells)
{
    const QRect r = m_cells;
    if (!r.isValid() || r.bottom() >= m_grid.GetRows() || r.right() >= m_grid.GetCols())
        return;
    std::unique_ptr<TCellInfo> blank;
    size_t i = 0;
    for (int row = r.top(); row <= r.bottom(); ++row)
        for (int col = r.left(); col <= r.right(); ++col, ++i) {
            const TCellInfo *copy = i < cells.size() ? cells[i].get() : nullptr;
            if (!copy) {
                if (!m_grid.PeekCell(row, col))
                    continue;
                if (!blank)
                    blank.reset(TCellInfo::Create(nullptr, row, col));
                copy = blank.get();
            }
            m_grid.Cells(row, col)->InternalAssign(*copy);
        }
    m_grid.viewport()->update();
}

void GridRegionCommand::redo()
{
    if (m_done) {
        restore(m_after);
        m_cursor.RestoreTo(m_grid);
        return;
    }
    m_cursor = DesignerCursor::Of(m_grid);
    m_before = capture();
    const QRect r = m_cells;
    const QByteArray before = r.isValid() ? SaveCellsBlock(m_grid, r.top(), r.left(), r.height(), r.width()) : QByteArray();
    m_change();
    m_done = true;
    const QByteArray after = r.isValid() ? SaveCellsBlock(m_grid, r.top(), r.left(), r.height(), r.width()) : QByteArray();
    // Nothing changed: the stack drops the command and the document stays unmodified.
    if (before == after) {
        setObsolete(true);
        return;
    }
    m_after = capture();
}

void GridRegionCommand::undo()
{
    restore(m_before);
    m_cursor.RestoreTo(m_grid);
}

GridSnapshotCommand::GridSnapshotCommand(const QString &text, TCustomQorGrid &grid, std::function<bool()> change)
    : QUndoCommand(text), m_grid(grid), m_change(std::move(change))
{
}

void GridSnapshotCommand::restore(const QByteArray &bytes)
{
    // The bytes are the grid's own, taken moments ago: a refusal here is a fault of ours.
    try {
        ApplyGridStream(m_grid, ParseGridStream(bytes));
    } catch (const std::exception &e) {
        qWarning("designer: an undo step could not be restored: %s", e.what());
    }
}

void GridSnapshotCommand::redo()
{
    if (m_done) {
        restore(m_after);
        m_cursorAfter.RestoreTo(m_grid);
        return;
    }
    m_cursorBefore = DesignerCursor::Of(m_grid);
    m_before = SaveGridSnapshot(m_grid);
    m_done = true;
    if (!m_change())
        setObsolete(true);
}

void GridSnapshotCommand::undo()
{
    if (m_after.isEmpty()) {
        m_after = SaveGridSnapshot(m_grid);
        m_cursorAfter = DesignerCursor::Of(m_grid);
    }
    restore(m_before);
    m_cursorBefore.RestoreTo(m_grid);
}

MergeCommand::MergeCommand(const QString &text, TCustomQorGrid &grid, const QRect &cells, bool merge)
    : QUndoCommand(text), m_cells(text, grid, cells, [] {}), m_grid(grid), m_rect(m_cells.Cells()), m_merge(merge)
{
}

void MergeCommand::unmerge(const QRect &area)
{
    for (int r = area.top(); r <= area.bottom(); ++r)
        for (int c = area.left(); c <= area.right(); ++c)
            if (m_grid.PeekCell(r, c)) {
                TCellInfo *cell = m_grid.Cells(r, c);
                if (cell->GetRows() != 1 || cell->GetCols() != 1) {
                    cell->SetRows(1);
                    cell->SetCols(1);
                }
            }
}

void MergeCommand::redo()
{
    const QRect r = m_rect;
    if (!r.isValid())
        return;
    if (m_areas.empty()) {
        for (int row = r.top(); row <= r.bottom(); ++row)
            for (int col = r.left(); col <= r.right(); ++col) {
                const QRect a = m_grid.MergedArea(row, col);
                if ((a.width() > 1 || a.height() > 1) && a.top() == row && a.left() == col)
                    m_areas.push_back(a);
            }
        m_cells.redo();   // copies the cells before; the change itself is ours
    }
    m_grid.BeginUpdate();
    if (m_merge)
        m_grid.MergeCells(r.top(), r.left(), r.bottom(), r.right());
    else
        unmerge(r);
    m_grid.EndUpdate();
}

void MergeCommand::undo()
{
    m_grid.BeginUpdate();
    unmerge(m_rect);
    m_cells.undo();
    for (const QRect &a : m_areas)
        m_grid.MergeCells(a.top(), a.left(), a.bottom(), a.right());
    m_grid.EndUpdate();
    m_cells.undo();   // the cursor and selection as they were
}

LineInsertCommand::LineInsertCommand(const QString &text, TCustomQorGrid &grid, bool rows, int at, int count)
    : QUndoCommand(text), m_grid(grid), m_rows(rows), m_at(at), m_count(count), m_append(at < 0)
{
}

void LineInsertCommand::redo()
{
    m_cursor = DesignerCursor::Of(m_grid);
    m_countBefore = m_rows ? m_grid.GetRows() : m_grid.GetCols();
    if (m_append)
        m_at = m_countBefore;
    if (m_rows)
        m_append ? m_grid.AppendRow(m_count) : m_grid.InsertRow(m_at, m_count);
    else
        m_append ? m_grid.AppendCol(m_count) : m_grid.InsertCol(m_at, m_count);
    // Refused (a size the grid cannot hold, rows a data set keeps): nothing to undo.
    if ((m_rows ? m_grid.GetRows() : m_grid.GetCols()) != m_countBefore + m_count)
        setObsolete(true);
}

void LineInsertCommand::undo()
{
    if ((m_rows ? m_grid.GetRows() : m_grid.GetCols()) != m_countBefore + m_count)
        return;
    m_grid.BeginUpdate();
    for (int i = 0; i < m_count; ++i)
        m_rows ? m_grid.DeleteRow(m_at) : m_grid.DeleteCol(m_at);
    m_grid.EndUpdate();
    m_cursor.RestoreTo(m_grid);
}

ValueCommand::ValueCommand(const QString &text, QVariant before, QVariant after, Setter set)
    : QUndoCommand(text), m_before(std::move(before)), m_after(std::move(after)), m_set(std::move(set))
{
    if (m_before == m_after)
        setObsolete(true);
}

} // namespace qor
