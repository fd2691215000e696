#pragma once
// Putting a read cell record into a cell: through the attribute setters one by one, or, for
// the grid stream reader, in one step with the same resulting cell.
#include <QString>
#include <string_view>
#include <utility>
#include "core/model/cell.h"
#include "core/model/font.h"
#include "core/grid.h"
#include "io/cell_record.h"
#include "io/cell_record_p.h"

namespace qor {

// A record is read with the grid in its loading state and the cell marked as loading: no
// change events, no bound-field writes, naming conflicts resolved silently; repainting waits
// for the end of the update.
class LoadingScope {
public:
    explicit LoadingScope(TCellInfo &cell)
        : m_cell(cell), m_grid(*cell.GetGrid()), m_gridLoading(m_grid.GetLoading()), m_cellLoading(cell.GetLoading())
    {
        m_grid.BeginUpdate();
        m_grid.SetLoading(true);
        m_cell.SetLoading(true);
    }
    ~LoadingScope()
    {
        m_cell.SetLoading(m_cellLoading);
        m_grid.SetLoading(m_gridLoading);
        m_grid.EndUpdate();
    }
    LoadingScope(const LoadingScope &) = delete;
    LoadingScope &operator=(const LoadingScope &) = delete;

private:
    TCellInfo &m_cell;
    TCustomQorGrid &m_grid;
    bool m_gridLoading;
    bool m_cellLoading;
};

// The font the last record asked for, kept for the next one that asks for the same font on
// the same starting font: documents repeat a few fonts over many cells, and building a font
// costs more than sharing one.
struct FontShare {
    bool valid = false;
    TFontRecord record;
    TQorFont base;
    TQorFont result;
};

// Text, LeftText and RightText.
void ApplyCellTexts(TCellInfo &cell, const CellRecord &r);
// Attributes stored among the texts and set with them, before the others: an empty one only
// into a cell that has a record by then, so that a cell without one keeps its column's.
constexpr bool setWithTexts(std::string_view name) { return name == "Tag" || name == "Mask"; }
// The merge extent (rows, columns) the record asks for, stopped at the grid's edge: a block
// pasted near the edge would reach past it.
std::pair<int, int> ClampedMergeExtent(const TCellInfo &cell, const CellRecord &r);
// Lines, frames and the frames' widths, colours and styles, through the setters that carry
// them to the neighbours across each edge.
void ApplyCellEdges(TCellInfo &cell, const CellRecord &r);
// Items, picture and font; share (may be null) keeps the last font built. Returns why the
// picture cannot be shown, empty when it can.
QString ApplyCellOwned(TCellInfo &cell, const CellRecord &r, int version, FontShare *share);
// The whole record through the attribute setters; returns what could not be taken over.
QOR_AUTOTEST_EXPORT QString ApplyCellRecord(TCellInfo &cell, const CellRecord &r, int version,
                                            CellLoadOptions options);
// What every reader does after the attributes: AutoHeight again, repaint, report a picture
// that cannot be shown.
void FinishCellRecord(TCellInfo &cell, const CellRecord &r, const QString &problem);

// The grid stream reader's way in: each record's fields are compared with the cell's record
// (or with what a new record would hold) in one pass and stored together, instead of one
// setter per field. Records that change a merge extent, and cells under an open editor, go
// through the setters.
class QOR_AUTOTEST_EXPORT CellRecordInstaller {
public:
    // Reads one record into cell as the bulk reader (Ctl3D keeps the background colour).
    QString Load(ByteReader &in, TCellInfo &cell, int version);
    // The attributes of r into cell, inside a LoadingScope; false (nothing changed) when the
    // record needs the setters.
    bool Install(TCellInfo &cell, const CellRecord &r, int version, QString *problem);

private:
    FontShare m_fonts;
};

} // namespace qor
