#pragma once
// The cells block: a rectangle of cells ("Cells", top, left, bottom, right, then one
// length-prefixed cell record per position, row by row). Carries cells files, the clipboard
// and structure copies.
#include <QByteArray>
#include <functional>
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;
class TCellInfo;

constexpr int kCellsBlockHeaderSize = 21;

// The block of a rectangle, creating the cells it lacks; empty when the rectangle is not
// inside the grid. taken, when given, sees each cell right after its record is written.
QOR_EXPORT QByteArray SaveCellsBlock(TCustomQorGrid &grid, int TopRow, int LeftCol, int RowCount, int ColCount,
                                     const std::function<void(TCellInfo &)> &taken = {});

struct CellsBlockOptions {
    bool ApplySizes = false;
    bool SkipHidden = false;
    bool OnlyText = false;
};

// Places the block's cells from (TopRow, LeftCol) on. False, with nothing changed, when the
// block is not one or any of its records cannot be read.
QOR_EXPORT bool LoadCellsBlock(TCustomQorGrid &grid, const QByteArray &block, int TopRow, int LeftCol,
                               CellsBlockOptions Options);

} // namespace qor
