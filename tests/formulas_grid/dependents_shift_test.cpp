// Rows and columns inserted, deleted and moved anywhere in a sheet of formulas and merged areas:
// the dependents table kept up by moving registrations must equal one built anew from the texts,
// the values kept or re-evaluated must equal a full recalculation, and merged areas that only
// moved must keep their covered cells pointing at their owners.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "formula_fixture.h"

using namespace qor;
using namespace qor::test;

namespace {

class DependentsShift : public FormulaGrid {
protected:
    // Absolute position -> the absolute positions of the formulas reading it.
    using Table = std::map<std::pair<int, int>, std::set<std::pair<int, int>>>;
    Table Snapshot()
    {
        FormulaStore &store = Manager().Store();
        Table table;
        store.ForEachDependents([&](PosKey key, const DepList &list) {
            auto &readers = table[{store.RowOfKey(key), KeyCol(key)}];
            for (size_t i = 0; i < list.size(); ++i)
                readers.insert({store.RowOfKey(list[i]), KeyCol(list[i])});
        });
        return table;
    }
    std::vector<std::string> Values()
    {
        std::vector<std::string> out;
        for (int r = 0; r < grid.GetRows(); ++r)
            for (int c = 0; c < grid.GetCols(); ++c)
                if (TCellInfo *cell = GridPrivate::get(grid).cells.At(r, c); cell && cell->GetText().startsWith('='))
                    out.push_back(std::to_string(r) + "," + std::to_string(c) + " " + cell->GetText().toStdString() +
                                  " " + cell->GetFormulaValue().AsText());
        return out;
    }
    QString Label(int row, int col) { return TCustomQorGrid::ColToText(col) + QString::number(row + 1); }

    std::mt19937 rng{20261206};
    int Pick(int n) { return int(rng() % unsigned(n)); }
    QString RandomFormula(int row, int col)
    {
        // Numbers in A:B, formulas from C on that read A:B or a formula cell above, columns
        // inserted from C on: no cycle, so a full pass and a partial one must agree.
        const int r1 = Pick(grid.GetRows()), r2 = Pick(grid.GetRows()), c1 = Pick(2);
        switch (Pick(5)) {
        case 0: return "=" + Label(r1, c1) + "+1";
        case 1: return "=SUM(" + Label(std::min(r1, r2), 0) + ":" + Label(std::max(r1, r2), 1) + ")";
        case 2: return "=" + Label(r1, 0) + "*2+" + Label(r2, 1);
        // Two rows up: a deleted row in between would otherwise fold the reference onto itself.
        case 3: return row > 1 ? "=" + Label(row - 2, col) + "+" + Label(row, 0) : QString("=A1");
        default: return "=MAX(" + Label(std::min(r1, r2), c1) + ":" + Label(std::max(r1, r2), c1) + ")";
        }
    }
};

TEST_F(DependentsShift, RandomStructuralChangesKeepTheTableAndTheValues)
{
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE(round);
        grid.SetRows(1);
        Resize(14, 6);
        auto set = [this](int r, int c, const QString &text) { grid.SetCellText(r, c, text); };
        for (int r = 0; r < grid.GetRows(); ++r) {
            set(r, 0, QString::number(Pick(50)));
            set(r, 1, QString::number(Pick(50)));
            if (Pick(2))
                set(r, 2 + Pick(4), RandomFormula(r, 2));
        }
        grid.RefreshFormula();
        for (int step = 0; step < 60; ++step) {
            const int rows = grid.GetRows(), cols = grid.GetCols();
            const int where = Pick(3) == 0 ? 0 : (Pick(2) ? rows - 1 : Pick(rows));
            std::string op;
            switch (Pick(8)) {
            case 0: case 1: op = "insert row"; grid.InsertRow(where, 1 + Pick(2)); break;
            case 2: case 3: if (rows > 4) { op = "delete row"; grid.DeleteRow(where); } break;
            case 4: op = "insert col"; grid.InsertCol(2 + Pick(cols - 2), 1); break;
            case 5: if (cols > 4) { op = "delete col"; grid.DeleteCol(2 + Pick(cols - 2)); } break;
            case 6:
                if (Pick(2)) {
                    op = "move row";
                    grid.MoveRow(Pick(rows), 1, Pick(rows));
                } else {
                    op = "merge";
                    const int r = Pick(rows - 1), c = 2 + Pick(cols - 3);
                    grid.MergeCells(r, c, r + 1 + Pick(std::min(2, rows - r - 1)), c + Pick(2));
                    grid.RefreshFormula(); // merging alone recalculates nothing
                }
                break;
            default: {
                op = "edit";
                const int r = Pick(rows);
                set(r, Pick(2), QString::number(Pick(50)));
                if (Pick(3) == 0)
                    set(r, 2 + Pick(cols - 2), RandomFormula(r, 2));
            }
            }
            SCOPED_TRACE(op + " at " + std::to_string(where) + ", step " + std::to_string(step));
            ExpectConsistent();
            EXPECT_EQ(GridPrivate::get(grid).merges->checkConsistency(), "");
            Manager().EnsureDependents(); // as the next propagation does
            const Table kept = Snapshot();
            const std::vector<std::string> values = Values();
            Manager().LinesMoved(); // builds the table anew from the texts
            EXPECT_EQ(kept, Snapshot());
            grid.RefreshFormula();
            EXPECT_EQ(values, Values());
            if (HasFailure())
                return;
        }
    }
}

} // namespace
