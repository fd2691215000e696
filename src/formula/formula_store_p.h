#pragma once
// What the grid knows about its formulas: the formula cells in entry order, each one's last
// value, the cells that depend on each position, and the marks of a recalculation pass.
#include <cstdint>
#include <string>
#include <climits>
#include <memory>
#include <vector>
#include <QRect>
#include "formula/engine/exp_value.h"
#include "formula/flat_map_p.h"
#include "formula/formula_compiled_p.h"
#include "platform/qor_global.h"

namespace qor {

class TCellInfo;

// A position as one number: row in the high half, column in the low half.
using PosKey = int64_t;
inline PosKey MakeKey(int row, int col) { return (int64_t(row) << 32) | uint32_t(col); }
inline int KeyRow(PosKey k) { return int(k >> 32); }
inline int KeyCol(PosKey k) { return int(uint32_t(k)); }

constexpr PosKey NoKey = INT64_MIN;

// The formula positions that read one position, in the order they were added. Nearly every
// position is read by one formula: that one sits in the table entry itself, so finding it
// costs no second memory access; further ones go to a vector.
class DepList {
public:
    size_t size() const { return m_first == NoKey ? 0 : 1 + m_more.size(); }
    bool empty() const { return m_first == NoKey; }
    PosKey operator[](size_t i) const { return i == 0 ? m_first : m_more[i - 1]; }
    PosKey back() const { return m_more.empty() ? m_first : m_more.back(); }
    void push_back(PosKey key)
    {
        if (m_first == NoKey)
            m_first = key;
        else
            m_more.push_back(key);
    }
    // Keeps the order of the others.
    void erase(size_t i)
    {
        if (i > 0) {
            m_more.erase(m_more.begin() + std::ptrdiff_t(i - 1));
        } else if (m_more.empty()) {
            m_first = NoKey;
        } else {
            m_first = m_more.front();
            m_more.erase(m_more.begin());
        }
    }
    // The index of key, or size() when absent.
    size_t indexOf(PosKey key) const
    {
        const size_t n = size();
        for (size_t i = 0; i < n; ++i)
            if ((*this)[i] == key)
                return i;
        return n;
    }
    void clear()
    {
        m_first = NoKey;
        m_more.clear();
    }

private:
    PosKey m_first = NoKey;
    std::vector<PosKey> m_more;
};

struct FormulaSlot {
    ExpValue value;
    int listIndex = -1;          // place in the formula list, -1 when not listed
    uint32_t evaluatedPass = 0;  // equal to the store's pass: evaluated in this pass
    uint32_t stalePass = 0;      // equal to the store's pass: must be evaluated in a partial pass
    bool evaluating = false;     // on the chain of evaluations in progress
    CompiledFormula compiled; // in place: read right after the marks, without a pointer to follow
};

class QOR_AUTOTEST_EXPORT FormulaStore {
public:
    // --- Slots (a formula cell's value and marks), kept beside the cells so that a cell stays small
    FormulaSlot &Slot(const TCellInfo *cell)
    {
        if (const uint32_t *at = m_slotIndex.find(cell))
            return m_slots[*at];
        return NewSlot(cell);
    }
    FormulaSlot *FindSlot(const TCellInfo *cell)
    {
        const uint32_t *at = m_slotIndex.find(cell);
        return at ? &m_slots[*at] : nullptr;
    }
    void Forget(const TCellInfo *cell);

    // --- The formula list, in entry order; freed or removed entries leave holes until compacted
    bool AddFormulaCell(TCellInfo *cell);
    void DeleteFormulaCell(TCellInfo *cell);
    const std::vector<TCellInfo *> &List() const { return m_list; }
    // The slot of each list entry (meaningless for holes): a walk of the list reaches slots
    // and registrations without a search.
    const std::vector<uint32_t> &ListSlots() const { return m_listSlots; }
    // Closes the holes (not during a walk of the list).
    void Compact();
    int Count() const { return int(m_list.size()) - m_holes; }

    // --- Keys of positions. A key holds the row less a row origin: lines inserted or deleted
    // above everything a formula touches leave its keys, and so its dependents, as they are.
    PosKey Key(int row, int col) const { return MakeKey(row - m_rowOrigin, col); }
    int RowOfKey(PosKey key) const { return KeyRow(key) + m_rowOrigin; }
    int RowOrigin() const { return m_rowOrigin; }
    void MoveRowOrigin(int by) { m_rowOrigin += by; }

    // --- Registration: the areas (in keys: rows less the origin, clipped to the grid) with which
    // a formula joined the dependents, so that it can leave them exactly and a change that
    // leaves them the same costs one comparison.
    // wellFormed: the formula's text was read to its end (no malformed range cut it short).
    void Register(const TCellInfo *cell, PosKey self, const QRect *keyAreas, size_t count, bool wellFormed);
    void Unregister(const TCellInfo *cell);
    // The keys inside key areas, without repeats (out is cleared first).
    static void KeysOf(const QRect *areas, size_t count, std::vector<PosKey> &out);
    // Whether the formula of a slot (from ListSlots()) is registered with exactly these.
    bool RegisteredAt(uint32_t slot, PosKey self, const std::vector<QRect> &keyAreas, bool wellFormed) const;
    // Whether the formula of a slot is registered under self from a well-formed text.
    bool RegisteredWellFormedAs(uint32_t slot, PosKey self) const
    {
        return slot < m_registrations.size() && m_registrations[slot].self == self && m_registrations[slot].wellFormed;
    }
    // For a walk over many formulas: a registration and, once that is near, its areas.
    void PrefetchRegistration(uint32_t slot) const { __builtin_prefetch(&m_registrations[slot]); }
    void PrefetchAreas(uint32_t slot) const
    {
        if (m_registrations[slot].first < m_areas.size())
            __builtin_prefetch(m_areas.data() + m_registrations[slot].first);
    }

    // --- Dependents: position -> formula positions that refer to it, no duplicates
    void AddDependent(PosKey referenced, PosKey dependent);
    void RemoveDependent(PosKey referenced, PosKey dependent);
    void RemoveDependentAt(PosKey referenced, size_t index);
    DepList *Dependents(PosKey referenced) { return m_dependents.find(referenced); }
    // Also forgets every registration.
    void ClearDependents();
    size_t DependentKeyCount() const { return m_dependents.size(); }
    template <class F>
    void ForEachDependents(F f) const
    {
        m_dependents.forEach(f);
    }

    // --- Pass marks: a new pass forgets every "evaluated" mark at once
    void NewPass()
    {
        ++m_pass;
        m_partial = false;
    }
    // A new pass in which every formula counts as evaluated unless marked stale: after a change
    // that can alter only some values, the others are read as they are.
    void NewPartialPass()
    {
        ++m_pass;
        m_partial = true;
    }
    bool Evaluated(const FormulaSlot &s) const
    {
        return s.evaluatedPass == m_pass || (m_partial && s.stalePass != m_pass);
    }
    void MarkStale(FormulaSlot &s) { s.stalePass = m_pass; }
    bool Stale(const FormulaSlot &s) const { return m_partial && s.stalePass == m_pass && s.evaluatedPass != m_pass; }
    void MarkEvaluated(FormulaSlot &s) { s.evaluatedPass = m_pass; }
    using KeySet = FlatMap<PosKey, char, NoKey>;
    KeySet &Visiting() { return m_visiting; }
    std::vector<TCellInfo *> &Evaluating() { return m_evaluating; }

    // Nothing of any formula is held: no slot, no list entry, no dependent. Storing plain
    // texts in a sheet without formulas then costs no search.
    bool Empty() const { return m_slotIndex.empty() && m_dependents.empty() && Count() == 0; }
    void Clear();
    // Empty when the list, the slots, the registrations and the dependents agree; otherwise
    // what is wrong. Strict: no entry outside the registrations either.
    std::string checkConsistency(bool strict = false) const;

private:
    // References into these maps hold only until the next insertion or erasure.
    // Slots sit in one array in the order they were made (a chain of formulas entered in order
    // reads them one after another); the index finds a cell's slot.
    FormulaSlot &NewSlot(const TCellInfo *cell);
    void CompactAreas();
    FlatMap<const TCellInfo *, uint32_t, nullptr> m_slotIndex;
    std::vector<FormulaSlot> m_slots;
    std::vector<uint32_t> m_freeSlots;
    std::vector<TCellInfo *> m_list;
    std::vector<uint32_t> m_listSlots;
    int m_holes = 0;
    FlatMap<PosKey, DepList, NoKey> m_dependents;
    // By slot index, beside the slots so that the slots stay small for evaluation.
    struct Registration {
        PosKey self = NoKey;
        uint32_t first = 0; // into m_areas
        uint32_t count = 0;
        bool wellFormed = true;
    };
    std::vector<Registration> m_registrations;
    std::vector<QRect> m_areas;   // every registration's areas; replaced ones leave garbage
    size_t m_areaGarbage = 0;
    std::vector<PosKey> m_keyScratch;
    int m_rowOrigin = 0;
    uint32_t m_pass = 1;
    bool m_partial = false;
    KeySet m_visiting;
    std::vector<TCellInfo *> m_evaluating;
};

} // namespace qor
