#include "core/grid_p.h"

#include <QScrollBar>
#include <new>
#include <stdexcept>
#include <unistd.h>
#include "core/model/cell.h"
#include "core/model/column.h"
#include "core/grid.h"
#include "core/edit/editor_controller_p.h"
#include "core/edit/grid_drag_move_p.h"
#include "core/model/merge_table_p.h"
#include "core/view/grid_hints_p.h"
#include "core/view/grid_view_p.h"
#include "core/view/rich_text_host_p.h"
#include "platform/message_box.h"

namespace qor {

GridPrivate::GridPrivate(TCustomQorGrid *grid)
    : q(grid), merges(std::make_unique<MergeTable>(*this)), view(std::make_unique<GridView>(*grid, *this)),
      editor(std::make_unique<TEditorController>(*grid)),
      dragMove(std::make_unique<HeaderDragMove>(*grid, nav.drag)), hints(std::make_unique<GridHints>(*grid))
{
    // The value-text layer is below the view: the core installs rich text itself.
    seams.richText = MakeRichTextHost(*grid);
}

GridPrivate::~GridPrivate()
{
    // Cells and columns reach into the name tables, merges and seams while they are freed.
    cells.FreeAll();
    columns.Clear();
}

void GridPrivate::repaintShownCell(int row, int col) { view->InvalidateCell(row, col); }

void GridPrivate::repaintAll()
{
    if (!locked())
        view->InvalidateAll();
}

void GridPrivate::repaintColumnHeader()
{
    if (!locked())
        view->InvalidateColumnHeader();
}

void GridPrivate::repaintColumnTitle(int col)
{
    if (!locked() && q->isVisible() && col >= 0 && col < cols)
        q->viewport()->update(q->GetColTitleRect(col));
}

void GridPrivate::layoutChanged()
{
    view->LayoutChanged();
    repaintAll();
}

void GridPrivate::scrollToOrigin() { view->ScrollToOrigin(); }
void GridPrivate::replaceEmbedded() { view->ReplaceEmbedded(); }
void GridPrivate::removeEmbedded() { view->RemoveEmbedded(); }
bool GridPrivate::editorOpen() const { return editor->IsOpen(); }
bool GridPrivate::editorOpenOn(int row, int col) const { return editor->IsOpen() && editor->IsOpenOn(row, col); }
QString GridPrivate::editorText() const { return editor->Text(); }
void GridPrivate::putEditorText(const QString &text) { editor->PutText(text); }
void GridPrivate::commitEditor() { editor->CommitPending(); }
void GridPrivate::hideEditor() { editor->Hide(); }
void GridPrivate::editorStyleChanged(int row, int col) { editor->StyleChanged(row, col); }
void GridPrivate::repositionEditor() { editor->Reposition(); }

void GridPrivate::freeAllCells()
{
    if (cells.CellCount() == 0)
        return;
    seams.formulas->AllCellsFreed();
    cells.FreeAll();
}

// Whether a sheet of that size could be held at all: its row and column records and its cell
// slots must fit in the machine's memory. Asking the allocator alone is not enough, since an
// over-committing system grants what it cannot back and the process dies later.
static bool fitsMemory(int64_t rows, int64_t cols)
{
    const int64_t pages = sysconf(_SC_PHYS_PAGES);
    const int64_t pageSize = sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return true;
    const double bytes = double(rows) * double(sizeof(AxisEntry) + sizeof(RowInfo)) +
                         double(cols) * double(sizeof(AxisEntry) + sizeof(TQorColumn)) +
                         double(rows) * double(cols) * double(sizeof(TCellInfo *));
    return bytes < double(pages) * double(pageSize);
}

bool GridPrivate::resetRows(int newRows)
{
    if (newRows < 0 || !TCellList::FitsInt(newRows, cols) || !fitsMemory(newRows, cols))
        return false;
    try {
        Axis axis;
        axis.Reset(newRows, layout.defaultRowHeight, layout.unitType);
        EndsVector<RowInfo> info(static_cast<size_t>(newRows));
        if (!cells.Reset(newRows, cols, [this] { seams.formulas->AllCellsFreed(); }))
            return false;
        rowAxis = std::move(axis);
        rowInfo.swap(info);
    } catch (const std::bad_alloc &) {
        return false;
    } catch (const std::length_error &) {
        return false;
    }
    rows = newRows;
    return true;
}

bool GridPrivate::resetCols(int newCols)
{
    if (newCols < 0 || !TCellList::FitsInt(rows, newCols) || !fitsMemory(rows, newCols))
        return false;
    try {
        Axis axis;
        axis.Reset(newCols, layout.defaultColWidth, layout.unitType);
        std::vector<std::unique_ptr<TQorColumn>> fresh;
        fresh.reserve(size_t(newCols));
        for (int i = 0; i < newCols; ++i)
            fresh.push_back(std::make_unique<TQorColumn>(q, i));
        if (!cells.Reset(rows, newCols, [this] { seams.formulas->AllCellsFreed(); }))
            return false;
        columns.Clear();
        colAxis = std::move(axis);
        cols = newCols;
        for (auto &c : fresh)
            columns.Add(c.release());
    } catch (const std::bad_alloc &) {
        return false;
    } catch (const std::length_error &) {
        return false;
    }
    return true;
}

void GridPrivate::resetCursor()
{
    currentIndex = -1;
    selection = QRect();
}

int GridPrivate::shadowWidth() const
{
    return layout.gridType == gtInvoice && options.Contains(qgoShadow) ? 3 : 0;
}

QSize GridPrivate::extent() const
{
    const int64_t w = colAxis.Total() + layout.margins[0] + layout.margins[2] + shadowWidth();
    const int64_t h = rowAxis.Total() + layout.margins[1] + layout.margins[3] + shadowWidth();
    return QSize(int(std::min<int64_t>(w, INT_MAX)), int(std::min<int64_t>(h, INT_MAX)));
}

void GridPrivate::refuseSize(int64_t newRows, int64_t newCols)
{
    platform::MessageBox(q,
                         QStringLiteral("无法设置为 %1 行 × %2 列：单元格总数超出表格的容量，表格未作改动。")
                             .arg(newRows)
                             .arg(newCols),
                         QStringLiteral("提示"), platform::MB_OK | platform::MB_ICONINFORMATION);
}

void GridPrivate::recalcPhysicalSizes()
{
    rowAxis.ConvertUnit(layout.unitType);
    colAxis.ConvertUnit(layout.unitType);
    for (int i = 0; i < 4; ++i)
        layout.phyMargins[i] = PixelsToUnit(layout.margins[i], layout.unitType);
}

} // namespace qor
