#pragma once
// Where cells lie on the client area: cell rectangles with the frozen band, the view region,
// hit testing and the header panels. Works on the axes, the layout and the scroll state alone,
// so it can be used (and tested) without a widget. Every search over rows or columns is a
// binary search on the cumulative edges: cost does not grow with the sheet.
//
// Rectangles are Qt rectangles: a cell spanning x = 40..100 has left() 40 and width() 60.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <cstdint>
#include <functional>
#include "core/model/axis_p.h"
#include "platform/qor_global.h"

namespace qor {

struct GridLayout;

// Scroll positions in pixels and the client size they apply to.
struct ScrollState {
    int posX = 0;
    int posY = 0;
    int clientWidth = 0;
    int clientHeight = 0;
};

// The rows and columns at least partly visible. -1 everywhere on an empty grid.
struct ViewRegion {
    int topRow = -1;      // first scrolling row below the frozen band
    int leftCol = -1;     // first scrolling column right of the frozen band
    int bottomRow = -1;   // last row at least partly visible
    int rightCol = -1;
    int fixRows = 0;      // frozen rows 0..fixRows-1 (0 when none apply)
    int fixCols = 0;
    bool operator==(const ViewRegion &) const = default;
};

// A position on the sheet; -1, -1 for none.
struct CellPos {
    int row = -1;
    int col = -1;
    bool valid() const { return row >= 0 && col >= 0; }
    bool operator==(const CellPos &) const = default;
};

class QOR_AUTOTEST_EXPORT GridGeometry {
public:
    // The merged area holding a position, in cell coordinates (left = column, top = row); the
    // cell alone when not merged. No function means no merges.
    using AreaFn = std::function<QRect(int row, int col)>;

    GridGeometry(const Axis &rows, const Axis &cols, const GridLayout &layout, const ScrollState &scroll,
                 AreaFn area = {});

    int Rows() const { return m_rows.Count(); }
    int Cols() const { return m_cols.Count(); }
    bool Valid(int row, int col) const { return m_rows.Valid(row) && m_cols.Valid(col); }

    // --- Offsets and the frozen band
    // Client position of the sheet's origin (before margins).
    int OffsetX() const;
    int OffsetY() const;
    // Frozen rows and columns in effect (only with header panels), limited to the sheet.
    int FixRows() const;
    int FixCols() const;
    // Where the frozen band ends: the spaces plus the frozen rows' (columns') extent.
    int TopFixSpace() const;
    int LeftFixSpace() const;
    // Where scrolling content starts: the frozen band's end, or 0 on a form without headers.
    int TopBoundary() const;
    int LeftBoundary() const;

    // --- Rectangles
    // One cell, merges ignored, frozen rows and columns at their fixed place. Hidden rows and
    // columns give zero height or width. Empty for an invalid position.
    QRect GetCellRect(int row, int col) const;
    // The same as if nothing were frozen.
    QRect InternalCellRect(int row, int col) const;
    // The owner of a merged area covers the whole area; any other cell its own rectangle.
    QRect CellRect(int row, int col) const;
    // The rectangle an editor opened on the position gets: the whole merged area it lies in.
    QRect CellEditRect(int row, int col) const;
    // Spans the rectangles of both corner cells.
    QRect RegionRect(int row1, int col1, int row2, int col2) const;
    // From the top-left of cell (0, 0) to the bottom-right of the last cell.
    QRect SheetRect() const;
    // Header panels of the spreadsheet and data-grid types; empty on a form or when the title
    // size is 0. The column header spans the client width, the row header the client height
    // below the column header; each is one pixel wider than the title size.
    QRect ColumnHeaderRect() const;
    QRect RowHeaderRect() const;
    QRect CornerRect() const;
    // The header cell of a row (column): the row's span across the row header panel.
    QRect RowTitleRect(int row) const;
    QRect ColTitleRect(int col) const;

    // --- Extents (in pixels, clamped to int)
    int InnerWidth() const;
    int InnerHeight() const;

    // --- View region
    ViewRegion CalViewRegion() const;

    // --- Hit testing
    // The position under a client point: the point is first brought onto the sheet, frozen
    // rows and columns are searched first, and a covered cell gives its owner.
    CellPos CellFromPoint(QPoint p) const;
    // The same without the owner substitution.
    CellPos RealCellFromPoint(QPoint p) const;
    // Only a point really on a cell (not brought onto the sheet), with the owner substitution.
    CellPos HintCellFromPoint(QPoint p) const;

    // --- Scrolling
    // Largest scroll positions: sheet with spaces less the client size, at least 0.
    int HorzRange(int sheetWidth) const;
    int VertRange(int sheetHeight) const;
    // Line and page steps from the frozen boundary, in pixels. Forward steps scroll down (right).
    int LineStep(bool vertical, bool forward) const;
    int PageStep(bool vertical, bool forward) const;
    // The extent of count rows (columns) from the boundary onward (forward) or before it.
    int LinesStep(bool vertical, bool forward, int count) const;
    // Scroll position that puts the row's (column's) top at the frozen boundary.
    int PositionForTopRow(int row) const;
    int PositionForLeftCol(int col) const;
    // New vertical (horizontal) position that brings the cell (its whole merged area when it
    // owns one) into view; the current position when it is visible already or frozen. An
    // invalid row (column) on the other axis measures the column (row) alone.
    int PositionToShowRow(int row, int col) const;
    int PositionToShowCol(int row, int col) const;

    static constexpr int PageLines = 18;

private:
    bool frozenRow(int row) const { return row < FixRows(); }
    bool frozenCol(int col) const { return col < FixCols(); }
    int64_t rowTop(int row, bool frozenRule) const;
    int64_t colLeft(int col, bool frozenRule) const;
    QRect cellRect(int row, int col, bool frozenRule) const;
    QRect areaRect(const QRect &area) const;
    QRect area(int row, int col) const;
    CellPos hit(QPoint p, bool clampToSheet) const;
    int hitIndex(const Axis &axis, int fix, int64_t p, int fixedOffset, int offset, int margin) const;
    int positionToShow(bool vertical, int64_t start, int64_t end) const;

    const Axis &m_rows;
    const Axis &m_cols;
    const GridLayout &m_layout;
    const ScrollState &m_scroll;
    AreaFn m_area;
};

// Zoomed sizes and cumulative far edges of one axis: each size is round(size x zoom / 100)
// with halves to even. Built on demand; at 100 % it answers from the axis directly.
class QOR_AUTOTEST_EXPORT ZoomTable {
public:
    void Invalidate() { m_built = false; }
    int Size(const Axis &axis, int zoom, int i);
    int64_t Edge(const Axis &axis, int zoom, int i);
    static int ZoomSize(int size, int zoom);

private:
    void build(const Axis &axis, int zoom);
    std::vector<int32_t> m_sizes;
    std::vector<int64_t> m_edges;
    int m_zoom = 0;
    bool m_built = false;
};

} // namespace qor
