#pragma once
// The grid stream: a whole grid as one binary document, plain or compressed. The grid's
// SaveToStream/LoadFromStream family is built on these byte-level forms.
#include <QByteArray>
#include <functional>
#include <vector>
#include "core/model/row_rec.h"
#include "io/byte_stream.h"
#include "io/grid_stream_settings.h"

namespace qor {

class TCustomQorGrid;

enum class GridStreamForm { Plain, Compressed, BarePlain, BareCompressed };

// One stored row: its index and the part of TRowRec the stream's version keeps (16, 36 or 56
// bytes; older layouts keep only the sizes).
struct StoredRowRecord {
    int32_t Index = 0;
    TRowRec Rec;
    int Size = 56;
};

// An object record after the properties block; Offset and Length locate its data in Body.
struct StoredObjectRecord {
    int32_t Index = 0;
    char Tag[5] = {0, 0, 0, 0, 0};
    qsizetype Offset = 0;
    qsizetype Length = 0;
    bool IsCell() const;
};

// A grid stream taken apart without touching any grid: everything a load needs, checked for
// lengths and positions that lie.
struct QOR_EXPORT ParsedGridStream {
    GridStreamForm Form = GridStreamForm::Plain;
    QByteArray Body;
    int Version = 14;
    int32_t RowCount = 0;
    int32_t ColCount = 0;
    std::vector<StoredRowRecord> Rows;
    // Columns of releases before version 5: sizes only.
    std::vector<StoredRowRecord> LegacyCols;
    // Where each length-prefixed column record starts in Body.
    std::vector<qsizetype> ColumnRecords;
    GridSettings Settings;
    std::vector<StoredObjectRecord> Objects;

    int CellRecordCount() const;
};

// Thrown by ParseGridStream for a stream without the grid signature; the text the user sees
// is the same as for any other refusal.
class QOR_EXPORT NotAGridStreamError : public StreamFormatError {
public:
    NotAGridStreamError() : StreamFormatError("not a grid stream") {}
};

// Throws StreamFormatError for anything that cannot be read as a whole.
QOR_EXPORT ParsedGridStream ParseGridStream(const QByteArray &stored);

// The stored bytes of grid; AllRows false keeps the title and footer rows alone.
QOR_EXPORT QByteArray SaveGridToBytes(const TCustomQorGrid &grid, bool Compress, bool AllRows);
// Everything a load replaces, for putting the grid back: no progress events, and only the
// cells that exist.
QOR_EXPORT QByteArray SaveGridSnapshot(const TCustomQorGrid &grid);
// Replaces grid with the stream. A refused stream shows its message box and leaves the grid
// as it was; false then.
QOR_EXPORT bool LoadGridFromBytes(TCustomQorGrid &grid, const QByteArray &stored);
// The same with an already parsed stream, without message boxes: throws StreamFormatError
// after putting the grid back as it was.
QOR_EXPORT void ApplyGridStream(TCustomQorGrid &grid, const ParsedGridStream &stream);

// Records that ride in the grid stream for layers above the grid (print settings, embedded
// documents and charts). Each is optional; without a reader their records are skipped.
struct GridStreamHooks {
    // The print settings record ("PrnD" and what follows); empty for none.
    std::function<QByteArray(const TCustomQorGrid &)> SavePrintSettings;
    std::function<void(TCustomQorGrid &, ByteReader &record, int version)> LoadPrintSettings;
    // Appends the embedded documents' and charts' object records (index, length, data).
    std::function<void(const TCustomQorGrid &, ByteWriter &out)> SaveEmbedded;
    // Reads one "OleD" or "ChtD" record.
    std::function<void(TCustomQorGrid &, const StoredObjectRecord &, ByteReader &record, int version)> LoadEmbedded;
};
QOR_EXPORT void SetGridStreamHooks(GridStreamHooks hooks);
QOR_EXPORT const GridStreamHooks &GetGridStreamHooks();

} // namespace qor
