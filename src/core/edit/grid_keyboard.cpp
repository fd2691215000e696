// The grid's keys: moving the current cell, extending the selection, row insertion and
// deletion, and the shortcuts other layers answer.
#include <QKeyEvent>
#include <QScrollBar>
#include "core/edit/editor_controller_p.h"
#include "core/grid.h"
#include "core/edit/grid_drag_move_p.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "core/edit/selection_p.h"
#include "platform/message_box.h"

namespace qor {

namespace {

class KeyHandler {
public:
    explicit KeyHandler(TCustomQorGrid &grid) : g(grid), d(GridPrivate::get(grid)), sel(d) {}

    bool Handle(int key, Qt::KeyboardModifiers mods, const QString &text);

private:
    bool has(TQorGridOption o) const { return d.options.Contains(o); }
    void tab();
    void arrow(NavDir dir, bool shift);
    bool radioStep(int delta);
    void toggleCheck();
    void insertRow();
    void deleteRow();
    void enter();
    void escape();
    // A printable character opens the editor with it.
    bool type(const QString &text)
    {
        if (text.size() != 1 || text[0].unicode() < 32 || text[0] == QChar(127))
            return false;
        return g.ShowEditorChar(text[0]);
    }
    void scroll(QAbstractSlider::SliderAction action)
    {
        g.verticalScrollBar()->triggerAction(action);
    }

    TCustomQorGrid &g;
    GridPrivate &d;
    Selection sel;
};

bool KeyHandler::Handle(int key, Qt::KeyboardModifiers mods, const QString &text)
{
    const bool ctrl = mods & Qt::ControlModifier;
    const bool shift = mods & Qt::ShiftModifier;
    if (ctrl) {
        switch (key) {
        case Qt::Key_C: if (has(qgoCanCopy)) d.seams.clipboard->Copy(); return true;
        case Qt::Key_X: if (has(qgoCanCut)) d.seams.clipboard->Cut(); return true;
        case Qt::Key_V: if (has(qgoCanPaste)) d.seams.clipboard->Paste(); return true;
        case Qt::Key_F: d.seams.clipboard->Find(); return true;
        case Qt::Key_A: if (has(qgoCanSelectAll)) g.SelectAll(); return true;
        case Qt::Key_Delete: deleteRow(); return true;
        default: break;
        }
    }
    switch (key) {
    case Qt::Key_Tab:
        if (shift)
            arrow(NavDir::Left, false);
        else
            tab();
        return true;
    case Qt::Key_Backtab: arrow(NavDir::Left, false); return true;
    case Qt::Key_Left: arrow(NavDir::Left, shift); return true;
    case Qt::Key_Right: arrow(NavDir::Right, shift); return true;
    case Qt::Key_Up: arrow(NavDir::Up, shift); return true;
    case Qt::Key_Down: arrow(NavDir::Down, shift); return true;
    case Qt::Key_PageUp: scroll(QAbstractSlider::SliderPageStepSub); return true;
    case Qt::Key_PageDown: scroll(QAbstractSlider::SliderPageStepAdd); return true;
    case Qt::Key_Home: scroll(QAbstractSlider::SliderToMinimum); return true;
    case Qt::Key_End: scroll(QAbstractSlider::SliderToMaximum); return true;
    case Qt::Key_Escape: escape(); return true;
    case Qt::Key_Insert: insertRow(); return true;
    case Qt::Key_Delete:
        if (mods == Qt::NoModifier)
            g.DeleteSelection();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter: enter(); return true;
    case Qt::Key_Space:
        if (g.GetRow() >= 0 && g.GetCellType(g.GetRow(), g.GetCol()) == ctCheckBox) {
            toggleCheck();
            return true;
        }
        return type(text);
    case Qt::Key_F2: g.ShowEditor(); return true;
    default: return type(text);
    }
}

void KeyHandler::tab()
{
    if (const int64_t target = sel.TabTarget(); target >= 0 && sel.Enter(int(target / d.cols), int(target % d.cols)))
        return;
    sel.SelectNext();
}

void KeyHandler::arrow(NavDir dir, bool shift)
{
    if (shift && has(qgoMultiSelect) && !has(qgoAlwaysShowEditor)) {
        sel.Extend(dir);
        return;
    }
    if (dir == NavDir::Down && radioStep(1))
        return;
    if (dir == NavDir::Up && radioStep(-1))
        return;
    if (sel.Move(dir) || dir != NavDir::Down)
        return;
    // Down past the last row grows the sheet by a row.
    const int row = g.GetRow(), col = g.GetCol();
    if (row < 0 || !has(qgoCanAppend) || !has(qgoEditing))
        return;
    if (d.merges->AreaAt(row, col).bottom() != d.rows - 1)
        return;
    g.AppendRow();
    sel.Move(NavDir::Down);
}

// Up and Down walk a radio cell's items; past either end the current cell moves on.
bool KeyHandler::radioStep(int delta)
{
    const int row = g.GetRow(), col = g.GetCol();
    if (row < 0 || g.GetCellType(row, col) != ctRadioButton || sel.CellReadOnly(row, col))
        return false;
    // A position without a cell object has the column's items and no choice yet.
    TCellInfo *cell = d.cells.At(row, col);
    const int count = cell ? cell->Items().Count() : g.Columns(col)->GetItems().Count();
    const int next = (cell ? cell->GetItemIndex() : -1) + delta;
    if (next < 0 || next >= count)
        return false;
    g.Cells(row, col)->SetItemIndex(next);
    return true;
}

void KeyHandler::toggleCheck()
{
    const int row = g.GetRow(), col = g.GetCol();
    if (row < 0 || g.GetCellType(row, col) != ctCheckBox || sel.CellReadOnly(row, col))
        return;
    if (d.seams.binding->ToggleChecked(row, col))
        return;
    TCellInfo *cell = g.Cells(row, col);
    cell->SetChecked(!cell->GetChecked());
}

void KeyHandler::insertRow()
{
    if (!has(qgoEditing))
        return;
    const int row = g.GetRow(), col = std::max(g.GetCol(), 0);
    if ((has(qgoCanInsert) || has(qgoCanAppend)) && d.seams.binding->InsertRecord(row, !has(qgoCanInsert)))
        return;
    if (has(qgoCanInsert) && row >= 0) {
        g.InsertRow(row, 1, true);
    } else if (has(qgoCanAppend)) {
        g.AppendRow();
        sel.Enter(d.rows - 1, col);
    }
}

void KeyHandler::deleteRow()
{
    const int row = g.GetRow();
    if (row < 0 || !has(qgoCanDelete) || !has(qgoEditing))
        return;
    if (has(qgoConfirmDelete) &&
        g.MessageBox(QStringLiteral("确定要删除这行数据？"), QStringLiteral("提示"),
                     platform::MB_OKCANCEL | platform::MB_ICONQUESTION) != platform::IDOK)
        return;
    d.editor->CommitPending();
    d.editor->Hide();
    g.DeleteRow(row);
}

void KeyHandler::enter()
{
    const TMoveDirectory dir = d.misc.moveDirEnter;
    if (dir == mdNone) {
        if (d.editor->IsOpen())
            g.HideEditor();
        else if (g.GetRow() >= 0 && !sel.IsFixed(g.GetRow(), g.GetCol()))
            g.ShowEditor();
        return;
    }
    d.editor->Hide();
    arrow(dir == mdLeft ? NavDir::Left : dir == mdTop ? NavDir::Up : dir == mdRight ? NavDir::Right : NavDir::Down,
          false);
}

void KeyHandler::escape()
{
    if (d.editor->IsOpen()) {
        d.editor->Cancel();
        return;
    }
    if (d.dragMove->Busy()) {
        d.dragMove->Cancel();
        return;
    }
    if (g.GetRow() >= 0)
        g.ShowCell(g.GetRow(), g.GetCol());
}

} // namespace

void TCustomQorGrid::keyPressEvent(QKeyEvent *event)
{
    if (KeyHandler(*this).Handle(event->key(), event->modifiers(), event->text()))
        event->accept();
    else
        QAbstractScrollArea::keyPressEvent(event);
}

bool TCustomQorGrid::focusNextPrevChild(bool next)
{
    // The grid keeps Tab for itself while it has cells to move between.
    if (d->rows > 0 && d->cols > 0)
        return false;
    return QAbstractScrollArea::focusNextPrevChild(next);
}

} // namespace qor
