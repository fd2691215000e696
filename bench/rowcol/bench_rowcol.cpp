// Inserting and deleting a row at the top of a sheet of 10 columns: numbers in A:B on every
// row, a formula on every tenth row (=A1+B1, =SUM(A1:A10), =J1*2 referring to the formula
// above) and a 2 x 2 merged area in D:E every hundredth row. 100,000 rows (10,000 formulas,
// 1,000 merges) against 10,000 rows (1,000 formulas, 100 merges): the work must grow with the
// sheet, not with its square. The same insert and delete on a QStandardItemModel of the same
// size, in the same run, for scale.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QStandardItemModel>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>

#include "core/grid.h"
#include "platform/runtime_dir.h"

namespace {

constexpr int kCols = 10;
constexpr int kColJ = 9;

std::map<int, double> g_oursMs;      // rows -> ms per insert + delete
std::map<int, double> g_cellsOnlyMs; // the same sheet without formulas

double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

QString formulaAt(int row)
{
    const QString r = QString::number(row + 1);
    switch ((row / 10) % 3) {
    case 0:
        return "=A" + r + "+B" + r;
    case 1:
        return "=SUM(A" + r + ":A" + QString::number(row + 10) + ")";
    default:
        return "=J" + QString::number(row - 9) + "*2";
    }
}

std::unique_ptr<qor::TQorGrid> makeSheet(int rows, bool formulas)
{
    auto grid = std::make_unique<qor::TQorGrid>();
    grid->SetCols(kCols);
    grid->SetRows(rows);
    grid->BeginUpdate();
    for (int r = 0; r < rows; ++r) {
        grid->SetCellText(r, 0, QString::number(r % 97));
        grid->SetCellText(r, 1, QString::number((r * 7) % 101));
        if (formulas && r % 10 == 0)
            grid->SetCellText(r, kColJ, formulaAt(r));
        if (r % 100 == 50)
            grid->MergeCells(r, 3, r + 1, 4);
    }
    grid->EndUpdate();
    return grid;
}

void BM_InsertDeleteTopRow(benchmark::State &state)
{
    const int rows = int(state.range(0));
    const bool formulas = state.range(1) != 0;
    auto grid = makeSheet(rows, formulas);
    double total = 0;
    int n = 0;
    for (auto _ : state) {
        const double t0 = threadCpuMs();
        grid->InsertRow(0, 1);
        grid->DeleteRow(0);
        const double dt = threadCpuMs() - t0;
        state.SetIterationTime(dt / 1e3);
        total += dt;
        ++n;
    }
    if (grid->GetRows() != rows || grid->MergeCellList().size() != size_t(rows / 100))
        state.SkipWithError("the sheet changed shape");
    (formulas ? g_oursMs : g_cellsOnlyMs)[rows] = total / std::max(n, 1);
    state.counters["rows"] = rows;
}

void BM_PeerStandardItemModel(benchmark::State &state)
{
    const int rows = int(state.range(0));
    QStandardItemModel model(rows, kCols);
    for (int r = 0; r < rows; ++r) {
        model.setItem(r, 0, new QStandardItem(QString::number(r % 97)));
        model.setItem(r, 1, new QStandardItem(QString::number((r * 7) % 101)));
    }
    for (auto _ : state) {
        const double t0 = threadCpuMs();
        model.insertRow(0);
        model.removeRow(0);
        state.SetIterationTime((threadCpuMs() - t0) / 1e3);
    }
    state.counters["rows"] = rows;
}

BENCHMARK(BM_InsertDeleteTopRow)->Args({10000, 1})->Args({100000, 1})->Args({10000, 0})->Args({100000, 0})->Args({200000, 0})->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_PeerStandardItemModel)->Arg(10000)->Arg(100000)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(0.5);

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qor::platform::EnsurePrivateRuntimeDir();
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (g_oursMs.count(10000) && g_oursMs.count(100000)) {
        const double small = g_oursMs[10000], large = g_oursMs[100000];
        std::printf("\nrowcol: insert + delete of the top row, thread CPU time\n");
        std::printf("  10,000 rows:  %8.2f ms\n", small);
        std::printf("  100,000 rows: %8.2f ms\n", large);
        std::printf("  ratio 100,000 / 10,000: %.1fx (goal <= 12x: %s)\n", large / small,
                    large / small <= 12 ? "met" : "not met");
    }
    if (g_cellsOnlyMs.count(10000) && g_cellsOnlyMs.count(100000)) {
        const double small = g_cellsOnlyMs[10000], large = g_cellsOnlyMs[100000];
        std::printf("  without formulas: %.2f ms and %.2f ms, ratio %.1fx\n", small, large, large / small);
        if (g_cellsOnlyMs.count(200000))
            std::printf("  without formulas, 200,000 rows: %.2f ms, ratio to 100,000: %.1fx\n", g_cellsOnlyMs[200000],
                        g_cellsOnlyMs[200000] / large);
    }
    return 0;
}
