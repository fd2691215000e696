#pragma once
// Moving rows and columns by dragging their header cells: a press arms the move, a drag past
// the start distance begins it, the release drops the block where the indicator shows. Near
// the edges of the view a timer scrolls the sheet under the pointer.
#include <QPoint>
#include <QRect>
#include <QTimer>
#include "core/grid_p.h"
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;

class QOR_AUTOTEST_EXPORT HeaderDragMove {
public:
    // The gesture's state is kept in the grid's navigation state, where the painter reads it.
    HeaderDragMove(TCustomQorGrid &grid, DragMoveState &state);

    // A press on a header cell away from its sizing border: arms a move when the grid's
    // moving option for that header allows it. True when armed.
    bool Press(QPoint p);
    // The pointer moved with the left button held: true when the move belongs to this gesture.
    bool Move(QPoint p);
    enum class Outcome { None, Click, Drop };
    // The button came up: a gesture that never became a drag is a click on the header cell
    // pressed (pressAt); a drag drops its block.
    Outcome Release(QPoint p, QPoint &pressAt);
    // Esc: forgets the gesture, nothing moves.
    void Cancel();
    bool Busy() const { return m_state.armed || m_state.dragging; }
    const DragMoveState &State() const { return m_state; }
    // Where the drop indicator is drawn (viewport coordinates); empty when the block would not
    // move.
    QRect Indicator() const;
    // One step of the scrolling near the view's edges (what the timer runs); true when the
    // sheet moved.
    bool AutoScrollStep();

private:
    int lineUnder(QPoint p) const;
    void retarget();
    void finish();
    bool refusedWhenGrouped() const;

    TCustomQorGrid &m_grid;
    DragMoveState &m_state;
    QTimer m_timer;
};

} // namespace qor
