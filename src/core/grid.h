#pragma once
// TCustomQorGrid: the spreadsheet-like grid control. A thin facade: state and logic live in
// GridPrivate and its components; each member is defined in the source file of its concern.
#include <QAbstractScrollArea>
#include <QImage>
#include <QRect>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>
#include "core/model/cell.h"
#include "core/model/cell_data.h"
#include "core/model/column.h"
#include "core/model/containers.h"
#include "core/model/enums.h"
#include "core/model/font.h"
#include "core/model/picture.h"
#include "core/model/row_rec.h"
#include "platform/colors.h"

class QIODevice;
class QPainter;
class QProgressBar;

namespace qor {

struct GridPrivate;
class TQorExpression;
class ExpValue;
class TQorChart;
class TQorOleContainer;
struct TSortItem;
namespace db {
class TDataSource;
class TDataSet;
class TField;
}

// Event types. The sender comes first; results come back through reference arguments.
using TNotifyEvent = std::function<void(QObject *Sender)>;
using TCellNotifyEvent = std::function<void(QObject *Sender, int Row, int Col)>;
using TIndexEvent = std::function<void(QObject *Sender, int Index)>;
using TCanChangeEvent = std::function<void(QObject *Sender, int Index, bool &CanChange)>;
using TDrawCellEvent = std::function<void(QObject *Sender, int Row, int Col, QPainter *Canvas, const QRect &Rect, bool &Handled)>;
using TDrawCellColorEvent = std::function<void(QObject *Sender, int Row, int Col, TColor &BKColor)>;
using TGetCellDataEvent = std::function<void(QObject *Sender, int Row, int Col, TCellData &CellData)>;
using TGetAlignmentEvent = std::function<void(QObject *Sender, int Row, int Col, TAlignment &HorzAlign, TVerAlignment &VertAlign)>;
using TCellBoolEvent = std::function<void(QObject *Sender, int Row, int Col, bool &Value)>;
using TCellTextEvent = std::function<void(QObject *Sender, int Row, int Col, QString &Text)>;
using TSetCursorEvent = std::function<void(QObject *Sender, int Row, int Col, const QRect &R, int X, int Y, TCursor &ACursor)>;
using TCompareFuncEvent = std::function<void(QObject *Sender, int Col, const QString &Data1, const QString &Data2, int &Result)>;
using TBoolEvent = std::function<void(QObject *Sender, bool &Value)>;
using TRowBoolEvent = std::function<void(QObject *Sender, int Row, bool &Value)>;
using TProgressEvent = std::function<void(QObject *Sender, int Count, int Pos)>;
using TImportCellEvent = std::function<void(QObject *Sender, int Row, int Col, QVariant &Value, bool &Handled)>;
using TDrawAreaEvent = std::function<void(QObject *Sender, QPainter *Canvas, const QRect &Rect)>;
using TDrawComboItemEvent = std::function<void(QObject *Sender, int Index, QPainter *Canvas, const QRect &Rect, bool Selected)>;
// Names the formula engine cannot resolve, with their evaluated arguments; the handler sets
// Value and Done.
using TGridEvaluateEvent = std::function<void(TQorExpression *Sender, const QString &Eval, const ExpValue *Args,
                                              int ArgCount, ExpValue &Value, bool &Done)>;
// What ResetFormula rewrites.
enum TResetFormulaMode : uint8_t { rfRowsInserted, rfColsInserted, rfRowsDeleted, rfColsDeleted, rfFooter };
// The count and sum of a group's values, handed to its footer cells.
struct TFooterFormulaData {
    int32_t Count = 0;
    double Sum = 0;
};
using TMeasureComboItemEvent = std::function<void(QObject *Sender, int Index, int &Height)>;

class QOR_EXPORT TCustomQorGrid : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit TCustomQorGrid(QWidget *parent = nullptr);
    ~TCustomQorGrid() override;

    // ===== Cell store =====
    // The cell at a position, created on demand; nothing outside the grid.
    TCellInfo *Cells(int Row, int Col);
    // Whether a cell object exists there (never creates one).
    bool PeekCell(int Row, int Col) const;
    // Readers never create a cell: without one, the bound field or the column answers.
    QString GetCellText(int Row, int Col) const;
    void SetCellText(int Row, int Col, const QString &Value);
    void SetCellText(int Row, int Col, QString &&Value); // a filled text moves in without a copy
    TCellType GetCellType(int Row, int Col) const;
    TAlignment GetCellAlignment(int Row, int Col) const;
    bool GetCellChecked(int Row, int Col) const;
    TColor GetCellBackColor(int Row, int Col) const;
    bool GetCellReadOnly(int Row, int Col) const;
    TAlignment GetDefaultAlignment(int Row, int Col) const;
    TCellType GetDefaultCellType(int Row, int Col) const;
    bool ErrorRow(int Row) const;
    bool ErrorCol(int Col) const;
    bool ErrorRowCol(int Row, int Col) const;
    TCellInfo *CellByName(const QString &Name) const;
    TQorColumn *ColumnByName(const QString &Name) const;
    // Nothing outside 0..Cols-1.
    TQorColumn *Columns(int Index) const;
    // Column letters: 0 is "A", 25 "Z", 26 "AA"; and back (characters are not validated).
    static QString ColToText(int Col);
    static int TextToCol(const QString &Text);

    // ===== Dimensions and the row table =====
    int GetRows() const;
    // Discards all cells and row heights; refused with a message when Rows x Cols cannot be held.
    void SetRows(int Value);
    int GetCols() const;
    void SetCols(int Value);
    // Silent forms for stream loading on a cleared grid: no cells touched, no repaint.
    // False (nothing changed) when the size cannot be held.
    bool InternalSetRows(int Value);
    bool InternalSetCols(int Value);
    // Every row; while grouped, the rows grouping did not add (on a bound grid, the rows that
    // show a record).
    int RealRows() const;
    void Clear();
    void ClearRow();
    void ClearCol();
    // The row's record (a default record outside the grid).
    TRowRec GetRowRec(int Row) const;
    void SetRowGroup(int Row, int Group1, int Group2, int Group3, int Group4);
    uint32_t GetRowState(int Row) const;
    void SetRowState(int Row, bool Value);
    // Height and width as users read them: hidden rows and columns report their saved size.
    int GetRowHeight(int Row) const;
    int GetColWidth(int Col) const;
    // A positive size also shows a hidden row or column; a negative one stores 0.
    void SetRowHeight(int Row, int Value);
    void SetColWidth(int Col, int Value);
    bool GetRowVisible(int Row) const;
    int GetDefaultRowHeight() const;
    void SetDefaultRowHeight(int Value);
    int GetDefaultColWidth() const;
    void SetDefaultColWidth(int Value);
    // Recomputes cumulative edges from index From on: Which 0 both, 1 rows, 2 columns.
    void CalTotalWH(int Which, int From);
    // Width and height of the whole sheet with margins and shadow.
    QSize GetExtent() const;
    int GetShadowWidth() const;
    // The current cell (-1 when none or when there are no columns).
    int GetRow() const;
    int GetCol() const;

    // ===== Merged cells =====
    // Merges the rectangle (invalid, reversed or single-cell requests are ignored); areas it
    // touches are absorbed, and a selection grows to cover the result.
    void MergeCells(int Row1, int Col1, int Row2, int Col2);
    void MergeSelection();
    // The merge list: owners of areas larger than 1 x 1.
    void AddMergeCell(TCellInfo *Cell);
    void DeleteMergeCell(TCellInfo *Cell);
    std::vector<TCellInfo *> MergeCellList() const;
    // Re-applies every listed area at its owner's current position.
    void CalMergeCell();
    void DelRowOfMergeCell(int First, int Count);
    void DelColOfMergeCell(int First, int Count);
    void ResetRowOfMergeCell(int Index, int Count);
    void ResetColOfMergeCell(int Index, int Count);
    // The sort range cuts merged areas of unequal shape.
    bool FindErrorMerge() const;
    // Both flat positions (Row x Cols + Col) lie in the same merged area (or are the same cell).
    bool EqualCellRect(int Index1, int Index2) const;
    // The merged area holding a cell, in cell coordinates (left = column, top = row).
    QRect MergedArea(int Row, int Col) const;

    // ===== Row and column operations =====
    void InsertRow(int Row, int Count = 1, bool NoFrameReset = false);
    void AppendRow();
    void AppendRow(int Count, bool NoFrameReset = false);
    void DeleteRow(int Row);
    bool MoveRow(int From, int Count, int To);
    int MoveRowIndex(int Y, int Row, int Col) const;
    void InsertCol(int Col, int Count = 1, bool NoFrameReset = false);
    void AppendCol();
    void AppendCol(int Count, bool NoFrameReset = false);
    void DeleteCol(int Col);
    bool MoveCol(int From, int Count, int To);
    int MoveColIndex(int X, int Row, int Col) const;
    // Sizes in the grid's UnitType (pixels for utPixel).
    double GetPhyRowHeight(int Row) const;
    void SetPhyRowHeight(int Row, double Value);
    double GetPhyColWidth(int Col) const;
    void SetPhyColWidth(int Col, double Value);
    void SetRowVisible(int Row, bool Value);
    bool GetColVisible(int Col) const;
    void SetColVisible(int Col, bool Value);
    // Automatic row heights measured with the cells' real fonts.
    void CalAutoHeight();
    void CalAutoHeight_Row(int Row);
    void CalAutoHeight_Col(int Col);
    int GetRowAutoHeight(int Row, int Col, const QString &Text);
    // Neighbours with a size: the first at or after (before) the index, -1 when none.
    int GetNextVisibleRow(int Row) const;
    int GetPriorVisibleRow(int Row) const;
    int GetNextVisibleCol(int Col) const;
    int GetPriorVisibleCol(int Col) const;
    // The run of zero-size lines just before (after) the index: its first (last) line, or the
    // index itself when its neighbour has a size.
    int GetFirstNoHeightRow(int Row) const;
    int GetLastNoHeightRow(int Row) const;
    int GetFirstNoWidthCol(int Col) const;
    int GetLastNoWidthCol(int Col) const;
    // Conversions at the screen's resolution; rounding goes half to even.
    static double PixelToXmm(int Pixels);
    static double PixelToYmm(int Pixels);
    static int XmmToPixel(double Mm);
    static int YmmToPixel(double Mm);
    static double PixelToXInch(int Pixels);
    static double PixelToYInch(int Pixels);
    static int XInchToPixel(double Inches);
    static int YInchToPixel(double Inches);

    // ===== Update batching and loading =====
    void BeginUpdate();
    void EndUpdate();
    void EndUpdate(const QRect &Rect);
    bool GetLocking() const;
    int GetUpdateCount() const;
    void ResetUpdate();
    // Set while a stream is read: naming conflicts resolve silently, no change events.
    bool GetLoading() const;
    void SetLoading(bool Value);

    // ===== Names and messages =====
    bool ValidateName(QObject *Component, const QString &Name) const;
    int MessageBox(const QString &Text, const QString &Caption, int Flags);

    // ===== Grid type and layout =====
    TGridType GetGridType() const;
    void SetGridType(TGridType Value);
    int GetLeftMargin() const;
    void SetLeftMargin(int Value);
    int GetTopMargin() const;
    void SetTopMargin(int Value);
    int GetRightMargin() const;
    void SetRightMargin(int Value);
    int GetBottomMargin() const;
    void SetBottomMargin(int Value);
    double GetPhyLeftMargin() const;
    double GetPhyTopMargin() const;
    double GetPhyRightMargin() const;
    double GetPhyBottomMargin() const;
    int GetLeftSpace() const;
    void SetLeftSpace(int Value);
    int GetTopSpace() const;
    void SetTopSpace(int Value);
    int GetRightSpace() const;
    void SetRightSpace(int Value);
    int GetBottomSpace() const;
    void SetBottomSpace(int Value);
    int GetTitleWidth() const;
    void SetTitleWidth(int Value);
    int GetTitleHeight() const;
    void SetTitleHeight(int Value);
    TUnitType GetUnitType() const;
    void SetUnitType(TUnitType Value);
    int GetZoom() const;
    void SetZoom(int Value);

    // ===== Geometry, hit testing and scrolling =====
    // Client coordinates of the viewport, as Qt rectangles: a cell spanning x = 40..100 has
    // left() 40 and width() 60. Invalid positions give an empty (null) rectangle; hidden rows
    // and columns give zero height or width. Frozen rows and columns keep their place.
    // One cell, merges ignored.
    QRect GetCellRect(int Row, int Col) const;
    // One cell as if nothing were frozen.
    QRect InternalCellRect(int Row, int Col) const;
    // The owner of a merged area covers the whole area; any other cell its own rectangle.
    QRect CellRect(int Row, int Col) const;
    // Where an editor opened on the position goes: the whole merged area it lies in.
    QRect CellEditRect(int Row, int Col) const;
    // Spans the rectangles of both corner cells.
    QRect RegionRect(int Row1, int Col1, int Row2, int Col2) const;
    // From the top-left of cell (0, 0) to the bottom-right of the last cell; empty without cells.
    QRect GetSheetRect() const;
    // Header panels (gtExcel, gtGrid; empty otherwise or when the title size is 0): the column
    // header across the client width, TitleHeight + 1 high; the row header below it,
    // TitleWidth + 1 wide; the corner cell; and the header cell of one row or column.
    QRect GetColumnHeaderRect() const;
    QRect GetRowHeaderRect() const;
    QRect GetCornerRect() const;
    QRect GetRowTitleRect(int Row) const;
    QRect GetColTitleRect(int Col) const;
    // The filter drop-down button in a column title (qgoShowFilter); empty otherwise.
    QRect GetFilterButtonRect(int Col) const;
    // Sheet extent with margins and shadow; extent of the cells alone.
    int GetGridWidth() const;
    int GetGridHeight() const;
    int GetInnerWidth() const;
    int GetInnerHeight() const;
    // Client position of the sheet's origin: the space less the scroll position.
    int GetOffsetX() const;
    int GetOffsetY() const;
    // The view region: first scrolling row and column past the frozen band, last ones at
    // least partly visible (-1 on an empty grid), and the frozen rows and columns in effect.
    int GetTopRow() const;
    void SetTopRow(int Value);
    int GetLeftCol() const;
    void SetLeftCol(int Value);
    int GetBottomRow() const;
    int GetRightCol() const;
    int GetFrozenRows() const;
    int GetFrozenCols() const;
    void CalViewRegion();
    // Hit testing. The point is brought onto the sheet first (left of or above cell (0, 0)
    // counts as in it, beyond the last cell as in the last row or column) and a covered cell
    // gives its owner. Returns the cell object there, if one exists (never creates one);
    // Row and Col are -1 only on an empty grid.
    TCellInfo *CellFromPoint(const QPoint &P, int &Row, int &Col) const;
    // The cell under the point without the owner substitution.
    TCellInfo *RealCellFromPoint(const QPoint &P, int &Row, int &Col) const;
    // Only a point really on a cell counts (nothing beside the sheet); with the owner.
    TCellInfo *HintCellFromPoint(const QPoint &P, int &Row, int &Col) const;
    void MouseCoord(int X, int Y, int &Row, int &Col) const;
    // Whether a cell object exists under the point.
    bool PeekCell(const QPoint &P) const;
    // Scroll positions in pixels, 0..range.
    int GetHorzPosition() const;
    int GetVertPosition() const;
    int GetHorzRange() const;
    int GetVertRange() const;
    // Scrolls to the positions (clamped); true when anything moved.
    bool SetPosition(int X, int Y);
    void UpdateScrollRange();
    // Scrolls so that the cell (its whole merged area) is visible; true if it scrolled.
    bool ShowCell(int Row, int Col);
    // Zoomed sizes and far edges (round(size x Zoom / 100), halves to even); 0 outside.
    int GetZoomRowHeight(int Row) const;
    int GetZoomColWidth(int Col) const;
    int64_t GetZoomRowBottom(int Row) const;
    int64_t GetZoomColRight(int Col) const;

    // ===== Print geometry and page lines (defined in core/view/print_geometry.cpp) =====
    // Grid print coordinates: screen pixels at the grid's zoom from the top-left corner of cell
    // (0, 0); hidden rows and columns have no size. The cell's rectangle, within the sheet.
    QRect GetCellPrintRect(int Row, int Col) const;
    int64_t GetInnerPrintWidth() const;
    int64_t GetInnerPrintHeight() const;
    // The column-title bar at the grid's zoom.
    int GetPrintTitleHeight() const;
    // Outlines the page strips of the bound print component; setting it true fetches them.
    bool GetShowPagesLine() const;
    void SetShowPagesLine(bool Value);
    // The page strips of the bound print component; empty without one.
    void GetPages(std::vector<QRect> &List) const;
    void ClearPagesList();

    // ===== Current cell and selection =====
    // The owner of the merged area the current cell lies in (the current cell itself is kept
    // at the owner, so these equal GetRow/GetCol).
    int GetRealRow() const;
    int GetRealCol() const;
    // Makes the cell (its merged area's owner) current, raising OnLeaveCell,
    // OnBeforeEnterCell and OnAfterEnterCell and scrolling it into view. False when the
    // position is invalid, hidden or refused: the current cell stays then.
    bool SetFocusCell(int Row, int Col);
    // The next enterable cell to the right, wrapping below with qgoAutoNextRowCol.
    bool SelectNext();
    // The rectangle with ordered corners, grown over merged areas, full width under
    // qgoRowSelect; empty when a corner is outside the grid.
    QRect InternalGetSelection(int Row1, int Col1, int Row2, int Col2) const;
    void SelectCells(int Row1, int Col1, int Row2, int Col2);
    void SelectRow(int Row);
    void SelectCol(int Col);
    void SelectAll();
    void ClearSelection();
    // The selection rectangle (left = first column, top = first row), or the current cell's
    // merged area when nothing is selected; empty without a current cell.
    QRect GetSelRect() const;
    // The top-left cell of the selection, or the current cell.
    TCellInfo *GetSelCell();
    bool IsSelectionActive() const;
    bool Selected(int Row, int Col) const;
    // Empties the editable cells of the selection (or the current cell) in one batch.
    void DeleteSelection();
    // Read-only resolution: flag, qgoEditing, then OnGetReadOnly; CellReadOnly also counts
    // fixed cells.
    bool InternalCellReadOnly(int Row, int Col) const;
    bool CellReadOnly(int Row, int Col) const;
    bool CellIsReadOnly(int Row, int Col) const { return CellReadOnly(Row, Col); }
    bool CellCanEdit(int Row, int Col) const;
    bool CellCanSetFocus(int Index, bool Fire) const;
    // The next enterable position in each direction from (Row, Col); false when none, the
    // arguments unchanged then.
    bool FindLeftEnterCell(int &Row, int &Col) const;
    bool FindRightEnterCell(int &Row, int &Col) const;
    bool FindTopEnterCell(int &Row, int &Col) const;
    bool FindBottomEnterCell(int &Row, int &Col) const;
    bool IsLastTabCell() const;
    TState GetState() const;
    // Whether cell hints are shown when the pointer rests on a cell that has one.
    bool GetShowHint() const;
    void SetShowHint(bool Value);

    // ===== In-place editing =====
    // Opens the editor on the current cell when it can be edited; false otherwise.
    bool ShowEditor();
    // Opens it with a typed character as the text.
    bool ShowEditorChar(QChar Ch);
    // Commits and closes the editor.
    void HideEditor();
    // Puts the starting text back and closes the editor.
    void CancelEditor();
    bool EditorVisible() const;

    // ===== Options =====
    TQorGridOptions GetOptions() const;
    void SetOptions(TQorGridOptions Value);
    bool HasOption(TQorGridOption Option) const;

    // ===== Fixed rows and columns, title and footer rows =====
    int GetFixRowCount() const;
    void SetFixRowCount(int Value);
    int GetFixColCount() const;
    void SetFixColCount(int Value);
    bool CheckFixRowCount() const;
    bool CheckFixColCount() const;
    int GetTopFixSpace() const;
    int GetLeftFixSpace() const;
    int GetTitleRows() const;
    void SetTitleRows(int Value);
    int GetFooterRows() const;
    void SetFooterRows(int Value);
    bool GetTitleRowsSet() const;

    // ===== Appearance =====
    TColor GetColor() const;
    void SetColor(TColor Value);
    TColor GetBackColor() const;
    void SetBackColor(TColor Value);
    TColor GetLineColor() const;
    void SetLineColor(TColor Value);
    TColor GetTitleColor() const;
    void SetTitleColor(TColor Value);
    TColor GetTitleLineColor() const;
    void SetTitleLineColor(TColor Value);
    TColor GetFocusColor() const;
    void SetFocusColor(TColor Value);
    TColor GetShadowColor() const;
    void SetShadowColor(TColor Value);
    const TQorFont &GetFont() const;
    void SetFont(const TQorFont &Value);
    TColor GetBrushColor() const;
    const TQorPicture &GetBackGround() const;
    void SetBackGround(const TQorPicture &Value);
    bool GetTileBackGround() const;
    void SetTileBackGround(bool Value);
    bool GetLockBackGround() const;
    void SetLockBackGround(bool Value);
    int GetRTFLineSpace() const;
    void SetRTFLineSpace(int Value);

    // ===== Column titles =====
    TQorStrings GetColumnTitles() const;
    void SetColumnTitles(const TQorStrings &Value);
    TAlignment GetColumnTitleAlign() const;
    void SetColumnTitleAlign(TAlignment Value);
    const TQorFont &GetColumnTitleFont() const;
    void SetColumnTitleFont(const TQorFont &Value);

    // ===== Properties kept here for other concerns (sorting, filtering, grouping, currency,
    // navigation, export, binding) =====
    int GetSortBeginRow() const;
    void SetSortBeginRow(int Value);
    int GetSortEndRow() const;
    void SetSortEndRow(int Value);
    int GetFilterBeginRow() const;
    void SetFilterBeginRow(int Value);
    int GetFilterEndRow() const;
    void SetFilterEndRow(int Value);
    bool GetShowGroupFooter() const;
    void SetShowGroupFooter(bool Value);
    bool GetIncludeHiddenData() const;
    void SetIncludeHiddenData(bool Value);
    bool GetAutoShowBlobField() const;
    void SetAutoShowBlobField(bool Value);
    bool GetHorzScrollTracking() const;
    void SetHorzScrollTracking(bool Value);
    bool GetVertScrollTracking() const;
    void SetVertScrollTracking(bool Value);
    bool GetExportHiddenRow() const;
    void SetExportHiddenRow(bool Value);
    bool GetExportHiddenCol() const;
    void SetExportHiddenCol(bool Value);
    TMoveDirectory GetMoveDirEnter() const;
    void SetMoveDirEnter(TMoveDirectory Value);
    QString GetCurrencySymbol() const;
    void SetCurrencySymbol(const QString &Value);
    int GetCurrencyCellWidth() const;
    void SetCurrencyCellWidth(int Value);
    int GetCurrencyDigits() const;
    void SetCurrencyDigits(int Value);
    TColor GetCurrencyDecimalSeparatorColor() const;
    void SetCurrencyDecimalSeparatorColor(TColor Value);
    TColor GetCurrencyThousandSeparatorColor() const;
    void SetCurrencyThousandSeparatorColor(TColor Value);
    TColor GetCurrencySeparatorColor() const;
    void SetCurrencySeparatorColor(TColor Value);
    TEditControlType GetEditControlType() const;
    QString GetAbout() const;
    QString GetVersion() const;

    // ===== Data-set binding (defined in dataset/grid_dataset.cpp) =====
    // The detail source: one body row per record of its data set, between the title and
    // footer rows; columns show the fields their FieldName names. The master source: cells
    // with a FieldName of their own show the master's current record. A unidirectional data
    // set is refused (db::EDatabaseError, nothing changed). The grid does not own sources.
    db::TDataSource *GetDataSource() const;
    void SetDataSource(db::TDataSource *Value);
    db::TDataSource *GetMasterDataSource() const;
    void SetMasterDataSource(db::TDataSource *Value);
    // Every column's field again from its FieldName.
    void UpdateFields();
    db::TField *FindField(const QString &Name) const;
    // The current column's field; setting it makes the first column of that field current.
    db::TField *GetSelectedField() const;
    void SetSelectedField(db::TField *Value);
    // The 1-based record number a body row shows; the grid row of a 0-based buffered record.
    int GetActiveRow(int Row) const;
    int GetRowByActiveRecord(int Index) const;
    // The 0-based record a cell shows, -1 when it is not a bound body cell.
    int GetDBNo(int Row, int Col) const;
    bool IsBodyDBCell(int Row, int Col) const;
    bool InDBBody(int Row) const;
    bool MasterDataSetActive() const;
    db::TField *MasterDBField(int Row, int Col) const;
    bool IsMasterDBCell(int Row, int Col) const;
    bool IsDBCell(int Row, int Col) const;
    // A bound body cell whose field cannot be written, or holds bytes other than a memo.
    bool DataCellReadOnly(int Row, int Col) const;
    QString GetFieldText(db::TField *Field) const;
    // False, with a message, when the database layer refuses the text (letters into a
    // number field) or the write.
    bool SetFieldText(db::TField *Field, const QString &Text);
    // Makes record RecNo (1-based) current, posting a pending edit first; false, with a
    // message, when the post is refused (the edit stays).
    bool SetActiveRecNo(int RecNo);
    bool PostDataSet();
    static bool DataSetRecordCount(const db::TDataSet *DataSet);

    // ===== Sorting (defined in data/grid_sort.cpp) =====
    // Reorders the rows of the sort range by the texts of one column (numbers when every text
    // is one), moving whole rows and merged blocks. False when nothing was done: an invalid
    // column, a sort already running, or merged areas that do not fit the range (a message).
    bool Sort(int Col, bool Ascending);
    // The last sort's column (-1 when none) and direction.
    int GetSortingColIndex() const;
    bool GetSortingColASC() const;
    // Moves the direction picture of the title panel to Col.
    void SortCol(int Col, bool Ascending);
    // The picture a column title shows for the sort: none unless qgoSorting is set and Col is
    // the sorted column.
    QImage GetSortBmp(int Col) const;

    // ===== Grouping (defined in data/grid_group.cpp) =====
    // Groups the sort range by the columns of Spec ("col[:ASC|DESC[:True|False]];..."), moved
    // to the front in order: a header row before every run of equal values, footer rows with
    // the columns' summaries, a grand total with ShowGroupFooter. SortCol, when valid and not
    // a group column, orders the rows within the innermost groups. An invalid specification
    // does nothing; merged areas that do not fit give a message.
    void Group(const QString &Spec, int SortCol, bool SortAscending);
    // Groups again from the grouped columns, the last sort column and direction.
    void ReGroup();
    // Removes the group rows; the data rows show again in their sorted order.
    void CancelGroup();
    void ExpandNode(int Row);
    void CloseNode(int Row);
    void ExpandAllNode();
    void CloseAllNode();
    // Opens or closes the header at the current row.
    void ClickGroupHeader();
    bool Expanded(int Row) const;
    // 0 data row, 1 group header, 2 group footer, 3 grand total; State the header's state
    // bits (0 for other rows); GroupCol the level - 1 of headers and footers, otherwise -1.
    int RowType(int Row, uint32_t &State, int &GroupCol) const;
    // The grouped flag and the columns' grouped flags go; the rows stay as they are.
    void SetGroupedFalse();
    bool GetGrouped() const;
    int GetFirstGroupedRow() const;
    int GetLastGroupedRow() const;

    // ===== Filtering (defined in data/grid_filter.cpp) =====
    // Hides the rows of the filter range that fail a column's filter and shows the others at
    // their saved heights. Nothing on a grouped grid or when OnBeforeFilter refuses.
    void DoFilter();
    // Every column back to ftAll, nothing applied; true when any column had a filter.
    bool ResetFilter();
    // One item per row of the filter range for a column, sorted; true when every text is a
    // number or empty (then sorted as numbers).
    bool GetSortData(int Col, bool Ascending, std::vector<TSortItem> &List);

    // ===== Value display (defined in format/grid_display.cpp) =====
    // The text a position shows: value type, decimals, separators, masking, OnGetText.
    QString CellDisplayText(int Row, int Col);
    // The value-type rule in place; Data overrides Digits, ThousandSeparators and TrimZero
    // when given, otherwise OnGetCellData is asked.
    void AddThousandSept(TCellInfo *Cell, QString &Text, TCellData *Data = nullptr);
    void AddEmptyCellThousandSept(int Row, int Col, TQorColumn *Column, QString &Text, TCellData *Data = nullptr);
    void AddPassWord(QChar Ch, QString &Text);
    void AddEmptyCellPassWord(TQorColumn *Column, QString &Text);
    // The text handed to the in-place editor.
    void DeleteThousandSept(TCellInfo *Cell, QString &Text);
    static bool IsStringValue(const QVariant &V);
    // One spin step of the cell's Increment up or down.
    void IncCellText(TCellInfo *Cell);
    void DecCellText(TCellInfo *Cell);
    void DrawCurrenyCell(QPainter *Canvas, const QRect &CellRect, const QRect &TextRect, int Flags,
                         TColor DecimalColor, TColor ThousandColor, const QString &Symbol, const QString &Text,
                         double Value, QChar PasswordChar, bool ChineseDigits);
    void SetDecimalSeparatorColor(TColor Value) { SetCurrencyDecimalSeparatorColor(Value); }
    void SetThousandSeparatorColor(TColor Value) { SetCurrencyThousandSeparatorColor(Value); }

    // ===== Style resolution (override event, then cell, then column) =====
    TColor GetCellDrawColor(TCellInfo *Cell);
    TColor GetCellDrawColor(int Row, int Col);
    bool CellLeftFrame(int Row, int Col, TCellData *CellData = nullptr);
    bool CellTopFrame(int Row, int Col, TCellData *CellData = nullptr);
    bool CellRightFrame(int Row, int Col, TCellData *CellData = nullptr);
    bool CellBottomFrame(int Row, int Col, TCellData *CellData = nullptr);
    int CellLeftFrameWidth(int Row, int Col, TCellData *CellData = nullptr);
    int CellTopFrameWidth(int Row, int Col, TCellData *CellData = nullptr);
    int CellRightFrameWidth(int Row, int Col, TCellData *CellData = nullptr);
    int CellBottomFrameWidth(int Row, int Col, TCellData *CellData = nullptr);
    TColor CellFrameColor(int Row, int Col, TCellEdge Edge, TCellData *CellData = nullptr);
    TPenStyle CellFrameStyle(int Row, int Col, TCellEdge Edge, TCellData *CellData = nullptr);
    bool CellLeftLine(int Row, int Col, TCellData *CellData = nullptr);
    bool CellTopLine(int Row, int Col, TCellData *CellData = nullptr);
    bool CellRightLine(int Row, int Col, TCellData *CellData = nullptr);
    bool CellBottomLine(int Row, int Col, TCellData *CellData = nullptr);
    // The record handed to OnGetCellData when the caller brings none.
    TCellData &ScratchCellData();

    // ===== Streams =====
    // The whole grid as a grid stream written over Stream's content (compressed when
    // Compress); AllRows false stores only the title and footer rows. False when the device
    // would not take it.
    bool SaveToStream(QIODevice &Stream, bool Compress, bool AllRows = true);
    // Replaces the whole grid with the stream's content. A refused stream is reported in a
    // message box and leaves the grid as it was; false then.
    bool LoadFromStream(QIODevice &Stream);
    // Always compressed; the old file is replaced only once the new one is complete.
    bool SaveToFile(const QString &FileName, bool AllRows = true);
    // A missing file is ignored (false).
    bool LoadFromFile(const QString &FileName);
    // A rectangle of cells as a cells block; Stream is emptied when the rectangle is not
    // inside the grid, and left at position 0.
    void SaveCellsToStream(int TopRow, int LeftCol, int RowCount, int ColCount, QIODevice &Stream);
    // ===== Clipboard (defined in io/clipboard_exchange.cpp) =====
    // The selection (or the current cell, or the open editor's selection) as the grid's own
    // form, tab-separated text and CSV, all at once. A cut's first paste moves the cells.
    void CopyToClipBoard();
    void CutToClipBoard();
    // At the current cell: the grid's own form (with OnlyText only the texts), else a table
    // in text form, else one value; read-only cells keep what they hold. Needs qgoEditing.
    void PasteFromClipBoard(bool OnlyText = false);
    // The whole content of Stream under Format (a MIME type), replacing the clipboard.
    static void CopyToClipbrd(QIODevice &Stream, const QString &Format);
    // Appends the clipboard's data of Format to Stream, when there is any.
    static void LoadFromClipBoard(QIODevice &Stream, const QString &Format);
    void LoadCellsFromStream(QIODevice &Stream, int TopRow, int LeftCol, bool ApplySizes, bool SkipHidden);
    void LoadCellsFromStream_OnlyText(QIODevice &Stream, int TopRow, int LeftCol);
    void SaveSelectionToStream(QIODevice &Stream);
    bool SaveCellsToFile(int TopRow, int LeftCol, int RowCount, int ColCount, const QString &FileName);
    // False when the file cannot be opened.
    bool LoadCellsFromFile(const QString &FileName, int TopRow, int LeftCol, bool ApplySizes);
    bool SaveSelectionToFile(const QString &FileName);
    // Column widths in an ini file (slIniFile) or the platform's settings store (slRegistry).
    void SaveLayout(const QString &IniName, const QString &Section, TLocation Location);
    void LoadLayout(const QString &IniName, const QString &Section, TLocation Location);
    void CopyStructure(int SrcRow, int SrcCol, int RowCount, int ColCount, int DstRow, int DstCol, bool CopyText);

    // ===== Objects anchored to cells (defined in objects/grid_objects.cpp) =====
    // User controls stay the host's: the grid moves them with their cell and never frees
    // them. A control the host destroys leaves its list by itself. Index arguments outside a
    // list are ignored; look-ups answer nothing or -1.
    void InsertUserControl(QWidget *Control, int Row, int Col, bool Fixed = false);
    void InsertUserControlByPos(QWidget *Control, int X, int Y, bool Fixed = false);
    void SetUserControlPos(QWidget *Control, int X, int Y);
    void FixUserControl(QWidget *Control, bool Fixed);
    void FixUserControl(int Index, bool Fixed);
    void RemoveUserControl(QWidget *Control);
    void ClearUserControl();
    int FindUserControl(QWidget *Control) const;
    QWidget *GetUserControl(int Index) const;
    int GetUserControlCount() const;
    // The control (or its index) that has the input focus; nothing or -1.
    QWidget *ActivedUserControl() const;
    int ActivedUserControl2() const;
    void EndUpdateUserControl();
    void UpdateUserControl();
    // Charts belong to the grid. A name already used under the grid's owners is refused with
    // "名为 %s 的组件已经存在" (nothing then).
    TQorChart *InsertChart(const QString &Name, int Row, int Col, bool Fixed = false);
    TQorChart *InsertChartByPos(const QString &Name, int X, int Y, bool Fixed = false);
    void SetChartPos(TQorChart *Chart, int X, int Y);
    void SetChartPos(const QString &Name, int X, int Y);
    void SetChartPos(int Index, int X, int Y);
    void FixChart(int Index, bool Fixed);
    void DeleteChart(const QString &Name);
    void DeleteChart(int Index);
    void DeleteChart(TQorChart *Chart);
    void ClearChart();
    TQorChart *GetChart(int Index) const;
    // By name, without regard to case; -1 when none.
    int FindChart(const QString &Name) const;
    int GetQorChartCount() const;
    TQorChart *ActivedChart() const;
    int ActivedChart2() const;
    void UpdateChart();
    void EndUpdateChart();
    // Embedded documents belong to the grid; ShowDialog asks at once for the file to embed.
    TQorOleContainer *InsertOleObject(int Row, int Col, const QString &Name, bool ShowDialog = false);
    TQorOleContainer *InsertOleObjectByPos(int X, int Y, const QString &Name, bool ShowDialog = false);
    void DeleteOleObject(const QString &Name);
    void DeleteOleObject(int Index);
    void ClearOleObject();
    TQorOleContainer *GetOleObject(int Index) const;
    int GetOleObjectCount() const;
    int FindOleObject(const QString &Name) const;
    TQorOleContainer *ActivedOleObject() const;
    int ActivedOleObject2() const;
    void UpdateOle();
    void EndUpdateOle();
    // Where an object sits: its anchor cell (-1, -1 for none) and its offset from the cell's
    // corner; false for a widget that is in none of the three lists.
    bool GetObjectAnchor(QWidget *Object, int &Row, int &Col, QPoint &Offset) const;

    // ===== Spreadsheet files (defined in io/xlsx_export.cpp and io/xlsx_import.cpp) =====
    // The grid as the one sheet of a new .xlsx workbook, written beside FileName and renamed
    // over it once complete. Title (when not empty) fills the first row, merged across the
    // exported columns, in TitleFont when given; Flag1 also draws the cells' grid lines as thin
    // borders (frames are always written); Number (0 or more) empty sheets go before the
    // grid's; SheetName names it. False when nothing was written (a message says why); Notes,
    // when given, receives the closing text: formulas written as values, pictures left out.
    bool ExportToExcel(const QString &FileName, const QString &Title, const TQorFont *TitleFont, bool Flag1,
                       QProgressBar *ProgressBar, bool ExportPictures, int Number, const QString &SheetName,
                       QString *Notes = nullptr);
    bool ExportToExcel(const QString &FileName, QProgressBar *ProgressBar);
    // The rectangle StartRow..EndRow x StartCol..EndCol (0-based; negative or too large ends
    // mean the last used row or column) of sheet SheetIndex of an .xlsx or .ods file replaces
    // the grid's content. A file that cannot be read is refused with a message and leaves the
    // grid as it was (false).
    bool ImportFromExcel(const QString &FileName, int StartRow, int StartCol, int EndRow, int EndCol,
                         int SheetIndex, QProgressBar *ProgressBar, QString *Notes = nullptr);
    bool ImportFromExcel(const QString &FileName, QProgressBar *ProgressBar);

    // ===== The designer (defined in designer/grid_design.cpp) =====
    // Opens the designer window modally. Internal: it edits a copy of this grid (bound body
    // rows left out, the same data sources attached) and, when the user applies, this grid
    // becomes the copy; a copy that cannot be loaded back leaves this grid as it was (a
    // message says why). Otherwise it edits FileName (a new document when it does not exist).
    // True when the design was applied.
    bool DesignCells(bool Internal, const QString &FileName = QString());

    // ===== Formulas =====
    // Cell labels: column letters and the 1-based row number; "" for negative indexes.
    static QString ColToColText(int Col);
    static int ColTextToCol(const QString &s);
    static QString GetCellLabel(int Row, int Col);
    // Col and Row are -1 when absent; Row is the row number as written (1-based).
    static void ParseColRow(const QString &s, int &Col, int &Row);
    // At least 2 characters, starting with "=" but not with "==".
    static bool IsFormulaText(const QString &s);
    // An expression of no cell, references replaced by the cells' values (formula cells give
    // their stored values). Raises the engine's errors.
    ExpValue Evaluate(const QString &Text);
    // The engine's hook: names it cannot resolve go to OnEvaluate.
    void DoEvaluate(TQorExpression *Sender, const QString &Eval, const ExpValue *Args, int ArgCount, ExpValue &Value,
                    bool &Done);
    TQorExpression *Expression() const;
    // Recalculates every formula (Force: even with qgoAutoCalFormula off); nothing while locked.
    void UpdateFormula(bool Force);
    void RefreshFormula() { UpdateFormula(true); }
    // Re-evaluates the formulas that depend on a position, transitively.
    void UpdateFormulaFromCell(int Row, int Col);
    void AddFormulaCellList(int Row, int Col, const QString &Formula);
    void DeleteFormulaCellList(int Row, int Col, const QString &Formula, bool Flag = true);
    // Rewrites every formula's references after rows or columns were inserted or deleted (the
    // cells already moved), or pulls references to footer rows up to the last data row.
    void ResetFormula(int Index, int Count, TResetFormulaMode Mode);
    void SetFooterFormula(int Row, int Col, int FirstRow, int LastRow, const TFooterFormulaData &Data);

    // ===== Events =====
    TDrawCellEvent OnDrawCell;
    TDrawCellColorEvent OnDrawCellColor;
    TGetCellDataEvent OnGetCellData;
    TGetAlignmentEvent OnGetAlignment;
    TCellBoolEvent OnGetReadOnly;
    TCellTextEvent OnGetText;
    TCellTextEvent OnSetText;
    TCellTextEvent OnEditText;
    TCellBoolEvent OnBeforeEnterCell;
    TCellNotifyEvent OnAfterEnterCell;
    TCellNotifyEvent OnLeaveCell;
    TCellNotifyEvent OnAfterEdit;
    TCellNotifyEvent OnShowEditor;
    TCellNotifyEvent OnButtonClick;
    TCellNotifyEvent OnChange;
    TCellNotifyEvent OnUpdateData;
    TIndexEvent OnRowHeightChanged;
    TIndexEvent OnColWidthChanged;
    TIndexEvent OnRowVisibleChanged;
    TIndexEvent OnColVisibleChanged;
    TIndexEvent OnRowMoved;
    TIndexEvent OnColMoved;
    TIndexEvent OnSorted;
    TCanChangeEvent OnBeforeRowHeightChange;
    TCanChangeEvent OnBeforeColumnWidthChange;
    TIndexEvent OnClickRowTitle;
    TIndexEvent OnClickColumnTitle;
    TSetCursorEvent OnSetCursor;
    TCompareFuncEvent OnSortCompareFunc;
    TBoolEvent OnBeforeFilter;
    TNotifyEvent OnFiltered;
    TGridEvaluateEvent OnEvaluate;
    TRowBoolEvent OnGetPageBreak;
    TProgressEvent OnSaveProgress;
    TProgressEvent OnImportExportProgress;
    TImportCellEvent OnImportCell;
    TCellBoolEvent OnExportCell;
    TDrawAreaEvent OnDrawGridBackground;
    TDrawAreaEvent OnDrawGridForeground;
    TDrawAreaEvent OnDrawTitle;
    TDrawComboItemEvent OnDrawComboItem;
    TMeasureComboItemEvent OnMeasureComboItem;
    TNotifyEvent OnLeftTopChange;
    TNotifyEvent OnRichEditSelectionChange;

    // ===== Painting =====
    // The whole client area in order, as the viewport's paint event does; nothing while locked.
    void Paint(QPainter *Canvas);
    // Header cells, then the frozen and scrolling cells of the view region.
    void DrawTo(QPainter *Canvas);
    // One position into Rect: with its cell object, or from its column without creating one.
    void DrawCell(QPainter *Canvas, TCellInfo *Cell, int Row, int Col, const QRect &Rect);
    void DrawEmptyCell(QPainter *Canvas, int Row, int Col, const QRect &Rect);
    // Repaint one position (its whole merged area).
    void UpdateCell(int Row, int Col);
    void UpdateEmptyCell(int Row, int Col);
    void DrawFocusRect(QPainter *Canvas);
    void DrawPagesLine(QPainter *Canvas);
    // A cell colour under the selection tint of the grid's present focus and selection.
    TColor BrushColor(TColor Color, bool Selected) const;
    static TColor LightenColor(TColor Color1, TColor Color2, bool Darken);
    static void FillExcludeRect(QPainter *Canvas, const QRect &Outer, const QRect &Inner, TColor Color);
    // Merged areas are painted as one rectangle, so there are no crossing-line flags to keep.
    void UpdateCrossFlag() {}
    // The image list that cells' ImageIndex refers to.
    std::vector<QImage> &Images();

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    // Cell hints at the tooltip moment; the hint goes when the pointer leaves.
    bool viewportEvent(QEvent *event) override;
    // Tab and Shift+Tab move between cells instead of between widgets.
    bool focusNextPrevChild(bool next) override;
    // The scroller repaints only what a scroll moves; the scroll area's whole-viewport update
    // is not wanted.
    void scrollContentsBy(int dx, int dy) override;

private:
    friend struct GridPrivate;   // GridPrivate::get
    std::unique_ptr<GridPrivate> d;
};

// The grid with nothing hidden: what host applications place on their windows.
class QOR_EXPORT TQorGrid : public TCustomQorGrid {
    Q_OBJECT

public:
    using TCustomQorGrid::TCustomQorGrid;
};

} // namespace qor
