// Cells: text changes and their order of effects, sparse records, column inheritance, shared
// edges, names, override resolution.
#include <gtest/gtest.h>

#include <vector>
#include "core/model/cell_data.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "message_recorder.h"

using namespace qor;

TEST(CellStyle, DiagonalTextsExcludeTheTextAndTheItemIndexFollowsIt)
{
    TQorGrid g;
    TCellInfo *c = g.Cells(0, 0);
    c->SetText("title");
    c->SetLeftText("Item");
    EXPECT_EQ(c->GetText(), "");
    c->SetRightText("Month");
    c->SetText("again");
    EXPECT_EQ(c->GetLeftText(), "");
    EXPECT_EQ(c->GetRightText(), "");

    // A combo's item index follows the text.
    g.Columns(0)->Items().SetText("A\nB\nC");
    c->SetCellType(ctCombo);
    EXPECT_EQ(c->Items().Count(), 3); // first access copies the column's items
    c->SetText("B");
    EXPECT_EQ(c->GetItemIndex(), 1);
    c->SetText("Z");
    EXPECT_EQ(c->GetItemIndex(), -1);
}

TEST(CellStyle, FramesAndLinesAreSharedWithTheNeighbourAcrossTheEdgeAndResetToAgree)
{
    TQorGrid g;
    g.Cells(1, 1)->SetLeftFrame(true);
    EXPECT_TRUE(g.Cells(1, 0)->GetRightFrame());
    g.Cells(1, 1)->SetBottomLine(false);
    EXPECT_FALSE(g.Cells(2, 1)->GetTopLine());
    g.Cells(1, 1)->SetTopFrameWidth(3);
    EXPECT_EQ(g.Cells(0, 1)->GetBottomFrameWidth(), 3);
    g.Cells(1, 1)->SetRightFrameColor(clRed);
    EXPECT_EQ(g.Cells(1, 2)->GetLeftFrameColor(), clRed);
    g.Cells(1, 1)->SetRightFrameStyle(psDot);
    EXPECT_EQ(g.Cells(1, 2)->GetLeftFrameStyle(), psDot);
    // At the sheet's border there is no neighbour, and none is made.
    g.Cells(0, 0)->SetTopFrame(true);
    g.Cells(3, 3)->SetRightFrame(true);
    EXPECT_TRUE(g.Cells(0, 0)->GetTopFrame());
    EXPECT_EQ(GridPrivate::get(g).cells.checkConsistency(), "");
    // A record read from a stream sets only its own frames; the reset makes the neighbours agree.
    TCellInfo *c = g.Cells(2, 2);
    c->CheckNil()->Frames = 0xF;
    c->ResetCellFrame();
    EXPECT_TRUE(g.Cells(2, 1)->GetRightFrame());
    EXPECT_TRUE(g.Cells(1, 2)->GetBottomFrame());
    EXPECT_TRUE(g.Cells(2, 3)->GetLeftFrame());
    EXPECT_TRUE(g.Cells(3, 2)->GetTopFrame());
}

TEST(CellStyle, NamesAreUniqueUpperCasedRefusedWithAMessageAndMovedWhileLoading)
{
    TQorGrid g;
    g.Cells(0, 0)->SetName("Total");
    EXPECT_EQ(g.CellByName("TOTAL"), g.Cells(0, 0));
    {
        test::MessageRecorder boxes;
        g.Cells(1, 1)->SetName("TOTAL");
        ASSERT_EQ(boxes.count(), 1);
        EXPECT_EQ(boxes.last().text, "名为 TOTAL 的单元格已经存在");
        EXPECT_EQ(boxes.last().caption, "提示");
        EXPECT_EQ(boxes.last().icon(), platform::MB_ICONINFORMATION);
        g.Columns(0)->SetName("Qty");
        g.Columns(1)->SetName("qty");
        ASSERT_EQ(boxes.count(), 2);
        EXPECT_EQ(boxes.last().text, "名为 qty 的列已经存在");
    }
    EXPECT_EQ(g.Cells(1, 1)->GetName(), "");
    EXPECT_EQ(g.Columns(1)->GetName(), "");
    EXPECT_EQ(g.ColumnByName("QTY"), g.Columns(0));
    // The same name again, and a case change of one's own name, are no conflicts.
    g.Cells(0, 0)->SetName("Total");
    g.Cells(0, 0)->SetName("TOTAL");
    EXPECT_EQ(g.Cells(0, 0)->GetName(), "TOTAL");
    EXPECT_EQ(g.CellByName("total"), g.Cells(0, 0));
    g.Cells(0, 0)->SetName("");
    EXPECT_EQ(g.CellByName("total"), nullptr);
    // While loading, a name moves silently to the new cell.
    g.Cells(0, 0)->SetName("Sum");
    g.SetLoading(true);
    g.Cells(2, 2)->SetName("SUM");
    g.SetLoading(false);
    EXPECT_EQ(g.CellByName("sum"), g.Cells(2, 2));
    EXPECT_EQ(g.Cells(0, 0)->GetName(), "");
    // Freeing a cell forgets its name, which is free again: no message.
    g.SetRows(2);
    EXPECT_EQ(g.CellByName("SUM"), nullptr);
    {
        test::MessageRecorder boxes;
        g.Cells(0, 0)->SetName("Sum");
        EXPECT_EQ(boxes.count(), 0);
    }
    EXPECT_NE(g.CellByName("sum"), nullptr);
}

TEST(CellData, FlagsCoverBothSetsAndInitClearsOnlyFlags)
{
    TCellData data;
    EXPECT_FALSE(data.TestSet(64));
    data.SetShowCurrencyLine(true);
    data.SetDropDownCount(9);
    data.SetVerticalTextSpace(2);
    data.SetAlignment(taRightJustify);
    EXPECT_TRUE(data.TestSet(64));
    EXPECT_TRUE(data.TestSet(65));
    EXPECT_TRUE(data.TestSet(63));
    EXPECT_TRUE(data.TestSet(0));
    EXPECT_FALSE(data.TestSet(1));
    EXPECT_FALSE(data.TestSet(66));
    EXPECT_FALSE(data.TestSet(-1));
    data.Init();
    EXPECT_FALSE(data.TestSet(64));
    EXPECT_FALSE(data.AnySet());
    EXPECT_EQ(data.GetDropDownCount(), 9);
}

TEST(CellData, OverrideEventWinsOnlyForFlaggedAttributes)
{
    TQorGrid g;
    g.Cells(0, 0)->SetLeftFrame(true);
    g.OnGetCellData = [](QObject *, int row, int, TCellData &data) {
        if (row == 0)
            data.SetBackColor(clNavy);
    };
    EXPECT_EQ(g.GetCellDrawColor(0, 0), clNavy);
    EXPECT_TRUE(g.CellLeftFrame(0, 0)); // not flagged: the cell answers
    EXPECT_TRUE(g.CellLeftLine(0, 0));
    EXPECT_EQ(g.CellLeftFrameWidth(0, 0), 1);
    EXPECT_FALSE(g.CellRightFrame(3, 3)); // no cell: the fixed default
    g.OnGetCellData = [](QObject *, int, int, TCellData &data) { data.SetLeftFrame(false); data.SetTopLine(false); };
    EXPECT_FALSE(g.CellLeftFrame(0, 0));
    EXPECT_FALSE(g.CellTopLine(2, 2));
    TCellData mine;
    mine.SetRightFrameWidth(5); // stale flags of a caller's record are cleared first
    EXPECT_EQ(g.CellRightFrameWidth(0, 0, &mine), 1);
    EXPECT_FALSE(mine.TestSet(TCellData::cdRightFrameWidth));
}
