// The rich-text editor: loading the cell's RTF, styles from the keyboard, selection events and
// writing the edited document back.
#include "core/edit/inplace_rich_edit_p.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>
#include <QTextDocumentFragment>
#include "core/model/cell.h"
#include "core/grid.h"
#include "core/edit/inplace_memo_p.h"
#include "format/rich_text.h"

namespace qor {

TInplaceRichEdit::TInplaceRichEdit(QWidget *parent) : QTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
    setAcceptRichText(true);
    connect(this, &QTextEdit::cursorPositionChanged, this, &TInplaceRichEdit::selectionMoved);
    connect(this, &QTextEdit::selectionChanged, this, &TInplaceRichEdit::selectionMoved);
}

void TInplaceRichEdit::Load(const TInplaceCell &cell)
{
    m_loading = true;
    m_grid = cell.grid;
    ApplyStyle(cell);
    setReadOnly(cell.readOnly);
    // Bytes that are not RTF (or none) show the cell's text in the cell's font.
    const QByteArray rich = cell.cell && cell.typed.isNull() ? cell.cell->GetRichText() : QByteArray();
    if (rich.isEmpty() || !ReadRtf(rich, *document()).ok)
        SetText(cell.StartText());
    document()->setModified(false);
    if (cell.selectAll)
        selectAll();
    else
        moveCursor(QTextCursor::End);
    m_anchor = textCursor().anchor();
    m_position = textCursor().position();
    m_loading = false;
}

void TInplaceRichEdit::ApplyStyle(const TInplaceCell &cell)
{
    document()->setDefaultFont(cell.font);
    ApplyCellColors(*this, cell);
    setLineWrapMode(cell.wordWrap ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
}

QString TInplaceRichEdit::Text() const
{
    QStringList blocks;
    for (QTextBlock b = document()->begin(); b.isValid(); b = b.next())
        blocks << b.text().replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
    return blocks.join(QLatin1Char('\n'));
}

void TInplaceRichEdit::SetText(const QString &text)
{
    const bool wasLoading = std::exchange(m_loading, true);
    setPlainText(OneBreakPerLine(text));
    m_loading = wasLoading;
}

bool TInplaceRichEdit::ContentModified() const { return document()->isModified(); }

void TInplaceRichEdit::AfterCommit(TCellInfo &cell)
{
    if (!document()->isModified())
        return;
    cell.SetRichText(WriteRtf(*document()));
    document()->setModified(false);
}

void TInplaceRichEdit::Unload() { m_grid = nullptr; }

bool TInplaceRichEdit::HandleKey(QKeyEvent *key)
{
    if ((key->modifiers() & Qt::ControlModifier) && !(key->modifiers() & (Qt::AltModifier | Qt::ShiftModifier))) {
        switch (key->key()) {
        case Qt::Key_B: ToggleStyle(Style::Bold); return true;
        case Qt::Key_I: ToggleStyle(Style::Italic); return true;
        case Qt::Key_U: ToggleStyle(Style::Underline); return true;
        default: break;
        }
    }
    if (!KeepsMultiLineKey(key))
        return false;
    keyPressEvent(key);
    return true;
}

void TInplaceRichEdit::ToggleStyle(Style style)
{
    if (isReadOnly())
        return;
    const QTextCharFormat now = textCursor().charFormat();
    QTextCharFormat f;
    switch (style) {
    case Style::Bold: f.setFontWeight(now.fontWeight() >= QFont::DemiBold ? QFont::Normal : QFont::Bold); break;
    case Style::Italic: f.setFontItalic(!now.fontItalic()); break;
    case Style::Underline: f.setFontUnderline(!now.fontUnderline()); break;
    }
    mergeCurrentCharFormat(f);
}

// Only what the cell can keep is pasted: text with its basic character styles.
void TInplaceRichEdit::insertFromMimeData(const QMimeData *source)
{
    if (!source || isReadOnly())
        return;
    if (source->hasHtml()) {
        QTextDocument scratch;
        scratch.setHtml(source->html());
        QTextDocument kept;
        ReadRtf(WriteRtf(scratch), kept);
        textCursor().insertFragment(QTextDocumentFragment(&kept));
    } else if (source->hasText()) {
        textCursor().insertText(source->text());
    }
}

// The caret or the selection moved: the grid hears of it once per change.
void TInplaceRichEdit::selectionMoved()
{
    const QTextCursor c = textCursor();
    if (c.anchor() == m_anchor && c.position() == m_position)
        return;
    m_anchor = c.anchor();
    m_position = c.position();
    if (!m_loading && m_grid && m_grid->OnRichEditSelectionChange)
        m_grid->OnRichEditSelectionChange(m_grid);
}

} // namespace qor
