// qorgrid: the headless command-line tool.
#include <QApplication>
#include <cstdio>
#include <cstring>

#include "core/grid.h"
#include "demo.h"

namespace {

int usage()
{
    std::fprintf(stderr, "usage: qorgrid demo\n"
                         "  demo   build a small invoice through the grid's API and print a summary of it\n");
    return 2;
}

int runDemo()
{
    qor::TQorGrid grid;
    qor::app::BuildDemoInvoice(grid);
    const QByteArray text = qor::app::SummarizeGrid(grid).toUtf8();
    std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
    return 0;
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
        return runDemo();
    std::fprintf(stderr, "qorgrid: unknown command '%s'\n", argv[1]);
    return usage();
}
