// Grid types, margins and spaces, header sizes, fixed and title rows, options.
#include <gtest/gtest.h>

#include "core/grid.h"
#include "core/grid_p.h"

#include <vector>

using namespace qor;

TEST(GridLayout, MarginsSpacesAndShadowBelongToTheInvoiceType)
{
    TQorGrid g;
    const QSize plain = g.GetExtent();
    g.SetOptions(g.GetOptions().With(qgoShadow));
    EXPECT_EQ(g.GetShadowWidth(), 3);
    EXPECT_EQ(g.GetExtent(), plain + QSize(3, 3));
    g.SetGridType(gtExcel);
    EXPECT_EQ(g.GetShadowWidth(), 0);
    g.SetOptions(g.GetOptions().Without(qgoShadow));
    EXPECT_EQ(g.GetLeftMargin(), 0);
    EXPECT_EQ(g.GetBackColor(), clWhite);
    EXPECT_EQ(g.GetLeftSpace(), 40);
    EXPECT_EQ(g.GetTopSpace(), 20);
    EXPECT_EQ(g.GetRightSpace(), 0);
    g.SetLeftMargin(12);
    g.SetLeftSpace(5);
    EXPECT_EQ(g.GetLeftMargin(), 0);
    EXPECT_EQ(g.GetLeftSpace(), 40);
    g.SetGridType(gtInvoice);
    EXPECT_EQ(g.GetLeftMargin(), 30);
    EXPECT_EQ(g.GetBottomSpace(), 10);
    EXPECT_EQ(g.GetBackColor(), clAppWorkSpace);
    g.SetLeftMargin(12);
    g.SetTopMargin(-3);
    EXPECT_EQ(g.GetLeftMargin(), 12);
    EXPECT_EQ(g.GetTopMargin(), 30);
    EXPECT_EQ(g.GetExtent().width(), 240 + 12 + 30);
    // Between the two sheet types the background colour is kept.
    g.SetGridType(gtGrid);
    g.SetBackColor(clYellow);
    g.SetGridType(gtExcel);
    EXPECT_EQ(g.GetBackColor(), clYellow);
}

TEST(GridLayout, ExcelTitleOptionSetsHeaderSizesAndTitleSizesDoNotMoveAnInvoice)
{
    TQorGrid g;
    g.SetTitleWidth(70);
    EXPECT_EQ(g.GetTitleWidth(), 70);
    EXPECT_EQ(g.GetLeftSpace(), 10);
    g.SetGridType(gtExcel);
    g.SetTitleWidth(55);
    EXPECT_EQ(g.GetLeftSpace(), 55);
    g.SetOptions(g.GetOptions().Without(qgoShowExcelTitle));
    EXPECT_EQ(g.GetTitleWidth(), 0);
    EXPECT_EQ(g.GetTitleHeight(), 0);
    EXPECT_EQ(g.GetLeftSpace(), 0);
    g.SetOptions(g.GetOptions().With(qgoShowExcelTitle));
    EXPECT_EQ(g.GetTitleWidth(), 40);
    EXPECT_EQ(g.GetTitleHeight(), 20);
    EXPECT_EQ(g.GetTopSpace(), 20);
    g.SetTitleHeight(-5);
    EXPECT_EQ(g.GetTitleHeight(), 0);
}

TEST(GridLayout, FixedBandsTakeEffectOutsideInvoicesOnlyAndTitleRowsStayInsideTheSheet)
{
    TQorGrid g;
    g.SetFixRowCount(2);
    g.SetFixColCount(1);
    EXPECT_EQ(g.GetFixRowCount(), 2);
    EXPECT_FALSE(g.CheckFixRowCount());
    g.SetGridType(gtExcel);
    EXPECT_TRUE(g.CheckFixRowCount());
    EXPECT_TRUE(g.CheckFixColCount());
    EXPECT_EQ(g.GetTopFixSpace(), 20 + 2 * 18);
    EXPECT_EQ(g.GetLeftFixSpace(), 40 + 60);
    g.SetFixRowCount(-1);
    EXPECT_EQ(g.GetFixRowCount(), 2);
    g.SetFixRowCount(0);
    EXPECT_FALSE(g.CheckFixRowCount());

    // Title and footer rows stay inside the sheet.
    g.SetFooterRows(1);
    g.SetTitleRows(10);
    EXPECT_EQ(g.GetTitleRows(), 3);
    EXPECT_TRUE(g.GetTitleRowsSet());
    g.SetTitleRows(-2);
    EXPECT_EQ(g.GetTitleRows(), 0);
    EXPECT_TRUE(g.GetTitleRowsSet()); // remembered until Cols or Clear
    g.SetFooterRows(9);
    EXPECT_EQ(g.GetFooterRows(), 4);
}

TEST(GridLayout, OptionsSwitchingRowSelectSelectsTheCurrentRow)
{
    TQorGrid g;
    GridPrivate::get(g).currentIndex = 2 * 4 + 1;
    EXPECT_EQ(g.GetRow(), 2);
    EXPECT_EQ(g.GetCol(), 1);
    g.SetOptions(g.GetOptions().With(qgoRowSelect));
    EXPECT_TRUE(g.Cells(2, 3)->GetSelected());
    EXPECT_FALSE(g.Cells(1, 1)->GetSelected());
    g.SetOptions(g.GetOptions().Without(qgoRowSelect));
    EXPECT_FALSE(g.Cells(2, 3)->GetSelected());
    EXPECT_TRUE(g.Cells(2, 1)->GetSelected());
    // A dimension change resets the current cell and the selection.
    g.SetRows(5);
    EXPECT_EQ(g.GetRow(), -1);
    EXPECT_FALSE(g.Cells(2, 1)->GetSelected());
}

TEST(GridLayout, OptionSetHasTheBitOrderOfStoredDocuments)
{
    EXPECT_EQ(TQorGridOptions::bit(qgoShadow), 1u);
    EXPECT_EQ(TQorGridOptions::bit(qgoEditing), 1u << 8);
    EXPECT_EQ(TQorGridOptions::bit(qgoAutoCalFormula), 1u << 22);
    EXPECT_EQ(TQorGridOptions::bit(qgoAlwaysShowButton), 1u << 31);
    const TQorGridOptions set{qgoRowSizing, qgoColSizing};
    EXPECT_EQ(set.Bits(), 0xCu);
    EXPECT_FALSE(DefaultGridOptions.Contains(qgoShadow));
    EXPECT_TRUE(DefaultGridOptions.Contains(qgoConfirmDelete));
    EXPECT_FALSE(DefaultGridOptions.Contains(qgoQuickShowHint));
    EXPECT_TRUE(DefaultGridOptions.Contains(qgoAutoNextRowCol));
}

TEST(GridLayout, ColumnTitlesAndSizesWithTheirEvent)
{
    TQorGrid g;
    TQorStrings titles;
    titles.SetText("Item\r\nQty\r\nPrice");
    g.SetColumnTitles(titles);
    EXPECT_EQ(g.Columns(1)->Title().GetCaption(), "Qty");
    EXPECT_EQ(g.Columns(3)->Title().GetCaption(), "");
    EXPECT_EQ(g.GetColumnTitles().GetText(), "Item\r\nQty\r\nPrice\r\n\r\n");
    EXPECT_EQ(g.Columns(0)->Title().GetAlignment(), taCenter);
    EXPECT_EQ(g.Columns(0)->Title().GetColor(), clBtnFace);
    g.SetColumnTitleAlign(taLeftJustify);
    EXPECT_EQ(g.Columns(2)->Title().GetAlignment(), taLeftJustify);

    // Setting a size shows the entry and raises the event.
    std::vector<int> changed;
    g.OnColWidthChanged = [&](QObject *, int c) { changed.push_back(c); };
    GridPrivate::get(g).colAxis.SetVisible(1, false);
    g.SetColWidth(1, 90);
    EXPECT_TRUE(g.Columns(1)->GetVisible());
    EXPECT_EQ(g.Columns(3)->GetRight(), 60 + 90 + 60 + 60);
    g.SetColWidth(2, -4);
    EXPECT_EQ(g.GetColWidth(2), 0);
    g.SetColWidth(9, 10);
    EXPECT_EQ(changed, (std::vector<int>{1, 2}));
    g.BeginUpdate();
    g.SetRowHeight(0, 40);
    g.SetRowHeight(3, 0);
    g.EndUpdate();
    EXPECT_EQ(g.GetRowRec(3).Bottom, 40 + 18 + 18);
    EXPECT_EQ(GridPrivate::get(g).rowAxis.checkConsistency(), "");
    EXPECT_EQ(GridPrivate::get(g).colAxis.checkConsistency(), "");
}
