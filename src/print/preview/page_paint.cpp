#include "print/preview/page_paint.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include "print/preview/preview_window.h"

namespace qor {

namespace {
const QColor DeskColor(0x80, 0x80, 0x80);
constexpr int Border = 10;
} // namespace

TPagePaint::TPagePaint(TfrmQorPreview &owner, QWidget *parent) : QWidget(parent), m_owner(owner)
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(40, 40);
}

void TPagePaint::SetPageNo(int Value)
{
    m_pageNo = Value;
    update();
}

void TPagePaint::SetPageSize(const QSize &Value)
{
    if (m_pageSize == Value)
        return;
    m_pageSize = Value;
    update();
}

void TPagePaint::SetOffset(const QPoint &Value)
{
    const QPoint delta = m_offset - Value;
    m_offset = Value;
    if (delta.isNull())
        return;
    // The backing store moves what is painted; only the strip that comes into view is drawn.
    if (isVisible())
        scroll(delta.x(), delta.y());
    else
        update();
}

QRect TPagePaint::PageRect() const
{
    // 10 pixels from the top left corner, or centred when the control has room to spare.
    const int x = m_pageSize.width() + 2 * Border > width() ? Border : (width() - m_pageSize.width()) / 2;
    const int y = m_pageSize.height() + 2 * Border > height() ? Border : (height() - m_pageSize.height()) / 2;
    return QRect(QPoint(x, y) - m_offset, m_pageSize);
}

QRect TPagePaint::PrintableRect() const { return m_owner.printableRect(PageRect()); }

void TPagePaint::SetMessage(const QString &Text)
{
    m_message = Text;
    update();
}

void TPagePaint::paintEvent(QPaintEvent *e)
{
    QPainter p(this);
    p.fillRect(e->rect(), DeskColor);
    if (m_pageNo < 1 || m_pageSize.isEmpty()) {
        if (!m_message.isEmpty()) {
            p.setPen(Qt::white);
            p.drawText(rect().adjusted(Border, Border, -Border, -Border), Qt::AlignCenter | Qt::TextWordWrap, m_message);
        }
        return;
    }
    const QRect page = PageRect();
    p.fillRect(page, Qt::white);
    p.save();
    p.setClipRect(page.adjusted(1, 1, -1, -1) & e->rect());
    const QString error = m_owner.drawPage(&p, PrintableRect());
    p.restore();
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(page.adjusted(0, 0, -1, -1));
    // The shadow: one pixel along the right and bottom edges.
    p.drawLine(page.right() + 1, page.top() + 1, page.right() + 1, page.bottom() + 1);
    p.drawLine(page.left() + 1, page.bottom() + 1, page.right() + 1, page.bottom() + 1);
    const QString shown = error.isEmpty() ? m_message : error;
    if (!shown.isEmpty()) {
        p.setPen(Qt::red);
        p.drawText(page.adjusted(Border, Border, -Border, -Border), Qt::AlignCenter | Qt::TextWordWrap, shown);
    }
}

void TPagePaint::resizeEvent(QResizeEvent *e)
{
    QWidget::resizeEvent(e);
    m_owner.pageResized();
}

void TPagePaint::mousePressEvent(QMouseEvent *e)
{
    setFocus(Qt::MouseFocusReason);
    if (m_owner.MagnifierButton()->isChecked() && e->button() == Qt::LeftButton) {
        m_owner.magnifierClick(e->position().toPoint());
        return;
    }
    m_dragging = true;
    m_dragStart = e->position().toPoint();
    m_dragOffset = QPoint(m_owner.HorzScrollBar()->value(), m_owner.VertScrollBar()->value());
    setCursor(Qt::ClosedHandCursor);
}

void TPagePaint::mouseMoveEvent(QMouseEvent *e)
{
    if (!m_dragging)
        return;
    // Against the pointer: the page follows the hand.
    const QPoint to = m_dragOffset + (m_dragStart - e->position().toPoint());
    m_owner.HorzScrollBar()->setValue(to.x());
    m_owner.VertScrollBar()->setValue(to.y());
}

void TPagePaint::mouseReleaseEvent(QMouseEvent *e)
{
    if (!m_dragging)
        return;
    mouseMoveEvent(e);
    m_dragging = false;
    if (m_owner.MagnifierButton()->isChecked())
        setCursor(m_owner.MagnifierZoomsOut() ? m_owner.ZoomOutCursor() : m_owner.ZoomInCursor());
    else
        unsetCursor();
}

void TPagePaint::wheelEvent(QWheelEvent *e)
{
    const int dy = e->angleDelta().y();
    if (dy != 0)
        m_owner.pageWheel(dy > 0);
    e->accept();
}

void TPagePaint::keyPressEvent(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_PageUp: case Qt::Key_PageDown: case Qt::Key_Up: case Qt::Key_Down:
    case Qt::Key_Left: case Qt::Key_Right: case Qt::Key_Home: case Qt::Key_End:
        m_owner.pageKey(e->key());
        e->accept();
        return;
    default:
        QWidget::keyPressEvent(e);
    }
}

} // namespace qor
