// The option set and what switching each option does.
#include "core/grid.h"

#include "core/grid_p.h"

namespace qor {

TQorGridOptions TCustomQorGrid::GetOptions() const { return d->options; }
bool TCustomQorGrid::HasOption(TQorGridOption Option) const { return d->options.Contains(Option); }

void TCustomQorGrid::SetOptions(TQorGridOptions Value)
{
    if (d->seams.dataOps->IsGrouped())
        Value = Value.Without(qgoShowFilter);
    const TQorGridOptions old = d->options;
    if (Value == old)
        return;
    d->seams.editor->Hide();
    d->options = Value;
    auto changed = [&](TQorGridOption o) { return old.Contains(o) != Value.Contains(o); };

    if (changed(qgoShadow)) {
        d->seams.view->ScrollToOrigin();
        d->seams.view->LayoutChanged();
    }
    if (changed(qgoShowColIndex) || changed(qgoSorting) || changed(qgoShowFilter))
        d->repaintColumnHeader();
    if (changed(qgoShowExcelTitle)) {
        const bool on = Value.Contains(qgoShowExcelTitle);
        d->layout.titleWidth = on ? 40 : 0;
        d->layout.titleHeight = on ? 20 : 0;
        if (d->layout.gridType != gtInvoice) {
            d->layout.spaces[0] = d->layout.titleWidth;
            d->layout.spaces[1] = d->layout.titleHeight;
            d->seams.view->ScrollToOrigin();
            d->seams.view->LayoutChanged();
        }
    }
    if (changed(qgoRowSelect)) {
        d->seams.editor->CommitPending();
        const int row = GetRow();
        const int col = GetCol();
        if (row < 0)
            d->selection = QRect();
        else
            d->selection = Value.Contains(qgoRowSelect) ? QRect(0, row, d->cols, 1) : QRect(col, row, 1, 1);
    }
    if (changed(qgoAutoCalFormula) && Value.Contains(qgoAutoCalFormula))
        d->seams.formulas->UpdateFormulas();
    if (changed(qgoShowHintSymbol) || changed(qgoRowSelect) || changed(qgoAlwaysShowButton) ||
        changed(qgoAutoCalFormula) || changed(qgoShadow))
        d->repaintAll();
}

} // namespace qor
