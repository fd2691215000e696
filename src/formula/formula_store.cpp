#include "formula/formula_store_p.h"

#include <algorithm>
#include <set>

namespace qor {

FormulaSlot &FormulaStore::NewSlot(const TCellInfo *cell)
{
    uint32_t at;
    if (!m_freeSlots.empty()) {
        at = m_freeSlots.back();
        m_freeSlots.pop_back();
    } else {
        at = uint32_t(m_slots.size());
        m_slots.emplace_back();
    }
    m_slotIndex[cell] = at;
    return m_slots[at];
}

void FormulaStore::Forget(const TCellInfo *cell)
{
    const uint32_t *at = m_slotIndex.find(cell);
    if (!at)
        return;
    FormulaSlot &slot = m_slots[*at];
    if (slot.listIndex >= 0) {
        m_list[size_t(slot.listIndex)] = nullptr;
        ++m_holes;
    }
    slot = FormulaSlot();
    m_freeSlots.push_back(*at);
    m_slotIndex.erase(cell);
}

bool FormulaStore::AddFormulaCell(TCellInfo *cell)
{
    FormulaSlot &s = Slot(cell);
    if (s.listIndex >= 0)
        return false;
    s.listIndex = int(m_list.size());
    m_list.push_back(cell);
    return true;
}

void FormulaStore::DeleteFormulaCell(TCellInfo *cell)
{
    FormulaSlot *s = FindSlot(cell);
    if (!s || s->listIndex < 0)
        return;
    m_list[size_t(s->listIndex)] = nullptr;
    s->listIndex = -1;
    ++m_holes;
}

void FormulaStore::Compact()
{
    if (m_holes == 0)
        return;
    size_t w = 0;
    for (TCellInfo *cell : m_list) {
        if (!cell)
            continue;
        Slot(cell).listIndex = int(w);
        m_list[w++] = cell;
    }
    m_list.resize(w);
    m_holes = 0;
}

void FormulaStore::AddDependent(PosKey referenced, PosKey dependent)
{
    DepList &list = m_dependents[referenced];
    // A formula registers each position once, so a repeat can only be the formula just added.
    if (!list.empty() && list.back() == dependent)
        return;
    list.push_back(dependent);
}

void FormulaStore::RemoveDependent(PosKey referenced, PosKey dependent)
{
    DepList *list = m_dependents.find(referenced);
    if (!list)
        return;
    const size_t at = list->indexOf(dependent);
    if (at < list->size())
        list->erase(at);
    if (list->empty())
        m_dependents.erase(referenced);
}

void FormulaStore::RemoveDependentAt(PosKey referenced, size_t index)
{
    DepList *list = m_dependents.find(referenced);
    if (!list || index >= list->size())
        return;
    list->erase(index);
    if (list->empty())
        m_dependents.erase(referenced);
}

void FormulaStore::Clear()
{
    m_slotIndex.clear();
    m_slots.clear();
    m_freeSlots.clear();
    m_list.clear();
    m_holes = 0;
    m_dependents.clear();
    m_visiting.clear();
    m_evaluating.clear();
}

std::string FormulaStore::checkConsistency() const
{
    int holes = 0;
    for (size_t i = 0; i < m_list.size(); ++i) {
        const TCellInfo *cell = m_list[i];
        if (!cell) {
            ++holes;
            continue;
        }
        const FormulaSlot *slot = const_cast<FormulaStore *>(this)->FindSlot(cell);
        if (!slot)
            return "listed formula cell without a slot at " + std::to_string(i);
        if (slot->listIndex != int(i))
            return "slot index " + std::to_string(slot->listIndex) + " for list entry " + std::to_string(i);
    }
    if (holes != m_holes)
        return "hole count " + std::to_string(m_holes) + ", counted " + std::to_string(holes);
    std::string problem;
    auto fail = [&problem](std::string text) {
        if (problem.empty())
            problem = std::move(text);
    };
    m_slotIndex.forEach([&](const TCellInfo *cell, uint32_t at) {
        const FormulaSlot &slot = m_slots[at];
        if (slot.listIndex >= int(m_list.size()) || (slot.listIndex >= 0 && m_list[size_t(slot.listIndex)] != cell))
            fail("slot points at a wrong list entry");
        if (slot.evaluating)
            fail("evaluating mark left after a pass");
    });
    m_dependents.forEach([&](PosKey key, const DepList &list) {
        if (list.empty())
            fail("empty dependent list kept");
        std::set<PosKey> seen;
        for (size_t i = 0; i < list.size(); ++i)
            seen.insert(list[i]);
        if (seen.size() != list.size())
            fail("duplicate dependent of " + std::to_string(KeyRow(key)) + "-" + std::to_string(KeyCol(key)));
    });
    if (!m_visiting.empty())
        fail("visiting marks left after a pass");
    if (!m_evaluating.empty())
        fail("evaluation chain left after a pass");
    return problem;
}

} // namespace qor
