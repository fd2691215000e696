// Rows going in and out anywhere, near the top especially, where the store, the axes and the
// row records move their origin instead of everything below.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include "core/grid_p.h"
#include "core/model/axis_p.h"
#include "core/model/cell.h"
#include "core/model/cell_list.h"
#include "rowcol_sheet.h"

using namespace qor;
using namespace qor::test;

namespace {

// The store beside a plain row-major model of which cell sits where.
struct StoreAndModel {
    TCellList list;
    int rows = 0, cols = 0;
    std::vector<TCellInfo *> model;

    void reset(int r, int c)
    {
        ASSERT_TRUE(list.Reset(r, c));
        rows = r;
        cols = c;
        model.assign(size_t(r * c), nullptr);
    }
    TCellInfo *&at(int r, int c) { return model[size_t(r * cols + c)]; }
    void put(int r, int c)
    {
        TCellInfo *cell = list.NewCell(r, c);
        ASSERT_TRUE(list.Put(r, c, cell));
        at(r, c) = cell;
    }
    // Rebuilds the model from the new order of lines (new line -> old line, -1 for a new one).
    void remap(const std::vector<int> &order, bool byRows)
    {
        const int nr = byRows ? int(order.size()) : rows, nc = byRows ? cols : int(order.size());
        std::vector<TCellInfo *> next;
        for (int r = 0; r < nr; ++r)
            for (int c = 0; c < nc; ++c) {
                const int old = order[size_t(byRows ? r : c)];
                next.push_back(old < 0 ? nullptr : byRows ? at(old, c) : at(r, old));
            }
        model.swap(next);
        rows = nr;
        cols = nc;
    }
    std::vector<int> lines(bool byRows, int skipFrom = 0, int skipCount = 0) const
    {
        std::vector<int> order;
        for (int i = 0; i < (byRows ? rows : cols); ++i)
            if (i < skipFrom || i >= skipFrom + skipCount)
                order.push_back(i);
        return order;
    }
    void insertLines(int at, int count, bool byRows)
    {
        ASSERT_TRUE(list.InsertLines(at, count, byRows));
        std::vector<int> order = lines(byRows);
        order.insert(order.begin() + at, size_t(count), -1);
        remap(order, byRows);
    }
    void removeLines(int at, int count, bool byRows)
    {
        list.RemoveLines(at, count, byRows);
        remap(lines(byRows, at, count), byRows);
    }
    void moveLines(int from, int count, int to, bool byRows)
    {
        list.MoveLines(from, count, to, byRows);
        std::vector<int> order = lines(byRows, from, count);
        for (int i = 0; i < count; ++i)
            order.insert(order.begin() + to + i, from + i);
        remap(order, byRows);
    }
    void expectSame(const std::string &where)
    {
        ASSERT_EQ(list.RowCount(), rows) << where;
        ASSERT_EQ(list.ColCount(), cols) << where;
        ASSERT_EQ(list.Count(), rows * cols) << where;
        ASSERT_EQ(list.checkConsistency(), "") << where;
        int cells = 0;
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c) {
                TCellInfo *cell = list.At(r, c);
                ASSERT_EQ(cell, at(r, c)) << where << " at " << r << "," << c;
                if (cell) {
                    ++cells;
                    ASSERT_EQ(cell->GetRow(), r) << where;
                    ASSERT_EQ(cell->GetCol(), c) << where;
                }
            }
        ASSERT_EQ(list.CellCount(), cells) << where;
    }
};

int place(std::mt19937 &rng, int lines)
{
    switch (rng() % 4) {
    case 0:
        return 0;
    case 1:
        return std::min(int(rng() % 3), lines);
    case 2:
        return std::max(lines - int(rng() % 3), 0);
    default:
        return int(rng() % unsigned(lines + 1));
    }
}

} // namespace

TEST(CellStoreEnds, RandomLineChangesKeepEveryCellInItsSlot)
{
    for (unsigned seed = 1; seed <= 25; ++seed) {
        std::mt19937 rng(seed);
        StoreAndModel s;
        ASSERT_NO_FATAL_FAILURE(s.reset(8, 4));
        for (int step = 0; step < 300; ++step) {
            const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
            const bool byRows = rng() % 5 != 0;
            const int lines = byRows ? s.rows : s.cols;
            switch (rng() % 5) {
            case 0: { // fill a few slots
                for (int k = 0; k < 4 && s.rows && s.cols; ++k) {
                    const int r = int(rng() % unsigned(s.rows)), c = int(rng() % unsigned(s.cols));
                    if (!s.at(r, c))
                        ASSERT_NO_FATAL_FAILURE(s.put(r, c));
                }
                break;
            }
            case 1:
            case 2:
                if (lines < (byRows ? 40 : 9))
                    ASSERT_NO_FATAL_FAILURE(s.insertLines(place(rng, lines), int(rng() % 3) + 1, byRows));
                break;
            case 3:
                if (lines > 1) {
                    const int at = std::min(place(rng, lines), lines - 1);
                    s.removeLines(at, std::min(int(rng() % 3) + 1, lines - at), byRows);
                }
                break;
            default:
                if (lines > 2) {
                    const int count = int(rng() % unsigned(lines / 2)) + 1;
                    const int from = int(rng() % unsigned(lines - count + 1));
                    const int to = int(rng() % unsigned(lines - count + 1));
                    if (from != to)
                        s.moveLines(from, count, to, byRows);
                }
                break;
            }
            ASSERT_NO_FATAL_FAILURE(s.expectSame(where));
        }
    }
}

TEST(CellStoreEnds, PutTakesThePositionAndRefusesACellOfAnotherStore)
{
    TCellList list;
    ASSERT_TRUE(list.Reset(4, 4));
    TCellInfo *cell = list.NewCell(0, 0);
    ASSERT_TRUE(list.Put(2, 3, cell));
    EXPECT_EQ(cell->GetRow(), 2);
    EXPECT_EQ(cell->GetCol(), 3);
    EXPECT_EQ(list.checkConsistency(), "");

    TQorGrid g;
    TCellInfo *foreign = g.Cells(1, 1);
    EXPECT_FALSE(list.Put(0, 0, foreign));
    TCellInfo *outside = list.NewCell(0, 0);
    EXPECT_FALSE(list.Put(4, 0, outside));
    delete outside;
    TCellInfo *gridless = TCellInfo::Create(nullptr, 0, 0);
    EXPECT_FALSE(list.Put(1, 1, gridless)) << "a gridless cell counts from no store's origin";
    delete gridless;
    EXPECT_EQ(list.At(0, 0), nullptr);
    EXPECT_EQ(g.Cells(1, 1), foreign);
    EXPECT_EQ(foreign->GetGrid(), &g);
    EXPECT_EQ(list.CellCount(), 1);
}

TEST(AxisEnds, RandomChangesKeepEdgesThePrefixSums)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 rng(seed);
        Axis axis;
        axis.Reset(30, 18, utPixel);
        struct Line {
            int size;
            bool shown;
        };
        std::vector<Line> model(30, {18, true});
        for (int step = 0; step < 400; ++step) {
            const std::string where = "seed " + std::to_string(seed) + " step " + std::to_string(step);
            const int n = axis.Count();
            switch (rng() % 6) {
            case 0: {
                const int i = int(rng() % unsigned(n)), px = int(rng() % 40);
                axis.SetSize(i, px, utPixel);
                axis.SetSize(i, -1 - px, utPixel); // refused, as is a place outside
                axis.SetSize(rng() % 2 ? -1 : n, px, utPixel);
                model[size_t(i)].size = px;
                break;
            }
            case 1: {
                const int i = int(rng() % unsigned(n));
                const bool v = rng() % 2;
                axis.SetVisible(i, v);
                model[size_t(i)].shown = v;
                break;
            }
            case 2: {
                const int at = place(rng, n), count = int(rng() % 3) + 1, px = int(rng() % 30);
                axis.Insert(at, count, px, utPixel);
                model.insert(model.begin() + at, size_t(count), Line{px, true});
                break;
            }
            case 3:
                if (n > 2) {
                    const int at = std::min(place(rng, n), n - 1), count = int(rng() % 3) + 1;
                    axis.Remove(at, count);
                    model.erase(model.begin() + at, model.begin() + at + std::min(count, n - at));
                }
                break;
            default: {
                const int count = int(rng() % 4) + 1;
                if (n <= count)
                    break;
                const int from = int(rng() % unsigned(n - count + 1)), to = int(rng() % unsigned(n - count + 1));
                if (count == 1)
                    axis.Move(from, to);
                else
                    axis.MoveBlock(from, count, to);
                const std::vector<Line> block(model.begin() + from, model.begin() + from + count);
                model.erase(model.begin() + from, model.begin() + from + count);
                model.insert(model.begin() + to, block.begin(), block.end());
                break;
            }
            }
            ASSERT_EQ(axis.checkConsistency(), "") << where;
            ASSERT_EQ(axis.Count(), int(model.size())) << where;
            std::vector<int64_t> edges;
            int64_t edge = 0;
            for (int i = 0; i < axis.Count(); ++i) {
                const Line &m = model[size_t(i)];
                ASSERT_EQ(axis.VisibleSize(i), m.size) << where << " entry " << i;
                ASSERT_EQ(axis.Entry(i).visible, m.shown) << where << " entry " << i;
                ASSERT_EQ(axis.CurrentSize(i), m.shown ? m.size : 0) << where << " entry " << i;
                edge += m.shown ? m.size : 0;
                edges.push_back(edge);
                ASSERT_EQ(axis.Edge(i), edge) << where << " entry " << i;
            }
            // The searches against a walk over the sums.
            for (int64_t pos = -1; pos <= edge + 1; pos += 1 + int64_t(rng() % 7)) {
                const auto at = std::lower_bound(edges.begin(), edges.end(), pos);
                ASSERT_EQ(axis.FirstEdgeAtLeast(pos), int(at - edges.begin())) << where << " pos " << pos;
                const auto in = std::upper_bound(edges.begin(), edges.end(), pos);
                ASSERT_EQ(axis.IndexAt(pos), pos < 0 || in == edges.end() ? -1 : int(in - edges.begin())) << where << " pos " << pos;
            }
            ASSERT_EQ(axis.Total(), edge) << where;
            ASSERT_EQ(axis.IndexAt(edge), -1) << where;
            ASSERT_EQ(axis.FirstEdgeAtLeast(edge + 1), axis.Count()) << where;
        }
    }
}
