#include "core/view/geometry_p.h"

#include <algorithm>
#include <climits>
#include "core/grid_p.h"

namespace qor {

namespace {

int clampInt(int64_t v) { return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX)); }

// A rectangle from its edges; the far edges are exclusive.
QRect fromEdges(int64_t left, int64_t top, int64_t right, int64_t bottom)
{
    return QRect(clampInt(left), clampInt(top), clampInt(std::max<int64_t>(right - left, 0)),
                 clampInt(std::max<int64_t>(bottom - top, 0)));
}

int64_t farX(const QRect &r) { return int64_t(r.x()) + r.width(); }
int64_t farY(const QRect &r) { return int64_t(r.y()) + r.height(); }

} // namespace

GridGeometry::GridGeometry(const Axis &rows, const Axis &cols, const GridLayout &layout, const ScrollState &scroll,
                           AreaFn area)
    : m_rows(rows), m_cols(cols), m_layout(layout), m_scroll(scroll), m_area(std::move(area))
{
}

int GridGeometry::OffsetX() const { return m_layout.spaces[0] - m_scroll.posX; }
int GridGeometry::OffsetY() const { return m_layout.spaces[1] - m_scroll.posY; }

int GridGeometry::FixRows() const
{
    return m_layout.gridType == gtInvoice ? 0 : std::clamp(m_layout.fixRowCount, 0, Rows());
}

int GridGeometry::FixCols() const
{
    return m_layout.gridType == gtInvoice ? 0 : std::clamp(m_layout.fixColCount, 0, Cols());
}

int GridGeometry::TopFixSpace() const { return clampInt(m_layout.spaces[1] + m_rows.Edge(FixRows() - 1)); }
int GridGeometry::LeftFixSpace() const { return clampInt(m_layout.spaces[0] + m_cols.Edge(FixCols() - 1)); }
int GridGeometry::TopBoundary() const { return m_layout.gridType == gtInvoice ? 0 : TopFixSpace(); }
int GridGeometry::LeftBoundary() const { return m_layout.gridType == gtInvoice ? 0 : LeftFixSpace(); }

int64_t GridGeometry::rowTop(int row, bool frozenRule) const
{
    const int offset = frozenRule && frozenRow(row) ? m_layout.titleHeight : OffsetY();
    return int64_t(offset) + m_layout.margins[1] + m_rows.Edge(row - 1);
}

int64_t GridGeometry::colLeft(int col, bool frozenRule) const
{
    const int offset = frozenRule && frozenCol(col) ? m_layout.titleWidth : OffsetX();
    return int64_t(offset) + m_layout.margins[0] + m_cols.Edge(col - 1);
}

QRect GridGeometry::cellRect(int row, int col, bool frozenRule) const
{
    if (!Valid(row, col))
        return QRect();
    const int64_t left = colLeft(col, frozenRule), top = rowTop(row, frozenRule);
    return fromEdges(left, top, left + m_cols.CurrentSize(col), top + m_rows.CurrentSize(row));
}

QRect GridGeometry::GetCellRect(int row, int col) const { return cellRect(row, col, true); }
QRect GridGeometry::InternalCellRect(int row, int col) const { return cellRect(row, col, false); }

QRect GridGeometry::area(int row, int col) const
{
    if (!m_area)
        return QRect(col, row, 1, 1);
    const QRect a = m_area(row, col);
    return a.isValid() ? a : QRect(col, row, 1, 1);
}

// Edges are taken from the corner cells, so hidden rows or columns at the area's far side
// still give the right extent.
QRect GridGeometry::areaRect(const QRect &a) const
{
    const QRect first = GetCellRect(a.top(), a.left());
    const QRect last = GetCellRect(a.bottom(), a.right());
    return fromEdges(first.x(), first.y(), farX(last), farY(last));
}

QRect GridGeometry::CellRect(int row, int col) const
{
    if (!Valid(row, col))
        return QRect();
    const QRect a = area(row, col);
    if (a.topLeft() == QPoint(col, row) && (a.width() > 1 || a.height() > 1))
        return areaRect(a);
    return GetCellRect(row, col);
}

QRect GridGeometry::CellEditRect(int row, int col) const
{
    return Valid(row, col) ? areaRect(area(row, col)) : QRect();
}

QRect GridGeometry::RegionRect(int row1, int col1, int row2, int col2) const
{
    if (!Valid(row1, col1) || !Valid(row2, col2))
        return QRect();
    const QRect a = CellRect(row1, col1), b = CellRect(row2, col2);
    return fromEdges(std::min(a.x(), b.x()), std::min(a.y(), b.y()), std::max(farX(a), farX(b)),
                     std::max(farY(a), farY(b)));
}

QRect GridGeometry::SheetRect() const
{
    if (Rows() == 0 || Cols() == 0)
        return QRect();
    const QRect first = GetCellRect(0, 0), last = GetCellRect(Rows() - 1, Cols() - 1);
    return fromEdges(first.x(), first.y(), farX(last), farY(last));
}

QRect GridGeometry::ColumnHeaderRect() const
{
    if (m_layout.gridType == gtInvoice || m_layout.titleHeight <= 0)
        return QRect();
    return QRect(0, 0, std::max(m_scroll.clientWidth, 0), m_layout.titleHeight + 1);
}

QRect GridGeometry::RowHeaderRect() const
{
    if (m_layout.gridType == gtInvoice || m_layout.titleWidth <= 0)
        return QRect();
    return QRect(0, m_layout.titleHeight, m_layout.titleWidth + 1,
                 std::max(m_scroll.clientHeight - m_layout.titleHeight, 0));
}

QRect GridGeometry::CornerRect() const
{
    if (m_layout.gridType == gtInvoice || m_layout.titleWidth <= 0 || m_layout.titleHeight <= 0)
        return QRect();
    return QRect(0, 0, m_layout.titleWidth, m_layout.titleHeight);
}

QRect GridGeometry::RowTitleRect(int row) const
{
    if (RowHeaderRect().isNull() || !m_rows.Valid(row))
        return QRect();
    const int64_t top = rowTop(row, true);
    return fromEdges(0, top, m_layout.titleWidth, top + m_rows.CurrentSize(row));
}

QRect GridGeometry::ColTitleRect(int col) const
{
    if (ColumnHeaderRect().isNull() || !m_cols.Valid(col))
        return QRect();
    const int64_t left = colLeft(col, true);
    return fromEdges(left, 0, left + m_cols.CurrentSize(col), m_layout.titleHeight);
}

int GridGeometry::InnerWidth() const { return clampInt(m_cols.Total()); }
int GridGeometry::InnerHeight() const { return clampInt(m_rows.Total()); }

// The first scrolling entry at or after the boundary (pos counted from the first entry's
// start); a zero-size entry is never chosen while a sized one follows.
static int firstAtBoundary(const Axis &axis, int fix, int64_t pos)
{
    const int n = axis.Count();
    int i = pos < 0 ? fix : axis.IndexAt(pos);
    if (i < 0)
        i = n - 1;
    i = std::clamp(i, std::min(fix, n - 1), n - 1);
    const int sized = axis.IndexAt(axis.Edge(i - 1));
    return sized >= i ? sized : i;
}

// The entry whose span holds the client's far edge; the last entry when the sheet ends first.
static int lastVisible(const Axis &axis, int first, int64_t pos)
{
    const int i = axis.FirstEdgeAtLeast(pos);
    return i >= axis.Count() ? axis.Count() - 1 : std::max(i, first);
}

ViewRegion GridGeometry::CalViewRegion() const
{
    ViewRegion v;
    if (Rows() == 0 || Cols() == 0)
        return v;
    v.fixRows = FixRows();
    v.fixCols = FixCols();
    const int64_t originY = int64_t(OffsetY()) + m_layout.margins[1];
    const int64_t originX = int64_t(OffsetX()) + m_layout.margins[0];
    v.topRow = firstAtBoundary(m_rows, v.fixRows, TopBoundary() - originY);
    v.leftCol = firstAtBoundary(m_cols, v.fixCols, LeftBoundary() - originX);
    v.bottomRow = lastVisible(m_rows, v.topRow, m_scroll.clientHeight - originY);
    v.rightCol = lastVisible(m_cols, v.leftCol, m_scroll.clientWidth - originX);
    return v;
}

// Frozen entries are searched first (at their fixed place), then the scrolling ones.
int GridGeometry::hitIndex(const Axis &axis, int fix, int64_t p, int fixedOffset, int offset, int margin) const
{
    if (fix > 0) {
        const int64_t pos = p - fixedOffset - margin;
        if (pos < axis.Edge(fix - 1)) {
            const int i = axis.IndexAt(pos);
            return i >= 0 ? i : (pos < 0 ? -1 : fix - 1);
        }
    }
    const int64_t pos = p - offset - margin;
    const int i = axis.IndexAt(pos);
    if (i >= 0)
        return i;
    return pos < 0 ? -1 : -2;
}

CellPos GridGeometry::hit(QPoint p, bool clampToSheet) const
{
    if (Rows() == 0 || Cols() == 0)
        return {};
    const QRect sheet = SheetRect();
    int64_t x = p.x(), y = p.y();
    if (clampToSheet) {
        x = std::max<int64_t>(std::min<int64_t>(x, farX(sheet) - 1), sheet.x());
        y = std::max<int64_t>(std::min<int64_t>(y, farY(sheet) - 1), sheet.y());
    }
    int row = hitIndex(m_rows, FixRows(), y, m_layout.titleHeight, OffsetY(), m_layout.margins[1]);
    int col = hitIndex(m_cols, FixCols(), x, m_layout.titleWidth, OffsetX(), m_layout.margins[0]);
    if (!clampToSheet)
        return row >= 0 && col >= 0 ? CellPos{row, col} : CellPos{};
    // Only a sheet whose rows (columns) are all hidden leaves the point off every entry.
    if (row < 0)
        row = row == -1 ? 0 : Rows() - 1;
    if (col < 0)
        col = col == -1 ? 0 : Cols() - 1;
    return {row, col};
}

CellPos GridGeometry::RealCellFromPoint(QPoint p) const { return hit(p, true); }

CellPos GridGeometry::CellFromPoint(QPoint p) const
{
    const CellPos c = hit(p, true);
    if (!c.valid())
        return c;
    const QRect a = area(c.row, c.col);
    return {a.top(), a.left()};
}

CellPos GridGeometry::HintCellFromPoint(QPoint p) const
{
    const CellPos c = hit(p, false);
    if (!c.valid())
        return c;
    const QRect a = area(c.row, c.col);
    return {a.top(), a.left()};
}

int GridGeometry::HorzRange(int sheetWidth) const
{
    return clampInt(std::max<int64_t>(
        int64_t(m_layout.spaces[0]) + sheetWidth + m_layout.spaces[2] - m_scroll.clientWidth, 0));
}

int GridGeometry::VertRange(int sheetHeight) const
{
    return clampInt(std::max<int64_t>(
        int64_t(m_layout.spaces[1]) + sheetHeight + m_layout.spaces[3] - m_scroll.clientHeight, 0));
}

// Content position (from the first entry's start) that sits at the frozen boundary.
static int64_t boundaryPos(int boundary, int offset, int margin) { return int64_t(boundary) - offset - margin; }

int GridGeometry::LineStep(bool vertical, bool forward) const
{
    const Axis &axis = vertical ? m_rows : m_cols;
    const int64_t pos = vertical ? boundaryPos(TopBoundary(), OffsetY(), m_layout.margins[1])
                                 : boundaryPos(LeftBoundary(), OffsetX(), m_layout.margins[0]);
    const int fallback = vertical ? m_layout.defaultRowHeight : m_layout.defaultColWidth;
    const int64_t at = forward ? std::max<int64_t>(pos, 0) : std::min(pos - 1, axis.Total() - 1);
    const int i = axis.IndexAt(at);
    return i >= 0 ? axis.CurrentSize(i) : fallback;
}

int GridGeometry::LinesStep(bool vertical, bool forward, int count) const
{
    const Axis &axis = vertical ? m_rows : m_cols;
    const int64_t pos = vertical ? boundaryPos(TopBoundary(), OffsetY(), m_layout.margins[1])
                                 : boundaryPos(LeftBoundary(), OffsetX(), m_layout.margins[0]);
    const int n = axis.Count();
    count = std::max(count, 1);
    if (forward) {
        const int i = axis.IndexAt(std::max<int64_t>(pos, 0));
        if (i < 0)
            return 0;
        return clampInt(axis.Edge(int(std::min<int64_t>(int64_t(i) + count - 1, n - 1))) - axis.Edge(i - 1));
    }
    const int j = axis.IndexAt(std::min(pos - 1, axis.Total() - 1));
    if (j < 0)
        return 0;
    return clampInt(axis.Edge(j) - axis.Edge(int(std::max<int64_t>(int64_t(j) - count, -1))));
}

int GridGeometry::PageStep(bool vertical, bool forward) const { return LinesStep(vertical, forward, PageLines); }

int GridGeometry::PositionForTopRow(int row) const
{
    if (!m_rows.Valid(row))
        return m_scroll.posY;
    return clampInt(m_scroll.posY + rowTop(row, true) - TopFixSpace());
}

int GridGeometry::PositionForLeftCol(int col) const
{
    if (!m_cols.Valid(col))
        return m_scroll.posX;
    return clampInt(m_scroll.posX + colLeft(col, true) - LeftFixSpace());
}

int GridGeometry::positionToShow(bool vertical, int64_t start, int64_t end) const
{
    const Axis &axis = vertical ? m_rows : m_cols;
    const int pos = vertical ? m_scroll.posY : m_scroll.posX;
    const int boundary = vertical ? TopBoundary() : LeftBoundary();
    const int client = vertical ? m_scroll.clientHeight : m_scroll.clientWidth;
    if (start < boundary)
        return clampInt(pos + start - boundary);
    if (end <= client || client <= boundary)
        return pos;
    // The cell becomes the last visible one; the entry then at the boundary is taken whole.
    const int64_t last = pos + end - client;
    const int64_t at = boundaryPos(boundary, vertical ? OffsetY() : OffsetX(),
                                   vertical ? m_layout.margins[1] : m_layout.margins[0]) + (last - pos);
    int64_t snapped = last;
    const int t = axis.IndexAt(std::max<int64_t>(at, 0));
    if (t >= 0 && axis.Edge(t - 1) < at)
        snapped += axis.Edge(t) - at;
    // Never past the cell's own start.
    return clampInt(std::min(snapped, pos + start - boundary));
}

int GridGeometry::PositionToShowRow(int row, int col) const
{
    if (!m_rows.Valid(row) || frozenRow(row))
        return m_scroll.posY;
    const QRect r = Valid(row, col) ? CellRect(row, col) : QRect(0, clampInt(rowTop(row, true)), 0, m_rows.CurrentSize(row));
    return positionToShow(true, r.y(), farY(r));
}

int GridGeometry::PositionToShowCol(int row, int col) const
{
    if (!m_cols.Valid(col) || frozenCol(col))
        return m_scroll.posX;
    const QRect r = Valid(row, col) ? CellRect(row, col) : QRect(clampInt(colLeft(col, true)), 0, m_cols.CurrentSize(col), 0);
    return positionToShow(false, r.x(), farX(r));
}

int ZoomTable::ZoomSize(int size, int zoom)
{
    const int64_t q = int64_t(std::max(size, 0)) * std::max(zoom, 0);
    int64_t whole = q / 100;
    const int64_t rest = q % 100;
    if (rest > 50 || (rest == 50 && (whole & 1)))
        ++whole;
    return clampInt(whole);
}

void ZoomTable::build(const Axis &axis, int zoom)
{
    m_sizes.resize(size_t(axis.Count()));
    m_edges.resize(size_t(axis.Count()));
    int64_t edge = 0;
    for (int i = 0; i < axis.Count(); ++i) {
        m_sizes[size_t(i)] = ZoomSize(axis.CurrentSize(i), zoom);
        edge += m_sizes[size_t(i)];
        m_edges[size_t(i)] = edge;
    }
    m_zoom = zoom;
    m_built = true;
}

int ZoomTable::Size(const Axis &axis, int zoom, int i)
{
    if (!axis.Valid(i))
        return 0;
    if (zoom == 100)
        return axis.CurrentSize(i);
    if (!m_built || m_zoom != zoom || int(m_sizes.size()) != axis.Count())
        build(axis, zoom);
    return m_sizes[size_t(i)];
}

int64_t ZoomTable::Edge(const Axis &axis, int zoom, int i)
{
    if (zoom == 100)
        return axis.Edge(i);
    if (i < 0 || axis.Count() == 0)
        return 0;
    if (!m_built || m_zoom != zoom || int(m_sizes.size()) != axis.Count())
        build(axis, zoom);
    return m_edges[size_t(std::min(i, axis.Count() - 1))];
}

} // namespace qor
