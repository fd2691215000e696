// The grid's display-text members: what a position shows, the value-type rule with the
// resolved attributes, masking, the editor's text and ledger cells.
#include "core/grid.h"

#include <QPainter>
#include "core/model/column.h"
#include "core/grid_p.h"
#include "format/display_text.h"
#include "format/ledger_cell.h"
#include "format/number_text.h"
#include "formula/engine/exp_value.h"

namespace qor {

namespace {

bool isAmountOrDate(TValueType t)
{
    return t == vtChineseLongCurr || t == vtChineseShortCurr || t == vtChineseDate;
}

// ThousandSeparators, Digits and TrimZero of a cell or column, overridden by flags 17, 16 and 57
// of the record handed in, or else of the scratch record filled by OnGetCellData.
void resolveNumberAttrs(TCustomQorGrid &grid, int row, int col, TCellData *data, TDisplayAttrs &a)
{
    if (!data && grid.OnGetCellData) {
        data = &grid.ScratchCellData();
        data->Init();
        grid.OnGetCellData(&grid, row, col, *data);
    }
    if (!data)
        return;
    if (data->TestSet(TCellData::cdThousandSeparators))
        a.thousandSeparators = data->GetThousandSeparators();
    if (data->TestSet(TCellData::cdDigits))
        a.digits = data->GetDigits();
    if (data->TestSet(TCellData::cdTrimZero))
        a.trimZero = data->GetTrimZero();
}

template <class Source>
TDisplayAttrs ownAttrs(const Source &s)
{
    TDisplayAttrs a;
    a.valueType = s.GetValueType();
    a.digits = s.GetDigits();
    a.thousandSeparators = s.GetThousandSeparators();
    a.trimZero = s.GetTrimZero();
    return a;
}

template <class Source>
void applyValueType(TCustomQorGrid &grid, int row, int col, const Source &s, QString &text, TCellData *data)
{
    TDisplayAttrs a = ownAttrs(s);
    if (a.valueType == vtChineseCurrency || text.isEmpty())
        return;
    // Amount and date words need no decimals or separators: no override is asked for.
    if (!isAmountOrDate(a.valueType))
        resolveNumberAttrs(grid, row, col, data, a);
    ApplyValueType(text, a);
}

} // namespace

QString TCustomQorGrid::CellDisplayText(int Row, int Col)
{
    if (ErrorRowCol(Row, Col) || d->seams.dataOps->HidesCellText(Row, Col))
        return QString();
    TCellInfo *cell = d->cells.At(Row, Col);
    const bool bound = d->seams.binding->IsBound(Row, Col);
    // A bound position shows its field through the column's formats, cell object or not.
    if (!cell || bound) {
        // Bound check-box cells show the box, not the field's text.
        if (bound && d->seams.binding->FieldCellType(Row, Col) == ctCheckBox)
            return QString();
        QString text = GetCellText(Row, Col);
        if (OnGetText)
            OnGetText(this, Row, Col, text);
        TQorColumn *column = Columns(Col);
        if (text.isEmpty() || !column
            || (column->GetValueType() == vtCurrency && column->GetShowCurrencyLine()))
            return text;
        AddEmptyCellThousandSept(Row, Col, column, text, nullptr);
        AddEmptyCellPassWord(column, text);
        return text;
    }

    QString text = cell->GetText();
    const bool formula = IsFormulaText(text);
    // A formula shows its last value; its number flag comes from that evaluation.
    text = formula ? cell->GetFormulaValue().ToQString() : ConvertCellText(text);
    const bool numberFlag = cell->GetIsNumber() && (formula || cell->HasNumberCache());
    if (OnGetText)
        OnGetText(this, Row, Col, text);
    AddThousandSept(cell, text, nullptr);
    const TValueType type = cell->GetValueType();
    if (numberFlag && !isAmountOrDate(type))
        text = CutToDigits(text, cell->GetDigits());
    AddPassWord(cell->GetPasswordChar(), text);
    return text;
}

void TCustomQorGrid::AddThousandSept(TCellInfo *Cell, QString &Text, TCellData *Data)
{
    if (Cell)
        applyValueType(*this, Cell->GetRow(), Cell->GetCol(), *Cell, Text, Data);
}

void TCustomQorGrid::AddEmptyCellThousandSept(int Row, int Col, TQorColumn *Column, QString &Text, TCellData *Data)
{
    if (Column)
        applyValueType(*this, Row, Col, *Column, Text, Data);
}

void TCustomQorGrid::AddPassWord(QChar Ch, QString &Text)
{
    if (!Ch.isNull() && !Text.isEmpty())
        Text = qor::AddPassWord(Ch, Text);
}

void TCustomQorGrid::AddEmptyCellPassWord(TQorColumn *Column, QString &Text)
{
    if (Column)
        AddPassWord(Column->GetPasswordChar(), Text);
}

void TCustomQorGrid::DeleteThousandSept(TCellInfo *Cell, QString &Text)
{
    if (Cell)
        Text = qor::DeleteThousandSept(Text, Cell->GetValueType(), Cell->GetThousandSeparators());
}

bool TCustomQorGrid::IsStringValue(const QVariant &V)
{
    const int id = V.typeId();
    return id == QMetaType::QString || id == QMetaType::QByteArray;
}

void TCustomQorGrid::IncCellText(TCellInfo *Cell)
{
    if (Cell)
        Cell->SetText(StepNumberText(Cell->GetText(), Cell->GetIncrement()));
}

void TCustomQorGrid::DecCellText(TCellInfo *Cell)
{
    if (Cell)
        Cell->SetText(StepNumberText(Cell->GetText(), -Cell->GetIncrement()));
}

void TCustomQorGrid::DrawCurrenyCell(QPainter *Canvas, const QRect &CellRect, const QRect &TextRect, int Flags,
                                     TColor DecimalColor, TColor ThousandColor, const QString &Symbol,
                                     const QString &Text, double Value, QChar PasswordChar, bool ChineseDigits)
{
    if (!Canvas)
        return;
    TLedgerStyle style;
    style.cellWidth = GetCurrencyCellWidth();
    style.currencyDigits = GetCurrencyDigits();
    style.symbol = Symbol;
    style.separatorColor = GetCurrencySeparatorColor();
    style.decimalColor = DecimalColor;
    style.thousandColor = ThousandColor;
    qor::DrawCurrenyCell(*Canvas, CellRect, TextRect, Flags, style, Text, Value, PasswordChar, ChineseDigits);
}

} // namespace qor
