#pragma once
// The grid stream's print settings record goes to and comes from the grid's print component.
namespace qor {
// Once per process; the grids' layers call it.
void InstallPrintStreamHooks();
} // namespace qor
