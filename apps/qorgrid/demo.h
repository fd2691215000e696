#pragma once
// The demo job: a small invoice built through the public API, and a summary of it.
#include <QString>

namespace qor {
class TCustomQorGrid;
}

namespace qor::app {

// Fills grid with the demo invoice.
void BuildDemoInvoice(TCustomQorGrid &grid);
// A plain-text summary: layout, columns, and every cell that holds something.
QString SummarizeGrid(TCustomQorGrid &grid);

} // namespace qor::app
