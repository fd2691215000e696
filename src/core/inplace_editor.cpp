// The in-place editor's lifecycle: opening over a cell, filtering keys, committing through the
// cell's text and cancelling back to the starting text.
#include "core/inplace_editor_p.h"

#include <QApplication>
#include <QKeyEvent>
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/merge_table_p.h"
#include "core/selection_p.h"
#include "format/key_filter.h"
#include "format/masked_edit.h"

namespace qor {

namespace {
const bool installed = [] {
    RegisterGridSeams([](TCustomQorGrid &grid, GridSeams &seams) {
        seams.editor = std::make_unique<TInplaceEditor>(grid);
    });
    return true;
}();
} // namespace

TInplaceEditor::TInplaceEditor(TCustomQorGrid &grid) : m_grid(grid) {}

// The edit is a child of the viewport and goes with it; the pointer notices that.
TInplaceEditor::~TInplaceEditor() { delete m_edit.data(); }

bool TInplaceEditor::IsOpenOn(int row, int col) const
{
    if (!IsOpen() || !m_grid.Private().valid(row, col))
        return false;
    const QRect a = m_grid.Private().merges->AreaAt(row, col);
    return a.top() == m_row && a.left() == m_col;
}

QString TInplaceEditor::Text() const { return IsOpen() && m_edit ? m_edit->Text() : QString(); }

void TInplaceEditor::PutText(const QString &text)
{
    if (IsOpen() && m_edit && !m_committing)
        m_edit->SetText(text);
}

bool TInplaceEditor::Show(int row, int col, QChar typed)
{
    GridPrivate &d = m_grid.Private();
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
    QString text = d.seams.binding->FieldText(row, col).value_or(cell->GetText());
    m_startText = text;
    if (m_grid.OnEditText)
        m_grid.OnEditText(&m_grid, row, col, text);
    if (!m_edit) {
        m_edit = new TQorMaskEdit(m_grid.viewport());
        m_edit->setFrame(false);
        m_edit->installEventFilter(this);
    }
    m_row = row;
    m_col = col;
    m_edit->setFont(cell->PeekFont() ? cell->PeekFont()->Font : m_grid.GetFont().Font);
    const TAlignment align = cell->GetAlignment();
    m_edit->setAlignment((align == taRightJustify ? Qt::AlignRight : align == taCenter ? Qt::AlignHCenter : Qt::AlignLeft) |
                         Qt::AlignVCenter);
    m_edit->setMaxLength(cell->GetMaxLength() > 0 ? cell->GetMaxLength() : 32767);
    m_edit->setEchoMode(cell->GetPasswordChar().isNull() ? QLineEdit::Normal : QLineEdit::Password);
    m_edit->SetText(typed.isNull() ? text : QString(typed));
    if (typed.isNull() && d.options.Contains(qgoSelAllOnEdit))
        m_edit->selectAll();
    else
        m_edit->end(false);
    Reposition();
    m_edit->show();
    m_edit->setFocus(Qt::OtherFocusReason);
    if (m_grid.OnShowEditor)
        m_grid.OnShowEditor(&m_grid, row, col);
    return true;
}

void TInplaceEditor::CommitPending()
{
    if (!IsOpen() || !m_edit || m_committing)
        return;
    const int row = m_row, col = m_col;
    // Nothing typed since opening (or since the last commit): no edit to report.
    const QString typed = m_edit->Text();
    if (typed == m_startText)
        return;
    QString text = typed;
    m_committing = true;
    if (m_grid.OnSetText)
        m_grid.OnSetText(&m_grid, row, col, text);
    if (TCellInfo *cell = m_grid.Private().cells.At(row, col); cell && text != cell->GetText())
        cell->SetText(text);
    m_startText = typed;
    m_committing = false;
    if (m_grid.OnAfterEdit)
        m_grid.OnAfterEdit(&m_grid, row, col);
}

void TInplaceEditor::Hide()
{
    if (!IsOpen())
        return;
    CommitPending();
    close();
}

void TInplaceEditor::Cancel()
{
    if (!IsOpen())
        return;
    if (m_edit)
        m_edit->SetText(m_startText);
    close();
}

void TInplaceEditor::close()
{
    m_row = m_col = -1;
    if (m_edit) {
        const bool hadFocus = m_edit->hasFocus();
        m_edit->hide();
        if (hadFocus)
            m_grid.setFocus(Qt::OtherFocusReason);
    }
}

void TInplaceEditor::StyleChanged(int row, int col)
{
    if (IsOpenOn(row, col) && m_edit)
        if (const TCellInfo *cell = m_grid.Private().cells.At(m_row, m_col))
            m_edit->setFont(cell->PeekFont() ? cell->PeekFont()->Font : m_grid.GetFont().Font);
}

void TInplaceEditor::Reposition()
{
    if (IsOpen() && m_edit)
        m_edit->setGeometry(m_grid.CellEditRect(m_row, m_col).adjusted(1, 1, -1, -1));
}

bool TInplaceEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_edit && event->type() == QEvent::KeyPress)
        return filterKey(static_cast<QKeyEvent *>(event));
    return QObject::eventFilter(watched, event);
}

// Keys that leave the cell go to the grid; typed characters pass the cell's value-type filter.
bool TInplaceEditor::filterKey(QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Escape:
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
        break;
    }
    const QString typed = key->text();
    if (typed.size() != 1 || typed[0].unicode() < 32 || (key->modifiers() & Qt::ControlModifier))
        return false;
    const TCellInfo *cell = m_grid.Private().cells.At(m_row, m_col);
    if (!cell || !m_edit)
        return false;
    const int start = m_edit->hasSelectedText() ? m_edit->selectionStart() : m_edit->cursorPosition();
    const int length = m_edit->hasSelectedText() ? int(m_edit->selectedText().size()) : 0;
    return !KeyAccepted(m_edit->text(), start, length, typed[0], cell->GetValueType(), cell->GetDigits());
}

namespace {
TInplaceEditor *editorOf(GridPrivate &d) { return dynamic_cast<TInplaceEditor *>(d.seams.editor.get()); }
} // namespace

bool TCustomQorGrid::ShowEditor()
{
    TInplaceEditor *editor = editorOf(*d);
    return editor && GetRow() >= 0 && editor->Show(GetRow(), GetCol());
}

bool TCustomQorGrid::ShowEditorChar(QChar Ch)
{
    TInplaceEditor *editor = editorOf(*d);
    if (!editor || GetRow() < 0)
        return false;
    // The typed character is filtered like any other key typed into the editor.
    const TCellInfo *cell = d->cells.At(GetRow(), GetCol());
    if (cell && !KeyAccepted(QString(), 0, 0, Ch, cell->GetValueType(), cell->GetDigits()))
        return false;
    return editor->Show(GetRow(), GetCol(), Ch);
}

void TCustomQorGrid::HideEditor() { d->seams.editor->Hide(); }
void TCustomQorGrid::CancelEditor() { d->seams.editor->Cancel(); }
bool TCustomQorGrid::EditorVisible() const { return d->seams.editor->IsOpen(); }

} // namespace qor
