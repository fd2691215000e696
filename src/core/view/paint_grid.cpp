// The grid's painting members: each hands the work to the grid painter.
#include <QPaintEvent>
#include <QPainter>
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/view/grid_painter_p.h"
#include "core/view/paint_color.h"

namespace qor {

void TCustomQorGrid::paintEvent(QPaintEvent *event)
{
    QPainter canvas(viewport());
    canvas.setClipRegion(event->region());
    const QRect client = viewport()->rect();
    const QRegion dirty = event->region();
    GridPainter(*this).Paint(canvas, client, (QRegion(client) - dirty).isEmpty() ? QRegion() : dirty);
}

void TCustomQorGrid::Paint(QPainter *Canvas)
{
    if (Canvas)
        GridPainter(*this).Paint(*Canvas, viewport()->rect());
}

void TCustomQorGrid::DrawTo(QPainter *Canvas)
{
    if (Canvas && d->rows > 0 && d->cols > 0)
        GridPainter(*this).DrawTo(*Canvas);
}

void TCustomQorGrid::DrawCell(QPainter *Canvas, TCellInfo *Cell, int Row, int Col, const QRect &Rect)
{
    if (!Canvas || !d->valid(Row, Col))
        return;
    // A cell of another position (or grid) would paint the wrong attributes.
    if (Cell && (Cell->GetGrid() != this || Cell->GetRow() != Row || Cell->GetCol() != Col))
        return;
    GridPainter(*this).DrawCell(*Canvas, Cell, Row, Col, Rect);
}

void TCustomQorGrid::DrawEmptyCell(QPainter *Canvas, int Row, int Col, const QRect &Rect)
{
    if (Canvas && d->valid(Row, Col))
        GridPainter(*this).DrawCell(*Canvas, nullptr, Row, Col, Rect);
}

void TCustomQorGrid::UpdateCell(int Row, int Col)
{
    if (d->valid(Row, Col))
        d->repaintCell(Row, Col);
}

void TCustomQorGrid::UpdateEmptyCell(int Row, int Col) { UpdateCell(Row, Col); }

void TCustomQorGrid::DrawFocusRect(QPainter *Canvas)
{
    if (Canvas)
        GridPainter(*this).DrawFocusRect(*Canvas);
}

void TCustomQorGrid::DrawPagesLine(QPainter *Canvas)
{
    if (Canvas)
        GridPainter(*this).DrawPagesLine(*Canvas);
}

TColor TCustomQorGrid::BrushColor(TColor Color, bool Selected) const
{
    TSelectionTint tint;
    tint.focusColor = d->look.focusColor;
    tint.focused = hasFocus() || d->editorOpen();
    tint.hasSelectionRect = d->selection.isValid() && int64_t(d->selection.width()) * d->selection.height() > 1;
    return SelectionBrushColor(Color, Selected, tint);
}

TColor TCustomQorGrid::LightenColor(TColor Color1, TColor Color2, bool Darken)
{
    return qor::LightenColor(Color1, Color2, Darken);
}

void TCustomQorGrid::FillExcludeRect(QPainter *Canvas, const QRect &Outer, const QRect &Inner, TColor Color)
{
    if (Canvas)
        GridPainter::FillExcludeRect(*Canvas, Outer, Inner, platform::ToQColor(Color));
}

std::vector<QImage> &TCustomQorGrid::Images() { return d->paint.images; }

} // namespace qor
