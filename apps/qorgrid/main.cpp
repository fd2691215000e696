// qorgrid: the headless command-line tool.
#include <QApplication>
#include <cstdio>

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::fprintf(stderr, "usage: qorgrid demo\n");
    return 2;
}
