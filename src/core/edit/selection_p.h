#pragma once
// The current cell and the selection rectangle: which cells may be entered and edited, the
// searches for the next enterable cell, and entering a cell with its events. Works on the
// grid's state alone, so it needs no visible widget.
#include <QPoint>
#include <QRect>
#include <cstdint>
#include "core/model/enums.h"
#include "platform/qor_global.h"

namespace qor {

struct GridPrivate;
class TCustomQorGrid;
class TCellInfo;

enum class NavDir : uint8_t { Left, Up, Right, Down };

class QOR_AUTOTEST_EXPORT Selection {
public:
    explicit Selection(GridPrivate &d);

    // Corners ordered, grown until no merged area sticks out, full width under row selection
    // (not while loading). Empty when either corner lies outside the grid.
    QRect Normalise(int row1, int col1, int row2, int col2) const;
    // Sets the selection rectangle; corners outside the grid are clamped onto it.
    void Select(int row1, int col1, int row2, int col2);
    void Clear();

    // --- Read-only resolution
    // The cell's (or column's) flag, editing switched off, then OnGetReadOnly has the last word.
    bool InternalCellReadOnly(int row, int col) const;
    // As above, and fixed cells (own or the owner's flag) are read-only too.
    bool CellReadOnly(int row, int col) const;
    bool IsFixed(int row, int col) const;
    // Whether an editor may open on the position (the owner of its merged area decides).
    bool CellCanEdit(int row, int col) const;
    // The position has a visible rectangle; with fire, OnBeforeEnterCell may refuse it.
    bool CellCanSetFocus(int64_t index, bool fire) const;

    // --- Searches from (row, col): the flat index of the next enterable position, -1 if none.
    int64_t FindEnterCell(int row, int col, NavDir dir) const;
    // No enterable cell follows the current one to the right (nor below, when wrapping).
    bool IsLastTabCell() const;
    // The cell named by the current cell's TabNextRow/TabNextCol, when it may be entered.
    int64_t TabTarget() const;

    // --- Entering a cell
    // Makes the position (its merged area's owner) current with OnLeaveCell, OnBeforeEnterCell
    // and OnAfterEnterCell; false when it is invalid or refused (nothing changes then).
    bool Enter(int row, int col);
    // The next enterable cell to the right (wrapping with qgoAutoNextRowCol).
    bool SelectNext();
    // Moves the current cell one enterable cell in the direction.
    bool Move(NavDir dir);
    // Grows or shrinks the selection by one step from its moving corner.
    bool Extend(NavDir dir);

private:
    TCustomQorGrid &grid() const;
    QRect area(int row, int col) const;
    bool fixCell(int row, int col) const;  // the cell's own flag, or its column's

    GridPrivate &m_d;
};

} // namespace qor
