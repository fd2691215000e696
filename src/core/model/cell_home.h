#pragma once
#include <cstdint>
#include <memory>
#include <unordered_map>
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;
class TCellInfo;
struct CellExtras;

// The owned objects (font, items, picture, rich text, adapter) of the few cells that have any.
using CellExtrasTable = std::unordered_map<const TCellInfo *, std::unique_ptr<CellExtras>>;

// Where a cell belongs: its grid, the origin the stored rows of the cells in the store count
// from, and the owned objects of its store's cells. The origin moves when rows go in or out
// near the top, so that such a change renumbers only the few cells above; a cell out of its
// slot keeps an absolute row.
struct CellHome {
    TCustomQorGrid *grid = nullptr;
    int rowOrigin = 0;
    CellExtrasTable *extras = nullptr;
};

// Cells are carved from slabs of this size, aligned to it, whose first word points to the home
// of their cells: a cell finds its home from its own address and carries no pointer to it.
inline constexpr uintptr_t kCellSlabBytes = uintptr_t(64) * 1024;

inline const CellHome &CellHomeOf(const void *cell)
{
    return **reinterpret_cast<const CellHome *const *>(reinterpret_cast<uintptr_t>(cell) & ~(kCellSlabBytes - 1));
}

} // namespace qor
