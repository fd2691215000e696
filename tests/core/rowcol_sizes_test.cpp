// Row heights and column widths in pixels and physical units, visibility with the formulas that
// follow it, visible neighbours and automatic row heights.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include "rowcol_sheet.h"

using namespace qor;
using namespace qor::test;

TEST(RowColUnits, ConversionsAt96DpiRoundHalfToEven)
{
    EXPECT_DOUBLE_EQ(TCustomQorGrid::PixelToYmm(18), 4.7625);
    EXPECT_EQ(TCustomQorGrid::YmmToPixel(10), 38);
    EXPECT_DOUBLE_EQ(TCustomQorGrid::PixelToXInch(48), 0.5);
    EXPECT_EQ(TCustomQorGrid::XInchToPixel(1.5), 144);
    // 0.5 px and 2.5 px round to the even neighbour: 0 and 2.
    EXPECT_EQ(TCustomQorGrid::XInchToPixel(0.5 / 96), 0);
    EXPECT_EQ(TCustomQorGrid::XInchToPixel(2.5 / 96), 2);
    EXPECT_EQ(TCustomQorGrid::YInchToPixel(3.5 / 96), 4);
    EXPECT_EQ(TCustomQorGrid::XmmToPixel(1e300), INT_MAX) << "huge values saturate";
}

TEST(RowColUnits, MillimetresAreTheMasterOfPixelSizesAndSurviveHiding)
{
    TQorGrid g;
    g.SetUnitType(utMillimeter); // converts the sizes already there
    EXPECT_DOUBLE_EQ(g.GetPhyRowHeight(0), 4.7625);
    EXPECT_NEAR(g.Columns(0)->GetPhyWidth(), 60 * 25.4 / 96, 1e-9);
    EXPECT_NEAR(g.GetPhyLeftMargin(), 30 * 25.4 / 96, 1e-9);
    g.SetPhyRowHeight(1, 10);
    EXPECT_EQ(g.GetRowHeight(1), 38);
    EXPECT_DOUBLE_EQ(g.GetPhyRowHeight(1), 10) << "the exact millimetres are kept, not 38 px converted back";
    g.SetPhyColWidth(2, 25.4);
    EXPECT_EQ(g.GetColWidth(2), 96);
    g.SetPhyRowHeight(2, -3);
    EXPECT_EQ(g.GetRowHeight(2), 0);
    EXPECT_DOUBLE_EQ(g.GetPhyRowHeight(2), 0);
    // Hiding keeps the physical size for showing again.
    g.SetPhyRowHeight(0, 10);
    g.SetRowVisible(0, false);
    EXPECT_EQ(g.GetRowRec(0).PhyHeight, 0);
    g.SetRowVisible(0, true);
    EXPECT_DOUBLE_EQ(g.GetRowRec(0).PhyHeight, 10);
    EXPECT_EQ(g.GetRowRec(0).Height, 38);
    ExpectConsistent(g);
    g.SetUnitType(utInch);
    EXPECT_NEAR(g.Columns(0)->GetPhyWidth(), 0.625, 1e-9);
    g.SetRows(2);
    EXPECT_NEAR(g.GetRowRec(1).PhyHeight, 18.0 / 96, 1e-9);
    EXPECT_EQ(UnitToPixels(PixelsToUnit(37, utMillimeter), utMillimeter), 37);
}

TEST(RowColVisibility, NeighboursSkipZeroSizeLines)
{
    TQorGrid g;
    g.SetRows(6);
    g.SetRowVisible(1, false);
    g.SetRowHeight(2, 0);
    EXPECT_EQ(g.GetNextVisibleRow(1), 3);
    EXPECT_EQ(g.GetNextVisibleRow(0), 0);
    EXPECT_EQ(g.GetPriorVisibleRow(2), 0);
    EXPECT_EQ(g.GetFirstNoHeightRow(3), 1);
    EXPECT_EQ(g.GetLastNoHeightRow(0), 2);
    EXPECT_EQ(g.GetFirstNoHeightRow(5), 5);
    g.SetRowHeight(5, 0);
    EXPECT_EQ(g.GetNextVisibleRow(5), -1);
    g.SetColWidth(0, 0);
    EXPECT_EQ(g.GetPriorVisibleCol(0), -1);
    EXPECT_EQ(g.GetNextVisibleCol(0), 1);
    EXPECT_EQ(g.GetFirstNoWidthCol(1), 0);
    EXPECT_EQ(g.GetLastNoWidthCol(3), 3);
}

TEST(AutoHeight, WrappedTextGrowsTheRowAndShortTextShrinksIt)
{
    TQorGrid g;
    g.SetColWidth(0, 60);
    TCellInfo *cell = g.Cells(1, 0);
    cell->SetAutoHeight(true);
    cell->SetText("many words that cannot fit in sixty pixels of width");
    g.CalAutoHeight();
    const int line = QFontMetrics(g.GetFont().Font).height();
    EXPECT_GE(g.GetRowHeight(1), 3 * line);
    EXPECT_EQ(g.GetRowHeight(0), 18) << "rows without measured cells keep their height";
    cell->SetText("x");
    g.SetRowHeight(1, 80);
    g.CalAutoHeight_Row(1);
    EXPECT_EQ(g.GetRowHeight(1), g.GetDefaultRowHeight());
    ExpectConsistent(g);
}

TEST(AutoHeight, ALargerFontFromTheOverrideEventNeedsMore)
{
    TQorGrid g;
    g.Cells(0, 0)->SetAutoHeight(true);
    g.SetCellText(0, 0, "Text");
    const int plain = g.GetRowAutoHeight(0, 0, "Text");
    g.OnGetCellData = [](QObject *, int, int, TCellData &data) { data.SetFontSize(40); };
    EXPECT_GT(g.GetRowAutoHeight(0, 0, "Text"), plain);
    EXPECT_GE(plain, g.GetDefaultRowHeight());
}

TEST(AutoHeight, MergedAreasMeasureInTheirWholeWidthAndSkipCoveredCells)
{
    TQorGrid g;
    const QString text = "words words words words words words";
    g.Cells(0, 0)->SetAutoHeight(true);
    const int narrow = g.GetRowAutoHeight(0, 0, text);
    g.MergeCells(0, 0, 0, 3);
    EXPECT_LT(g.GetRowAutoHeight(0, 0, text), narrow);
    g.MergeCells(0, 0, 1, 3);
    g.SetRowHeight(1, 500);
    EXPECT_EQ(g.GetRowAutoHeight(0, 0, text), g.GetDefaultRowHeight())
        << "the area's other rows already give it the room";
    g.Cells(1, 1)->SetAutoHeight(true);
    g.Cells(1, 1)->SetText(text + text + text);
    g.CalAutoHeight_Col(1);
    EXPECT_EQ(g.GetRowHeight(1), 500) << "covered cells are not measured";
}

TEST(AutoHeight, VerticalTextStacksItsCharacters)
{
    TQorGrid g;
    TCellInfo *cell = g.Cells(0, 0);
    cell->SetVerticalText(true);
    cell->SetVerticalTextSpace(2);
    const int h = QFontMetrics(g.GetFont().Font).height();
    const int margins = cell->GetTextTMargin() + cell->GetTextBMargin();
    EXPECT_EQ(g.GetRowAutoHeight(0, 0, QString("ABCDEF")), std::max(6 * h + 5 * 2 + margins, 18));
}

