// Merging cells: owners and covered cells, absorbing, clipping, the merge list and the checks
// that other operations run against merged areas.
#include <gtest/gtest.h>

#include "rowcol_sheet.h"

using namespace qor;
using namespace qor::test;

using Lines = std::vector<std::string>;

TEST(MergeCells, InvalidRequestsDoNothingAndExtentsAreClippedToTheGrid)
{
    TQorGrid g;
    g.MergeCells(1, 1, 1, 1);
    g.MergeCells(2, 2, 1, 1);
    g.MergeCells(-1, 0, 1, 1);
    g.MergeCells(0, 0, 4, 1);
    EXPECT_EQ(g.MergeCellList().size(), 0u);
    EXPECT_EQ(GridPrivate::get(g).cells.CellCount(), 0);
    TCellInfo *cell = g.Cells(1, 1);
    cell->SetRows(0);
    cell->SetCols(-3);
    EXPECT_EQ(cell->GetRows(), 1);
    EXPECT_EQ(cell->GetCols(), 1);
    ExpectConsistent(g);
    // Extents reaching beyond the sheet are clipped to it.
    g.SetRows(5);
    g.Cells(2, 0)->SetRows(8);
    ExpectConsistent(g);
    EXPECT_EQ(g.MergedArea(2, 0), Area(2, 0, 4, 0));
    g.Cells(0, 2)->SetCols(10);
    EXPECT_EQ(g.Cells(0, 2)->GetCols(), 2);
    ExpectConsistent(g);
}

TEST(MergeCells, MergingGrowsTheSelectionAndMovesTheCurrentCellIntoIt)
{
    TQorGrid g;
    g.MergeCells(0, 2, 1, 3);
    GridPrivate::get(g).selection = Area(1, 1, 1, 2);
    GridPrivate::get(g).currentIndex = 3 * 4 + 3;
    g.MergeSelection();
    ExpectConsistent(g);
    EXPECT_EQ(g.MergedArea(1, 1), Area(0, 1, 1, 3));
    EXPECT_EQ(GridPrivate::get(g).selection, Area(0, 1, 1, 3));
    EXPECT_EQ(g.GetRow(), 0);
    EXPECT_EQ(g.GetCol(), 1);
}

TEST(MergeList, AddsOnceForgetsFreedOwnersAndKeepsItsOrder)
{
    TQorGrid g;
    g.MergeCells(0, 0, 1, 1);
    TCellInfo *owner = g.Cells(0, 0);
    g.AddMergeCell(owner);
    EXPECT_EQ(g.MergeCellList().size(), 1u);
    g.DeleteMergeCell(owner);
    EXPECT_EQ(g.MergeCellList().size(), 0u);
    g.AddMergeCell(owner);
    g.SetRows(2); // frees every cell
    EXPECT_EQ(g.MergeCellList().size(), 0u);
    ExpectConsistent(g);
    // Many owners come and go without the list losing its order.
    g.SetRows(200);
    for (int r = 0; r < 200; r += 2)
        g.MergeCells(r, 0, r + 1, 0);
    for (int r = 0; r < 200; r += 4)
        g.Cells(r, 0)->SetRows(1);
    ExpectConsistent(g);
    const auto owners = g.MergeCellList();
    ASSERT_EQ(owners.size(), 50u);
    for (size_t i = 0; i < owners.size(); ++i)
        EXPECT_EQ(owners[i]->GetRow(), int(i) * 4 + 2);
}

TEST(MergeCalc, RebuildsMarksAndJoinsAreasThatCameToOverlap)
{
    TQorGrid g;
    g.SetRows(5);
    g.MergeCells(0, 0, 1, 1);
    g.MergeCells(3, 0, 4, 1);
    // A loader writes extents straight into the records: (2,0) now reaches into (3,0)-(4,1),
    // and a covered cell claims an extent of its own.
    g.Cells(1, 1)->GetRec()->Rows = 3;
    g.Cells(2, 0)->CheckNil()->Rows = 2;
    g.AddMergeCell(g.Cells(2, 0));
    g.CalMergeCell();
    ExpectConsistent(g);
    EXPECT_EQ(g.MergedArea(0, 0), Area(0, 0, 1, 1));
    EXPECT_EQ(g.MergedArea(2, 0), Area(2, 0, 4, 1));
}

TEST(MergeChecks, EqualCellRectTreatsAnAreaAsOneCell)
{
    TQorGrid g;
    g.MergeCells(1, 1, 2, 2);
    auto flat = [&](int r, int c) { return r * g.GetCols() + c; };
    EXPECT_TRUE(g.EqualCellRect(flat(1, 1), flat(2, 2)));
    EXPECT_TRUE(g.EqualCellRect(flat(2, 1), flat(1, 2)));
    EXPECT_FALSE(g.EqualCellRect(flat(0, 0), flat(1, 1)));
    EXPECT_TRUE(g.EqualCellRect(flat(3, 3), flat(3, 3)));
    EXPECT_FALSE(g.EqualCellRect(-1, flat(1, 1)));
    EXPECT_FALSE(g.EqualCellRect(flat(1, 1), 16));
}

TEST(MergeChecks, SortRangeMustNotCutUnevenAreas)
{
    TQorGrid g;
    g.SetRows(6);
    g.SetSortBeginRow(1);
    g.SetSortEndRow(4);
    g.MergeCells(1, 0, 2, 0);
    g.MergeCells(3, 0, 4, 0);
    EXPECT_FALSE(g.FindErrorMerge());
    g.Cells(3, 0)->SetRows(1);
    EXPECT_TRUE(g.FindErrorMerge()) << "row 3 is a single cell beside a two-row area";

    TQorGrid h;
    h.SetRows(6);
    h.SetSortBeginRow(1);
    h.SetSortEndRow(4);
    h.MergeCells(1, 0, 3, 0);
    EXPECT_TRUE(h.FindErrorMerge());
    h.Cells(1, 0)->SetRows(1);
    h.MergeCells(0, 1, 1, 1); // starts above the range and reaches into it
    EXPECT_TRUE(h.FindErrorMerge());
    h.Cells(0, 1)->SetRows(1);
    EXPECT_FALSE(h.FindErrorMerge());
    h.SetSortEndRow(-1);
    h.MergeCells(4, 2, 5, 2);
    EXPECT_TRUE(h.FindErrorMerge()) << "-1 ends the range at the last row";
}
