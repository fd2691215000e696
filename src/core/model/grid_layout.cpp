// Grid type, margins and spaces, header sizes, fixed and title rows, unit and zoom.
#include "core/grid.h"

#include "core/grid_p.h"

namespace qor {

TGridType TCustomQorGrid::GetGridType() const { return d->layout.gridType; }

void TCustomQorGrid::SetGridType(TGridType Value)
{
    if (Value == d->layout.gridType || Value > gtGrid)
        return;
    d->scrollToOrigin();
    d->applyGridType(Value);
    d->layoutChanged();
}

// Margins, spaces and background that each type of sheet calls for.
void GridPrivate::applyGridType(TGridType type)
{
    GridLayout &l = layout;
    const TGridType old = l.gridType;
    if (type == gtExcel || type == gtGrid) {
        if (old == gtInvoice)
            look.backColor = clWhite;
        for (int i = 0; i < 4; ++i) {
            l.margins[i] = 0;
            l.phyMargins[i] = 0;
        }
        l.spaces[0] = l.titleWidth;
        l.spaces[1] = l.titleHeight;
        l.spaces[2] = l.spaces[3] = 0;
    } else if (old == gtExcel || old == gtGrid) {
        look.backColor = clAppWorkSpace;
        for (int i = 0; i < 4; ++i) {
            l.margins[i] = 30;
            l.phyMargins[i] = PixelsToUnit(30, l.unitType);
            l.spaces[i] = 10;
        }
    }
    l.gridType = type;
}

static void setMargin(GridPrivate &d, int side, int value)
{
    GridLayout &l = d.layout;
    if (l.gridType != gtInvoice || value < 0 || value == l.margins[side])
        return;
    l.margins[side] = value;
    l.phyMargins[side] = PixelsToUnit(value, l.unitType);
    d.layoutChanged();
}

static void setSpace(GridPrivate &d, int side, int value)
{
    GridLayout &l = d.layout;
    if (l.gridType != gtInvoice || value < 0 || value == l.spaces[side])
        return;
    l.spaces[side] = value;
    d.layoutChanged();
}

int TCustomQorGrid::GetLeftMargin() const { return d->layout.margins[0]; }
int TCustomQorGrid::GetTopMargin() const { return d->layout.margins[1]; }
int TCustomQorGrid::GetRightMargin() const { return d->layout.margins[2]; }
int TCustomQorGrid::GetBottomMargin() const { return d->layout.margins[3]; }
void TCustomQorGrid::SetLeftMargin(int Value) { setMargin(*d, 0, Value); }
void TCustomQorGrid::SetTopMargin(int Value) { setMargin(*d, 1, Value); }
void TCustomQorGrid::SetRightMargin(int Value) { setMargin(*d, 2, Value); }
void TCustomQorGrid::SetBottomMargin(int Value) { setMargin(*d, 3, Value); }
double TCustomQorGrid::GetPhyLeftMargin() const { return d->layout.phyMargins[0]; }
double TCustomQorGrid::GetPhyTopMargin() const { return d->layout.phyMargins[1]; }
double TCustomQorGrid::GetPhyRightMargin() const { return d->layout.phyMargins[2]; }
double TCustomQorGrid::GetPhyBottomMargin() const { return d->layout.phyMargins[3]; }

int TCustomQorGrid::GetLeftSpace() const { return d->layout.spaces[0]; }
int TCustomQorGrid::GetTopSpace() const { return d->layout.spaces[1]; }
int TCustomQorGrid::GetRightSpace() const { return d->layout.spaces[2]; }
int TCustomQorGrid::GetBottomSpace() const { return d->layout.spaces[3]; }
void TCustomQorGrid::SetLeftSpace(int Value) { setSpace(*d, 0, Value); }
void TCustomQorGrid::SetTopSpace(int Value) { setSpace(*d, 1, Value); }
void TCustomQorGrid::SetRightSpace(int Value) { setSpace(*d, 2, Value); }
void TCustomQorGrid::SetBottomSpace(int Value) { setSpace(*d, 3, Value); }

// Header sizes take effect only where there are headers.
static void changeTitleWH(GridPrivate &d)
{
    GridLayout &l = d.layout;
    if (l.gridType == gtInvoice)
        return;
    l.spaces[0] = l.titleWidth;
    l.spaces[1] = l.titleHeight;
    d.scrollToOrigin();
    d.layoutChanged();
}

int TCustomQorGrid::GetTitleWidth() const { return d->layout.titleWidth; }
int TCustomQorGrid::GetTitleHeight() const { return d->layout.titleHeight; }

void TCustomQorGrid::SetTitleWidth(int Value)
{
    Value = std::max(Value, 0);
    if (Value == d->layout.titleWidth)
        return;
    d->layout.titleWidth = Value;
    changeTitleWH(*d);
}

void TCustomQorGrid::SetTitleHeight(int Value)
{
    Value = std::max(Value, 0);
    if (Value == d->layout.titleHeight)
        return;
    d->layout.titleHeight = Value;
    changeTitleWH(*d);
}

TUnitType TCustomQorGrid::GetUnitType() const { return d->layout.unitType; }

void TCustomQorGrid::SetUnitType(TUnitType Value)
{
    if (Value == d->layout.unitType || Value > utInch)
        return;
    d->layout.unitType = Value;
    d->recalcPhysicalSizes();
    d->repaintAll();
}

int TCustomQorGrid::GetZoom() const { return d->layout.zoom; }

void TCustomQorGrid::SetZoom(int Value)
{
    if (Value <= 0 || Value == d->layout.zoom)
        return;
    d->layout.zoom = Value;
    d->layoutChanged();
}

int TCustomQorGrid::GetFixRowCount() const { return d->layout.fixRowCount; }
int TCustomQorGrid::GetFixColCount() const { return d->layout.fixColCount; }

void TCustomQorGrid::SetFixRowCount(int Value)
{
    if (Value < 0 || Value == d->layout.fixRowCount)
        return;
    d->layout.fixRowCount = Value;
    d->scrollToOrigin();
    d->layoutChanged();
}

void TCustomQorGrid::SetFixColCount(int Value)
{
    if (Value < 0 || Value == d->layout.fixColCount)
        return;
    d->layout.fixColCount = Value;
    d->scrollToOrigin();
    d->layoutChanged();
}

bool TCustomQorGrid::CheckFixRowCount() const { return d->layout.gridType != gtInvoice && d->layout.fixRowCount > 0; }
bool TCustomQorGrid::CheckFixColCount() const { return d->layout.gridType != gtInvoice && d->layout.fixColCount > 0; }

// Only frozen rows and columns in effect count: a form has no frozen band.
int TCustomQorGrid::GetTopFixSpace() const { return d->geometry().TopFixSpace(); }
int TCustomQorGrid::GetLeftFixSpace() const { return d->geometry().LeftFixSpace(); }

int TCustomQorGrid::GetTitleRows() const { return d->layout.titleRows; }
int TCustomQorGrid::GetFooterRows() const { return d->layout.footerRows; }
bool TCustomQorGrid::GetTitleRowsSet() const { return d->layout.titleRowsSet; }

void TCustomQorGrid::SetTitleRows(int Value)
{
    Value = std::clamp(Value, 0, std::max(d->rows - d->layout.footerRows, 0));
    if (Value == d->layout.titleRows)
        return;
    d->layout.titleRows = Value;
    if (Value > 0)
        d->layout.titleRowsSet = true;
    d->seams.binding->TitleRowsChanged();
    d->repaintAll();
}

void TCustomQorGrid::SetFooterRows(int Value)
{
    Value = std::clamp(Value, 0, std::max(d->rows - d->layout.titleRows, 0));
    if (Value == d->layout.footerRows)
        return;
    d->layout.footerRows = Value;
    d->repaintAll();
}

} // namespace qor
