// Cells: text changes and their order of effects, sparse records, column inheritance, shared
// edges, names, override resolution.
#include <gtest/gtest.h>

#include <vector>
#include "core/model/cell_data.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "message_recorder.h"

using namespace qor;

TEST(CellStyle, ColumnChangesReachCellsUntilAndAfterTheirOwnSetting)
{
    TQorGrid g;
    TCellInfo *c = g.Cells(1, 0);
    EXPECT_EQ(c->GetAlignment(), taLeftJustify);
    g.Columns(0)->SetAlignment(taCenter);
    EXPECT_EQ(c->GetAlignment(), taCenter);
    EXPECT_EQ(c->GetRec(), nullptr);
    c->SetAlignment(taRightJustify);
    ASSERT_NE(c->GetRec(), nullptr);
    EXPECT_EQ(c->GetAlignment(), taRightJustify);
    // Creating the record copied everything else from the column.
    EXPECT_EQ(c->GetBackColor(), g.Columns(0)->GetBackColor());
    g.Columns(0)->SetAlignment(taLeftJustify);
    EXPECT_EQ(c->GetAlignment(), taLeftJustify);
    // A column change of another attribute leaves the cell's alignment alone.
    c->SetAlignment(taRightJustify);
    g.Columns(0)->SetWordWrap(true);
    EXPECT_EQ(c->GetAlignment(), taRightJustify);
    EXPECT_TRUE(c->GetWordWrap());
    EXPECT_FALSE(g.Cells(1, 1)->GetWordWrap());
}

TEST(CellStyle, SettingTheResolvedValueCreatesNoRecord)
{
    TQorGrid g;
    TCellInfo *c = g.Cells(0, 1);
    EXPECT_FALSE(notDefaultCell(c));
    c->SetBackColor(clWhite);
    c->SetLeftLine(true);
    c->SetLeftFrame(false);
    c->SetFieldName(QString());
    c->SetIncrement(1.0);
    EXPECT_EQ(c->GetRec(), nullptr);
    c->SetBackColor(clYellow);
    ASSERT_NE(c->GetRec(), nullptr);
    EXPECT_EQ(c->GetBackColor(), clYellow);
    EXPECT_TRUE(notDefaultCell(c));
}

TEST(CellStyle, PackedAttributesKeepEveryOrdinal)
{
    TQorGrid g;
    TCellInfo *c = g.Cells(0, 0);
    for (int v = vtString; v <= vtChineseDate; ++v) {
        c->SetValueType(TValueType(v));
        EXPECT_EQ(c->GetValueType(), v);
    }
    for (int t = ctEdit; t <= ctMemo; ++t) {
        c->SetCellType(TCellType(t));
        EXPECT_EQ(c->GetCellType(), t);
    }
    for (int b = bsSolid; b <= bsDiagCross; ++b) {
        c->SetBrushStyle(TBrushStyle(b));
        EXPECT_EQ(c->GetBrushStyle(), b);
    }
    for (int p = psSolid; p <= psInsideFrame; ++p) {
        c->SetBiasStyle(TPenStyle(p));
        EXPECT_EQ(c->GetBiasStyle(), p);
    }
    c->SetTextBMargin(65535);
    EXPECT_EQ(c->GetTextBMargin(), 65535);
    c->SetPasswordChar(QChar(0x4E2D));
    EXPECT_EQ(c->GetPasswordChar(), QChar(0x4E2D));
    c->SetCursor(-21);
    EXPECT_EQ(c->GetCursor(), -21);
    c->SetBiasDirection(bdUp);
    EXPECT_EQ(c->GetBiasDirection(), bdUp);
    // Neighbouring bit fields are untouched.
    EXPECT_EQ(c->GetAlignment(), taLeftJustify);
    EXPECT_EQ(c->GetVerAlignment(), vtaCenter);
}

TEST(CellStyle, TextChangeRaisesChangeThenUpdateDataOnlyWhenDifferent)
{
    TQorGrid g;
    std::vector<std::string> events;
    g.OnChange = [&](QObject *, int r, int c) { events.push_back("change " + std::to_string(r) + "," + std::to_string(c)); };
    g.OnUpdateData = [&](QObject *, int, int) { events.push_back("update"); };
    g.SetCellText(2, 3, "x");
    EXPECT_EQ(events, (std::vector<std::string>{"change 2,3", "update"}));
    events.clear();
    g.SetCellText(2, 3, "x");
    EXPECT_TRUE(events.empty());
    g.SetLoading(true);
    g.SetCellText(2, 3, "y");
    g.SetLoading(false);
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(g.GetCellText(2, 3), "y");
    // A cell being read from a stream raises nothing either.
    TCellInfo *c = g.Cells(2, 3);
    c->SetLoading(true);
    c->SetText("from stream");
    c->SetLoading(false);
    EXPECT_TRUE(events.empty());
    c->SetText("typed");
    EXPECT_EQ(events, (std::vector<std::string>{"change 2,3", "update"}));
}

TEST(CellStyle, HandlerMayRestructureTheGridDuringAChange)
{
    TQorGrid g;
    g.OnChange = [&](QObject *, int, int) { g.SetRows(1); };
    bool updated = false;
    g.OnUpdateData = [&](QObject *, int r, int) { updated = r == 3; };
    g.SetCellText(3, 0, "gone"); // the cell is freed inside OnChange
    EXPECT_TRUE(updated);
    EXPECT_EQ(g.GetRows(), 1);
    EXPECT_EQ(GridPrivate::get(g).cells.checkConsistency(), "");
}

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

TEST(CellStyle, FramesRunAlongTheWholeEdgeOfAMergedArea)
{
    TQorGrid g;
    TCellInfo *owner = g.Cells(0, 0);
    owner->SetRows(2);
    owner->SetCols(2);
    owner->SetRightFrame(true);
    EXPECT_TRUE(g.Cells(0, 1)->GetRightFrame());
    EXPECT_TRUE(g.Cells(1, 1)->GetRightFrame());
    EXPECT_TRUE(g.Cells(0, 2)->GetLeftFrame());
    EXPECT_TRUE(g.Cells(1, 2)->GetLeftFrame());
    EXPECT_FALSE(g.Cells(2, 1)->GetRightFrame());
    owner->SetBottomFrame(true);
    EXPECT_TRUE(g.Cells(2, 0)->GetTopFrame());
    EXPECT_TRUE(g.Cells(2, 1)->GetTopFrame());
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

TEST(CellStyle, AssignCopiesContentButNotTheName)
{
    TQorGrid g;
    TCellInfo *src = g.Cells(0, 0);
    src->SetText("42");
    src->SetName("Src");
    src->SetBackColor(clYellow);
    src->Font().Font.setBold(true);
    src->Items().Add("one");
    TCellInfo *dst = g.Cells(1, 1);
    int changes = 0;
    g.OnChange = [&](QObject *, int, int) { ++changes; };
    dst->Assign(*src);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(dst->GetText(), "42");
    EXPECT_EQ(dst->GetBackColor(), clYellow);
    ASSERT_NE(dst->PeekFont(), nullptr);
    EXPECT_TRUE(dst->PeekFont()->Font.bold());
    EXPECT_EQ(dst->Items().Get(0), "one");
    EXPECT_EQ(dst->GetName(), "");
    src->Items().Add("two"); // deep copy
    EXPECT_EQ(dst->Items().Count(), 1);
    TCellInfo *plain = g.Cells(2, 2);
    dst->InternalAssign(*plain);
    EXPECT_EQ(dst->GetText(), "");
    EXPECT_FALSE(notDefaultCell(dst));
    EXPECT_EQ(changes, 1);
}

TEST(CellStyle, OwnedObjectsStartAsCopiesOfTheirSources)
{
    TQorGrid g;
    TQorFont f = g.GetFont();
    f.Font.setPointSize(15);
    g.SetFont(f);
    TCellInfo *c = g.Cells(0, 2);
    EXPECT_EQ(c->PeekFont(), nullptr);
    EXPECT_EQ(c->Font().Font.pointSize(), 15);
    TQorPicture pic;
    pic.Data = QByteArray("GIF89a");
    g.Columns(2)->SetGraphic(pic);
    EXPECT_EQ(g.Cells(1, 2)->Graphic().Data, QByteArray("GIF89a"));
    EXPECT_FALSE(notDefaultCell(c)); // its own font, but still the grid's
    c->Font().Font.setPointSize(9);
    EXPECT_TRUE(notDefaultCell(c));
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

TEST(CellData, DrawColourAsksTheColourEventOnDataRowsOnly)
{
    TQorGrid g;
    g.Cells(0, 0)->SetBackColor(clYellow);
    g.Cells(1, 0)->SetBackColor(clYellow);
    g.SetRowGroup(1, 0, 2, 1, 0); // a group footer
    g.OnDrawCellColor = [](QObject *, int, int, TColor &c) { c = clGreen; };
    EXPECT_EQ(g.GetCellDrawColor(0, 0), clGreen);
    EXPECT_EQ(g.GetCellDrawColor(1, 0), clYellow);
    EXPECT_EQ(g.GetCellDrawColor(nullptr), g.GetBrushColor());
}
