// Formulas, merged areas and row/column operations together: after each structural change the
// formulas still refer to the same cells, merged areas stay whole and every index agrees.
#include <gtest/gtest.h>

#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "formula_fixture.h"

using namespace qor;
using namespace qor::test;

namespace {

class MixedStructure : public FormulaGrid {
protected:
    void ExpectAllConsistent()
    {
        ExpectConsistent();
        GridPrivate &d = GridPrivate::get(grid);
        EXPECT_EQ(d.merges->checkConsistency(), "");
        EXPECT_EQ(d.cells.checkConsistency(), "");
        EXPECT_EQ(d.rowAxis.checkConsistency(), "");
    }
    QString FormulaOf(const char *label) { return Cell(label)->GetText(); }
};

} // namespace

TEST_F(MixedStructure, InsertedRowsInsideARangeWidenItAndCountOnceFilled)
{
    //   A     B
    // 1 1     =SUM(A1:A4)       InsertRow(2): the range becomes A1:A5 and the new A3
    // 2 2                        is empty until it is given a number
    // 3 3
    // 4 4
    Column("A", {1, 2, 3, 4});
    Set("B1", "=SUM(A1:A4)");
    Set("C6", "=A4*10");
    grid.InsertRow(2, 1);
    ExpectAllConsistent();
    EXPECT_EQ(FormulaOf("B1"), "=SUM(A1:A5)");
    EXPECT_EQ(FormulaOf("C7"), "=A5*10");
    EXPECT_DOUBLE_EQ(Num("B1"), 10);
    Set("A3", "100");
    EXPECT_DOUBLE_EQ(Num("B1"), 110);
    Set("A5", "5");
    EXPECT_DOUBLE_EQ(Num("C7"), 50);
}

TEST_F(MixedStructure, DeletedRowsLeaveTheSumAndShiftTheReferencesBelow)
{
    Column("A", {1, 2, 3, 4, 5});
    Set("B1", "=SUM(A1:A5)");
    Set("B8", "=A5+A1");
    grid.DeleteRow(1);
    ExpectAllConsistent();
    EXPECT_EQ(FormulaOf("B1"), "=SUM(A1:A4)");
    EXPECT_EQ(FormulaOf("B7"), "=A4+A1");
    EXPECT_DOUBLE_EQ(Num("B1"), 13);
    EXPECT_DOUBLE_EQ(Num("B7"), 6);
    Set("A4", "50");
    EXPECT_DOUBLE_EQ(Num("B1"), 58);
    EXPECT_DOUBLE_EQ(Num("B7"), 51);
}

TEST_F(MixedStructure, InsertedColumnsShiftColumnReferences)
{
    Set("A1", "2");
    Set("B1", "3");
    Set("D2", "=A1*B1");
    grid.InsertCol(1, 2);
    ExpectAllConsistent();
    EXPECT_EQ(FormulaOf("F2"), "=A1*D1");
    Set("D1", "5");
    EXPECT_DOUBLE_EQ(Num("F2"), 10);
    grid.DeleteCol(0);
    ExpectAllConsistent();
    EXPECT_TRUE(FormulaOf("E2").endsWith("*C1")) << FormulaOf("E2").toStdString();
}

TEST_F(MixedStructure, MergedCellsInsideARangeCountOnceThroughStructuralChanges)
{
    // A2:A3 merged: A3 is covered and contributes nothing to the sum.
    Column("A", {1, 2, 40, 8});
    Set("C1", "=SUM(A1:A4)");
    grid.MergeCells(1, 0, 2, 0);
    GridPrivate::get(grid).seams.formulas->UpdateFormulas();
    EXPECT_DOUBLE_EQ(Num("C1"), 11);
    // A row inside the area: the area grows, the sum reaches one row further.
    grid.InsertRow(2, 1);
    ExpectAllConsistent();
    EXPECT_EQ(grid.MergedArea(1, 0), QRect(0, 1, 1, 3));
    EXPECT_EQ(FormulaOf("C1"), "=SUM(A1:A5)");
    EXPECT_DOUBLE_EQ(Num("C1"), 11);
    // The owner's row goes: the row below takes the area over and its text shows.
    grid.DeleteRow(1);
    ExpectAllConsistent();
    EXPECT_EQ(grid.MergedArea(1, 0), QRect(0, 1, 1, 2));
    EXPECT_EQ(FormulaOf("C1"), "=SUM(A1:A4)");
    GridPrivate::get(grid).seams.formulas->UpdateFormulas();
    EXPECT_DOUBLE_EQ(Num("C1"), 1 + 8) << "the new owner is empty; the covered 40 does not count";
}

TEST_F(MixedStructure, ARangeTouchingAMergeGrowsOverIt)
{
    Column("A", {1, 2, 3});
    Column("B", {10, 20, 30});
    Set("D1", "=SUM(A1:B2)");
    grid.MergeCells(1, 1, 2, 1); // B2:B3: the range now reads row 3 too
    grid.RefreshFormula();
    EXPECT_DOUBLE_EQ(Num("D1"), 1 + 2 + 3 + 10 + 20);
    // Entered after the merge: the range takes in B3's row, A3 counts, B3 is covered.
    Set("E1", "=SUM(A1:B2)");
    EXPECT_DOUBLE_EQ(Num("E1"), 1 + 2 + 3 + 10 + 20);
    Set("A3", "300"); // read only through the merge
    EXPECT_DOUBLE_EQ(Num("D1"), 1 + 2 + 300 + 10 + 20);
    EXPECT_DOUBLE_EQ(Num("E1"), 1 + 2 + 300 + 10 + 20);
    ExpectAllConsistent();
}

TEST_F(MixedStructure, MovedRowsKeepFormulaTextsAsWritten)
{
    Column("A", {1, 2, 3});
    Set("B1", "=A3");
    EXPECT_TRUE(grid.MoveRow(2, 1, 0));
    ExpectAllConsistent();
    EXPECT_EQ(FormulaOf("B2"), "=A3");
    GridPrivate::get(grid).seams.formulas->UpdateFormulas();
    EXPECT_DOUBLE_EQ(Num("B2"), 2) << "A3 now holds the row that was A2";
}
