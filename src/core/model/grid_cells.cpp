// The grid's cell store: cells on demand, readers that never create one, names.
#include "core/grid.h"

#include "core/grid_p.h"

namespace qor {

TCellInfo *TCustomQorGrid::Cells(int Row, int Col)
{
    if (!d->valid(Row, Col))
        return nullptr;
    return d->cells.Obtain(Row, Col);
}

bool TCustomQorGrid::PeekCell(int Row, int Col) const { return d->cells.At(Row, Col) != nullptr; }


QString TCustomQorGrid::GetCellText(int Row, int Col) const
{
    if (!d->valid(Row, Col))
        return QString();
    if (d->editorOpenOn(Row, Col))
        return d->editorText();
    // A bound position shows its field, whether or not a cell object holds its formatting.
    if (auto text = d->seams.binding->FieldText(Row, Col))
        return *text;
    if (const TCellInfo *cell = d->cells.At(Row, Col))
        return cell->GetText();
    return QString();
}

void TCustomQorGrid::SetCellText(int Row, int Col, const QString &Value) { SetCellText(Row, Col, QString(Value)); }

void TCustomQorGrid::SetCellText(int Row, int Col, QString &&Value)
{
    if (!d->valid(Row, Col))
        return;
    TCellInfo *cell = d->cells.At(Row, Col);
    if (d->seams.binding->IsBound(Row, Col)) {
        d->seams.binding->WriteField(Row, Col, Value);
        d->repaintCell(Row, Col);
        return;
    }
    if (!cell) {
        if (Value.isEmpty())
            return; // an untouched cell already reads empty; do not create one for nothing
        cell = d->cells.Obtain(Row, Col);
    } else if (Value == cell->GetText()) {
        return;
    }
    cell->StoreText(*d, Row, std::move(Value));
}

TCellType TCustomQorGrid::GetCellType(int Row, int Col) const
{
    if (const TCellInfo *cell = d->cells.At(Row, Col))
        return cell->GetCellType();
    return GetDefaultCellType(Row, Col);
}

TAlignment TCustomQorGrid::GetCellAlignment(int Row, int Col) const
{
    if (const TCellInfo *cell = d->cells.At(Row, Col))
        return cell->GetAlignment();
    return GetDefaultAlignment(Row, Col);
}

bool TCustomQorGrid::GetCellChecked(int Row, int Col) const
{
    if (const TCellInfo *cell = d->cells.At(Row, Col))
        return cell->GetChecked();
    return false;
}

TColor TCustomQorGrid::GetCellBackColor(int Row, int Col) const
{
    if (const TCellInfo *cell = d->cells.At(Row, Col))
        return cell->GetBackColor();
    if (const TQorColumn *column = d->column(Col); column && d->valid(Row, Col))
        return column->GetBackColor();
    return d->look.color;
}

bool TCustomQorGrid::GetCellReadOnly(int Row, int Col) const
{
    if (const TCellInfo *cell = d->cells.At(Row, Col))
        return cell->GetReadOnly();
    const TQorColumn *column = d->column(Col);
    return column && d->valid(Row, Col) ? column->GetReadOnly() : false;
}

TAlignment TCustomQorGrid::GetDefaultAlignment(int Row, int Col) const
{
    const TQorColumn *column = d->column(Col);
    return column ? column->GetAlignment() : taLeftJustify;
}

TCellType TCustomQorGrid::GetDefaultCellType(int Row, int Col) const
{
    if (auto type = d->seams.binding->FieldCellType(Row, Col))
        return *type;
    const TQorColumn *column = d->column(Col);
    return column ? column->GetCellType() : ctEdit;
}

bool TCustomQorGrid::ErrorRow(int Row) const { return d->rows < 1 || d->cols < 1 || Row < 0 || Row >= d->rows; }

bool TCustomQorGrid::ErrorCol(int Col) const { return d->rows < 1 || d->cols < 1 || Col < 0 || Col >= d->cols; }

bool TCustomQorGrid::ErrorRowCol(int Row, int Col) const { return !d->valid(Row, Col); }

TCellInfo *TCustomQorGrid::CellByName(const QString &Name) const { return d->names.Cell(Name); }

TQorColumn *TCustomQorGrid::ColumnByName(const QString &Name) const { return d->names.Column(Name); }

TQorColumn *TCustomQorGrid::Columns(int Index) const { return d->column(Index); }

} // namespace qor
