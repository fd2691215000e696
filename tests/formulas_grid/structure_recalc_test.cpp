// After a row or column operation only the formulas that can read something else are
// evaluated again, with everything that depends on them; the values must be those a full
// recalculation gives, and anything the grid cannot account for falls back to one.
#include <gtest/gtest.h>

#include "core/grid_p.h"
#include "formula/engine/expression.h"
#include "formula_fixture.h"

using namespace qor;
using namespace qor::test;

namespace {

class StructureRecalc : public FormulaGrid {
protected:
    // Values known to be current: the next operation may recalculate selectively.
    void Settle()
    {
        grid.RefreshFormula();
        ASSERT_TRUE(Manager().ValuesCurrent());
    }
    // Puts a value that no evaluation would give, behind the grid's back.
    void Plant(const char *label, double value) { Manager().Store().Slot(Cell(label)).value = ExpValue(value); }
};

} // namespace

TEST_F(StructureRecalc, FormulasThatReadNothingMovedAreNotEvaluatedAgain)
{
    Column("A", {1, 2, 3, 4});
    Set("B1", "=A1+A2");
    Set("B8", "=A4*2");
    Settle();
    Plant("B1", 99);
    Plant("B8", 99);
    grid.InsertRow(5, 1);
    EXPECT_DOUBLE_EQ(Num("B1"), 99) << "above the new row: kept";
    EXPECT_DOUBLE_EQ(Num("B9"), 99) << "below it, moved along: kept";
    EXPECT_EQ(Cell("B9")->GetText(), "=A4*2");
    grid.DeleteRow(6);
    EXPECT_DOUBLE_EQ(Num("B8"), 99);
    ExpectConsistent();
}

TEST_F(StructureRecalc, AReferenceMovedOntoItsOwnCellFailsAsInAFullPass)
{
    Set("B4", "1");
    Set("B5", "=B4+1");
    Set("C1", "=B5*2");
    Settle();
    const int before = Manager().Store().Count();
    grid.DeleteRow(3); // B5 moves up to B4 and its reference to the deleted B4 follows to B4
    EXPECT_EQ(Cell("B4")->GetText(), "=B4+1");
    EXPECT_EQ(Manager().Store().Count(), before - 2) << "the circular cell and the one waiting for it leave";
    EXPECT_FALSE(Manager().ValuesCurrent());
    ExpectConsistent();
}

TEST_F(StructureRecalc, WhatTheGridCannotAccountForRecalculatesEverything)
{
    Column("A", {1, 2});
    Set("B1", "=SUM(A1:A2)");
    Set("C1", "=A1*3");
    // A value put back by hand.
    Settle();
    Cell("C1")->SetFormulaValue(ExpValue(99.0));
    grid.InsertRow(6, 1);
    EXPECT_DOUBLE_EQ(Num("C1"), 3);
    // A merge made since the last pass: A2 is covered now.
    Settle();
    grid.MergeCells(0, 0, 1, 0);
    grid.InsertRow(6, 1);
    EXPECT_DOUBLE_EQ(Num("B1"), 1);
    // A handler that answers names: it may answer differently each time.
    int calls = 0;
    grid.OnEvaluate = [&calls](TQorExpression *, const QString &, const ExpValue *, int, ExpValue &v, bool &done) {
        v = ExpValue(double(++calls));
        done = true;
    };
    Set("E1", "=tick(1)");
    Settle();
    grid.InsertRow(6, 1);
    EXPECT_DOUBLE_EQ(Num("E1"), calls);
    EXPECT_GE(calls, 3);
    ExpectConsistent();
}

TEST_F(StructureRecalc, AHandlerThatChangesCellsWhileReferencesMoveGetsAFullPass)
{
    Column("A", {1, 2, 3});
    Set("B1", "=A1*2");
    Set("C5", "=A6+A3");
    Settle();
    bool once = false;
    grid.OnChange = [&](QObject *, int row, int col) {
        if (!once && row == 5 && col == 2) { // C5 moved to C6 and got its new text
            once = true;
            grid.SetCellText(0, 0, "50");
        }
    };
    grid.InsertRow(4, 1);
    grid.OnChange = nullptr;
    EXPECT_TRUE(once);
    EXPECT_DOUBLE_EQ(Num("B1"), 100) << "B1 reads nothing moved, but its A1 changed meanwhile";
    EXPECT_EQ(Cell("C6")->GetText(), "=A7+A3");
    EXPECT_DOUBLE_EQ(Num("C6"), 3);
    ExpectConsistent();
}
