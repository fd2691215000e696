#pragma once
// Scrolling of the grid: pixel scroll ranges and positions kept in step with the widget's
// scroll bars, line and page steps measured in rows and columns, thumb tracking, the mouse
// wheel, and the view region recomputed after every change.
#include <QObject>
#include <QPoint>
#include "platform/qor_global.h"

class QScrollBar;
class QWheelEvent;

namespace qor {

struct GridPrivate;

class QOR_AUTOTEST_EXPORT GridScroller final : public QObject {
public:
    explicit GridScroller(GridPrivate &d);

    // Sizes, counts, type or client size changed: zoom tables, ranges and region follow.
    void LayoutChanged();
    // Ranges from the sheet and the client size; the positions are re-applied, clamped.
    void UpdateScrollRange();
    // Recomputes the view region; OnLeftTopChange when the first row or column changed.
    void CalViewRegion();
    // Scrolls to the positions (clamped to the ranges); true when anything moved.
    bool SetPosition(int x, int y);
    int HorzRange() const { return m_range[0]; }
    int VertRange() const { return m_range[1]; }
    bool ShowCell(int row, int col);
    void SetTopRow(int row);
    void SetLeftCol(int col);
    // Steps of a scroll-bar action, from the current position; 0 for other actions.
    int ActionStep(bool vertical, int action) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QScrollBar *bar(bool vertical) const;
    void barMoved();
    void repaintScrolled(int dx, int dy);
    bool pixelsMove() const;
    bool crossesFrozen(bool vertical, int fixed) const;
    void barAction(bool vertical, int action);
    bool wheel(QWheelEvent *event);
    int wheelDistance(bool vertical, int notches) const;

    GridPrivate &d;
    int m_range[2] = {0, 0};   // horizontal, vertical
    bool m_updating = false;   // guards against re-entrant range and scroll handling
    bool m_again = false;
    QPoint m_wheelRest;        // eighths of a degree not yet worth a whole notch
};

} // namespace qor
