// Moving rows and columns by dragging their header cells on a shown grid.
#include <gtest/gtest.h>

#include <QScrollBar>
#include "core/edit/grid_drag_move_p.h"
#include "message_recorder.h"
#include "nav_fixture.h"
#include "paint_fixture.h"
#include "rowcol_sheet.h"

using namespace qor;
using namespace qor::test;

namespace {

void moveTo(TQorGrid &g, QPoint p)
{
    QMouseEvent move(QEvent::MouseMove, QPointF(p), g.viewport()->mapToGlobal(QPointF(p)), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(g.viewport(), &move);
}

// Presses at from, moves through the points and, unless told not to, lets go at the last.
void drag(TQorGrid &g, QPoint from, std::initializer_list<QPoint> path, bool release = true)
{
    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, from);
    QPoint last = from;
    for (QPoint p : path)
        moveTo(g, last = p);
    if (release)
        QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, last);
}

struct MovingGrid : NavGrid {
    int rowMoved = -1, colMoved = -1, rowClicked = -1, colClicked = -1;
    MovingGrid(int rows, int cols) : NavGrid(rows, cols, gtExcel)
    {
        g.SetOptions(g.GetOptions().With(qgoRowMoving).With(qgoColMoving));
        g.OnRowMoved = [this](QObject *, int i) { rowMoved = i; };
        g.OnColMoved = [this](QObject *, int i) { colMoved = i; };
        g.OnClickRowTitle = [this](QObject *, int i) { rowClicked = i; };
        g.OnClickColumnTitle = [this](QObject *, int i) { colClicked = i; };
    }
    QPoint rowTitle(int row) const { return g.GetRowTitleRect(row).center(); }
    QPoint colTitle(int col) const { return g.GetColTitleRect(col).center(); }
    const DragMoveState &state() { return GridPrivate::get(g).dragMove->State(); }
};

} // namespace

TEST(MouseDragMove, ColumnDragAndASelectedBlockTravelTogether)
{
    MovingGrid t(4, 5);
    TQorGrid &g = t.g;
    Fill(g, {"a b c d e"});
    g.SetColWidth(0, 80);
    drag(g, t.colTitle(0), {t.colTitle(1), t.colTitle(2)});
    EXPECT_EQ(t.colMoved, 0);
    EXPECT_EQ(Sheet(g)[0], "b c a d e");
    EXPECT_EQ(g.GetColWidth(2), 80);

    // Two selected columns go as one block, and stay selected where they land.
    g.SelectCells(0, 3, 3, 4);
    drag(g, t.colTitle(4), {t.colTitle(2), t.colTitle(0)});
    EXPECT_EQ(Sheet(g)[0], "d e b c a");
    EXPECT_EQ(g.GetSelRect(), QRect(0, 0, 2, 4));
    ExpectConsistent(g);
}

TEST(MouseDragMove, TheIndicatorIsPaintedWhileDraggingEscCancelsADropInPlaceDoesNothing)
{
    MovingGrid t(6, 3);
    TQorGrid &g = t.g;
    Fill(g, {"a", "b", "c", "d"});
    g.SetFocusColor(TColor(0x00B000));
    auto paint = [&g] {
        QImage shot(g.viewport()->size(), QImage::Format_RGB32);
        QPainter p(&shot);
        g.Paint(&p);
        return shot;
    };
    drag(g, t.rowTitle(0), {t.rowTitle(1), t.rowTitle(3)}, false);
    ASSERT_TRUE(t.state().dragging);
    const QRect line = GridPrivate::get(g).dragMove->Indicator();
    ASSERT_FALSE(line.isEmpty());
    const int x = g.GetCellRect(3, 1).center().x();
    const QImage during = paint();
    EXPECT_EQ(pixelColor(during, x, line.center().y()), TColor(0x00B000));
    EXPECT_EQ(pixelColor(during, t.rowTitle(3).x(), line.center().y()), TColor(0x00B000)) << "across the header too";
    t.key(Qt::Key_Escape);
    EXPECT_NE(pixelColor(paint(), x, line.center().y()), TColor(0x00B000));
    EXPECT_FALSE(GridPrivate::get(g).dragMove->Busy());
    EXPECT_TRUE(GridPrivate::get(g).dragMove->Indicator().isEmpty());
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, t.rowTitle(3));
    EXPECT_EQ(t.rowMoved, -1);
    EXPECT_EQ(t.rowClicked, -1) << "a cancelled drag is no click either";
    EXPECT_EQ(g.GetCellText(0, 0), "a");

    // Dragged about and brought back over its own row: no move, no event.
    const QRect own = g.GetRowTitleRect(2);
    drag(g, own.center(), {t.rowTitle(4), QPoint(own.center().x(), own.top() + 1)});
    EXPECT_EQ(t.rowMoved, -1);
    EXPECT_EQ(Sheet(g)[2], "c . .");

    // Esc without a drag or an editor brings the current cell back into view.
    g.SetRows(60);
    t.click(1, 1);
    g.SetPosition(0, 500);
    t.key(Qt::Key_Escape);
    EXPECT_LE(g.GetVertPosition(), g.GetDefaultRowHeight());
}

TEST(MouseDragMove, AClickWithoutMovementIsStillATitleClick)
{
    MovingGrid t(5, 4);
    TQorGrid &g = t.g;
    t.click(t.rowTitle(3));
    EXPECT_EQ(t.rowClicked, 3);
    EXPECT_EQ(g.GetSelRect(), QRect(0, 3, 4, 1));
    t.click(t.colTitle(1));
    EXPECT_EQ(t.colClicked, 1);
    EXPECT_EQ(g.GetSelRect(), QRect(1, 0, 1, 5));
    EXPECT_EQ(t.rowMoved, -1);
    EXPECT_EQ(t.colMoved, -1);

    // Without the option a header press neither arms a move nor waits for the release.
    g.SetOptions(g.GetOptions().Without(qgoRowMoving));
    drag(g, t.rowTitle(0), {t.rowTitle(2)}, false);
    EXPECT_EQ(t.rowClicked, 0);
    EXPECT_FALSE(GridPrivate::get(g).dragMove->Busy());
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, t.rowTitle(2));
    EXPECT_EQ(t.rowMoved, -1);
}

TEST(MouseDragMove, GroupedGridRefusesTheDrop)
{
    MovingGrid t(5, 3);
    TQorGrid &g = t.g;
    Fill(g, {"a", "b", "c"});
    GridPrivate::get(g).seams.dataOps = std::make_unique<GroupedGrid>();
    MessageRecorder boxes;
    drag(g, t.rowTitle(0), {t.rowTitle(1), t.rowTitle(2)});
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "Can not move row on a grouped grid");
    EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
    drag(g, t.colTitle(0), {t.colTitle(1), t.colTitle(2)});
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.last().text, "Can not move column on a grouped grid");
    EXPECT_EQ(Sheet(g)[0], "a . .");
    EXPECT_EQ(t.rowMoved, -1);
    EXPECT_EQ(t.colMoved, -1);
}

TEST(MouseDragMove, NearTheEdgeTheSheetScrollsUnderTheDrag)
{
    MovingGrid t(100, 3);
    TQorGrid &g = t.g;
    g.SetCellText(1, 0, "x");
    const QPoint bottom(t.rowTitle(0).x(), g.viewport()->height() - 2);
    drag(g, t.rowTitle(1), {t.rowTitle(3), bottom}, false);
    const int before = t.state().target;
    HeaderDragMove &move = *GridPrivate::get(g).dragMove;
    EXPECT_TRUE(move.AutoScrollStep());
    EXPECT_TRUE(move.AutoScrollStep());
    EXPECT_GT(g.GetVertPosition(), 0);
    EXPECT_GT(t.state().target, before) << "the row under the pointer changed with the scroll";
    const int target = t.state().target;
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, bottom);
    EXPECT_EQ(t.rowMoved, 1);
    EXPECT_EQ(g.GetCellText(target, 0), "x");

    // In the middle of the view nothing scrolls.
    drag(g, t.rowTitle(g.GetTopRow() + 2), {t.rowTitle(g.GetTopRow() + 5)}, false);
    const int position = g.GetVertPosition();
    EXPECT_FALSE(move.AutoScrollStep());
    EXPECT_EQ(g.GetVertPosition(), position);
    t.key(Qt::Key_Escape);
}
