#pragma once
// The cells block: a rectangle of cells ("Cells", top, left, bottom, right, then one
// length-prefixed cell record per position, row by row). Carries cells files, the clipboard
// and structure copies.
#include <QByteArray>
#include <QRect>
#include <functional>
#include <vector>
#include "platform/qor_global.h"

namespace qor {

class TCustomQorGrid;
class TCellInfo;

constexpr int kCellsBlockHeaderSize = 21;

// The block of a rectangle, creating the cells it lacks; empty when the rectangle is not
// inside the grid. taken, when given, sees each cell right after its record is written;
// withoutText, when it answers true, writes that cell's record with an empty text.
QOR_EXPORT QByteArray SaveCellsBlock(TCustomQorGrid &grid, int TopRow, int LeftCol, int RowCount, int ColCount,
                                     const std::function<void(TCellInfo &)> &taken = {},
                                     const std::function<bool(const TCellInfo &)> &withoutText = {});

struct CellsBlockOptions {
    bool ApplySizes = false;
    bool SkipHidden = false;
    bool OnlyText = false;
    bool KeepReadOnly = false;   // read-only targets keep what they hold
    // Called once the block has been read whole, before anything is placed: one flag per
    // record, row by row, set when the record will be placed.
    std::function<void(const std::vector<bool> &placed)> BeforePlace;
};

// The source rectangle a block names (left = first column, top = first row); empty when the
// block cannot be read.
QOR_EXPORT QRect CellsBlockRect(const QByteArray &block);

// Places the block's cells from (TopRow, LeftCol) on. False, with nothing changed, when the
// block is not one or any of its records cannot be read.
QOR_EXPORT bool LoadCellsBlock(TCustomQorGrid &grid, const QByteArray &block, int TopRow, int LeftCol,
                               CellsBlockOptions Options);

} // namespace qor
