#include "pages.h"

#include <QFileInfo>
#include <algorithm>
#include <cstdio>
#include "core/grid.h"
#include "platform/message_box.h"
#include "platform/printer.h"
#include "print/qor_print.h"

namespace qor::app {

namespace {

int fail(const char *what, const QString &detail = QString())
{
    std::fprintf(stderr, "qorgrid pages: %s%s\n", what, qPrintable(detail));
    return 2;
}

struct Paper {
    const char *name;
    int code;
};
constexpr Paper kPapers[] = {{"A3", platform::kPaperA3}, {"A4", platform::kPaperA4}, {"A5", platform::kPaperA5},
                             {"B5", platform::kPaperB5}, {"Letter", platform::kPaperLetter},
                             {"Legal", platform::kPaperLegal}};

QString paperName(int code)
{
    for (const Paper &p : kPapers)
        if (p.code == code)
            return QString::fromLatin1(p.name);
    return QStringLiteral("code %1").arg(code);
}

} // namespace

int RunPages(int argc, char **argv)
{
    QString input;
    int paper = 0;
    bool landscape = false;
    for (int i = 0; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--paper") && i + 1 < argc) {
            const QString name = QString::fromLocal8Bit(argv[++i]);
            for (const Paper &p : kPapers)
                if (name.compare(QLatin1String(p.name), Qt::CaseInsensitive) == 0)
                    paper = p.code;
            if (!paper)
                return fail("--paper wants A3, A4, A5, B5, Letter or Legal, not ", name);
        } else if (arg == QLatin1String("--landscape")) {
            landscape = true;
        } else if (input.isEmpty() && !arg.startsWith(QLatin1Char('-'))) {
            input = arg;
        } else {
            return fail("unexpected argument ", arg);
        }
    }
    if (input.isEmpty())
        return fail("usage: qorgrid pages FILE.qld [--paper A4] [--landscape]");
    if (!QFileInfo::exists(input))
        return fail("no such file: ", input);
    platform::SetMessageBoxHandler([](const platform::MessageBoxRequest &r) {
        std::fprintf(stderr, "qorgrid pages: %s\n", qPrintable(r.text));
        return r.buttons() == platform::MB_OK ? int(platform::IDOK) : int(platform::IDCANCEL);
    });
    TQorGrid grid;
    TQorPrint print;
    print.SetQorGrid(&grid);   // bound first: the document's page set-up comes with it
    if (!grid.LoadFromFile(input))
        return fail("not a readable grid document: ", input);
    if (paper)
        print.SetPageSize(paper);
    if (landscape)
        print.SetOrientation(poLandscape);

    int pages = 0;
    try {
        pages = print.GetPageCount();
    } catch (const EPrintError &e) {
        std::fprintf(stderr, "qorgrid pages: %s\n", qPrintable(e.Text()));
        return 1;
    }
    const platform::Printer &printer = platform::CurrentPrinter();
    const TPrintRect body = print.GetStripRect();
    std::printf("%s: %d page%s on %s %s, margins %d/%d/%d/%d mm, %d strip%s a sheet\n", qPrintable(input), pages,
                pages == 1 ? "" : "s", qPrintable(paperName(print.GetPageSize())),
                print.GetOrientation() == poLandscape ? "landscape" : "portrait", print.PageMargins().Left,
                print.PageMargins().Top, print.PageMargins().Right, print.PageMargins().Bottom,
                print.GetPageColumns(), print.GetPageColumns() == 1 ? "" : "s");
    std::printf("printer %s at %d dpi; page body %d x %d grid pixels; %d strips across, %d down\n",
                qPrintable(printer.Name().isEmpty() ? QStringLiteral("(none)") : printer.Name()), printer.DpiX(),
                body.Width(), body.Height(), print.GetStripsAcross(), print.GetStripsDown());
    const int perSheet = print.GetPageColumns();
    const std::vector<TPrintRect> &strips = print.Pages();
    for (size_t i = 0; i < strips.size(); ++i) {
        const TPrintRect &s = strips[i];
        const QRect cells = print.CalPrintViewRegion(s);
        std::printf("page %d%s: rows %d-%d, columns %d-%d, pixels (%d, %d)-(%d, %d)\n", int(i) / perSheet + 1,
                    perSheet > 1 ? qPrintable(QStringLiteral(" strip %1").arg(int(i) % perSheet + 1)) : "",
                    cells.top(), cells.bottom(), cells.left(), cells.right(), s.Left, s.Top, s.Right, s.Bottom);
    }
    return 0;
}

} // namespace qor::app
