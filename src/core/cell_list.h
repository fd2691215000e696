#pragma once
// The cell store: Rows x Cols slots in row-major order, each empty or owning one cell.
// An untouched cell costs one null pointer; slots come zeroed from the allocator, so a large
// empty grid does not even touch its pages.
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include "platform/qor_global.h"

namespace qor {

class TCellInfo;

class QOR_EXPORT TCellList {
public:
    TCellList() = default;
    ~TCellList();
    TCellList(const TCellList &) = delete;
    TCellList &operator=(const TCellList &) = delete;

    int Count() const { return m_count; }
    int RowCount() const { return m_rows; }
    int ColCount() const { return m_cols; }
    // Nothing for an index outside 0..Count-1.
    TCellInfo *Get(int Index) const { return Index >= 0 && Index < m_count ? m_slots[Index] : nullptr; }
    TCellInfo *At(int Row, int Col) const
    {
        return Row >= 0 && Row < m_rows && Col >= 0 && Col < m_cols ? m_slots[int64_t(Row) * m_cols + Col] : nullptr;
    }
    // Stores a cell in an empty slot and owns it from then on.
    void Put(int Row, int Col, TCellInfo *Cell);
    // Frees the cell of a slot.
    void Free(int Row, int Col);
    // Takes a cell out of its slot without freeing it.
    TCellInfo *Take(int Row, int Col);
    // Frees every cell; the slots stay.
    void FreeAll();

    // Whether Rows x Cols slots fit in an int.
    static bool FitsInt(int64_t Rows, int64_t Cols);
    // Frees every cell and makes Rows x Cols empty slots. False, with nothing changed, when
    // the product does not fit in an int or the slots cannot be allocated. beforeFree runs
    // once the new slots exist, just before the old cells are freed.
    bool Reset(int Rows, int Cols, const std::function<void()> &beforeFree = {});
    // Structural changes of whole rows (rows true) or columns, each one pass over the slots;
    // the cells that move learn their new position.
    // Opens count empty lines before line at; false, with nothing changed, when they cannot be
    // held.
    bool InsertLines(int at, int count, bool rows);
    // Frees the cells of lines at..at+count-1 and closes the gap.
    void RemoveLines(int at, int count, bool rows);
    // Moves lines from..from+count-1 so that the block starts at line to (0 <= to <= lines -
    // count) and the lines between close up.
    void MoveLines(int from, int count, int to, bool rows);

    // Number of cells that exist.
    int CellCount() const { return m_cells; }

    // Every cell sits in the slot of its own position, no cell twice, the count of existing
    // cells is right. Returns an empty text when consistent, else what is wrong.
    std::string checkConsistency() const;

private:
    struct FreeDeleter {
        void operator()(TCellInfo **p) const { std::free(p); }
    };
    std::unique_ptr<TCellInfo *[], FreeDeleter> m_slots;
    int m_count = 0;
    int m_rows = 0;
    int m_cols = 0;
    int m_cells = 0;
};

} // namespace qor
