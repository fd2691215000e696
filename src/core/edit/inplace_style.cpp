// What the in-place editor kinds and their controller do the same way.
#include <QPalette>
#include <QWidget>
#include "core/edit/inplace_control_p.h"

namespace qor {

void ApplyCellColors(QWidget &widget, const TInplaceCell &cell)
{
    widget.setFont(cell.font);
    QPalette p = widget.palette();
    p.setColor(QPalette::Base, cell.backColor);
    p.setColor(QPalette::Text, cell.fontColor);
    widget.setPalette(p);
}

QString OneBreakPerLine(QString text)
{
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return text;
}

bool WidgetWithin(const QWidget *w, const QWidget *root)
{
    for (; w; w = w->parentWidget())
        if (w == root)
            return true;
    return false;
}

} // namespace qor
