// Update batching and the loading flag.
#include "core/grid.h"

#include <QApplication>
#include "core/edit/editor_controller_p.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "core/view/grid_view_p.h"

namespace qor {

void TCustomQorGrid::BeginUpdate()
{
    if (isVisible()) {
        d->editor->CommitPending();
        if (!d->batch.Locked())
            viewport()->setUpdatesEnabled(false);
    }
    d->batch.Begin();
}

// What the end of the outermost batch redoes; wholeControl says whether embedded objects are
// re-placed and the whole control repainted, or only rect.
static void finishBatch(TCustomQorGrid &grid, GridPrivate &d, const QRect &rect, bool wholeControl)
{
    d.merges->RecalcCrossingLines();
    if (d.batch.TakeHeightsChanged()) {
        d.rowAxis.Recalc(0);
        d.view->LayoutChanged();
    }
    if (!grid.isVisible())
        return;
    grid.viewport()->setUpdatesEnabled(true);
    if (wholeControl) {
        d.view->ReplaceEmbedded();
        grid.viewport()->update();
    } else {
        grid.viewport()->update(rect.isEmpty() ? grid.viewport()->rect() : rect);
    }
    d.editor->Reposition();
}

void TCustomQorGrid::EndUpdate()
{
    if (!d->batch.End())
        return;
    d->seams.formulas->UpdateFormulas();
    finishBatch(*this, *d, QRect(), true);
}

void TCustomQorGrid::EndUpdate(const QRect &Rect)
{
    QApplication::processEvents();
    if (!d->batch.End())
        return;
    d->seams.formulas->UpdateFormulas();
    finishBatch(*this, *d, Rect, false);
}

bool TCustomQorGrid::GetLocking() const { return d->batch.Locked(); }
int TCustomQorGrid::GetUpdateCount() const { return d->batch.Count(); }
void TCustomQorGrid::ResetUpdate() { d->batch.Reset(); }

bool TCustomQorGrid::GetLoading() const { return d->loading; }

void TCustomQorGrid::SetLoading(bool Value)
{
    d->loading = Value;
    if (!Value) {
        d->loadRowList.clear();
        d->loadColList.clear();
    }
}

} // namespace qor
