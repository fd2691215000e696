#pragma once
// The grid's Ctrl+C, Ctrl+X and Ctrl+V go to the clipboard exchange.
namespace qor {
class TCustomQorGrid;
void InstallClipboardHost(TCustomQorGrid &grid);
} // namespace qor
