#include "demo_database.h"

#include <QDir>
#include <QImage>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <cstdio>
#include "core/grid.h"
#include "demo_orders.h"
#include "platform/db/database_error.h"
#include "platform/db/sql_dataset.h"
#include "render.h"

namespace qor::app {

namespace {

const QString kConnection = QStringLiteral("qorgrid_demo");

QString lineQty(int order, int lineNo)
{
    QSqlQuery q(QSqlDatabase::database(kConnection));
    q.prepare(QStringLiteral("SELECT qty FROM lines WHERE order_id = ? AND line_no = ?"));
    q.addBindValue(order);
    q.addBindValue(lineNo);
    return q.exec() && q.next() ? q.value(0).toString() : QStringLiteral("(none)");
}

void printOrder(TCustomQorGrid &g)
{
    const int first = demo::BoundFirstLineRow, footer = g.GetRows() - g.GetFooterRows();
    std::printf("  customer %s, date %s: %d lines in rows %d-%d, total %s (%s)\n", qPrintable(g.GetCellText(1, 1)),
                qPrintable(g.GetCellText(1, 4)), footer - first, first + 1, footer,
                qPrintable(g.CellDisplayText(footer, demo::BoundAmountCol)), qPrintable(g.CellDisplayText(footer + 1, 2)));
}

} // namespace

int RunDatabaseDemo(const QString &file, const QString &dir)
{
    QString error;
    if (!QDir().mkpath(dir) || !demo::CreateOrdersDatabase(file, &error)) {
        std::fprintf(stderr, "qorgrid demo: cannot create the database %s: %s\n", qPrintable(file), qPrintable(error));
        return 1;
    }
    int result = 0;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kConnection);
        db.setDatabaseName(file);
        demo::OrderSets sets;
        TQorGrid grid;
        try {
            demo::OpenOrderSets(sets, kConnection);
        } catch (const db::EDatabaseError &e) {
            std::fprintf(stderr, "qorgrid demo: %s\n", qPrintable(e.Message()));
            return 1;
        }
        std::printf("database: %s, %d orders\n", qPrintable(QDir::toNativeSeparators(file)), sets.orders->RecordCount());
        demo::BuildBoundInvoice(grid, sets);
        std::printf("order %s\n", qPrintable(sets.orders->FieldByName(QStringLiteral("number")).AsString()));
        printOrder(grid);

        // The third line's quantity, typed into the grid; leaving the row posts it.
        const int row = demo::BoundFirstLineRow + 2, col = demo::BoundQtyCol;
        const QString before = lineQty(1, 3);
        grid.SetFocusCell(row, col);
        grid.SetCellText(row, col, QStringLiteral("40"));
        grid.SetFocusCell(row + 1, col);
        std::printf("typed 40 into line 3 (%s): the database row had qty = %s, now qty = %s\n",
                    qPrintable(grid.GetCellText(row, 1)), qPrintable(before), qPrintable(lineQty(1, 3)));
        if (lineQty(1, 3) != QLatin1String("40"))
            result = 1;
        // The amount is the database's: read again, the totals follow.
        sets.lines->Refresh();
        printOrder(grid);
        const QString picture = QDir(dir).filePath(QStringLiteral("invoice-db.png"));
        if (!RenderGrid(grid, grid.GetExtent().boundedTo(QSize(2000, 2000))).save(picture, "PNG")) {
            std::fprintf(stderr, "qorgrid demo: cannot write %s\n", qPrintable(picture));
            result = 1;
        } else {
            std::printf("rendered the bound invoice to %s\n", qPrintable(picture));
        }
        sets.orders->Next();
        std::printf("next order %s\n", qPrintable(sets.orders->FieldByName(QStringLiteral("number")).AsString()));
        printOrder(grid);
        grid.SetDataSource(nullptr);
        grid.SetMasterDataSource(nullptr);
    }
    QSqlDatabase::removeDatabase(kConnection);
    return result;
}

} // namespace qor::app
