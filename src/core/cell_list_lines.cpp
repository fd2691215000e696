// Inserting, removing and moving whole rows or columns of the cell store.
#include "core/cell_list.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include "core/cell.h"

namespace qor {

namespace {

// Tells every cell in slots [first, last) its position again.
void renumber(TCellInfo **slots, int64_t first, int64_t last, int cols)
{
    for (int64_t i = first; i < last; ++i)
        if (TCellInfo *cell = slots[i])
            cell->SetPosition(int(i / cols), int(i % cols));
}

} // namespace

bool TCellList::InsertLines(int at, int count, bool rows)
{
    const int lines = rows ? m_rows : m_cols;
    if (count <= 0 || at < 0 || at > lines)
        return count == 0;
    const int64_t newRows = rows ? int64_t(m_rows) + count : m_rows;
    const int64_t newCols = rows ? m_cols : int64_t(m_cols) + count;
    if (newRows > INT_MAX || newCols > INT_MAX || !FitsInt(newRows, newCols))
        return false;
    const int64_t newCount = newRows * newCols;
    TCellInfo **slots = nullptr;
    if (rows) {
        // Rows are one block of slots: grow it in place where the allocator can, and move the
        // tail once.
        slots = static_cast<TCellInfo **>(std::realloc(m_slots.get(), size_t(std::max<int64_t>(newCount, 1)) * sizeof(TCellInfo *)));
        if (!slots)
            return false;
        (void)m_slots.release();
        // One pass from the end: each slot moves down and its cell learns its row.
        const int64_t head = int64_t(at) * m_cols;
        const int64_t gap = int64_t(count) * m_cols;
        for (int64_t i = m_count - 1; i >= head; --i) {
            TCellInfo *cell = slots[i];
            slots[i + gap] = cell;
            if (cell)
                cell->SetPosition(int((i + gap) / m_cols), int(i % m_cols));
        }
        std::memset(slots + head, 0, size_t(gap) * sizeof(TCellInfo *));
        m_slots.reset(slots);
        m_rows = int(newRows);
        m_count = int(newCount);
        return true;
    } else {
        slots = static_cast<TCellInfo **>(std::calloc(size_t(std::max<int64_t>(newCount, 1)), sizeof(TCellInfo *)));
        if (!slots)
            return false;
        for (int64_t r = 0; r < m_rows; ++r) {
            TCellInfo **from = m_slots.get() + r * m_cols;
            TCellInfo **to = slots + r * newCols;
            std::memcpy(to, from, size_t(at) * sizeof(TCellInfo *));
            std::memcpy(to + at + count, from + at, size_t(m_cols - at) * sizeof(TCellInfo *));
        }
    }
    m_slots.reset(slots);
    m_rows = int(newRows);
    m_cols = int(newCols);
    m_count = int(newCount);
    renumber(slots, rows ? int64_t(at) * m_cols : 0, m_count, m_cols);
    return true;
}

void TCellList::RemoveLines(int at, int count, bool rows)
{
    const int lines = rows ? m_rows : m_cols;
    if (at < 0 || at >= lines || count <= 0)
        return;
    count = std::min(count, lines - at);
    // Cells are freed while the store is still whole: their destructors may look around.
    for (int r = rows ? at : 0; r < (rows ? at + count : m_rows); ++r)
        for (int c = rows ? 0 : at; c < (rows ? m_cols : at + count); ++c)
            Free(r, c);
    TCellInfo **slots = m_slots.get();
    if (rows) {
        const int64_t head = int64_t(at) * m_cols;
        const int64_t gap = int64_t(count) * m_cols;
        for (int64_t i = head + gap; i < m_count; ++i) {
            TCellInfo *cell = slots[i];
            slots[i - gap] = cell;
            if (cell)
                cell->SetPosition(int((i - gap) / m_cols), int(i % m_cols));
        }
        m_rows -= count;
        m_count = m_rows * m_cols;
        return;
    } else {
        const int newCols = m_cols - count;
        for (int64_t r = 0; r < m_rows; ++r) {
            std::memmove(slots + r * newCols, slots + r * m_cols, size_t(at) * sizeof(TCellInfo *));
            std::memmove(slots + r * newCols + at, slots + r * m_cols + at + count,
                         size_t(m_cols - at - count) * sizeof(TCellInfo *));
        }
        m_cols = newCols;
    }
    m_count = m_rows * m_cols;
    renumber(slots, rows ? int64_t(at) * m_cols : 0, m_count, std::max(m_cols, 1));
}

void TCellList::MoveLines(int from, int count, int to, bool rows)
{
    const int lines = rows ? m_rows : m_cols;
    if (count <= 0 || from < 0 || from + count > lines || to < 0 || to + count > lines || to == from)
        return;
    // The lines between the block and its target rotate with it.
    const int first = std::min(from, to);
    const int last = std::max(from, to) + count; // one past
    const int middle = to < from ? from : from + count;
    TCellInfo **slots = m_slots.get();
    if (rows) {
        std::rotate(slots + int64_t(first) * m_cols, slots + int64_t(middle) * m_cols, slots + int64_t(last) * m_cols);
        renumber(slots, int64_t(first) * m_cols, int64_t(last) * m_cols, m_cols);
    } else {
        for (int64_t r = 0; r < m_rows; ++r) {
            TCellInfo **row = slots + r * m_cols;
            std::rotate(row + first, row + middle, row + last);
            renumber(slots, r * m_cols + first, r * m_cols + last, m_cols);
        }
    }
}

} // namespace qor
