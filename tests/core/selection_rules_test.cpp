// Selection normalisation, read-only resolution, which cells may be entered and the searches
// for the next one, and the events of entering a cell.
#include <gtest/gtest.h>

#include "core/grid.h"
#include "core/grid_p.h"
#include "core/edit/selection_p.h"
#include "nav_fixture.h"

using namespace qor;
using qor::test::NavGrid;

namespace {

QRect cells(int row1, int col1, int row2, int col2) { return QRect(QPoint(col1, row1), QPoint(col2, row2)); }

} // namespace

TEST(SelectionRules, ReadOnlyAndEditability)
{
    TQorGrid g;
    g.SetCols(4);
    g.SetRows(4);
    EXPECT_TRUE(g.CellCanEdit(0, 0));
    EXPECT_FALSE(g.CellCanEdit(4, 0));
    EXPECT_FALSE(g.PeekCell(0, 0));   // asking creates nothing

    g.Columns(1)->SetReadOnly(true);
    EXPECT_TRUE(g.InternalCellReadOnly(2, 1));
    g.OnGetReadOnly = [](QObject *, int row, int col, bool &ro) { if (col == 1) ro = row == 3; else if (col == 2) ro = true; };
    EXPECT_FALSE(g.CellCanEdit(2, 2));   // the event's answer is final
    EXPECT_TRUE(g.CellCanEdit(2, 1));
    g.OnGetReadOnly = nullptr;

    g.Cells(0, 3)->SetCellType(ctCheckBox);
    g.Cells(1, 3)->SetCellType(ctRadioButton);
    g.Cells(2, 3)->SetCellType(ctHyperLink);
    g.Cells(3, 3)->SetCellType(ctSpinEdit);
    EXPECT_FALSE(g.CellCanEdit(0, 3));
    EXPECT_FALSE(g.CellCanEdit(1, 3));
    EXPECT_FALSE(g.CellCanEdit(2, 3));
    EXPECT_TRUE(g.CellCanEdit(3, 3));

    // A fixed owner makes its whole area read-only; editing off makes everything read-only.
    g.MergeCells(2, 0, 3, 0);
    g.Cells(2, 0)->SetFixCell(true);
    EXPECT_TRUE(g.CellReadOnly(3, 0));
    EXPECT_FALSE(g.InternalCellReadOnly(3, 0));
    EXPECT_FALSE(g.CellCanEdit(3, 0));
    g.SetOptions(g.GetOptions().Without(qgoEditing));
    EXPECT_TRUE(g.InternalCellReadOnly(0, 0));
    EXPECT_FALSE(g.CellCanEdit(3, 3));
}

TEST(SelectionRules, SearchesSkipMergesHiddenAndFixedCellsAndWrapOnlyWhenAsked)
{
    TQorGrid g;
    g.SetCols(6);
    g.SetRows(4);
    g.MergeCells(0, 0, 0, 2);
    g.SetColVisible(4, false);
    g.Cells(1, 1)->SetFixCell(true);
    int r = 0, c = 0;
    ASSERT_TRUE(g.FindRightEnterCell(r, c));
    EXPECT_EQ(QPoint(c, r), QPoint(3, 0));   // past the 1 x 3 area
    ASSERT_TRUE(g.FindRightEnterCell(r, c));
    EXPECT_EQ(QPoint(c, r), QPoint(5, 0));   // the hidden column is skipped

    // Off the row's end: the next row from its start, or nothing at all.
    ASSERT_TRUE(g.FindRightEnterCell(r, c));
    EXPECT_EQ(QPoint(c, r), QPoint(0, 1));
    ASSERT_TRUE(g.FindRightEnterCell(r, c));
    EXPECT_EQ(QPoint(c, r), QPoint(2, 1));   // the fixed cell is skipped
    g.SetOptions(g.GetOptions().Without(qgoAutoNextRowCol));
    r = 0, c = 5;
    EXPECT_FALSE(g.FindRightEnterCell(r, c));
    EXPECT_EQ(QPoint(c, r), QPoint(5, 0));
    g.SetOptions(g.GetOptions().With(qgoAutoNextRowCol));

    r = 1, c = 0;
    ASSERT_TRUE(g.FindLeftEnterCell(r, c));
    EXPECT_EQ(QPoint(c, r), QPoint(5, 0));
    r = 3, c = 5;
    EXPECT_FALSE(g.FindRightEnterCell(r, c));   // the last cell

    g.SetRowVisible(2, false);
    r = 1, c = 3;
    ASSERT_TRUE(g.FindBottomEnterCell(r, c));
    EXPECT_EQ(QPoint(c, r), QPoint(3, 3));
    r = 1, c = 1;
    ASSERT_TRUE(g.FindTopEnterCell(r, c));
    EXPECT_EQ(QPoint(c, r), QPoint(0, 0));   // the covered cell above belongs to (0, 0)
}

TEST(SelectionRules, EnteringRaisesEventsInOrderAndRefusalsChangeNothing)
{
    NavGrid t(5, 5);
    TQorGrid &g = t.g;
    g.MergeCells(2, 2, 3, 3);
    t.recordEvents();
    ASSERT_TRUE(g.SetFocusCell(1, 1));
    ASSERT_TRUE(g.SetFocusCell(3, 3));   // a covered cell: its owner becomes current
    EXPECT_EQ(t.current(), QPoint(2, 2));
    EXPECT_EQ(t.log, (std::vector<std::string>{"B 1,1", "A 1,1", "L 1,1", "B 2,2", "A 2,2"}));

    t.log.clear();
    g.OnBeforeEnterCell = [](QObject *, int, int, bool &ok) { ok = false; };
    EXPECT_FALSE(g.SetFocusCell(0, 0));
    EXPECT_EQ(t.current(), QPoint(2, 2));
    EXPECT_EQ(t.log, (std::vector<std::string>{"L 2,2"}));
    EXPECT_FALSE(g.CellCanSetFocus(0, true));
    EXPECT_TRUE(g.CellCanSetFocus(0, false));

    g.OnBeforeEnterCell = nullptr;
    g.SetColVisible(4, false);
    EXPECT_FALSE(g.SetFocusCell(0, 4));
    EXPECT_FALSE(g.SetFocusCell(-1, 0));
    EXPECT_FALSE(g.SetFocusCell(0, 5));
    EXPECT_EQ(t.current(), QPoint(2, 2));

    // Row selection makes the entered row the selection.
    g.SetOptions(g.GetOptions().With(qgoRowSelect));
    ASSERT_TRUE(g.SetFocusCell(4, 1));
    EXPECT_EQ(g.GetSelRect(), cells(4, 0, 4, 4));
}
