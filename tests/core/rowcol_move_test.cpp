// Moving blocks of rows and columns: what travels with them and what merged areas become.
#include <gtest/gtest.h>

#include "rowcol_sheet.h"

using namespace qor;
using namespace qor::test;

using Lines = std::vector<std::string>;

namespace {

std::vector<std::string> FirstColumn(TCustomQorGrid &g)
{
    std::vector<std::string> out;
    for (const std::string &line : Sheet(g))
        out.push_back(line.substr(0, line.find(' ')));
    return out;
}

} // namespace

TEST(RowMove, SamePlaceIsDoneInvalidMovesAreRefusedAndDragTargetsSkipTheDraggedArea)
{
    TQorGrid g;
    Fill(g, {"a", "b", "c", "d"});
    EXPECT_TRUE(g.MoveRow(2, 1, 2));
    EXPECT_FALSE(g.MoveRow(2, 3, 3)) << "block leaves the grid";
    EXPECT_FALSE(g.MoveRow(0, 3, 1)) << "target inside the block";
    EXPECT_FALSE(g.MoveRow(0, 0, 2));
    EXPECT_FALSE(g.MoveRow(-1, 1, 2));
    EXPECT_FALSE(g.MoveRow(1, 1, 4));
    EXPECT_EQ(FirstColumn(g), (Lines{"a", "b", "c", "d"}));

    // A drag's target is the row under the pointer outside the dragged area.
    g.SetRows(6);
    g.MergeCells(1, 0, 2, 0);
    const int h = g.GetDefaultRowHeight();
    EXPECT_EQ(g.MoveRowIndex(-5, 4, 0), 0);
    EXPECT_EQ(g.MoveRowIndex(3 * h + 1, 4, 0), 3);
    EXPECT_EQ(g.MoveRowIndex(100 * h, 4, 0), 5);
    EXPECT_EQ(g.MoveRowIndex(2 * h + 1, 1, 0), 1) << "inside the dragged area: its first row";
    EXPECT_EQ(g.MoveColIndex(g.GetColWidth(0) + 1, 0, 0), 1);
}

TEST(ColMove, ColumnsTravelWithTheirCellsNamesAndWidthsAndAreasFollowOrSplit)
{
    TQorGrid g;
    Fill(g, {"a b c d"});
    g.Columns(0)->SetName("First");
    g.SetColWidth(0, 90);
    int moved = -1;
    g.OnColMoved = [&](QObject *, int from) { moved = from; };
    EXPECT_TRUE(g.MoveCol(0, 1, 2));
    ExpectConsistent(g);
    EXPECT_EQ(Sheet(g)[0], "b c a d");
    EXPECT_EQ(g.ColumnByName("First"), g.Columns(2));
    EXPECT_EQ(g.GetColWidth(2), 90);
    EXPECT_EQ(moved, 0);

    // Horizontal areas follow or split.
    g.SetCols(5);
    Fill(g, {"A . C . E"});
    g.MergeCells(0, 0, 0, 1);
    g.MergeCells(0, 2, 1, 3);
    EXPECT_TRUE(g.MoveCol(2, 2, 0));
    ExpectConsistent(g);
    EXPECT_EQ(Sheet(g), (Lines{"C < A < E", "^ ^ . . .", ". . . . .", ". . . . ."}));
    EXPECT_TRUE(g.MoveCol(0, 1, 4)) << "the first column of C's area leaves it";
    ExpectConsistent(g);
    EXPECT_EQ(g.MergedArea(0, 0), Area(0, 0, 1, 0));
}
