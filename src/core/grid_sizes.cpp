// Setting one row's height or one column's width.
#include "core/grid.h"

#include "core/grid_p.h"

namespace qor {

namespace {

// A row or column that switches between zero and non-zero size changes what formulas that
// skip hidden cells see: their dependents are recalculated.
template <class CellsOf>
void recalcIfShownOrHidden(GridPrivate &d, bool wasZero, bool isZero, CellsOf cellsOf)
{
    if (wasZero == isZero)
        return;
    cellsOf([&d](TCellInfo &cell) { d.seams.formulas->RecalcDependents(cell); });
}

} // namespace

void TCustomQorGrid::SetRowHeight(int Row, int Value)
{
    if (Row < 0 || Row >= d->rows)
        return;
    d->seams.editor->CommitPending();
    const int h = std::max(Value, 0);
    const bool wasZero = d->rowAxis.CurrentSize(Row) == 0;
    d->rowAxis.SetSize(Row, h, d->layout.unitType);
    if (h > 0)
        d->rowAxis.SetVisible(Row, true);
    if (d->locked()) {
        d->batch.MarkHeightsChanged();
        return;
    }
    d->layoutChanged();
    recalcIfShownOrHidden(*d, wasZero, h == 0, [&](auto visit) {
        for (int c = 0; c < d->cols; ++c)
            if (TCellInfo *cell = d->cells.At(Row, c))
                visit(*cell);
    });
    if (!d->loading && OnRowHeightChanged)
        OnRowHeightChanged(this, Row);
}

void TCustomQorGrid::SetColWidth(int Col, int Value)
{
    if (TQorColumn *column = Columns(Col))
        column->SetWidth(Value);
}

void TQorColumn::SetWidth(int Value)
{
    GridPrivate &d = m_grid->Private();
    if (!d.colAxis.Valid(m_index))
        return;
    d.seams.editor->CommitPending();
    const int w = std::max(Value, 0);
    const bool wasZero = d.colAxis.CurrentSize(m_index) == 0;
    d.colAxis.SetSize(m_index, w, d.layout.unitType);
    if (w > 0)
        d.colAxis.SetVisible(m_index, true);
    d.layoutChanged();
    recalcIfShownOrHidden(d, wasZero, w == 0, [&](auto visit) {
        for (int r = 0; r < d.rows; ++r)
            if (TCellInfo *cell = d.cells.At(r, m_index))
                visit(*cell);
    });
    if (!d.loading && m_grid->OnColWidthChanged)
        m_grid->OnColWidthChanged(m_grid, m_index);
}

} // namespace qor
