// The grid's row and column operations: facade over RowColOps.
#include "core/grid.h"

#include "core/grid_p.h"
#include "core/model/row_col_ops_p.h"

namespace qor {

void TCustomQorGrid::InsertRow(int Row, int Count, bool NoFrameReset)
{
    RowColOps(*d).Insert(Row, Count, true, false, NoFrameReset);
}

void TCustomQorGrid::AppendRow() { AppendRow(1); }

void TCustomQorGrid::AppendRow(int Count, bool NoFrameReset)
{
    RowColOps(*d).Insert(d->rows, Count, true, true, NoFrameReset);
}

void TCustomQorGrid::DeleteRow(int Row)
{
    // A record of the body goes from the data set; the rows follow its count.
    if (!d->seams.dataOps->IsGrouped() && d->seams.binding->DeleteRecord(Row))
        return;
    RowColOps(*d).Delete(Row, true);
}
bool TCustomQorGrid::MoveRow(int From, int Count, int To) { return RowColOps(*d).Move(From, Count, To, true); }

void TCustomQorGrid::InsertCol(int Col, int Count, bool NoFrameReset)
{
    RowColOps(*d).Insert(Col, Count, false, false, NoFrameReset);
}

void TCustomQorGrid::AppendCol() { AppendCol(1); }

void TCustomQorGrid::AppendCol(int Count, bool NoFrameReset)
{
    RowColOps(*d).Insert(d->cols, Count, false, true, NoFrameReset);
}

void TCustomQorGrid::DeleteCol(int Col) { RowColOps(*d).Delete(Col, false); }
bool TCustomQorGrid::MoveCol(int From, int Count, int To) { return RowColOps(*d).Move(From, Count, To, false); }

// A drag ends on the row under Y. Y is counted in sheet pixels from the top of the first row
// (the view's scroll offset and margins are the geometry layer's to remove); above the sheet
// gives the first row, below it the last. Row and Col name the cell the drag started on: the
// drop never lands inside that cell's merged area, it lands on the area's first row.
int TCustomQorGrid::MoveRowIndex(int Y, int Row, int Col) const
{
    if (d->rows == 0)
        return -1;
    int target = Y < 0 ? 0 : d->rowAxis.IndexAt(Y);
    if (target < 0)
        target = d->rows - 1;
    const QRect area = MergedArea(Row, Col);
    return area.isValid() && target >= area.top() && target <= area.bottom() ? area.top() : target;
}

int TCustomQorGrid::MoveColIndex(int X, int Row, int Col) const
{
    if (d->cols == 0)
        return -1;
    int target = X < 0 ? 0 : d->colAxis.IndexAt(X);
    if (target < 0)
        target = d->cols - 1;
    const QRect area = MergedArea(Row, Col);
    return area.isValid() && target >= area.left() && target <= area.right() ? area.left() : target;
}

} // namespace qor
