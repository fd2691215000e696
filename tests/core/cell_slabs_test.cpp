// Cells carved from slabs that tell them their grid, with their owned objects kept beside them.
#include <gtest/gtest.h>

#include <QString>
#include "core/grid.h"
#include "core/grid_p.h"
#include "message_recorder.h"
#include "rowcol_sheet.h"

using namespace qor;

namespace {

TCellList &storeOf(TCustomQorGrid &g) { return GridPrivate::get(g).cells; }

} // namespace

TEST(CellSlabs, OwnedObjectsFollowTheirCellAndLeaveWithIt)
{
    TQorGrid g;
    g.SetCols(6);
    g.SetRows(6);
    TQorFont font = g.GetFont();
    font.Font.setPointSize(19);
    g.Cells(1, 1)->SetFont(font);
    g.Cells(2, 2)->Items().Add("one");
    g.Cells(3, 3)->SetText("plain");
    EXPECT_EQ(storeOf(g).OwnedObjectsCount(), 2u);

    g.InsertRow(0, 2);
    g.InsertCol(0, 1);
    ASSERT_NE(g.Cells(3, 2)->PeekFont(), nullptr);
    EXPECT_EQ(g.Cells(3, 2)->PeekFont()->Font.pointSize(), 19);
    EXPECT_EQ(g.Cells(4, 3)->Items().Count(), 1);
    EXPECT_EQ(g.Cells(5, 4)->PeekFont(), nullptr);
    test::ExpectConsistent(g);

    // A copy into another grid owns copies; the source keeps its own.
    TQorGrid other;
    other.Cells(0, 0)->Assign(*g.Cells(3, 2));
    EXPECT_EQ(storeOf(other).OwnedObjectsCount(), 1u);
    EXPECT_EQ(other.Cells(0, 0)->PeekFont()->Font.pointSize(), 19);
    EXPECT_NE(other.Cells(0, 0)->PeekFont(), g.Cells(3, 2)->PeekFont());

    // Copying a plain cell over one with objects drops them; deleting lines frees the rest.
    g.Cells(4, 3)->Assign(*g.Cells(5, 4));
    EXPECT_EQ(g.Cells(4, 3)->PeekItems(), nullptr);
    EXPECT_EQ(storeOf(g).OwnedObjectsCount(), 1u);
    g.DeleteRow(3);
    EXPECT_EQ(storeOf(g).OwnedObjectsCount(), 0u);
    test::ExpectConsistent(g);

    // A gridless cell holds its text and owns its objects too, and gives them back when deleted.
    TCellInfo *loose = TCellInfo::Create(nullptr, 0, 0);
    loose->Items().Add("x");
    loose->SetText("12.5");
    EXPECT_EQ(loose->GetText(), "12.5");
    loose->SetText("one");
    EXPECT_EQ(loose->GetText(), "one");
    EXPECT_EQ(loose->GetGrid(), nullptr);
    delete loose;
}

TEST(CellSlabs, ColumnsBeyondWhatACellHoldsAreRefused)
{
    TQorGrid g;
    g.SetRows(2);
    g.SetCellText(1, 1, "kept");
    test::MessageRecorder boxes;
    g.SetCols(TCellList::kMaxCols + 1);
    EXPECT_EQ(boxes.count(), 1);
    EXPECT_FALSE(g.InternalSetCols(TCellList::kMaxCols + 1));
    EXPECT_EQ(g.GetCols(), 4);
    EXPECT_EQ(g.GetCellText(1, 1), "kept");
    test::ExpectConsistent(g);
}
