// Writing a grid as a grid stream.
#include "core/model/column.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "io/cell_record.h"
#include "io/column_record.h"
#include "io/grid_stream.h"
#include "io/stream_envelope.h"
#include "io/stream_version.h"

namespace qor {

namespace {

GridStreamHooks &hooks()
{
    static GridStreamHooks h;
    return h;
}

// The stored rows: title rows, the body when AllRows, footer rows; as (grid row, stored row).
template <class Visit>
void forStoredRows(const GridPrivate &d, bool allRows, Visit visit)
{
    if (allRows) {
        for (int r = 0; r < d.rows; ++r)
            visit(r, r);
        return;
    }
    const int titles = std::min(d.layout.titleRows, d.rows);
    const int footers = std::clamp(d.layout.footerRows, 0, d.rows - titles);
    for (int r = 0; r < titles; ++r)
        visit(r, r);
    for (int r = d.rows - footers; r < d.rows; ++r)
        visit(r, r - d.rows + footers + titles);
}

int storedRowCount(const GridPrivate &d, bool allRows)
{
    int n = 0;
    forStoredRows(d, allRows, [&n](int, int) { ++n; });
    return n;
}

void writeRowRecord(ByteWriter &out, int index, const TRowRec &r)
{
    out.writeI32(index);
    out.writeTag("RowD");
    out.writeI32(r.Height);
    out.writeI32(r.Bottom);
    out.writeI32(r.SavedHeight);
    out.writeU8(r.Visible ? 1 : 0);
    out.writeBytes("\0\0\0", 3);
    out.writeI32(0);
    out.writeI32(r.Group2);
    out.writeI32(r.Group3);
    out.writeU32(r.State);
    out.writeI32(r.Group4);
    out.writeI32(0);
    out.writeDouble(r.PhyHeight);
    out.writeDouble(r.SavedPhyHeight);
}

QByteArray propertiesBlock(const TCustomQorGrid &grid, bool allRows)
{
    const GridPrivate &d = GridPrivate::get(grid);
    ByteWriter out;
    out.writeI32(storedRowCount(d, allRows));
    out.writeI32(d.cols);
    forStoredRows(d, allRows, [&](int row, int stored) {
        const TRowRec r = grid.GetRowRec(row);
        if (d.layout.unitType == utPixel && r.Height == d.layout.defaultRowHeight && r.Group2 == 0)
            return;
        writeRowRecord(out, stored, r);
    });
    for (int c = 0; c < d.cols; ++c)
        SaveColumnToStream(out, *d.column(c));
    GridSettings::Capture(grid).Write(out);
    return out.take();
}

void writeCells(const TCustomQorGrid &grid, bool allRows, bool snapshot, ByteWriter &out)
{
    const GridPrivate &d = GridPrivate::get(grid);
    const int count = d.rows * d.cols - 1;
    const bool computed = !snapshot && grid.OnGetText;
    const bool progress = !snapshot && grid.OnSaveProgress;
    forStoredRows(d, allRows, [&](int row, int stored) {
        for (int col = 0; col < d.cols; ++col) {
            const int index = row * d.cols + col;
            if (progress)
                grid.OnSaveProgress(const_cast<TCustomQorGrid *>(&grid), count, index);
            const TCellInfo *cell = d.cells.At(row, col);
            if (cell ? !notDefaultCell(cell) : !(computed || (!snapshot && d.seams.binding->IsBound(row, col))))
                continue;
            out.writeI32(stored * d.cols + col);
            const qsizetype at = out.reserveI32();
            if (cell)
                SaveCellToStream(out, *cell);
            else
                SaveEmptyCellToStream(out, grid, row, col);
            out.patchI32(at, int32_t(out.size() - at - 4));
        }
    });
}

} // namespace

void SetGridStreamHooks(GridStreamHooks h) { hooks() = std::move(h); }
const GridStreamHooks &GetGridStreamHooks() { return hooks(); }

namespace {

QByteArray saveBody(const TCustomQorGrid &grid, bool AllRows, bool snapshot)
{
    const QByteArray props = propertiesBlock(grid, AllRows);
    ByteWriter out(props.size() + 64);
    out.writeI32(CurrentStreamFormatVersion);
    out.writeTag("QGRD");
    out.writeI32(int32_t(props.size()));
    out.writeBytes(props);
    if (hooks().SavePrintSettings) {
        const QByteArray print = hooks().SavePrintSettings(grid);
        if (!print.isEmpty()) {
            out.writeI32(0);
            out.writeI32(int32_t(print.size()));
            out.writeBytes(print);
        }
    }
    writeCells(grid, AllRows, snapshot, out);
    if (hooks().SaveEmbedded)
        hooks().SaveEmbedded(grid, out);
    // Every length in the stream is 32 bits wide.
    if (out.size() > INT32_MAX)
        throw std::length_error("the grid is too large for one stream");
    return out.take();
}

} // namespace

QByteArray SaveGridToBytes(const TCustomQorGrid &grid, bool Compress, bool AllRows)
{
    return WrapStreamBody(saveBody(grid, AllRows, false), Compress);
}

QByteArray SaveGridSnapshot(const TCustomQorGrid &grid)
{
    return WrapStreamBody(saveBody(grid, true, true), false);
}

} // namespace qor
