// The grid's merged cells: facade over the merge table.
#include "core/grid.h"

#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "core/model/row_range_p.h"

namespace qor {

void TCustomQorGrid::MergeCells(int Row1, int Col1, int Row2, int Col2)
{
    if (!d->merges->MergeCells(Row1, Col1, Row2, Col2) || !d->selection.isValid())
        return;
    const QRect sel = d->merges->AbsorbMerges(d->selection);
    if (!sel.contains(GetCol(), GetRow()))
        d->currentIndex = int64_t(sel.top()) * d->cols + sel.left();
    d->selection = sel;
    d->repaintAll();
}

void TCustomQorGrid::MergeSelection()
{
    const QRect sel = d->selection;
    if (sel.isValid())
        MergeCells(sel.top(), sel.left(), sel.bottom(), sel.right());
}

void TCustomQorGrid::AddMergeCell(TCellInfo *Cell)
{
    if (Cell && Cell->GetGrid() == this)
        d->merges->Add(Cell);
}

void TCustomQorGrid::DeleteMergeCell(TCellInfo *Cell) { d->merges->Remove(Cell); }
std::vector<TCellInfo *> TCustomQorGrid::MergeCellList() const { return d->merges->Owners(); }
void TCustomQorGrid::CalMergeCell() { d->merges->CalMergeCell(); }
void TCustomQorGrid::DelRowOfMergeCell(int First, int Count) { d->merges->DelLines(First, Count, true); }
void TCustomQorGrid::DelColOfMergeCell(int First, int Count) { d->merges->DelLines(First, Count, false); }
void TCustomQorGrid::ResetRowOfMergeCell(int Index, int Count) { d->merges->ResetLines(Index, Count, true); }
void TCustomQorGrid::ResetColOfMergeCell(int Index, int Count) { d->merges->ResetLines(Index, Count, false); }

bool TCustomQorGrid::FindErrorMerge() const
{
    const RowRange range = RowRangeOf(*d, d->misc.sortBeginRow, d->misc.sortEndRow, true);
    return d->merges->FindErrorMerge(range.first, range.last,
                                     [this](int row) { return d->rowInfo[size_t(row)].group2 == 1; });
}

bool TCustomQorGrid::EqualCellRect(int Index1, int Index2) const { return d->merges->EqualCellRect(Index1, Index2); }

QRect TCustomQorGrid::MergedArea(int Row, int Col) const
{
    return d->valid(Row, Col) ? d->merges->AreaAt(Row, Col) : QRect();
}

} // namespace qor
