#include "core/inplace_rich_edit_p.h"

namespace qor {

TInplaceRichEdit::TInplaceRichEdit(QWidget *parent) : QTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
}

void TInplaceRichEdit::Load(const TInplaceCell &cell)
{
    ApplyStyle(cell);
    setPlainText(cell.typed.isNull() ? cell.text : QString(cell.typed));
    if (cell.selectAll)
        selectAll();
    else
        moveCursor(QTextCursor::End);
}

void TInplaceRichEdit::ApplyStyle(const TInplaceCell &cell)
{
    setFont(cell.font);
    QPalette p = palette();
    p.setColor(QPalette::Base, cell.backColor);
    p.setColor(QPalette::Text, cell.fontColor);
    setPalette(p);
}

} // namespace qor
