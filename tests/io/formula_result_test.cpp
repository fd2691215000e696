// A document keeps its formulas' last results: a grid that does not calculate by itself must
// show after loading what it showed when it was saved.
#include <gtest/gtest.h>

#include "core/grid.h"
#include "formula/engine/exp_value.h"
#include "io/grid_stream.h"

using namespace qor;

TEST(FormulaResultInDocument, StoredResultsComeBackWithoutAutomaticCalculation)
{
    TQorGrid original;
    original.SetOptions(original.GetOptions().Without(qgoAutoCalFormula));
    original.SetCellText(0, 0, "2");
    original.SetCellText(0, 1, "=A1*1.5");
    original.SetCellText(1, 1, "=A1-7");
    ASSERT_DOUBLE_EQ(original.Cells(0, 1)->GetFormulaValue().AsDouble(), 3.0);

    for (bool compress : {false, true}) {
        TQorGrid loaded;
        ASSERT_TRUE(LoadGridFromBytes(loaded, SaveGridToBytes(original, compress, true)));
        EXPECT_FALSE(loaded.GetOptions().Contains(qgoAutoCalFormula));
        EXPECT_DOUBLE_EQ(loaded.Cells(0, 1)->GetFormulaValue().AsDouble(), 3.0);
        EXPECT_DOUBLE_EQ(loaded.Cells(1, 1)->GetFormulaValue().AsDouble(), -5.0);
        // Plain texts never gain a stored result.
        EXPECT_DOUBLE_EQ(loaded.Cells(0, 0)->GetFormulaValue().AsDouble(), 0.0);
        // And they survive a second save.
        TQorGrid again;
        ASSERT_TRUE(LoadGridFromBytes(again, SaveGridToBytes(loaded, compress, true)));
        EXPECT_DOUBLE_EQ(again.Cells(1, 1)->GetFormulaValue().AsDouble(), -5.0);
    }
}
