// qorgrid: the headless command-line tool.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include "core/grid.h"
#include "demo.h"
#include "demo_invoice.h"
#include "demo_sales.h"
#include "objects/qor_chart.h"
#include "demo_database.h"
#include "document_info.h"
#include "exchange.h"
#include "pages.h"
#include "print_command.h"
#include "print/qor_print.h"
#include "render.h"
#include "platform/runtime_dir.h"

namespace {

int runDemo(int argc, char **argv);
int runInfo(int argc, char **argv);
int runSalesDemo(const QDir &out);

struct Command {
    const char *name;
    const char *synopsis;
    const char *what;
    int (*run)(int argc, char **argv); // the arguments after the command's name
};

const Command kCommands[] = {
    {"demo", "demo [-o DIR] [--db FILE.sqlite]",
     "build a small invoice through the grid's API and print a summary of it; save it as\n"
     "         DIR/invoice.qld (default ./qorgrid-demo, created), read it back, render it\n"
     "         to DIR/invoice.png and print it to DIR/invoice.pdf; the same for a sales sheet with\n"
     "         a chart (DIR/sales.qld, .png, .pdf). With --db: create a sample\n"
     "         orders database in FILE, show an order and its lines in the invoice, type a\n"
     "         quantity into the grid, read the row back from the database, render\n"
     "         DIR/invoice-db.png",
     runDemo},
    {"info", "info FILE.qld", "print what a grid document holds", runInfo},
    {"render", "render FILE.qld -o out.png [--size WxH] [--scroll X,Y]",
     "paint a grid document's client area into a PNG (default 1280x800)", qor::app::RunRender},
    {"pages", "pages FILE.qld [--paper A4] [--landscape]",
     "print how the document is cut into pages on the current printer: the page count and\n"
     "         each page's rows, columns and pixel rectangle", qor::app::RunPages},
    {"print", "print FILE.qld -o out.pdf [--pages \"1,3,5-12\"] [--odd|--even] [--copies N] [--uncollated] [--zoom P]",
     "print a grid document's pages to a PDF file with its page set-up, bands and repeats", qor::app::RunPrint},
    {"export", "export FILE.qld -o out.xlsx [--title TEXT] [--sheet-name NAME] [--grid-lines]",
     "write a grid document as a spreadsheet workbook (.xlsx)", qor::app::RunExport},
    {"import", "import in.xlsx -o out.qld [--sheet N]",
     "read the used range of one sheet (from 0) of an .xlsx or .ods workbook into a grid document",
     qor::app::RunImport},
};

void printUsage(std::FILE *to)
{
    std::fprintf(to, "usage: qorgrid COMMAND [ARGS]   (qorgrid COMMAND --help for one command)\n");
    for (const Command &c : kCommands)
        std::fprintf(to, "  %s\n         %s\n", c.synopsis, c.what);
}

const Command *findCommand(const char *name)
{
    for (const Command &c : kCommands)
        if (std::strcmp(c.name, name) == 0)
            return &c;
    return nullptr;
}

bool isHelp(const char *arg)
{
    return std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0;
}

int runDemo(int argc, char **argv)
{
    QString dir = QStringLiteral("qorgrid-demo");
    QString database;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "-o") == 0 && i + 1 < argc) {
            dir = QString::fromLocal8Bit(argv[++i]);
        } else if (std::strcmp(argv[i], "--db") == 0 && i + 1 < argc) {
            database = QString::fromLocal8Bit(argv[++i]);
        } else {
            std::fprintf(stderr, "qorgrid demo: unexpected argument '%s'\nusage: qorgrid %s\n", argv[i], kCommands[0].synopsis);
            return 2;
        }
    }
    if (!QDir().mkpath(dir)) {
        std::fprintf(stderr, "qorgrid demo: cannot create the folder %s\n", qPrintable(dir));
        return 1;
    }
    if (!database.isEmpty())
        return qor::app::RunDatabaseDemo(database, QDir(dir).absolutePath());
    qor::TQorGrid grid;
    qor::demo::BuildDemoInvoice(grid);
    // The page set-up travels in the document: the footer shows in every print of it.
    qor::TQorPrint report;
    report.SetQorGrid(&grid);
    report.SetDocumentName(QStringLiteral("销售发票"));
    report.PageFooter().MiddleText = QStringLiteral("第 [PAGE#] 页，共 [TOTALPAGES] 页");
    const QByteArray text = qor::app::SummarizeGrid(grid).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    const QDir out(QDir(dir).absolutePath());
    const int saved = qor::app::SaveAndReadBack(grid, out.filePath(QStringLiteral("invoice.qld")));
    const QString picture = out.filePath(QStringLiteral("invoice.png"));
    const QImage image = qor::app::RenderGrid(grid, grid.GetExtent().boundedTo(QSize(2000, 2000)));
    if (!image.save(picture, "PNG")) {
        std::fprintf(stderr, "qorgrid demo: cannot write %s\n", qPrintable(picture));
        return 1;
    }
    std::printf("rendered the invoice to %s\n", qPrintable(picture));
    const QString pdf = out.filePath(QStringLiteral("invoice.pdf"));
    QString error;
    if (!qor::app::PrintToPdf(report, pdf, error)) {
        std::fprintf(stderr, "qorgrid demo: cannot print %s: %s\n", qPrintable(pdf), qPrintable(error));
        return 1;
    }
    std::printf("printed the invoice to %s (%d page)\n", qPrintable(pdf), report.GetPageCount());
    return saved != 0 ? saved : runSalesDemo(out);
}

// The sales sheet with its chart: saved, read back with the chart, rendered and printed.
int runSalesDemo(const QDir &out)
{
    qor::TQorGrid grid;
    qor::TQorChart *chart = qor::demo::BuildDemoSales(grid);
    const QString file = out.filePath(QStringLiteral("sales.qld"));
    if (!grid.SaveToFile(file)) {
        std::fprintf(stderr, "qorgrid demo: cannot write %s\n", qPrintable(file));
        return 1;
    }
    qor::TQorGrid back;
    qor::TQorPrint report;
    report.SetQorGrid(&back);
    if (!back.LoadFromFile(file) || back.GetQorChartCount() != 1) {
        std::fprintf(stderr, "qorgrid demo: %s did not bring its chart back\n", qPrintable(file));
        return 1;
    }
    const qor::TQorChart *loaded = back.GetChart(0);
    const bool same = loaded->Definition() == chart->Definition() && loaded->Values() == chart->Values();
    std::printf("sales sheet: %s (%lld bytes), chart \"%s\" of %zu bars read back %s\n", qPrintable(file),
                static_cast<long long>(QFileInfo(file).size()), qPrintable(loaded->objectName()),
                loaded->Values().empty() ? size_t(0) : loaded->Values()[0].size(), same ? "identical" : "DIFFERENT");
    if (!same)
        return 1;
    const QString picture = out.filePath(QStringLiteral("sales.png"));
    if (!qor::app::RenderGrid(back, QSize(1100, 700)).save(picture, "PNG")) {
        std::fprintf(stderr, "qorgrid demo: cannot write %s\n", qPrintable(picture));
        return 1;
    }
    const QString pdf = out.filePath(QStringLiteral("sales.pdf"));
    report.SetOrientation(qor::poLandscape);
    QString error;
    if (!qor::app::PrintToPdf(report, pdf, error)) {
        std::fprintf(stderr, "qorgrid demo: cannot print %s: %s\n", qPrintable(pdf), qPrintable(error));
        return 1;
    }
    std::printf("rendered the sales sheet to %s and printed it to %s\n", qPrintable(picture), qPrintable(pdf));
    return 0;
}

int runInfo(int argc, char **argv)
{
    if (argc != 1) {
        std::fprintf(stderr, "usage: qorgrid %s\n", kCommands[1].synopsis);
        return 2;
    }
    return qor::app::PrintDocumentInfo(QString::fromLocal8Bit(argv[0]));
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qor::platform::EnsurePrivateRuntimeDir();
    QApplication app(argc, argv);
    if (argc < 2) {
        printUsage(stderr);
        return 2;
    }
    if (isHelp(argv[1]) || std::strcmp(argv[1], "help") == 0) {
        printUsage(stdout);
        return 0;
    }
    const Command *command = findCommand(argv[1]);
    if (!command) {
        std::fprintf(stderr, "qorgrid: unknown command '%s'\n", argv[1]);
        printUsage(stderr);
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        if (isHelp(argv[i])) {
            std::printf("usage: qorgrid %s\n  %s\n", command->synopsis, command->what);
            return 0;
        }
    }
    return command->run(argc - 2, argv + 2);
}
