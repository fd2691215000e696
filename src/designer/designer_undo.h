#pragma once
// Undo commands of the designer. Cheap commands keep only what they touch (a rectangle of
// cells, one value); commands that reshape the grid keep a snapshot of the whole document,
// taken before they run; the state after them is taken only when they are first undone.
#include <QByteArray>
#include <QRect>
#include <QUndoCommand>
#include <QVariant>
#include <functional>
#include <memory>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;
class TCellInfo;

// Where the current cell and the selection were, so that undo puts the user back there.
struct DesignerCursor {
    int Row = -1, Col = -1;
    QRect Selection;   // empty: nothing was selected
    static DesignerCursor Of(const TCustomQorGrid &grid);
    void RestoreTo(TCustomQorGrid &grid) const;
};

// A command that changes the cells of a rectangle (their attributes, texts, frames) and
// nothing else. The rectangle includes the neighbours whose shared edges the change touches.
class QOR_AUTOTEST_EXPORT GridRegionCommand : public QUndoCommand {
public:
    GridRegionCommand(const QString &text, TCustomQorGrid &grid, const QRect &cells, std::function<void()> change);
    void redo() override;
    void undo() override;
    QRect Cells() const { return m_cells; }

private:
    // Exact copies of the rectangle's cells, row by row; none where there was no cell.
    using CellCopies = std::vector<std::unique_ptr<TCellInfo>>;
    CellCopies capture() const;
    void restore(const CellCopies &cells);

    TCustomQorGrid &m_grid;
    QRect m_cells;
    std::function<void()> m_change;
    CellCopies m_before, m_after;
    DesignerCursor m_cursor;
    bool m_done = false;
};

// Merging a rectangle (absorbing the merged areas it touches) or unmerging one merged area.
// Undo gives the rectangle's cells back and merges again the areas that were there.
class QOR_AUTOTEST_EXPORT MergeCommand : public QUndoCommand {
public:
    MergeCommand(const QString &text, TCustomQorGrid &grid, const QRect &cells, bool merge);
    void redo() override;
    void undo() override;

private:
    void unmerge(const QRect &area);

    GridRegionCommand m_cells;   // the copies of the rectangle's cells
    TCustomQorGrid &m_grid;
    QRect m_rect;
    bool m_merge;
    std::vector<QRect> m_areas;  // the merged areas inside the rectangle before
};

// A command that may change anything: rows, columns, merges, the whole document.
class QOR_AUTOTEST_EXPORT GridSnapshotCommand : public QUndoCommand {
public:
    // A change that answers false changed nothing: the stack drops the command.
    GridSnapshotCommand(const QString &text, TCustomQorGrid &grid, std::function<bool()> change);
    void redo() override;
    void undo() override;
    qsizetype SnapshotBytes() const { return m_before.size() + m_after.size(); }

private:
    void restore(const QByteArray &bytes);

    TCustomQorGrid &m_grid;
    std::function<bool()> m_change;
    QByteArray m_before, m_after;
    DesignerCursor m_cursorBefore, m_cursorAfter;
    bool m_done = false;
};

// Rows or columns inserted or appended: undone by deleting them again, which gives back the
// grid as it was (formula references and merged areas shift back) without a snapshot.
class QOR_AUTOTEST_EXPORT LineInsertCommand : public QUndoCommand {
public:
    // At -1 appends.
    LineInsertCommand(const QString &text, TCustomQorGrid &grid, bool rows, int at, int count);
    void redo() override;
    void undo() override;

private:
    TCustomQorGrid &m_grid;
    bool m_rows;
    int m_at, m_count;
    bool m_append;
    int m_countBefore = -1;
    DesignerCursor m_cursor;
};

// One value read and written through a pair of functions (a grid property, the print set-up).
class QOR_AUTOTEST_EXPORT ValueCommand : public QUndoCommand {
public:
    using Setter = std::function<void(const QVariant &)>;
    ValueCommand(const QString &text, QVariant before, QVariant after, Setter set);
    void redo() override { m_set(m_after); }
    void undo() override { m_set(m_before); }

private:
    QVariant m_before, m_after;
    Setter m_set;
};

} // namespace qor
