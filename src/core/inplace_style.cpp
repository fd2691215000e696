// What every in-place editor kind takes from the cell the same way.
#include <QPalette>
#include <QWidget>
#include "core/inplace_control_p.h"

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

} // namespace qor
