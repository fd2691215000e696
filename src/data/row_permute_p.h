#pragma once
// Reordering a block of rows in one step: sorting and grouping both end with it.
#include <functional>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

struct GridPrivate;

// Row first + i takes old row source[i] (a permutation of the block) with its cells, sizes and
// row record, and the formulas that refer to it follow. With recordNumbersStay the record
// numbers (Group1) keep to the positions; stays(col) true keeps a column's cells in place.
// Frames shared with new neighbours are made to agree again.
QOR_AUTOTEST_EXPORT void PermuteRowBlock(GridPrivate &d, int first, const std::vector<int> &source,
                                         bool recordNumbersStay, const std::function<bool(int)> &stays = {});

} // namespace qor
