// Cutting a 100,000-row and a 1,000,000-row grid of 10 columns (rows 25 pixels high: about
// 2,500 and 25,000 A4 pages) into pages on the stand-in printer (600 dpi A4, 15 mm margins),
// with two title rows repeated and a break tolerance, against the floor measured in the same
// run: one pass over a plain vector of the same row heights that cuts it into pages of the same
// body height (no tolerance, no repeats). Goals: 1,000,000 / 100,000 at most 12x, and under
// 5 microseconds a row.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/grid.h"
#include "platform/printer.h"
#include "platform/screen.h"
#include "print/qor_print.h"
#include "../qt_bench_main.h"

namespace {

constexpr int kCols = 10;
constexpr int kRowHeight = 25;

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

std::map<std::string, double> g_best;
std::map<std::string, int> g_pages;

void record(const std::string &name, double seconds)
{
    auto it = g_best.find(name);
    if (it == g_best.end() || seconds < it->second)
        g_best[name] = seconds;
}

void BM_Paginate(benchmark::State &state)
{
    const int rows = int(state.range(0));
    qor::platform::SetScreenDpiOverride(96);
    qor::platform::SetCurrentPrinter(qor::platform::MakeStandInPrinter());
    qor::TQorGrid grid;
    grid.SetCols(kCols);
    grid.SetDefaultRowHeight(kRowHeight);
    grid.SetRows(rows);
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < kCols; ++c)
            grid.SetCellText(r, c, QStringLiteral("标题 %1").arg(c));
    qor::TQorPrint print;
    print.SetQorGrid(&grid);
    print.SetTitleRows(2);
    print.SetVertSpaceToBreak(30);
    print.PageHeader().RightText = QStringLiteral("第[PAGE#]页 共[TOTALPAGES]页");
    int pages = 0;
    for (auto _ : state) {
        print.Init();
        const double t0 = threadCpuSeconds();
        pages = print.GetPageCount();
        const double dt = threadCpuSeconds() - t0;
        state.SetIterationTime(dt);
        record("ours " + std::to_string(rows), dt);
    }
    g_pages["ours " + std::to_string(rows)] = pages;
    g_pages["body " + std::to_string(rows)] = print.GetStripRect().Height();
}

void BM_Floor(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const std::vector<int> heights(size_t(rows), kRowHeight);
    const int body = g_pages.count("body " + std::to_string(rows)) ? g_pages["body " + std::to_string(rows)] : 1000;
    std::vector<int> starts;
    for (auto _ : state) {
        starts.clear();
        const double t0 = threadCpuSeconds();
        int used = 0;
        starts.push_back(0);
        for (int r = 0; r < rows; ++r) {
            if (used + heights[size_t(r)] > body) {
                starts.push_back(r);
                used = 0;
            }
            used += heights[size_t(r)];
        }
        const double dt = threadCpuSeconds() - t0;
        benchmark::DoNotOptimize(starts.data());
        state.SetIterationTime(dt);
        record("floor " + std::to_string(rows), dt);
    }
    g_pages["floor " + std::to_string(rows)] = int(starts.size());
}

BENCHMARK(BM_Paginate)->Arg(100000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Floor)->Arg(100000)->Arg(1000000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void summary()
{
    std::printf("\n== paginate: %d columns, rows %d px, two title rows, stand-in printer 600 dpi A4;\n"
                "   thread CPU time, best of 5 (ms)\n", kCols, kRowHeight);
    for (int rows : {100000, 1000000}) {
        const std::string n = std::to_string(rows);
        const double ours = g_best["ours " + n], floor = g_best["floor " + n];
        std::printf("  %8d rows: ours %8.2f (%d pages, %.3f us a row)  floor %7.2f (%d pages)  ours / floor %.1fx\n",
                    rows, ours * 1e3, g_pages["ours " + n], ours * 1e6 / rows, floor * 1e3, g_pages["floor " + n],
                    floor > 0 ? ours / floor : 0.0);
    }
    const double big = g_best["ours 1000000"], small = g_best["ours 100000"];
    if (big > 0 && small > 0)
        std::printf(" goals: 1000000 / 100000 %.2fx (<= 12x: %s), %.3f us a row at 1000000 (< 5 us: %s)\n",
                    big / small, big / small <= 12 ? "met" : "NOT MET", big * 1e6 / 1e6,
                    big * 1e6 / 1e6 < 5 ? "met" : "NOT MET");
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::ConsoleReporter reporter;
    return RunQtBenchmarks(argc, argv, reporter, summary);
}
