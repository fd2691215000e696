#pragma once
// Paints one cell into a rectangle from its resolved style: background, grid lines, frames,
// 3-D edges, buttons, picture, text (or the diagonal header, or the ledger digits), hint marker.
// Knows nothing of the grid, so it can paint into any canvas.
#include <QColor>
#include <QPoint>
#include <QRect>
#include <vector>
#include "core/view/paint_color.h"
#include "core/view/paint_style_p.h"
#include "format/ledger_cell.h"

class QPainter;
class QImage;

namespace qor {

class IRichTextHost;

// What the grid contributes to every cell of one paint.
struct QOR_AUTOTEST_EXPORT CellPaintEnv {
    TColor lineColor = clSilver;
    TColor sheetColor = clWhite;      // the grid's Color: cells of it let the background picture show
    TSelectionTint tint;
    TLedgerStyle ledger;
    bool showHintSymbol = false;
    bool alwaysShowButton = false;
    const std::vector<QImage> *images = nullptr;   // Images, for ImageIndex
    const QImage *backGround = nullptr;
    QPoint backGroundOrigin;
    bool tileBackGround = false;
    const IRichTextHost *richText = nullptr;   // draws rich cells; nothing: they show plain text
    bool printing = false;            // a page: PrintCurrencyLine instead of ShowCurrencyLine
    double lineScale = 1.0;           // below 1: lines and frames drawn that much thinner
};

// Which parts of one cell to paint and how it sits among its neighbours.
struct CellPaintFlags {
    bool current = false;         // the current cell: buttons show on it
    bool drawLeftLine = true;     // the left and top edges belong to this cell too (first of a band)
    bool drawTopLine = true;
    bool frames = true;           // false when the caller draws all frames afterwards
};

class QOR_AUTOTEST_EXPORT CellPainter {
public:
    CellPainter(QPainter &canvas, const CellPaintEnv &env) : m_p(canvas), m_env(env) {}

    // Every step in order. handled: the host painted the content (background and lines stay).
    void Paint(const QRect &rect, const CellPaintStyle &style, const CellPaintFlags &flags, bool handled = false);

    void PaintBackground(const QRect &rect, const CellPaintStyle &style);
    void PaintLines(const QRect &rect, const CellPaintStyle &style, bool left, bool top);
    void PaintFrames(const QRect &rect, const CellPaintStyle &style, bool left, bool top);
    void Paint3D(const QRect &rect);
    void PaintButtons(const QRect &rect, const CellPaintStyle &style, bool current);
    void PaintGraphic(const QRect &rect, const CellPaintStyle &style);
    void PaintText(const QRect &rect, const CellPaintStyle &style);
    void PaintDiagonal(const QRect &rect, const CellPaintStyle &style);
    void PaintHintMarker(const QRect &rect);

    // The rectangle text is laid out in: the cell inside its text margins.
    static QRect GetTextRect(const QRect &rect, const CellPaintStyle &style);
    // Qt alignment flags for the cell's alignments.
    static int TextFlags(TAlignment horz, TVerAlignment vert, bool wordWrap);

    // Band of pixels of a frame of width w on the boundary at coordinate b: the boundary
    // between two cells is drawn on pixel b - 1 and widens to both sides.
    static int FrameStart(int b, int w) { return b - 1 - (w - 1) / 2; }

private:
    void drawAutoText(const QRect &textRect, const CellPaintStyle &style, const QString &text);
    void drawVerticalText(const QRect &textRect, const CellPaintStyle &style);
    void drawEdge(int edge, const QRect &rect, int width, TColor color, TPenStyle style);
    void fillLine(const QRect &band, bool vertical, const QColor &color);
    bool fitsWithoutClip(const QRect &rect, const CellPaintStyle &style) const;
    void drawButton(const QRect &r, int kind);
    void drawCheckBox(const QRect &r, bool checked);
    void drawRadioItems(const QRect &rect, const CellPaintStyle &style);

    QPainter &m_p;
    const CellPaintEnv &m_env;
};

} // namespace qor
