#include "io/cells_block.h"

#include <memory>
#include <vector>
#include "core/grid.h"
#include "core/grid_p.h"
#include "io/byte_stream.h"
#include "io/cell_record.h"
#include "io/stream_version.h"

namespace qor {

namespace {

struct StoredRect {
    int32_t top = 0, left = 0, bottom = 0, right = 0;
    int64_t rows() const { return int64_t(bottom) - top + 1; }
    int64_t cols() const { return int64_t(right) - left + 1; }
};

// The records of a block, located and checked before any cell is touched.
struct ParsedBlock {
    StoredRect rect;
    std::vector<std::pair<qsizetype, qsizetype>> records; // offset, length; row by row
};

bool parseBlock(const QByteArray &bytes, ParsedBlock &out)
{
    try {
        ByteReader in(bytes);
        if (!in.peekTag("Cells"))
            return false;
        in.skip(5);
        out.rect.top = in.readI32();
        out.rect.left = in.readI32();
        out.rect.bottom = in.readI32();
        out.rect.right = in.readI32();
        const int64_t rows = out.rect.rows(), cols = out.rect.cols();
        // Every record is at least its length: a rectangle beyond that is a lie.
        // Each factor alone first: two 32-bit spans multiplied overflow even 64 bits.
        const int64_t most = in.remaining() / 4;
        if (rows < 1 || cols < 1 || rows > most || cols > most || rows * cols > most)
            return false;
        out.records.reserve(size_t(rows * cols));
        for (int64_t i = 0; i < rows * cols; ++i) {
            const qsizetype n = in.readLength();
            out.records.emplace_back(in.pos(), n);
            in.skip(n);
        }
        return true;
    } catch (const StreamFormatError &) {
        return false;
    }
}

// Each record tried on a cell of a scratch grid first, so that a record that cannot be read
// refuses the block before the target changes.
bool recordsReadable(const QByteArray &bytes, const ParsedBlock &block, bool onlyText)
{
    TQorGrid scratch;
    scratch.InternalSetCols(1);
    scratch.InternalSetRows(1);
    TCellInfo *cell = scratch.Cells(0, 0);
    try {
        for (const auto &[offset, length] : block.records) {
            if (length < 1)
                continue;
            ByteReader record(bytes.constData() + offset, length);
            if (onlyText)
                CopyTextFromStream(record, *cell, GetCurrentStreamVersion());
            else
                LoadCellFromStream(record, *cell);
        }
    } catch (const StreamFormatError &) {
        return false;
    }
    return true;
}

int nextVisible(const Axis &axis, int from)
{
    for (int i = std::max(from, 0); i < axis.Count(); ++i)
        if (axis.Entry(i).visible && axis.Entry(i).size > 0)
            return i;
    return -1;
}

} // namespace

QRect CellsBlockRect(const QByteArray &bytes)
{
    ParsedBlock block;
    if (!parseBlock(bytes, block))
        return QRect();
    return QRect(QPoint(block.rect.left, block.rect.top), QPoint(block.rect.right, block.rect.bottom));
}

QByteArray SaveCellsBlock(TCustomQorGrid &grid, int TopRow, int LeftCol, int RowCount, int ColCount,
                          const std::function<void(TCellInfo &)> &taken,
                          const std::function<bool(const TCellInfo &)> &withoutText)
{
    const GridPrivate &d = GridPrivate::get(grid);
    if (RowCount < 1 || ColCount < 1 || !d.valid(TopRow, LeftCol) ||
        !d.valid(int(std::min<int64_t>(int64_t(TopRow) + RowCount - 1, INT_MAX)),
                 int(std::min<int64_t>(int64_t(LeftCol) + ColCount - 1, INT_MAX))))
        return {};
    ByteWriter out;
    out.writeTag("Cells");
    out.writeI32(TopRow);
    out.writeI32(LeftCol);
    out.writeI32(TopRow + RowCount - 1);
    out.writeI32(LeftCol + ColCount - 1);
    for (int r = TopRow; r < TopRow + RowCount; ++r) {
        for (int c = LeftCol; c < LeftCol + ColCount; ++c) {
            TCellInfo *cell = grid.Cells(r, c);
            const qsizetype at = out.reserveI32();
            if (withoutText && withoutText(*cell))
                SaveCellToStreamWithoutText(out, *cell);
            else
                SaveCellToStream(out, *cell);
            out.patchI32(at, int32_t(out.size() - at - 4));
            if (taken)
                taken(*cell);
        }
    }
    if (out.size() <= kCellsBlockHeaderSize)
        return {};
    return out.take();
}

bool LoadCellsBlock(TCustomQorGrid &grid, const QByteArray &bytes, int TopRow, int LeftCol, CellsBlockOptions o)
{
    GridPrivate &d = GridPrivate::get(grid);
    ParsedBlock block;
    if (!d.valid(TopRow, LeftCol) || !parseBlock(bytes, block) || !recordsReadable(bytes, block, o.OnlyText))
        return false;
    const bool skipHidden = o.SkipHidden && !o.OnlyText;
    // Where each record goes (row -1: nowhere), worked out before anything changes.
    std::vector<std::pair<int, int>> targets(block.records.size(), {-1, -1});
    size_t next = 0;
    int row = TopRow;
    for (int64_t i = 0; i < block.rect.rows(); ++i, ++row) {
        const size_t rowEnd = next + size_t(block.rect.cols());
        if (skipHidden) {
            row = nextVisible(d.rowAxis, row);
            if (row < 0)
                break;
        }
        int col = LeftCol;
        for (; next < rowEnd; ++next, ++col) {
            if (skipHidden) {
                col = nextVisible(d.colAxis, col);
                if (col < 0)
                    break;
            }
            if (block.records[next].second < 1 || !d.valid(row, col) ||
                (o.KeepReadOnly && grid.InternalCellReadOnly(row, col)))
                continue;
            targets[next] = {row, col};
        }
        next = rowEnd;
    }
    if (o.BeforePlace) {
        std::vector<bool> placed(targets.size());
        for (size_t i = 0; i < targets.size(); ++i)
            placed[i] = targets[i].first >= 0;
        o.BeforePlace(placed);
    }
    CellLoadOptions cellOptions;
    cellOptions.ApplySizes = o.ApplySizes;
    grid.BeginUpdate();
    for (size_t i = 0; i < targets.size(); ++i) {
        const auto [r, c] = targets[i];
        if (r < 0)
            continue;
        TCellInfo *cell = grid.Cells(r, c);
        ByteReader record(bytes.constData() + block.records[i].first, block.records[i].second);
        // A formula the engine refuses is stored as it came, like one typed in; the rest of
        // the block still goes in, and the update bracket closes.
        try {
            if (o.OnlyText)
                CopyTextFromStream(record, *cell, GetCurrentStreamVersion());
            else
                LoadCellFromStream(record, *cell, cellOptions);
        } catch (const std::exception &) {
        }
    }
    grid.EndUpdate();
    return true;
}

} // namespace qor
