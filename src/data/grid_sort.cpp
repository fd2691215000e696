// The grid's sort members.
#include "core/grid.h"

#include "core/grid_p.h"
#include "core/view/grid_pictures_p.h"
#include "data/data_operations_p.h"
#include "data/row_sorter_p.h"

namespace qor {

bool TCustomQorGrid::Sort(int Col, bool Ascending)
{
    return RowSorter(*d, DataOperations::Of(*this)).Sort(Col, Ascending);
}

int TCustomQorGrid::GetSortingColIndex() const { return d->misc.sortingColIndex; }
bool TCustomQorGrid::GetSortingColASC() const { return d->misc.sortingColAsc; }

void TCustomQorGrid::SortCol(int Col, bool Ascending)
{
    const int old = d->misc.sortingColIndex;
    d->misc.sortingColIndex = Col;
    d->misc.sortingColAsc = Ascending;
    if (old != Col)
        d->repaintColumnTitle(old);
    d->repaintColumnTitle(Col);
}

QImage TCustomQorGrid::GetSortBmp(int Col) const
{
    if (!HasOption(qgoSorting) || Col < 0 || Col != d->misc.sortingColIndex)
        return QImage();
    return GridPicture(d->misc.sortingColAsc ? "SortUp" : "SortDown");
}

} // namespace qor
