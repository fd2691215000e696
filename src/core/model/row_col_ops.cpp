#include "core/model/row_col_ops_p.h"

#include <algorithm>
#include <climits>
#include <new>
#include "core/model/cell.h"
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "platform/message_box.h"

namespace qor {

namespace {

int pos(const TCellInfo &c, bool vertical) { return vertical ? c.GetRow() : c.GetCol(); }
int ext(const TCellInfo &c, bool vertical) { return vertical ? c.GetRows() : c.GetCols(); }
int acrossPos(const TCellInfo &c, bool vertical) { return vertical ? c.GetCol() : c.GetRow(); }
int acrossExt(const TCellInfo &c, bool vertical) { return vertical ? c.GetCols() : c.GetRows(); }

// Structural changes after which no later step may see a half-changed grid: the records that
// can throw are changed first, the cell store (which reports failure) last.
void reindexColumns(GridPrivate &d, int from)
{
    for (int i = std::max(from, 0); i < d.columns.Count(); ++i)
        d.columns[i]->SetIndex(i);
}

// The grouped range keeps to its rows when rows are inserted or deleted around or inside it.
void groupedRangeFollows(GridMisc &m, int at, int count, bool inserted)
{
    if (m.firstGroupedRow < 0 || m.lastGroupedRow < m.firstGroupedRow)
        return;
    if (inserted) {
        if (m.firstGroupedRow >= at)
            m.firstGroupedRow += count;
        if (m.lastGroupedRow >= at)
            m.lastGroupedRow += count;
        return;
    }
    const int end = at + count;
    auto follow = [&](int row, bool isFirst) {
        if (row >= end)
            return row - count;
        if (row >= at)
            return isFirst ? at : at - 1;
        return row;
    };
    m.firstGroupedRow = follow(m.firstGroupedRow, true);
    m.lastGroupedRow = follow(m.lastGroupedRow, false);
    if (m.lastGroupedRow < m.firstGroupedRow)
        m.grouped = false;
}

} // namespace

bool RowColOps::refusedWhenGrouped(bool insert, bool vertical) const
{
    if (!m_d.seams.dataOps->IsGrouped())
        return false;
    const QString text = QStringLiteral("Can not %1 %2 on a grouped grid")
                             .arg(insert ? QStringLiteral("insert") : QStringLiteral("delete"),
                                  vertical ? QStringLiteral("row") : QStringLiteral("column"));
    platform::MessageBox(m_d.q, text, QStringLiteral("提示"), platform::MB_OK | platform::MB_ICONWARNING);
    return true;
}

void RowColOps::moveCurrent(int oldCols, const std::function<int(int)> &mapLine, bool vertical)
{
    if (m_d.currentIndex < 0 || oldCols <= 0) {
        m_d.currentIndex = -1;
        return;
    }
    int row = int(m_d.currentIndex / oldCols), col = int(m_d.currentIndex % oldCols);
    (vertical ? row : col) = mapLine(vertical ? row : col);
    row = std::clamp(row, 0, std::max(m_d.rows - 1, 0));
    col = std::clamp(col, 0, std::max(m_d.cols - 1, 0));
    m_d.currentIndex = m_d.rows > 0 && m_d.cols > 0 ? int64_t(row) * m_d.cols + col : -1;
}

void RowColOps::resetFrames(int first, int last, bool vertical)
{
    const int across = vertical ? m_d.cols : m_d.rows;
    for (int line = std::max(first, 0); line <= last; ++line)
        for (int a = 0; a < across; ++a)
            if (TCellInfo *cell = vertical ? m_d.cells.At(line, a) : m_d.cells.At(a, line))
                cell->ResetCellFrame();
}

// New lines repeat the formatting and the merges across the template line, never its content.
void RowColOps::copyTemplate(int at, int count, int tmpl, bool vertical, const std::vector<bool> &inGrownArea)
{
    const int across = vertical ? m_d.cols : m_d.rows;
    for (int a = 0; a < across; ++a) {
        const TCellInfo *t = vertical ? m_d.cells.At(tmpl, a) : m_d.cells.At(a, tmpl);
        if (!t)
            continue;
        const bool ownsAcross = t->GetNeedDraw() && !inGrownArea[size_t(a)];
        const int spread = ownsAcross ? std::min(acrossExt(*t, vertical), across - a) : 1;
        for (int line = at; line < at + count; ++line) {
            TCellInfo *cell = vertical ? m_d.q->Cells(line, a) : m_d.q->Cells(a, line);
            cell->InternalAssignFormat(*t);
            if (TCellRec *rec = cell->GetRec()) {
                (vertical ? rec->Rows : rec->Cols) = 1;
                (vertical ? rec->Cols : rec->Rows) = spread;
                rec->NeedDraw = true;
                rec->MergeRow = rec->MergeCol = -1;
                if (spread > 1)
                    m_d.merges->Add(cell);
            }
            cell->ResetCellFrame();
        }
    }
}

bool RowColOps::Insert(int at, int count, bool vertical, bool append, bool noFrameReset)
{
    if (count < 1 || refusedWhenGrouped(true, vertical))
        return false;
    m_d.selection = QRect();
    const int lines = vertical ? m_d.rows : m_d.cols;
    if (lines == 0) {
        if (!(vertical ? m_d.resetRows(count) : m_d.resetCols(count))) {
            m_d.refuseSize(vertical ? count : m_d.rows, vertical ? m_d.cols : count);
            return false;
        }
        m_d.layoutChanged();
        return true;
    }
    m_d.commitEditor();
    m_d.hideEditor();
    at = append ? lines : std::clamp(at, 0, lines - 1);
    const int64_t newRows = vertical ? int64_t(m_d.rows) + count : m_d.rows;
    const int64_t newCols = vertical ? m_d.cols : int64_t(m_d.cols) + count;
    if (newRows > INT_MAX || newCols > INT_MAX || !TCellList::FitsInt(newRows, newCols)) {
        m_d.refuseSize(newRows, newCols);
        return false;
    }
    Axis &axis = vertical ? m_d.rowAxis : m_d.colAxis;
    const int sizeFrom = append ? lines - 1 : std::max(at - 1, 0);
    int size = axis.CurrentSize(sizeFrom);
    if (size < 2)
        size = vertical ? m_d.layout.defaultRowHeight : m_d.layout.defaultColWidth;

    // Areas across the insertion point (or covering the last line, when appending) grow.
    const int across = vertical ? m_d.cols : m_d.rows;
    std::vector<TCellInfo *> grown;
    std::vector<bool> inGrownArea(size_t(across), false);
    for (TCellInfo *m : m_d.merges->Owners()) {
        const int p = pos(*m, vertical), e = ext(*m, vertical);
        if (e >= 2 && (append ? p + e == lines : p < at && at < p + e)) {
            grown.push_back(m);
            for (int a = acrossPos(*m, vertical); a < std::min(acrossPos(*m, vertical) + acrossExt(*m, vertical), across); ++a)
                inGrownArea[size_t(a)] = true;
        }
    }

    const int oldCols = m_d.cols;
    if (append)
        m_d.merges->ReleaseLines(lines - 1, lines - 1, vertical);
    else
        m_d.merges->ReleaseLines(at - 1, at, vertical);
    try {
        axis.Insert(at, count, size, m_d.layout.unitType);
        if (vertical) {
            m_d.rowInfo.insert(m_d.rowInfo.begin() + at, size_t(count), RowInfo{});
        } else {
            for (int i = 0; i < count; ++i)
                m_d.columns.Insert(at + i, new TQorColumn(m_d.q, at + i));
        }
    } catch (const std::bad_alloc &) {
        m_d.merges->ReapplyReleased();
        m_d.refuseSize(newRows, newCols);
        return false;
    }
    if (!m_d.cells.InsertLines(at, count, vertical)) {
        axis.Remove(at, count);
        if (vertical)
            m_d.rowInfo.erase(m_d.rowInfo.begin() + at, m_d.rowInfo.begin() + at + count);
        else
            for (int i = 0; i < count; ++i)
                m_d.columns.Delete(at);
        m_d.merges->ReapplyReleased();
        m_d.refuseSize(newRows, newCols);
        return false;
    }
    (vertical ? m_d.rows : m_d.cols) += count;
    if (!vertical)
        reindexColumns(m_d, at);
    else if (!append)
        groupedRangeFollows(m_d.misc, at, count, true);
    moveCurrent(oldCols, [](int line) { return line; }, vertical);
    if (!append)
        m_d.merges->MoveLinks(at + count, count, vertical);

    for (TCellInfo *m : grown)
        (vertical ? m->CheckNil()->Rows : m->CheckNil()->Cols) += count;
    const int tmpl = append ? lines - 1 : (at > 0 ? at - 1 : at + count);
    copyTemplate(at, count, tmpl, vertical, inGrownArea);
    if (!noFrameReset) {
        const int oldLast = append ? lines - 1 : lines - 1 + count;
        resetFrames(oldLast, oldLast, vertical);
    }
    m_d.merges->ReapplyReleased();
    if (!append)
        m_d.seams.formulas->ShiftReferences(vertical ? IFormulaHost::Shift::RowsInserted
                                                     : IFormulaHost::Shift::ColsInserted,
                                            at, count);
    m_d.seams.objects->LinesChanged(vertical, at, count, true);
    m_d.layoutChanged();
    m_d.replaceEmbedded();
    return true;
}

bool RowColOps::Delete(int at, bool vertical, int count)
{
    if (refusedWhenGrouped(false, vertical))
        return false;
    m_d.hideEditor();
    m_d.selection = QRect();
    const int lines = vertical ? m_d.rows : m_d.cols;
    if (lines <= 1 || count < 1)
        return false;
    at = std::clamp(at, 0, lines - 1);
    count = std::min({count, lines - at, lines - 1});
    m_d.commitEditor();
    m_d.merges->ReleaseLines(at, at + count - 1, vertical);
    m_d.merges->DelLines(at, count, vertical);
    const int oldCols = m_d.cols;
    m_d.cells.RemoveLines(at, count, vertical);
    (vertical ? m_d.rowAxis : m_d.colAxis).Remove(at, count);
    if (vertical) {
        m_d.rowInfo.erase(m_d.rowInfo.begin() + at, m_d.rowInfo.begin() + at + count);
    } else {
        for (int i = 0; i < count; ++i)
            m_d.columns.Delete(at);
        reindexColumns(m_d, at);
    }
    (vertical ? m_d.rows : m_d.cols) -= count;
    if (vertical)
        groupedRangeFollows(m_d.misc, at, count, false);
    // The current cell follows its line; on a deleted line it keeps the index.
    moveCurrent(oldCols, [at, count](int line) { return line >= at + count ? line - count : line; }, vertical);
    m_d.merges->MoveLinks(at, -count, vertical);
    m_d.merges->ReapplyReleased();
    m_d.seams.formulas->ShiftReferences(vertical ? IFormulaHost::Shift::RowsDeleted : IFormulaHost::Shift::ColsDeleted,
                                        at, count);
    m_d.seams.objects->LinesChanged(vertical, at, count, false);
    m_d.layoutChanged();
    m_d.replaceEmbedded();
    return true;
}

bool RowColOps::Move(int from, int count, int to, bool vertical)
{
    if (from == to)
        return true;
    const int lines = vertical ? m_d.rows : m_d.cols;
    const int64_t end = int64_t(from) + count; // one past the block; 64 bits, hostile counts
    if (count < 1 || from < 0 || end > lines || to < 0 || to >= lines || (to >= from && to < end))
        return false;
    const int target = std::min(to, lines - count);
    if (target == from)
        return true;
    m_d.hideEditor();
    m_d.q->BeginUpdate();
    // Areas cut by the block or by the place it lands are split first, so that every area
    // moves whole.
    m_d.merges->ReleaseAll();
    m_d.merges->DelLines(from, count, vertical);
    m_d.merges->SplitForMove(target, from, count, vertical);
    m_d.cells.MoveLines(from, count, target, vertical);
    (vertical ? m_d.rowAxis : m_d.colAxis).MoveBlock(from, count, target);
    const int first = std::min(from, target), last = std::max(from, target) + count;
    const int middle = target < from ? from : from + count;
    if (vertical) {
        std::rotate(m_d.rowInfo.begin() + first, m_d.rowInfo.begin() + middle, m_d.rowInfo.begin() + last);
    } else {
        std::vector<TQorColumn *> block;
        for (int i = 0; i < count; ++i)
            block.push_back(m_d.columns.Extract(from));
        for (int i = 0; i < count; ++i)
            m_d.columns.Insert(target + i, block[size_t(i)]);
        reindexColumns(m_d, first);
    }
    moveCurrent(m_d.cols, [&](int line) {
        if (line >= from && line < from + count)
            return line - from + target;
        if (line >= first && line < last)
            return target < from ? line + count : line - count;
        return line;
    }, vertical);
    resetFrames(first, last - 1, vertical);
    m_d.merges->Reapply();
    m_d.seams.formulas->LinesMoved();
    m_d.q->EndUpdate();
    m_d.layoutChanged();
    TCustomQorGrid *grid = m_d.q;
    if (vertical && grid->OnRowMoved)
        grid->OnRowMoved(grid, from);
    else if (!vertical && grid->OnColMoved)
        grid->OnColMoved(grid, from);
    return true;
}

} // namespace qor
