// The grid's geometry, hit testing and scrolling: facade over GridGeometry and GridScroller.
#include "core/grid.h"

#include "core/grid_p.h"
#include "core/view/scroll_p.h"

namespace qor {

QRect TCustomQorGrid::GetCellRect(int Row, int Col) const { return d->geometry().GetCellRect(Row, Col); }
QRect TCustomQorGrid::InternalCellRect(int Row, int Col) const { return d->geometry().InternalCellRect(Row, Col); }
QRect TCustomQorGrid::CellRect(int Row, int Col) const { return d->geometry().CellRect(Row, Col); }
QRect TCustomQorGrid::CellEditRect(int Row, int Col) const { return d->geometry().CellEditRect(Row, Col); }

QRect TCustomQorGrid::RegionRect(int Row1, int Col1, int Row2, int Col2) const
{
    return d->geometry().RegionRect(Row1, Col1, Row2, Col2);
}

QRect TCustomQorGrid::GetSheetRect() const { return d->geometry().SheetRect(); }
QRect TCustomQorGrid::GetColumnHeaderRect() const { return d->geometry().ColumnHeaderRect(); }
QRect TCustomQorGrid::GetRowHeaderRect() const { return d->geometry().RowHeaderRect(); }
QRect TCustomQorGrid::GetCornerRect() const { return d->geometry().CornerRect(); }
QRect TCustomQorGrid::GetRowTitleRect(int Row) const { return d->geometry().RowTitleRect(Row); }
QRect TCustomQorGrid::GetColTitleRect(int Col) const { return d->geometry().ColTitleRect(Col); }
int TCustomQorGrid::GetGridWidth() const { return d->extent().width(); }
int TCustomQorGrid::GetGridHeight() const { return d->extent().height(); }
int TCustomQorGrid::GetInnerWidth() const { return d->geometry().InnerWidth(); }
int TCustomQorGrid::GetInnerHeight() const { return d->geometry().InnerHeight(); }
int TCustomQorGrid::GetOffsetX() const { return d->geometry().OffsetX(); }
int TCustomQorGrid::GetOffsetY() const { return d->geometry().OffsetY(); }

int TCustomQorGrid::GetTopRow() const { return d->region.topRow; }
int TCustomQorGrid::GetLeftCol() const { return d->region.leftCol; }
int TCustomQorGrid::GetBottomRow() const { return d->region.bottomRow; }
int TCustomQorGrid::GetRightCol() const { return d->region.rightCol; }
int TCustomQorGrid::GetFrozenRows() const { return d->geometry().FixRows(); }
int TCustomQorGrid::GetFrozenCols() const { return d->geometry().FixCols(); }
void TCustomQorGrid::SetTopRow(int Value) { d->scroller->SetTopRow(Value); }
void TCustomQorGrid::SetLeftCol(int Value) { d->scroller->SetLeftCol(Value); }
void TCustomQorGrid::CalViewRegion() { d->scroller->CalViewRegion(); }

// The cell object at a hit position, never created.
static TCellInfo *cellAt(const GridPrivate &d, const CellPos &p, int &Row, int &Col)
{
    Row = p.row;
    Col = p.col;
    return p.valid() ? d.cells.At(p.row, p.col) : nullptr;
}

TCellInfo *TCustomQorGrid::CellFromPoint(const QPoint &P, int &Row, int &Col) const
{
    return cellAt(*d, d->geometry().CellFromPoint(P), Row, Col);
}

TCellInfo *TCustomQorGrid::RealCellFromPoint(const QPoint &P, int &Row, int &Col) const
{
    return cellAt(*d, d->geometry().RealCellFromPoint(P), Row, Col);
}

TCellInfo *TCustomQorGrid::HintCellFromPoint(const QPoint &P, int &Row, int &Col) const
{
    return cellAt(*d, d->geometry().HintCellFromPoint(P), Row, Col);
}

void TCustomQorGrid::MouseCoord(int X, int Y, int &Row, int &Col) const { CellFromPoint(QPoint(X, Y), Row, Col); }

bool TCustomQorGrid::PeekCell(const QPoint &P) const
{
    int row, col;
    return CellFromPoint(P, row, col) != nullptr;
}

int TCustomQorGrid::GetHorzPosition() const { return d->scroll.posX; }
int TCustomQorGrid::GetVertPosition() const { return d->scroll.posY; }
int TCustomQorGrid::GetHorzRange() const { return d->scroller->HorzRange(); }
int TCustomQorGrid::GetVertRange() const { return d->scroller->VertRange(); }
bool TCustomQorGrid::SetPosition(int X, int Y) { return d->scroller->SetPosition(X, Y); }
void TCustomQorGrid::UpdateScrollRange() { d->scroller->UpdateScrollRange(); }
void TCustomQorGrid::scrollContentsBy(int, int) {}
bool TCustomQorGrid::ShowCell(int Row, int Col) { return d->scroller->ShowCell(Row, Col); }

int TCustomQorGrid::GetZoomRowHeight(int Row) const { return d->rowZoom.Size(d->rowAxis, d->layout.zoom, Row); }
int TCustomQorGrid::GetZoomColWidth(int Col) const { return d->colZoom.Size(d->colAxis, d->layout.zoom, Col); }
int64_t TCustomQorGrid::GetZoomRowBottom(int Row) const { return d->rowZoom.Edge(d->rowAxis, d->layout.zoom, Row); }
int64_t TCustomQorGrid::GetZoomColRight(int Col) const { return d->colZoom.Edge(d->colAxis, d->layout.zoom, Col); }

} // namespace qor
