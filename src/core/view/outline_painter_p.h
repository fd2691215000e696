#pragma once
// The tree lines of a grouped range's open nodes: from an open header's button down to the
// row that carries the node's marker (its last visible row), with a short tick there.
class QPainter;

namespace qor {

class TCustomQorGrid;

// Over the cells of rows row0..row1 and columns col0..col1 of one band, already painted.
void DrawOutline(QPainter &canvas, const TCustomQorGrid &grid, int row0, int row1, int col0, int col1);

} // namespace qor
