#include "core/cell_list.h"

#include <climits>
#include <sstream>
#include <unordered_set>
#include "core/cell.h"

namespace qor {

TCellList::~TCellList() { FreeAll(); }

bool TCellList::FitsInt(int64_t Rows, int64_t Cols)
{
    return Rows >= 0 && Cols >= 0 && (Rows == 0 || Cols <= INT_MAX / Rows);
}

bool TCellList::Reset(int Rows, int Cols, const std::function<void()> &beforeFree)
{
    if (!FitsInt(Rows, Cols))
        return false;
    const int64_t count = int64_t(Rows) * Cols;
    TCellInfo **slots = nullptr;
    if (count > 0) {
        slots = static_cast<TCellInfo **>(std::calloc(size_t(count), sizeof(TCellInfo *)));
        if (!slots)
            return false;
    }
    if (beforeFree)
        beforeFree();
    FreeAll();
    m_slots.reset(slots);
    m_count = int(count);
    m_rows = Rows;
    m_cols = Cols;
    return true;
}

void TCellList::Put(int Row, int Col, TCellInfo *Cell)
{
    if (Row < 0 || Row >= m_rows || Col < 0 || Col >= m_cols || !Cell)
        return;
    TCellInfo *&slot = m_slots[int64_t(Row) * m_cols + Col];
    if (slot == Cell)
        return;
    if (slot)
        delete slot;
    else
        ++m_cells;
    slot = Cell;
}

void TCellList::Free(int Row, int Col)
{
    delete Take(Row, Col);
}

TCellInfo *TCellList::Take(int Row, int Col)
{
    if (Row < 0 || Row >= m_rows || Col < 0 || Col >= m_cols)
        return nullptr;
    TCellInfo *&slot = m_slots[int64_t(Row) * m_cols + Col];
    TCellInfo *cell = slot;
    if (cell)
        --m_cells;
    slot = nullptr;
    return cell;
}

void TCellList::FreeAll()
{
    if (m_cells == 0)
        return;
    for (int i = 0; i < m_count && m_cells > 0; ++i) {
        if (m_slots[i]) {
            TCellInfo *cell = m_slots[i];
            m_slots[i] = nullptr;
            --m_cells;
            delete cell;
        }
    }
}

std::string TCellList::checkConsistency() const
{
    std::ostringstream err;
    if (int64_t(m_rows) * m_cols != m_count)
        err << "count " << m_count << " != " << m_rows << " x " << m_cols << "; ";
    std::unordered_set<const TCellInfo *> seen;
    int cells = 0;
    for (int i = 0; i < m_count; ++i) {
        const TCellInfo *cell = m_slots[i];
        if (!cell)
            continue;
        ++cells;
        if (!seen.insert(cell).second)
            err << "cell stored twice at slot " << i << "; ";
        const int64_t expected = int64_t(cell->GetRow()) * m_cols + cell->GetCol();
        if (expected != i)
            err << "cell (" << cell->GetRow() << "," << cell->GetCol() << ") sits in slot " << i << "; ";
    }
    if (cells != m_cells)
        err << "counted " << cells << " cells, recorded " << m_cells << "; ";
    return err.str();
}

} // namespace qor
