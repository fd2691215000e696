// The current cell, the selection rectangle and the searches that move them.
#include "core/edit/selection_p.h"

#include <algorithm>
#include "core/edit/editor_controller_p.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"

namespace qor {

Selection::Selection(GridPrivate &d) : m_d(d) {}

TCustomQorGrid &Selection::grid() const { return *m_d.q; }

QRect Selection::area(int row, int col) const
{
    return m_d.merges ? m_d.merges->AreaAt(row, col) : QRect(col, row, 1, 1);
}

QRect Selection::Normalise(int row1, int col1, int row2, int col2) const
{
    if (!m_d.valid(row1, col1) || !m_d.valid(row2, col2))
        return QRect();
    QRect r(QPoint(std::min(col1, col2), std::min(row1, row2)), QPoint(std::max(col1, col2), std::max(row1, row2)));
    r = m_d.merges->AbsorbMerges(r);
    if (!m_d.loading && m_d.options.Contains(qgoRowSelect)) {
        r.setLeft(0);
        r.setRight(m_d.cols - 1);
    }
    return r;
}

void Selection::Select(int row1, int col1, int row2, int col2)
{
    if (m_d.rows <= 0 || m_d.cols <= 0)
        return;
    auto clampRow = [&](int r) { return std::clamp(r, 0, m_d.rows - 1); };
    auto clampCol = [&](int c) { return std::clamp(c, 0, m_d.cols - 1); };
    const QRect r = Normalise(clampRow(row1), clampCol(col1), clampRow(row2), clampCol(col2));
    if (r == m_d.selection)
        return;
    m_d.selection = r;
    m_d.nav.anchor = QPoint(clampCol(col1), clampRow(row1));
    m_d.nav.corner = QPoint(clampCol(col2), clampRow(row2));
    m_d.repaintAll();
}

void Selection::Clear()
{
    if (m_d.selection.isNull())
        return;
    m_d.selection = QRect();
    m_d.repaintAll();
}

// --- Read-only resolution

bool Selection::InternalCellReadOnly(int row, int col) const
{
    bool readOnly = grid().GetCellReadOnly(row, col);
    if (!m_d.options.Contains(qgoEditing))
        readOnly = true;
    else if (!readOnly && m_d.seams.binding->FieldReadOnly(row, col))
        readOnly = true;
    if (grid().OnGetReadOnly)
        grid().OnGetReadOnly(&grid(), row, col, readOnly);
    return readOnly;
}

bool Selection::fixCell(int row, int col) const
{
    if (const TCellInfo *cell = m_d.cells.At(row, col))
        return cell->GetFixCell();
    const TQorColumn *column = m_d.column(col); // no cell object yet: the column answers
    return column && m_d.valid(row, col) && column->GetFixCell();
}

bool Selection::IsFixed(int row, int col) const
{
    if (fixCell(row, col))
        return true;
    const QRect a = area(row, col);
    return (a.top() != row || a.left() != col) && fixCell(a.top(), a.left());
}

bool Selection::CellReadOnly(int row, int col) const
{
    return IsFixed(row, col) || InternalCellReadOnly(row, col);
}

bool Selection::CellCanEdit(int row, int col) const
{
    if (!m_d.valid(row, col))
        return false;
    const QRect a = area(row, col);
    row = a.top();
    col = a.left();
    if (CellReadOnly(row, col))
        return false;
    const TCellType type = grid().GetCellType(row, col);
    if (!m_d.cells.At(row, col)) {
        switch (type) {
        case ctEdit: case ctCombo: case ctButton: case ctDate: case ctRichEdit: case ctSpinEdit: case ctMemo:
            return true;
        default:
            return false;
        }
    }
    return type != ctCheckBox && type != ctRadioButton && type != ctHyperLink;
}

bool Selection::CellCanSetFocus(int64_t index, bool fire) const
{
    if (index < 0 || m_d.cols <= 0 || index >= int64_t(m_d.rows) * m_d.cols)
        return false;
    const int row = int(index / m_d.cols), col = int(index % m_d.cols);
    const QRect a = area(row, col);
    // The whole merged area counts: a hidden first line does not hide the area.
    int64_t w = 0, h = 0;
    for (int c = a.left(); c <= a.right() && w <= 1; ++c)
        w += grid().GetZoomColWidth(c);
    for (int r = a.top(); r <= a.bottom() && h <= 1; ++r)
        h += grid().GetZoomRowHeight(r);
    if (w <= 1 || h <= 1)
        return false;
    if (fire && grid().OnBeforeEnterCell) {
        bool canSelect = true;
        grid().OnBeforeEnterCell(&grid(), row, col, canSelect);
        return canSelect;
    }
    return true;
}

// --- Searches

int64_t Selection::FindEnterCell(int row, int col, NavDir dir) const
{
    if (!m_d.valid(row, col))
        return -1;
    const QRect start = area(row, col);
    const bool horizontal = dir == NavDir::Left || dir == NavDir::Right;
    const int step = dir == NavDir::Right || dir == NavDir::Down ? 1 : -1;
    // Along: the scanned line's positions; across: the lines the wrap walks through.
    const int alongCount = horizontal ? m_d.cols : m_d.rows;
    const int acrossCount = horizontal ? m_d.rows : m_d.cols;
    auto at = [&](int along, int across) { return horizontal ? QPoint(along, across) : QPoint(across, along); };
    // A covered position answers with its area's owner: that is the cell that gets entered.
    auto owner = [&](QPoint p) {
        const QRect a = area(p.y(), p.x());
        return int64_t(a.top()) * m_d.cols + a.left();
    };
    auto enterable = [&](QPoint p, bool wrapped) {
        const int r = p.y(), c = p.x();
        if (IsFixed(r, c) || start.contains(c, r))
            return false;
        if (wrapped) {
            const QRect a = area(r, c);
            const bool covered = a.top() != r || a.left() != c;
            if (covered && (horizontal ? a.top() == row : a.left() == col))
                return false;
        }
        return CellCanSetFocus(int64_t(r) * m_d.cols + c, false);
    };
    const int along0 = horizontal ? col : row;
    const int across0 = horizontal ? row : col;
    for (int i = along0 + step; i >= 0 && i < alongCount; i += step)
        if (QPoint p = at(i, across0); enterable(p, false))
            return owner(p);
    // Only moves along a row continue on the next one: up and down stop at the sheet's edge,
    // where Down may append a row instead.
    if (!horizontal || !m_d.options.Contains(qgoAutoNextRowCol))
        return -1;
    for (int j = across0 + step; j >= 0 && j < acrossCount; j += step) {
        for (int i = step > 0 ? 0 : alongCount - 1; i >= 0 && i < alongCount; i += step)
            if (QPoint p = at(i, j); enterable(p, true))
                return owner(p);
    }
    return -1;
}

bool Selection::IsLastTabCell() const
{
    const int row = grid().GetRow(), col = grid().GetCol();
    return row < 0 || FindEnterCell(row, col, NavDir::Right) < 0;
}

int64_t Selection::TabTarget() const
{
    const int row = grid().GetRow(), col = grid().GetCol();
    const TCellInfo *cell = row >= 0 ? m_d.cells.At(row, col) : nullptr;
    if (!cell)
        return -1;
    const int tr = cell->GetTabNextRow(), tc = cell->GetTabNextCol();
    if (tr < 0 || tc < 0 || !m_d.valid(tr, tc) || IsFixed(tr, tc) || area(row, col).contains(tc, tr))
        return -1;
    const int64_t index = int64_t(tr) * m_d.cols + tc;
    return CellCanSetFocus(index, false) ? index : -1;
}

// --- Entering

bool Selection::Enter(int row, int col)
{
    if (!m_d.valid(row, col))
        return false;
    const QRect a = area(row, col);
    row = a.top();
    col = a.left();
    const int64_t index = int64_t(row) * m_d.cols + col;
    TCustomQorGrid &g = grid();
    if (index == m_d.currentIndex) {
        g.ShowCell(row, col);
        return true;
    }
    if (!CellCanSetFocus(index, false))
        return false;
    const int oldRow = g.GetRow(), oldCol = g.GetCol();
    if (oldRow >= 0 && g.OnLeaveCell)
        g.OnLeaveCell(&g, oldRow, oldCol);
    if (g.OnBeforeEnterCell) {
        bool canSelect = true;
        g.OnBeforeEnterCell(&g, row, col, canSelect);
        if (!canSelect)
            return false;
    }
    Clear();
    m_d.editor->CommitPending();
    if (row != oldRow && !m_d.seams.binding->CurrentRowChanging(row))
        return false;
    m_d.currentIndex = index;
    m_d.editor->Hide();
    m_d.nav.anchor = m_d.nav.corner = QPoint(col, row);
    if (m_d.options.Contains(qgoRowSelect))
        m_d.selection = Normalise(row, 0, row, m_d.cols - 1);
    g.ShowCell(row, col);
    if (oldRow >= 0)
        m_d.repaintCell(oldRow, oldCol);
    m_d.repaintCell(row, col);
    if (m_d.options.Contains(qgoRowSelect))
        m_d.repaintAll();
    if (m_d.options.Contains(qgoAlwaysShowEditor) && g.GetCellType(row, col) != ctCheckBox && CellCanEdit(row, col))
        g.ShowEditor();
    m_d.seams.binding->CurrentCellChanged(row, col);
    if (g.OnAfterEnterCell)
        g.OnAfterEnterCell(&g, row, col);
    return true;
}

bool Selection::SelectNext()
{
    const int row = grid().GetRow(), col = grid().GetCol();
    if (row < 0)
        return Enter(0, 0);
    const int64_t next = FindEnterCell(row, col, NavDir::Right);
    return next >= 0 && Enter(int(next / m_d.cols), int(next % m_d.cols));
}

bool Selection::Move(NavDir dir)
{
    const int row = grid().GetRow(), col = grid().GetCol();
    if (row < 0)
        return m_d.rows > 0 && m_d.cols > 0 && Enter(0, 0);
    const int64_t next = FindEnterCell(row, col, dir);
    return next >= 0 && Enter(int(next / m_d.cols), int(next % m_d.cols));
}

bool Selection::Extend(NavDir dir)
{
    const int row = grid().GetRow(), col = grid().GetCol();
    if (row < 0)
        return false;
    QPoint anchor = m_d.nav.anchor, corner = m_d.nav.corner;
    if (!m_d.valid(anchor.y(), anchor.x()) || m_d.selection.isNull())
        anchor = corner = QPoint(col, row);
    const QRect old = m_d.selection.isNull() ? Normalise(row, col, row, col) : m_d.selection;
    const int dx = dir == NavDir::Right ? 1 : dir == NavDir::Left ? -1 : 0;
    const int dy = dir == NavDir::Down ? 1 : dir == NavDir::Up ? -1 : 0;
    // Step until normalisation over merges yields a different rectangle, or the edge is hit.
    for (;;) {
        const QPoint next(corner.x() + dx, corner.y() + dy);
        if (!m_d.valid(next.y(), next.x()))
            return false;
        corner = next;
        QRect r = Normalise(anchor.y(), anchor.x(), corner.y(), corner.x());
        if (r == old)
            continue;
        // The corner follows the rectangle's edge so the next step starts from there.
        if (dx)
            corner.setX(corner.x() >= anchor.x() ? std::max(corner.x(), dx > 0 ? r.right() : corner.x())
                                                  : std::min(corner.x(), dx < 0 ? r.left() : corner.x()));
        if (dy)
            corner.setY(corner.y() >= anchor.y() ? std::max(corner.y(), dy > 0 ? r.bottom() : corner.y())
                                                  : std::min(corner.y(), dy < 0 ? r.top() : corner.y()));
        m_d.selection = r;
        m_d.nav.anchor = anchor;
        m_d.nav.corner = corner;
        grid().ShowCell(corner.y(), corner.x());
        m_d.repaintAll();
        return true;
    }
}

} // namespace qor
