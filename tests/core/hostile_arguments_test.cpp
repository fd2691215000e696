// Row, column, size, merge, formula-range and cells-block operations called with positions and
// counts at the ends of int: each refuses (or clamps, where that is the rule) and never
// crashes, allocates without bound or leaves a half-changed grid.
#include <gtest/gtest.h>

#include <QBuffer>
#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "core/grid.h"
#include "message_recorder.h"

using namespace qor;

namespace {

const int kArgs[] = {INT_MIN, INT_MIN + 1, -1, 0, 1, 3, INT_MAX - 1, INT_MAX};

bool hostile(int v) { return v < 0 || v > 1000; }

// For calls of one index or count: the hostile one of the pair.
int pick(int a, int b) { return hostile(a) ? a : b; }

void build(TCustomQorGrid &g)
{
    g.SetRows(6);
    g.SetCols(5);
    for (int r = 0; r < 6; ++r)
        for (int c = 0; c < 5; ++c)
            g.SetCellText(r, c, QString::number(r * 10 + c));
    g.MergeCells(1, 1, 2, 2);
    g.SetCellText(5, 4, QStringLiteral("=A1+B1"));
}

// Everything a refused call must leave as it was.
std::string snapshot(TCustomQorGrid &g)
{
    std::string s = std::to_string(g.GetRows()) + "x" + std::to_string(g.GetCols()) + ";";
    for (int r = 0; r < g.GetRows(); ++r)
        s += std::to_string(g.GetRowHeight(r)) + (g.GetRowVisible(r) ? "" : "h") + ",";
    for (int c = 0; c < g.GetCols(); ++c)
        s += std::to_string(g.GetColWidth(c)) + (g.GetColVisible(c) ? "" : "h") + ",";
    for (int r = 0; r < g.GetRows(); ++r)
        for (int c = 0; c < g.GetCols(); ++c) {
            const QRect a = g.MergedArea(r, c);
            s += g.GetCellText(r, c).toStdString() + "@" + std::to_string(a.left()) + "." +
                 std::to_string(a.top()) + "." + std::to_string(a.width()) + "." + std::to_string(a.height()) + "|";
        }
    return s;
}

struct Op {
    const char *name;
    std::function<void(TQorGrid &, int, int)> call;  // refused whenever either argument is hostile
};

const std::vector<Op> &ops()
{
    static const std::vector<Op> table{
        {"MoveRow(from, count, 1)", [](TQorGrid &g, int a, int b) { g.MoveRow(a, b, 1); }},
        {"MoveRow(1, count, to)", [](TQorGrid &g, int a, int b) { g.MoveRow(1, a, b); }},
        {"MoveCol(from, count, 1)", [](TQorGrid &g, int a, int b) { g.MoveCol(a, b, 1); }},
        {"MoveCol(1, count, to)", [](TQorGrid &g, int a, int b) { g.MoveCol(1, a, b); }},
        {"InsertRow(at, count)", [](TQorGrid &g, int a, int b) { g.InsertRow(1, pick(b, a)); }},
        {"InsertCol(at, count)", [](TQorGrid &g, int a, int b) { g.InsertCol(1, pick(b, a)); }},
        {"AppendRow(count)", [](TQorGrid &g, int a, int b) { g.AppendRow(pick(a, b)); }},
        {"AppendCol(count)", [](TQorGrid &g, int a, int b) { g.AppendCol(pick(a, b)); }},
        {"SetRowVisible", [](TQorGrid &g, int a, int b) { g.SetRowVisible(pick(a, b), false); }},
        {"SetColVisible", [](TQorGrid &g, int a, int b) { g.SetColVisible(pick(a, b), false); }},
        {"SetRowHeight", [](TQorGrid &g, int a, int b) { g.SetRowHeight(pick(a, b), 40); }},
        {"SetColWidth", [](TQorGrid &g, int a, int b) { g.SetColWidth(pick(a, b), 40); }},
        {"SetPhyRowHeight", [](TQorGrid &g, int a, int b) { g.SetPhyRowHeight(pick(a, b), 40); }},
        {"SetCellText", [](TQorGrid &g, int a, int b) { g.SetCellText(a, b, QStringLiteral("x")); }},
        {"Cells", [](TQorGrid &g, int a, int b) { EXPECT_EQ(g.Cells(a, b), nullptr); }},
        {"LoadCellsFromStream at (a, b)", [](TQorGrid &g, int a, int b) {
             QBuffer buf;
             buf.open(QIODevice::ReadWrite);
             g.SaveCellsToStream(0, 0, 2, 2, buf);
             buf.seek(0);
             g.LoadCellsFromStream(buf, a, b, true, false);
         }},
        {"SaveCellsToStream(0, 0, a, b)", [](TQorGrid &g, int a, int b) {
             QBuffer buf;
             buf.open(QIODevice::ReadWrite);
             g.SaveCellsToStream(0, 0, a, b, buf);
         }},
    };
    return table;
}

// Calls whose ranges clip to the grid (an area or a span of lines reaching past its end is
// cut there): they must survive, and leave a grid whose cells and areas still agree.
const std::vector<Op> &clippingOps()
{
    static const std::vector<Op> table{
        {"MergeCells(a, 0, b, 1)", [](TQorGrid &g, int a, int b) { g.MergeCells(a, 0, b, 1); }},
        {"MergeCells(0, a, 1, b)", [](TQorGrid &g, int a, int b) { g.MergeCells(0, a, 1, b); }},
        {"ResetRowOfMergeCell", [](TQorGrid &g, int a, int b) { g.ResetRowOfMergeCell(a, b); }},
        {"ResetColOfMergeCell", [](TQorGrid &g, int a, int b) { g.ResetColOfMergeCell(a, b); }},
        {"DeleteRow", [](TQorGrid &g, int a, int b) { g.DeleteRow(pick(a, b)); }},
        {"DeleteCol", [](TQorGrid &g, int a, int b) { g.DeleteCol(pick(a, b)); }},
        {"ResetFormula rows inserted", [](TQorGrid &g, int a, int b) { g.ResetFormula(a, b, rfRowsInserted); }},
        {"ResetFormula cols deleted", [](TQorGrid &g, int a, int b) { g.ResetFormula(a, b, rfColsDeleted); }},
    };
    return table;
}

// Steps of a deletion, which leave the areas of the span for the removal that follows: they
// only have to survive.
const std::vector<Op> &deletionSteps()
{
    static const std::vector<Op> table{
        {"DelRowOfMergeCell", [](TQorGrid &g, int a, int b) { g.DelRowOfMergeCell(a, b); }},
        {"DelColOfMergeCell", [](TQorGrid &g, int a, int b) { g.DelColOfMergeCell(a, b); }},
    };
    return table;
}

template <class Check>
void sweep(const std::vector<Op> &table, Check check)
{
    for (const Op &op : table) {
        for (int a : kArgs) {
            for (int b : kArgs) {
                if (!hostile(a) && !hostile(b))
                    continue;
                TQorGrid g;
                build(g);
                const std::string before = snapshot(g);
                test::MessageRecorder boxes;
                try {
                    op.call(g, a, b);
                } catch (const std::exception &) {
                    // a refusal the caller sees is fine; what it leaves behind is checked below
                }
                check(g, before, std::string(op.name) + " with " + std::to_string(a) + ", " + std::to_string(b));
            }
        }
    }
}

} // namespace

TEST(HostileArguments, RefusedWithTheGridUnchanged)
{
    sweep(ops(), [](TQorGrid &g, const std::string &before, const std::string &what) {
        EXPECT_EQ(snapshot(g), before) << what;
    });
}

TEST(HostileArguments, ClippedRangesLeaveAConsistentGrid)
{
    sweep(clippingOps(), [](TQorGrid &g, const std::string &, const std::string &what) {
        const QRect sheet(0, 0, g.GetCols(), g.GetRows());
        ASSERT_TRUE(sheet.width() >= 4 && sheet.height() >= 5) << what;  // at most one line deleted
        for (int r = 0; r < sheet.height(); ++r)
            for (int c = 0; c < sheet.width(); ++c) {
                const QRect area = g.MergedArea(r, c);
                EXPECT_TRUE(area.contains(c, r) && sheet.contains(area)) << what << " at " << r << "," << c;
            }
        g.SetCellText(0, 0, QStringLiteral("7"));  // recalculation still finds its cells
    });
    sweep(deletionSteps(), [](TQorGrid &g, const std::string &, const std::string &what) {
        EXPECT_EQ(g.GetRows(), 6) << what;
    });
}

TEST(HostileArguments, ReadersOutsideTheGridAnswerTheirDefaults)
{
    TQorGrid g;
    build(g);
    g.SetRowVisible(2, false);
    g.SetColVisible(2, false);
    EXPECT_FALSE(g.GetRowVisible(2));
    EXPECT_FALSE(g.GetColVisible(2));
    for (int v : {INT_MIN, -1, 6, INT_MAX}) {
        EXPECT_TRUE(g.GetRowVisible(v)) << v;  // like GetColVisible: only a real line is hidden
        EXPECT_TRUE(g.GetColVisible(v)) << v;
        EXPECT_TRUE(g.GetCellText(v, v).isEmpty()) << v;
        EXPECT_FALSE(g.MergedArea(v, 0).isValid() && g.MergedArea(v, 0).width() > 1) << v;
    }
}
