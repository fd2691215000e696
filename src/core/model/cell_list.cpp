#include "core/model/cell_list.h"

#include <climits>
#include <new>
#include <sstream>
#include <unordered_set>
#include "core/model/cell.h"
#include "core/model/cell_p.h"

namespace qor {

TCellList::TCellList(TCustomQorGrid *Grid) : m_home{Grid, 0, &m_extras}, m_pool(sizeof(TCellInfo), &m_home) {}

TCellList::~TCellList() { FreeAll(); }

bool TCellList::FitsInt(int64_t Rows, int64_t Cols)
{
    return Rows >= 0 && Cols >= 0 && Cols <= kMaxCols && (Rows == 0 || Cols <= INT_MAX / Rows);
}

TCellInfo *TCellList::NewCell(int Row, int Col) { return ::new (m_pool.Allocate()) TCellInfo(Row, Col); }

TCellInfo *TCellList::NewStoredCell(int Row, int Col)
{
    // In a slot from birth: setting the flag afterwards would read the fresh cell back.
    TCellInfo *cell = ::new (m_pool.Allocate()) TCellInfo(Row - m_home.rowOrigin, Col, true);
    ++m_cells;
    return cell;
}

bool TCellList::Reset(int Rows, int Cols, const std::function<void()> &beforeFree)
{
    if (!FitsInt(Rows, Cols))
        return false;
    const int64_t count = int64_t(Rows) * Cols;
    EndsVector<TCellInfo *> slots;
    try {
        slots.assignZeroed(size_t(count));
    } catch (const std::bad_alloc &) {
        return false;
    }
    if (beforeFree)
        beforeFree();
    FreeAll();
    m_slots.swap(slots);
    m_home.rowOrigin = 0;
    m_count = int(count);
    m_rows = Rows;
    m_cols = Cols;
    return true;
}

bool TCellList::Put(int Row, int Col, TCellInfo *Cell)
{
    if (Row < 0 || Row >= m_rows || Col < 0 || Col >= m_cols || !Cell || &CellHomeOf(Cell) != &m_home)
        return false;
    TCellInfo *&slot = m_slots[size_t(int64_t(Row) * m_cols + Col)];
    if (slot != Cell) {
        if (slot)
            delete slot;
        else
            ++m_cells;
        slot = Cell;
    }
    Cell->m_inStore = true;
    Cell->SetPosition(Row, Col);
    return true;
}

void TCellList::Free(int Row, int Col)
{
    delete Take(Row, Col);
}

TCellInfo *TCellList::Take(int Row, int Col)
{
    if (Row < 0 || Row >= m_rows || Col < 0 || Col >= m_cols)
        return nullptr;
    TCellInfo *&slot = m_slots[size_t(int64_t(Row) * m_cols + Col)];
    TCellInfo *cell = slot;
    slot = nullptr;
    if (cell) {
        --m_cells;
        // Away from the store the origin would no longer follow it.
        cell->m_storedRow = cell->GetRow();
        cell->m_inStore = false;
    }
    return cell;
}

void TCellList::FreeAll()
{
    for (size_t i = 0; i < m_slots.size() && m_cells > 0; ++i)
        if (m_slots[i])
            Free(int(int64_t(i) / m_cols), int(int64_t(i) % m_cols));
}

bool TCellList::originFits(int64_t origin, int64_t rows)
{
    // Stored rows run from -origin to rows - 1 - origin.
    return origin <= INT_MAX && -origin >= INT_MIN && rows - 1 - origin <= INT_MAX;
}

std::string TCellList::checkConsistency() const
{
    std::ostringstream err;
    if (int64_t(m_rows) * m_cols != m_count || int64_t(m_slots.size()) != m_count)
        err << "count " << m_count << " != " << m_rows << " x " << m_cols << " (" << m_slots.size() << " slots); ";
    if (!originFits(m_home.rowOrigin, m_rows))
        err << "origin " << m_home.rowOrigin << " leaves stored rows out of range; ";
    std::unordered_set<const TCellInfo *> seen;
    int cells = 0;
    for (int i = 0; i < m_count; ++i) {
        const TCellInfo *cell = m_slots[size_t(i)];
        if (!cell)
            continue;
        ++cells;
        if (!seen.insert(cell).second)
            err << "cell stored twice at slot " << i << "; ";
        if (cell->m_hasExtras && !m_extras.count(cell))
            err << "cell at slot " << i << " lost its owned objects; ";
        if (!cell->m_inStore)
            err << "cell at slot " << i << " does not count from this store's origin; ";
        const int64_t row = int64_t(cell->m_storedRow) + m_home.rowOrigin;
        const int64_t expected = row * m_cols + cell->GetCol();
        if (expected != i)
            err << "cell (" << row << "," << cell->GetCol() << ") sits in slot " << i << "; ";
    }
    if (cells != m_cells)
        err << "counted " << cells << " cells, recorded " << m_cells << "; ";
    return err.str();
}

} // namespace qor
