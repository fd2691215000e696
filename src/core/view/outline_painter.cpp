#include "core/view/outline_painter_p.h"

#include <QPainter>
#include <algorithm>
#include <vector>
#include "core/grid_p.h"

namespace qor {

namespace {

constexpr int kButton = 9;   // the header's button picture is kButton x kButton

struct OpenNode {
    int level;
    int header;
};

} // namespace

void DrawOutline(QPainter &canvas, const TCustomQorGrid &grid, int row0, int row1, int col0, int col1)
{
    const GridPrivate &d = GridPrivate::get(grid);
    if (!d.misc.grouped || row1 < row0 || col1 < col0)
        return;
    const int first = std::max(d.misc.firstGroupedRow, 0), last = std::min(d.misc.lastGroupedRow, d.rows - 1);
    if (row1 < first || row0 > last)
        return;
    // Nodes open above the band start at the level-1 header the band's first row lies under.
    int start = std::clamp(row0, first, last);
    while (start > first && !(d.rowInfo[size_t(start)].group2 == 1 && d.rowInfo[size_t(start)].group3 == 1))
        --start;
    const int end = std::min(row1, last);

    canvas.save();
    QPen pen(QColor(0x80, 0x80, 0x80), 1, Qt::DotLine);
    canvas.setPen(pen);
    canvas.setRenderHint(QPainter::Antialiasing, false);
    auto line = [&](const OpenNode &n, int toRow, bool tick) {
        const int col = n.level - 1;
        if (col < col0 || col > col1 || col >= d.cols)
            return;
        const QRect head = grid.GetCellRect(n.header, col);
        const TCellInfo *cell = d.cells.At(n.header, col);
        const int margin = cell ? cell->GetGraphicLMargin() : 0;
        const int x = head.left() + margin + kButton / 2;
        const int top = head.top() + (head.height() + kButton) / 2;
        const QRect to = grid.GetCellRect(toRow, col);
        const int bottom = tick ? to.top() + to.height() / 2 : to.bottom();
        if (bottom > top)
            canvas.drawLine(x, top, x, bottom);
        if (tick)
            canvas.drawLine(x, bottom, x + kButton, bottom);
    };
    std::vector<OpenNode> open;
    for (int r = start; r <= end; ++r) {
        const RowInfo &info = d.rowInfo[size_t(r)];
        const bool visible = d.rowAxis.CurrentSize(r) > 0;
        if (info.group2 == 1) {
            while (!open.empty() && open.back().level >= info.group3)
                open.pop_back();
            if (visible && (info.state & 1u))
                open.push_back({info.group3, r});
        }
        if (visible && info.group4 > 0) {
            // The marker closes its node and every deeper one that ends on the same row.
            while (!open.empty() && open.back().level >= info.group4) {
                if (r >= row0)
                    line(open.back(), r, true);
                open.pop_back();
            }
        }
    }
    // Nodes that go on below the band.
    for (const OpenNode &n : open)
        line(n, end, false);
    canvas.restore();
}

} // namespace qor
