// Copying a 100,000 x 10 selection to the clipboard (all three forms: the grid's own cells
// block, tab-separated text and CSV) and pasting it into a second grid, on the stand-in
// clipboard, against the floors measured in the same run: the same tab text built by hand from
// the same QStrings plus SaveCellsToStream of the same rectangle (what a copy cannot avoid),
// and LoadCellsFromStream of the same block into a fresh grid (what a paste cannot avoid).
// Goals: copy within 2x the copy floor, paste within 1.5x the block load.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>
#include <random>
#include <string>

#include "core/grid.h"
#include "io/cells_block.h"
#include "platform/clipboard.h"
#include "../qt_bench_main.h"

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;

double threadCpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

std::map<std::string, double> g_best;
void record(const std::string &name, double seconds)
{
    auto it = g_best.find(name);
    if (it == g_best.end() || seconds < it->second)
        g_best[name] = seconds;
}

const std::vector<QString> &texts()
{
    static const std::vector<QString> t = [] {
        std::vector<QString> v(size_t(kRows) * kCols);
        std::mt19937 rng(20261208);
        for (size_t i = 0; i < v.size(); ++i)
            v[i] = i % 2 ? QString::number(double(rng() % 1000000) / 100.0, 'f', 2)
                         : QStringLiteral("Item %1").arg(rng() % 100000);
        return v;
    }();
    return t;
}

std::unique_ptr<qor::TQorGrid> makeGrid(bool filled)
{
    auto g = std::make_unique<qor::TQorGrid>();
    g->SetCols(kCols);
    g->SetRows(kRows);
    g->SetOptions(g->GetOptions().With(qor::qgoEditing));
    if (filled) {
        g->BeginUpdate();
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c)
                g->SetCellText(r, c, texts()[size_t(r) * kCols + c]);
        g->EndUpdate();
    }
    return g;
}

void BM_Copy(benchmark::State &state)
{
    qor::platform::SetCurrentClipboard(qor::platform::MakeStandInClipboard());
    auto grid = makeGrid(true);
    grid->SelectCells(0, 0, kRows - 1, kCols - 1);
    for (auto _ : state) {
        qor::platform::CurrentClipboard().Clear();
        const double t0 = threadCpuSeconds();
        grid->CopyToClipBoard();
        const double dt = threadCpuSeconds() - t0;
        state.SetIterationTime(dt);
        record("copy", dt);
    }
    if (!qor::platform::CurrentClipboard().Has(QString::fromLatin1(qor::platform::kGridFormatMime)))
        state.SkipWithError("nothing on the clipboard");
}

void BM_CopyFloor(benchmark::State &state)
{
    auto grid = makeGrid(true);
    for (auto _ : state) {
        const double t0 = threadCpuSeconds();
        QString text;
        for (int r = 0; r < kRows; ++r)
            for (int c = 0; c < kCols; ++c) {
                text += texts()[size_t(r) * kCols + c];
                text += c == kCols - 1 ? QStringLiteral("\r\n") : QStringLiteral("\t");
            }
        const QByteArray utf8 = text.toUtf8();
        QBuffer block;
        block.open(QIODevice::ReadWrite);
        grid->SaveCellsToStream(0, 0, kRows, kCols, block);
        const double dt = threadCpuSeconds() - t0;
        benchmark::DoNotOptimize(utf8.size());
        state.SetIterationTime(dt);
        record("copy floor", dt);
    }
}

void BM_Paste(benchmark::State &state)
{
    qor::platform::SetCurrentClipboard(qor::platform::MakeStandInClipboard());
    auto source = makeGrid(true);
    source->SelectCells(0, 0, kRows - 1, kCols - 1);
    source->CopyToClipBoard();
    bool ok = true;
    for (auto _ : state) {
        state.PauseTiming();
        auto target = makeGrid(false);
        target->SetFocusCell(0, 0);
        state.ResumeTiming();
        const double t0 = threadCpuSeconds();
        target->PasteFromClipBoard();
        const double dt = threadCpuSeconds() - t0;
        state.SetIterationTime(dt);
        record("paste", dt);
        ok = ok && target->GetCellText(kRows - 1, kCols - 1) == texts().back();
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
    if (!ok)
        state.SkipWithError("the paste did not arrive whole");
}

void BM_PasteFloor(benchmark::State &state)
{
    auto source = makeGrid(true);
    QBuffer block;
    block.open(QIODevice::ReadWrite);
    source->SaveCellsToStream(0, 0, kRows, kCols, block);
    const QByteArray bytes = block.data();
    for (auto _ : state) {
        state.PauseTiming();
        auto target = makeGrid(false);
        QBuffer in;
        in.setData(bytes);
        in.open(QIODevice::ReadOnly);
        state.ResumeTiming();
        const double t0 = threadCpuSeconds();
        target->LoadCellsFromStream(in, 0, 0, true, true);
        const double dt = threadCpuSeconds() - t0;
        state.SetIterationTime(dt);
        record("paste floor", dt);
        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(BM_Copy)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_CopyFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Paste)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_PasteFloor)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(5);

void summary()
{
    const double copy = g_best["copy"], copyFloor = g_best["copy floor"];
    const double paste = g_best["paste"], pasteFloor = g_best["paste floor"];
    std::printf("\n== clipboard: %d x %d cells, stand-in clipboard, thread CPU time, best of 5 (ms)\n", kRows, kCols);
    std::printf("  copy (three forms)        %9.2f   floor (tab text + block save) %9.2f   %.2fx (<= 2x: %s)\n",
                copy * 1e3, copyFloor * 1e3, copy / copyFloor, copy / copyFloor <= 2 ? "met" : "NOT MET");
    std::printf("  paste (own form)          %9.2f   floor (block load)            %9.2f   %.2fx (<= 1.5x: %s)\n",
                paste * 1e3, pasteFloor * 1e3, paste / pasteFloor, paste / pasteFloor <= 1.5 ? "met" : "NOT MET");
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::ConsoleReporter reporter;
    return RunQtBenchmarks(argc, argv, reporter, summary);
}
