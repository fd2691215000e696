#include "core/view/title_decorations_p.h"

#include <QPainter>
#include "core/grid.h"
#include "platform/colors.h"

namespace qor {

using platform::ToQColor;

QRect TCustomQorGrid::GetFilterButtonRect(int Col) const
{
    if (!HasOption(qgoShowFilter) || !Columns(Col))
        return QRect();
    return FilterButtonIn(GetColTitleRect(Col));
}

QRect FilterButtonIn(const QRect &cell)
{
    const int h = cell.height() - 3;   // inside the bottom line, a pixel off each edge
    if (h < 4 || cell.width() < 8)
        return QRect();
    const int w = std::min(16, std::min(h, cell.width() - 3));
    return QRect(cell.left() + cell.width() - 2 - w, cell.top() + 1, w, h);
}

int TitleDecorationWidth(const TCustomQorGrid &grid, int col, const QRect &cell)
{
    int used = 0;
    if (grid.HasOption(qgoShowFilter))
        used += FilterButtonIn(cell).width() + 1;
    const QImage sort = grid.GetSortBmp(col);
    if (!sort.isNull())
        used += sort.width() + 4;
    return used;
}

void DrawTitleDecorations(QPainter &canvas, const TCustomQorGrid &grid, int col, const QRect &cell)
{
    int right = cell.left() + cell.width() - 2;   // last pixel left of the cell's line
    if (grid.HasOption(qgoShowFilter)) {
        const QRect b = FilterButtonIn(cell);
        if (!b.isEmpty()) {
            const TQorColumn *column = grid.Columns(col);
            const bool active = column && column->GetFilterType() != ftAll;
            canvas.fillRect(b, ToQColor(clBtnFace));
            canvas.fillRect(QRect(b.left(), b.top(), b.width(), 1), ToQColor(clBtnHighlight));
            canvas.fillRect(QRect(b.left(), b.top(), 1, b.height()), ToQColor(clBtnHighlight));
            canvas.fillRect(QRect(b.left(), b.top() + b.height() - 1, b.width(), 1), ToQColor(clBtnShadow));
            canvas.fillRect(QRect(b.left() + b.width() - 1, b.top(), 1, b.height()), ToQColor(clBtnShadow));
            // A filtered column's arrow is blue, as spreadsheet programs show it.
            const QColor ink = active ? QColor(0, 0, 0xC0) : ToQColor(clBtnText);
            const QPoint c = b.center();
            canvas.save();
            canvas.setPen(Qt::NoPen);
            canvas.setBrush(ink);
            const QPoint tri[3] = {QPoint(c.x() - 3, c.y() - 1), QPoint(c.x() + 4, c.y() - 1), QPoint(c.x(), c.y() + 3)};
            canvas.drawPolygon(tri, 3);
            canvas.restore();
            right = b.left() - 1;
        }
    }
    const QImage sort = grid.GetSortBmp(col);
    if (!sort.isNull()) {
        const int x = right - 2 - sort.width();
        const int y = cell.top() + (cell.height() - 1 - sort.height()) / 2;
        canvas.drawImage(x, y, sort);
    }
}

} // namespace qor
