#pragma once
// The grid's connections to layers built on top of the core: formulas, data-set binding, data
// operations, rich text and the clipboard. Each default does nothing (or the least that is
// still right); the layer that owns a concern installs its own implementation into every grid
// from InstallGridLayers, so the core never includes it.
#include <QByteArray>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>
#include "core/model/enums.h"
#include "platform/qor_global.h"

class QPainter;
class QWidget;

namespace qor {

class TCustomQorGrid;
class TCellInfo;
struct TQorFont;
struct GridPrivate;
class FormulaManager;
class DataOperations;
class GridBinding;
class TQorColumn;
class AnchoredObjects;

class QOR_AUTOTEST_EXPORT IFormulaHost {
public:
    virtual ~IFormulaHost();
    // Before a cell's text is replaced: drop the old formula's registration and references.
    virtual void TextReplacing(TCellInfo &cell, const QString &oldText, const QString &newText) {}
    // After the text is stored: register a formula, evaluated at once when evaluateNow.
    virtual void TextStored(TCellInfo &cell, bool evaluateNow) {}
    // Recalculate every formula that depends on the cell.
    virtual void RecalcDependents(TCellInfo &cell) {}
    // Bring all formulas up to date (end of a batch, automatic calculation switched on).
    virtual void UpdateFormulas() {}
    // The cell is about to be freed.
    virtual void CellFreed(TCellInfo &cell) {}
    // Every cell is about to be freed.
    virtual void AllCellsFreed() {}
    // Recalculate the formulas that depend on a position, with or without a cell there
    // (a row or column switched between zero and non-zero size).
    virtual void RecalcDependentsAt(int row, int col) {}
    // Rows or columns were inserted or deleted: rewrite the references of every formula.
    enum class Shift { RowsInserted, ColsInserted, RowsDeleted, ColsDeleted, Footer };
    virtual void ShiftReferences(Shift kind, int index, int count) {}
    // Rows or columns moved, texts unchanged: formulas sit at new places and read new cells.
    virtual void LinesMoved() {}
    // Rows first..first+n-1 were reordered (a sort): the row now at first + i came from
    // sourceRows[i]. References to those rows follow them.
    virtual void RowsPermuted(int first, const std::vector<int> &sourceRows) { LinesMoved(); }
    // The formula layer's own manager behind this seam, for the grid's formula members; none
    // when something else stands in for the layer.
    virtual FormulaManager *Manager() { return nullptr; }
};

class QOR_AUTOTEST_EXPORT IDataBinding {
public:
    virtual ~IDataBinding();
    // The data set decides the row count (bound, active, with records).
    virtual bool ControlsRowCount() const { return false; }
    virtual bool IsBound(int row, int col) const { return false; }
    // The text of the bound field, when the position is bound.
    virtual std::optional<QString> FieldText(int row, int col) const { return std::nullopt; }
    // Writes the bound field (the data set put in edit mode first). False when not bound.
    virtual bool WriteField(int row, int col, const QString &value) { return false; }
    // The value type and edit mask that typing into the bound field follows.
    virtual std::optional<TValueType> FieldValueType(int row, int col) const { return std::nullopt; }
    virtual std::optional<QString> FieldEditMask(int row, int col) const { return std::nullopt; }
    // The editor kind the field's type calls for, when the position is bound.
    virtual std::optional<TCellType> FieldCellType(int row, int col) const { return std::nullopt; }
    // The bound field cannot be written (read-only field, or a row outside the bound records).
    virtual bool FieldReadOnly(int row, int col) const { return false; }
    // Esc in the editor: drops the data set's pending edit of the current record.
    virtual void CancelEdit() {}
    virtual void TitleRowsChanged() {}
    // A sort reordered the data rows: the data set moves to the record of the current row.
    virtual void RowsReordered(int currentRow) {}
    // A column's FieldName was assigned: its field is resolved again.
    virtual void ColumnFieldNameSet(TQorColumn &column) {}
    // The current cell is about to move to another row: the data set follows (posting a
    // pending edit). False keeps the current cell where it is.
    virtual bool CurrentRowChanging(int newRow) { return true; }
    virtual void CurrentCellChanged(int row, int col) {}
    // Deleting or inserting a grid row of the record body: the data set does it instead.
    // True when the binding took the request.
    virtual bool DeleteRecord(int row) { return false; }
    virtual bool InsertRecord(int row, bool append) { return false; }
    // A picture held in the bound field, and a bound check box's state.
    virtual std::optional<QImage> FieldPicture(int row, int col) const { return std::nullopt; }
    virtual std::optional<bool> FieldChecked(int row, int col) const { return std::nullopt; }
    // A click or Space on a bound check box: the field takes the other value. True when the
    // position is bound.
    virtual bool ToggleChecked(int row, int col) { return false; }
    virtual void AutoShowBlobFieldChanged() {}
    // A row of records whose data set cannot be modified: nothing is pasted there.
    virtual bool RecordRowReadOnly(int row) const { return false; }
    // The binding layer's own object behind this seam; none when something else stands in.
    virtual GridBinding *Binding() { return nullptr; }
};

class QOR_AUTOTEST_EXPORT IDataOpsHost {
public:
    virtual ~IDataOpsHost();
    virtual bool IsGrouped() const { return false; }
    // The grouped state goes (the rows stay as they are).
    virtual void ClearGrouping() {}
    // ShowGroupFooter or a column's FormulaType changed: a grouped grid is built again.
    virtual void ReGroup() {}
    // A press on a cell that was made current; true when the layer took it (a group header's
    // button). p in client coordinates.
    virtual bool CellPressed(int row, int col, QPoint p) { return false; }
    // A column's text changed: drop its cached filter drop-down.
    virtual void ColumnTextChanged(int col) {}
    virtual void ResetFilter() {}
    // Grouping shows nothing here (a grouping column of a data row, a header's caption area).
    virtual bool HidesCellText(int row, int col) const { return false; }
    // A click on a column title that is not a resize or a drag (qgoSorting sorts by it).
    virtual void TitleClicked(int col) {}
    // The filter drop-down button of a column title was pressed; button in client coordinates.
    virtual void FilterButtonClicked(int col, const QRect &button) {}
    // The data layer's own object behind this seam; none when something else stands in.
    virtual DataOperations *Operations() { return nullptr; }
};

class QOR_AUTOTEST_EXPORT IRichTextHost {
public:
    virtual ~IRichTextHost();
    // Rich content made from plain text in a font; nothing when no converter is installed.
    virtual std::optional<QByteArray> FromPlain(const QString &text, const TQorFont *font) const { return std::nullopt; }
    virtual std::optional<QString> ToPlain(const QByteArray &rich) const { return std::nullopt; }
    // Draws rich content into rect (top-aligned unless vertAlign says otherwise); false when it
    // cannot, and the caller draws the plain text instead.
    virtual bool Draw(QPainter &p, const QRect &rect, const QByteArray &rich, Qt::Alignment vertAlign) const { return false; }
    // Height of rich content laid out at a width; nothing when it cannot be read.
    virtual std::optional<int> Height(const QByteArray &rich, int width) const { return std::nullopt; }
};

// The print component bound to a grid (at most one), as the grid and its stream see it.
class QOR_AUTOTEST_EXPORT IPrintLink {
public:
    virtual ~IPrintLink();
    // The strips of the pages in grid print coordinates, for the page lines.
    virtual std::vector<QRect> PagesRect() = 0;
    // The print settings record of the grid stream ("PrnD" and what follows).
    virtual QByteArray SaveSettings() const = 0;
    virtual void LoadSettings(const QByteArray &record, int version) = 0;
    // The grid is being destroyed: the component lets go of it.
    virtual void GridDestroyed() = 0;
};

// Shortcuts the clipboard and find layer answers; each refuses itself when its option is off.
class QOR_AUTOTEST_EXPORT IClipboardHost {
public:
    virtual ~IClipboardHost() = default;
    virtual void Copy() {}
    virtual void Cut() {}
    virtual void Paste() {}
    virtual void Find() {}
};

// The user controls, charts and embedded documents that float above the cells.
class QOR_AUTOTEST_EXPORT IAnchoredObjects {
public:
    virtual ~IAnchoredObjects();
    // The cells moved (scroll, sizes, zoom, client size, end of a batch): objects follow.
    virtual void Reposition() {}
    // Lines index .. index + count - 1 were inserted (or deleted) before Reposition.
    virtual void LinesChanged(bool rows, int index, int count, bool inserted) {}
    // The grid is cleared for new content: its own charts and documents go.
    virtual void RemoveAll() {}
    // A cell's text was stored: charts over it refresh.
    virtual void CellChanged(int row, int col) {}
    // Printing the cells of source (print coordinates, the caller's transform on canvas):
    // each object's picture at its place; mayPrint vetoes a user control.
    virtual void Print(QPainter &canvas, const QRect &source, const std::function<bool(QWidget *)> &mayPrint) {}
    // The layer's own object behind this seam; none when something else stands in.
    virtual AnchoredObjects *Objects() { return nullptr; }
};

struct QOR_AUTOTEST_EXPORT GridSeams {
    GridSeams();
    ~GridSeams();
    std::unique_ptr<IFormulaHost> formulas;
    std::unique_ptr<IDataBinding> binding;
    std::unique_ptr<IDataOpsHost> dataOps;
    std::unique_ptr<IRichTextHost> richText;
    std::unique_ptr<IClipboardHost> clipboard = std::make_unique<IClipboardHost>();
    std::unique_ptr<IAnchoredObjects> objects = std::make_unique<IAnchoredObjects>();
    IPrintLink *print = nullptr;   // not owned: the component clears it when it goes
};

// Installs the layers above the core into a new grid; the grid's construction calls it once,
// last. Defined with the layers, not in the core.
void InstallGridLayers(TCustomQorGrid &grid);

} // namespace qor
