// Opening a 100,000 x 10 document in the designer (a copy of the application grid) and
// applying it back, against LoadFromFile + SaveToFile of the same document in the same run;
// and what one undo step costs on it: a row inserted, a merge, borders on 10 x 10 cells, and a
// row deleted (a snapshot command), each done, undone, redone and undone.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QUndoStack>
#include <cstdio>
#include <map>
#include <memory>

#include "core/grid.h"
#include "designer/designer_window.h"
#include "platform/runtime_dir.h"

using namespace qor;

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;

void fill(TCustomQorGrid &grid)
{
    grid.SetCols(kCols);
    grid.SetRows(kRows);
    grid.BeginUpdate();
    for (int r = 0; r < kRows; ++r) {
        for (int c = 0; c < kCols; ++c) {
            const int i = r * kCols + c;
            switch (c % 4) {
            case 0: grid.SetCellText(r, c, QStringLiteral("Item %1").arg(r)); break;
            case 1: grid.SetCellText(r, c, QString::number(r * 7 % 1000 + 0.25 * c)); break;
            case 2: grid.SetCellText(r, c, QString::fromUtf8("客户%1").arg(i % 997)); break;
            default: grid.SetCellText(r, c, QString::number(i % 100000)); break;
            }
            TCellInfo *cell = grid.Cells(r, c);
            if (i % 5 == 0)
                cell->SetBackColor(0x00E0F0FF);
            if (i % 11 == 0)
                cell->SetBottomFrame(true);
        }
    }
    grid.EndUpdate();
}

struct Fixture {
    QTemporaryDir dir;
    QString file;
    std::unique_ptr<TQorGrid> app = std::make_unique<TQorGrid>();
    Fixture()
    {
        fill(*app);
        file = dir.filePath(QStringLiteral("big.qld"));
        app->SaveToFile(file);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

std::map<std::string, double> g_ms;

void record(benchmark::State &state, const char *name, double seconds)
{
    g_ms[name] = seconds * 1000.0 / double(state.iterations());
}

double seconds(const std::chrono::steady_clock::time_point &t0)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void BM_LoadAndSaveFile(benchmark::State &state)
{
    double total = 0;
    for (auto _ : state) {
        auto grid = std::make_unique<TQorGrid>();
        const auto t0 = std::chrono::steady_clock::now();
        if (!grid->LoadFromFile(fixture().file) || !grid->SaveToFile(fixture().dir.filePath(QStringLiteral("out.qld"))))
            state.SkipWithError("file refused");
        total += seconds(t0);
    }
    record(state, "file", total);
}

void BM_DesignerOpenAndApply(benchmark::State &state)
{
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        {
            TfrmQorDesigner w(true);
            if (!w.LoadCopyOf(*fixture().app) || !w.ApplyTo(*fixture().app))
                state.SkipWithError("designer refused");
        }
        total += seconds(t0);
    }
    record(state, "designer", total);
}

void BM_UndoInsertRow(benchmark::State &state)
{
    TfrmQorDesigner w(true);
    w.LoadCopyOf(*fixture().app);
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        w.DesignGrid()->SetFocusCell(500, 0);
        w.InsertRows(1);
        w.UndoStack()->undo();
        w.UndoStack()->redo();
        w.UndoStack()->undo();
        total += seconds(t0);
    }
    record(state, "insert", total);
}

void BM_UndoMerge(benchmark::State &state)
{
    TfrmQorDesigner w(true);
    w.LoadCopyOf(*fixture().app);
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        w.DesignGrid()->SelectCells(500, 0, 501, 3);
        w.MergeClick();
        w.UndoStack()->undo();
        w.UndoStack()->redo();
        w.UndoStack()->undo();
        total += seconds(t0);
    }
    record(state, "merge", total);
}

// Deleting rows keeps a snapshot of the whole document.
void BM_UndoDeleteRow(benchmark::State &state)
{
    TfrmQorDesigner w(true);
    w.LoadCopyOf(*fixture().app);
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        w.DesignGrid()->SetFocusCell(500, 0);
        w.DeleteRowsClick();
        w.UndoStack()->undo();
        w.UndoStack()->redo();
        w.UndoStack()->undo();
        total += seconds(t0);
    }
    record(state, "delete", total);
}

void BM_UndoBorders(benchmark::State &state)
{
    TfrmQorDesigner w(true);
    w.LoadCopyOf(*fixture().app);
    double total = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        w.DesignGrid()->SelectCells(500, 0, 509, 9);
        w.AllBordersClick();
        w.UndoStack()->undo();
        w.UndoStack()->redo();
        w.UndoStack()->undo();
        total += seconds(t0);
    }
    record(state, "region", total);
}

BENCHMARK(BM_LoadAndSaveFile)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_DesignerOpenAndApply)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_UndoInsertRow)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_UndoMerge)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();
BENCHMARK(BM_UndoDeleteRow)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_UndoBorders)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qor::platform::EnsurePrivateRuntimeDir();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    fixture();
    benchmark::RunSpecifiedBenchmarks();
    if (g_ms.count("file") && g_ms.count("designer"))
        std::printf("designer open + apply %.0f ms, LoadFromFile + SaveToFile %.0f ms: %.2fx\n", g_ms["designer"],
                    g_ms["file"], g_ms["designer"] / g_ms["file"]);
    for (const auto &[name, ms] : g_ms)
        if (name != "file" && name != "designer")
            std::printf("do + undo + redo + undo, %s: %.1f ms\n", name.c_str(), ms);
    return 0;
}
