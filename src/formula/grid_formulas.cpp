// The grid's and the cell's formula members.
#include "core/grid.h"

#include "core/grid_p.h"
#include "formula/cell_formula.h"
#include "formula/engine/expression.h"
#include "formula/formula_manager_p.h"
#include "formula/formula_text_p.h"

namespace qor {

QString TCustomQorGrid::ColToColText(int Col) { return ColToText(Col); }
int TCustomQorGrid::ColTextToCol(const QString &s) { return TextToCol(s); }
QString TCustomQorGrid::GetCellLabel(int Row, int Col) { return ftext::CellLabel(Row, Col); }
void TCustomQorGrid::ParseColRow(const QString &s, int &Col, int &Row) { ftext::ParseColRow(s, Col, Row); }
bool TCustomQorGrid::IsFormulaText(const QString &s) { return ftext::IsFormulaText(s); }

ExpValue TCustomQorGrid::Evaluate(const QString &Text) { return FormulaManager::Of(*this).Evaluate(Text); }

void TCustomQorGrid::DoEvaluate(TQorExpression *Sender, const QString &Eval, const ExpValue *Args, int ArgCount,
                                ExpValue &Value, bool &Done)
{
    Done = false;
    if (OnEvaluate)
        OnEvaluate(Sender, Eval, Args, ArgCount, Value, Done);
}

TQorExpression *TCustomQorGrid::Expression() const { return &FormulaManager::Of(*this).Engine(); }

void TCustomQorGrid::UpdateFormula(bool Force) { FormulaManager::Of(*this).UpdateFormula(Force); }

void TCustomQorGrid::UpdateFormulaFromCell(int Row, int Col) { FormulaManager::Of(*this).UpdateFormulaFromCell(Row, Col); }

void TCustomQorGrid::AddFormulaCellList(int Row, int Col, const QString &Formula)
{
    FormulaManager::Of(*this).AddFormulaCellList(Row, Col, Formula);
}

// Flag also takes the cell at (Row, Col) off the formula list.
void TCustomQorGrid::DeleteFormulaCellList(int Row, int Col, const QString &Formula, bool Flag)
{
    FormulaManager &m = FormulaManager::Of(*this);
    m.DeleteFormulaCellList(Row, Col, Formula);
    if (Flag)
        if (TCellInfo *cell = d->cells.At(Row, Col)) {
            m.Store().DeleteFormulaCell(cell);
            m.MarkValuesStale();
        }
}

void TCustomQorGrid::ResetFormula(int Index, int Count, TResetFormulaMode Mode)
{
    static constexpr IFormulaHost::Shift kinds[] = {IFormulaHost::Shift::RowsInserted, IFormulaHost::Shift::ColsInserted,
                                                    IFormulaHost::Shift::RowsDeleted, IFormulaHost::Shift::ColsDeleted,
                                                    IFormulaHost::Shift::Footer};
    if (Mode > rfFooter)
        return;
    if (Mode == rfFooter) {
        FormulaManager::Of(*this).ShiftReferences(kinds[Mode], 0, 0); // the footer rows say where
        return;
    }
    // Inserted lines exist already, deleted ones are gone; in 64 bits, so that no hostile pair
    // overflows the shifts.
    const bool rows = Mode == rfRowsInserted || Mode == rfRowsDeleted;
    const bool inserted = Mode == rfRowsInserted || Mode == rfColsInserted;
    const int64_t lines = rows ? GetRows() : GetCols();
    const int64_t end = int64_t(Index) + Count;
    if (Index < 0 || Count <= 0 || Index > lines || end > INT_MAX || (inserted && end > lines))
        return;
    FormulaManager::Of(*this).ShiftReferences(kinds[Mode], Index, Count);
}

void TCustomQorGrid::SetFooterFormula(int Row, int Col, int FirstRow, int LastRow, const TFooterFormulaData &Data)
{
    const TQorColumn *column = Columns(Col);
    if (!column || !d->valid(Row, Col))
        return;
    // A footer leaves the group columns of its own level and the levels above alone.
    const RowInfo &info = d->rowInfo[size_t(Row)];
    if (info.group2 == 2 && Col <= info.group3 - 1)
        return;
    const TCellInfo *existing = d->cells.At(Row, Col);
    if (existing && !existing->GetNeedDraw())
        return; // under a group caption
    const QString range = GetCellLabel(FirstRow, Col) + u':' + GetCellLabel(LastRow, Col);
    QString text;
    switch (column->GetFormulaType()) {
    case ftNone:
        return;
    case ftSum:
        text = QStringLiteral("=Sum(") + range + u')';
        break;
    case ftCount:
        text = QString::number(Data.Count);
        break;
    case ftMin:
        text = QStringLiteral("=Min(") + range + u')';
        break;
    case ftMax:
        text = QStringLiteral("=Max(") + range + u')';
        break;
    case ftAvg:
        // An empty group averages to 0 rather than to a "NAN" text.
        text = QString::fromStdString(exp::FormatNumber(Data.Count ? Data.Sum / Data.Count : 0.0));
        break;
    }
    TCellInfo *cell = Cells(Row, Col);
    cell->SetText(text);
    cell->SetIsNumber(true);
}

void TCellInfo::EvaluateFormula()
{
    if (!GetGrid())
        return;
    FormulaManager &m = FormulaManager::Of(*GetGrid());
    try {
        m.EvaluateFormula(*this);
    } catch (...) {
        m.MarkValuesStale();
        throw;
    }
}

ExpValue TCellInfo::GetFormulaValue() const
{
    return GetGrid() ? FormulaManager::Of(*GetGrid()).FormulaValue(*this) : ExpValue();
}

void TCellInfo::SetFormulaValue(const ExpValue &Value)
{
    if (GetGrid())
        FormulaManager::Of(*GetGrid()).SetFormulaValue(*this, Value);
}

QString IncFormulaRow(TCustomQorGrid *Grid, const QString &Formula, int Delta)
{
    if (!ftext::IsFormulaText(Formula))
        return Formula;
    return u'=' + ftext::RewriteReferences(QStringView(Formula).sliced(1), [Delta](int &row, int &) {
               row += Delta;
               return true;
           });
}

} // namespace qor
