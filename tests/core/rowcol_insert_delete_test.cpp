// Inserting, appending and deleting rows and columns: positions, sizes, template formatting,
// merged areas, formula references and the refusals of a grouped grid.
#include <gtest/gtest.h>

#include "message_recorder.h"
#include "rowcol_sheet.h"

using namespace qor;
using namespace qor::test;

using Lines = std::vector<std::string>;
using Shift = IFormulaHost::Shift;

TEST(RowInsert, InsertsBeforeTheRowAndMovesCellsDown)
{
    TQorGrid g;
    Fill(g, {"a b", "c d", "e f", "g h"});
    TCellInfo *c = g.Cells(1, 0);
    g.InsertRow(1, 2);
    ExpectConsistent(g);
    EXPECT_EQ(Sheet(g), (Lines{"a b . .", ". . . .", ". . . .", "c d . .", "e f . .", "g h . ."}));
    EXPECT_EQ(g.Cells(3, 0), c) << "cells move, they are not copied";
    EXPECT_EQ(c->GetRow(), 3);
}

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

TEST(RowInsert, AnAreaAcrossTheInsertionPointGrowsAndHorizontalMergesRepeat)
{
    // before          InsertRow(1)     after
    //  A < C <         ->              A < C <
    //  ^ ^ B <                         ^ ^ . <    new row: A grows, C's merge repeats
    //  . . . .                         ^ ^ B <
    //                                  . . . .
    TQorGrid g;
    g.SetRows(3);
    Fill(g, {"A . C", ". . B"});
    g.MergeCells(0, 0, 1, 1);
    g.MergeCells(0, 2, 0, 3);
    g.MergeCells(1, 2, 1, 3);
    g.InsertRow(1, 1);
    ExpectConsistent(g);
    EXPECT_EQ(Sheet(g), (Lines{"A < C <", "^ ^ . <", "^ ^ B <", ". . . ."}));
    EXPECT_EQ(g.MergedArea(0, 0), Area(0, 0, 2, 1));
    EXPECT_EQ(g.MergedArea(1, 2), Area(1, 2, 1, 3));
    // An area ending above the insertion point does not grow; one below it moves whole.
    g.InsertRow(3, 3);
    ExpectConsistent(g);
    EXPECT_EQ(g.MergedArea(0, 0), Area(0, 0, 2, 1));
    g.InsertRow(0, 1);
    EXPECT_EQ(g.MergedArea(1, 0), Area(1, 0, 3, 1));
    ExpectConsistent(g);
}

TEST(RowInsert, FormulaReferencesShiftButNotOnAppend)
{
    TQorGrid g;
    RecordingFormulas &f = RecordFormulas(g);
    g.InsertRow(2, 3);
    g.AppendRow(2);
    g.InsertCol(1, 1);
    g.AppendCol();
    using Call = RecordingFormulas::ShiftCall;
    EXPECT_EQ(f.shifts, (std::vector<Call>{{Shift::RowsInserted, 2, 3}, {Shift::ColsInserted, 1, 1}}));
    g.DeleteRow(4);
    g.DeleteCol(0);
    EXPECT_EQ(f.shifts.back(), (Call{Shift::ColsDeleted, 0, 1}));
    EXPECT_EQ(f.shifts[2], (Call{Shift::RowsDeleted, 4, 1}));
}

TEST(RowAppend, AddsAfterTheLastRowAndGrowsAreasCoveringIt)
{
    TQorGrid g;
    Fill(g, {".", ".", ".", "z"});
    g.Cells(3, 1)->SetBackColor(clBlue);
    g.MergeCells(2, 2, 3, 2);
    g.SetRowHeight(3, 40);
    g.AppendRow();
    g.AppendRow(2);
    ExpectConsistent(g);
    EXPECT_EQ(g.GetRows(), 7);
    EXPECT_EQ(Sheet(g)[3], "z . ^ .");
    EXPECT_EQ(g.GetRowHeight(6), 40);
    EXPECT_EQ(g.Cells(6, 1)->GetBackColor(), clBlue);
    EXPECT_EQ(g.MergedArea(2, 2), Area(2, 2, 6, 2));
}

TEST(ColInsert, NewColumnsAreFreshColumnsWithTheTemplateWidth)
{
    TQorGrid g;
    Fill(g, {"a b c d"});
    g.Columns(1)->SetName("Second");
    g.SetColWidth(1, 90);
    g.Cells(0, 1)->SetBackColor(clRed);
    g.InsertCol(2, 2);
    ExpectConsistent(g);
    EXPECT_EQ(Sheet(g)[0], "a b . . c d");
    EXPECT_EQ(g.GetColWidth(2), 90);
    EXPECT_EQ(g.Cells(0, 3)->GetBackColor(), clRed);
    EXPECT_EQ(g.ColumnByName("Second"), g.Columns(1));
    EXPECT_EQ(g.Columns(3)->GetName(), "");
}

TEST(ColInsert, HorizontalAreasAcrossTheInsertionPointWiden)
{
    TQorGrid g;
    Fill(g, {"A . . .", "B"});
    g.MergeCells(0, 0, 0, 2);
    g.MergeCells(1, 0, 2, 0);
    g.InsertCol(1, 1);
    ExpectConsistent(g);
    EXPECT_EQ(Sheet(g), (Lines{"A < < < .", "B . . . .", "^ ^ . . .", ". . . . ."})) << "B's vertical merge repeats";
    g.AppendCol(1);
    EXPECT_EQ(g.GetCols(), 6);
    ExpectConsistent(g);
}

TEST(RowDelete, RemovesTheRowAndFreesItsCellsButNeverTheLast)
{
    TQorGrid g;
    Fill(g, {"a", "b", "c", "d"});
    g.Cells(1, 0)->SetName("Gone");
    g.DeleteRow(1);
    ExpectConsistent(g);
    EXPECT_EQ(Sheet(g), (Lines{"a . . .", "c . . .", "d . . ."}));
    EXPECT_EQ(g.CellByName("Gone"), nullptr);
    g.DeleteRow(99);
    EXPECT_EQ(Sheet(g), (Lines{"a . . .", "c . . ."}));
    // A grid keeps its last row and its last column.
    g.SetRows(1);
    g.SetCellText(0, 0, "x");
    g.DeleteRow(0);
    EXPECT_EQ(g.GetRows(), 1);
    EXPECT_EQ(g.GetCellText(0, 0), "x");
    g.SetCols(1);
    g.DeleteCol(0);
    EXPECT_EQ(g.GetCols(), 1);
}

// The current cell is held as an index into the store: it must be re-derived when the
// column count changes, and follow its row otherwise.
TEST(RowDelete, CurrentCellKeepsItsPositionUnlessItsRowWentAway)
{
    TQorGrid g;
    GridPrivate::get(g).currentIndex = 2 * 4 + 3;
    g.InsertCol(0, 2);
    EXPECT_EQ(g.GetRow(), 2);
    EXPECT_EQ(g.GetCol(), 3);
    g.SetCols(4);
    GridPrivate::get(g).currentIndex = 1 * 4 + 2;
    g.DeleteRow(1);
    EXPECT_EQ(g.GetRow(), 1);
    GridPrivate::get(g).currentIndex = 2 * 4 + 2;
    g.DeleteRow(2);
    EXPECT_EQ(g.GetRow(), 1);
    EXPECT_EQ(g.GetCol(), 2);
    GridPrivate::get(g).currentIndex = 1 * 4 + 0;
    g.DeleteRow(0);
    EXPECT_EQ(g.GetRow(), 0) << "the current cell follows its row up";
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

TEST(ColDelete, AreasFollowTheColumns)
{
    TQorGrid g;
    g.SetCols(6);
    Fill(g, {"a b c d e f"});
    g.MergeCells(0, 1, 1, 3);
    g.DeleteCol(2);
    ExpectConsistent(g);
    EXPECT_EQ(Sheet(g)[0], "a b < e f");
    g.DeleteCol(1);
    ExpectConsistent(g);
    EXPECT_EQ(Sheet(g), (Lines{"a d e f", ". ^ . .", ". . . .", ". . . ."})) << "the covered text of d shows again";
    EXPECT_EQ(g.MergedArea(0, 1), Area(0, 1, 1, 1));
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
