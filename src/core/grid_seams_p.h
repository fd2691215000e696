#pragma once
// The grid's connections to layers built on top of the core: formulas, data-set binding,
// painting and geometry, in-place editing, merges, data operations, rich text and embedded
// objects. Each default does nothing (or the least that is still right, such as repainting
// the whole viewport); the layer that owns a concern installs its own implementation through
// RegisterGridSeams, so the core never includes it.
#include <QByteArray>
#include <QPoint>
#include <QRect>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include "core/model/enums.h"
#include "platform/qor_global.h"

class QPainter;

namespace qor {

class TCustomQorGrid;
class TCellInfo;
struct TQorFont;
struct GridPrivate;

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
    // The editor kind the field's type calls for, when the position is bound.
    virtual std::optional<TCellType> FieldCellType(int row, int col) const { return std::nullopt; }
    // The bound field cannot be written (read-only field, or a row outside the bound records).
    virtual bool FieldReadOnly(int row, int col) const { return false; }
    // Esc in the editor: drops the data set's pending edit of the current record.
    virtual void CancelEdit() {}
    virtual void TitleRowsChanged() {}
};

class QOR_AUTOTEST_EXPORT IViewHost {
public:
    virtual ~IViewHost();
    // Repaints a cell (its merged area and the focus rectangle included).
    virtual void InvalidateCell(int row, int col) = 0;
    virtual void InvalidateAll() = 0;
    virtual void InvalidateColumnHeader() = 0;
    // Sizes, extent or grid type changed: header panels, visible region, scroll range, page
    // lines and embedded controls follow.
    virtual void LayoutChanged() {}
    virtual void ScrollToOrigin() {}
    // Embedded documents, user controls and charts re-placed after a batch.
    virtual void ReplaceEmbedded() {}
    virtual void RemoveEmbedded() {}
};

class QOR_AUTOTEST_EXPORT IEditorHost {
public:
    virtual ~IEditorHost();
    virtual bool IsOpenOn(int row, int col) const { return false; }
    virtual bool IsOpen() const { return false; }
    virtual QString Text() const { return {}; }
    virtual void PutText(const QString &text) {}
    virtual void Hide() {}
    // Commits the pending edit (before a batch, before a row selection).
    virtual void CommitPending() {}
    // Puts back the text the editor started with and closes it without committing.
    virtual void Cancel() {}
    // A style of the cell under the editor changed (colour, font).
    virtual void StyleChanged(int row, int col) {}
    // Moves the open editor to its cell's current rectangle.
    virtual void Reposition() {}
    // A press (viewport point) on the button drawn in the cell: opens the editor and presses
    // its button. False when the point is not on such a button.
    virtual bool PressButtonAt(int row, int col, QPoint point) { return false; }
};

class QOR_AUTOTEST_EXPORT IMergeHost {
public:
    virtual ~IMergeHost();
    virtual void RecalcCrossingLines() {}
    virtual void Clear() {}
    // The rectangle (cell coordinates) grown until every merged area it touches lies inside.
    virtual QRect AbsorbMerges(const QRect &rect) const { return rect; }
    // Re-applies every listed merge (after loading, sorting, row and column operations).
    virtual void CalMergeCell() {}
    // The cell is about to be freed: it leaves the merge list.
    virtual void CellFreed(TCellInfo &cell) {}
};

class QOR_AUTOTEST_EXPORT IDataOpsHost {
public:
    virtual ~IDataOpsHost();
    virtual bool IsGrouped() const { return false; }
    virtual void ClearGrouping() {}
    // A column's text changed: drop its cached filter drop-down.
    virtual void ColumnTextChanged(int col) {}
    virtual void ResetFilter() {}
    // Grouping shows nothing here (a grouping column of a data row, a header's caption area).
    virtual bool HidesCellText(int row, int col) const { return false; }
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

// Shortcuts the clipboard and find layer answers; each refuses itself when its option is off.
class QOR_AUTOTEST_EXPORT IClipboardHost {
public:
    virtual ~IClipboardHost() = default;
    virtual void Copy() {}
    virtual void Cut() {}
    virtual void Paste() {}
    virtual void Find() {}
};

struct QOR_AUTOTEST_EXPORT GridSeams {
    GridSeams();
    ~GridSeams();
    std::unique_ptr<IFormulaHost> formulas;
    std::unique_ptr<IDataBinding> binding;
    std::unique_ptr<IViewHost> view;
    std::unique_ptr<IEditorHost> editor;
    std::unique_ptr<IMergeHost> merges;
    std::unique_ptr<IDataOpsHost> dataOps;
    std::unique_ptr<IRichTextHost> richText;
    std::unique_ptr<IClipboardHost> clipboard = std::make_unique<IClipboardHost>();
};

// A layer installs its implementations into every new grid. Installers run in registration
// order at the end of the grid's construction; later ones may replace earlier ones.
using GridSeamInstaller = std::function<void(TCustomQorGrid &grid, GridSeams &seams)>;
QOR_AUTOTEST_EXPORT void RegisterGridSeams(GridSeamInstaller installer);
// Installs the default view and then every registered layer; the grid calls it once.
void InstallGridSeams(TCustomQorGrid &grid, GridSeams &seams);

} // namespace qor
