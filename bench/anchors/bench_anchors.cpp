// 200 anchored controls on a 100,000-row sheet (one every ten rows from the top, in turn
// across the columns): a scroll step of one row and a zoom step, each repainted at once,
// against the same sheet without controls in the same run. Goal: a scroll step with controls
// at most 1.5x the step without (only the objects in sight move). A step is the move and a
// frame of the client area with what floats over it (the viewport grabbed, children and all).
#include <benchmark/benchmark.h>

#include <QPixmap>
#include <QPushButton>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/grid.h"
#include "platform/screen.h"
#include "../qt_bench_main.h"

namespace {

constexpr int kRows = 100000, kCols = 10, kControls = 200, kSteps = 400;

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

std::map<std::string, double> g_best;

void record(const std::string &name, double seconds)
{
    auto it = g_best.find(name);
    if (it == g_best.end() || seconds < it->second)
        g_best[name] = seconds;
}

struct Sheet {
    qor::TQorGrid grid;
    std::vector<std::unique_ptr<QPushButton>> buttons;
    explicit Sheet(bool controls)
    {
        qor::platform::SetScreenDpiOverride(96);
        grid.SetRows(kRows);
        grid.SetCols(kCols);
        for (int r = 0; r < 3000; r += 3)
            grid.SetCellText(r, r % kCols, QStringLiteral("项目 %1").arg(r));
        grid.resize(1024, 700);
        grid.show();
        if (controls)
            for (int i = 0; i < kControls; ++i) {
                buttons.push_back(std::make_unique<QPushButton>(QStringLiteral("查看明细 %1").arg(i)));
                buttons.back()->resize(90, 22);
                grid.InsertUserControl(buttons.back().get(), i * 10, (i * 3) % kCols);
            }
        frame();
    }
    void frame() { benchmark::DoNotOptimize(grid.viewport()->grab().cacheKey()); }
};

void scroll(benchmark::State &state, bool controls)
{
    Sheet s(controls);
    const int row = s.grid.GetDefaultRowHeight();
    const std::string name = controls ? "scroll with" : "scroll without";
    for (auto _ : state) {
        s.grid.SetPosition(0, 0);
        s.frame();
        const double t0 = cpuSeconds();
        for (int i = 1; i <= kSteps; ++i) {
            s.grid.SetPosition(0, i * row);
            s.frame();
        }
        const double dt = (cpuSeconds() - t0) / kSteps;
        state.SetIterationTime(dt);
        record(name, dt);
    }
}

void zoom(benchmark::State &state, bool controls)
{
    Sheet s(controls);
    const std::string name = controls ? "zoom with" : "zoom without";
    for (auto _ : state) {
        const double t0 = cpuSeconds();
        for (int i = 0; i < 40; ++i) {
            s.grid.SetZoom(i % 2 ? 100 : 120);
            s.frame();
        }
        const double dt = (cpuSeconds() - t0) / 40;
        state.SetIterationTime(dt);
        record(name, dt);
    }
}

void BM_ScrollWithout(benchmark::State &state) { scroll(state, false); }
void BM_ScrollWith(benchmark::State &state) { scroll(state, true); }
void BM_ZoomWithout(benchmark::State &state) { zoom(state, false); }
void BM_ZoomWith(benchmark::State &state) { zoom(state, true); }

BENCHMARK(BM_ScrollWithout)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3);
BENCHMARK(BM_ScrollWith)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3);
BENCHMARK(BM_ZoomWithout)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3);
BENCHMARK(BM_ZoomWith)->UseManualTime()->Unit(benchmark::kMicrosecond)->Iterations(3);

void summary()
{
    std::printf("\n== anchors: %d controls on %d rows x %d columns; process CPU time a step, best of 3\n", kControls,
                kRows, kCols);
    const double sw = g_best["scroll with"], so = g_best["scroll without"];
    const double zw = g_best["zoom with"], zo = g_best["zoom without"];
    std::printf("  scroll step: with %.1f us, without %.1f us, ratio %.2fx (goal <= 1.5x: %s)\n", sw * 1e6, so * 1e6,
                sw / so, sw / so <= 1.5 ? "met" : "NOT MET");
    std::printf("  zoom step:   with %.1f us, without %.1f us, ratio %.2fx\n", zw * 1e6, zo * 1e6, zw / zo);
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::ConsoleReporter reporter;
    return RunQtBenchmarks(argc, argv, reporter, summary);
}
