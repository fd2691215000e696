// Recalculation: full passes, propagation of one change, batches, structural rewrites, footers.
#include "formula_fixture.h"

#include "formula/cell_formula.h"
#include "formula/engine/expression.h"

using namespace qor;
using qor::test::FormulaGrid;

using CellFormulaRecalc = FormulaGrid;

namespace {

// Records the order in which formulas are evaluated through a user function.
struct EvalLog {
    std::vector<std::string> order;
    void Attach(TCustomQorGrid &grid)
    {
        grid.OnEvaluate = [this](TQorExpression *, const QString &name, const ExpValue *args, int argCount,
                                 ExpValue &value, bool &done) {
            if (name == "TAG" && argCount == 2) {
                order.push_back(args[0].AsText());
                value = args[1];
                done = true;
            }
        };
    }
};

} // namespace

TEST_F(CellFormulaRecalc, ChangePropagatesInDependencyOrder)
{
    EvalLog log;
    log.Attach(grid);
    Set("A1", "1");
    Set("B1", "=TAG(\"B1\",A1+1)");
    Set("C1", "=TAG(\"C1\",B1*2)");
    log.order.clear();
    Set("A1", "5");
    EXPECT_EQ(log.order, (std::vector<std::string>{"B1", "C1"}));
    EXPECT_EQ(Num("C1"), 12);
    ExpectConsistent();
}

TEST_F(CellFormulaRecalc, VisitingGuardStopsACycleOfDependents)
{
    Set("A1", "1");
    Set("B1", "=A1+1");
    // Make A1 depend on B1 behind the grid's back: propagation must still end.
    grid.AddFormulaCellList(0, 0, "=B1");
    Set("A1", "2");
    EXPECT_EQ(Num("B1"), 3);
    EXPECT_TRUE(Manager().Store().Visiting().empty());
}

TEST_F(CellFormulaRecalc, BatchDefersEvaluation)
{
    grid.BeginUpdate();
    Set("A1", "2");
    Set("B1", "=A1*3");
    Set("C1", "=B1+1");
    EXPECT_EQ(Num("C1"), 0);
    grid.UpdateFormula(true);
    EXPECT_EQ(Num("C1"), 0) << "nothing while locked, even when forced";
    grid.EndUpdate();
    EXPECT_EQ(Num("B1"), 6);
    EXPECT_EQ(Num("C1"), 7);
    ExpectConsistent();
}

TEST_F(CellFormulaRecalc, AutomaticCalculationOff)
{
    grid.SetOptions(grid.GetOptions().Without(qgoAutoCalFormula));
    Set("A1", "2");
    Set("B1", "=A1*3");
    EXPECT_EQ(Num("B1"), 6) << "an entered formula is evaluated";
    Set("A1", "3");
    EXPECT_EQ(Num("B1"), 6) << "but changes do not propagate";
    grid.UpdateFormula(false);
    EXPECT_EQ(Num("B1"), 6);
    grid.RefreshFormula();
    EXPECT_EQ(Num("B1"), 9);
    Set("A1", "4");
    grid.SetOptions(grid.GetOptions().With(qgoAutoCalFormula));
    EXPECT_EQ(Num("B1"), 12) << "switching it on brings everything up to date";
}

TEST_F(CellFormulaRecalc, FullRecalculationEvaluatesEachFormulaOnce)
{
    EvalLog log;
    log.Attach(grid);
    grid.BeginUpdate();
    Set("A1", "=TAG(\"A1\",1)");
    Set("A2", "=TAG(\"A2\",A1+1)");
    Set("A3", "=TAG(\"A3\",A2+A1)");
    grid.EndUpdate();
    // From the last entry: A3 needs A2, which needs A1.
    EXPECT_EQ(log.order, (std::vector<std::string>{"A1", "A2", "A3"}));
    EXPECT_EQ(Num("A3"), 3);
}

TEST_F(CellFormulaRecalc, StaleDependentsAreDroppedLazily)
{
    Set("A1", "1");
    Set("B1", "=A1");
    Set("C1", "=A1");
    EXPECT_EQ(Manager().Store().Dependents(Manager().Store().Key(0, 0))->size(), 2u);
    grid.DeleteFormulaCellList(0, 2, "=B7", false);
    Set("C1", "x");
    EXPECT_EQ(Manager().Store().Dependents(Manager().Store().Key(0, 0))->size(), 1u) << "changing C1 unregisters it";
    grid.AddFormulaCellList(0, 2, "=A1");
    Set("A1", "2");
    EXPECT_EQ(Manager().Store().Dependents(Manager().Store().Key(0, 0))->size(), 1u) << "a dependent that is no formula leaves";
    EXPECT_EQ(Num("B1"), 2);
    ExpectConsistent();
}

TEST_F(CellFormulaRecalc, FooterFormulas)
{
    Set("B2", "1");
    Set("B3", "5");
    const TFormulaType types[] = {ftSum, ftCount, ftMin, ftMax, ftAvg, ftNone};
    const char *texts[] = {"=Sum(B2:B3)", "2", "=Min(B2:B3)", "=Max(B2:B3)", "3", "3"};
    for (int i = 0; i < 6; ++i) {
        grid.Columns(1)->SetFormulaType(types[i]);
        grid.SetFooterFormula(4, 1, 1, 2, TFooterFormulaData{2, 6});
        EXPECT_EQ(grid.GetCellText(4, 1), texts[i]) << i;
        EXPECT_TRUE(grid.Cells(4, 1)->GetIsNumber());
    }
    grid.Columns(1)->SetFormulaType(ftMax);
    grid.SetFooterFormula(4, 1, 1, 2, TFooterFormulaData{2, 6});
    EXPECT_EQ(grid.Cells(4, 1)->GetFormulaValue().AsDouble(), 5);
    grid.Columns(1)->SetFormulaType(ftAvg);
    grid.SetFooterFormula(4, 1, 1, 2, TFooterFormulaData{0, 0});
    EXPECT_EQ(grid.GetCellText(4, 1), "0") << "an empty group";

    // The footer mode pulls references up out of the footer rows.
    grid.SetFooterRows(2);
    Set("A1", "=SUM(B1:B12)");
    grid.ResetFormula(0, 0, rfFooter);
    EXPECT_EQ(Cell("A1")->GetText(), "=SUM(B1:B10)");
}

TEST_F(CellFormulaRecalc, LongChainEvaluatesAndPropagates)
{
    // Deep enough to overflow any call stack if either walk recursed.
    const int n = 1000000;
    Resize(n, 2);
    grid.BeginUpdate();
    grid.SetCellText(0, 0, "1");
    grid.SetCellText(0, 1, "=A1");
    for (int r = 1; r < n; ++r)
        grid.SetCellText(r, 1, QStringLiteral("=B%1+1").arg(r));
    grid.EndUpdate();
    EXPECT_EQ(grid.Cells(n - 1, 1)->GetFormulaValue().AsDouble(), n);
    grid.SetCellText(0, 0, "10");
    EXPECT_EQ(grid.Cells(n - 1, 1)->GetFormulaValue().AsDouble(), n + 9);
    // Entering a formula at the end re-evaluates the whole chain under it.
    grid.SetCellText(n - 1, 0, QStringLiteral("=B%1*2").arg(n - 1));
    EXPECT_EQ(grid.Cells(n - 1, 0)->GetFormulaValue().AsDouble(), 2.0 * (n + 8));
    ExpectConsistent();
}

TEST_F(CellFormulaRecalc, LongCycleIsReported)
{
    const int n = 100000;
    Resize(n, 1);
    grid.BeginUpdate();
    for (int r = 0; r < n; ++r)
        grid.SetCellText(r, 0, QStringLiteral("=A%1+1").arg((r + 1) % n + 1));
    grid.EndUpdate();
    EXPECT_EQ(Manager().Store().Count(), 0) << "every cell of the cycle was dropped";
    EXPECT_EQ(RaisedBy([&] { grid.SetCellText(5, 0, "=A1+2"); }), "循环引用");
    ExpectConsistent();
}
