// Grouping the rows of a grid by two columns (50 departments x 20 months, about 1,000 groups)
// with sum footers and a grand total, then cancelling the grouping, at 100,000 and 10,000 data
// rows; and, in the same run, sorting the same 100,000 rows by the same two keys (one column
// that holds both, so one sort orders the rows as the two keys do). Every iteration works on a
// grid just filled, outside the timed part. The goals: 100,000 / 10,000 at most 12x (nothing
// grows faster than the rows), and grouping within 5x of the sort.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "core/grid.h"
#include "../qt_bench_main.h"

namespace {

constexpr int kCols = 8;
constexpr int kDeptCol = 1;   // "部门07" of 50
constexpr int kMonthCol = 2;  // 1 .. 20
constexpr int kAmountCol = 3; // summed
constexpr int kKeyCol = 7;    // department and month in one text, for the sort

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

std::map<std::string, double> g_best;
std::map<std::string, int> g_rows;

void record(const std::string &name, double seconds)
{
    auto it = g_best.find(name);
    if (it == g_best.end() || seconds < it->second)
        g_best[name] = seconds;
}

std::unique_ptr<qor::TQorGrid> makeGrid(int rows)
{
    auto grid = std::make_unique<qor::TQorGrid>();
    grid->SetCols(kCols);
    grid->SetRows(rows);
    grid->BeginUpdate();
    std::mt19937 rng(20261208);
    for (int r = 0; r < rows; ++r) {
        const int dept = int(rng() % 50), month = 1 + int(rng() % 20);
        const QString deptText = QStringLiteral("部门%1").arg(dept, 2, 10, QLatin1Char('0'));
        grid->SetCellText(r, 0, QString::number(r + 1));
        grid->SetCellText(r, kDeptCol, deptText);
        grid->SetCellText(r, kMonthCol, QString::number(month));
        grid->SetCellText(r, kAmountCol, QString::number(double(rng() % 1000000) / 100.0, 'f', 2));
        grid->SetCellText(r, 4, QStringLiteral("凭证%1").arg(rng() % 100000));
        grid->SetCellText(r, 5, QString::number(rng() % 500));
        grid->SetCellText(r, 6, QStringLiteral("2026-%1-01").arg(month % 12 + 1, 2, 10, QLatin1Char('0')));
        grid->SetCellText(r, kKeyCol, deptText + QStringLiteral("-%1").arg(month, 2, 10, QLatin1Char('0')));
    }
    grid->Columns(kAmountCol)->SetFormulaType(qor::ftSum);
    grid->EndUpdate();
    return grid;
}

void BM_Group(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const std::string suffix = " " + std::to_string(rows);
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = makeGrid(rows);
        state.ResumeTiming();
        double t0 = threadCpuSeconds();
        grid->Group(QStringLiteral("%1;%2").arg(kDeptCol).arg(kMonthCol), -1, true);
        const double grouped = threadCpuSeconds() - t0;
        const int groupedRows = grid->GetRows();
        t0 = threadCpuSeconds();
        grid->CancelGroup();
        const double cancelled = threadCpuSeconds() - t0;
        state.SetIterationTime(grouped + cancelled);
        record("group" + suffix, grouped);
        record("cancel" + suffix, cancelled);
        record("group + cancel" + suffix, grouped + cancelled);
        g_rows["grouped rows" + suffix] = groupedRows;
        if (grid->GetGrouped() || grid->GetRows() != rows)
            state.SkipWithError("CancelGroup did not give the rows back");
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}

void BM_SortTwoKeys(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = makeGrid(100000);
        state.ResumeTiming();
        const double t0 = threadCpuSeconds();
        grid->Sort(kKeyCol, true);
        const double dt = threadCpuSeconds() - t0;
        state.SetIterationTime(dt);
        record("sort by the two keys 100000", dt);
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_Group)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_SortTwoKeys)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(3);

void summary()
{
    auto best = [](const std::string &n) { auto it = g_best.find(n); return it == g_best.end() ? -1.0 : it->second; };
    std::printf("\n== group: by department and month (about 1,000 groups), sum footers, grand total;\n"
                "   thread CPU time, best iteration (ms)\n");
    for (const char *rows : {"10000", "100000"}) {
        const std::string s = std::string(" ") + rows;
        std::printf("  %6s data rows: group %9.2f  cancel %9.2f  both %9.2f  (%d rows while grouped)\n", rows,
                    best("group" + s) * 1e3, best("cancel" + s) * 1e3, best("group + cancel" + s) * 1e3,
                    g_rows["grouped rows" + s]);
    }
    const double big = best("group + cancel 100000"), small = best("group + cancel 10000");
    const double group = best("group 100000"), sort = best("sort by the two keys 100000");
    std::printf("  sort of the 100000 rows by the same two keys %9.2f\n", sort * 1e3);
    if (big > 0 && small > 0)
        std::printf(" goals: 100000 / 10000 %.2fx (<= 12x: %s)", big / small, big / small <= 12 ? "met" : "NOT MET");
    if (group > 0 && sort > 0)
        std::printf(", group / sort %.2fx (<= 5x: %s)", group / sort, group / sort <= 5 ? "met" : "NOT MET");
    std::printf("\n");
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::ConsoleReporter reporter;
    return RunQtBenchmarks(argc, argv, reporter, summary);
}
