#include "core/model/merge_table_p.h"

#include <algorithm>
#include <climits>
#include <sstream>
#include "core/model/cell.h"
#include "core/grid.h"
#include "core/grid_p.h"

namespace qor {

namespace {

// One direction of the sheet seen through a cell: position, extent and the crossing ones.
struct Dir {
    bool vertical;
    int pos(const TCellInfo &c) const { return vertical ? c.GetRow() : c.GetCol(); }
    int across(const TCellInfo &c) const { return vertical ? c.GetCol() : c.GetRow(); }
    int ext(const TCellInfo &c) const { return vertical ? c.GetRows() : c.GetCols(); }
    int acrossExt(const TCellInfo &c) const { return vertical ? c.GetCols() : c.GetRows(); }
    void setExt(TCellRec &r, int n) const { (vertical ? r.Rows : r.Cols) = n; }
    void setAcrossExt(TCellRec &r, int n) const { (vertical ? r.Cols : r.Rows) = n; }
};

QRect areaOf(const TCellInfo &c) { return QRect(c.GetCol(), c.GetRow(), c.GetCols(), c.GetRows()); }

void uncover(TCellRec &r)
{
    r.NeedDraw = true;
    r.MergeRow = r.MergeCol = -1;
}

} // namespace

// --- The list

void MergeTable::Add(TCellInfo *cell)
{
    if (!cell || Contains(cell))
        return;
    if (m_recording)
        m_released.push_back(cell);
    m_index.emplace(cell, m_list.size());
    m_list.push_back(cell);
    ++m_live;
}

void MergeTable::Remove(const TCellInfo *cell)
{
    auto it = m_index.find(cell);
    if (it == m_index.end())
        return;
    m_list[it->second] = nullptr;
    m_index.erase(it);
    --m_live;
    if (m_list.size() > 64 && size_t(m_live) * 2 < m_list.size())
        compact();
}

void MergeTable::compact()
{
    size_t out = 0;
    for (TCellInfo *cell : m_list)
        if (cell) {
            m_index[cell] = out;
            m_list[out++] = cell;
        }
    m_list.resize(out);
}

std::vector<TCellInfo *> MergeTable::Owners() const
{
    std::vector<TCellInfo *> owners;
    owners.reserve(size_t(m_live));
    for (TCellInfo *cell : m_list)
        if (cell)
            owners.push_back(cell);
    return owners;
}

void MergeTable::Clear()
{
    ++m_generation;
    m_list.clear();
    m_index.clear();
    m_live = 0;
}

// --- Areas

QRect MergeTable::absorb(QRect rect, const TCellInfo *exclude) const
{
    if (!rect.isValid())
        return rect;
    const QRect grid(0, 0, m_d.cols, m_d.rows);
    const bool wholeRows = m_d.options.Contains(qgoRowSelect) && !m_d.loading && m_d.cols > 0;
    bool changed = true;
    while (changed) {
        changed = false;
        if (wholeRows && (rect.left() != 0 || rect.right() != m_d.cols - 1)) {
            rect.setLeft(std::min(rect.left(), 0));
            rect.setRight(std::max(rect.right(), m_d.cols - 1));
            changed = true;
        }
        for (const TCellInfo *owner : m_list) {
            if (!owner || owner == exclude)
                continue;
            const QRect area = areaOf(*owner) & grid;
            if (area.isValid() && area.intersects(rect) && !rect.contains(area)) {
                rect |= area;
                changed = true;
            }
        }
    }
    return rect;
}

QRect MergeTable::AreaAt(int row, int col) const
{
    const TCellInfo *cell = m_d.cells.At(row, col);
    if (!cell)
        return QRect(col, row, 1, 1);
    if (!cell->GetNeedDraw() && cell->GetMergeRow() >= 0)
        if (const TCellInfo *owner = m_d.cells.At(cell->GetMergeRow(), cell->GetMergeCol()))
            return areaOf(*owner);
    return QRect(col, row, std::max(cell->GetCols(), 1), std::max(cell->GetRows(), 1));
}

template <class F>
void MergeTable::forEachCoveredRec(const TCellInfo &owner, F f) const
{
    const int r0 = owner.GetRow(), c0 = owner.GetCol();
    const int r1 = std::min(r0 + owner.GetRows(), m_d.rows), c1 = std::min(c0 + owner.GetCols(), m_d.cols);
    for (int r = r0; r < r1; ++r)
        for (int c = c0; c < c1; ++c)
            if (TCellInfo *cell = m_d.cells.At(r, c); cell && cell != &owner && cell->GetRec())
                f(*cell->GetRec());
}

void MergeTable::releaseCovered(const TCellInfo &owner)
{
    forEachCoveredRec(owner, [](TCellRec &rec) { uncover(rec); });
}

void MergeTable::markCovered(TCellInfo &owner)
{
    const int r0 = owner.GetRow(), c0 = owner.GetCol();
    const int r1 = r0 + owner.GetRows(), c1 = c0 + owner.GetCols();
    for (int r = r0; r < r1; ++r)
        for (int c = c0; c < c1; ++c) {
            if (r == r0 && c == c0)
                continue;
            TCellInfo *cell = m_d.q->Cells(r, c);
            TCellRec *rec = cell->CheckNil();
            // An owner swallowed by a larger area stops being one.
            if (Contains(cell) || rec->Rows != 1 || rec->Cols != 1) {
                Remove(cell);
                rec->Rows = rec->Cols = 1;
            }
            rec->NeedDraw = false;
            rec->MergeRow = r0;
            rec->MergeCol = c0;
        }
}

void MergeTable::setArea(TCellInfo &owner, int rows, int cols)
{
    ++m_generation;
    releaseCovered(owner);
    TCellRec *rec = owner.CheckNil();
    rec->Rows = rows;
    rec->Cols = cols;
    uncover(*rec);
    markCovered(owner);
    if (rows > 1 || cols > 1)
        Add(&owner);
    else
        Remove(&owner);
    m_d.repaintAll();
    if (m_d.editorOpenOn(owner.GetRow(), owner.GetCol()))
        m_d.repositionEditor();
}

void MergeTable::SetExtent(TCellInfo &cell, int n, bool vertical)
{
    if (n <= 0 || !m_d.valid(cell.GetRow(), cell.GetCol()))
        return;
    const Dir dir{vertical};
    TCellRec *rec = cell.CheckNil();
    const int row = cell.GetRow(), col = cell.GetCol();
    const int old = dir.ext(cell);
    const bool covered = !rec->NeedDraw && rec->MergeRow >= 0;
    // A covered cell can only grow, which hands the request to the area covering it.
    if (covered && n <= old)
        return;
    releaseCovered(cell);
    int rows = vertical ? n : rec->Rows;
    int cols = vertical ? rec->Cols : n;
    rows = std::clamp(rows, 1, m_d.rows - row);
    cols = std::clamp(cols, 1, m_d.cols - col);
    if ((vertical ? rows : cols) > old || covered) {
        const QRect u = absorb(QRect(col, row, cols, rows), &cell);
        if (u.top() != row || u.left() != col) {
            rec->Rows = rec->Cols = 1;
            Remove(&cell);
            setArea(*m_d.q->Cells(u.top(), u.left()), u.height(), u.width());
            return;
        }
        rows = u.height();
        cols = u.width();
    }
    setArea(cell, rows, cols);
}

bool MergeTable::MergeCells(int row1, int col1, int row2, int col2)
{
    if (m_d.rows == 0 || m_d.cols == 0 || row1 > row2 || col1 > col2 || !m_d.valid(row1, col1) ||
        !m_d.valid(row2, col2) || (row1 == row2 && col1 == col2))
        return false;
    TCellInfo *cell = m_d.q->Cells(row1, col1);
    SetExtent(*cell, row2 - row1 + 1, true);
    SetExtent(*cell, col2 - col1 + 1, false);
    return true;
}

// Rebuilds every covered mark from the listed owners at their current positions. Areas that
// came to overlap (a stream written by hand, an earlier fault) are joined, never left crossed.
void MergeTable::CalMergeCell()
{
    ++m_generation;
    for (int i = 0, n = m_d.cells.Count(); i < n; ++i)
        if (TCellInfo *cell = m_d.cells.Get(i); cell && cell->GetRec() && !cell->GetRec()->NeedDraw)
            uncover(*cell->GetRec());
    Reapply();
}

void MergeTable::ReleaseAll()
{
    for (const TCellInfo *owner : m_list)
        if (owner)
            releaseCovered(*owner);
}

void MergeTable::CellFreed(TCellInfo &cell)
{
    Remove(&cell);
    if (m_recording)
        std::replace(m_released.begin(), m_released.end(), &cell, static_cast<TCellInfo *>(nullptr));
}

void MergeTable::ReleaseLines(int first, int last, bool vertical)
{
    const Dir dir{vertical};
    m_released.clear();
    for (TCellInfo *owner : m_list) {
        if (!owner)
            continue;
        const int p = dir.pos(*owner);
        if (p <= last && p + dir.ext(*owner) - 1 >= first) {
            releaseCovered(*owner);
            m_released.push_back(owner);
        }
    }
    m_recording = true;
}

void MergeTable::MoveLinks(int from, int delta, bool vertical)
{
    const Dir dir{vertical};
    for (const TCellInfo *owner : m_list) {
        if (!owner || dir.pos(*owner) < from)
            continue;
        // Released areas have no marks to move; they are put back whole.
        forEachCoveredRec(*owner, [&](TCellRec &rec) {
            if (!rec.NeedDraw)
                (vertical ? rec.MergeRow : rec.MergeCol) += delta;
        });
    }
}

void MergeTable::ReapplyReleased()
{
    m_recording = false;
    std::vector<TCellInfo *> owners;
    owners.swap(m_released);
    owners.erase(std::remove_if(owners.begin(), owners.end(), [this](TCellInfo *o) { return !o || !Contains(o); }),
                 owners.end());
    std::sort(owners.begin(), owners.end(), [this](TCellInfo *a, TCellInfo *b) { return m_index.at(a) < m_index.at(b); });
    owners.erase(std::unique(owners.begin(), owners.end()), owners.end());
    reapply(std::move(owners));
}

void MergeTable::Reapply() { reapply(Owners()); }

void MergeTable::reapply(std::vector<TCellInfo *> owners)
{
    for (auto it = owners.rbegin(); it != owners.rend(); ++it) {
        TCellInfo *owner = *it;
        if (!Contains(owner))
            continue; // swallowed by an area applied before it
        TCellRec *rec = owner->CheckNil();
        const int rows = std::clamp(rec->Rows, 1, m_d.rows - owner->GetRow());
        const int cols = std::clamp(rec->Cols, 1, m_d.cols - owner->GetCol());
        if (!rec->NeedDraw) {
            rec->Rows = rec->Cols = 1;
            Remove(owner);
            continue;
        }
        // Another area inside this one (applied already or still waiting) means the areas
        // overlap: they are joined.
        bool clash = false;
        for (int r = owner->GetRow(); r < owner->GetRow() + rows && !clash; ++r)
            for (int c = owner->GetCol(); c < owner->GetCol() + cols && !clash; ++c) {
                const TCellInfo *cell = m_d.cells.At(r, c);
                clash = cell && cell != owner && (Contains(cell) || (cell->GetRec() && !cell->GetRec()->NeedDraw));
            }
        rec->Rows = rows;
        rec->Cols = cols;
        if (!clash) {
            markCovered(*owner);
            if (rows == 1 && cols == 1)
                Remove(owner);
            continue;
        }
        const QRect u = absorb(areaOf(*owner), nullptr);
        TCellInfo *top = m_d.q->Cells(u.top(), u.left());
        if (top != owner) {
            rec->Rows = rec->Cols = 1;
            Remove(owner);
        }
        setArea(*top, u.height(), u.width());
    }
    m_d.repaintAll();
}

// --- Structural changes

void MergeTable::DelLines(int first, int count, bool vertical)
{
    if (count <= 0)
        return;
    const Dir dir{vertical};
    const int end = int(std::min<int64_t>(int64_t(first) + count, INT_MAX)); // a hostile count reaches the end
    const std::vector<TCellInfo *> owners = Owners();
    for (auto it = owners.rbegin(); it != owners.rend(); ++it) {
        TCellInfo &m = **it;
        const int p = dir.pos(m), e = dir.ext(m), across = vertical ? m.GetCol() : m.GetRow();
        if (e < 2)
            continue;
        if (p >= first && p < end && p + e > end) {
            // The first line after the span takes over the lower part.
            makeOwner(across, end, p + e - end, dir.acrossExt(m), vertical);
            dir.setExt(*m.CheckNil(), end - p);
        } else if (p < first && p + e > first) {
            // The part inside the span becomes an area of its own, which leaves (or travels)
            // with the span.
            makeOwner(across, first, std::min(p + e, end) - first, dir.acrossExt(m), vertical);
            dir.setExt(*m.CheckNil(), p + e <= end ? first - p : e - count);
        } else {
            continue;
        }
        if (m.GetRows() == 1 && m.GetCols() == 1)
            Remove(&m);
    }
}

void MergeTable::ResetLines(int index, int count, bool vertical)
{
    ++m_generation;
    const Dir dir{vertical};
    for (TCellInfo *m : Owners()) {
        const int p = dir.pos(*m), e = dir.ext(*m);
        if (e < 2 || p >= index || p + e <= index)
            continue;
        const int k = int(std::min<int64_t>(p + e, int64_t(index) + count) - index);
        for (int line = p + e - k; line < p + e; ++line)
            makeOwner(vertical ? m->GetCol() : m->GetRow(), line, 1, dir.acrossExt(*m), vertical);
        dir.setExt(*m->CheckNil(), e - k);
        if (m->GetRows() == 1 && m->GetCols() == 1)
            Remove(m);
    }
}

void MergeTable::SplitForMove(int closedIndex, int from, int count, bool vertical)
{
    ++m_generation;
    const Dir dir{vertical};
    for (TCellInfo *m : Owners()) {
        const int p = dir.pos(*m), e = dir.ext(*m);
        if (e < 2 || (p >= from && p < from + count))
            continue;
        const int closed = p < from ? p : p - count;
        if (closed >= closedIndex || closed + e <= closedIndex)
            continue;
        const int line = closedIndex < from ? closedIndex : closedIndex + count;
        makeOwner(vertical ? m->GetCol() : m->GetRow(), line, closed + e - closedIndex, dir.acrossExt(*m), vertical);
        dir.setExt(*m->CheckNil(), closedIndex - closed);
        if (m->GetRows() == 1 && m->GetCols() == 1)
            Remove(m);
    }
}

TCellInfo *MergeTable::makeOwner(int across, int line, int ext, int acrossExt, bool vertical)
{
    const Dir dir{vertical};
    TCellInfo *cell = vertical ? m_d.q->Cells(line, across) : m_d.q->Cells(across, line);
    if (!cell)
        return nullptr;
    TCellRec *rec = cell->CheckNil();
    dir.setExt(*rec, ext);
    dir.setAcrossExt(*rec, acrossExt);
    uncover(*rec);
    if (rec->Rows > 1 || rec->Cols > 1)
        Add(cell);
    else
        Remove(cell);
    return cell;
}

// --- Checks

bool MergeTable::FindErrorMerge(int first, int last, const std::function<bool(int)> &isGroupHeader) const
{
    if (last < first)
        return false;
    for (const TCellInfo *m : Owners()) {
        const int row = m->GetRow(), col = m->GetCol(), rows = m->GetRows(), cols = m->GetCols();
        if (cols > 1 && isGroupHeader && isGroupHeader(row))
            continue;
        if (rows > 1 && ((row < first && row + rows > first) || (row >= first && row <= last && row + rows - 1 > last)))
            return true;
        if (row < first || row > last || (rows == 1 && cols == 1))
            continue;
        for (int r = first; r <= last; ++r) {
            const TCellInfo *c = m_d.cells.At(r, col);
            if (c && c->GetCols() > 1 && isGroupHeader && isGroupHeader(r))
                continue;
            const bool covered = c && !c->GetNeedDraw();
            if (cols > 1 && (!c || (!covered && c->GetCols() != cols)))
                return true;
            if (rows > 1 && (!c || (!covered && c->GetRows() != rows)))
                return true;
        }
    }
    return false;
}

bool MergeTable::EqualCellRect(int64_t index1, int64_t index2) const
{
    const int64_t count = int64_t(m_d.rows) * m_d.cols;
    if (m_d.cols <= 0 || index1 < 0 || index2 < 0 || index1 >= count || index2 >= count)
        return false;
    return AreaAt(int(index1 / m_d.cols), int(index1 % m_d.cols)) ==
           AreaAt(int(index2 / m_d.cols), int(index2 % m_d.cols));
}

std::string MergeTable::checkConsistency() const
{
    std::ostringstream err;
    const QRect grid(0, 0, m_d.cols, m_d.rows);
    std::vector<const TCellInfo *> coveredBy;
    for (size_t i = 0; i < m_list.size(); ++i) {
        const TCellInfo *owner = m_list[i];
        if (!owner)
            continue;
        auto it = m_index.find(owner);
        if (it == m_index.end() || it->second != i)
            err << "index of list entry " << i << " is wrong; ";
        if (m_d.cells.At(owner->GetRow(), owner->GetCol()) != owner)
            err << "listed owner is not in the store; ";
        const QRect area = areaOf(*owner);
        if (area.width() == 1 && area.height() == 1)
            err << "owner (" << owner->GetRow() << "," << owner->GetCol() << ") is 1 x 1 but listed; ";
        if (!grid.contains(area))
            err << "area of (" << owner->GetRow() << "," << owner->GetCol() << ") leaves the grid; ";
        if (!owner->GetNeedDraw())
            err << "owner (" << owner->GetRow() << "," << owner->GetCol() << ") is covered; ";
        for (int r = area.top(); r <= std::min(area.bottom(), m_d.rows - 1); ++r)
            for (int c = area.left(); c <= std::min(area.right(), m_d.cols - 1); ++c) {
                if (r == area.top() && c == area.left())
                    continue;
                const TCellInfo *cell = m_d.cells.At(r, c);
                if (!cell || cell->GetNeedDraw() || cell->GetMergeRow() != area.top() ||
                    cell->GetMergeCol() != area.left())
                    err << "cell (" << r << "," << c << ") is not marked covered by (" << area.top() << ","
                        << area.left() << "); ";
                else if (Contains(cell))
                    err << "covered cell (" << r << "," << c << ") is listed; ";
            }
    }
    if (size_t(m_live) != m_index.size())
        err << "live count " << m_live << " != " << m_index.size() << "; ";
    // Every cell marked covered belongs to a listed area that contains it; every cell larger
    // than 1 x 1 is listed.
    for (int i = 0, n = m_d.cells.Count(); i < n; ++i) {
        const TCellInfo *cell = m_d.cells.Get(i);
        if (!cell)
            continue;
        if ((cell->GetRows() != 1 || cell->GetCols() != 1) && cell->GetNeedDraw() && !Contains(cell))
            err << "cell (" << cell->GetRow() << "," << cell->GetCol() << ") has an extent but is not listed; ";
        if (!cell->GetNeedDraw()) {
            const TCellInfo *owner = m_d.cells.At(cell->GetMergeRow(), cell->GetMergeCol());
            if (!owner || !Contains(owner) || !areaOf(*owner).contains(cell->GetCol(), cell->GetRow()))
                err << "cell (" << cell->GetRow() << "," << cell->GetCol() << ") is covered by no listed area; ";
        }
    }
    return err.str();
}

} // namespace qor
