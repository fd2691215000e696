#pragma once
// The demo invoice: a small sales invoice built through the grid's public API. The command-line
// tool's demo and the invoice window example both start from it.
namespace qor {
class TCustomQorGrid;
}

namespace qor::demo {

// Fills grid with the invoice: a merged title, customer and date, four line items with their
// amounts as formulas (column E), the total, the total in Chinese words, and a note.
void BuildDemoInvoice(TCustomQorGrid &grid);

// Where the invoice's line items sit: rows FirstLineRow .. FirstLineRow + LineCount - 1, the
// total on the row after them.
constexpr int FirstLineRow = 3;
constexpr int LineCount = 4;

} // namespace qor::demo
