// The grid's filter members.
#include "core/grid.h"

#include "core/grid_p.h"
#include "data/row_filter_p.h"

namespace qor {

void TCustomQorGrid::DoFilter() { RowFilter(*d).Run(); }

bool TCustomQorGrid::ResetFilter()
{
    bool any = false;
    for (int c = 0; c < d->cols; ++c) {
        TQorColumn *column = d->column(c);
        any = any || column->GetFilterType() != ftAll;
        column->SetFilterType(ftAll);
    }
    return any;
}

bool TCustomQorGrid::GetSortData(int Col, bool Ascending, std::vector<TSortItem> &List)
{
    return RowFilter(*d).GetSortData(Col, Ascending, List);
}

} // namespace qor
