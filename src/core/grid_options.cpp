// The option set and what switching each option does.
#include "core/grid.h"

#include "core/grid_p.h"
#include "core/edit/editor_controller_p.h"
#include "core/view/grid_view_p.h"

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
    d->editor->Hide();
    d->options = Value;
    d->optionsChanged(old);
}

// What switching each option does, in the order the options are checked.
void GridPrivate::optionsChanged(TQorGridOptions old)
{
    const TQorGridOptions now = options;
    auto changed = [&](TQorGridOption o) { return old.Contains(o) != now.Contains(o); };
    if (changed(qgoShadow)) {
        view->ScrollToOrigin();
        view->LayoutChanged();
    }
    if (changed(qgoShowColIndex) || changed(qgoSorting) || changed(qgoShowFilter))
        repaintColumnHeader();
    if (changed(qgoShowExcelTitle)) {
        const bool on = now.Contains(qgoShowExcelTitle);
        layout.titleWidth = on ? 40 : 0;
        layout.titleHeight = on ? 20 : 0;
        if (layout.gridType != gtInvoice) {
            layout.spaces[0] = layout.titleWidth;
            layout.spaces[1] = layout.titleHeight;
            view->ScrollToOrigin();
            view->LayoutChanged();
        }
    }
    if (changed(qgoRowSelect)) {
        editor->CommitPending();
        const int row = q->GetRow();
        const int col = q->GetCol();
        if (row < 0)
            selection = QRect();
        else
            selection = now.Contains(qgoRowSelect) ? QRect(0, row, cols, 1) : QRect(col, row, 1, 1);
    }
    if (changed(qgoAutoCalFormula) && now.Contains(qgoAutoCalFormula))
        seams.formulas->UpdateFormulas();
    if (changed(qgoShowHintSymbol) || changed(qgoRowSelect) || changed(qgoAlwaysShowButton) ||
        changed(qgoAutoCalFormula) || changed(qgoShadow))
        repaintAll();
}

} // namespace qor
