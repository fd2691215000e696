// Switching whether hidden lines count recalculates the sums at once.
#include "formula_fixture.h"

using namespace qor;

using HiddenDataRecalc = qor::test::FormulaGrid;

TEST_F(HiddenDataRecalc, SwitchingIncludeHiddenDataRecalculates)
{
    Set("A1", "1");
    Set("A2", "2");
    Set("A3", "4");
    Set("B1", "=SUM(A1:A3)");
    grid.SetRowVisible(1, false);
    ASSERT_EQ(Num("B1"), 5);
    grid.SetIncludeHiddenData(true);
    EXPECT_EQ(Num("B1"), 7);
    grid.SetIncludeHiddenData(false);
    EXPECT_EQ(Num("B1"), 5);
    ExpectConsistent();
}
