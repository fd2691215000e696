#pragma once
// The demo sales sheet: twelve months of sales by region, their totals, and a bar chart of the
// monthly totals anchored beside the table. The command-line demo and the sales window both
// start from it.
namespace qor {
class TCustomQorGrid;
class TQorChart;
}

namespace qor::demo {

// Fills grid with the sheet and anchors the chart; returns the chart.
TQorChart *BuildDemoSales(TCustomQorGrid &grid);

// The row of the yearly totals and the column of each month's total.
constexpr int SalesTotalRow = 14;
constexpr int SalesTotalCol = 1;

} // namespace qor::demo
