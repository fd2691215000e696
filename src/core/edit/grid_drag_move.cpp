#include "core/edit/grid_drag_move_p.h"

#include <QApplication>
#include <QScrollBar>
#include <algorithm>
#include "core/edit/editor_controller_p.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/view/grid_painter_p.h"
#include "platform/message_box.h"

namespace qor {

namespace {

constexpr int EdgeZone = 12;          // pixels inside the view's edge where it scrolls
constexpr int ScrollInterval = 50;    // milliseconds between scroll steps

// The lines a drag carries: the selected whole lines when the pressed one is among them,
// otherwise the pressed line alone.
void blockAt(const GridPrivate &d, int line, bool vertical, int &from, int &count)
{
    const QRect s = d.selection;
    const bool whole = s.isValid() && (vertical ? s.left() == 0 && s.right() == d.cols - 1
                                                : s.top() == 0 && s.bottom() == d.rows - 1);
    const int first = vertical ? s.top() : s.left(), last = vertical ? s.bottom() : s.right();
    if (whole && line >= first && line <= last) {
        from = first;
        count = last - first + 1;
    } else {
        from = line;
        count = 1;
    }
}

} // namespace

// Made while the grid's private object is built: reaches it only once the gesture runs.
HeaderDragMove::HeaderDragMove(TCustomQorGrid &grid, DragMoveState &state) : m_grid(grid), m_state(state)
{
    m_timer.setInterval(ScrollInterval);
    QObject::connect(&m_timer, &QTimer::timeout, &m_timer, [this] { AutoScrollStep(); });
}


bool HeaderDragMove::Press(QPoint p)
{
    // A gesture whose release never came (the grab was lost) ends here.
    Cancel();
    const GridPrivate &d = GridPrivate::get(m_grid);
    if (d.rows <= 0 || d.cols <= 0 || m_grid.GetCornerRect().contains(p))
        return false;
    bool vertical;
    if (m_grid.GetColumnHeaderRect().contains(p))
        vertical = false;
    else if (m_grid.GetRowHeaderRect().contains(p))
        vertical = true;
    else
        return false;
    if (!d.options.Contains(vertical ? qgoRowMoving : qgoColMoving))
        return false;
    int row = -1, col = -1;
    m_grid.RealCellFromPoint(p, row, col);
    const int line = vertical ? row : col;
    if (line < 0)
        return false;
    m_state = DragMoveState();
    m_state.armed = true;
    m_state.vertical = vertical;
    blockAt(d, line, vertical, m_state.from, m_state.count);
    m_state.target = m_state.from;
    m_state.press = m_state.pointer = p;
    return true;
}

bool HeaderDragMove::Move(QPoint p)
{
    if (!Busy())
        return false;
    m_state.pointer = p;
    if (!m_state.dragging) {
        if ((p - m_state.press).manhattanLength() < QApplication::startDragDistance())
            return true;
        m_state.armed = false;
        m_state.dragging = true;
        GridPrivate &d = GridPrivate::get(m_grid);
        d.editor->CommitPending();
        d.editor->Hide();
        m_grid.viewport()->setCursor(Qt::ClosedHandCursor);
        m_timer.start();
    }
    retarget();
    return true;
}

// The line under the pointer, the pointer first brought into the part of the view where the
// lines scroll (not over the other header panel).
int HeaderDragMove::lineUnder(QPoint p) const
{
    const QRect view = m_grid.viewport()->rect();
    int row = -1, col = -1;
    if (m_state.vertical) {
        const int top = m_grid.GetColumnHeaderRect().bottom() + 1;
        p.setY(std::clamp(p.y(), top, std::max(top, view.bottom())));
        m_grid.RealCellFromPoint(p, row, col);
        return row;
    }
    const int left = m_grid.GetRowHeaderRect().right() + 1;
    p.setX(std::clamp(p.x(), left, std::max(left, view.right())));
    m_grid.RealCellFromPoint(p, row, col);
    return col;
}

// Dragged up, the block lands on the line under the pointer; dragged down, its last line does.
void HeaderDragMove::retarget()
{
    const int line = lineUnder(m_state.pointer);
    int target = m_state.from;
    if (line >= 0 && line < m_state.from)
        target = line;
    else if (line >= m_state.from + m_state.count)
        target = line - m_state.count + 1;
    if (target != m_state.target) {
        m_state.target = target;
        m_grid.viewport()->update();
    }
}

QRect HeaderDragMove::Indicator() const { return DropIndicatorRect(m_grid); }

bool HeaderDragMove::AutoScrollStep()
{
    if (!m_state.dragging)
        return false;
    const QRect view = m_grid.viewport()->rect();
    QScrollBar *bar = m_state.vertical ? m_grid.verticalScrollBar() : m_grid.horizontalScrollBar();
    int start, pos, end;
    if (m_state.vertical) {
        start = std::max(m_grid.GetColumnHeaderRect().bottom() + 1, m_grid.GetFrozenRows() > 0 ? m_grid.GetTopFixSpace() : 0);
        pos = m_state.pointer.y();
        end = view.height();
    } else {
        start = std::max(m_grid.GetRowHeaderRect().right() + 1, m_grid.GetFrozenCols() > 0 ? m_grid.GetLeftFixSpace() : 0);
        pos = m_state.pointer.x();
        end = view.width();
    }
    QAbstractSlider::SliderAction action = QAbstractSlider::SliderNoAction;
    if (pos < start + EdgeZone)
        action = QAbstractSlider::SliderSingleStepSub;
    else if (pos >= end - EdgeZone)
        action = QAbstractSlider::SliderSingleStepAdd;
    if (action == QAbstractSlider::SliderNoAction)
        return false;
    const int before = bar->value();
    bar->triggerAction(action);
    if (bar->value() == before)
        return false;
    retarget();
    m_grid.viewport()->update();
    return true;
}

bool HeaderDragMove::refusedWhenGrouped() const
{
    GridPrivate &d = GridPrivate::get(m_grid);
    if (!d.seams.dataOps->IsGrouped())
        return false;
    const QString text = m_state.vertical ? QStringLiteral("Can not move row on a grouped grid")
                                          : QStringLiteral("Can not move column on a grouped grid");
    platform::MessageBox(m_grid.window(), text, QStringLiteral("提示"), platform::MB_OK | platform::MB_ICONWARNING);
    return true;
}

HeaderDragMove::Outcome HeaderDragMove::Release(QPoint p, QPoint &pressAt)
{
    if (!Busy())
        return Outcome::None;
    pressAt = m_state.press;
    if (!m_state.dragging) {
        finish();
        return Outcome::Click;
    }
    m_state.pointer = p;
    retarget();
    const bool refused = m_state.target != m_state.from && refusedWhenGrouped();
    const DragMoveState s = m_state;
    finish();
    if (refused || s.target == s.from || s.target < 0)
        return Outcome::Drop;
    GridPrivate &d = GridPrivate::get(m_grid);
    // A selection of the moved lines goes with them; any other selection over the lines that
    // shift would name the wrong cells afterwards.
    const QRect sel = d.selection;
    const int selFirst = s.vertical ? sel.top() : sel.left(), selLast = s.vertical ? sel.bottom() : sel.right();
    const bool carried = sel.isValid() && selFirst == s.from && selLast == s.from + s.count - 1;
    const int lo = std::min(s.from, s.target), hi = std::max(s.from, s.target) + s.count - 1;
    const bool moved = s.vertical ? m_grid.MoveRow(s.from, s.count, s.target) : m_grid.MoveCol(s.from, s.count, s.target);
    if (!moved || !sel.isValid())
        return Outcome::Drop;
    if (carried) {
        const int last = s.target + s.count - 1;
        if (s.vertical)
            m_grid.SelectCells(s.target, sel.left(), last, sel.right());
        else
            m_grid.SelectCells(sel.top(), s.target, sel.bottom(), last);
    } else if (selLast >= lo && selFirst <= hi) {
        m_grid.ClearSelection();
    }
    return Outcome::Drop;
}

void HeaderDragMove::Cancel()
{
    if (Busy())
        finish();
}

void HeaderDragMove::finish()
{
    const bool wasDragging = m_state.dragging;
    m_state = DragMoveState();
    m_timer.stop();
    if (wasDragging) {
        m_grid.viewport()->setCursor(Qt::ArrowCursor);
        m_grid.viewport()->update();
    }
}

} // namespace qor
