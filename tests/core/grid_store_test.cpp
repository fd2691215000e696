// The grid object: dimensions, the cell store, refusals, batching.
#include <gtest/gtest.h>

#include <climits>
#include "core/grid.h"
#include "core/grid_p.h"
#include "message_recorder.h"

using namespace qor;

namespace {

void expectConsistent(TCustomQorGrid &g)
{
    GridPrivate &d = g.Private();
    EXPECT_EQ(d.cells.checkConsistency(), "");
    EXPECT_EQ(d.rowAxis.checkConsistency(), "");
    EXPECT_EQ(d.colAxis.checkConsistency(), "");
    EXPECT_EQ(d.cells.Count(), g.GetRows() * g.GetCols());
    EXPECT_EQ(d.rowAxis.Count(), g.GetRows());
    EXPECT_EQ(int(d.rowInfo.size()), g.GetRows());
    ASSERT_EQ(d.columns.Count(), g.GetCols());
    for (int i = 0; i < g.GetCols(); ++i)
        EXPECT_EQ(g.Columns(i)->GetIndex(), i);
}

} // namespace

TEST(GridStore, NewGridHasItsInitialValues)
{
    TQorGrid g;
    EXPECT_EQ(g.GetRows(), 4);
    EXPECT_EQ(g.GetCols(), 4);
    EXPECT_EQ(g.CellList().Count(), 16);
    EXPECT_EQ(g.CellList().CellCount(), 0);
    EXPECT_EQ(g.GetOptions().Bits(), 0x35FFC1FCu);
    EXPECT_EQ(g.GetGridType(), gtInvoice);
    EXPECT_EQ(g.GetDefaultRowHeight(), 18);
    EXPECT_EQ(g.GetDefaultColWidth(), 60);
    EXPECT_EQ(g.GetLeftMargin(), 30);
    EXPECT_EQ(g.GetBottomMargin(), 30);
    EXPECT_EQ(g.GetTopSpace(), 10);
    EXPECT_EQ(g.GetTitleWidth(), 40);
    EXPECT_EQ(g.GetTitleHeight(), 20);
    EXPECT_EQ(g.GetColor(), clWhite);
    EXPECT_EQ(g.GetBackColor(), clAppWorkSpace);
    EXPECT_EQ(g.GetLineColor(), 0xC0C0C0);
    EXPECT_EQ(g.GetTitleColor(), clBtnFace);
    EXPECT_EQ(g.GetFocusColor(), clHighlight);
    EXPECT_EQ(g.GetFont().Font.family(), "Tahoma");
    EXPECT_EQ(g.GetSortEndRow(), -1);
    EXPECT_EQ(g.GetMoveDirEnter(), mdBottom);
    EXPECT_EQ(g.GetCurrencyCellWidth(), 12);
    EXPECT_EQ(g.GetCurrencyDecimalSeparatorColor(), clRed);
    EXPECT_EQ(g.GetRow(), -1);
    EXPECT_EQ(g.GetCol(), -1);
    // Cols x 60 + 4 + margins + spaces; Rows x 18 + 20 + margins + spaces.
    EXPECT_EQ(g.width(), 4 * 60 + 4 + 60 + 20);
    EXPECT_EQ(g.height(), 4 * 18 + 20 + 60 + 20);
    EXPECT_EQ(g.GetExtent(), QSize(240 + 60, 72 + 60));
    expectConsistent(g);
}
