// Opening an editor over a cell, committing it through the cell's text, cancelling back to the
// starting text, and the keys and focus moves the grid handles around every kind of editor.
#include "core/edit/editor_controller_p.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QWidget>
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/edit/inplace_editor_list_p.h"
#include "core/edit/inplace_editor_p.h"
#include "core/edit/inplace_memo_p.h"
#include "core/edit/inplace_rich_edit_p.h"
#include "core/edit/inplace_spin_editor_p.h"
#include "core/model/merge_table_p.h"
#include "core/view/cell_painter_p.h"
#include "core/view/paint_style_p.h"
#include "core/edit/selection_p.h"
#include "format/display_text.h"
#include "format/key_filter.h"

namespace qor {

IInplaceControl::~IInplaceControl() = default;

TEditorController::TEditorController(TCustomQorGrid &grid) : m_grid(grid)
{
    connect(qApp, &QApplication::focusChanged, this, &TEditorController::focusChanged);
}

// The widgets are children of the viewport and may already be gone with it.
TEditorController::~TEditorController()
{
    for (QPointer<QWidget> &w : m_widgets)
        delete w.data();
}

TInplaceKind TEditorController::KindFor(TCellType type)
{
    switch (type) {
    case ctCombo:
    case ctDate: return TInplaceKind::List;
    case ctSpinEdit: return TInplaceKind::Spin;
    case ctMemo: return TInplaceKind::Memo;
    case ctRichEdit: return TInplaceKind::RichEdit;
    default: return TInplaceKind::Edit;
    }
}

IInplaceControl *TEditorController::control(TInplaceKind kind)
{
    const auto i = size_t(kind);
    if (m_widgets[i])
        return m_controls[i];
    QWidget *parent = m_grid.viewport();
    IInplaceControl *c = nullptr;
    switch (kind) {
    case TInplaceKind::Edit: c = new TInplaceEditor(parent); break;
    case TInplaceKind::List: c = new TInplaceEditorList(parent); break;
    case TInplaceKind::Spin: c = new TInplaceSpinEditor(parent); break;
    case TInplaceKind::Memo: c = new TInplaceMemo(parent); break;
    case TInplaceKind::RichEdit: c = new TInplaceRichEdit(parent); break;
    }
    QWidget *w = c->Widget();
    w->hide();
    w->installEventFilter(this);
    m_controls[i] = c;
    m_widgets[i] = w;
    return c;
}

QWidget *TEditorController::CurrentWidget() const
{
    return IsOpen() ? m_widgets[size_t(m_kind)].data() : nullptr;
}

TInplaceEditor *TEditorController::Edit() const
{
    return IsOpen() && CurrentWidget() ? dynamic_cast<TInplaceEditor *>(m_current) : nullptr;
}

bool TEditorController::IsOpenOn(int row, int col) const
{
    if (!IsOpen() || !GridPrivate::get(m_grid).valid(row, col))
        return false;
    const QRect a = GridPrivate::get(m_grid).merges->AreaAt(row, col);
    return a.top() == m_row && a.left() == m_col;
}

QString TEditorController::Text() const { return IsOpen() && CurrentWidget() ? m_current->Text() : QString(); }

void TEditorController::PutText(const QString &text)
{
    if (IsOpen() && CurrentWidget() && !m_committing)
        m_current->SetText(text);
}

TInplaceCell TEditorController::resolve(int row, int col) const
{
    TInplaceCell c;
    c.grid = &m_grid;
    c.cell = m_grid.Cells(row, col);
    c.row = row;
    c.col = col;
    c.cellType = m_grid.GetCellType(row, col);
    const IDataBinding &binding = *GridPrivate::get(m_grid).seams.binding;
    c.valueType = binding.FieldValueType(row, col).value_or(c.cell->GetValueType());
    c.digits = c.cell->GetDigits();
    CellPaintStyle s;
    ResolveCellPaintStyle(m_grid, row, col, c.cell, s);
    c.font = s.font;
    c.fontColor = platform::ToQColor(s.fontColor);
    c.backColor = platform::ToQColor(s.backColor);
    c.alignment = Qt::Alignment(CellPainter::TextFlags(s.alignment, s.verAlignment, false));
    c.wordWrap = s.wordWrap;
    c.items = s.items;
    c.maxLength = c.cell->GetMaxLength();
    c.passwordChar = c.cell->GetPasswordChar();
    c.mask = binding.FieldEditMask(row, col).value_or(c.cell->GetMask());
    c.dropDownCount = c.cell->GetDropDownCount();
    c.comboItemHeight = c.cell->GetComboItemHeight();
    c.readOnly = c.cellType == ctCombo && !c.cell->GetDirectInput();
    return c;
}

bool TEditorController::Show(int row, int col, QChar typed)
{
    GridPrivate &d = GridPrivate::get(m_grid);
    if (!d.valid(row, col))
        return false;
    const QRect a = d.merges->AreaAt(row, col);
    row = a.top();
    col = a.left();
    if (IsOpenOn(row, col))
        return true;
    if (!Selection(d).CellCanEdit(row, col))
        return false;
    Hide();
    TCellInfo *cell = m_grid.Cells(row, col);
    const std::optional<QString> field = d.seams.binding->FieldText(row, col);
    m_startText = field.value_or(cell->GetText());
    // Numbers are edited without their group separators.
    QString text = field ? m_startText : DeleteThousandSept(m_startText, cell->GetValueType(), cell->GetThousandSeparators());
    if (m_grid.OnEditText)
        m_grid.OnEditText(&m_grid, row, col, text);
    TInplaceCell c = resolve(row, col);
    c.text = text;
    c.typed = typed;
    c.selectAll = typed.isNull() && d.options.Contains(qgoSelAllOnEdit);
    m_kind = KindFor(c.cellType);
    m_current = control(m_kind);
    d.misc.editControlType = m_kind == TInplaceKind::Memo ? ectMemo : m_kind == TInplaceKind::RichEdit ? ectRichEdit : ectEdit;
    m_row = row;
    m_col = col;
    m_current->Load(c);
    m_loadedText = m_current->Text();
    m_typedStart = !typed.isNull();
    Reposition();
    QWidget *w = CurrentWidget();
    w->show();
    w->raise();
    w->setFocus(Qt::OtherFocusReason);
    if (m_grid.OnShowEditor)
        m_grid.OnShowEditor(&m_grid, row, col);
    return true;
}

void TEditorController::CommitPending()
{
    if (!IsOpen() || !CurrentWidget() || m_committing)
        return;
    const int row = m_row, col = m_col;
    const QString typed = m_current->Text();
    // Opened and left alone: nothing to write (OnEditText may show another text than stored).
    if (!m_typedStart && typed == m_loadedText && !m_current->ContentModified())
        return;
    QString text = typed;
    m_committing = true;
    if (m_grid.OnSetText)
        m_grid.OnSetText(&m_grid, row, col, text);
    GridPrivate &d = GridPrivate::get(m_grid);
    if (d.seams.binding->IsBound(row, col)) {
        d.seams.binding->WriteField(row, col, text);
    } else if (TCellInfo *cell = d.cells.At(row, col)) {
        if (text != cell->GetText())
            cell->SetText(text);
        m_current->AfterCommit(*cell);
    }
    m_startText = text;
    m_loadedText = typed;
    m_typedStart = false;
    m_committing = false;
    if (m_grid.OnAfterEdit)
        m_grid.OnAfterEdit(&m_grid, row, col);
}

void TEditorController::Hide()
{
    if (!IsOpen())
        return;
    CommitPending();
    close();
}

void TEditorController::Cancel()
{
    if (!IsOpen())
        return;
    if (CurrentWidget())
        m_current->SetText(m_startText);
    // Only a bound cell's edit is the data set's: an unbound one leaves its pending edit alone.
    IDataBinding &binding = *GridPrivate::get(m_grid).seams.binding;
    if (binding.IsBound(m_row, m_col))
        binding.CancelEdit();
    close();
}

void TEditorController::close()
{
    m_row = m_col = -1;
    QWidget *w = m_widgets[size_t(m_kind)];
    if (!w)
        return;
    QWidget *focus = QApplication::focusWidget();
    const bool hadFocus = focus && (WidgetWithin(focus, w) || m_current->Owns(focus));
    m_current->Unload();
    w->hide();
    if (hadFocus)
        m_grid.setFocus(Qt::OtherFocusReason);
}

void TEditorController::StyleChanged(int row, int col)
{
    if (IsOpenOn(row, col) && CurrentWidget())
        m_current->ApplyStyle(resolve(m_row, m_col));
}

void TEditorController::Reposition()
{
    if (QWidget *w = CurrentWidget())
        w->setGeometry(m_grid.CellEditRect(m_row, m_col).adjusted(1, 1, -1, -1));
}

bool TEditorController::PressButtonAt(int row, int col, QPoint point)
{
    GridPrivate &d = GridPrivate::get(m_grid);
    if (!d.valid(row, col))
        return false;
    const QRect a = d.merges->AreaAt(row, col);
    const TCellType type = m_grid.GetCellType(a.top(), a.left());
    if (type != ctCombo && type != ctDate && type != ctButton)
        return false;
    const QRect r = m_grid.CellEditRect(a.top(), a.left()).adjusted(1, 1, -1, -1);
    const QRect button(r.right() - TInplaceEditor::ButtonWidth + 1, r.top(), TInplaceEditor::ButtonWidth, r.height());
    if (!button.contains(point) || !Show(a.top(), a.left()))
        return false;
    if (TInplaceEditor *e = Edit())
        pressButton(*e);
    return true;
}

// What the button runs (often a dialog of the host's) is part of the edit: focus going there
// does not commit.
void TEditorController::pressButton(TInplaceEditor &edit)
{
    const QScopedValueRollback<bool> busy(m_buttonBusy, true);
    edit.ClickButton();
}

// Leaving for another control commits; the editor's own pop-ups and the grid itself do not.
void TEditorController::focusChanged(QWidget *, QWidget *now)
{
    QWidget *w = CurrentWidget();
    if (!w || !now || m_committing || m_buttonBusy)
        return;
    if (WidgetWithin(now, w) || m_current->Owns(now) || WidgetWithin(now, &m_grid))
        return;
    Hide();
}

bool TEditorController::eventFilter(QObject *watched, QEvent *event)
{
    if (!IsOpen() || watched != CurrentWidget())
        return QObject::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress)
        return routeKey(static_cast<QKeyEvent *>(event));
    if (event->type() == QEvent::MouseButtonPress) {
        const auto *press = static_cast<QMouseEvent *>(event);
        TInplaceEditor *e = Edit();
        if (e && press->button() == Qt::LeftButton && e->ButtonRect().contains(press->position().toPoint())) {
            pressButton(*e);
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

// Keys that leave the cell go to the grid; Esc closes a pop-up before the editor.
bool TEditorController::routeKey(QKeyEvent *key)
{
    if (m_current->HandleKey(key))
        return true;
    switch (key->key()) {
    case Qt::Key_Escape:
        if (!m_current->ClosePopup())
            Cancel();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown: {
        QKeyEvent copy(key->type(), key->key(), key->modifiers(), key->text());
        QApplication::sendEvent(&m_grid, &copy);
        return true;
    }
    default:
        return false;
    }
}

// --- The grid's editor operations

bool TCustomQorGrid::ShowEditor()
{
    return GetRow() >= 0 && d->editor->Show(GetRow(), GetCol());
}

bool TCustomQorGrid::ShowEditorChar(QChar Ch)
{
    TEditorController *editor = d->editor.get();
    if (GetRow() < 0)
        return false;
    // The typed character is filtered like any other key typed into the editor.
    const TCellInfo *cell = d->cells.At(GetRow(), GetCol());
    if (const std::optional<TValueType> field = d->seams.binding->FieldValueType(GetRow(), GetCol())) {
        if (!KeyAccepted(QString(), 0, 0, Ch, *field, cell ? cell->GetDigits() : 2))
            return false;
    } else if (cell && !KeyAccepted(QString(), 0, 0, Ch, cell->GetValueType(), cell->GetDigits())) {
        return false;
    }
    // A list without typed input does not start with a character either.
    if (cell && GetCellType(GetRow(), GetCol()) == ctCombo && !cell->GetDirectInput()) {
        if (!editor->Show(GetRow(), GetCol()))
            return false;
        QKeyEvent key(QEvent::KeyPress, 0, Qt::NoModifier, QString(Ch));
        editor->Current()->HandleKey(&key);
        return true;
    }
    return editor->Show(GetRow(), GetCol(), Ch);
}

void TCustomQorGrid::HideEditor() { d->editor->Hide(); }
void TCustomQorGrid::CancelEditor() { d->editor->Cancel(); }
bool TCustomQorGrid::EditorVisible() const { return d->editor->IsOpen(); }

} // namespace qor
