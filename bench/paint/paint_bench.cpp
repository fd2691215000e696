// One full repaint of the visible region (1280 x 800) of a 10-column grid scrolled to the
// middle, at 1,000 and at 1,000,000 rows, against a QTableView over a QStandardItemModel
// showing the same texts at the same size, in the same run.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>
#include <cstdio>
#include <map>
#include <memory>
#include "core/model/cell.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "../qt_bench_main.h"

namespace {

constexpr int kCols = 10;
constexpr int kWidth = 1280, kHeight = 800;
constexpr int kRowHeight = 18;
constexpr int kColWidth = 120;

QString textAt(int row, int col)
{
    return col % 2 ? QString::number(row * 10 + col) + QStringLiteral(".25") : QStringLiteral("Item %1").arg(row);
}

// The rows a frame scrolled to the middle can show, with some slack on both sides.
int firstShown(int rows) { return std::max(rows / 2 - 10, 0); }
int lastShown(int rows) { return std::min(rows / 2 + kHeight / kRowHeight + 10, rows - 1); }

void showAt(QAbstractScrollArea &w)
{
    w.setFrameShape(QFrame::NoFrame);
    w.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    w.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    w.setAttribute(Qt::WA_DontShowOnScreen);
    w.resize(kWidth, kHeight);
    w.show();
    const QSize size(kWidth, kHeight);
    w.resize(size + (size - w.viewport()->size()));
    QApplication::processEvents();
}

// A spreadsheet-type grid: column texts on every row, and near the middle the texts of every
// column, ruled frames and a merged area every 8 rows; merges spread over the whole sheet too.
std::unique_ptr<qor::TQorGrid> makeGrid(int rows)
{
    auto g = std::make_unique<qor::TQorGrid>();
    g->BeginUpdate();
    g->SetGridType(qor::gtExcel);
    g->SetTitleWidth(60);   // room for seven-digit row numbers
    g->SetCols(kCols);
    g->SetRows(rows);
    for (int c = 0; c < kCols; ++c)
        g->SetColWidth(c, kColWidth);
    for (int r = 0; r < rows; ++r)
        g->SetCellText(r, 0, textAt(r, 0));
    for (int r = firstShown(rows); r <= lastShown(rows); ++r) {
        for (int c = 1; c < kCols; ++c)
            g->SetCellText(r, c, textAt(r, c));
        if (r % 8 == 0 && r + 1 < rows)
            g->MergeCells(r, 3, r + 1, 4);
        if (r % 5 == 0) {
            qor::TCellInfo *cell = g->Cells(r, 6);
            cell->SetBottomFrame(true);
            cell->SetRightFrame(true);
            cell->SetBottomFrameWidth(2);
        }
    }
    for (int r = 0; r + 1 < rows; r += std::max(rows / 100, 2))
        g->MergeCells(r, 8, r + 1, 9);
    g->EndUpdate();
    showAt(*g);
    g->SetPosition(0, rows / 2 * kRowHeight);
    return g;
}

struct Table {
    QStandardItemModel model;
    QTableView view;
};

std::unique_ptr<Table> makeTable(int rows)
{
    auto t = std::make_unique<Table>();
    t->model.setRowCount(rows);
    t->model.setColumnCount(kCols);
    for (int r = firstShown(rows); r <= lastShown(rows); ++r)
        for (int c = 0; c < kCols; ++c)
            t->model.setItem(r, c, new QStandardItem(textAt(r, c)));
    t->view.setModel(&t->model);
    t->view.verticalHeader()->setDefaultSectionSize(kRowHeight);
    t->view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->view.horizontalHeader()->setDefaultSectionSize(kColWidth);
    // The whole view, headers included, is the 1280 x 800 picture; hidden bars still scroll.
    t->view.setFrameShape(QFrame::NoFrame);
    t->view.setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->view.setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    t->view.setAttribute(Qt::WA_DontShowOnScreen);
    t->view.resize(kWidth, kHeight);
    t->view.show();
    QApplication::processEvents();
    t->view.scrollTo(t->model.index(rows / 2, 0), QAbstractItemView::PositionAtTop);
    QApplication::processEvents();
    return t;
}

void BM_QorGridFrame(benchmark::State &state)
{
    const int rows = int(state.range(0));
    auto g = makeGrid(rows);
    QImage image(g->viewport()->size(), QImage::Format_RGB32);
    const int cellsBefore = qor::GridPrivate::get(*g).cells.CellCount();
    for (auto _ : state) {
        QPainter p(&image);
        g->Paint(&p);
    }
    if (qor::GridPrivate::get(*g).cells.CellCount() != cellsBefore)
        state.SkipWithError("painting created cells");
    state.counters["rows_shown"] = g->GetBottomRow() - g->GetTopRow() + 1;
    if (rows == 1'000'000)
        image.save(QStringLiteral("/tmp/bench_paint_qorgrid.png"));
}

void BM_QTableViewFrame(benchmark::State &state)
{
    const int rows = int(state.range(0));
    auto t = makeTable(rows);
    QImage image(t->view.size(), QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter p(&image);
        t->view.render(&p);
    }
    if (rows == 1'000'000)
        image.save(QStringLiteral("/tmp/bench_paint_qtableview.png"));
}

BENCHMARK(BM_QorGridFrame)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_QTableViewFrame)->Arg(1'000'000)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // CPU time: the machine is shared, and wall time counts the other processes too.
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &r : runs)
            times[r.benchmark_name()] = r.GetAdjustedCPUTime();
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    RatioReporter reporter;
    return RunQtBenchmarks(argc, argv, reporter, [&] {
        const double small = reporter.times["BM_QorGridFrame/1000/min_time:1.000"];
        const double big = reporter.times["BM_QorGridFrame/1000000/min_time:1.000"];
        const double peer = reporter.times["BM_QTableViewFrame/1000000/min_time:1.000"];
        if (small > 0 && big > 0 && peer > 0) {
            std::printf("frame at 1,000,000 rows / QTableView frame: %.2fx (goal <= 1.0x)\n", big / peer);
            std::printf("frame at 1,000,000 rows / frame at 1,000 rows: %.2fx (goal <= 1.2x)\n", big / small);
        }
    });
}
