#pragma once
// The grid's own view seam: repaints exactly what changed and keeps scrolling in step with
// the layout.
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;
struct GridSeams;

// Creates the grid's scroller and installs the view seam; the grid's construction calls it
// before any layer runs.
void InstallGridView(TCustomQorGrid &grid, GridSeams &seams);

} // namespace qor
