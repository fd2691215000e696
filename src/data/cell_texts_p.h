#pragma once
// The text sorting and filtering read at a position: the cell's own text; for a position
// without a cell the bound field's text, or an empty text OnGetText may change.
#include <QString>

namespace qor {

struct GridPrivate;

// covered tells whether a merged area covers the position (its text is then empty).
QString DataCellText(GridPrivate &d, int row, int col, bool *covered = nullptr);

} // namespace qor
