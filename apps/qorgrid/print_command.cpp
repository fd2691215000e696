#include "print_command.h"

#include <QFileInfo>
#include <cstdio>
#include "core/grid.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "print/qor_print.h"

namespace qor::app {

bool PrintToPdf(TQorPrint &report, const QString &file, QString &error, int dpi)
{
    platform::SetCurrentPrinter(platform::MakePdfPrinter(dpi, file));
    report.SetShowProgress(false);
    const bool ok = report.PrintReport();
    error = report.LastError();
    platform::ResetCurrentPrinter();
    return ok;
}

namespace {

int fail(const char *message, const QString &detail = QString())
{
    std::fprintf(stderr, "qorgrid print: %s%s\n", message, qPrintable(detail));
    return 2;
}

bool number(const char *text, int min, int max, int &out)
{
    bool ok = false;
    out = QString::fromLocal8Bit(text).toInt(&ok);
    return ok && out >= min && out <= max;
}

} // namespace

int RunPrint(int argc, char **argv)
{
    QString input, output, pages;
    TPrintPages which = pgAll;
    int copies = 1, zoom = 0;
    bool collate = true;
    for (int i = 0; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        const bool hasValue = i + 1 < argc;
        if (arg == QLatin1String("-o") && hasValue) {
            output = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == QLatin1String("--pages") && hasValue) {
            pages = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == QLatin1String("--odd")) {
            which = pgOdd;
        } else if (arg == QLatin1String("--even")) {
            which = pgEven;
        } else if (arg == QLatin1String("--uncollated")) {
            collate = false;
        } else if (arg == QLatin1String("--copies") && hasValue) {
            if (!number(argv[++i], 1, 999, copies))
                return fail("--copies wants 1..999, not ", QString::fromLocal8Bit(argv[i]));
        } else if (arg == QLatin1String("--zoom") && hasValue) {
            if (!number(argv[++i], 10, 500, zoom))
                return fail("--zoom wants a percentage 10..500, not ", QString::fromLocal8Bit(argv[i]));
        } else if (input.isEmpty() && !arg.startsWith(QLatin1Char('-'))) {
            input = arg;
        } else {
            return fail("unexpected argument ", arg);
        }
    }
    if (input.isEmpty() || output.isEmpty())
        return fail("usage: qorgrid print FILE.qld -o out.pdf [--pages \"1,3,5-12\"] [--odd|--even] [--copies N] "
                    "[--uncollated] [--zoom P]");
    if (!QFileInfo::exists(input))
        return fail("no such file: ", input);
    platform::SetMessageBoxHandler([](const platform::MessageBoxRequest &r) {
        std::fprintf(stderr, "qorgrid print: %s\n", qPrintable(r.text));
        return r.buttons() == platform::MB_OK ? int(platform::IDOK) : int(platform::IDCANCEL);
    });
    TQorGrid grid;
    TQorPrint report;
    report.SetQorGrid(&grid);   // before loading: the document's page set-up lands in it
    if (!grid.LoadFromFile(input))
        return fail("not a readable grid document: ", input);
    if (zoom > 0)
        report.SetPrintZoom(zoom);
    report.SetPageRangeText(pages);
    report.SetPrintPages(which);
    report.SetCopies(copies);
    report.SetCollate(collate);
    report.SetDocumentName(QFileInfo(input).completeBaseName());
    QString error;
    if (!PrintToPdf(report, output, error))
        return fail("nothing printed: ", error);
    std::printf("printed %s to %s: %d pages in the document, zoom %d%%\n", qPrintable(input), qPrintable(output),
                report.GetPageCount(), report.GetPrintZoom());
    return 0;
}

} // namespace qor::app
