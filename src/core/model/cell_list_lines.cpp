// Inserting, removing and moving whole rows or columns of the cell store.
#include "core/model/cell_list.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <new>
#include "core/model/cell.h"

namespace qor {

void TCellList::addToStoredRows(int64_t first, int64_t last, int delta)
{
    for (int64_t i = first; i < last; ++i)
        if (TCellInfo *cell = m_slots[size_t(i)])
            cell->m_storedRow += delta;
}

void TCellList::flattenOrigin()
{
    addToStoredRows(0, m_count, m_home.rowOrigin);
    m_home.rowOrigin = 0;
}

void TCellList::rowsShifted(int at, int oldRows, int delta)
{
    // Rows at..: moved by delta; rows above stay. The slots already moved.
    const int removed = delta < 0 ? -delta : 0;
    const int above = at;
    const int below = oldRows - at - removed;
    const int64_t newRows = int64_t(oldRows) + delta;
    const int64_t head = int64_t(at) * m_cols;
    if (above < below) {
        if (!originFits(int64_t(m_home.rowOrigin) + delta, newRows))
            flattenOrigin();
        m_home.rowOrigin += delta;
        addToStoredRows(0, head, -delta);
    } else {
        addToStoredRows(head + std::max(delta, 0) * int64_t(m_cols), m_count, delta);
    }
}

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
    if (rows) {
        const int64_t head = int64_t(at) * m_cols;
        try {
            m_slots.insert(m_slots.begin() + head, size_t(int64_t(count) * m_cols), nullptr);
        } catch (const std::bad_alloc &) {
            return false;
        }
        const int oldRows = m_rows;
        m_rows = int(newRows);
        m_count = int(newCount);
        rowsShifted(at, oldRows, count);
        return true;
    }
    EndsVector<TCellInfo *> slots;
    try {
        slots.assignZeroed(size_t(newCount));
    } catch (const std::bad_alloc &) {
        return false;
    }
    for (int64_t r = 0; r < m_rows; ++r) {
        TCellInfo **from = m_slots.data() + r * m_cols;
        TCellInfo **to = slots.data() + r * newCols;
        std::memcpy(to, from, size_t(at) * sizeof(TCellInfo *));
        std::memcpy(to + at + count, from + at, size_t(m_cols - at) * sizeof(TCellInfo *));
    }
    m_slots.swap(slots);
    m_cols = int(newCols);
    m_count = int(newCount);
    renumberCols(at);
    return true;
}

void TCellList::renumberCols(int first)
{
    for (int64_t r = 0; r < m_rows; ++r) {
        TCellInfo **row = m_slots.data() + r * m_cols;
        for (int c = first; c < m_cols; ++c)
            if (row[c])
                row[c]->m_col = c;
    }
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
    if (rows) {
        const int64_t head = int64_t(at) * m_cols;
        m_slots.erase(m_slots.begin() + head, m_slots.begin() + head + int64_t(count) * m_cols);
        const int oldRows = m_rows;
        m_rows -= count;
        m_count = m_rows * m_cols;
        rowsShifted(at, oldRows, -count);
        return;
    }
    TCellInfo **slots = m_slots.data();
    const int newCols = m_cols - count;
    for (int64_t r = 0; r < m_rows; ++r) {
        std::memmove(slots + r * newCols, slots + r * m_cols, size_t(at) * sizeof(TCellInfo *));
        std::memmove(slots + r * newCols + at, slots + r * m_cols + at + count,
                     size_t(m_cols - at - count) * sizeof(TCellInfo *));
    }
    m_cols = newCols;
    m_count = m_rows * m_cols;
    m_slots.erase(m_slots.begin() + m_count, m_slots.end());
    renumberCols(at);
}

void TCellList::MoveLines(int from, int count, int to, bool rows)
{
    const int lines = rows ? m_rows : m_cols;
    if (count <= 0 || from < 0 || int64_t(from) + count > lines || to < 0 || int64_t(to) + count > lines || to == from)
        return;
    // The lines between the block and its target rotate with it.
    const int first = std::min(from, to);
    const int last = std::max(from, to) + count; // one past
    const int middle = to < from ? from : from + count;
    TCellInfo **slots = m_slots.data();
    if (rows) {
        std::rotate(slots + int64_t(first) * m_cols, slots + int64_t(middle) * m_cols, slots + int64_t(last) * m_cols);
        for (int64_t i = int64_t(first) * m_cols; i < int64_t(last) * m_cols; ++i)
            if (TCellInfo *cell = slots[i])
                cell->SetPosition(int(i / m_cols), int(i % m_cols));
    } else {
        for (int64_t r = 0; r < m_rows; ++r) {
            TCellInfo **row = slots + r * m_cols;
            std::rotate(row + first, row + middle, row + last);
        }
        renumberCols(first);
    }
}

bool TCellList::RecordsInRows(int first, int last) const
{
    first = std::max(first, 0);
    last = std::min(last, m_rows - 1);
    for (int64_t i = int64_t(first) * m_cols, end = (int64_t(last) + 1) * m_cols; i < end; ++i)
        if (const TCellInfo *cell = m_slots[size_t(i)]; cell && cell->m_rec)
            return true;
    return false;
}

bool TCellList::PermuteRows(int first, const std::vector<int> &source, const std::function<bool(int)> &stays)
{
    const int n = int(source.size());
    if (n == 0 || m_cols <= 0 || first < 0 || int64_t(first) + n > m_rows)
        return false;
    bool records = false;
    std::vector<char> keep(size_t(m_cols), 0);
    if (stays)
        for (int c = 0; c < m_cols; ++c)
            keep[size_t(c)] = stays(c) ? 1 : 0;
    TCellInfo **slots = m_slots.data() + int64_t(first) * m_cols;
    std::vector<TCellInfo *> old(slots, slots + int64_t(n) * m_cols);
    for (int i = 0; i < n; ++i) {
        const int from = source[size_t(i)] - first;
        if (from == i)
            continue;
        TCellInfo **dst = slots + int64_t(i) * m_cols;
        TCellInfo *const *src = old.data() + int64_t(from) * m_cols;
        for (int c = 0; c < m_cols; ++c) {
            if (keep[size_t(c)])
                continue;
            dst[c] = src[c];
            if (dst[c]) {
                dst[c]->SetPosition(first + i, c);
                records = records || dst[c]->m_rec;
            }
        }
    }
    return records;
}

} // namespace qor
