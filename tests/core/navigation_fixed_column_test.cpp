// A column set FixCell is never entered, whether or not its cells have objects yet: readers
// without a cell object are answered by the column.
#include <gtest/gtest.h>

#include "nav_fixture.h"

using namespace qor;
using qor::test::NavGrid;

TEST(NavigationFixedColumn, ArrowsAndTabPassItWithOrWithoutCellObjects)
{
    NavGrid n(4, 4);
    n.g.Columns(1)->SetFixCell(true);
    n.g.SetCellText(0, 1, QStringLiteral("has an object"));
    ASSERT_TRUE(n.g.PeekCell(0, 1));
    ASSERT_FALSE(n.g.PeekCell(2, 1));
    for (int row : {0, 2}) {
        ASSERT_TRUE(n.g.SetFocusCell(row, 0));
        n.key(Qt::Key_Right);
        EXPECT_EQ(n.current(), QPoint(2, row)) << "Right in row " << row;
        n.key(Qt::Key_Left);
        EXPECT_EQ(n.current(), QPoint(0, row)) << "Left in row " << row;
        n.key(Qt::Key_Tab);
        EXPECT_EQ(n.current(), QPoint(2, row)) << "Tab in row " << row;
        EXPECT_TRUE(n.g.CellReadOnly(row, 1)) << row;
        EXPECT_FALSE(n.g.CellCanEdit(row, 1)) << row;
    }
    EXPECT_FALSE(n.g.PeekCell(2, 1)) << "the predicates created a cell";
}

TEST(NavigationFixedColumn, DownOnARadioColumnWalksItsItemsWithoutACellObject)
{
    NavGrid n(4, 2);
    n.g.Columns(0)->SetCellType(ctRadioButton);
    n.g.Columns(0)->Items().Add(QStringLiteral("a"));
    n.g.Columns(0)->Items().Add(QStringLiteral("b"));
    ASSERT_FALSE(n.g.PeekCell(1, 0));
    ASSERT_TRUE(n.g.SetFocusCell(1, 0));
    n.key(Qt::Key_Down);
    ASSERT_TRUE(n.g.PeekCell(1, 0));
    EXPECT_EQ(n.g.Cells(1, 0)->GetItemIndex(), 0);
    EXPECT_EQ(n.current(), QPoint(0, 1));
    n.key(Qt::Key_Down);
    n.key(Qt::Key_Down);   // past the last item the cell moves on
    EXPECT_EQ(n.g.Cells(1, 0)->GetItemIndex(), 1);
    EXPECT_EQ(n.current(), QPoint(0, 2));
    EXPECT_FALSE(n.g.PeekCell(2, 0)) << "entering a radio position creates nothing";
}
