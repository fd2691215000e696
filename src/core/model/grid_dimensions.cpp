// Rows, columns, the row table and default sizes.
#include "core/grid.h"

#include <QScrollBar>
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"

namespace qor {

int TCustomQorGrid::GetRows() const { return d->rows; }
int TCustomQorGrid::GetCols() const { return d->cols; }

void TCustomQorGrid::SetRows(int Value)
{
    if (Value < 0 || Value == d->rows || d->seams.binding->ControlsRowCount())
        return;
    d->hideEditor();
    if (!d->resetRows(Value)) {
        d->refuseSize(Value, d->cols);
        return;
    }
    d->seams.dataOps->ClearGrouping();
    d->resetCursor();
    d->scrollToOrigin();
    d->layoutChanged();
}

void TCustomQorGrid::SetCols(int Value)
{
    if (Value < 0 || Value == d->cols)
        return;
    d->hideEditor();
    if (!d->resetCols(Value)) {
        d->refuseSize(d->rows, Value);
        return;
    }
    d->resetCursor();
    d->layout.titleRowsSet = false;
    d->scrollToOrigin();
    d->layoutChanged();
}

bool TCustomQorGrid::InternalSetRows(int Value)
{
    if (Value < 0)
        return false;
    return Value == d->rows || d->resetRows(Value);
}

bool TCustomQorGrid::InternalSetCols(int Value)
{
    if (Value < 0)
        return false;
    d->resetCursor();
    return Value == d->cols || d->resetCols(Value);
}

int TCustomQorGrid::RealRows() const
{
    if (!d->seams.dataOps->IsGrouped())
        return d->rows;
    // Bound rows carry their record numbers; an unbound grid has none to count, and its real
    // rows are the ones grouping did not add.
    const bool bound = d->seams.binding->ControlsRowCount();
    int n = 0;
    for (const RowInfo &r : d->rowInfo)
        n += bound ? r.group1 > 0 : r.group2 == 0;
    return n;
}

void TCustomQorGrid::ClearRow()
{
    d->hideEditor();
    d->resetRows(0);
    d->resetCursor();
    d->scrollToOrigin();
}

void TCustomQorGrid::ClearCol()
{
    d->hideEditor();
    d->resetCols(0);
    d->resetCursor();
    d->scrollToOrigin();
}

void TCustomQorGrid::Clear()
{
    d->hideEditor();
    d->removeEmbedded();
    d->merges->Clear();
    d->resetRows(0);
    d->resetCols(0);
    d->resetCursor();
    d->seams.dataOps->ResetFilter();
    d->seams.dataOps->ClearGrouping();
    d->layout.titleRowsSet = false;
    d->scrollToOrigin();
    d->layoutChanged();
}

TRowRec TCustomQorGrid::GetRowRec(int Row) const
{
    TRowRec rec;
    if (Row < 0 || Row >= d->rows)
        return rec;
    const AxisEntry &e = d->rowAxis.Entry(Row);
    const RowInfo &info = d->rowInfo[size_t(Row)];
    rec.Height = e.size;
    rec.Bottom = int(std::min<int64_t>(d->rowAxis.Edge(Row), INT_MAX));
    rec.SavedHeight = e.savedSize;
    rec.Visible = e.visible;
    rec.PhyHeight = e.phySize;
    rec.SavedPhyHeight = e.savedPhySize;
    rec.Group1 = info.group1;
    rec.Group2 = info.group2;
    rec.Group3 = info.group3;
    rec.State = info.state;
    rec.Group4 = info.group4;
    return rec;
}

void TCustomQorGrid::SetRowGroup(int Row, int Group1, int Group2, int Group3, int Group4)
{
    if (Row < 0 || Row >= d->rows)
        return;
    d->rowInfo[size_t(Row)] = RowInfo{Group1, Group2, Group3, d->rowInfo[size_t(Row)].state, Group4};
}

uint32_t TCustomQorGrid::GetRowState(int Row) const
{
    return Row >= 0 && Row < d->rows ? d->rowInfo[size_t(Row)].state : 0;
}

void TCustomQorGrid::SetRowState(int Row, bool Value)
{
    if (Row < 0 || Row >= d->rows)
        return;
    uint32_t &state = d->rowInfo[size_t(Row)].state;
    state = Value ? (state | 1u) : (state & ~1u);
}

int TCustomQorGrid::GetRowHeight(int Row) const { return d->rowAxis.VisibleSize(Row); }
int TCustomQorGrid::GetColWidth(int Col) const { return d->colAxis.VisibleSize(Col); }
bool TCustomQorGrid::GetRowVisible(int Row) const
{
    return !d->rowAxis.Valid(Row) || d->rowAxis.Entry(Row).visible; // outside: visible, as columns answer
}

int TCustomQorGrid::GetDefaultRowHeight() const { return d->layout.defaultRowHeight; }
int TCustomQorGrid::GetDefaultColWidth() const { return d->layout.defaultColWidth; }

void TCustomQorGrid::SetDefaultRowHeight(int Value)
{
    const int old = d->layout.defaultRowHeight;
    if (Value < 1 || Value == old)
        return;
    BeginUpdate();
    d->rowAxis.ChangeDefault(old, Value, d->layout.unitType, d->keepLoadedSize(d->loadRowList));
    d->layout.defaultRowHeight = Value;
    d->batch.MarkHeightsChanged();
    EndUpdate();
}

void TCustomQorGrid::SetDefaultColWidth(int Value)
{
    const int old = d->layout.defaultColWidth;
    if (Value < 1 || Value == old)
        return;
    BeginUpdate();
    d->colAxis.ChangeDefault(old, Value, d->layout.unitType, d->keepLoadedSize(d->loadColList));
    d->layout.defaultColWidth = Value;
    EndUpdate();
}

void TCustomQorGrid::CalTotalWH(int Which, int From)
{
    if (Which == 0 || Which == 1)
        d->rowAxis.Recalc(From);
    if (Which == 0 || Which == 2) {
        d->colAxis.Recalc(From);
        for (int i = std::max(From, 0); i < d->columns.Count(); ++i)
            d->columns[i]->SetIndex(i);
    }
    d->layoutChanged();
}

QSize TCustomQorGrid::GetExtent() const { return d->extent(); }
int TCustomQorGrid::GetShadowWidth() const { return d->shadowWidth(); }

int TCustomQorGrid::GetRow() const
{
    return d->currentIndex < 0 || d->cols == 0 ? -1 : int(d->currentIndex / d->cols);
}

int TCustomQorGrid::GetCol() const
{
    return d->currentIndex < 0 || d->cols == 0 ? -1 : int(d->currentIndex % d->cols);
}

} // namespace qor
