// Moving around a visible sheet with the keyboard, at 1,000 and at 1,000,000 rows: Down 10,000
// times through a column with merged areas (wrapping to the top at the last row), PageDown and
// PageUp 1,000 times, and typing a number into a cell then Enter (the editor opens, commits, the
// formula column recalculates and the current cell moves down). Every step goes through the real
// key path and processes the paint events it causes. A QTableView over a QStandardItemModel of
// the same size, with the same spans, takes the same keys in the same run, for scale.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTableView>
#include <QTest>
#include <cstdio>
#include <map>
#include <memory>
#include <string>

#include "core/grid.h"
#include "../qt_bench_main.h"

namespace {

constexpr int kCols = 10;
constexpr int kRowHeight = 18;
constexpr int kColWidth = 120;
constexpr int kDownSteps = 10'000;
constexpr int kPageSteps = 1'000;
constexpr int kTypeSteps = 2'000;
constexpr int kMoveCol = 3;   // D: crosses a 2 x 2 merged area every 8 rows
constexpr int kTypeCol = 1;   // B: a number the formula in I reads
const QSize kClient(1280, 800);

// 10,000 Down steps cover about 11,430 rows (a merged area is one step for two rows).
int pathRows(int rows) { return std::min(rows, 12'000); }

QString textAt(int row, int col)
{
    switch (col) {
    case 0: return QStringLiteral("Item %1").arg(row);
    case 1: return QString::number(row % 97 + 1);
    case 2: return QStringLiteral("%1.25").arg(row % 50);
    case 8: return QStringLiteral("=B%1*C%1").arg(row + 1);
    default: return QStringLiteral("Text %1-%2").arg(row).arg(col);
    }
}

bool mergedAt(int row) { return row % 8 == 0; }   // D:E of this row and the next
int spreadStep(int rows) { return std::max(rows / 100, 2); }   // G:H merges over the whole sheet

// Counts the paint events a step causes: the repaint is part of the step.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject *, QEvent *e) override
    {
        paints += e->type() == QEvent::Paint;
        return false;
    }
};

// Keys go where a user's keys go: to the focused widget of the window (the grid, or its open
// editor).
QWidget *keyTarget(QWidget *w)
{
    QWidget *focused = w->window()->focusWidget();
    return focused ? focused : w;
}

void press(QWidget *w, Qt::Key key)
{
    QTest::keyClick(keyTarget(w), key);
    QApplication::processEvents();
}

void pressText(QWidget *w, const char *text) { QTest::keyClicks(keyTarget(w), QString::fromLatin1(text)); }

// Each run starts in its own window, active and focused, as a user would have it.
void activate(QAbstractScrollArea &w)
{
    w.activateWindow();
    w.setFocus();
    (void)QTest::qWaitForWindowActive(&w);
    QApplication::processEvents();
}

void showAt(QAbstractScrollArea &w)
{
    w.setFrameShape(QFrame::NoFrame);
    w.resize(kClient);
    w.show();
    activate(w);
}

struct Sheet {
    qor::TQorGrid grid;
    PaintCounter counter;
};

std::unique_ptr<Sheet> makeSheet(int rows)
{
    auto s = std::make_unique<Sheet>();
    qor::TQorGrid &g = s->grid;
    g.BeginUpdate();
    g.SetGridType(qor::gtExcel);
    g.SetOptions(g.GetOptions().Without(qor::qgoCanAppend));   // Down at the end must not grow it
    g.SetTitleWidth(60);
    g.SetCols(kCols);
    g.SetRows(rows);
    for (int c = 0; c < kCols; ++c)
        g.SetColWidth(c, kColWidth);
    for (int r = 0; r < rows; ++r)
        g.SetCellText(r, 0, textAt(r, 0));
    const int path = pathRows(rows);
    for (int r = 0; r < path; ++r) {
        for (int c = 1; c < kCols; ++c)
            g.SetCellText(r, c, textAt(r, c));
        if (mergedAt(r) && r + 1 < rows)
            g.MergeCells(r, 3, r + 1, 4);
    }
    // The formula column goes on past the path, so the formula store grows with the sheet.
    for (int r = path; r < rows; r += 100) {
        g.SetCellText(r, 1, textAt(r, 1));
        g.SetCellText(r, 2, textAt(r, 2));
        g.SetCellText(r, 8, textAt(r, 8));
    }
    for (int r = 0; r + 1 < rows; r += spreadStep(rows))
        g.MergeCells(r, 6, r + 1, 7);
    g.EndUpdate();
    showAt(g);
    g.viewport()->installEventFilter(&s->counter);
    return s;
}

struct Table {
    QStandardItemModel model;
    QTableView view;
    PaintCounter counter;
};

std::unique_ptr<Table> makeTable(int rows)
{
    auto t = std::make_unique<Table>();
    QStandardItemModel &m = t->model;
    m.setRowCount(rows);
    m.setColumnCount(kCols);
    for (int r = 0; r < rows; ++r)
        m.setItem(r, 0, new QStandardItem(textAt(r, 0)));
    const int path = pathRows(rows);
    for (int r = 0; r < path; ++r)
        for (int c = 1; c < kCols; ++c)
            m.setItem(r, c, new QStandardItem(textAt(r, c)));
    t->view.setModel(&m);
    for (int r = 0; r + 1 < path; r += 8)
        t->view.setSpan(r, 3, 2, 2);
    for (int r = 0; r + 1 < rows; r += spreadStep(rows))
        if (!mergedAt(r) || r >= path)
            t->view.setSpan(r, 6, 2, 2);
    t->view.verticalHeader()->setDefaultSectionSize(kRowHeight);
    t->view.verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    t->view.horizontalHeader()->setDefaultSectionSize(kColWidth);
    showAt(t->view);
    t->view.viewport()->installEventFilter(&t->counter);
    return t;
}

// Built once per size and kept (a 1,000,000-row sheet takes a while to fill); freed before the
// application object goes.
std::map<int, std::unique_ptr<Sheet>> g_sheets;
std::map<int, std::unique_ptr<Table>> g_tables;

Sheet &sheet(int rows)
{
    auto &s = g_sheets[rows];
    if (!s)
        s = makeSheet(rows);
    return *s;
}

Table &table(int rows)
{
    auto &t = g_tables[rows];
    if (!t)
        t = makeTable(rows);
    return *t;
}

// Microseconds of CPU time per step, by benchmark name and row count.
std::map<std::pair<std::string, int>, double> g_us;

// Back to the top of the column: where each run starts, and where the small sheet wraps.
void toTop(qor::TQorGrid &g, int col)
{
    g.SetFocusCell(0, col);
    QApplication::processEvents();
}

void toTop(Table &t, int col)
{
    t.view.setCurrentIndex(t.model.index(0, col));
    QApplication::processEvents();
}

// Page down to the bottom, then back up.
Qt::Key pageKey(const QScrollBar *bar, bool &down)
{
    if (down && bar->value() == bar->maximum())
        down = false;
    else if (!down && bar->value() == 0)
        down = true;
    return down ? Qt::Key_PageDown : Qt::Key_PageUp;
}

void countPaints(benchmark::State &state, PaintCounter &counter, int before)
{
    state.counters["paints/step"] = double(counter.paints - before) / double(state.iterations());
    if (counter.paints == before)
        state.SkipWithError("nothing was repainted: the keys went elsewhere");
}

void BM_GridDown(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Sheet &s = sheet(rows);
    qor::TQorGrid &g = s.grid;
    activate(g);
    toTop(g, kMoveCol);
    const int before = s.counter.paints;
    for (auto _ : state) {
        // At the last row the small sheet starts again from the top.
        if (g.GetRow() + (mergedAt(g.GetRow()) ? 1 : 0) >= rows - 1)
            toTop(g, kMoveCol);
        else
            press(g.viewport(), Qt::Key_Down);
    }
    countPaints(state, s.counter, before);
    state.counters["last_row"] = g.GetRow();
}

void BM_GridPage(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Sheet &s = sheet(rows);
    qor::TQorGrid &g = s.grid;
    activate(g);
    toTop(g, kMoveCol);
    QScrollBar *bar = g.verticalScrollBar();
    bool down = true;
    const int before = s.counter.paints;
    for (auto _ : state)
        press(g.viewport(), pageKey(bar, down));
    countPaints(state, s.counter, before);
    state.counters["top_row"] = g.GetTopRow();
}

// Types a number into column B and presses Enter: the editor opens on the key, commits on
// Enter (the formula beside it recalculates) and the current cell moves down.
void BM_GridTypeEnter(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Sheet &s = sheet(rows);
    qor::TQorGrid &g = s.grid;
    activate(g);
    toTop(g, kTypeCol);
    int opened = 0;
    g.OnShowEditor = [&opened](QObject *, int, int) { ++opened; };
    const int before = s.counter.paints;
    int step = 0;
    for (auto _ : state) {
        if (g.GetRow() >= rows - 1)
            toTop(g, kTypeCol);
        pressText(g.viewport(), step++ % 2 ? "7" : "3");
        press(g.viewport(), Qt::Key_Return);
    }
    countPaints(state, s.counter, before);
    g.OnShowEditor = nullptr;
    if (g.EditorVisible() || opened != step)
        state.SkipWithError("typing did not reach the cells");
}

void BM_TableDown(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Table &t = table(rows);
    QTableView &v = t.view;
    activate(v);
    toTop(t, kMoveCol);
    const int before = t.counter.paints;
    for (auto _ : state) {
        const int row = v.currentIndex().row();
        if (row + v.rowSpan(row, kMoveCol) - 1 >= rows - 1)
            toTop(t, kMoveCol);
        else
            press(v.viewport(), Qt::Key_Down);
    }
    countPaints(state, t.counter, before);
    state.counters["last_row"] = v.currentIndex().row();
}

void BM_TablePage(benchmark::State &state)
{
    const int rows = int(state.range(0));
    Table &t = table(rows);
    QTableView &v = t.view;
    activate(v);
    toTop(t, kMoveCol);
    QScrollBar *bar = v.verticalScrollBar();
    bool down = true;
    const int before = t.counter.paints;
    for (auto _ : state)
        press(v.viewport(), pageKey(bar, down));
    countPaints(state, t.counter, before);
}

class Collector : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const std::string name = run.benchmark_name();
            const auto slash = name.find('/');
            const int rows = std::stoi(name.substr(slash + 1));
            g_us[{name.substr(0, slash), rows}] = run.GetAdjustedCPUTime();
        }
    }
};

} // namespace

BENCHMARK(BM_GridDown)->Arg(1'000)->Arg(1'000'000)->Iterations(kDownSteps)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridPage)->Arg(1'000)->Arg(1'000'000)->Iterations(kPageSteps)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_GridTypeEnter)->Arg(1'000)->Arg(1'000'000)->Iterations(kTypeSteps)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TableDown)->Arg(1'000)->Arg(1'000'000)->Iterations(kDownSteps)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TablePage)->Arg(1'000)->Arg(1'000'000)->Iterations(kPageSteps)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    Collector reporter;
    return RunQtBenchmarks(argc, argv, reporter, [] {
        g_sheets.clear();
        g_tables.clear();
        std::printf("\nnavigate: CPU time per step, 1280 x 800, paint events processed in the step\n");
        const struct {
            const char *name, *label;
        } lines[] = {{"BM_GridDown", "ours, Down"},           {"BM_GridPage", "ours, PageDown/PageUp"},
                     {"BM_GridTypeEnter", "ours, type + Enter"}, {"BM_TableDown", "QTableView, Down"},
                     {"BM_TablePage", "QTableView, PageDown/PageUp"}};
        for (const auto &line : lines) {
            const double small = g_us[{line.name, 1'000}], large = g_us[{line.name, 1'000'000}];
            if (small > 0 && large > 0)
                std::printf("  %-28s %8.1f us at 1,000 rows, %8.1f us at 1,000,000 rows, ratio %.2fx%s\n", line.label,
                            small, large, large / small, line.name[3] == 'G' ? " (goal <= 1.2x)" : "");
        }
        for (const char *what : {"Down", "Page"}) {
            const double ours = g_us[{std::string("BM_Grid") + what, 1'000'000}];
            const double peer = g_us[{std::string("BM_Table") + what, 1'000'000}];
            if (ours > 0 && peer > 0)
                std::printf("  ours / QTableView, %s at 1,000,000 rows: %.2fx\n", what, ours / peer);
        }
    });
}
