#pragma once
// The text sorting and filtering read at a position: the cell's own text; for a position
// without a cell the bound field's text, or an empty text OnGetText may change.
#include <QString>

namespace qor {

struct GridPrivate;

// covered tells whether a merged area covers the position (its text is then empty).
QString DataCellText(GridPrivate &d, int row, int col, bool *covered = nullptr);

// The row range of a sort or filter: first clamped to 0, last -1 meaning the last row; with
// dataRowsOnly a grid bound to a data set with records keeps to its data rows.
struct RowRange {
    int first;
    int last;
};
RowRange DataRowRange(const GridPrivate &d, int first, int last, bool dataRowsOnly);

} // namespace qor
