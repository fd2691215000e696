// Row heights and column widths in pixels and physical units, visibility, visible neighbours.
#include "core/grid.h"

#include <cmath>
#include "core/grid_p.h"
#include "platform/screen.h"

namespace qor {

namespace {

// A line that switches between zero and non-zero size changes what formulas that skip hidden
// cells see: the formulas depending on each position of it are recalculated.
void recalcIfShownOrHidden(GridPrivate &d, int index, bool vertical, bool wasZero)
{
    const Axis &axis = vertical ? d.rowAxis : d.colAxis;
    if (wasZero == (axis.CurrentSize(index) == 0))
        return;
    const int across = vertical ? d.cols : d.rows;
    for (int a = 0; a < across; ++a)
        vertical ? d.seams.formulas->RecalcDependentsAt(index, a) : d.seams.formulas->RecalcDependentsAt(a, index);
}

// What follows a size change of one line: layout, dependent formulas, the event. While the
// grid is locked only the note that heights changed is kept; EndUpdate recomputes.
void sizeChanged(GridPrivate &d, int index, bool vertical, bool wasZero)
{
    if (vertical && d.locked()) {
        d.batch.MarkHeightsChanged();
        return;
    }
    d.layoutChanged();
    recalcIfShownOrHidden(d, index, vertical, wasZero);
    TCustomQorGrid *grid = d.q;
    const TIndexEvent &event = vertical ? grid->OnRowHeightChanged : grid->OnColWidthChanged;
    if (!d.loading && event)
        event(grid, index);
}

void setLineSize(GridPrivate &d, int index, bool vertical, int pixels)
{
    Axis &axis = vertical ? d.rowAxis : d.colAxis;
    if (!axis.Valid(index))
        return;
    d.commitEditor();
    const bool wasZero = axis.CurrentSize(index) == 0;
    const int size = std::max(pixels, 0);
    axis.SetSize(index, size, d.layout.unitType);
    if (size > 0)
        axis.SetVisible(index, true, d.layout.unitType);
    sizeChanged(d, index, vertical, wasZero);
}

void setLinePhySize(GridPrivate &d, int index, bool vertical, double value)
{
    Axis &axis = vertical ? d.rowAxis : d.colAxis;
    if (!axis.Valid(index) || std::isnan(value))
        return;
    d.commitEditor();
    const bool wasZero = axis.CurrentSize(index) == 0;
    axis.SetPhySize(index, value, d.layout.unitType);
    sizeChanged(d, index, vertical, wasZero);
}

void setLineVisible(GridPrivate &d, int index, bool vertical, bool visible)
{
    Axis &axis = vertical ? d.rowAxis : d.colAxis;
    if (!axis.Valid(index) || axis.Entry(index).visible == visible)
        return;
    d.hideEditor();
    const bool wasZero = axis.CurrentSize(index) == 0;
    axis.SetVisible(index, visible, d.layout.unitType);
    d.layoutChanged();
    recalcIfShownOrHidden(d, index, vertical, wasZero);
    TCustomQorGrid *grid = d.q;
    const TIndexEvent &event = vertical ? grid->OnRowVisibleChanged : grid->OnColVisibleChanged;
    if (!d.loading && event)
        event(grid, index);
}

double savedPhySize(const Axis &axis, int index) { return axis.Valid(index) ? axis.Entry(index).savedPhySize : 0; }

// Walks from `from` by `step` while pred holds; the last index where it held, or -1.
template <class Pred>
int walk(const Axis &axis, int from, int step, Pred pred)
{
    for (int i = from; axis.Valid(i); i += step)
        if (pred(axis.CurrentSize(i)))
            return i;
    return -1;
}

int lastOfZeroRun(const Axis &axis, int index, int step)
{
    if (!axis.Valid(index))
        return -1;
    int i = index;
    while (axis.Valid(i + step) && axis.CurrentSize(i + step) == 0)
        i += step;
    return i;
}

} // namespace

void TCustomQorGrid::SetRowHeight(int Row, int Value) { setLineSize(*d, Row, true, Value); }
void TCustomQorGrid::SetColWidth(int Col, int Value) { setLineSize(*d, Col, false, Value); }
void TQorColumn::SetWidth(int Value) { setLineSize(GridPrivate::get(*m_grid), m_index, false, Value); }

double TCustomQorGrid::GetPhyRowHeight(int Row) const { return savedPhySize(d->rowAxis, Row); }
void TCustomQorGrid::SetPhyRowHeight(int Row, double Value) { setLinePhySize(*d, Row, true, Value); }
double TCustomQorGrid::GetPhyColWidth(int Col) const { return savedPhySize(d->colAxis, Col); }

void TCustomQorGrid::SetPhyColWidth(int Col, double Value)
{
    if (TQorColumn *column = Columns(Col))
        column->SetPhyWidth(Value);
}

void TQorColumn::SetPhyWidth(double Value) { setLinePhySize(GridPrivate::get(*m_grid), m_index, false, Value); }

void TCustomQorGrid::SetRowVisible(int Row, bool Value) { setLineVisible(*d, Row, true, Value); }
bool TCustomQorGrid::GetColVisible(int Col) const { return !d->colAxis.Valid(Col) || d->colAxis.Entry(Col).visible; }

void TCustomQorGrid::SetColVisible(int Col, bool Value)
{
    if (TQorColumn *column = Columns(Col))
        column->SetVisible(Value);
}

void TQorColumn::SetVisible(bool Value) { setLineVisible(GridPrivate::get(*m_grid), m_index, false, Value); }

int TCustomQorGrid::GetNextVisibleRow(int Row) const { return walk(d->rowAxis, std::max(Row, 0), 1, [](int s) { return s > 0; }); }
int TCustomQorGrid::GetPriorVisibleRow(int Row) const { return walk(d->rowAxis, std::min(Row, d->rows - 1), -1, [](int s) { return s > 0; }); }
int TCustomQorGrid::GetNextVisibleCol(int Col) const { return walk(d->colAxis, std::max(Col, 0), 1, [](int s) { return s > 0; }); }
int TCustomQorGrid::GetPriorVisibleCol(int Col) const { return walk(d->colAxis, std::min(Col, d->cols - 1), -1, [](int s) { return s > 0; }); }
int TCustomQorGrid::GetFirstNoHeightRow(int Row) const { return lastOfZeroRun(d->rowAxis, Row, -1); }
int TCustomQorGrid::GetLastNoHeightRow(int Row) const { return lastOfZeroRun(d->rowAxis, Row, 1); }
int TCustomQorGrid::GetFirstNoWidthCol(int Col) const { return lastOfZeroRun(d->colAxis, Col, -1); }
int TCustomQorGrid::GetLastNoWidthCol(int Col) const { return lastOfZeroRun(d->colAxis, Col, 1); }

double TCustomQorGrid::PixelToXmm(int Pixels) { return Pixels * 25.4 / platform::ScreenDpi(); }
double TCustomQorGrid::PixelToYmm(int Pixels) { return Pixels * 25.4 / platform::ScreenDpi(); }
int TCustomQorGrid::XmmToPixel(double Mm) { return UnitToPixels(Mm, utMillimeter); }
int TCustomQorGrid::YmmToPixel(double Mm) { return UnitToPixels(Mm, utMillimeter); }
double TCustomQorGrid::PixelToXInch(int Pixels) { return double(Pixels) / platform::ScreenDpi(); }
double TCustomQorGrid::PixelToYInch(int Pixels) { return double(Pixels) / platform::ScreenDpi(); }
int TCustomQorGrid::XInchToPixel(double Inches) { return UnitToPixels(Inches, utInch); }
int TCustomQorGrid::YInchToPixel(double Inches) { return UnitToPixels(Inches, utInch); }

} // namespace qor
