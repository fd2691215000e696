// Keys on a shown grid: Tab chains, arrows over merges and hidden lines, Shift-extension,
// Enter directions, appending, inserting and deleting rows, Delete and select-all.
#include <gtest/gtest.h>

#include "core/grid_p.h"
#include "message_recorder.h"
#include "nav_fixture.h"

using namespace qor;
using qor::test::NavGrid;

TEST(NavigationKeys, TabFollowsTabNextCellsAndStopsAtTheRowEndWithoutWrapping)
{
    NavGrid t(8, 4);
    TQorGrid &g = t.g;
    g.SetFocusCell(0, 0);
    g.Cells(0, 0)->SetTabNextRow(5);
    g.Cells(0, 0)->SetTabNextCol(0);
    EXPECT_EQ(t.press(Qt::Key_Tab), QPoint(0, 5));

    // A fixed target falls back to the next cell to the right.
    g.Cells(5, 0)->SetTabNextRow(7);
    g.Cells(5, 0)->SetTabNextCol(2);
    g.Cells(7, 2)->SetFixCell(true);
    EXPECT_EQ(t.press(Qt::Key_Tab), QPoint(1, 5));
    EXPECT_EQ(t.press(Qt::Key_Tab, Qt::ShiftModifier), QPoint(0, 5));

    g.SetFocusCell(2, 3);
    EXPECT_EQ(t.press(Qt::Key_Tab), QPoint(0, 3));   // wraps by default
    g.SetOptions(g.GetOptions().Without(qgoAutoNextRowCol));
    g.SetFocusCell(2, 3);
    EXPECT_EQ(t.press(Qt::Key_Tab), QPoint(3, 2));
    EXPECT_TRUE(g.IsLastTabCell());
}

TEST(NavigationKeys, DownOnTheLastRowInsertAndCtrlDeleteChangeRowsAsAllowed)
{
    NavGrid t(3, 2);
    TQorGrid &g = t.g;
    g.SetCellText(1, 0, "keep");
    g.SetFocusCell(2, 0);
    t.key(Qt::Key_Down);
    EXPECT_EQ(g.GetRows(), 4);
    EXPECT_EQ(t.current(), QPoint(0, 3));

    g.SetFocusCell(1, 0);
    t.key(Qt::Key_Insert);
    EXPECT_EQ(g.GetRows(), 5);
    EXPECT_EQ(g.GetCellText(2, 0), "keep");

    qor::test::MessageRecorder boxes(platform::IDCANCEL);
    g.SetFocusCell(2, 0);
    t.key(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("确定要删除这行数据？"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
    EXPECT_EQ(g.GetRows(), 5);
    boxes.setAnswer(platform::IDOK);
    t.key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(g.GetRows(), 4);
    EXPECT_EQ(g.GetCellText(2, 0), "");

    g.SetOptions(g.GetOptions().Without(qgoEditing));
    g.SetFocusCell(3, 0);
    t.key(Qt::Key_Down);
    t.key(Qt::Key_Insert);
    t.key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(g.GetRows(), 4);
    EXPECT_EQ(boxes.count(), 2);
}

TEST(NavigationKeys, EnterMovesByMoveDirEnterDeleteEmptiesOnlyEditableCellsAndCtrlASelectsAll)
{
    NavGrid t(4, 4);
    TQorGrid &g = t.g;
    g.SetFocusCell(1, 1);
    EXPECT_EQ(t.press(Qt::Key_Return), QPoint(1, 2));
    g.SetMoveDirEnter(mdRight);
    EXPECT_EQ(t.press(Qt::Key_Enter), QPoint(2, 2));
    g.SetMoveDirEnter(mdNone);
    EXPECT_EQ(t.press(Qt::Key_Return), QPoint(2, 2));

    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c)
            g.SetCellText(r, c, "x");
    g.Cells(1, 1)->SetReadOnly(true);
    g.Cells(1, 2)->SetFixCell(true);
    g.OnGetReadOnly = [](QObject *, int r, int c, bool &ro) { ro = ro || (r == 2 && c == 2); };
    g.SetFocusCell(0, 0);
    g.SelectCells(0, 0, 2, 2);
    t.key(Qt::Key_Delete);
    EXPECT_EQ(g.GetCellText(0, 0), "");
    EXPECT_EQ(g.GetCellText(1, 1), "x");
    EXPECT_EQ(g.GetCellText(1, 2), "x");
    EXPECT_EQ(g.GetCellText(2, 2), "x");
    EXPECT_EQ(g.GetCellText(3, 3), "x");

    t.key(Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(g.GetSelRect(), QRect(0, 0, 4, 4));
    g.SetFocusCell(3, 3);
    EXPECT_FALSE(g.IsSelectionActive());
    t.key(Qt::Key_Delete);
    EXPECT_EQ(g.GetCellText(3, 3), "");
}

TEST(NavigationKeys, SpaceTogglesACheckBoxAndUpDownWalkRadioItems)
{
    NavGrid t(4, 2);
    TQorGrid &g = t.g;
    g.Cells(0, 0)->SetCellType(ctCheckBox);
    g.SetFocusCell(0, 0);
    t.key(Qt::Key_Space);
    EXPECT_TRUE(g.GetCellChecked(0, 0));

    TCellInfo *radio = g.Cells(1, 0);
    radio->SetCellType(ctRadioButton);
    radio->Items().Add("a");
    radio->Items().Add("b");
    radio->SetItemIndex(0);
    g.SetFocusCell(1, 0);
    t.key(Qt::Key_Down);
    EXPECT_EQ(radio->GetItemIndex(), 1);
    EXPECT_EQ(t.current(), QPoint(0, 1));
    t.key(Qt::Key_Down);   // past the last item the cell moves on
    EXPECT_EQ(t.current(), QPoint(0, 2));
}
