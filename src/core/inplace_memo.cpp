#include "core/inplace_memo_p.h"

namespace qor {

TInplaceMemo::TInplaceMemo(QWidget *parent) : QPlainTextEdit(parent)
{
    setFrameShape(QFrame::NoFrame);
}

void TInplaceMemo::Load(const TInplaceCell &cell)
{
    ApplyStyle(cell);
    setPlainText(cell.typed.isNull() ? cell.text : QString(cell.typed));
    if (cell.selectAll)
        selectAll();
    else
        moveCursor(QTextCursor::End);
}

void TInplaceMemo::ApplyStyle(const TInplaceCell &cell)
{
    setFont(cell.font);
    QPalette p = palette();
    p.setColor(QPalette::Base, cell.backColor);
    p.setColor(QPalette::Text, cell.fontColor);
    setPalette(p);
}

} // namespace qor
