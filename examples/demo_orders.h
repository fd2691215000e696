#pragma once
// The demo invoice bound to a database: a sample orders database, and the invoice form whose
// header cells show the current order and whose body rows are that order's lines.
#include <QString>
#include <memory>

namespace qor {
class TCustomQorGrid;
namespace db {
class TDataSource;
class TSqlDataSet;
}
}

namespace qor::demo {

// Writes the sample database afresh at path (SQLite): two orders and their lines. False, with
// the reason in error, when the file cannot be made.
bool CreateOrdersDatabase(const QString &path, QString *error);

// The orders (master) and their lines (detail) of an open connection, and their sources.
struct OrderSets {
    std::unique_ptr<db::TSqlDataSet> orders, lines;
    std::unique_ptr<db::TDataSource> ordersSource, linesSource;
    OrderSets();
    ~OrderSets();
};
// Opens both on the named connection; throws db::EDatabaseError when it cannot.
void OpenOrderSets(OrderSets &sets, const QString &connection);

// The invoice form bound to the two sources: title, customer and date of the order, one body
// row per line (number, item, quantity, price, amount), the total and the total in words.
void BuildBoundInvoice(TCustomQorGrid &grid, OrderSets &sets);

// Grid row of the invoice's first line; the columns of quantity and amount.
constexpr int BoundFirstLineRow = 3;
constexpr int BoundQtyCol = 2;
constexpr int BoundAmountCol = 4;

} // namespace qor::demo
