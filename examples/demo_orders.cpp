#include "demo_orders.h"

#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include "core/grid.h"
#include "platform/db/data_link.h"
#include "platform/db/sql_dataset.h"

namespace qor::demo {

namespace {

struct Line {
    int order;
    const char *item;
    int qty;
    double price;
};

const Line kLines[] = {
    {1, "办公椅", 4, 385.00},  {1, "文件柜", 2, 1260.50}, {1, "打印纸 A4", 30, 24.80}, {1, "签字笔", 120, 2.35},
    {2, "投影仪", 1, 4999.00}, {2, "幕布", 1, 680.00},
};

} // namespace

bool CreateOrdersDatabase(const QString &path, QString *error)
{
    QFile::remove(path);
    const QString name = QStringLiteral("qor_demo_create");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        QSqlQuery q(db);
        auto run = [&](const QString &sql) {
            if (ok && !q.exec(sql)) {
                ok = false;
                *error = q.lastError().text();
            }
        };
        if (!db.open()) {
            ok = false;
            *error = db.lastError().text();
        }
        run(QStringLiteral("CREATE TABLE orders (id INTEGER PRIMARY KEY, number VARCHAR(20) NOT NULL, "
                           "customer VARCHAR(60) NOT NULL, day DATE)"));
        run(QStringLiteral("CREATE TABLE lines (id INTEGER PRIMARY KEY, order_id INTEGER NOT NULL REFERENCES orders(id), "
                           "line_no INTEGER, item VARCHAR(40) NOT NULL, qty INTEGER CHECK (qty >= 0), price DECIMAL(12,2))"));
        run(QStringLiteral("INSERT INTO orders VALUES (1, 'NO-2026-118', '华东贸易有限公司', '2026-12-06')"));
        run(QStringLiteral("INSERT INTO orders VALUES (2, 'NO-2026-119', '北方电子科技公司', '2026-12-07')"));
        int lineNo[3] = {0, 0, 0};
        for (const Line &l : kLines) {
            if (!ok)
                break;
            q.prepare(QStringLiteral("INSERT INTO lines (order_id, line_no, item, qty, price) VALUES (?, ?, ?, ?, ?)"));
            q.addBindValue(l.order);
            q.addBindValue(++lineNo[l.order]);
            q.addBindValue(QString::fromUtf8(l.item));
            q.addBindValue(l.qty);
            q.addBindValue(l.price);
            if (!q.exec()) {
                ok = false;
                *error = q.lastError().text();
            }
        }
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

OrderSets::OrderSets() = default;
OrderSets::~OrderSets()
{
    // Sources let go of their data sets before those go.
    linesSource.reset();
    ordersSource.reset();
}

void OpenOrderSets(OrderSets &sets, const QString &connection)
{
    const QSqlDatabase db = QSqlDatabase::database(connection);
    sets.orders = std::make_unique<db::TSqlDataSet>(db);
    sets.orders->SetTableName(QStringLiteral("orders"));
    sets.ordersSource = std::make_unique<db::TDataSource>();
    sets.ordersSource->SetDataSet(sets.orders.get());
    sets.lines = std::make_unique<db::TSqlDataSet>(db);
    // The amount is computed by the database; a line is written back to its table.
    sets.lines->SetSelect(QStringLiteral("SELECT id, order_id, line_no, item, qty, price, qty * price AS amount "
                                         "FROM lines WHERE order_id = :id ORDER BY line_no"));
    sets.lines->SetUpdateTable(QStringLiteral("lines"));
    sets.lines->SetMasterSource(sets.ordersSource.get(), {QStringLiteral("id")}, {QStringLiteral("order_id")});
    sets.lines->SetFieldType(QStringLiteral("amount"), db::ftCurrency);
    sets.linesSource = std::make_unique<db::TDataSource>();
    sets.linesSource->SetDataSet(sets.lines.get());
    sets.orders->Open();
    sets.lines->Open();
}

void BuildBoundInvoice(TCustomQorGrid &g, OrderSets &sets)
{
    g.BeginUpdate();
    g.SetOptions(g.GetOptions().With(qgoShadow).With(qgoEditing));
    g.SetCols(5);
    g.SetRows(6);
    const char *fields[] = {"line_no", "item", "qty", "price", "amount"};
    const char *captions[] = {"序号", "品名", "数量", "单价", "金额"};
    const int widths[] = {64, 150, 56, 80, 136};
    for (int c = 0; c < 5; ++c) {
        g.SetColWidth(c, widths[c]);
        g.Columns(c)->SetFieldName(QString::fromLatin1(fields[c]));
        g.Columns(c)->Title().SetCaption(QString::fromUtf8(captions[c]));
    }
    g.Columns(0)->SetAlignment(taCenter);
    for (int c = 2; c < 5; ++c)
        g.Columns(c)->SetAlignment(taRightJustify);
    g.Columns(3)->SetValueType(vtFloat);
    g.Columns(3)->SetDigits(2);
    g.Columns(4)->SetValueType(vtCurrency);
    g.Columns(4)->SetShowCurrencyLine(true);

    g.SetRowHeight(0, 36);
    TCellInfo *title = g.Cells(0, 0);
    title->SetText("销售发票");
    title->Font().Font.setPointSize(16);
    title->Font().Font.setBold(true);
    title->SetAlignment(taCenter);
    g.MergeCells(0, 0, 0, 4);
    g.SetCellText(1, 0, "客户：");
    g.Cells(1, 1)->SetFieldName(QStringLiteral("customer"));
    g.MergeCells(1, 1, 1, 2);
    g.SetCellText(1, 3, "日期：");
    g.Cells(1, 3)->SetValueType(vtString);
    g.Cells(1, 4)->SetFieldName(QStringLiteral("day"));
    g.Cells(1, 4)->SetValueType(vtString);   // a date, not a ledger amount like its column
    g.Cells(1, 4)->SetShowCurrencyLine(false);
    for (int c = 0; c < 5; ++c) {
        TCellInfo *head = g.Cells(2, c);
        head->SetText(QString::fromUtf8(captions[c]));
        head->SetAlignment(taCenter);
        head->SetValueType(vtString);
        head->SetBackColor(clSilver);
        head->SetTopFrame(true);
        head->SetBottomFrame(true);
    }
    g.SetCellText(4, 1, "合计");
    g.Cells(4, 1)->SetAlignment(taCenter);
    g.Cells(4, 4)->Font().Font.setBold(true);
    g.SetCellText(5, 1, "大写金额");
    g.Cells(5, 2)->SetValueType(vtChineseLongCurr);
    g.MergeCells(5, 2, 5, 4);
    g.SetFooterRows(2);
    g.SetTitleRows(3);
    g.SetMasterDataSource(sets.ordersSource.get());
    g.SetDataSource(sets.linesSource.get());
    g.EndUpdate();
    // The totals over however many lines the order has.
    const int last = g.GetRows() - g.GetFooterRows();
    const QString sum = QStringLiteral("=SUM(E%1:E%2)").arg(BoundFirstLineRow + 1).arg(last);
    g.SetCellText(last, 4, sum);
    g.SetCellText(last + 1, 2, sum);
}

} // namespace qor::demo
