#include "objects/inner_control.h"

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include "core/grid.h"

namespace qor {

TInnerControl::TInnerControl(TCustomQorGrid *Grid, QWidget *Control, int Row_, int Col_, bool Fixed_)
    : m_grid(Grid), m_control(Control)
{
    Row = Row_;
    Col = Col_;
    Fixed = Fixed_;
    if (Control->parentWidget() != Grid->viewport())
        Control->setParent(Grid->viewport());
    watch(Control);
}

TInnerControl::~TInnerControl()
{
    if (m_control)
        unwatch(m_control);
}

// The control and everything inside it: a press lands on the innermost widget.
void TInnerControl::watch(QObject *o)
{
    o->installEventFilter(this);
    for (QObject *child : o->children())
        if (child->isWidgetType())
            watch(child);
}

void TInnerControl::unwatch(QObject *o)
{
    o->removeEventFilter(this);
    for (QObject *child : o->children())
        if (child->isWidgetType())
            unwatch(child);
}

void TInnerControl::Anchor()
{
    if (!m_control)
        return;
    const QPoint p = m_control->pos();
    int r = -1, c = -1;
    m_grid->HintCellFromPoint(p, r, c);
    if (r < 0 || c < 0 || r >= m_grid->GetRows() || c >= m_grid->GetCols()) {
        Row = Col = -1;
        return;
    }
    Row = r;
    Col = c;
    const QRect cell = m_grid->CellRect(r, c);
    OffsetX = p.x() - cell.left();
    OffsetY = p.y() - cell.top();
}

void TInnerControl::SetPosition()
{
    if (!m_control)
        return;
    if (Row < 0 || Col < 0 || Row >= m_grid->GetRows() || Col >= m_grid->GetCols())
        Anchor();
    if (Row < 0 || Col < 0)
        return;
    const QRect cell = m_grid->CellRect(Row, Col);
    if (cell.isNull())
        return;
    const QPoint to(cell.left() + OffsetX, cell.top() + OffsetY);
    const bool inView = QRect(to, m_control->size()).intersects(m_grid->viewport()->rect());
    // Out of sight and already hidden: nothing to move, so a scroll costs only what is seen.
    if (!inView && m_control->isHidden() && m_control->testAttribute(Qt::WA_WState_ExplicitShowHide))
        return;
    Positioning = true;
    if (m_control->pos() != to)
        m_control->move(to);
    m_control->setVisible(inView);
    Positioning = false;
}

void TInnerControl::MoveTo(const QPoint &p)
{
    if (!m_control)
        return;
    Positioning = true;
    m_control->move(p);
    Positioning = false;
    Anchor();
    SetPosition();
}

void TInnerControl::LinesChanged(bool rows, int index, int count, bool inserted)
{
    int &line = rows ? Row : Col;
    if (line < 0 || line < index)
        return;
    if (inserted) {
        line += count;
    } else if (line >= index + count) {
        line -= count;
    } else {
        // Its line went: the nearest line left takes it, at the cell's corner.
        const int lines = rows ? m_grid->GetRows() : m_grid->GetCols();
        line = std::min(index, lines - 1);
        (rows ? OffsetY : OffsetX) = 0;
    }
}

int TInnerControl::hitTest(const QPoint &p) const
{
    const QSize s = m_control->size();
    int edges = None;
    if (p.x() < SizingBand)
        edges |= Left;
    if (p.x() >= s.width() - SizingBand)
        edges |= Right;
    if (p.y() >= s.height() - SizingBand)
        edges |= Bottom;
    if (p.y() < SizingBand)
        edges |= edges & (Left | Right) ? Top : Move;
    return edges;
}

bool TInnerControl::eventFilter(QObject *watched, QEvent *event)
{
    if (!m_control)
        return false;
    switch (event->type()) {
    case QEvent::ChildAdded:
        if (auto *child = static_cast<QChildEvent *>(event)->child(); child->isWidgetType())
            watch(child);
        return false;
    case QEvent::MouseButtonDblClick:
        if (OnDoubleClick) {
            OnDoubleClick();
            return true;
        }
        return false;
    case QEvent::MouseButtonPress: {
        auto *e = static_cast<QMouseEvent *>(event);
        m_grid->HideEditor();   // the pending edit is committed before the control takes over
        if (Fixed || e->button() != Qt::LeftButton)
            return false;
        const QPoint local = m_control->mapFromGlobal(e->globalPosition().toPoint());
        m_drag = hitTest(local);
        if (m_drag == None)
            return false;
        m_pressGlobal = e->globalPosition().toPoint();
        m_pressGeometry = m_control->geometry();
        return true;
    }
    case QEvent::MouseMove: {
        auto *e = static_cast<QMouseEvent *>(event);
        if (m_drag == None) {
            if (!Fixed && watched == m_control) {
                const int h = hitTest(e->position().toPoint());
                const bool diagonal = (h & (Left | Right)) && (h & (Top | Bottom));
                const bool falling = (h & Left && h & Top) || (h & Right && h & Bottom);
                const Qt::CursorShape shape = h == Move    ? Qt::SizeAllCursor
                                              : diagonal   ? (falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor)
                                              : h & (Left | Right) ? Qt::SizeHorCursor
                                              : h & Bottom ? Qt::SizeVerCursor
                                                           : Qt::ArrowCursor;
                if (shape == Qt::ArrowCursor)
                    m_control->unsetCursor();
                else
                    m_control->setCursor(shape);
            }
            return false;
        }
        const QPoint d = e->globalPosition().toPoint() - m_pressGlobal;
        QRect g = m_pressGeometry;
        if (m_drag == Move) {
            g.moveTopLeft(g.topLeft() + d);
        } else {
            if (m_drag & Left)
                g.setLeft(std::min(g.left() + d.x(), g.right() - 2 * SizingBand));
            if (m_drag & Right)
                g.setRight(std::max(g.right() + d.x(), g.left() + 2 * SizingBand));
            if (m_drag & Top)
                g.setTop(std::min(g.top() + d.y(), g.bottom() - 2 * SizingBand));
            if (m_drag & Bottom)
                g.setBottom(std::max(g.bottom() + d.y(), g.top() + 2 * SizingBand));
        }
        Positioning = true;
        m_control->setGeometry(g);
        Positioning = false;
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_drag == None)
            return false;
        m_drag = None;
        // Dropped: the cell under the new corner is the anchor from now on.
        Anchor();
        SetPosition();
        if (OnChanged)
            OnChanged();
        return true;
    case QEvent::Move:
        // A move the grid did not make (the host's own setGeometry): anchor where it went.
        if (watched == m_control && !Positioning && m_drag == None && !Fixed) {
            Anchor();
            if (OnChanged)
                OnChanged();
        }
        return false;
    default:
        return false;
    }
}

} // namespace qor
