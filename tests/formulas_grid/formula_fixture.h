#pragma once
// A grid addressed by labels, with the formula subsystem's consistency checked on demand.
#include <gtest/gtest.h>
#include <string>
#include "core/grid.h"
#include "formula/engine/exp_value.h"
#include "formula/engine/expression_error.h"
#include "formula/formula_manager_p.h"

namespace qor::test {

class FormulaGrid : public ::testing::Test {
protected:
    void SetUp() override { Resize(12, 8); }
    void Resize(int rows, int cols)
    {
        grid.SetCols(cols);
        grid.SetRows(rows);
    }
    static void At(const char *label, int &row, int &col)
    {
        TCustomQorGrid::ParseColRow(QString::fromLatin1(label), col, row);
        --row;
    }
    void Set(const char *label, const QString &text)
    {
        int r, c;
        At(label, r, c);
        grid.SetCellText(r, c, text);
    }
    TCellInfo *Cell(const char *label)
    {
        int r, c;
        At(label, r, c);
        return grid.Cells(r, c);
    }
    // Numbers down a column from row 1.
    void Column(const char *col, std::initializer_list<int> values)
    {
        int row = 1;
        for (int v : values)
            Set((std::string(col) + std::to_string(row++)).c_str(), QString::number(v));
    }
    ExpValue Value(const char *label) { return Cell(label)->GetFormulaValue(); }
    double Num(const char *label) { return Value(label).AsDouble(); }
    std::string Text(const char *label) { return Value(label).AsText(); }
    // The expression the engine would read for a cell now ("~" for an empty marker).
    std::string Prepared(const char *label) { return Manager().Evaluator().PreparedText(*Cell(label)); }
    FormulaManager &Manager() { return FormulaManager::Of(grid); }
    void ExpectConsistent() { EXPECT_EQ(Manager().checkConsistency(), ""); }
    std::string RaisedBy(const std::function<void()> &f)
    {
        try {
            f();
        } catch (const EExpressionError &e) {
            return e.what();
        }
        return {};
    }

    TQorGrid grid;
};

} // namespace qor::test
