#pragma once
// The cell store: Rows x Cols slots in row-major order, each empty or owning one cell.
// An untouched cell costs one null pointer; slots come zeroed from the allocator, so a large
// empty grid does not even touch its pages. The slots have room at both ends and cells keep
// their row relative to a moving origin, so rows go in and out near the top or the bottom at
// the cost of the few rows on that side.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>
#include "core/model/cell_home.h"
#include "core/model/cell_pool_p.h"
#include "core/model/ends_vector.h"
#include "platform/qor_global.h"

namespace qor {

class TCellInfo;

class QOR_EXPORT TCellList {
public:
    // Grid: the grid whose cells the store takes (nothing for cells made without a grid).
    explicit TCellList(TCustomQorGrid *Grid = nullptr);
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
    // The cell of a slot, made there when there is none; nothing outside the store.
    TCellInfo *Obtain(int Row, int Col)
    {
        if (Row < 0 || Row >= m_rows || Col < 0 || Col >= m_cols)
            return nullptr;
        TCellInfo *&slot = m_slots[size_t(int64_t(Row) * m_cols + Col)];
        return slot ? slot : (slot = NewStoredCell(Row, Col));
    }
    // A new cell of this store at (Row, Col), not yet in a slot: Put places it.
    TCellInfo *NewCell(int Row, int Col);
    // Stores a cell in a slot (freeing the one there) and owns it from then on; the cell takes
    // the slot's position. False, with nothing changed, outside the store, for no cell, or for
    // a cell this store did not make.
    bool Put(int Row, int Col, TCellInfo *Cell);
    // Frees the cell of a slot.
    void Free(int Row, int Col);
    // Takes a cell out of its slot without freeing it; it keeps its position.
    TCellInfo *Take(int Row, int Col);
    // The origin the stored rows of the cells in the store count from.
    int RowOrigin() const { return m_home.rowOrigin; }
    // Frees every cell; the slots stay.
    void FreeAll();

    // A cell holds its column in 27 bits. A column record alone costs more than a hundred
    // bytes, so memory ends long before this.
    static constexpr int kMaxCols = (1 << 26) - 1;
    // Whether Rows x Cols slots fit in an int, with no more than kMaxCols columns.
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
    // Row first + i takes the cells of old row source[i] (a permutation of first..first+n-1);
    // the columns for which stays(col) is true keep their cells where they are. Returns
    // whether any cell of those rows has a record of its own (frames to share, maybe).
    bool PermuteRows(int first, const std::vector<int> &source, const std::function<bool(int)> &stays = {});
    // Whether any cell of rows first..last has a record of its own.
    bool RecordsInRows(int first, int last) const;

    // Number of cells that exist.
    int CellCount() const { return m_cells; }
    // Number of this store's cells (in slots or out) that own a font, items, a picture, rich
    // text or an adapter.
    size_t OwnedObjectsCount() const { return m_extras.size(); }

    // Every cell sits in the slot of its own position and counts its row from this store's
    // origin, no cell twice, the count of existing cells is right, every stored row fits.
    // Returns an empty text when consistent, else what is wrong.
    std::string checkConsistency() const;

private:
    TCellInfo *NewStoredCell(int Row, int Col);
    // Stored rows of the cells in slots [first, last) change by delta.
    void addToStoredRows(int64_t first, int64_t last, int delta);
    // Lines were inserted (delta > 0) or removed before row at of a store of oldRows rows:
    // renumbers the cells of the shorter side, moving the origin when that is the top.
    void rowsShifted(int at, int oldRows, int delta);
    // Columns from first on tell their cells their column again.
    void renumberCols(int first);
    // Makes every stored row absolute (origin 0).
    void flattenOrigin();
    static bool originFits(int64_t origin, int64_t rows);

    EndsVector<TCellInfo *> m_slots;
    CellExtrasTable m_extras;
    CellHome m_home;
    CellPool m_pool; // after the home its slabs point to
    int m_count = 0;
    int m_rows = 0;
    int m_cols = 0;
    int m_cells = 0;
};

} // namespace qor
