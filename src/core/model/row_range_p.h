#pragma once
// The row range of a sort, filter or grouping: first clamped to 0, last -1 meaning the last row;
// with dataRowsOnly a grid bound to a data set with records keeps to its data rows.
#include <algorithm>
#include "core/grid_p.h"

namespace qor {

struct RowRange {
    int first;
    int last;
};

inline RowRange RowRangeOf(const GridPrivate &d, int first, int last, bool dataRowsOnly)
{
    RowRange r{std::max(first, 0), last < 0 ? d.rows - 1 : std::min(last, d.rows - 1)};
    if (dataRowsOnly && d.seams.binding->ControlsRowCount()) {
        r.first = std::max(r.first, d.layout.titleRows);
        r.last = std::min(r.last, d.rows - d.layout.footerRows - 1);
    }
    return r;
}

} // namespace qor
