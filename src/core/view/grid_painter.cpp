#include "core/view/grid_painter_p.h"
#include "core/view/outline_painter_p.h"
#include "core/view/title_decorations_p.h"

#include <QPainter>
#include <algorithm>
#include "core/model/cell.h"
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/grid_seams_p.h"

namespace qor {

using platform::ToQColor;

QRect DropIndicatorRect(const TCustomQorGrid &grid)
{
    const DragMoveState &s = GridPrivate::get(grid).nav.drag;
    if (!s.dragging || s.target == s.from || s.target < 0)
        return QRect();
    const bool after = s.target > s.from;
    const int line = after ? s.target + s.count - 1 : s.target;
    const QRect view = grid.viewport()->rect();
    const QRect sheet = grid.GetSheetRect();
    if (s.vertical) {
        const QRect r = grid.GetCellRect(line, 0);
        const int y = after ? r.top() + r.height() : r.top();
        const int right = std::min(sheet.left() + sheet.width(), view.width());
        return QRect(0, y - 1, std::max(right, 0), 3);
    }
    const QRect r = grid.GetCellRect(0, line);
    const int x = after ? r.left() + r.width() : r.left();
    const int bottom = std::min(sheet.top() + sheet.height(), view.height());
    return QRect(x - 1, 0, 3, std::max(bottom, 0));
}

static void drawMoveIndicator(const TCustomQorGrid &grid, QPainter &canvas)
{
    const QRect r = DropIndicatorRect(grid);
    if (!r.isEmpty())
        canvas.fillRect(r, ToQColor(grid.GetFocusColor()));
}

GridPainter::GridPainter(TCustomQorGrid &grid) : m_grid(grid) { buildEnv(); }

void GridPainter::buildEnv()
{
    GridPrivate &d = GridPrivate::get(m_grid);
    m_env.lineColor = m_grid.GetLineColor();
    m_env.sheetColor = m_grid.GetColor();
    m_env.tint.focusColor = m_grid.GetFocusColor();
    m_env.tint.focused = m_grid.hasFocus() || d.editorOpen();
    m_env.tint.hasSelectionRect = d.selection.isValid() && int64_t(d.selection.width()) * d.selection.height() > 1;
    m_env.ledger.cellWidth = m_grid.GetCurrencyCellWidth();
    m_env.ledger.currencyDigits = m_grid.GetCurrencyDigits();
    m_env.ledger.symbol = m_grid.GetCurrencySymbol();
    m_env.ledger.separatorColor = m_grid.GetCurrencySeparatorColor();
    m_env.ledger.decimalColor = m_grid.GetCurrencyDecimalSeparatorColor();
    m_env.ledger.thousandColor = m_grid.GetCurrencyThousandSeparatorColor();
    m_env.showHintSymbol = m_grid.HasOption(qgoShowHintSymbol);
    m_env.alwaysShowButton = m_grid.HasOption(qgoAlwaysShowButton);
    m_env.images = &d.paint.images;
    const TQorPicture &back = m_grid.GetBackGround();
    m_env.backGround = back.Image.isNull() ? nullptr : &back.Image;
    m_env.tileBackGround = m_grid.GetTileBackGround();
    m_env.richText = d.seams.richText.get();
    // A locked picture stays put in the window; otherwise it scrolls with the sheet.
    m_env.backGroundOrigin = m_grid.GetLockBackGround() ? QPoint(0, 0) : m_grid.GetSheetRect().topLeft();
}

void GridPainter::FillExcludeRect(QPainter &canvas, const QRect &outer, const QRect &inner, const QColor &color)
{
    const QRect in = inner.intersected(outer);
    if (in.isEmpty()) {
        canvas.fillRect(outer, color);
        return;
    }
    canvas.fillRect(QRect(outer.left(), outer.top(), outer.width(), in.top() - outer.top()), color);
    canvas.fillRect(QRect(outer.left(), in.bottom() + 1, outer.width(), outer.bottom() - in.bottom()), color);
    canvas.fillRect(QRect(outer.left(), in.top(), in.left() - outer.left(), in.height()), color);
    canvas.fillRect(QRect(in.right() + 1, in.top(), outer.right() - in.right(), in.height()), color);
}

void GridPainter::Paint(QPainter &canvas, const QRect &client, const QRegion &dirty)
{
    if (m_grid.GetLocking())
        return;
    m_dirty = dirty;
    const QRect sheet = m_grid.GetSheetRect();
    FillExcludeRect(canvas, client, sheet, ToQColor(m_grid.GetBackColor()));
    if (m_grid.OnDrawGridBackground)
        m_grid.OnDrawGridBackground(&m_grid, &canvas, client);
    if (!sheet.isEmpty() && GridPrivate::get(m_grid).shadowWidth() > 0) {
        const QColor shadow = ToQColor(m_grid.GetShadowColor());
        const int w = GridPrivate::get(m_grid).shadowWidth();
        canvas.fillRect(QRect(sheet.right() + 1, sheet.top() + w, w, sheet.height()), shadow);
        canvas.fillRect(QRect(sheet.left() + w, sheet.bottom() + 1, sheet.width(), w), shadow);
    }
    if (m_grid.GetRows() > 0 && m_grid.GetCols() > 0) {
        DrawTo(canvas);
        DrawFocusRect(canvas);
        DrawPagesLine(canvas);
        drawMoveIndicator(m_grid, canvas);
    }
    if (m_grid.OnDrawGridForeground)
        m_grid.OnDrawGridForeground(&m_grid, &canvas, client);
    if (m_grid.OnDrawTitle) {
        for (const QRect &panel : {m_grid.GetColumnHeaderRect(), m_grid.GetRowHeaderRect()})
            if (!panel.isEmpty())
                m_grid.OnDrawTitle(&m_grid, &canvas, panel);
    }
}

void GridPainter::DrawTo(QPainter &canvas)
{
    drawHeaders(canvas);
    const int fixRows = m_grid.GetFrozenRows();
    const int fixCols = m_grid.GetFrozenCols();
    const int top = m_grid.GetTopRow(), left = m_grid.GetLeftCol();
    const int bottom = m_grid.GetBottomRow(), right = m_grid.GetRightCol();
    const QRect client = m_grid.viewport()->rect();
    const bool invoice = m_grid.GetGridType() == gtInvoice;
    // Frozen rows lie between the column header and the band's end; scrolling ones below.
    const int y0 = invoice ? 0 : std::max(m_grid.GetColumnHeaderRect().height() - 1, 0);
    const int x0 = invoice ? 0 : std::max(m_grid.GetRowHeaderRect().width() - 1, 0);
    const int yb = invoice ? 0 : (fixRows > 0 ? m_grid.GetTopFixSpace() : y0);
    const int xb = invoice ? 0 : (fixCols > 0 ? m_grid.GetLeftFixSpace() : x0);
    const int cw = std::max(client.width(), 0), ch = std::max(client.height(), 0);
    const Band bands[] = {
        {0, fixRows - 1, 0, fixCols - 1, QRect(x0, y0, xb - x0, yb - y0)},
        {0, fixRows - 1, left, right, QRect(xb, y0, cw - xb, yb - y0)},
        {top, bottom, 0, fixCols - 1, QRect(x0, yb, xb - x0, ch - yb)},
        {top, bottom, left, right, QRect(xb, yb, cw - xb, ch - yb)},
    };
    m_autoHeightRows.clear();
    for (const Band &band : bands)
        drawBand(canvas, band);
    // Automatic heights are measured on first sight, while the row still has the default.
    std::sort(m_autoHeightRows.begin(), m_autoHeightRows.end());
    m_autoHeightRows.erase(std::unique(m_autoHeightRows.begin(), m_autoHeightRows.end()), m_autoHeightRows.end());
    for (int row : m_autoHeightRows)
        if (m_grid.GetRowHeight(row) == m_grid.GetDefaultRowHeight())
            m_grid.CalAutoHeight_Row(row);
}

// Frames are centred on an edge and reach over the crossing ones: a neighbour's reach.
static constexpr int FrameReach = 4;

bool GridPainter::needed(const QRect &rect) const
{
    return m_dirty.isEmpty() || m_dirty.intersects(rect.adjusted(-FrameReach, -FrameReach, FrameReach, FrameReach));
}

void GridPainter::drawBand(QPainter &canvas, const Band &band)
{
    if (band.row1 < band.row0 || band.col1 < band.col0 || band.row0 < 0 || band.col0 < 0)
        return;
    if (!m_print && (band.clip.isEmpty() || !needed(band.clip)))
        return;
    canvas.save();
    if (!m_print)
        canvas.setClipRect(band.clip, Qt::IntersectClip);
    m_paintedOwners.clear();
    m_frames.clear();
    for (int r = band.row0; r <= band.row1; ++r) {
        if (GridPrivate::get(m_grid).rowAxis.CurrentSize(r) <= 0)
            continue;
        // A row (a position) outside the region is skipped; a covered position inside it
        // still draws its whole merged area, clipped.
        if (!m_dirty.isEmpty() && !needed(rowSpan(band, r)))
            continue;
        for (int c = band.col0; c <= band.col1; ++c)
            if (m_dirty.isEmpty() || needed(m_grid.GetCellRect(r, c)))
                drawPosition(canvas, band, r, c);
    }
    CellPainter painter(canvas, m_env);
    for (const PendingFrame &f : m_frames)
        painter.PaintFrames(f.rect, f.style, f.left, f.top);
    if (!m_print)
        DrawOutline(canvas, m_grid, band.row0, band.row1, band.col0, band.col1);
    canvas.restore();
}

bool GridPainter::drawPosition(QPainter &canvas, const Band &band, int row, int col)
{
    GridPrivate &d = GridPrivate::get(m_grid);
    if (d.colAxis.CurrentSize(col) <= 0)
        return false;
    TCellInfo *cell = d.cells.At(row, col);
    int orow = row, ocol = col;
    if (cell && !cell->GetNeedDraw()) {
        orow = cell->GetMergeRow();
        ocol = cell->GetMergeCol();
        cell = d.cells.At(orow, ocol);
    }
    const bool area = cell && (cell->GetRows() > 1 || cell->GetCols() > 1);
    QRect rect;
    if (area) {
        const int64_t key = int64_t(orow) * d.cols + ocol;
        if (std::find(m_paintedOwners.begin(), m_paintedOwners.end(), key) != m_paintedOwners.end())
            return false;
        m_paintedOwners.push_back(key);
        rect = m_print ? printRect(orow, ocol, cell) : m_grid.CellRect(orow, ocol);
    } else {
        rect = m_print ? printRect(orow, ocol, nullptr) : m_grid.GetCellRect(orow, ocol);
    }
    if (rect.isEmpty())
        return false;
    ResolveCellPaintStyle(m_grid, orow, ocol, cell, m_style);
    bool handled = false;
    if (m_print)
        adjustForPrint(m_style);
    else if (m_grid.OnDrawCell)
        m_grid.OnDrawCell(&m_grid, orow, ocol, &canvas, rect, handled);
    CellPaintFlags flags;
    flags.current = !m_print && d.currentIndex == int64_t(orow) * d.cols + ocol;
    flags.drawLeftLine = ocol <= band.col0;
    flags.drawTopLine = orow <= band.row0;
    flags.frames = false;
    CellPainter(canvas, m_env).Paint(rect, m_style, flags, handled);
    ++d.paint.cellsPainted;
    const bool *fr = m_style.frame;
    if (fr[0] || fr[1] || fr[2] || fr[3])
        m_frames.push_back({rect, m_style, flags.drawLeftLine || !leftFrameShared(orow, ocol),
                            flags.drawTopLine || !topFrameShared(orow, ocol)});
    if (cell && cell->GetAutoHeight() && !m_print)
        m_autoHeightRows.push_back(orow);
    return true;
}

void GridPainter::DrawPrintArea(QPainter &canvas, int row0, int row1, int col0, int col1, const PrintAreaOptions &options)
{
    const GridPrivate &d = GridPrivate::get(m_grid);
    row0 = std::max(row0, 0), col0 = std::max(col0, 0);
    row1 = std::min(row1, d.rows - 1), col1 = std::min(col1, d.cols - 1);
    m_print = &options;
    m_dirty = QRegion();
    m_env.tint = TSelectionTint();
    m_env.showHintSymbol = false;
    m_env.alwaysShowButton = false;
    m_env.backGroundOrigin = QPoint(0, 0);
    m_env.printing = true;
    m_env.lineScale = std::clamp(options.lineScale, 0.01, 1.0);
    if (!options.color)
        m_env.lineColor = clBlack;
    drawBand(canvas, Band{row0, row1, col0, col1, QRect()});
    m_print = nullptr;
}

// A position's print rectangle, right and bottom exclusive like a screen rectangle.
QRect GridPainter::printRect(int row, int col, const TCellInfo *owner) const
{
    QRect r = m_grid.GetCellPrintRect(row, col);
    if (owner && (owner->GetRows() > 1 || owner->GetCols() > 1))
        r = r.united(m_grid.GetCellPrintRect(row + owner->GetRows() - 1, col + owner->GetCols() - 1));
    return r;
}

void GridPainter::adjustForPrint(CellPaintStyle &st)
{
    st.selected = false;
    st.hasHint = false;
    st.ctl3D = false;   // a page has no raised cells: the frame pass draws their edges
    // Most cells share a font: the converted one is kept, so each page makes few fonts.
    if (m_print->pageFont) {
        if (!(st.font == m_printFontFrom)) {
            m_printFontFrom = st.font;
            m_printFont = m_print->pageFont(st.font);
        }
        st.font = m_printFont;
    }
    if (!st.printable) {
        st.text.clear();
        st.richText.clear();
        st.leftText.clear();
        st.rightText.clear();
        st.graphic = QImage();
        st.imageIndex = -1;
        st.brushStyle = bsClear;
        if (st.cellType == ctCheckBox || st.cellType == ctRadioButton || st.cellType == ctButton)
            st.cellType = ctEdit;
    }
    if (!m_print->color) {
        st.backColor = clWhite;
        st.brushStyle = st.printable ? bsSolid : bsClear;
        for (int e = 0; e < 4; ++e) {
            st.frameColor[e] = clBlack;
            st.frameWidth[e] = 1;
        }
    }
    if (!m_print->gridLines)
        for (int e = 0; e < 4; ++e)
            st.line[e] = st.frame[e] = false;
}

// The row's strip across the band.
QRect GridPainter::rowSpan(const Band &band, int row) const
{
    const QRect r = m_grid.GetCellRect(row, band.col0);
    return QRect(band.clip.left(), r.top(), band.clip.width(), r.height());
}

// Whether the neighbour across the edge draws it already as its own right (bottom) frame.
bool GridPainter::leftFrameShared(int row, int col) const
{
    return col > 0 && m_grid.CellRightFrame(row, col - 1);
}

bool GridPainter::topFrameShared(int row, int col) const
{
    return row > 0 && m_grid.CellBottomFrame(row - 1, col);
}

void GridPainter::DrawCell(QPainter &canvas, TCellInfo *cell, int row, int col, const QRect &rect)
{
    if (rect.isEmpty())
        return;
    CellPaintStyle style;
    ResolveCellPaintStyle(m_grid, row, col, cell, style);
    bool handled = false;
    if (m_grid.OnDrawCell)
        m_grid.OnDrawCell(&m_grid, row, col, &canvas, rect, handled);
    CellPaintFlags flags;
    flags.current = m_grid.GetRow() == row && m_grid.GetCol() == col;
    CellPainter(canvas, m_env).Paint(rect, style, flags, handled);
}

void GridPainter::drawHeaderCell(QPainter &canvas, const QRect &rect, const QString &text, int flags, int reserveRight)
{
    if (rect.isEmpty())
        return;
    canvas.fillRect(rect, ToQColor(m_grid.GetTitleColor()));
    const QColor line = ToQColor(m_grid.GetTitleLineColor());
    canvas.fillRect(QRect(rect.left() + rect.width() - 1, rect.top(), 1, rect.height()), line);
    canvas.fillRect(QRect(rect.left(), rect.top() + rect.height() - 1, rect.width(), 1), line);
    if (!text.isEmpty())
        canvas.drawText(rect.adjusted(2, 1, -3 - reserveRight, -2), flags, text);
}

void GridPainter::drawHeaders(QPainter &canvas)
{
    const QRect colPanel = m_grid.GetColumnHeaderRect();
    const QRect rowPanel = m_grid.GetRowHeaderRect();
    if (colPanel.isEmpty() && rowPanel.isEmpty())
        return;
    const bool excel = m_grid.GetGridType() == gtExcel;
    const int fixRows = m_grid.GetFrozenRows(), fixCols = m_grid.GetFrozenCols();
    const int xb = fixCols > 0 ? m_grid.GetLeftFixSpace() : m_grid.GetTitleWidth();
    const int yb = fixRows > 0 ? m_grid.GetTopFixSpace() : m_grid.GetTitleHeight();
    const QColor ink = ToQColor(clBtnText);
    canvas.save();
    if (!colPanel.isEmpty()) {
        canvas.fillRect(colPanel, ToQColor(m_grid.GetTitleColor()));
        const bool showIndex = excel && m_grid.HasOption(qgoShowColIndex);
        QFont small = m_grid.GetFont().Font;
        small.setPointSizeF(std::max(4.0, small.pointSizeF() * 0.7));
        auto drawCol = [&](int c, const QRect &clip) {
            const QRect r = m_grid.GetColTitleRect(c);
            if (r.isEmpty() || !needed(r))
                return;
            canvas.setClipRect(clip);
            const int reserve = TitleDecorationWidth(m_grid, c, r);
            if (excel) {
                canvas.setFont(m_grid.GetFont().Font);
                canvas.setPen(ink);
                drawHeaderCell(canvas, r, TCustomQorGrid::ColToText(c), Qt::AlignCenter, reserve);
                if (showIndex) {
                    canvas.setFont(small);
                    canvas.drawText(r.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(c + 1));
                }
            } else {
                const TQorColumnTitle &title = m_grid.Columns(c)->Title();
                canvas.setFont(title.GetFont().Font);
                canvas.setPen(ToQColor(title.GetFont().Color));
                drawHeaderCell(canvas, r, title.GetCaption(),
                               CellPainter::TextFlags(title.GetAlignment(), vtaCenter, false), reserve);
            }
            DrawTitleDecorations(canvas, m_grid, c, r);
        };
        const QRect fixedClip(0, 0, xb, colPanel.height());
        const QRect scrollClip(xb, 0, colPanel.width() - xb, colPanel.height());
        for (int c = 0; c < fixCols; ++c)
            drawCol(c, fixedClip);
        if (m_grid.GetLeftCol() >= 0)
            for (int c = m_grid.GetLeftCol(); c <= m_grid.GetRightCol(); ++c)
                drawCol(c, scrollClip);
    }
    if (!rowPanel.isEmpty()) {
        canvas.setClipRect(rowPanel);
        canvas.fillRect(rowPanel, ToQColor(m_grid.GetTitleColor()));
        canvas.setFont(m_grid.GetFont().Font);
        canvas.setPen(ink);
        auto drawRow = [&](int r, const QRect &clip) {
            const QRect rect = m_grid.GetRowTitleRect(r);
            if (rect.isEmpty() || !needed(rect))
                return;
            canvas.setClipRect(clip);
            drawHeaderCell(canvas, rect, excel ? QString::number(r + 1) : QString(), Qt::AlignCenter);
            if (!excel && r == m_grid.GetRow()) {
                // The current row's marker.
                const QPoint c = rect.center();
                const QPoint tri[3] = {QPoint(c.x() - 3, c.y() - 4), QPoint(c.x() + 2, c.y()), QPoint(c.x() - 3, c.y() + 4)};
                canvas.setBrush(ink);
                canvas.drawPolygon(tri, 3);
            }
        };
        const QRect fixedClip(0, m_grid.GetTitleHeight(), rowPanel.width(), yb - m_grid.GetTitleHeight());
        const QRect scrollClip(0, yb, rowPanel.width(), rowPanel.bottom() + 1 - yb);
        for (int r = 0; r < fixRows; ++r)
            drawRow(r, fixedClip);
        if (m_grid.GetTopRow() >= 0)
            for (int r = m_grid.GetTopRow(); r <= m_grid.GetBottomRow(); ++r)
                drawRow(r, scrollClip);
    }
    const QRect corner = m_grid.GetCornerRect();
    canvas.setClipping(false);
    canvas.setPen(ink);
    drawHeaderCell(canvas, corner, QString(), 0);
    canvas.restore();
}

void GridPainter::DrawFocusRect(QPainter &canvas)
{
    const int row = m_grid.GetRow(), col = m_grid.GetCol();
    if (row < 0 || col < 0)
        return;
    const QRect area = m_grid.MergedArea(row, col);
    QRect r = m_grid.CellRect(area.top(), area.left());
    if (r.isEmpty())
        return;
    // Not while scrolled under the frozen band or the header panels.
    const bool invoice = m_grid.GetGridType() == gtInvoice;
    const int yb = invoice ? 0 : (m_grid.GetFrozenRows() > 0 ? m_grid.GetTopFixSpace() : m_grid.GetTitleHeight());
    const int xb = invoice ? 0 : (m_grid.GetFrozenCols() > 0 ? m_grid.GetLeftFixSpace() : m_grid.GetTitleWidth());
    if ((area.top() >= m_grid.GetFrozenRows() && r.bottom() < yb) || (area.left() >= m_grid.GetFrozenCols() && r.right() < xb))
        return;
    canvas.save();
    if (!invoice) {
        const int top = area.top() < m_grid.GetFrozenRows() ? m_grid.GetTitleHeight() : yb;
        const int left = area.left() < m_grid.GetFrozenCols() ? m_grid.GetTitleWidth() : xb;
        canvas.setClipRect(QRect(left, top, m_grid.viewport()->width() - left, m_grid.viewport()->height() - top));
    }
    const QColor ink = ToQColor(clWindowText);
    const int x0 = r.left() - 1, y0 = r.top() - 1, x1 = r.left() + r.width(), y1 = r.top() + r.height();
    canvas.fillRect(QRect(x0, y0, x1 - x0, 2), ink);
    canvas.fillRect(QRect(x0, y1 - 2, x1 - x0, 2), ink);
    canvas.fillRect(QRect(x0, y0, 2, y1 - y0), ink);
    canvas.fillRect(QRect(x1 - 2, y0, 2, y1 - y0), ink);
    canvas.restore();
}

void GridPainter::DrawPagesLine(QPainter &canvas)
{
    const GridPaintState &state = GridPrivate::get(m_grid).paint;
    if (!state.showPageLines || state.pageRects.empty())
        return;
    // 0xFF0000 as a stored colour value: blue.
    QPen pen(ToQColor(TColor(0xFF0000)), 2);
    canvas.save();
    canvas.setPen(pen);
    canvas.setBrush(Qt::NoBrush);
    // Where cell (0, 0) is now, scrolled, as if nothing were frozen.
    const QPoint origin = m_grid.InternalCellRect(0, 0).topLeft();
    const QRect client = m_grid.viewport()->rect();
    for (const QRect &strip : state.pageRects) {
        const QRect r = strip.translated(origin);
        if (r.intersects(client.adjusted(-2, -2, 2, 2)))
            canvas.drawRect(r);
    }
    canvas.restore();
}

} // namespace qor
