// The memo editor's loading, styling and keys.
#include "core/edit/inplace_memo_p.h"

#include <QKeyEvent>
#include <QMimeData>

namespace qor {

bool KeepsMultiLineKey(const QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return !(key->modifiers() & Qt::ControlModifier);
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        return true;
    default:
        return false;
    }
}

TInplaceMemo::TInplaceMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
    setTabChangesFocus(true);
}

void TInplaceMemo::Load(const TInplaceCell &cell)
{
    ApplyStyle(cell);
    m_maxLength = cell.maxLength;
    setReadOnly(cell.readOnly);
    SetText(cell.StartText());
    if (cell.selectAll)
        selectAll();
    else
        moveCursor(QTextCursor::End);
}

void TInplaceMemo::SetText(const QString &text)
{
    setPlainText(OneBreakPerLine(text));
}

void TInplaceMemo::ApplyStyle(const TInplaceCell &cell)
{
    ApplyCellColors(*this, cell);
    setLineWrapMode(cell.wordWrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

bool TInplaceMemo::HandleKey(QKeyEvent *key)
{
    if (!KeepsMultiLineKey(key))
        return false;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (!isReadOnly() && (m_maxLength <= 0 || toPlainText().size() < m_maxLength))
            insertPlainText(QStringLiteral("\n"));
        return true;
    }
    keyPressEvent(key);
    return true;
}

void TInplaceMemo::keyPressEvent(QKeyEvent *event)
{
    const QString typed = event->text();
    const bool printable = !typed.isEmpty() && typed[0].unicode() >= 32 && !(event->modifiers() & Qt::ControlModifier);
    if (printable && m_maxLength > 0 && !textCursor().hasSelection() && toPlainText().size() >= m_maxLength) {
        event->accept();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

// Pasted text stays plain and within the cell's maximum length.
void TInplaceMemo::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText() || isReadOnly())
        return;
    QString text = OneBreakPerLine(source->text());
    if (m_maxLength > 0) {
        const qsizetype room = m_maxLength - (toPlainText().size() - textCursor().selectedText().size());
        text.truncate(std::max<qsizetype>(room, 0));
    }
    insertPlainText(text);
}

} // namespace qor
