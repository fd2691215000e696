#include "formula/formula_store_p.h"

#include <algorithm>
#include <set>

namespace qor {

void FormulaStore::Forget(const TCellInfo *cell)
{
    auto it = m_slots.find(cell);
    if (it == m_slots.end())
        return;
    if (it->second.listIndex >= 0) {
        m_list[size_t(it->second.listIndex)] = nullptr;
        ++m_holes;
    }
    m_slots.erase(it);
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
        m_slots[cell].listIndex = int(w);
        m_list[w++] = cell;
    }
    m_list.resize(w);
    m_holes = 0;
}

void FormulaStore::AddDependent(PosKey referenced, PosKey dependent)
{
    std::vector<PosKey> &list = m_dependents[referenced];
    // A formula registers each position once, so a repeat can only be the formula just added.
    if (!list.empty() && list.back() == dependent)
        return;
    list.push_back(dependent);
}

void FormulaStore::RemoveDependent(PosKey referenced, PosKey dependent)
{
    auto it = m_dependents.find(referenced);
    if (it == m_dependents.end())
        return;
    std::vector<PosKey> &list = it->second;
    auto at = std::find(list.begin(), list.end(), dependent);
    if (at != list.end())
        list.erase(at);
    if (list.empty())
        m_dependents.erase(it);
}

void FormulaStore::RemoveDependentAt(PosKey referenced, size_t index)
{
    auto it = m_dependents.find(referenced);
    if (it == m_dependents.end() || index >= it->second.size())
        return;
    it->second.erase(it->second.begin() + std::ptrdiff_t(index));
    if (it->second.empty())
        m_dependents.erase(it);
}

void FormulaStore::Clear()
{
    m_slots.clear();
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
        auto it = m_slots.find(cell);
        if (it == m_slots.end())
            return "listed formula cell without a slot at " + std::to_string(i);
        if (it->second.listIndex != int(i))
            return "slot index " + std::to_string(it->second.listIndex) + " for list entry " + std::to_string(i);
    }
    if (holes != m_holes)
        return "hole count " + std::to_string(m_holes) + ", counted " + std::to_string(holes);
    for (const auto &[cell, slot] : m_slots)
        if (slot.listIndex >= int(m_list.size()) || (slot.listIndex >= 0 && m_list[size_t(slot.listIndex)] != cell))
            return "slot points at a wrong list entry";
    for (const auto &[key, list] : m_dependents) {
        if (list.empty())
            return "empty dependent list kept";
        std::set<PosKey> seen(list.begin(), list.end());
        if (seen.size() != list.size())
            return "duplicate dependent of " + std::to_string(KeyRow(key)) + "-" + std::to_string(KeyCol(key));
    }
    if (!m_visiting.empty())
        return "visiting marks left after a pass";
    if (!m_evaluating.empty())
        return "evaluation chain left after a pass";
    for (const auto &[cell, slot] : m_slots)
        if (slot.evaluating)
            return "evaluating mark left after a pass";
    return {};
}

} // namespace qor
