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
        m_registrations.emplace_back();
    }
    m_slotIndex[cell] = at;
    return m_slots[at];
}

void FormulaStore::Forget(const TCellInfo *cell)
{
    const uint32_t *at = m_slotIndex.find(cell);
    if (!at)
        return;
    Unregister(cell);
    at = m_slotIndex.find(cell);
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
    m_listSlots.push_back(*m_slotIndex.find(cell));
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
    for (size_t i = 0; i < m_list.size(); ++i) {
        TCellInfo *cell = m_list[i];
        if (!cell)
            continue;
        m_slots[m_listSlots[i]].listIndex = int(w);
        m_listSlots[w] = m_listSlots[i];
        m_list[w++] = cell;
    }
    m_list.resize(w);
    m_listSlots.resize(w);
    m_holes = 0;
}

void FormulaStore::KeysOf(const QRect *areas, size_t count, std::vector<PosKey> &out)
{
    out.clear();
    for (size_t i = 0; i < count; ++i)
        for (int y = areas[i].top(); y <= areas[i].bottom(); ++y)
            for (int x = areas[i].left(); x <= areas[i].right(); ++x)
                out.push_back(MakeKey(y, x));
    if (count > 1) {
        std::sort(out.begin(), out.end());
        out.erase(std::unique(out.begin(), out.end()), out.end());
    }
}

void FormulaStore::Register(const TCellInfo *cell, PosKey self, const QRect *keyAreas, size_t count, bool wellFormed)
{
    Unregister(cell);
    Slot(cell);
    Registration &reg = m_registrations[*m_slotIndex.find(cell)];
    reg.self = self;
    reg.first = uint32_t(m_areas.size());
    reg.count = uint32_t(count);
    reg.wellFormed = wellFormed;
    m_areas.insert(m_areas.end(), keyAreas, keyAreas + count);
    KeysOf(keyAreas, count, m_keyScratch);
    for (PosKey key : m_keyScratch)
        AddDependent(key, self);
}

void FormulaStore::Unregister(const TCellInfo *cell)
{
    const uint32_t *at = m_slotIndex.find(cell);
    if (!at)
        return;
    Registration &reg = m_registrations[*at];
    if (reg.self == NoKey)
        return;
    KeysOf(m_areas.data() + reg.first, reg.count, m_keyScratch);
    for (PosKey key : m_keyScratch)
        RemoveDependent(key, reg.self);
    m_areaGarbage += reg.count;
    reg = Registration();
    if (m_areaGarbage > 1024 && m_areaGarbage * 2 > m_areas.size())
        CompactAreas();
}

bool FormulaStore::RegisteredAt(uint32_t slot, PosKey self, const std::vector<QRect> &keyAreas, bool wellFormed) const
{
    if (slot >= m_registrations.size())
        return false;
    const Registration &reg = m_registrations[slot];
    return reg.self == self && reg.wellFormed == wellFormed && reg.count == keyAreas.size() &&
           std::equal(keyAreas.begin(), keyAreas.end(), m_areas.begin() + reg.first);
}

void FormulaStore::CompactAreas()
{
    std::vector<QRect> kept;
    kept.reserve(m_areas.size() - m_areaGarbage);
    for (Registration &reg : m_registrations) {
        if (reg.self == NoKey)
            continue;
        const uint32_t first = uint32_t(kept.size());
        kept.insert(kept.end(), m_areas.begin() + reg.first, m_areas.begin() + reg.first + reg.count);
        reg.first = first;
    }
    m_areas.swap(kept);
    m_areaGarbage = 0;
}

void FormulaStore::ClearDependents()
{
    m_dependents.Reset();
    for (Registration &reg : m_registrations)
        reg = Registration();
    m_areas.clear();
    m_areaGarbage = 0;
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
    m_listSlots.clear();
    m_holes = 0;
    m_dependents.clear();
    m_registrations.clear();
    m_areas.clear();
    m_areaGarbage = 0;
    m_rowOrigin = 0;
    m_visiting.clear();
    m_evaluating.clear();
}

std::string FormulaStore::checkConsistency(bool strict) const
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
        if (i >= m_listSlots.size() || &m_slots[m_listSlots[i]] != slot)
            return "list entry " + std::to_string(i) + " names another slot";
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
    std::vector<PosKey> keys;
    size_t registered = 0;
    m_slotIndex.forEach([&](const TCellInfo *, uint32_t at) {
        const Registration &reg = m_registrations[at];
        if (reg.self == NoKey)
            return;
        if (size_t(reg.first) + reg.count > m_areas.size()) {
            fail("registration beyond its areas");
            return;
        }
        KeysOf(m_areas.data() + reg.first, reg.count, keys);
        registered += keys.size();
        for (PosKey key : keys) {
            const DepList *list = m_dependents.find(key);
            if (!list || list->indexOf(reg.self) == list->size())
                fail("registered dependent missing at " + std::to_string(KeyRow(key)) + "-" +
                     std::to_string(KeyCol(key)));
        }
    });
    if (!problem.empty())
        return problem;
    size_t entries = 0;
    m_dependents.forEach([&](PosKey, const DepList &list) { entries += list.size(); });
    if (strict && entries != registered)
        fail(std::to_string(entries) + " dependent entries for " + std::to_string(registered) + " registered");
    if (!m_visiting.empty())
        fail("visiting marks left after a pass");
    if (!m_evaluating.empty())
        fail("evaluation chain left after a pass");
    return problem;
}

} // namespace qor
