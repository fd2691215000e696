#pragma once
// Merged areas: the list of owner cells, the extents stored on them and the covered cells they
// mark. Areas never overlap, lie inside the grid, and the list holds exactly the owners larger
// than 1 x 1; every mutation keeps that, and checkConsistency() says where it does not.
#include <QRect>
#include <cstdint>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

struct GridPrivate;
class TCellInfo;

class QOR_AUTOTEST_EXPORT MergeTable final {
public:
    explicit MergeTable(GridPrivate &d) : m_d(d) {}

    // Lines that cross merged areas are worked out while painting; nothing is kept yet.
    void RecalcCrossingLines() {}
    void Clear();
    // Every merged area that intersects the rectangle is absorbed until none sticks out; with
    // row selection on (and not loading) the result also spans all columns.
    QRect AbsorbMerges(const QRect &rect) const { return absorb(rect, nullptr); }
    // Re-applies every listed merge (after loading, sorting, row and column operations).
    void CalMergeCell();
    // Structural changes bracket themselves with these instead: every covered mark is taken
    // off before (so no stale one can survive) and put back after, in time proportional to the
    // merged cells rather than to the sheet.
    void ReleaseAll();
    void Reapply();
    // Inserting or deleting lines leaves most areas as they are. Only the areas that reach into
    // lines first..last are released; they, and every area added until ReapplyReleased, are
    // put back then. The areas that only moved keep their marks: MoveLinks tells their covered
    // cells the owner's new position (lines from on, new numbering, moved by delta).
    void ReleaseLines(int first, int last, bool vertical);
    void MoveLinks(int from, int delta, bool vertical);
    void ReapplyReleased();
    // The cell is about to be freed: it leaves the merge list.
    void CellFreed(TCellInfo &cell);

    // --- The merge list, in insertion order
    int Count() const { return m_live; }
    bool Contains(const TCellInfo *cell) const { return m_index.count(cell) != 0; }
    // Adds once; removing an absent cell does nothing.
    void Add(TCellInfo *cell);
    void Remove(const TCellInfo *cell);
    // The listed owners, first to last (a snapshot: safe to change the list while walking it).
    std::vector<TCellInfo *> Owners() const;

    // --- Extents
    // Sets an owner's extent along one direction (clipping, absorbing overlapping areas).
    void SetExtent(TCellInfo &cell, int n, bool vertical);
    // Merges the rectangle; false when nothing was done (invalid, reversed, a single cell).
    bool MergeCells(int row1, int col1, int row2, int col2);
    // The merged area holding a position, in cell coordinates; the cell alone when not merged.
    QRect AreaAt(int row, int col) const;

    // --- Structural changes
    // Before rows (columns) first..first+count-1 are removed.
    void DelLines(int first, int count, bool vertical);
    // Areas that start before index and reach into index..index+count-1 give up the lines
    // inside that span: each such line's cell in the area's first column (row) becomes the
    // owner of that line's part.
    void ResetLines(int index, int count, bool vertical);
    // For a move of lines from..from+count-1 (DelLines already run on them): splits the other
    // areas at the place where the block lands, closedIndex counted without the block.
    void SplitForMove(int closedIndex, int from, int count, bool vertical);

    // --- Checks
    // The sort range first..last (inclusive) cuts merged areas of unequal shape. isGroupHeader
    // tells group header rows, whose horizontal merges do not count.
    bool FindErrorMerge(int first, int last, const std::function<bool(int)> &isGroupHeader) const;
    bool EqualCellRect(int64_t index1, int64_t index2) const;

    // Empty text when the invariants hold, else what is wrong.
    std::string checkConsistency() const;

    // Counts the changes of areas made outside row and column operations (merging, clearing,
    // splitting, re-applying on request): formulas that read covered cells may need recalculating.
    uint64_t Generation() const { return m_generation; }

private:
    QRect absorb(QRect rect, const TCellInfo *exclude) const;
    // Makes cell the owner of exactly rows x cols (already clipped and absorbed).
    void setArea(TCellInfo &owner, int rows, int cols);
    // Runs f on the record of every cell of owner's area but the owner, where one exists.
    template <class F>
    void forEachCoveredRec(const TCellInfo &owner, F f) const;
    void releaseCovered(const TCellInfo &owner);
    void markCovered(TCellInfo &owner);
    void compact();
    // Puts the marks on the given owners, later entries of the list first.
    void reapply(std::vector<TCellInfo *> owners);
    // The cell at (across, line) becomes the owner of ext x acrossExt lines.
    TCellInfo *makeOwner(int across, int line, int ext, int acrossExt, bool vertical);

    GridPrivate &m_d;
    std::vector<TCellInfo *> m_list;   // null entries are removed owners, compacted lazily
    std::unordered_map<const TCellInfo *, size_t> m_index;
    int m_live = 0;
    bool m_recording = false;             // between ReleaseLines and ReapplyReleased
    std::vector<TCellInfo *> m_released;  // released or added meanwhile
    uint64_t m_generation = 0;
};

} // namespace qor
