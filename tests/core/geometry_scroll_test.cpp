// Scrolling a shown grid: ranges, bar steps, thumb tracking, SetTopRow and ShowCell, the
// mouse wheel, resizing, OnLeftTopChange and exact repaints.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPaintEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include "core/grid.h"
#include "core/grid_p.h"

using namespace qor;

namespace {

struct ShownGrid {
    TQorGrid g;
    ShownGrid(TGridType type, int rows, int cols, QSize size = QSize(400, 300))
    {
        // Bars always shown keep the client size fixed.
        g.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        g.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        g.SetGridType(type);
        g.SetRows(rows);
        g.SetCols(cols);
        g.resize(size);
        g.show();
        QApplication::processEvents();
    }
    int clientW() const { return g.viewport()->width(); }
    int clientH() const { return g.viewport()->height(); }
    QScrollBar *vbar() const { return g.verticalScrollBar(); }
    QScrollBar *hbar() const { return g.horizontalScrollBar(); }
    // Sends one wheel event to the viewport; true when the grid took it.
    bool wheel(QPoint angle, Qt::KeyboardModifiers mods = Qt::NoModifier, QPoint pixels = QPoint())
    {
        const QPointF pos(50, 50);
        QWheelEvent ev(pos, g.viewport()->mapToGlobal(pos), pixels, angle, Qt::NoButton, mods, Qt::NoScrollPhase,
                       false);
        QApplication::sendEvent(g.viewport(), &ev);
        return ev.isAccepted();
    }
};

} // namespace

TEST(GeometryScroll, BarStepsAndThumbTracking)
{
    ShownGrid s(gtExcel, 60, 40);
    // The thumb scrolls while dragged only with tracking on.
    s.vbar()->setSliderDown(true);
    s.vbar()->setSliderPosition(100);
    EXPECT_EQ(s.g.GetVertPosition(), 0);
    s.vbar()->setSliderDown(false);
    EXPECT_EQ(s.g.GetVertPosition(), 100);
    s.g.SetVertScrollTracking(true);
    s.vbar()->setSliderDown(true);
    s.vbar()->setSliderPosition(300);
    EXPECT_EQ(s.g.GetVertPosition(), 300);
    s.vbar()->setSliderDown(false);
    s.g.SetPosition(0, 0);
    s.vbar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(s.g.GetVertPosition(), 18 * 18);
    EXPECT_EQ(s.g.GetTopRow(), 18);
    s.vbar()->triggerAction(QAbstractSlider::SliderPageStepSub);
    EXPECT_EQ(s.g.GetVertPosition(), 0);
    s.hbar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(s.g.GetHorzPosition(), 18 * 60);
    EXPECT_EQ(s.g.GetLeftCol(), 18);
    // A line is the row at the boundary, skipping rows without height.
    s.g.SetRowHeight(0, 30);
    s.g.SetRowVisible(1, false);
    s.vbar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(s.g.GetVertPosition(), 30);
    EXPECT_EQ(s.g.GetTopRow(), 2);
    s.vbar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(s.g.GetVertPosition(), 0);
    // Frozen rows: the first step scrolls the first row below the band.
    s.g.SetFixRowCount(2);
    s.g.SetRowHeight(2, 25);
    s.vbar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(s.g.GetVertPosition(), 25);
    EXPECT_EQ(s.g.GetTopRow(), 3);
    EXPECT_EQ(s.g.GetCellRect(0, 0).y(), 20);
    EXPECT_EQ(s.g.GetCellRect(3, 0).y(), s.g.GetTopFixSpace());
}

TEST(GeometryScroll, SetTopRowAndShowCell)
{
    ShownGrid s(gtExcel, 200, 30);
    s.g.SetTopRow(10);
    EXPECT_EQ(s.g.GetVertPosition(), 180);
    EXPECT_EQ(s.g.GetTopRow(), 10);
    s.g.SetLeftCol(3);
    EXPECT_EQ(s.g.GetLeftCol(), 3);
    EXPECT_EQ(s.g.GetCellRect(0, 3).x(), 40);

    // Below the view: the cell becomes the last visible one, with the top row whole.
    s.g.SetRowHeight(60, 25);
    EXPECT_TRUE(s.g.ShowCell(60, 3));
    const QRect r = s.g.CellRect(60, 3);
    EXPECT_LE(r.y() + r.height(), s.clientH());
    EXPECT_GT(r.y() + r.height(), s.clientH() - 18);   // no more than one row short of the end
    EXPECT_EQ(s.g.GetCellRect(s.g.GetTopRow(), 0).y(), 20);
    EXPECT_FALSE(s.g.ShowCell(60, 3));
    // Above the view: its top meets the boundary.
    EXPECT_TRUE(s.g.ShowCell(20, 3));
    EXPECT_EQ(s.g.GetCellRect(20, 3).y(), 20);
    EXPECT_EQ(s.g.GetTopRow(), 20);
    // Columns likewise; invalid cells do nothing.
    EXPECT_TRUE(s.g.ShowCell(20, 25));
    const QRect c = s.g.CellRect(20, 25);
    EXPECT_LE(c.x() + c.width(), s.clientW());
    EXPECT_FALSE(s.g.ShowCell(-1, 0));
    EXPECT_FALSE(s.g.ShowCell(20, 30));
    // A merged area comes in whole.
    s.g.MergeCells(140, 0, 143, 1);
    EXPECT_TRUE(s.g.ShowCell(140, 0));
    const QRect area = s.g.CellRect(140, 0);
    EXPECT_EQ(area.height(), 4 * 18);
    EXPECT_LE(area.y() + area.height(), s.clientH());
    EXPECT_GE(area.y(), 20);

    // With frozen rows the boundary is the band's end; frozen rows never scroll.
    s.g.SetFixRowCount(3);
    s.g.SetTopRow(50);
    EXPECT_EQ(s.g.GetCellRect(50, 0).y(), s.g.GetTopFixSpace());
    EXPECT_FALSE(s.g.ShowCell(1, 0));
    EXPECT_TRUE(s.g.ShowCell(10, 0));
    EXPECT_EQ(s.g.GetCellRect(10, 0).y(), s.g.GetTopFixSpace());
}

TEST(GeometryScroll, ViewRegionFollowsResizeAndLeftTopChangeOnlyWhenTheFirstCellMoves)
{
    ShownGrid s(gtExcel, 100, 20);
    const int bottom = s.g.GetBottomRow(), right = s.g.GetRightCol();
    EXPECT_LT(s.g.GetCellRect(bottom, 0).y(), s.clientH());
    EXPECT_GE(s.g.GetCellRect(bottom, 0).y() + 18, s.clientH());
    s.g.resize(700, 600);
    QApplication::processEvents();
    EXPECT_GT(s.g.GetBottomRow(), bottom);
    EXPECT_GT(s.g.GetRightCol(), right);
    EXPECT_GE(s.g.GetCellRect(s.g.GetBottomRow(), 0).y() + 18, s.clientH());
    EXPECT_EQ(s.g.GetColumnHeaderRect().width(), s.clientW());
    int raised = 0;
    s.g.OnLeftTopChange = [&](QObject *sender) {
        EXPECT_EQ(sender, &s.g);
        ++raised;
    };
    s.g.SetPosition(0, 5);   // row 0 still at the boundary
    EXPECT_EQ(raised, 0);
    s.g.SetPosition(0, 18);
    EXPECT_EQ(raised, 1);
    s.g.SetPosition(70, 18);
    EXPECT_EQ(raised, 2);
    s.g.CalViewRegion();
    EXPECT_EQ(raised, 2);
}

TEST(GeometryScroll, WheelScrollsThreeRowsPerNotch)
{
    ShownGrid s(gtExcel, 200, 40);
    ASSERT_EQ(QApplication::wheelScrollLines(), 3);
    EXPECT_TRUE(s.wheel(QPoint(0, -120)));
    EXPECT_EQ(s.g.GetVertPosition(), 3 * 18);
    EXPECT_EQ(s.g.GetTopRow(), 3);
    EXPECT_TRUE(s.wheel(QPoint(0, -240)));
    EXPECT_EQ(s.g.GetVertPosition(), 9 * 18);
    EXPECT_TRUE(s.wheel(QPoint(0, 120)));
    EXPECT_EQ(s.g.GetVertPosition(), 6 * 18);
    // Shift turns the wheel sideways: three columns.
    EXPECT_TRUE(s.wheel(QPoint(0, -120), Qt::ShiftModifier));
    EXPECT_EQ(s.g.GetHorzPosition(), 3 * 60);
    EXPECT_EQ(s.g.GetVertPosition(), 6 * 18);
    // Fine wheels send parts of a notch; they add up.
    s.wheel(QPoint(0, -60));
    EXPECT_EQ(s.g.GetVertPosition(), 6 * 18);
    s.wheel(QPoint(0, -60));
    EXPECT_EQ(s.g.GetVertPosition(), 9 * 18);
    // Touch pads report pixels.
    EXPECT_TRUE(s.wheel(QPoint(0, -10), Qt::NoModifier, QPoint(0, -7)));
    EXPECT_EQ(s.g.GetVertPosition(), 9 * 18 + 7);
    // At the top nothing moves and the event is left to the parents.
    s.g.SetPosition(0, 0);
    EXPECT_FALSE(s.wheel(QPoint(0, 120)));
    EXPECT_EQ(s.g.GetVertPosition(), 0);
}

namespace {

// Collects the regions the viewport is asked to paint.
class PaintSpy : public QObject {
public:
    QRegion painted;
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Paint)
            painted += static_cast<QPaintEvent *>(e)->region();
        return false;
    }
};

} // namespace
