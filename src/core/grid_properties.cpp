// Appearance, column titles and the plain properties other concerns keep on the grid.
#include "core/grid.h"

#include "core/grid_p.h"

namespace qor {

// A stored value whose change repaints the grid.
#define QOR_REPAINTING_PROPERTY(Type, Name, field)                                                                   \
    Type TCustomQorGrid::Get##Name() const { return d->field; }                                                    \
    void TCustomQorGrid::Set##Name(Type Value)                                                                     \
    {                                                                                                              \
        if (d->field == Value)                                                                                     \
            return;                                                                                                \
        d->field = Value;                                                                                          \
        d->repaintAll();                                                                                           \
    }

// A stored value that nothing on screen depends on yet.
#define QOR_PLAIN_PROPERTY(Type, Name, field)                                                                        \
    Type TCustomQorGrid::Get##Name() const { return d->field; }                                                    \
    void TCustomQorGrid::Set##Name(Type Value) { d->field = Value; }

QOR_REPAINTING_PROPERTY(TColor, Color, look.color)
QOR_REPAINTING_PROPERTY(TColor, BackColor, look.backColor)
QOR_REPAINTING_PROPERTY(TColor, LineColor, look.lineColor)
QOR_REPAINTING_PROPERTY(TColor, TitleColor, look.titleColor)
QOR_REPAINTING_PROPERTY(TColor, TitleLineColor, look.titleLineColor)
QOR_REPAINTING_PROPERTY(TColor, FocusColor, look.focusColor)
QOR_REPAINTING_PROPERTY(TColor, ShadowColor, look.shadowColor)
QOR_REPAINTING_PROPERTY(bool, TileBackGround, look.tileBackGround)
QOR_REPAINTING_PROPERTY(bool, LockBackGround, look.lockBackGround)
QOR_REPAINTING_PROPERTY(int, RTFLineSpace, look.rtfLineSpace)
QOR_REPAINTING_PROPERTY(int, CurrencyCellWidth, misc.currencyCellWidth)
QOR_REPAINTING_PROPERTY(int, CurrencyDigits, misc.currencyDigits)
QOR_REPAINTING_PROPERTY(TColor, CurrencyDecimalSeparatorColor, misc.currencyDecimalSeparatorColor)
QOR_REPAINTING_PROPERTY(TColor, CurrencyThousandSeparatorColor, misc.currencyThousandSeparatorColor)
QOR_REPAINTING_PROPERTY(TColor, CurrencySeparatorColor, misc.currencySeparatorColor)

QOR_PLAIN_PROPERTY(int, SortBeginRow, misc.sortBeginRow)
QOR_PLAIN_PROPERTY(int, SortEndRow, misc.sortEndRow)
QOR_PLAIN_PROPERTY(int, FilterBeginRow, misc.filterBeginRow)
QOR_PLAIN_PROPERTY(int, FilterEndRow, misc.filterEndRow)
bool TCustomQorGrid::GetAutoShowBlobField() const { return d->misc.autoShowBlobField; }

void TCustomQorGrid::SetAutoShowBlobField(bool Value)
{
    if (d->misc.autoShowBlobField == Value)
        return;
    d->misc.autoShowBlobField = Value;
    d->seams.binding->AutoShowBlobFieldChanged();
}
QOR_PLAIN_PROPERTY(bool, HorzScrollTracking, misc.horzScrollTracking)
QOR_PLAIN_PROPERTY(bool, VertScrollTracking, misc.vertScrollTracking)
QOR_PLAIN_PROPERTY(bool, ExportHiddenRow, misc.exportHiddenRow)
QOR_PLAIN_PROPERTY(bool, ExportHiddenCol, misc.exportHiddenCol)
QOR_PLAIN_PROPERTY(TMoveDirectory, MoveDirEnter, misc.moveDirEnter)

#undef QOR_REPAINTING_PROPERTY
#undef QOR_PLAIN_PROPERTY

bool TCustomQorGrid::GetShowGroupFooter() const { return d->misc.showGroupFooter; }
void TCustomQorGrid::SetShowGroupFooter(bool Value)
{
    if (d->misc.showGroupFooter == Value)
        return;
    d->misc.showGroupFooter = Value;
    d->seams.dataOps->ReGroup();
}

bool TCustomQorGrid::GetIncludeHiddenData() const { return d->misc.includeHiddenData; }

void TCustomQorGrid::SetIncludeHiddenData(bool Value)
{
    if (d->misc.includeHiddenData == Value)
        return;
    d->misc.includeHiddenData = Value;
    d->seams.formulas->UpdateFormulas(); // sums over hidden lines change with it
}

QString TCustomQorGrid::GetCurrencySymbol() const { return d->misc.currencySymbol; }

void TCustomQorGrid::SetCurrencySymbol(const QString &Value)
{
    if (d->misc.currencySymbol == Value)
        return;
    d->misc.currencySymbol = Value;
    d->repaintAll();
}

TEditControlType TCustomQorGrid::GetEditControlType() const { return d->misc.editControlType; }

const TQorFont &TCustomQorGrid::GetFont() const { return d->look.font; }

void TCustomQorGrid::SetFont(const TQorFont &Value)
{
    if (d->look.font == Value)
        return;
    d->look.font = Value;
    d->repaintAll();
}

// Cells without a record are painted on the grid's brush: the cell default background.
TColor TCustomQorGrid::GetBrushColor() const { return d->look.color; }

const TQorPicture &TCustomQorGrid::GetBackGround() const { return d->look.backGround; }

void TCustomQorGrid::SetBackGround(const TQorPicture &Value)
{
    d->look.backGround = Value;
    d->repaintAll();
}

TQorStrings TCustomQorGrid::GetColumnTitles() const
{
    TQorStrings list;
    for (const TQorColumn *column : d->columns)
        list.Add(column->Title().GetCaption());
    return list;
}

void TCustomQorGrid::SetColumnTitles(const TQorStrings &Value)
{
    BeginUpdate();
    for (int i = 0; i < d->columns.Count(); ++i)
        d->columns[i]->Title().SetCaption(Value.Get(i));
    EndUpdate();
}

TAlignment TCustomQorGrid::GetColumnTitleAlign() const { return d->look.columnTitleAlign; }

void TCustomQorGrid::SetColumnTitleAlign(TAlignment Value)
{
    if (d->look.columnTitleAlign == Value)
        return;
    d->look.columnTitleAlign = Value;
    BeginUpdate();
    for (TQorColumn *column : d->columns)
        column->Title().SetAlignment(Value);
    EndUpdate();
}

const TQorFont &TCustomQorGrid::GetColumnTitleFont() const { return d->look.columnTitleFont; }

void TCustomQorGrid::SetColumnTitleFont(const TQorFont &Value)
{
    if (d->look.columnTitleFont == Value)
        return;
    d->look.columnTitleFont = Value;
    BeginUpdate();
    for (TQorColumn *column : d->columns)
        column->Title().SetFont(Value);
    EndUpdate();
}

QString TCustomQorGrid::GetAbout() const { return QStringLiteral("QorGrid"); }

QString TCustomQorGrid::GetVersion() const { return QStringLiteral("0.1.0"); }

} // namespace qor
