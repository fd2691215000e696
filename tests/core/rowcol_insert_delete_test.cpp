// Inserting, appending and deleting rows and columns: positions, sizes, template formatting,
// merged areas, formula references and the refusals of a grouped grid.
#include <gtest/gtest.h>

#include "message_recorder.h"
#include "rowcol_sheet.h"

using namespace qor;
using namespace qor::test;

using Lines = std::vector<std::string>;
using Shift = IFormulaHost::Shift;

TEST(RowInsert, PositionIsClampedAndCountsBeyondAnIntAreRefused)
{
    TQorGrid g;
    g.SetRows(3);
    Fill(g, {"a", "b", "c"});
    g.InsertRow(5, 1);
    EXPECT_EQ(Sheet(g), (Lines{"a . . .", "b . . .", ". . . .", "c . . ."}));
    g.InsertRow(-4, 1);
    EXPECT_EQ(Sheet(g)[1], "a . . .");
    g.InsertRow(0, 0);
    EXPECT_EQ(g.GetRows(), 5);
    ExpectConsistent(g);
    // Rows beyond what an int can count are refused.
    g.SetCols(1);
    MessageRecorder boxes;
    g.InsertRow(0, INT_MAX);
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_EQ(g.GetRows(), 5);
    ExpectConsistent(g);
}

TEST(RowInsert, NewRowsTakeTheHeightAndFormattingAboveButNotItsText)
{
    TQorGrid g;
    g.SetRowHeight(1, 30);
    g.InsertRow(2, 1);
    EXPECT_EQ(g.GetRowHeight(2), 30);
    g.SetRowHeight(0, 1);
    g.InsertRow(1, 1);
    EXPECT_EQ(g.GetRowHeight(1), g.GetDefaultRowHeight());
    g.SetRowHeight(0, 25);
    g.InsertRow(0, 1);
    EXPECT_EQ(g.GetRowHeight(0), 25) << "at row 0 the first row lends its height";
    EXPECT_EQ(g.GetRowRec(g.GetRows() - 1).Bottom, int(GridPrivate::get(g).rowAxis.Total()));
    ExpectConsistent(g);

    g.SetRows(4);
    g.SetCellText(1, 0, "x");
    g.Cells(1, 0)->SetBackColor(clRed);
    g.Cells(1, 1)->SetAlignment(taRightJustify);
    g.InsertRow(2, 2);
    for (int r : {2, 3}) {
        ASSERT_TRUE(g.PeekCell(r, 0));
        EXPECT_EQ(g.Cells(r, 0)->GetBackColor(), clRed);
        EXPECT_EQ(g.GetCellText(r, 0), "");
        EXPECT_EQ(g.Cells(r, 1)->GetAlignment(), taRightJustify);
    }
    g.InsertRow(0, 1);
    EXPECT_EQ(g.GetCellText(0, 0), "") << "at row 0 the template is the row below";
    ExpectConsistent(g);
}

TEST(RowDelete, TheFirstRowOfAnAreaHandsItToTheRowBelowAMiddleRowShrinksIt)
{
    // (0,0)-(2,1) loses row 0: the cell that was at (1,0) owns (0,0)-(1,1).
    TQorGrid g;
    Fill(g, {"A", "B"});
    g.MergeCells(0, 0, 2, 1);
    TCellInfo *heir = g.Cells(1, 0);
    g.DeleteRow(0);
    ExpectConsistent(g);
    EXPECT_EQ(g.Cells(0, 0), heir);
    EXPECT_EQ(g.MergedArea(0, 0), Area(0, 0, 1, 1));
    EXPECT_EQ(Sheet(g), (Lines{"B < . .", "^ ^ . .", ". . . ."}));

    // Deleting a middle row shrinks the area.
    g.SetRows(4);
    g.MergeCells(0, 0, 2, 1);
    g.DeleteRow(1);
    ExpectConsistent(g);
    EXPECT_EQ(g.Cells(0, 0)->GetRows(), 2);
    EXPECT_EQ(g.MergedArea(1, 1), Area(0, 0, 1, 1));
    g.DeleteRow(1);
    ExpectConsistent(g);
    EXPECT_EQ(g.MergeCellList().size(), 1u) << "one row, two columns: still merged";
    EXPECT_EQ(g.MergedArea(0, 0), Area(0, 0, 0, 1));
}

TEST(GroupedGrid, RefusesInsertionAndDeletionWithAMessage)
{
    TQorGrid g;
    GridPrivate::get(g).seams.dataOps = std::make_unique<GroupedGrid>();
    MessageRecorder boxes;
    g.InsertRow(1, 1);
    g.AppendRow();
    g.DeleteRow(1);
    g.InsertCol(1, 1);
    g.DeleteCol(0);
    EXPECT_EQ(g.GetRows(), 4);
    EXPECT_EQ(g.GetCols(), 4);
    ASSERT_EQ(boxes.count(), 5);
    EXPECT_EQ(boxes.boxes()[0].text, "Can not insert row on a grouped grid");
    EXPECT_EQ(boxes.boxes()[2].text, "Can not delete row on a grouped grid");
    EXPECT_EQ(boxes.boxes()[3].text, "Can not insert column on a grouped grid");
    EXPECT_EQ(boxes.boxes()[4].text, "Can not delete column on a grouped grid");
    EXPECT_EQ(boxes.last().caption, "提示");
}
