// Printing a 10-column ledger grid to PDF (600 dpi A4, 15 mm margins): about 200 pages, and
// 2,000 pages for the memory check. In the same run, what a Qt user has: a QTextDocument table
// of the same texts printed through QPrinter, and the floor: QPrinter with QPainter::drawText
// of the same texts and the same lines, nothing else. Goals: within 2x the floor per page,
// faster than the QTextDocument path per page, memory flat from 200 to 2,000 pages.
#include <benchmark/benchmark.h>

#include <QFile>
#include <QPainter>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextTable>
#include <cstdio>
#include <ctime>
#include <map>
#include <string>

#include "core/grid.h"
#include "core/model/column.h"
#include "platform/printer.h"
#include "platform/screen.h"
#include "print/qor_print.h"
#include "../qt_bench_main.h"

namespace {

constexpr int kCols = 10;
constexpr int kRowHeight = 22;
constexpr int kRowsPerPage = 45;   // what the A4 body holds at 22 pixels a row

double cpuSeconds()
{
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return double(ts.tv_sec) + double(ts.tv_nsec) / 1e9;
}

// Resident memory now, in MiB.
double residentMiB()
{
    QFile f(QStringLiteral("/proc/self/statm"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = f.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toDouble() * 4096.0 / (1024.0 * 1024.0) : 0;
}

QString cellText(int r, int c)
{
    switch (c) {
    case 0: return QStringLiteral("2026-%1-%2").arg(1 + r % 12, 2, 10, QLatin1Char('0')).arg(1 + r % 28, 2, 10, QLatin1Char('0'));
    case 1: return QStringLiteral("记-%1").arg(r + 1, 6, 10, QLatin1Char('0'));
    case 2: return QStringLiteral("摘要 %1 号凭证").arg(r % 997);
    case 3: return QStringLiteral("1002.%1").arg(r % 40, 2, 10, QLatin1Char('0'));
    case 4: return QStringLiteral("银行存款");
    case 5: return QString::number((r * 7919) % 100000 / 100.0, 'f', 2);
    case 6: return QString::number((r * 104729) % 1000000 / 100.0, 'f', 2);
    case 7: return QString::number((r * 15485863) % 10000000 / 100.0, 'f', 2);
    case 8: return r % 3 ? QStringLiteral("借") : QStringLiteral("贷");
    default: return QStringLiteral("张%1").arg(r % 13);
    }
}

// 670 pixels in all: one strip across the 180 mm body, as a ledger is laid out.
const int kWidths[kCols] = {70, 70, 130, 56, 64, 70, 76, 84, 24, 26};

void fillLedger(qor::TQorGrid &grid, int rows)
{
    grid.SetCols(kCols);
    grid.SetRows(rows);
    grid.SetDefaultRowHeight(kRowHeight);
    for (int c = 0; c < kCols; ++c) {
        grid.SetColWidth(c, kWidths[c]);
        if (c >= 5 && c <= 7) {
            grid.Columns(c)->SetValueType(qor::vtFloat);
            grid.Columns(c)->SetAlignment(qor::taRightJustify);
        }
    }
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < kCols; ++c)
            grid.SetCellText(r, c, cellText(r, c));
}

std::map<std::string, double> g_best, g_pages, g_memory;

void record(const std::string &name, double seconds, int pages)
{
    auto it = g_best.find(name);
    if (it == g_best.end() || seconds < it->second)
        g_best[name] = seconds;
    g_pages[name] = pages;
}

// The pages of a PDF as its page objects count them.
int pdfPageCount(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray pdf = f.readAll();
    int n = 0;
    for (qsizetype at = pdf.indexOf("/Type /Page"); at >= 0; at = pdf.indexOf("/Type /Page", at + 1))
        n += pdf.mid(at + 11, 1) != "s";
    return n;
}

QString pdfPath(const char *name)
{
    static QTemporaryDir dir;
    return dir.filePath(QString::fromLatin1(name));
}

void BM_Ours(benchmark::State &state)
{
    const int pages = int(state.range(0));
    qor::platform::SetScreenDpiOverride(96);
    qor::TQorGrid grid;
    fillLedger(grid, pages * kRowsPerPage);
    qor::TQorPrint print;
    print.SetQorGrid(&grid);
    print.SetShowProgress(false);
    print.SetDocumentName(QStringLiteral("ledger"));
    const std::string name = "ours " + std::to_string(pages);
    for (auto _ : state) {
        qor::platform::SetCurrentPrinter(qor::platform::MakePdfPrinter(600, pdfPath("ours.pdf")));
        const double base = residentMiB();
        double peak = base;
        print.OnAfterPrintPage = [&](QObject *, int, int) { peak = std::max(peak, residentMiB()); };
        const double t0 = cpuSeconds();
        if (!print.PrintReport())
            state.SkipWithError(print.LastError().toStdString().c_str());
        const double dt = cpuSeconds() - t0;
        state.SetIterationTime(dt);
        record(name, dt, print.GetPageCount());
        g_memory[name] = std::max(g_memory[name], peak - base);
    }
    qor::platform::ResetCurrentPrinter();
}

void setUpPrinter(QPrinter &printer, const char *file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setResolution(600);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    printer.setOutputFileName(pdfPath(file));
}

// The same texts and lines, drawn straight onto the printer: what any printing costs.
void BM_Floor(benchmark::State &state)
{
    const int pages = int(state.range(0));
    const std::string name = "floor " + std::to_string(pages);
    for (auto _ : state) {
        QPrinter printer(QPrinter::HighResolution);
        setUpPrinter(printer, "floor.pdf");
        const double base = residentMiB();
        double peak = base;
        const double t0 = cpuSeconds();
        QPainter p(&printer);
        const double f = 600.0 / 96.0;
        p.scale(f, f);
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPixelSize(12);
        p.setFont(font);
        for (int page = 0; page < pages; ++page) {
            if (page > 0)
                printer.newPage();
            int y = 0;
            for (int i = 0; i < kRowsPerPage; ++i, y += kRowHeight) {
                const int r = page * kRowsPerPage + i;
                int x = 0;
                for (int c = 0; c < kCols; ++c) {
                    p.drawLine(x + kWidths[c] - 1, y, x + kWidths[c] - 1, y + kRowHeight - 1);
                    p.drawText(QRect(x + 3, y, kWidths[c] - 7, kRowHeight),
                               (c >= 5 && c <= 7 ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter, cellText(r, c));
                    x += kWidths[c];
                }
                p.drawLine(0, y + kRowHeight - 1, x, y + kRowHeight - 1);
            }
            peak = std::max(peak, residentMiB());
        }
        p.end();
        const double dt = cpuSeconds() - t0;
        state.SetIterationTime(dt);
        record(name, dt, pages);
        g_memory[name] = std::max(g_memory[name], peak - base);
    }
}

// A Qt user's table: the same texts in a QTextDocument table, printed by the document.
void BM_TextDocument(benchmark::State &state)
{
    const int rows = int(state.range(0)) * kRowsPerPage;
    const std::string name = "textdoc " + std::to_string(state.range(0));
    for (auto _ : state) {
        const double t0 = cpuSeconds();
        QPrinter printer(QPrinter::HighResolution);
        setUpPrinter(printer, "textdoc.pdf");
        QTextDocument doc;
        QFont font(QStringLiteral("WenQuanYi Micro Hei"));
        font.setPointSizeF(9);
        doc.setDefaultFont(font);
        QTextCursor cursor(&doc);
        QTextTableFormat format;
        format.setBorder(0.5);
        format.setCellPadding(2);
        format.setCellSpacing(0);
        QTextTable *table = cursor.insertTable(rows, kCols, format);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < kCols; ++c)
                table->cellAt(r, c).firstCursorPosition().insertText(cellText(r, c));
        doc.print(&printer);
        const double dt = cpuSeconds() - t0;
        state.SetIterationTime(dt);
        record(name, dt, pdfPageCount(pdfPath("textdoc.pdf")));
    }
}

BENCHMARK(BM_Ours)->Arg(200)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_Floor)->Arg(200)->Arg(2000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_TextDocument)->Arg(200)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

void summary()
{
    std::printf("\n== print: %d-column ledger, %d rows a page, PDF at 600 dpi A4; process CPU time, best run\n",
                kCols, kRowsPerPage);
    auto perPage = [](const std::string &n) { return g_pages[n] > 0 ? g_best[n] * 1e3 / g_pages[n] : 0.0; };
    for (const char *n : {"ours 200", "floor 200", "textdoc 200", "ours 2000", "floor 2000"})
        std::printf("  %-12s %9.1f ms  %5.0f pages  %6.2f ms a page  memory +%.1f MiB\n", n, g_best[n] * 1e3,
                    g_pages[n], perPage(n), g_memory[n]);
    const double ours = perPage("ours 200"), floor = perPage("floor 200"), doc = perPage("textdoc 200");
    std::printf(" ours / floor a page %.2fx (goal <= 2x: %s); ours / QTextDocument a page %.2fx (goal < 1: %s)\n",
                ours / floor, ours / floor <= 2 ? "met" : "NOT MET", ours / doc, ours < doc ? "met" : "NOT MET");
    const double m200 = g_memory["ours 200"], m2000 = g_memory["ours 2000"];
    std::printf(" memory during the job: +%.1f MiB at 200 pages, +%.1f MiB at 2000 pages (flat: %s)\n", m200, m2000,
                m2000 <= m200 * 1.5 + 8 ? "met" : "NOT MET");
}

} // namespace

int main(int argc, char **argv)
{
    benchmark::ConsoleReporter reporter;
    return RunQtBenchmarks(argc, argv, reporter, summary);
}
