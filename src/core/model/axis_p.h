#pragma once
// Sizes along one direction of the sheet: row heights or column widths, with the saved size of
// hidden entries, the physical size in the current unit and cumulative far edges. Written once
// and used for both rows and columns. Edges count from a moving origin, so that a change near
// either end rewrites only the edges on that side.
#include <cstdint>
#include <string>
#include <vector>
#include "core/model/ends_vector.h"
#include "core/model/enums.h"
#include "platform/qor_global.h"

namespace qor {

// Pixel <-> unit conversions at the screen's resolution.
QOR_AUTOTEST_EXPORT double PixelsToUnit(int pixels, TUnitType unit);
QOR_AUTOTEST_EXPORT int UnitToPixels(double value, TUnitType unit);

struct AxisEntry {
    int32_t size = 0;       // current size: 0 while hidden
    int32_t savedSize = 0;  // size when visible
    double phySize = 0;     // size in the current unit
    double savedPhySize = 0;
    int64_t storedEdge = 0; // far edge (sum of the sizes of entries 0..this) less the axis's origin
    bool visible = true;
};

class QOR_AUTOTEST_EXPORT Axis {
public:
    int Count() const { return int(m_entries.size()); }
    bool Valid(int i) const { return i >= 0 && i < Count(); }
    const AxisEntry &Entry(int i) const { return m_entries[size_t(i)]; }

    // Count entries of the default size, all visible. Throws std::bad_alloc when it cannot.
    void Reset(int count, int defaultSize, TUnitType unit);
    // Appends count default entries.
    void Append(int count, int defaultSize, TUnitType unit);
    void Insert(int at, int count, int defaultSize, TUnitType unit);
    void Remove(int at, int count);
    void Move(int from, int to);
    // Moves entries from..from+count-1 so that they start at to (0 <= to <= Count - count).
    void MoveBlock(int from, int count, int to);
    // Entry first + i takes the old entry source[i] (a permutation of first..first+n-1).
    void Permute(int first, const std::vector<int> &source);

    // The size as a user reads it: the saved size of a hidden entry. 0 outside.
    int VisibleSize(int i) const { return Valid(i) ? m_entries[size_t(i)].savedSize : 0; }
    // The size it occupies now: 0 when hidden or outside.
    int CurrentSize(int i) const { return Valid(i) ? m_entries[size_t(i)].size : 0; }
    // Far edge of entry i; 0 before the first, the total after the last.
    int64_t Edge(int i) const;
    int64_t Total() const { return m_entries.empty() ? 0 : m_entries.back().storedEdge + m_edgeOrigin; }

    void SetSize(int i, int pixels, TUnitType unit);
    // Stores a physical size (current and saved, 0 for a negative value) and derives the pixel
    // size from it: in millimetres and inches the physical size is the master.
    void SetPhySize(int i, double value, TUnitType unit);
    void SetVisible(int i, bool visible, TUnitType unit = utPixel);
    // The same for many entries: the edges are left for one Recalc after the last.
    void SetVisibleNoEdges(int i, bool visible, TUnitType unit);
    // Every visible entry of size oldSize, and the saved size of every hidden one, becomes
    // newSize. keep(i) true leaves an entry alone (sizes read from a stream).
    template <class Keep>
    void ChangeDefault(int oldSize, int newSize, TUnitType unit, Keep &&keep)
    {
        for (int i = 0; i < Count(); ++i) {
            if (keep(i))
                continue;
            AxisEntry &e = m_entries[size_t(i)];
            if (!e.visible) {
                e.savedSize = newSize;
                e.savedPhySize = PixelsToUnit(newSize, unit);
            } else if (e.size == oldSize) {
                e.size = e.savedSize = newSize;
                e.phySize = e.savedPhySize = PixelsToUnit(newSize, unit);
            }
        }
        Recalc(0);
    }
    // Sizes read from a document, entry by entry without the edges: the reader recomputes
    // them once with Recalc(0) after the last one. A hidden entry occupies nothing and keeps
    // savedSize for when it is shown.
    void SetStoredSize(int i, bool visible, int savedSize)
    {
        AxisEntry &e = m_entries.at(size_t(i));
        e.visible = visible;
        e.savedSize = savedSize;
        e.size = visible ? savedSize : 0;
    }
    void SetStoredPhySize(int i, double savedPhySize)
    {
        AxisEntry &e = m_entries.at(size_t(i));
        e.savedPhySize = savedPhySize;
        e.phySize = e.visible ? savedPhySize : 0;
    }
    // Recomputes the physical sizes for another unit.
    void ConvertUnit(TUnitType unit);
    // Recomputes the cumulative edges from entry `from` onward.
    void Recalc(int from);
    // The sizes of entries from `from` on changed by delta in all: their edges follow, or
    // rather those of the entries before and the origin when they are fewer.
    void EdgesShifted(int from, int64_t delta);
    // The entry whose span holds pos (0-based from the first entry's start), or -1.
    int IndexAt(int64_t pos) const;
    // The first entry whose far edge is at or beyond pos; Count() when none.
    int FirstEdgeAtLeast(int64_t pos) const;

    // Empty text when the edges are the cumulative sums of the sizes and hidden entries have
    // size 0; otherwise what is wrong.
    std::string checkConsistency() const;

private:
    // Edges of entries [first, last) from the sizes, starting from the edge before first.
    void recalcRange(int first, int last);
    // Entry i's size became newSize (from oldSize).
    void sizeChanged(int i, int oldSize);

    EndsVector<AxisEntry> m_entries;
    int64_t m_edgeOrigin = 0;
};

} // namespace qor
