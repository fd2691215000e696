// A host window with the demo sales sheet: a bar chart of the monthly totals anchored beside
// the table and a "查看明细" button anchored beside the yearly total; both follow their cells.
//
//   example_sales_window [--scroll ROWS] [--screenshot FILE.png]
#include <QApplication>
#include <QEventLoop>
#include <QMainWindow>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <cstdio>

#include "core/grid.h"
#include "demo_sales.h"
#include "objects/qor_chart.h"
#include "platform/runtime_dir.h"

int main(int argc, char **argv)
{
    qor::platform::EnsurePrivateRuntimeDir();
    QApplication app(argc, argv);
    QString screenshot;
    int rows = 0;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (arg == QLatin1String("--screenshot") && i + 1 < argc) {
            screenshot = QString::fromLocal8Bit(argv[++i]);
        } else if (arg == QLatin1String("--scroll") && i + 1 < argc) {
            rows = QString::fromLocal8Bit(argv[++i]).toInt();
        } else {
            std::fprintf(stderr, "usage: example_sales_window [--scroll ROWS] [--screenshot FILE.png]\n");
            return 2;
        }
    }
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("销售表"));
    auto *grid = new qor::TQorGrid;
    window.setCentralWidget(grid);
    qor::demo::BuildDemoSales(*grid);
    auto *details = new QPushButton(QStringLiteral("查看明细"));
    details->resize(90, 24);
    grid->InsertUserControl(details, qor::demo::SalesTotalRow, 5);
    QObject::connect(details, &QPushButton::clicked, grid, [grid] { grid->SetFocusCell(2, 1); });
    window.resize(1100, 700);
    window.show();
    QApplication::processEvents();
    grid->SetPosition(0, rows * grid->GetDefaultRowHeight());
    if (screenshot.isEmpty())
        return app.exec();
    QEventLoop loop;
    QTimer::singleShot(300, &loop, &QEventLoop::quit);
    loop.exec();
    const QPixmap shot = window.grab();
    if (!shot.save(screenshot, "PNG")) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(screenshot));
        return 1;
    }
    int row = -1, col = -1;
    QPoint offset;
    grid->GetObjectAnchor(grid->GetChart(0), row, col, offset);
    std::printf("sales window scrolled %d rows: chart at (%d, %d) %d,%d, button at %d,%d, screenshot %s\n", rows, row,
                col, grid->GetChart(0)->x(), grid->GetChart(0)->y(), details->x(), details->y(), qPrintable(screenshot));
    return 0;
}
