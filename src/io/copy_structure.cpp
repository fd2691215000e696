// Copying the cells of a rectangle to another place of the grid through a cells block.
#include "core/grid.h"
#include "core/grid_p.h"
#include "io/byte_stream.h"
#include "io/cell_record.h"
#include "io/cells_block.h"

namespace qor {

void TCustomQorGrid::CopyStructure(int SrcRow, int SrcCol, int RowCount, int ColCount, int DstRow, int DstCol,
                                   bool CopyText)
{
    auto inside = [this](int row, int col, int rows, int cols) {
        return d->valid(row, col) && int64_t(row) + rows <= d->rows && int64_t(col) + cols <= d->cols;
    };
    if (RowCount < 1 || ColCount < 1 || !inside(SrcRow, SrcCol, RowCount, ColCount) ||
        !inside(DstRow, DstCol, RowCount, ColCount))
        return;
    d->hideEditor();
    d->batch.Begin();
    // Names stay unique: a name moves to the copy.
    const QByteArray block =
        SaveCellsBlock(*this, SrcRow, SrcCol, RowCount, ColCount, [](TCellInfo &cell) { cell.SetName(QString()); });
    ByteReader in(block);
    in.skip(kCellsBlockHeaderSize);
    for (int r = 0; r < RowCount; ++r) {
        for (int c = 0; c < ColCount; ++c) {
            const qsizetype n = in.readLength();
            ByteReader record(block.constData() + in.pos(), n);
            in.skip(n);
            TCellInfo *cell = Cells(DstRow + r, DstCol + c);
            LoadCellFromStream(record, *cell);
            if (!CopyText)
                cell->SetText(QString());
        }
    }
    if (d->batch.End())
        d->repaintAll();
}

} // namespace qor
