#pragma once
// The page control of the preview window: the grey desk with the page on it, white with a black
// outline and a shadow, the job page drawn inside its margins, moved by the scroll offsets.
// Keys, the wheel and the magnifier go to the window; dragging scrolls the page.
#include <QPoint>
#include <QSize>
#include <QWidget>
#include "platform/qor_global.h"

namespace qor {

class TfrmQorPreview;

class QOR_EXPORT TPagePaint : public QWidget {
    Q_OBJECT

public:
    explicit TPagePaint(TfrmQorPreview &owner, QWidget *parent = nullptr);

    int GetPageNo() const { return m_pageNo; }
    void SetPageNo(int Value);
    // The page in screen pixels at the window's zoom.
    QSize PageSize() const { return m_pageSize; }
    void SetPageSize(const QSize &Value);
    // The scroll offsets: the painted image moves by the difference.
    QPoint Offset() const { return m_offset; }
    void SetOffset(const QPoint &Value);
    // Where the page lies on the control now, and its printable part.
    QRect PageRect() const;
    QRect PrintableRect() const;
    // Shown on the desk when there is no page, or on the page when it cannot be drawn.
    void SetMessage(const QString &Text);
    QString Message() const { return m_message; }
    bool Dragging() const { return m_dragging; }

protected:
    void paintEvent(QPaintEvent *e) override;
    void resizeEvent(QResizeEvent *e) override;
    void mousePressEvent(QMouseEvent *e) override;
    void mouseMoveEvent(QMouseEvent *e) override;
    void mouseReleaseEvent(QMouseEvent *e) override;
    void wheelEvent(QWheelEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;

private:
    TfrmQorPreview &m_owner;
    int m_pageNo = 0;
    QSize m_pageSize;
    QPoint m_offset;
    QString m_message;
    // The drag: where it started and the scroll positions then.
    bool m_dragging = false;
    QPoint m_dragStart, m_dragOffset;
};

} // namespace qor
