// The grid's current cell and selection members, forwarded to the selection component.
#include "core/edit/editor_controller_p.h"
#include "core/grid.h"

#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "core/edit/selection_p.h"

namespace qor {

int TCustomQorGrid::GetRealRow() const { return GetRow(); }
int TCustomQorGrid::GetRealCol() const { return GetCol(); }

bool TCustomQorGrid::SetFocusCell(int Row, int Col) { return Selection(*d).Enter(Row, Col); }
bool TCustomQorGrid::SelectNext() { return Selection(*d).SelectNext(); }

QRect TCustomQorGrid::InternalGetSelection(int Row1, int Col1, int Row2, int Col2) const
{
    return Selection(*d).Normalise(Row1, Col1, Row2, Col2);
}

void TCustomQorGrid::SelectCells(int Row1, int Col1, int Row2, int Col2)
{
    d->editor->CommitPending();
    Selection(*d).Select(Row1, Col1, Row2, Col2);
}

void TCustomQorGrid::SelectRow(int Row)
{
    if (d->valid(Row, 0))
        SelectCells(Row, 0, Row, d->cols - 1);
}

void TCustomQorGrid::SelectCol(int Col)
{
    if (d->valid(0, Col))
        SelectCells(0, Col, d->rows - 1, Col);
}

void TCustomQorGrid::SelectAll() { SelectCells(0, 0, d->rows - 1, d->cols - 1); }
void TCustomQorGrid::ClearSelection() { Selection(*d).Clear(); }

QRect TCustomQorGrid::GetSelRect() const
{
    if (!d->selection.isNull())
        return d->selection;
    const int row = GetRow();
    return row < 0 ? QRect() : d->merges->AreaAt(row, GetCol());
}

TCellInfo *TCustomQorGrid::GetSelCell()
{
    const QRect r = GetSelRect();
    return r.isNull() ? nullptr : Cells(r.top(), r.left());
}

bool TCustomQorGrid::IsSelectionActive() const { return !d->selection.isNull(); }
bool TCustomQorGrid::Selected(int Row, int Col) const { return d->selection.contains(Col, Row); }

void TCustomQorGrid::DeleteSelection()
{
    if (!d->options.Contains(qgoEditing))
        return;
    Selection sel(*d);
    auto empty = [&](int row, int col) {
        // Cells the user could not edit keep their text: Delete is an edit like any other.
        if (TCellInfo *cell = d->cells.At(row, col); cell && !sel.CellReadOnly(row, col))
            cell->SetText(QString());
    };
    if (d->selection.isNull()) {
        const int row = GetRow();
        if (row < 0 || d->editor->IsOpen())
            return;
        const QRect a = d->merges->AreaAt(row, GetCol());
        empty(a.top(), a.left());
        return;
    }
    const QRect r = d->selection;
    BeginUpdate();
    for (int row = r.top(); row <= r.bottom(); ++row)
        for (int col = r.left(); col <= r.right(); ++col)
            empty(row, col);
    EndUpdate();
}

bool TCustomQorGrid::InternalCellReadOnly(int Row, int Col) const
{
    return d->valid(Row, Col) && Selection(*d).InternalCellReadOnly(Row, Col);
}

bool TCustomQorGrid::CellReadOnly(int Row, int Col) const
{
    return d->valid(Row, Col) && Selection(*d).CellReadOnly(Row, Col);
}

bool TCustomQorGrid::CellCanEdit(int Row, int Col) const { return Selection(*d).CellCanEdit(Row, Col); }
bool TCustomQorGrid::CellCanSetFocus(int Index, bool Fire) const { return Selection(*d).CellCanSetFocus(Index, Fire); }

namespace {
bool findEnter(GridPrivate &d, int &row, int &col, NavDir dir)
{
    const int64_t index = Selection(d).FindEnterCell(row, col, dir);
    if (index < 0)
        return false;
    row = int(index / d.cols);
    col = int(index % d.cols);
    return true;
}
} // namespace

bool TCustomQorGrid::FindLeftEnterCell(int &Row, int &Col) const { return findEnter(*d, Row, Col, NavDir::Left); }
bool TCustomQorGrid::FindRightEnterCell(int &Row, int &Col) const { return findEnter(*d, Row, Col, NavDir::Right); }
bool TCustomQorGrid::FindTopEnterCell(int &Row, int &Col) const { return findEnter(*d, Row, Col, NavDir::Up); }
bool TCustomQorGrid::FindBottomEnterCell(int &Row, int &Col) const { return findEnter(*d, Row, Col, NavDir::Down); }
bool TCustomQorGrid::IsLastTabCell() const { return Selection(*d).IsLastTabCell(); }
TState TCustomQorGrid::GetState() const { return d->nav.mouse; }

} // namespace qor
