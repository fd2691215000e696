#pragma once
// The demo job's summary of a grid (the invoice itself is built in examples/demo_invoice.h).
#include <QString>

namespace qor {
class TCustomQorGrid;
}

namespace qor::app {

// A plain-text summary: layout, columns, and every cell that holds something.
QString SummarizeGrid(TCustomQorGrid &grid);

} // namespace qor::app
