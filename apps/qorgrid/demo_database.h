#pragma once
// The demo job on a database: the invoice bound to a sample orders database.
#include <QString>

namespace qor::app {

// Creates the database at file, shows its first order in the bound invoice, types a quantity
// into the grid and reads the row back from the database; the picture goes into dir.
int RunDatabaseDemo(const QString &file, const QString &dir);

} // namespace qor::app
