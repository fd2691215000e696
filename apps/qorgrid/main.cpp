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
#include "document_info.h"
#include "render.h"

namespace {

int usage()
{
    std::fprintf(stderr, "usage: qorgrid demo [FILE.qld] | info FILE.qld | render FILE.qld -o out.png [--size WxH] [--scroll X,Y]\n"
                         "  demo   build a small invoice through the grid's API and print a summary of it;\n"
                         "         save it as a document (FILE.qld, else in the temporary folder) and read it back\n"
                         "         and render it to a PNG beside the document\n"
                         "  info   print what a grid document holds\n"
                         "  render paint a grid document's client area into a PNG (default 1280x800)\n");
    return 2;
}

int runDemo(const char *file)
{
    qor::TQorGrid grid;
    qor::demo::BuildDemoInvoice(grid);
    const QByteArray text = qor::app::SummarizeGrid(grid).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    const QString document = file ? QString::fromLocal8Bit(file) : QDir::temp().filePath("qorgrid_demo_invoice.qld");
    const int saved = qor::app::SaveAndReadBack(grid, document);
    const QString picture = QFileInfo(document).path() + QLatin1Char('/') + QFileInfo(document).completeBaseName() + QStringLiteral(".png");
    const QImage image = qor::app::RenderGrid(grid, grid.GetExtent().boundedTo(QSize(2000, 2000)));
    if (!image.save(picture, "PNG")) {
        std::fprintf(stderr, "qorgrid demo: cannot write %s\n", qPrintable(picture));
        return 1;
    }
    std::printf("rendered the invoice to %s\n", qPrintable(picture));
    return saved;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc < 2)
        return usage();
    if (std::strcmp(argv[1], "demo") == 0)
        return runDemo(argc > 2 ? argv[2] : nullptr);
    if (std::strcmp(argv[1], "render") == 0)
        return qor::app::RunRender(argc - 2, argv + 2);
    if (std::strcmp(argv[1], "info") == 0 && argc > 2)
        return qor::app::PrintDocumentInfo(QString::fromLocal8Bit(argv[2]));
    std::fprintf(stderr, "qorgrid: unknown command '%s'\n", argv[1]);
    return usage();
}
