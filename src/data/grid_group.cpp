// The grid's grouping members.
#include "core/grid.h"

#include "core/grid_p.h"
#include "data/data_operations_p.h"
#include "data/outline_p.h"
#include "data/row_grouper_p.h"

namespace qor {

void TCustomQorGrid::Group(const QString &Spec, int SortCol, bool SortAscending)
{
    RowGrouper(*d, DataOperations::Of(*this)).Group(Spec, SortCol, SortAscending);
}

void TCustomQorGrid::ReGroup()
{
    DataOperations &ops = DataOperations::Of(*this);
    if (!ops.IsGrouped())
        return;
    const QString spec = ops.GroupSpecOfColumns();
    if (!spec.isEmpty())
        Group(spec, ops.groupSortCol, ops.groupSortAsc);
}

void TCustomQorGrid::CancelGroup() { RowGrouper(*d, DataOperations::Of(*this)).CancelGroup(); }

void TCustomQorGrid::ExpandNode(int Row) { Outline(*d).Expand(Row); }
void TCustomQorGrid::CloseNode(int Row) { Outline(*d).Close(Row); }
void TCustomQorGrid::ExpandAllNode() { Outline(*d).ExpandAll(); }
void TCustomQorGrid::CloseAllNode() { Outline(*d).CloseAll(); }

void TCustomQorGrid::ClickGroupHeader()
{
    const int row = GetRow();
    if (Expanded(row))
        CloseNode(row);
    else
        ExpandNode(row);
}

bool TCustomQorGrid::Expanded(int Row) const { return GetRowState(Row) & 1u; }

int TCustomQorGrid::RowType(int Row, uint32_t &State, int &GroupCol) const
{
    State = 0;
    GroupCol = -1;
    if (Row < 0 || Row >= d->rows)
        return 0;
    const RowInfo &info = d->rowInfo[size_t(Row)];
    if (info.group2 == 1)
        State = info.state;
    if (d->misc.grouped && (info.group2 == 1 || info.group2 == 2))
        GroupCol = info.group3 - 1;
    return info.group2;
}

void TCustomQorGrid::SetGroupedFalse() { DataOperations::Of(*this).SetGroupedFalse(); }
bool TCustomQorGrid::GetGrouped() const { return d->misc.grouped; }
int TCustomQorGrid::GetFirstGroupedRow() const { return d->misc.firstGroupedRow; }
int TCustomQorGrid::GetLastGroupedRow() const { return d->misc.lastGroupedRow; }

} // namespace qor
