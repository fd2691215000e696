// The grid's data-set binding members; the work is the binding component's.
#include "core/grid.h"

#include "core/grid_p.h"
#include "dataset/grid_binding_p.h"

namespace qor {

namespace {
GridBinding &binding(const TCustomQorGrid &g) { return GridBinding::Of(g); }
} // namespace

db::TDataSource *TCustomQorGrid::GetDataSource() const { return binding(*this).DataSource(); }
void TCustomQorGrid::SetDataSource(db::TDataSource *Value) { binding(*this).SetDataSource(Value); }
db::TDataSource *TCustomQorGrid::GetMasterDataSource() const { return binding(*this).MasterDataSource(); }
void TCustomQorGrid::SetMasterDataSource(db::TDataSource *Value) { binding(*this).SetMasterDataSource(Value); }

void TCustomQorGrid::UpdateFields()
{
    binding(*this).UpdateFields();
    d->repaintAll();
}

db::TField *TCustomQorGrid::FindField(const QString &Name) const { return binding(*this).FindField(Name); }

db::TField *TCustomQorGrid::GetSelectedField() const
{
    const TQorColumn *column = d->column(GetCol());
    return column && !column->GetFieldName().isEmpty() ? FindField(column->GetFieldName()) : nullptr;
}

void TCustomQorGrid::SetSelectedField(db::TField *Value)
{
    if (!Value) {
        d->currentIndex = -1;
        d->repaintAll();
        return;
    }
    for (int c = 0; c < d->cols; ++c)
        if (d->column(c)->GetField() == Value) {
            const int row = std::max(GetRow(), 0);
            if (row < d->rows)
                SetFocusCell(row, c);
            return;
        }
}

int TCustomQorGrid::GetActiveRow(int Row) const { return binding(*this).GetActiveRow(Row); }
int TCustomQorGrid::GetRowByActiveRecord(int Index) const { return binding(*this).GetRowByActiveRecord(Index); }
int TCustomQorGrid::GetDBNo(int Row, int Col) const { return binding(*this).GetDBNo(Row, Col); }
bool TCustomQorGrid::IsBodyDBCell(int Row, int Col) const { return binding(*this).IsBodyDBCell(Row, Col); }
bool TCustomQorGrid::InDBBody(int Row) const { return binding(*this).InDBBody(Row); }
bool TCustomQorGrid::MasterDataSetActive() const { return binding(*this).MasterActive(); }
db::TField *TCustomQorGrid::MasterDBField(int Row, int Col) const { return binding(*this).MasterDBField(Row, Col); }
bool TCustomQorGrid::IsMasterDBCell(int Row, int Col) const { return MasterDBField(Row, Col) != nullptr; }
bool TCustomQorGrid::IsDBCell(int Row, int Col) const { return IsMasterDBCell(Row, Col) || IsBodyDBCell(Row, Col); }
bool TCustomQorGrid::DataCellReadOnly(int Row, int Col) const { return binding(*this).DataCellReadOnly(Row, Col); }

QString TCustomQorGrid::GetFieldText(db::TField *Field) const
{
    return Field ? binding(*this).GetFieldText(*Field) : QString();
}

bool TCustomQorGrid::SetFieldText(db::TField *Field, const QString &Text)
{
    return Field && binding(*this).SetFieldText(*Field, Text);
}

bool TCustomQorGrid::SetActiveRecNo(int RecNo) { return binding(*this).SetActiveRecNo(RecNo); }
bool TCustomQorGrid::PostDataSet() { return binding(*this).PostDataSet(); }

bool TCustomQorGrid::DataSetRecordCount(const db::TDataSet *DataSet)
{
    return DataSet && (DataSet->State() == db::dsInsert || DataSet->RecordCount() > 0);
}

} // namespace qor
