#pragma once
// One cell of a grid. Created on demand by the grid; attributes are stored sparsely: until one
// of them changes, a cell answers every attribute from its column.
#include <QByteArray>
#include <QIODevice>
#include <QString>
#include <memory>
#include <new>
#include "core/model/adapters.h"
#include "core/model/cell_home.h"
#include "core/model/cell_rec.h"
#include "core/model/containers.h"
#include "core/model/enums.h"
#include "core/model/font.h"
#include "core/model/picture.h"

class QDateTime;

namespace qor {

class TCurrency;
class TCustomQorGrid;
class TQorColumn;
class ExpValue;
struct CellExtras;
struct GridPrivate;

struct CellEdgeAttribute;

class QOR_EXPORT TCellInfo {
public:
    // A cell of Grid at (Row, Col), carved from the slabs of the grid's store (of a store of
    // gridless cells when Grid is nothing); freed with delete. The grid makes its cells through
    // Cells(); this is for code that builds a cell to place itself.
    static TCellInfo *Create(TCustomQorGrid *Grid, int Row, int Col);
    ~TCellInfo();
    TCellInfo(const TCellInfo &) = delete;
    TCellInfo &operator=(const TCellInfo &) = delete;
    // Cells live in their store's slabs: plain new is not available, delete gives the block back.
    static void *operator new(size_t) = delete;
    static void *operator new(size_t, void *place) noexcept { return place; }
    static void operator delete(TCellInfo *cell, std::destroying_delete_t);

    // --- Identity
    TCustomQorGrid *GetGrid() const { return CellHomeOf(this).grid; }
    int GetRow() const { return m_storedRow + (m_inStore ? CellHomeOf(this).rowOrigin : 0); }
    int GetCol() const { return m_col; }
    // Row and column operations move cells; they keep the position current through this.
    void SetPosition(int Row, int Col)
    {
        m_storedRow = Row - (m_inStore ? CellHomeOf(this).rowOrigin : 0);
        m_col = Col;
    }
    // The column this cell inherits from (nothing while the grid has no such column).
    TQorColumn *GetColumn() const;

    // --- Content
    const QString &GetText() const { return m_text; }
    void SetText(const QString &Value);
    void SetText(QString &&Value);
    bool GetLoading() const { return m_loading; }
    void SetLoading(bool Value) { m_loading = Value; }
    // Cached "text is a number" answer of the display layer; forgotten whenever the text changes.
    bool HasNumberCache() const { return m_numberKnown; }
    bool GetIsNumber() const { return m_isNumber; }
    void SetIsNumber(bool Value)
    {
        m_isNumber = Value;
        m_numberKnown = true;
    }

    // --- Formulas
    // Evaluates the cell's formula (and the formula cells it needs) and stores the result.
    void EvaluateFormula();
    // The last result; the number 0 for a cell that never held one.
    ExpValue GetFormulaValue() const;
    // Puts back a result read from a document, so that a grid without automatic calculation
    // shows what it showed when it was saved. Only formula cells keep one.
    void SetFormulaValue(const ExpValue &Value);
    // Whether the last evaluation read numbers only (also the display layer's number flag).
    void SetNumber(bool Value) { SetIsNumber(Value); }

    // --- Value display and typed views of the text (defined in format/cell_values.cpp)
    QString GetDisplayText() const;
    bool GetAsBoolean() const;
    void SetAsBoolean(bool Value);
    TCurrency GetAsCurrency() const;
    void SetAsCurrency(TCurrency Value);
    // Raises EConvertError when the text is no date and time.
    QDateTime GetAsDateTime() const;
    void SetAsDateTime(const QDateTime &Value);
    double GetAsFloat() const;
    void SetAsFloat(double Value);
    int GetAsInteger() const;
    void SetAsInteger(int Value);
    // Rewrites the stored text after ValueType (or, with DigitsChanged, Digits) changed.
    void ConvertStoredText(bool DigitsChanged);

    // --- Attribute record
    TCellRec *GetRec() const { return m_rec.get(); }
    // Creates the record, filled from the column, when the cell has none.
    TCellRec *CheckNil();
    // Refills the record from the column.
    void SetDefault();
    // The style a new record starts with: the column's, with the grid's default alignment and
    // cell type for this position.
    TCellStyle DefaultStyle() const;
    // Gives a cell without a record one assembled elsewhere (a reader that builds the whole
    // record first), as it is: no comparisons, events or repainting.
    void AdoptRec(TCellRec &&Rec);

    // --- Attributes inherited from the column (record, else column)
    QOR_STYLE_ATTRIBUTES(QOR_DECLARE_STYLE_ATTRIBUTE)

    // --- Attributes of the cell alone (record, else the fixed default)
    int GetItemIndex() const;
    void SetItemIndex(int Value);
    bool GetChecked() const;
    void SetChecked(bool Value);
    bool GetCtl3D() const;
    void SetCtl3D(bool Value);
    QString GetName() const;
    void SetName(const QString &Value);
    QString GetFieldName() const;
    void SetFieldName(const QString &Value);
    QString GetLeftText() const;
    void SetLeftText(const QString &Value);
    QString GetRightText() const;
    void SetRightText(const QString &Value);
    int GetTabNextRow() const;
    void SetTabNextRow(int Value);
    int GetTabNextCol() const;
    void SetTabNextCol(int Value);
    bool GetSetParentFont() const;
    void SetSetParentFont(bool Value);
    bool GetAdded() const;
    void SetAdded(bool Value);

    // --- Merge fields (kept by the merge table)
    int GetRows() const;
    void SetRows(int Value);
    int GetCols() const;
    void SetCols(int Value);
    int GetMergeRow() const;
    void SetMergeRow(int Value);
    int GetMergeCol() const;
    void SetMergeCol(int Value);
    bool GetNeedDraw() const;
    void SetNeedDraw(bool Value);

    // --- Lines and frames. Setters also update the neighbouring cell across the edge (along
    // the whole edge of a merged area), so that both agree about the shared edge.
    bool GetLine(TCellEdge Edge) const;
    void SetLine(TCellEdge Edge, bool Value);
    bool GetFrame(TCellEdge Edge) const;
    void SetFrame(TCellEdge Edge, bool Value);
    int GetFrameWidth(TCellEdge Edge) const;
    void SetFrameWidth(TCellEdge Edge, int Value);
    TColor GetFrameColor(TCellEdge Edge) const;
    void SetFrameColor(TCellEdge Edge, TColor Value);
    TPenStyle GetFrameStyle(TCellEdge Edge) const;
    void SetFrameStyle(TCellEdge Edge, TPenStyle Value);
    bool GetLeftLine() const { return GetLine(ceLeft); }
    void SetLeftLine(bool Value) { SetLine(ceLeft, Value); }
    bool GetTopLine() const { return GetLine(ceTop); }
    void SetTopLine(bool Value) { SetLine(ceTop, Value); }
    bool GetRightLine() const { return GetLine(ceRight); }
    void SetRightLine(bool Value) { SetLine(ceRight, Value); }
    bool GetBottomLine() const { return GetLine(ceBottom); }
    void SetBottomLine(bool Value) { SetLine(ceBottom, Value); }
    bool GetLeftFrame() const { return GetFrame(ceLeft); }
    void SetLeftFrame(bool Value) { SetFrame(ceLeft, Value); }
    bool GetTopFrame() const { return GetFrame(ceTop); }
    void SetTopFrame(bool Value) { SetFrame(ceTop, Value); }
    bool GetRightFrame() const { return GetFrame(ceRight); }
    void SetRightFrame(bool Value) { SetFrame(ceRight, Value); }
    bool GetBottomFrame() const { return GetFrame(ceBottom); }
    void SetBottomFrame(bool Value) { SetFrame(ceBottom, Value); }
    int GetLeftFrameWidth() const { return GetFrameWidth(ceLeft); }
    void SetLeftFrameWidth(int Value) { SetFrameWidth(ceLeft, Value); }
    int GetTopFrameWidth() const { return GetFrameWidth(ceTop); }
    void SetTopFrameWidth(int Value) { SetFrameWidth(ceTop, Value); }
    int GetRightFrameWidth() const { return GetFrameWidth(ceRight); }
    void SetRightFrameWidth(int Value) { SetFrameWidth(ceRight, Value); }
    int GetBottomFrameWidth() const { return GetFrameWidth(ceBottom); }
    void SetBottomFrameWidth(int Value) { SetFrameWidth(ceBottom, Value); }
    TColor GetLeftFrameColor() const { return GetFrameColor(ceLeft); }
    void SetLeftFrameColor(TColor Value) { SetFrameColor(ceLeft, Value); }
    TColor GetTopFrameColor() const { return GetFrameColor(ceTop); }
    void SetTopFrameColor(TColor Value) { SetFrameColor(ceTop, Value); }
    TColor GetRightFrameColor() const { return GetFrameColor(ceRight); }
    void SetRightFrameColor(TColor Value) { SetFrameColor(ceRight, Value); }
    TColor GetBottomFrameColor() const { return GetFrameColor(ceBottom); }
    void SetBottomFrameColor(TColor Value) { SetFrameColor(ceBottom, Value); }
    TPenStyle GetLeftFrameStyle() const { return GetFrameStyle(ceLeft); }
    void SetLeftFrameStyle(TPenStyle Value) { SetFrameStyle(ceLeft, Value); }
    TPenStyle GetTopFrameStyle() const { return GetFrameStyle(ceTop); }
    void SetTopFrameStyle(TPenStyle Value) { SetFrameStyle(ceTop, Value); }
    TPenStyle GetRightFrameStyle() const { return GetFrameStyle(ceRight); }
    void SetRightFrameStyle(TPenStyle Value) { SetFrameStyle(ceRight, Value); }
    TPenStyle GetBottomFrameStyle() const { return GetFrameStyle(ceBottom); }
    void SetBottomFrameStyle(TPenStyle Value) { SetFrameStyle(ceBottom, Value); }
    // Re-applies the four lines and frames so that the neighbours agree with this cell.
    void ResetCellFrame();

    // --- Owned objects, created on first access
    // The cell's own font, first a copy of the grid font; nothing while the grid font is used.
    TQorFont &Font();
    const TQorFont *PeekFont() const;
    void SetFont(const TQorFont &Value);
    // List items, first a copy of the column's items.
    TQorStrings &Items();
    const TQorStrings *PeekItems() const;
    void SetItems(const TQorStrings &Value);
    // The picture, first a copy of the column's picture.
    TQorPicture &Graphic();
    const TQorPicture *PeekGraphic() const;
    void SetGraphic(const TQorPicture &Value);
    // The clipboard into this cell alone: rich content for a ctRichEdit cell, else its text
    // (defined with the clipboard exchange in io/).
    void PasteFromClipboard();
    // Rich-text content of ctRichEdit cells, as stored bytes.
    QByteArray GetRichText() const;
    void SetRichText(const QByteArray &Value);
    // Rich content from and to files and devices; false (content unchanged) when it cannot be
    // read or written.
    bool LoadRichTextFromFile(const QString &FileName);
    bool LoadRichTextFromStream(QIODevice &Stream);
    bool SaveRichTextToFile(const QString &FileName) const;
    bool SaveRichTextToStream(QIODevice &Stream) const;
    void SetCellAdapter(std::shared_ptr<ICellAdapter> Adapter);
    ICellAdapter *GetCellAdapter() const;

    // --- Neighbours and selection (nothing outside the grid; neighbours are created)
    TCellInfo *TopCellByIndex(int n) const;
    TCellInfo *BottomCellByIndex(int n) const;
    TCellInfo *LeftCellByIndex(int n) const;
    TCellInfo *RightCellByIndex(int n) const;
    TCellInfo *TopCell() const { return TopCellByIndex(1); }
    TCellInfo *BottomCell() const { return BottomCellByIndex(1); }
    TCellInfo *LeftCell() const { return LeftCellByIndex(1); }
    TCellInfo *RightCell() const { return RightCellByIndex(1); }
    bool GetSelected() const;

    // --- Copying
    // Everything of Source (text, record, font, items, picture, rich text), repainting.
    void Assign(const TCellInfo &Source);
    // The same without events, repainting or formula bookkeeping: for structural operations.
    void InternalAssign(const TCellInfo &Source);
    // Formatting only: everything of Source but its text (new rows and columns repeat their
    // template this way).
    void InternalAssignFormat(const TCellInfo &Source);

    // --- Records (defined with the record readers and writers in io/)
    // Stream := this cell's record.
    void SaveToStream(QByteArray &Stream) const;
    // Reads a cell record; false (nothing changed) when it is not a readable record.
    bool LoadFromStream(const QByteArray &Stream, bool ApplySizes);
    // The same for the reader of whole grid streams.
    bool InternalLoadFromStream2(const QByteArray &Stream, bool ApplySizes);
    // Only Text, LeftText and RightText of a record.
    bool CopyTextFromStream(const QByteArray &Stream);

    // --- Painting and editing hooks
    // Repaints the cell unless the grid is locked.
    void DrawSelf() const;
    // Closes an in-place editor open on this cell.
    void HideEditor() const;

private:
    TCellInfo(int Row, int Col, bool InStore = false) : m_storedRow(Row), m_col(Col), m_inStore(InStore) {}
    friend struct CellAccess;
    friend class TCellList;
    friend class TCustomQorGrid; // SetCellText stores through StoreText
    // SetText once the grid's private object and the row are known: a filled sheet pays for
    // finding them from the slab once per cell, not once per step.
    void StoreText(GridPrivate &d, int row, QString &&Value);
    void PutText(QString &&Value);
    bool StoreLine(TCellEdge Edge, bool Value);
    void PropagateEdge(TCellEdge Edge, const CellEdgeAttribute &attribute, const void *value);
    // The owned objects, kept beside the cells by the store: nothing when there are none.
    CellExtras *PeekExtras() const;
    CellExtras &Extras();
    void DropExtras();

    // Forty bytes: a filled sheet is mostly these and their texts.
    int m_storedRow;            // less the store's origin while in a slot: read it through GetRow()
    int m_col : 27;             // TCellList::kMaxCols fits
    bool m_inStore : 1 = false; // in a slot of its store, counting its row from the origin
    bool m_loading : 1 = false;
    bool m_numberKnown : 1 = false;
    bool m_isNumber : 1 = false;
    bool m_hasExtras : 1 = false;
    QString m_text;
    std::unique_ptr<TCellRec> m_rec;
};

// True when the cell differs from an untouched cell of its column in content or any attribute.
QOR_EXPORT bool notDefaultCell(const TCellInfo *Cell);

} // namespace qor
