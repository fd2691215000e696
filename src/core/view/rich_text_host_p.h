#pragma once
// Conversions between a cell's plain text and its rich text, and their painting.
#include <memory>
#include "core/grid_seams_p.h"

namespace qor {

class TCustomQorGrid;

std::unique_ptr<IRichTextHost> MakeRichTextHost(TCustomQorGrid &grid);

} // namespace qor
