// The grid as printing measures it, and the page lines it draws from the print component.
#include "core/grid.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include "core/grid_p.h"

namespace qor {

namespace {
int clampInt(int64_t v) { return int(std::clamp<int64_t>(v, 0, INT_MAX)); }
} // namespace

QRect TCustomQorGrid::GetCellPrintRect(int Row, int Col) const
{
    if (d->rows <= 0 || d->cols <= 0)
        return QRect();
    Row = std::clamp(Row, 0, d->rows - 1);
    Col = std::clamp(Col, 0, d->cols - 1);
    const int64_t left = Col > 0 ? GetZoomColRight(Col - 1) : 0, right = GetZoomColRight(Col);
    const int64_t top = Row > 0 ? GetZoomRowBottom(Row - 1) : 0, bottom = GetZoomRowBottom(Row);
    return QRect(QPoint(clampInt(left), clampInt(top)), QPoint(clampInt(right) - 1, clampInt(bottom) - 1));
}

int64_t TCustomQorGrid::GetInnerPrintWidth() const { return d->cols > 0 ? GetZoomColRight(d->cols - 1) : 0; }
int64_t TCustomQorGrid::GetInnerPrintHeight() const { return d->rows > 0 ? GetZoomRowBottom(d->rows - 1) : 0; }

int TCustomQorGrid::GetPrintTitleHeight() const
{
    return int(std::lround(double(d->layout.titleHeight) * d->layout.zoom / 100.0));
}

bool TCustomQorGrid::GetShowPagesLine() const { return d->paint.showPageLines; }

void TCustomQorGrid::SetShowPagesLine(bool Value)
{
    d->paint.showPageLines = Value;
    if (Value)
        GetPages(d->paint.pageRects);
    d->repaintAll();
}

void TCustomQorGrid::GetPages(std::vector<QRect> &List) const
{
    List.clear();
    if (d->seams.print)
        List = d->seams.print->PagesRect();
}

void TCustomQorGrid::ClearPagesList()
{
    d->paint.pageRects.clear();
    d->repaintAll();
}

} // namespace qor
