#include "core/view/scroll_p.h"

#include <QAbstractSlider>
#include <QApplication>
#include <QEvent>
#include <QRegion>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/cell.h"
#include "core/model/merge_table_p.h"
#include "core/view/grid_view_p.h"

namespace qor {

GridScroller::GridScroller(GridPrivate &d) : d(d)
{
    for (bool vertical : {false, true}) {
        QScrollBar *b = bar(vertical);
        b->setRange(0, 0);
        b->setSingleStep(vertical ? d.layout.defaultRowHeight : d.layout.defaultColWidth);
        connect(b, &QAbstractSlider::valueChanged, this, [this] { barMoved(); });
        connect(b, &QAbstractSlider::actionTriggered, this, [this, vertical](int action) { barAction(vertical, action); });
        // The tracking flags may change at any time; they matter from the next drag on.
        connect(b, &QAbstractSlider::sliderPressed, this, [this, b, vertical] {
            b->setTracking(vertical ? this->d.misc.vertScrollTracking : this->d.misc.horzScrollTracking);
        });
        b->setTracking(vertical ? d.misc.vertScrollTracking : d.misc.horzScrollTracking);
    }
    d.q->viewport()->installEventFilter(this);
}

QScrollBar *GridScroller::bar(bool vertical) const
{
    return vertical ? d.q->verticalScrollBar() : d.q->horizontalScrollBar();
}

void GridScroller::LayoutChanged()
{
    d.rowZoom.Invalidate();
    d.colZoom.Invalidate();
    UpdateScrollRange();
}

void GridScroller::UpdateScrollRange()
{
    if (m_updating) {
        m_again = true;
        return;
    }
    m_updating = true;
    // A bar that appears or disappears changes the client size: measure again, a few times
    // at most (two bars can each make the other necessary).
    for (int pass = 0; pass < 3; ++pass) {
        m_again = false;
        const QSize client = d.q->viewport()->size();
        d.scroll.clientWidth = client.width();
        d.scroll.clientHeight = client.height();
        const GridGeometry g = d.geometry();
        const QSize sheet = d.extent();
        m_range[0] = d.q->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ? 0 : g.HorzRange(sheet.width());
        m_range[1] = d.q->verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOff ? 0 : g.VertRange(sheet.height());
        for (bool vertical : {false, true}) {
            QScrollBar *b = bar(vertical);
            b->setPageStep(std::max(vertical ? client.height() : client.width(), 1));
            b->setSingleStep(std::max(vertical ? d.layout.defaultRowHeight : d.layout.defaultColWidth, 1));
            b->setRange(0, m_range[vertical ? 1 : 0]);
        }
        if (!m_again && d.q->viewport()->size() == client)
            break;
    }
    d.scroll.posX = std::clamp(d.scroll.posX, 0, m_range[0]);
    d.scroll.posY = std::clamp(d.scroll.posY, 0, m_range[1]);
    bar(false)->setValue(d.scroll.posX);
    bar(true)->setValue(d.scroll.posY);
    m_updating = false;
    CalViewRegion();
    // Sizes, zoom and client size move the cells: anchored objects follow.
    d.view->ReplaceEmbedded();
    d.repaintAll();
}

void GridScroller::CalViewRegion()
{
    const ViewRegion old = d.region;
    d.region = d.geometry().CalViewRegion();
    if ((old.topRow != d.region.topRow || old.leftCol != d.region.leftCol) && d.q->OnLeftTopChange)
        d.q->OnLeftTopChange(d.q);
}

bool GridScroller::SetPosition(int x, int y)
{
    x = std::clamp(x, 0, m_range[0]);
    y = std::clamp(y, 0, m_range[1]);
    if (x == d.scroll.posX && y == d.scroll.posY)
        return false;
    const int dx = d.scroll.posX - x, dy = d.scroll.posY - y;
    d.scroll.posX = x;
    d.scroll.posY = y;
    const bool guard = m_updating;
    m_updating = true;
    bar(false)->setValue(x);
    bar(true)->setValue(y);
    m_updating = guard;
    CalViewRegion();
    d.repositionEditor();
    d.view->ReplaceEmbedded();
    repaintScrolled(dx, dy);
    return true;
}

// What a scroll changes: below the frozen rows (with the row header) for a vertical move,
// right of the frozen columns (with the column header) for a horizontal one. A form has no
// fixed part: all of it. A move along one axis shifts the pixels already there and leaves
// only the uncovered band to paint.
void GridScroller::repaintScrolled(int dx, int dy)
{
    QWidget *viewport = d.q->viewport();
    if (d.locked() || !d.q->isVisible())
        return;
    if (d.layout.gridType == gtInvoice) {
        viewport->update();
        return;
    }
    const GridGeometry g = d.geometry();
    const QRect client = viewport->rect();
    const QRect below = client.adjusted(0, g.TopFixSpace(), 0, 0);
    const QRect right = client.adjusted(g.LeftFixSpace(), 0, 0, 0);
    // An area drawn across the frozen boundary changes on both sides of it.
    if ((dy && crossesFrozen(true, g.FixRows())) || (dx && crossesFrozen(false, g.FixCols()))) {
        viewport->update();
        return;
    }
    if (pixelsMove() && (dx == 0) != (dy == 0)) {
        const QRect moved = dy ? below : right;
        if (std::abs(dy ? dy : dx) < (dy ? moved.height() : moved.width())) {
            viewport->scroll(dx, dy, moved);
            return;
        }
    }
    QRegion band;
    if (dy)
        band += below;
    if (dx)
        band += right;
    viewport->update(band);
}

// Whether a merged area starts in the frozen rows (columns) and reaches past them.
bool GridScroller::crossesFrozen(bool vertical, int fixed) const
{
    if (fixed <= 0)
        return false;
    for (const TCellInfo *owner : d.merges->Owners()) {
        const int first = vertical ? owner->GetRow() : owner->GetCol();
        const int count = vertical ? owner->GetRows() : owner->GetCols();
        if (first < fixed && first + count > fixed)
            return true;
    }
    return false;
}

// Whether the scrolled part looks the same shifted: not under a picture fixed to the window,
// nor with the application's own background or foreground painting, which may depend on
// the position.
bool GridScroller::pixelsMove() const
{
    const TCustomQorGrid &q = *d.q;
    if (q.OnDrawGridBackground || q.OnDrawGridForeground || q.OnDrawTitle)
        return false;
    return q.GetBackGround().Image.isNull() || !q.GetLockBackGround();
}

// The user moved a bar (or Qt clamped it): follow unless a recomputation is running.
void GridScroller::barMoved()
{
    if (m_updating)
        return;
    SetPosition(bar(false)->value(), bar(true)->value());
}

int GridScroller::ActionStep(bool vertical, int action) const
{
    const GridGeometry g = d.geometry();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        return g.LineStep(vertical, true);
    case QAbstractSlider::SliderSingleStepSub:
        return -g.LineStep(vertical, false);
    case QAbstractSlider::SliderPageStepAdd:
        return g.PageStep(vertical, true);
    case QAbstractSlider::SliderPageStepSub:
        return -g.PageStep(vertical, false);
    default:
        return 0;
    }
}

// Lines and pages are rows and columns, not the bar's fixed steps: correct the slider before
// Qt applies its own step.
void GridScroller::barAction(bool vertical, int action)
{
    const int step = ActionStep(vertical, action);
    if (step == 0)
        return;
    const int pos = vertical ? d.scroll.posY : d.scroll.posX;
    bar(vertical)->setSliderPosition(std::clamp(pos + step, 0, m_range[vertical ? 1 : 0]));
}

bool GridScroller::ShowCell(int row, int col)
{
    if (!d.valid(row, col))
        return false;
    const GridGeometry g = d.geometry();
    return SetPosition(g.PositionToShowCol(row, col), g.PositionToShowRow(row, col));
}

void GridScroller::SetTopRow(int row)
{
    if (row < 0 || row >= d.rows)
        return;
    const GridGeometry g = d.geometry();
    if (row >= g.FixRows())
        d.commitEditor();
    SetPosition(d.scroll.posX, g.PositionForTopRow(row));
}

void GridScroller::SetLeftCol(int col)
{
    if (col < 0 || col >= d.cols)
        return;
    const GridGeometry g = d.geometry();
    if (col >= g.FixCols())
        d.commitEditor();
    SetPosition(g.PositionForLeftCol(col), d.scroll.posY);
}

bool GridScroller::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == d.q->viewport()) {
        if (event->type() == QEvent::Resize)
            UpdateScrollRange();
        else if (event->type() == QEvent::Wheel)
            return wheel(static_cast<QWheelEvent *>(event));
    }
    return QObject::eventFilter(watched, event);
}

// Pixels for a number of wheel notches: that many times the platform's lines per notch, each
// line one row (column) measured from the frozen boundary.
int GridScroller::wheelDistance(bool vertical, int notches) const
{
    const int lines = std::max(QApplication::wheelScrollLines(), 1) * std::abs(notches);
    const GridGeometry g = d.geometry();
    return notches < 0 ? g.LinesStep(vertical, true, lines) : -g.LinesStep(vertical, false, lines);
}

// A wheel turned towards the user (negative delta) scrolls down; Shift turns the wheel
// sideways. Touch pads that report pixels scroll by those pixels. An event that moves nothing
// is left to the scroll area (and so to the parents).
bool GridScroller::wheel(QWheelEvent *event)
{
    QPoint pixels = event->pixelDelta();
    QPoint angle = event->angleDelta();
    if (event->modifiers() & Qt::ShiftModifier) {
        // Some platforms turn the delta sideways themselves.
        if (angle.x() == 0)
            angle = QPoint(angle.y(), 0);
        if (pixels.x() == 0)
            pixels = QPoint(pixels.y(), 0);
    }
    int x = d.scroll.posX, y = d.scroll.posY;
    if (!pixels.isNull()) {
        x -= pixels.x();
        y -= pixels.y();
    } else {
        if ((m_wheelRest.x() != 0 && (m_wheelRest.x() > 0) != (angle.x() > 0)) || angle.x() == 0)
            m_wheelRest.setX(0);
        if ((m_wheelRest.y() != 0 && (m_wheelRest.y() > 0) != (angle.y() > 0)) || angle.y() == 0)
            m_wheelRest.setY(0);
        m_wheelRest += angle;
        const int notchesX = m_wheelRest.x() / QWheelEvent::DefaultDeltasPerStep;
        const int notchesY = m_wheelRest.y() / QWheelEvent::DefaultDeltasPerStep;
        m_wheelRest -= QPoint(notchesX, notchesY) * QWheelEvent::DefaultDeltasPerStep;
        if (notchesX != 0)
            x += wheelDistance(false, notchesX);
        if (notchesY != 0)
            y += wheelDistance(true, notchesY);
        if (notchesX == 0 && notchesY == 0 && !angle.isNull()) {
            event->accept();
            return true;   // part of a notch: wait for the rest
        }
    }
    if (!SetPosition(x, y))
        return false;
    event->accept();
    return true;
}

} // namespace qor
