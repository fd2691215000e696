#pragma once
// The record of one row, as the row table holds it.
#include <cstdint>

namespace qor {

struct TRowRec {
    int32_t Height = 0;       // current height in pixels; 0 while hidden
    int32_t Bottom = 0;       // cumulative bottom: sum of the heights of rows 0..this
    int32_t SavedHeight = 0;  // height when visible
    bool Visible = true;
    int32_t Group1 = 0;       // record number shown in the row when bound (1-based), else 0
    int32_t Group2 = 0;       // row type: 0 data, 1 group header, 2 group footer, 3 grand total
    int32_t Group3 = 0;       // group level of a header or footer row, 1 = outermost
    uint32_t State = 0;       // row state flags; bit 0 is the one SetRowState keeps
    int32_t Group4 = 0;       // outline marker on the last visible row of an expanded group
    double PhyHeight = 0;     // height in the current unit
    double SavedPhyHeight = 0;
};

} // namespace qor
