#pragma once
// Paints the grid's client area: the surroundings of the sheet, the header panels, the frozen
// and scrolling bands of the view region (merged areas once, empty positions from their
// column, nothing created), the focus rectangle and page lines. Only visible rows and columns
// are visited, so a frame costs the same at any sheet size.
#include <QRect>
#include <QFont>
#include <QRegion>
#include <functional>
#include <vector>
#include "core/view/cell_painter_p.h"

class QPainter;

namespace qor {

class TCustomQorGrid;
class TCellInfo;

// Where a row or column dragged by its header would land (viewport coordinates): a thick
// line between two lines; empty when the block would not move.
QOR_AUTOTEST_EXPORT QRect DropIndicatorRect(const TCustomQorGrid &grid);

// What a printed page shows in place of the screen's choices.
struct PrintAreaOptions {
    bool color = true;        // ColorPrinter: off prints white cells with black one-pixel frames
    bool gridLines = true;    // PrintGridLine: off prints neither cell lines nor frames
    // A cell's font as the page draws it, in pixels before the caller's transform; the print
    // layer gives its zoom font. Without one the font is left as it is.
    std::function<QFont(const QFont &)> pageFont;
    double lineScale = 1.0;   // how much thinner than the cells' scale lines are drawn
};

class QOR_AUTOTEST_EXPORT GridPainter {
public:
    explicit GridPainter(TCustomQorGrid &grid);

    // The whole client area in order; nothing while the grid is locked. A paint event's
    // region limits the work to the cells and header cells it touches (the canvas is clipped
    // to it); an empty region is all of the client.
    void Paint(QPainter &canvas, const QRect &client, const QRegion &dirty = QRegion());
    // Header cells, then the frozen and scrolling cells of the view region.
    void DrawTo(QPainter &canvas);
    // One position with or without its cell object, into rect (every step, frames included).
    void DrawCell(QPainter &canvas, TCellInfo *cell, int row, int col, const QRect &rect);
    // Printing: rows row0..row1 x col0..col1 at their print rectangles (the grid's zoom, the
    // sheet's corner at 0, 0; the caller's transform scales them onto the device), without
    // selection, buttons or hint marks. A merged area whose owner lies outside the range is
    // drawn whole and left to the canvas's clip, so a page edge cuts it cleanly.
    void DrawPrintArea(QPainter &canvas, int row0, int row1, int col0, int col1, const PrintAreaOptions &options);
    void DrawFocusRect(QPainter &canvas);
    void DrawPagesLine(QPainter &canvas);
    // The four bands of outer around inner; all of outer when inner is empty.
    static void FillExcludeRect(QPainter &canvas, const QRect &outer, const QRect &inner, const QColor &color);

    const CellPaintEnv &Env() const { return m_env; }

private:
    struct Band {
        int row0, row1, col0, col1;   // inclusive; empty when row1 < row0 or col1 < col0
        QRect clip;
    };
    struct PendingFrame {
        QRect rect;
        CellPaintStyle style;
        bool left, top;
    };

    void buildEnv();
    void drawHeaders(QPainter &canvas);
    void drawHeaderCell(QPainter &canvas, const QRect &rect, const QString &text, int flags, int reserveRight = 0);
    void drawBand(QPainter &canvas, const Band &band);
    // Paints the area of the position (its owner's when covered) unless done; false if skipped.
    bool drawPosition(QPainter &canvas, const Band &band, int row, int col);
    QRect rowSpan(const Band &band, int row) const;
    bool leftFrameShared(int row, int col) const;
    // Whether what is drawn in rect (with the frames reaching over its edges) meets the region.
    bool needed(const QRect &rect) const;
    bool topFrameShared(int row, int col) const;
    QRect printRect(int row, int col, const TCellInfo *owner) const;
    void adjustForPrint(CellPaintStyle &style);

    TCustomQorGrid &m_grid;
    CellPaintEnv m_env;
    QRegion m_dirty;                         // empty: everything
    CellPaintStyle m_style;                  // reused: resolving allocates nothing per cell
    std::vector<int64_t> m_paintedOwners;    // merged areas done in the current band
    std::vector<PendingFrame> m_frames;
    std::vector<int> m_autoHeightRows;
    const PrintAreaOptions *m_print = nullptr;   // set while a print area is drawn
    QFont m_printFontFrom, m_printFont;          // the last cell font and its page form
};

} // namespace qor
