#pragma once
// Sheets drawn as text for merge and row/column tests. A row is one line of space-separated
// tokens: a cell's text ("." when empty), "<" for a cell covered by an area owned in its own
// row, "^" for one covered by an area owned above it.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"

namespace qor::test {

inline std::vector<std::string> Sheet(TCustomQorGrid &g)
{
    std::vector<std::string> lines;
    for (int r = 0; r < g.GetRows(); ++r) {
        std::string line;
        for (int c = 0; c < g.GetCols(); ++c) {
            const TCellInfo *cell = GridPrivate::get(g).cells.At(r, c);
            std::string token = ".";
            if (cell && !cell->GetNeedDraw())
                token = cell->GetMergeRow() == r ? "<" : "^";
            else if (cell && !cell->GetText().isEmpty())
                token = cell->GetText().toStdString();
            line += (c ? " " : "") + token;
        }
        lines.push_back(line);
    }
    return lines;
}

// Sets the texts of a sheet drawn the same way ("." leaves a cell alone).
inline void Fill(TCustomQorGrid &g, const std::vector<std::string> &rows)
{
    for (int r = 0; r < int(rows.size()); ++r) {
        std::istringstream in(rows[size_t(r)]);
        std::string token;
        for (int c = 0; in >> token; ++c)
            if (token != ".")
                g.SetCellText(r, c, QString::fromStdString(token));
    }
}

// Every index of the grid agrees with every other.
inline void ExpectConsistent(TCustomQorGrid &g)
{
    GridPrivate &d = GridPrivate::get(g);
    EXPECT_EQ(d.cells.checkConsistency(), "");
    EXPECT_EQ(d.merges->checkConsistency(), "");
    EXPECT_EQ(d.rowAxis.checkConsistency(), "");
    EXPECT_EQ(d.colAxis.checkConsistency(), "");
    EXPECT_EQ(d.names.checkConsistency(), "");
    EXPECT_EQ(d.cells.RowCount(), g.GetRows());
    EXPECT_EQ(d.cells.ColCount(), g.GetCols());
    EXPECT_EQ(d.rowAxis.Count(), g.GetRows());
    EXPECT_EQ(d.colAxis.Count(), g.GetCols());
    EXPECT_EQ(int(d.rowInfo.size()), g.GetRows());
    ASSERT_EQ(d.columns.Count(), g.GetCols());
    for (int i = 0; i < g.GetCols(); ++i)
        EXPECT_EQ(g.Columns(i)->GetIndex(), i);
}

struct GroupedGrid : IDataOpsHost {
    bool IsGrouped() const override { return true; }
};

inline QRect Area(int row1, int col1, int row2, int col2) { return QRect(QPoint(col1, row1), QPoint(col2, row2)); }

} // namespace qor::test
