// Scrolling and hit testing on a sheet of 10 columns and 1,000 against 1,000,000 rows: one
// scroll step (new position, view region, offsets) and 100 hit tests across the client area,
// at 1280 x 800 in the middle of the sheet. The work must not grow with the rows. A QTableView
// over a QStandardItemModel of the same size does the same (scroll bar value, indexAt), in the
// same run, for scale.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <cstdio>
#include <map>
#include <memory>

#include "core/grid.h"
#include "../qt_bench_main.h"

namespace {

constexpr int kCols = 10;
const QSize kClient(1280, 800);
std::map<std::pair<bool, int>, double> g_us;   // (ours, rows) -> microseconds per step

QPoint probe(int i) { return QPoint(45 + (i * 97) % 1200, 25 + (i * 61) % 760); }

void BM_GridScrollAndHit(benchmark::State &state)
{
    const int rows = int(state.range(0));
    qor::TQorGrid grid;
    grid.SetGridType(qor::gtExcel);
    grid.SetCols(kCols);
    grid.SetRows(rows);
    grid.resize(kClient);
    grid.show();
    QApplication::processEvents();
    const int middle = grid.GetVertRange() / 2;
    int flip = 0, sum = 0;
    for (auto _ : state) {
        grid.SetPosition(0, middle + (flip ^= 1) * 18 * 3);
        int row, col;
        for (int i = 0; i < 100; ++i) {
            grid.CellFromPoint(probe(i), row, col);
            sum += row;
        }
        sum += grid.GetBottomRow();
    }
    benchmark::DoNotOptimize(sum);
}

void BM_TableViewScrollAndHit(benchmark::State &state)
{
    const int rows = int(state.range(0));
    QStandardItemModel model(rows, kCols);
    QTableView view;
    view.setModel(&model);
    view.verticalHeader()->setDefaultSectionSize(18);
    view.horizontalHeader()->setDefaultSectionSize(60);
    view.resize(kClient);
    view.show();
    QApplication::processEvents();
    QScrollBar *bar = view.verticalScrollBar();
    const int middle = bar->maximum() / 2;
    int flip = 0, sum = 0;
    for (auto _ : state) {
        bar->setValue(middle + (flip ^= 1) * 3);
        for (int i = 0; i < 100; ++i)
            sum += view.indexAt(probe(i)).row();
        sum += view.rowAt(view.viewport()->height() - 1);
    }
    benchmark::DoNotOptimize(sum);
}

// Keeps the mean time per iteration of each run for the summary.
class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const bool ours = run.benchmark_name().find("Grid") != std::string::npos;
            const int rows = std::stoi(run.benchmark_name().substr(run.benchmark_name().rfind('/') + 1));
            g_us[{ours, rows}] = run.GetAdjustedCPUTime();
        }
    }
};

} // namespace

BENCHMARK(BM_GridScrollAndHit)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableViewScrollAndHit)->Arg(1000)->Arg(1000000)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    Collector reporter;
    return RunQtBenchmarks(argc, argv, reporter, [] {
        const double small = g_us[{true, 1000}], large = g_us[{true, 1000000}];
        const double peerSmall = g_us[{false, 1000}], peerLarge = g_us[{false, 1000000}];
        if (small > 0 && large > 0) {
            std::printf("\ngeometry: one scroll step + 100 hit tests, 1280 x 800, CPU time\n");
            std::printf("  ours:      %8.2f us at 1,000 rows, %8.2f us at 1,000,000 rows, ratio %.2fx (goal <= 1.2x)\n",
                        small, large, large / small);
            if (peerSmall > 0 && peerLarge > 0)
                std::printf("  QTableView: %7.2f us at 1,000 rows, %8.2f us at 1,000,000 rows; ours / QTableView at "
                            "1,000,000: %.2fx\n",
                            peerSmall, peerLarge, large / peerLarge);
        }
    });
}
