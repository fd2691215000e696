#pragma once
// The anchor of one object floating above the cells: its cell, its distance from that cell's
// top-left corner, and the mouse handling that lets a user move or size it and re-anchors it
// where it is dropped.
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include "platform/qor_global.h"


namespace qor {

class TCustomQorGrid;

class QOR_EXPORT TInnerControl : public QObject {
    Q_OBJECT

public:
    // Watches Control and its children; Row, Col -1 anchors by the control's position.
    TInnerControl(TCustomQorGrid *Grid, QWidget *Control, int Row, int Col, bool Fixed);
    ~TInnerControl() override;

    TCustomQorGrid *GetGrid() const { return m_grid; }
    // None once the host destroyed the control.
    QWidget *GetControl() const { return m_control; }

    int Row = -1, Col = -1;          // anchor cell; -1, -1 when the corner lies on no cell
    int OffsetX = 0, OffsetY = 0;    // from the anchor cell's corner to the control's
    bool Positioning = false;        // the grid moves the control: its move is not the user's
    bool Fixed = false;              // the user cannot move or size it

    // The control over its anchor cell, shown while it lies in the client area.
    void SetPosition();
    // The cell under the control's top-left corner becomes the anchor.
    void Anchor();
    // Places the control's corner at client point p (its size kept) and anchors it there.
    void MoveTo(const QPoint &p);
    // Lines index .. index + count - 1 of the grid were inserted or deleted.
    void LinesChanged(bool rows, int index, int count, bool inserted);

    // A double click on the control (an empty embedded document asks for its content).
    std::function<void()> OnDoubleClick;
    // The user moved or sized the control.
    std::function<void()> OnChanged;

    // The width of the band along the border that moves (top) or sizes (the others).
    static constexpr int SizingBand = 5;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    enum Drag : uint8_t { None = 0, Left = 1, Top = 2, Right = 4, Bottom = 8, Move = 16 };
    int hitTest(const QPoint &p) const;
    void watch(QObject *o);
    void unwatch(QObject *o);

    TCustomQorGrid *m_grid;
    QPointer<QWidget> m_control;
    int m_drag = None;
    QPoint m_pressGlobal;
    QRect m_pressGeometry;
};

} // namespace qor
