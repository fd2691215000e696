// Evaluating one formula: literals, the empty marker, ranges, hidden and skipped cells, texts.
#include "formula_fixture.h"

#include "formula/engine/expression.h"

using namespace qor;
using qor::test::FormulaGrid;

using CellFormulaEval = FormulaGrid;

TEST_F(CellFormulaEval, NumberLiterals)
{
    Set("A1", "1,234");
    Set("B1", "=A1*2");
    EXPECT_EQ(Num("B1"), 2468);
    Set("A1", "-5");
    EXPECT_EQ(Prepared("B1"), "(-5)*2");
    EXPECT_EQ(Num("B1"), -10);
    // Texts that are numbers in another spelling are written in their shortest form.
    Set("A1", " 0012.50 ");
    EXPECT_EQ(Prepared("B1"), "12.5*2");
    Set("A1", "1e3");
    EXPECT_EQ(Prepared("B1"), "1000*2");
    Set("A1", "0.1");
    EXPECT_EQ(Prepared("B1"), "0.1*2");
    Set("A1", "-0");
    EXPECT_EQ(Prepared("B1"), "0*2");
    Set("A1", "123456789012345678");
    EXPECT_EQ(Prepared("B1"), "(1.23456789012346E17)*2");
    // With an exponent the number is parenthesised: "1E20-5" would read as one bad literal.
    Set("A1", "1e20");
    Set("B1", "=A1-A2");
    Set("A2", "5");
    EXPECT_EQ(Prepared("B1"), "(1E20)-5");
    EXPECT_EQ(Num("B1"), 1e20 - 5);
    Set("A1", "1e-7");
    EXPECT_DOUBLE_EQ(Num("B1"), 1e-7 - 5);
}

TEST_F(CellFormulaEval, RangesListTheVisibleCells)
{
    Column("A", {1, 2, -3});
    Set("B1", "=SUM(A1:A3)");
    EXPECT_EQ(Prepared("B1"), "SUM(1,2,(-3))");
    EXPECT_EQ(Num("B1"), 0);
    grid.SetRowHeight(1, 0);
    EXPECT_EQ(Num("B1"), -2) << "hiding a row recalculates the sums over it";
    EXPECT_EQ(Prepared("B1"), "SUM(1,(-3))");
    grid.SetIncludeHiddenData(true);
    EXPECT_EQ(Prepared("B1"), "SUM(1,2,(-3))");
    grid.SetIncludeHiddenData(false);
    grid.SetRowHeight(0, 0);
    grid.SetRowHeight(2, 0);
    EXPECT_EQ(Prepared("B1"), "SUM()");
    EXPECT_EQ(Num("B1"), 0);
    grid.SetRowHeight(1, 18);
    EXPECT_EQ(Num("B1"), 2) << "showing a row recalculates too";
    grid.SetRowHeight(0, 18);
    grid.SetRowVisible(1, false);
    EXPECT_EQ(Num("B1"), 1);
    grid.SetRowVisible(1, true);
    EXPECT_EQ(Num("B1"), 3);
    ExpectConsistent();
}

TEST_F(CellFormulaEval, GroupRowsAndCoveredCellsAreSkipped)
{
    Column("A", {1, 20, 300, 4000});
    grid.SetRowGroup(1, 0, 2, 1, 0);
    Cell("A3")->SetNeedDraw(false);
    Set("B1", "=SUM(A1:A4)");
    EXPECT_EQ(Num("B1"), 4001);
    Set("B2", "=A2+A3+A4");
    EXPECT_EQ(Prepared("B2"), "~+~+4000");
    EXPECT_EQ(Num("B2"), 4000);
}

TEST_F(CellFormulaEval, AboveSumsTheDataRows)
{
    grid.SetTitleRows(1);
    Set("C1", "Title");
    Set("C2", "1");
    Set("C3", "2");
    Set("C4", "4");
    Set("C5", "=SUM(Above)");
    EXPECT_EQ(Num("C5"), 7);
    Set("A1", "=SUM(Above)");
    EXPECT_EQ(Prepared("A1"), "SUM(0)");
    Set("C3", "10");
    EXPECT_EQ(Num("C5"), 15) << "Above registers the cells it reads";
}

TEST_F(CellFormulaEval, CircularReferences)
{
    Set("A1", "=B1");
    EXPECT_EQ(RaisedBy([&] { Set("B1", "=A1"); }), "循环引用");
    EXPECT_EQ(RaisedBy([&] { Set("C1", "=C1+1"); }), "循环引用");
    ExpectConsistent();
    // The text stays; a full recalculation drops the offending cells and carries on.
    EXPECT_EQ(Cell("B1")->GetText(), "=A1");
    Set("D1", "=2");
    grid.RefreshFormula();
    EXPECT_EQ(Num("D1"), 2);
    EXPECT_EQ(Manager().Store().Count(), 1);
    ExpectConsistent();
    // Any other engine error reaches the caller as well.
    EXPECT_NE(RaisedBy([&] { Set("E1", "=1+(2"); }), "");
    ExpectConsistent();
}

TEST_F(CellFormulaEval, GridEvaluateReadsStoredValues)
{
    Set("A1", "3");
    Set("A2", "=A1*2");
    EXPECT_EQ(grid.Evaluate("A1+A2").AsDouble(), 9);
    EXPECT_EQ(grid.Evaluate("SUM(A1:A2)+Above").AsDouble(), 9) << "Above is a plain name here";
    EXPECT_EQ(grid.Evaluate("SUM(A1:2)").AsDouble(), 0);
}

TEST_F(CellFormulaEval, UnknownNamesGoToOnEvaluate)
{
    std::vector<double> seen;
    grid.OnEvaluate = [&](TQorExpression *, const QString &name, const ExpValue *args, int argCount, ExpValue &value,
                          bool &done) {
        EXPECT_FALSE(done);
        if (name.compare("TWICE", Qt::CaseInsensitive) == 0 && argCount == 1) {
            seen.push_back(args[0].AsDouble());
            value = args[0].AsDouble() * 2;
            done = true;
        } else if (name == "INNER") { // the hook may evaluate again
            value = grid.Evaluate("A1*10");
            done = true;
        }
    };
    Set("A1", "21");
    Set("B1", "=TWICE(A1)");
    EXPECT_EQ(Num("B1"), 42);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0], 21);
    EXPECT_EQ(grid.Expression()->GetEvaluateOrder(), eoInternalFirst);
    Set("B2", "=INNER+1");
    EXPECT_EQ(Num("B2"), 211);
}
