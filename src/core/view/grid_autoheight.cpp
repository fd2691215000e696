// The grid's automatic row heights: facade over AutoHeight, which measures painted text.
#include "core/grid.h"

#include "core/grid_p.h"
#include "core/view/row_col_autoheight_p.h"

namespace qor {

void TCustomQorGrid::CalAutoHeight() { AutoHeight(*d).Rows(0, d->rows - 1); }

void TCustomQorGrid::CalAutoHeight_Row(int Row)
{
    if (d->rowAxis.Valid(Row))
        AutoHeight(*d).Rows(Row, Row);
}

void TCustomQorGrid::CalAutoHeight_Col(int Col)
{
    if (d->colAxis.Valid(Col))
        AutoHeight(*d).Rows(0, d->rows - 1, Col);
}

int TCustomQorGrid::GetRowAutoHeight(int Row, int Col, const QString &Text) { return AutoHeight(*d).CellHeight(Row, Col, Text); }

} // namespace qor
