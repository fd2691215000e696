// A table of 100,000 records opened in a grid bound to it and the first frame painted, then
// a frame scrolled to the end; in the same run a QSqlTableModel fetched to the end in a
// QTableView of the same size. Also a scroll frame at 1,000 and at 1,000,000 records, and the
// heap each side holds per record. SQLite files; the same open on PostgreSQL when ./qor.sh
// test's server variables (QOR_PG_*) are set.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QHeaderView>
#include <QImage>
#include <QPainter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlTableModel>
#include <QTableView>
#include <QTemporaryDir>
#include <cstdio>
#include <malloc.h>
#include <map>
#include <memory>
#include "core/grid.h"
#include "platform/db/data_link.h"
#include "platform/db/sql_dataset.h"
#include "../qt_bench_main.h"

namespace {

constexpr int kWidth = 1280, kHeight = 800;

QTemporaryDir &folder()
{
    static QTemporaryDir dir;
    return dir;
}

// One connection per database, the table made once: id, name, qty, price, note, day.
QSqlDatabase database(const QString &kind, int records)
{
    const QString name = QStringLiteral("%1_%2").arg(kind).arg(records);
    if (QSqlDatabase::contains(name))
        return QSqlDatabase::database(name);
    QSqlDatabase db;
    if (kind == QLatin1String("pg")) {
        db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), name);
        db.setHostName(qEnvironmentVariable("QOR_PG_SOCKET"));
        db.setPort(qEnvironmentVariableIntValue("QOR_PG_PORT"));
        db.setUserName(qEnvironmentVariable("QOR_PG_USER"));
        db.setDatabaseName(qEnvironmentVariable("QOR_PG_DB"));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(folder().filePath(name + QStringLiteral(".sqlite")));
    }
    if (!db.open()) {
        std::fprintf(stderr, "cannot open %s: %s\n", qPrintable(name), qPrintable(db.lastError().text()));
        return db;
    }
    QSqlQuery q(db);
    const QString table = QStringLiteral("ledger%1").arg(records);
    q.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(table));
    q.exec(QStringLiteral("CREATE TABLE %1 (id INTEGER PRIMARY KEY, name VARCHAR(40), qty INTEGER, price REAL, "
                          "note VARCHAR(60), day DATE)").arg(table));
    db.transaction();
    q.prepare(QStringLiteral("INSERT INTO %1 VALUES (?, ?, ?, ?, ?, ?)").arg(table));
    for (int i = 1; i <= records; ++i) {
        q.bindValue(0, i);
        q.bindValue(1, QStringLiteral("Item %1").arg(i));
        q.bindValue(2, i % 97);
        q.bindValue(3, (i % 1000) * 1.25);
        q.bindValue(4, QStringLiteral("note %1").arg(i % 13));
        q.bindValue(5, QStringLiteral("2026-%1-%2").arg(i % 12 + 1, 2, 10, QLatin1Char('0')).arg(i % 28 + 1, 2, 10, QLatin1Char('0')));
        q.exec();
    }
    db.commit();
    return db;
}

void showAt(QAbstractScrollArea &w)
{
    w.setFrameShape(QFrame::NoFrame);
    w.setAttribute(Qt::WA_DontShowOnScreen);
    w.resize(kWidth, kHeight);
    w.show();
    QApplication::processEvents();
}

struct Bound {
    std::unique_ptr<qor::db::TSqlDataSet> ds;
    qor::db::TDataSource source;
    qor::TQorGrid grid;
};

std::unique_ptr<Bound> openBound(const QSqlDatabase &db, int records)
{
    auto b = std::make_unique<Bound>();
    showAt(b->grid);
    b->ds = std::make_unique<qor::db::TSqlDataSet>(db);
    b->ds->SetTableName(QStringLiteral("ledger%1").arg(records));
    b->source.SetDataSet(b->ds.get());
    b->grid.SetDataSource(&b->source);
    b->ds->Open();
    return b;
}

struct Model {
    QSqlTableModel model;
    QTableView view;
    explicit Model(const QSqlDatabase &db) : model(nullptr, db) {}
};

std::unique_ptr<Model> openModel(const QSqlDatabase &db, int records)
{
    auto m = std::make_unique<Model>(db);
    m->model.setTable(QStringLiteral("ledger%1").arg(records));
    m->model.select();
    while (m->model.canFetchMore())
        m->model.fetchMore();
    m->view.setModel(&m->model);
    showAt(m->view);
    return m;
}

void scrollToEnd(qor::TQorGrid &g) { g.SetPosition(0, g.GetExtent().height()); }

void scrollToEnd(QTableView &v) { v.scrollToBottom(); }

void paint(QWidget &w, QImage &image)
{
    image.fill(Qt::white);
    QPainter p(&image);
    w.render(&p);
}

void paintGrid(qor::TQorGrid &g, QImage &image)
{
    image.fill(Qt::white);
    QPainter p(&image);
    g.Paint(&p);
}

void BM_GridOpenAndFirstFrame(benchmark::State &state, const char *kind)
{
    const int records = int(state.range(0));
    const QSqlDatabase db = database(QString::fromLatin1(kind), records);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        auto b = openBound(db, records);
        paintGrid(b->grid, image);
        state.PauseTiming();
        if (b->grid.GetRows() != records)
            state.SkipWithError("the grid does not show every record");
        b.reset();
        state.ResumeTiming();
    }
}

void BM_ModelOpenAndFirstFrame(benchmark::State &state, const char *kind)
{
    const int records = int(state.range(0));
    const QSqlDatabase db = database(QString::fromLatin1(kind), records);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        auto m = openModel(db, records);
        paint(m->view, image);
        state.PauseTiming();
        if (m->model.rowCount() != records)
            state.SkipWithError("the model does not hold every record");
        m.reset();
        state.ResumeTiming();
    }
}

// Frames scrolled alternately to the end and to the middle.
void BM_GridScrollFrame(benchmark::State &state)
{
    const int records = int(state.range(0));
    auto b = openBound(database(QStringLiteral("sqlite"), records), records);
    QImage image(b->grid.viewport()->size(), QImage::Format_RGB32);
    bool end = false;
    for (auto _ : state) {
        end = !end;
        if (end)
            scrollToEnd(b->grid);
        else
            b->grid.SetPosition(0, b->grid.GetExtent().height() / 2);
        paintGrid(b->grid, image);
    }
    scrollToEnd(b->grid);
    paintGrid(b->grid, image);
    image.save(QStringLiteral("/tmp/bench_dataset_end_%1.png").arg(records));
}

void BM_ModelScrollFrame(benchmark::State &state)
{
    const int records = int(state.range(0));
    auto m = openModel(database(QStringLiteral("sqlite"), records), records);
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    bool end = false;
    for (auto _ : state) {
        end = !end;
        if (end)
            scrollToEnd(m->view);
        else
            m->view.scrollTo(m->model.index(records / 2, 0), QAbstractItemView::PositionAtTop);
        paint(m->view, image);
    }
}

BENCHMARK_CAPTURE(BM_GridOpenAndFirstFrame, sqlite, "sqlite")->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK_CAPTURE(BM_ModelOpenAndFirstFrame, sqlite, "sqlite")->Arg(100'000)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_GridScrollFrame)->Arg(1'000)->Arg(1'000'000)->Unit(benchmark::kMicrosecond)->MinTime(1.0);
BENCHMARK(BM_ModelScrollFrame)->Arg(1'000'000)->Unit(benchmark::kMicrosecond)->MinTime(1.0);

size_t heapInUse() { return mallinfo2().uordblks; }

// Heap held per record with everything open and the first frame painted.
template <class Open>
double bytesPerRecord(int records, Open open)
{
    malloc_trim(0);
    const size_t before = heapInUse();
    const std::shared_ptr<void> held = open();
    const size_t after = heapInUse();
    return double(after - before) / records;
}

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
    const bool pg = !qEnvironmentVariableIsEmpty("QOR_PG_SOCKET");
    return RunQtBenchmarks(argc, argv, reporter, [&] {
        auto &t = reporter.times;
        const double open = t["BM_GridOpenAndFirstFrame/sqlite/100000/iterations:3"];
        const double peerOpen = t["BM_ModelOpenAndFirstFrame/sqlite/100000/iterations:3"];
        const double small = t["BM_GridScrollFrame/1000/min_time:1.000"];
        const double big = t["BM_GridScrollFrame/1000000/min_time:1.000"];
        const double peerFrame = t["BM_ModelScrollFrame/1000000/min_time:1.000"];
        if (open > 0 && peerOpen > 0)
            std::printf("open 100,000 records and paint / QSqlTableModel + QTableView: %.2fx (goal <= 2.0x)\n", open / peerOpen);
        if (small > 0 && big > 0)
            std::printf("scroll frame at 1,000,000 records / at 1,000: %.2fx (goal <= 1.2x)\n", big / small);
        if (big > 0 && peerFrame > 0)
            std::printf("scroll frame at 1,000,000 records / QTableView's: %.2fx\n", big / peerFrame);
        const QSqlDatabase db = database(QStringLiteral("sqlite"), 100'000);
        const double ours = bytesPerRecord(100'000, [&]() -> std::shared_ptr<void> {
            std::shared_ptr<Bound> b = openBound(db, 100'000);
            QImage image(kWidth, kHeight, QImage::Format_RGB32);
            paintGrid(b->grid, image);
            return b;
        });
        const double theirs = bytesPerRecord(100'000, [&]() -> std::shared_ptr<void> {
            std::shared_ptr<Model> m = openModel(db, 100'000);
            QImage image(kWidth, kHeight, QImage::Format_RGB32);
            paint(m->view, image);
            return m;
        });
        std::printf("heap per record: grid + data set %.0f bytes, QSqlTableModel + QTableView %.0f bytes: %.2fx (goal <= 2.0x)\n",
                    ours, theirs, ours / theirs);
        if (pg) {
            const QSqlDatabase pgdb = database(QStringLiteral("pg"), 100'000);
            if (pgdb.isOpen()) {
                QImage image(kWidth, kHeight, QImage::Format_RGB32);
                QElapsedTimer timer;
                timer.start();
                { auto b = openBound(pgdb, 100'000); paintGrid(b->grid, image); }
                const double grid = timer.nsecsElapsed() / 1e6;
                timer.restart();
                { auto m = openModel(pgdb, 100'000); paint(m->view, image); }
                const double model = timer.nsecsElapsed() / 1e6;
                std::printf("PostgreSQL, open 100,000 records and paint: grid %.0f ms, QSqlTableModel %.0f ms: %.2fx (wall time)\n",
                            grid, model, grid / model);
            }
        } else {
            std::printf("PostgreSQL figures: no server (QOR_PG_SOCKET unset)\n");
        }
    });
}
