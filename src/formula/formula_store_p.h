#pragma once
// What the grid knows about its formulas: the formula cells in entry order, each one's last
// value, the cells that depend on each position, and the marks of a recalculation pass.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>
#include "formula/exp_value.h"
#include "platform/qor_global.h"

namespace qor {

class TCellInfo;

// A position as one number: row in the high half, column in the low half.
using PosKey = int64_t;
inline PosKey MakeKey(int row, int col) { return (int64_t(row) << 32) | uint32_t(col); }
inline int KeyRow(PosKey k) { return int(k >> 32); }
inline int KeyCol(PosKey k) { return int(uint32_t(k)); }

struct FormulaSlot {
    ExpValue value;
    int listIndex = -1;          // place in the formula list, -1 when not listed
    uint32_t evaluatedPass = 0;  // equal to the store's pass: evaluated in this pass
    bool evaluating = false;     // on the chain of evaluations in progress
};

class QOR_AUTOTEST_EXPORT FormulaStore {
public:
    // --- Slots (a formula cell's value and marks), kept beside the cells so that a cell stays small
    FormulaSlot &Slot(const TCellInfo *cell) { return m_slots[cell]; }
    FormulaSlot *FindSlot(const TCellInfo *cell)
    {
        auto it = m_slots.find(cell);
        return it == m_slots.end() ? nullptr : &it->second;
    }
    void Forget(const TCellInfo *cell);

    // --- The formula list, in entry order; freed or removed entries leave holes until compacted
    bool AddFormulaCell(TCellInfo *cell);
    void DeleteFormulaCell(TCellInfo *cell);
    const std::vector<TCellInfo *> &List() const { return m_list; }
    // Closes the holes (not during a walk of the list).
    void Compact();
    int Count() const { return int(m_list.size()) - m_holes; }

    // --- Dependents: position -> formula positions that refer to it, no duplicates
    void AddDependent(PosKey referenced, PosKey dependent);
    void RemoveDependent(PosKey referenced, PosKey dependent);
    void RemoveDependentAt(PosKey referenced, size_t index);
    std::vector<PosKey> *Dependents(PosKey referenced)
    {
        auto it = m_dependents.find(referenced);
        return it == m_dependents.end() ? nullptr : &it->second;
    }
    void ClearDependents() { m_dependents.clear(); }
    size_t DependentKeyCount() const { return m_dependents.size(); }

    // --- Pass marks: a new pass forgets every "evaluated" mark at once
    void NewPass() { ++m_pass; }
    bool Evaluated(const FormulaSlot &s) const { return s.evaluatedPass == m_pass; }
    void MarkEvaluated(FormulaSlot &s) { s.evaluatedPass = m_pass; }
    std::unordered_set<PosKey> &Visiting() { return m_visiting; }
    std::vector<TCellInfo *> &Evaluating() { return m_evaluating; }

    void Clear();
    // Empty when the list, the slots and the dependents agree; otherwise what is wrong.
    std::string checkConsistency() const;

private:
    std::unordered_map<const TCellInfo *, FormulaSlot> m_slots;
    std::vector<TCellInfo *> m_list;
    int m_holes = 0;
    std::unordered_map<PosKey, std::vector<PosKey>> m_dependents;
    uint32_t m_pass = 1;
    std::unordered_set<PosKey> m_visiting;
    std::vector<TCellInfo *> m_evaluating;
};

} // namespace qor
