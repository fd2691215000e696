// The grid object: dimensions, the cell store, refusals, batching.
#include <gtest/gtest.h>

#include <climits>
#include "core/grid.h"
#include "core/grid_p.h"
#include "message_recorder.h"
#include "rowcol_sheet.h"

using namespace qor;

namespace {

void expectConsistent(TCustomQorGrid &g)
{
    test::ExpectConsistent(g);
    EXPECT_EQ(GridPrivate::get(g).cells.Count(), g.GetRows() * g.GetCols());
}

} // namespace

// The size of a new grid follows from its default rows, columns, margins and spaces.
TEST(GridStore, NewGridIsSizedFromItsDefaults)
{
    TQorGrid g;
    EXPECT_EQ(GridPrivate::get(g).cells.Count(), 16);
    EXPECT_EQ(GridPrivate::get(g).cells.CellCount(), 0);
    EXPECT_EQ(g.GetOptions().Bits(), 0x35FFC1FCu);
    EXPECT_EQ(g.GetRow(), -1);
    EXPECT_EQ(g.GetCol(), -1);
    EXPECT_EQ(g.RealRows(), 4);
    // Cols x 60 + 4 + margins + spaces; Rows x 18 + 20 + margins + spaces.
    EXPECT_EQ(g.width(), 4 * 60 + 4 + 60 + 20);
    EXPECT_EQ(g.height(), 4 * 18 + 20 + 60 + 20);
    EXPECT_EQ(g.GetExtent(), QSize(240 + 60, 72 + 60));
    expectConsistent(g);
}

TEST(GridStore, OutOfRangePositionsNeverCrashNorCreateCells)
{
    TQorGrid g;
    const int bad[][2] = {{-1, 0}, {0, -1}, {4, 0}, {0, 4}, {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}};
    for (const auto &p : bad) {
        EXPECT_EQ(g.Cells(p[0], p[1]), nullptr);
        EXPECT_FALSE(g.PeekCell(p[0], p[1]));
        g.SetCellText(p[0], p[1], "x");
        EXPECT_EQ(g.GetCellText(p[0], p[1]), "");
        EXPECT_EQ(g.GetCellAlignment(p[0], p[1]), taLeftJustify);
        EXPECT_FALSE(g.GetCellChecked(p[0], p[1]));
        EXPECT_FALSE(g.GetCellReadOnly(p[0], p[1]));
        if (g.ErrorRow(p[0])) {
            EXPECT_EQ(g.GetRowHeight(p[0]), 0);
            EXPECT_EQ(g.GetRowRec(p[0]).Height, 0);
            g.SetRowState(p[0], true);
        }
    }
    EXPECT_EQ(GridPrivate::get(g).cells.Get(-1), nullptr);
    EXPECT_EQ(GridPrivate::get(g).cells.Get(16), nullptr);
    EXPECT_EQ(GridPrivate::get(g).cells.CellCount(), 0);
    expectConsistent(g);
    // Without columns there is no current cell and no valid position.
    g.SetCols(0);
    EXPECT_EQ(g.GetRow(), -1);
    EXPECT_EQ(g.GetCol(), -1);
    EXPECT_TRUE(g.ErrorRowCol(0, 0));
    EXPECT_TRUE(g.ErrorRow(0));
    EXPECT_EQ(g.Cells(0, 0), nullptr);
    EXPECT_EQ(g.Columns(0), nullptr);
    expectConsistent(g);
}

TEST(GridStore, ReadingUntouchedCellsCreatesNoneAndCellsAreCreatedOnceOnDemand)
{
    TQorGrid g;
    g.Columns(1)->SetAlignment(taRightJustify);
    g.Columns(1)->SetBackColor(clYellow);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            EXPECT_EQ(g.GetCellText(r, c), "");
            EXPECT_EQ(g.GetCellAlignment(r, c), c == 1 ? taRightJustify : taLeftJustify);
            EXPECT_EQ(g.GetCellBackColor(r, c), c == 1 ? clYellow : clWhite);
            EXPECT_EQ(g.GetCellType(r, c), ctEdit);
            g.CellLeftLine(r, c);
            g.GetCellDrawColor(r, c);
        }
    // Writing an empty text into an untouched cell stores nothing either.
    g.SetCellText(2, 2, QString());
    EXPECT_EQ(GridPrivate::get(g).cells.CellCount(), 0);

    EXPECT_FALSE(g.PeekCell(1, 2));
    TCellInfo *c = g.Cells(1, 2);
    ASSERT_NE(c, nullptr);
    EXPECT_TRUE(g.PeekCell(1, 2));
    EXPECT_EQ(g.Cells(1, 2), c);
    EXPECT_EQ(c->GetRow(), 1);
    EXPECT_EQ(c->GetCol(), 2);
    EXPECT_EQ(GridPrivate::get(g).cells.Get(1 * 4 + 2), c);
    EXPECT_EQ(c->GetRec(), nullptr);
    g.SetCellText(3, 3, "last");
    EXPECT_EQ(g.GetCellText(3, 3), "last");
    EXPECT_EQ(GridPrivate::get(g).cells.CellCount(), 2);
    expectConsistent(g);
}

TEST(GridStore, ChangingRowsOrColsDiscardsEveryCellHeightAndColumn)
{
    TQorGrid g;
    g.SetCellText(0, 0, "a");
    g.SetCellText(3, 3, "d");
    g.SetRows(4); // same value: nothing happens
    EXPECT_EQ(g.GetCellText(0, 0), "a");
    g.SetRows(6);
    EXPECT_EQ(g.GetRows(), 6);
    EXPECT_EQ(g.GetCellText(0, 0), "");
    EXPECT_EQ(g.GetCellText(3, 3), "");
    EXPECT_EQ(GridPrivate::get(g).cells.CellCount(), 0);
    EXPECT_EQ(GridPrivate::get(g).cells.Count(), 24);
    const TRowRec rec = g.GetRowRec(5);
    EXPECT_EQ(rec.Height, 18);
    EXPECT_EQ(rec.SavedHeight, 18);
    EXPECT_EQ(rec.Bottom, 6 * 18);
    EXPECT_TRUE(rec.Visible);
    EXPECT_DOUBLE_EQ(rec.PhyHeight, 18.0);
    g.SetRows(-1);
    EXPECT_EQ(g.GetRows(), 6);
    expectConsistent(g);

    // New columns are fresh default columns.
    g.Columns(0)->SetName("Amount");
    g.Columns(0)->SetAlignment(taRightJustify);
    g.SetCellText(1, 1, "x");
    g.SetTitleRows(2);
    EXPECT_TRUE(g.GetTitleRowsSet());
    g.SetCols(7);
    EXPECT_EQ(g.GetCols(), 7);
    EXPECT_EQ(g.GetCellText(1, 1), "");
    EXPECT_EQ(g.ColumnByName("amount"), nullptr);
    EXPECT_EQ(g.Columns(0)->GetAlignment(), taLeftJustify);
    EXPECT_EQ(g.Columns(6)->GetWidth(), 60);
    EXPECT_EQ(g.Columns(6)->GetRight(), 7 * 60);
    EXPECT_FALSE(g.GetTitleRowsSet());
    expectConsistent(g);
}

TEST(GridStore, SizeThatCannotBeHeldIsRefusedAndChangesNothing)
{
    TQorGrid g;
    g.SetCellText(1, 1, "kept");
    {
        test::MessageRecorder boxes;
        g.SetRows(INT_MAX); // 4 x INT_MAX overflows an int
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().caption, "提示");
        EXPECT_TRUE(boxes.last().text.contains(QString::number(INT_MAX)));
        EXPECT_EQ(boxes.last().icon(), platform::MB_ICONINFORMATION);
        g.SetCols(1 << 30);
        EXPECT_EQ(boxes.count(), 2);
        // Fits in an int, but the row and column records alone exceed the machine's memory.
        g.SetCols(2);
        g.SetCellText(1, 1, "kept");
        g.SetRows(1000000000);
        EXPECT_EQ(boxes.count(), 3);
        EXPECT_FALSE(g.InternalSetRows(1000000000));
        EXPECT_EQ(boxes.count(), 3); // the silent form reports through its result
    }
    EXPECT_EQ(g.GetRows(), 4);
    EXPECT_EQ(g.GetCols(), 2);
    EXPECT_EQ(g.GetCellText(1, 1), "kept");
    expectConsistent(g);
    // The silent forms append default columns and rows.
    g.Clear();
    EXPECT_TRUE(g.InternalSetCols(3));
    EXPECT_TRUE(g.InternalSetRows(2));
    EXPECT_EQ(GridPrivate::get(g).cells.Count(), 6);
    EXPECT_EQ(g.Columns(2)->GetWidth(), 60);
    EXPECT_EQ(g.GetRowHeight(1), 18);
    EXPECT_FALSE(g.InternalSetRows(-1));
    expectConsistent(g);
}

TEST(GridStore, ClearRemovesEverything)
{
    TQorGrid g;
    g.Cells(1, 1)->SetName("Total");
    g.SetCellText(1, 1, "1");
    g.ClearRow();
    EXPECT_EQ(g.GetRows(), 0);
    EXPECT_EQ(g.GetCols(), 4);
    EXPECT_EQ(g.CellByName("Total"), nullptr);
    expectConsistent(g);
    g.SetRows(3);
    g.ClearCol();
    EXPECT_EQ(g.GetCols(), 0);
    EXPECT_EQ(g.GetRows(), 3);
    expectConsistent(g);
    g.SetCols(2);
    g.SetTitleRows(1);
    g.Clear();
    EXPECT_EQ(g.GetRows(), 0);
    EXPECT_EQ(g.GetCols(), 0);
    EXPECT_FALSE(g.GetTitleRowsSet());
    EXPECT_EQ(g.GetExtent(), QSize(60, 60));
    expectConsistent(g);
}

TEST(GridStore, UpdateBatchesNestAndNeverGoNegative)
{
    TQorGrid g;
    g.BeginUpdate();
    g.BeginUpdate();
    g.EndUpdate();
    EXPECT_TRUE(g.GetLocking());
    g.EndUpdate();
    EXPECT_FALSE(g.GetLocking());
    g.EndUpdate();
    EXPECT_EQ(g.GetUpdateCount(), 0);
    g.BeginUpdate();
    g.BeginUpdate();
    g.ResetUpdate();
    EXPECT_EQ(g.GetUpdateCount(), 0);
    g.EndUpdate(QRect());
    EXPECT_EQ(g.GetUpdateCount(), 0);
}

// The common letters both ways are the labels' tests; here the ends of the range.
TEST(GridStore, ColumnLettersAtTheEndsOfTheRange)
{
    EXPECT_EQ(TCustomQorGrid::ColToText(-1), "");
    EXPECT_EQ(TCustomQorGrid::TextToCol(TCustomQorGrid::ColToText(16383)), 16383);
    EXPECT_EQ(TCustomQorGrid::TextToCol("ZZZZZZZZZZ"), -1); // would overflow
}
