// Saving (compressed) and loading a 100,000 x 10 grid of mixed cells, against zlib level 9 on
// the same body bytes and the inflate of its result, in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdio>
#include <memory>

#include "core/grid.h"
#include "io/grid_stream.h"
#include "io/stream_envelope.h"
#include "platform/runtime_dir.h"

using namespace qor;

namespace {

constexpr int kRows = 100000;
constexpr int kCols = 10;

// Texts, numbers, amounts and formulas; one cell in five with a colour, one in seven bold,
// one in eleven framed.
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
            if (i % 7 == 0) {
                TQorFont font = cell->Font();
                font.Font.setBold(true);
                cell->SetFont(font);
            }
            if (i % 11 == 0)
                cell->SetBottomFrame(true);
        }
    }
    grid.EndUpdate();
}

struct Fixture {
    std::unique_ptr<TQorGrid> grid = std::make_unique<TQorGrid>();
    QByteArray body;       // the plain body B
    QByteArray compressed; // the stored compressed stream
    QByteArray zlib;       // zlib level 9 of B, from the peer
    Fixture()
    {
        fill(*grid);
        body = SaveGridToBytes(*grid, false, true).chopped(7);
        compressed = SaveGridToBytes(*grid, true, true);
        zlib = ZlibCompress(body);
    }
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void report(benchmark::State &state)
{
    state.counters["body_MB"] = double(fixture().body.size()) / 1e6;
    state.counters["stored_MB"] = double(fixture().compressed.size()) / 1e6;
}

void BM_SaveCompressed(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveGridToBytes(*fixture().grid, true, true));
    report(state);
}

void BM_ZlibLevel9(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ZlibCompress(fixture().body));
    report(state);
}

void BM_Load(benchmark::State &state)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<TQorGrid>();
        state.ResumeTiming();
        if (!LoadGridFromBytes(*grid, fixture().compressed))
            state.SkipWithError("load refused");
        state.PauseTiming();
        grid.reset();
        state.ResumeTiming();
    }
    report(state);
}

void BM_Inflate(benchmark::State &state)
{
    const Fixture &f = fixture();
    for (auto _ : state)
        benchmark::DoNotOptimize(ZlibInflateExactly(f.zlib.constData(), f.zlib.size(), f.body.size()));
    report(state);
}

BENCHMARK(BM_SaveCompressed)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_ZlibLevel9)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Inflate)->Unit(benchmark::kMillisecond)->Iterations(3);

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
    std::printf("body %.1f MB, stored %.1f MB (%lld cell records)\n", double(fixture().body.size()) / 1e6,
                double(fixture().compressed.size()) / 1e6,
                static_cast<long long>(ParseGridStream(fixture().compressed).CellRecordCount()));
    return 0;
}
