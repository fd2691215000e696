// A host application with one grid: a three-line price list. Run it on a desktop to see the
// window; with QT_QPA_PLATFORM=offscreen it prints what it built and exits.
#include <QApplication>
#include <QMainWindow>
#include <cstdio>

#include "core/grid.h"

int main(int argc, char **argv)
{
    QApplication app(argc, argv);

    qor::TQorGrid grid;
    grid.SetGridType(qor::gtExcel); // row numbers and column letters
    grid.SetCols(3);
    grid.SetRows(4);
    grid.SetColWidth(0, 140);

    const char *rows[][3] = {{"Item", "Qty", "Price"}, {"Paper", "10", "4.50"}, {"Pens", "25", "0.80"}};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            grid.SetCellText(r, c, QString::fromUtf8(rows[r][c]));
    grid.Columns(1)->SetAlignment(qor::taRightJustify);
    grid.Columns(2)->SetAlignment(qor::taRightJustify);
    grid.Columns(2)->SetValueType(qor::vtCurrency);
    grid.Cells(0, 0)->SetName("Header");
    for (int c = 0; c < 3; ++c)
        grid.Cells(0, c)->SetBottomFrame(true);

    grid.OnChange = [](QObject *, int row, int col) { std::printf("changed %d,%d\n", row, col); };
    grid.SetCellText(3, 0, "Total"); // prints "changed 3,0"

    std::printf("%d x %d grid, B2 = %s\n", grid.GetRows(), grid.GetCols(), qPrintable(grid.GetCellText(1, 1)));
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        return 0;
    QMainWindow window;
    window.setCentralWidget(&grid);
    window.show();
    const int rc = app.exec();
    window.takeCentralWidget();
    return rc;
}
