#pragma once
// The grid's state and the components that hold its logic.
#include <QObject>
#include <QRect>
#include <functional>
#include <memory>
#include <vector>
#include "core/grid.h"
#include "core/model/axis_p.h"
#include "core/view/geometry_p.h"
#include "core/model/cell.h"
#include "core/model/cell_data.h"
#include "core/model/cell_list.h"
#include "core/model/containers.h"
#include "core/model/font.h"
#include "core/model/picture.h"
#include "core/model/stored_extras.h"
#include "core/grid_seams_p.h"
#include "core/model/name_registry_p.h"
#include "core/update_batch_p.h"
#include "core/view/paint_state_p.h"

namespace qor {

class TCustomQorGrid;
class TQorColumn;
class MergeTable;
class GridScroller;
class GridView;
class TEditorController;
class GridHints;
class HeaderDragMove;

// Row fields that are not sizes; kept beside the row axis, one per row.
struct RowInfo {
    int32_t group1 = 0;
    int32_t group2 = 0;
    int32_t group3 = 0;
    uint32_t state = 0;
    int32_t group4 = 0;
};

struct GridLayout {
    TGridType gridType = gtInvoice;
    int margins[4] = {30, 30, 30, 30};     // left, top, right, bottom
    double phyMargins[4] = {30, 30, 30, 30};
    int spaces[4] = {10, 10, 10, 10};
    int titleWidth = 40;
    int titleHeight = 20;
    int defaultRowHeight = 18;
    int defaultColWidth = 60;
    TUnitType unitType = utPixel;
    int zoom = 100;
    int fixRowCount = 0;
    int fixColCount = 0;
    int titleRows = 0;
    int footerRows = 0;
    bool titleRowsSet = false;
};

struct GridAppearance {
    TColor color = clWhite;
    TColor backColor = clAppWorkSpace;
    TColor lineColor = clSilver;
    TColor titleColor = clBtnFace;
    TColor titleLineColor = clGray;
    TColor focusColor = clHighlight;
    TColor shadowColor = clBlack;
    TQorFont font;
    TQorPicture backGround;
    bool tileBackGround = false;
    bool lockBackGround = true;
    int rtfLineSpace = 0;
    TAlignment columnTitleAlign = taCenter;
    TQorFont columnTitleFont;
};

// Plain values that other concerns read and write through the grid.
struct GridMisc {
    int sortBeginRow = 0;
    int sortEndRow = -1;
    int sortingColIndex = -1;   // column and direction of the last sort; the title shows them
    bool sortingColAsc = true;
    int filterBeginRow = 0;
    int filterEndRow = -1;
    bool showGroupFooter = true;
    bool grouped = false;         // rows firstGroupedRow..lastGroupedRow form an outline
    int firstGroupedRow = -1;
    int lastGroupedRow = -1;      // the grand total row, when there is one, follows it
    bool includeHiddenData = false;
    bool autoShowBlobField = false;
    bool horzScrollTracking = false;
    bool vertScrollTracking = false;
    bool exportHiddenRow = true;
    bool exportHiddenCol = true;
    TMoveDirectory moveDirEnter = mdBottom;
    QString currencySymbol;
    int currencyCellWidth = 12;
    int currencyDigits = 2;
    TColor currencyDecimalSeparatorColor = clRed;
    TColor currencyThousandSeparatorColor = clGreen;
    TColor currencySeparatorColor = clSilver;
    TEditControlType editControlType = ectEdit;
};

// A row or column move dragged by its header cell.
struct DragMoveState {
    bool armed = false;      // pressed on a movable header cell, not dragged far enough yet
    bool dragging = false;
    bool vertical = true;    // rows (true) or columns
    int from = -1;           // first line of the block
    int count = 0;
    int target = -1;         // where the block would land (the To of MoveRow / MoveCol)
    QPoint press;            // viewport coordinates
    QPoint pointer;
};

// Where a mouse or Shift-key selection started and where its moving corner is, and what the
// mouse is doing (cell coordinates: x = column, y = row).
struct NavState {
    QPoint anchor{-1, -1};
    QPoint corner{-1, -1};
    TState mouse = gsNormal;
    int sizingIndex = -1;    // the row or column being resized
    int sizingStart = 0;     // its size when the drag began
    int sizingOrigin = 0;    // the pointer's coordinate when the drag began
    QString sizeInfo;        // the size shown while resizing
    QPoint linkPress{-1, -1};   // the hyperlink cell a press went down on (x = column, y = row)
    DragMoveState drag;         // the painter draws its drop indicator
};

struct QOR_AUTOTEST_EXPORT GridPrivate {
    explicit GridPrivate(TCustomQorGrid *grid);
    ~GridPrivate();
    // The private object of a grid, for the library's own layers and its tests.
    static GridPrivate &get(const TCustomQorGrid &grid) { return *grid.d; }

    TCustomQorGrid *q;
    int rows = 0;
    int cols = 0;
    Axis rowAxis;
    Axis colAxis;
    EndsVector<RowInfo> rowInfo;   // room at both ends, like the row axis
    TObjList<TQorColumn> columns{true};
    TCellList cells{q};
    NameRegistry names;
    UpdateBatch batch;
    GridLayout layout;
    GridAppearance look;
    GridMisc misc;
    GridStoredExtras extras;
    TQorGridOptions options = DefaultGridOptions;
    bool loading = false;
    // Row heights and column widths as read by a stream loader: a default-size change keeps
    // the entries that are not 0 here (and those beyond the list) while loading.
    std::vector<int32_t> loadRowList;
    std::vector<int32_t> loadColList;
    int64_t currentIndex = -1;    // Row x Cols + Col of the current cell, -1 = none
    QRect selection;              // selected cells (left = first column, top = first row)
    NavState nav;
    TCellData cellData[3];        // [0] is the record handed to OnGetCellData
    GridSeams seams;
    // The core's own concerns, made in the constructor (each reaches back into this object).
    std::unique_ptr<MergeTable> merges;
    std::unique_ptr<GridView> view;
    std::unique_ptr<TEditorController> editor;

    // --- Geometry and scrolling
    ScrollState scroll;
    ViewRegion region;
    ZoomTable rowZoom;
    ZoomTable colZoom;
    GridScroller *scroller = nullptr;   // owned by scrollerObject, made when the view starts
    // Cell rectangles and hit testing at the current scroll state.
    GridGeometry geometry() const;

    // --- Painting, pointer gestures and hints
    GridPaintState paint;
    std::unique_ptr<HeaderDragMove> dragMove;   // both made in the constructor
    std::unique_ptr<GridHints> hints;

    // --- Helpers the facade and the components share
    bool valid(int row, int col) const { return row >= 0 && row < rows && col >= 0 && col < cols; }
    TQorColumn *column(int col) const { return columns.Get(col); }
    bool locked() const { return batch.Locked(); }
    // Repaint requests that respect the update batch. A hidden grid (one being filled) asks
    // nothing of its view.
    void repaintCell(int row, int col)
    {
        if (!locked() && q->isVisible())
            repaintShownCell(row, col);
    }
    void repaintShownCell(int row, int col);
    void repaintAll();
    void repaintColumnHeader();
    void repaintColumnTitle(int col);
    void layoutChanged();
    // The view and the editor for the folders below them (the model, and the view for the
    // editor), which may not include them.
    void scrollToOrigin();
    void replaceEmbedded();
    void removeEmbedded();
    bool editorOpen() const;
    bool editorOpenOn(int row, int col) const;
    QString editorText() const;
    void putEditorText(const QString &text);
    void commitEditor();
    void hideEditor();   // commits and closes
    void editorStyleChanged(int row, int col);
    void repositionEditor();
    // Frees all cells (names and formula registrations with them).
    void freeAllCells();
    // Rebuilds rows and cell slots; false (nothing changed) when the size cannot be held.
    bool resetRows(int newRows);
    bool resetCols(int newCols);
    void resetCursor();
    int shadowWidth() const;
    QSize extent() const;
    // Refusal shown when Rows x Cols cannot be held.
    void refuseSize(int64_t newRows, int64_t newCols);
    void recalcPhysicalSizes();
    void optionsChanged(TQorGridOptions old);
    void applyGridType(TGridType type);
    // Which entries a default-size change leaves alone: while loading, those the stream sized.
    std::function<bool(int)> keepLoadedSize(const std::vector<int32_t> &list) const
    {
        if (!loading)
            return [](int) { return false; };
        return [&list](int i) { return i >= int(list.size()) || list[size_t(i)] != 0; };
    }

    // Last, so that scrolling stops before anything else of the grid goes.
    std::unique_ptr<QObject> scrollerObject;
};

} // namespace qor
