#pragma once
// The cell record: one cell's text, owned objects and every attribute, in the order stored
// documents, cells blocks and the clipboard use. Readers take the version of the stream the
// record comes from; records of earlier releases end early and are read as far as they go.
#include "io/byte_stream.h"

namespace qor {

class TCellInfo;
class TCustomQorGrid;

// Appends the record of Cell.
QOR_EXPORT void SaveCellToStream(ByteWriter &out, const TCellInfo &Cell);
// The same record with an empty text (and no rich content): what a copy of a password cell
// carries.
QOR_EXPORT void SaveCellToStreamWithoutText(ByteWriter &out, const TCellInfo &Cell);
// Appends the record of a position that has no cell object: its computed text and the
// column's attributes. A position with a cell object writes that cell's record.
QOR_EXPORT void SaveEmptyCellToStream(ByteWriter &out, const TCustomQorGrid &Grid, int Row, int Col);
// Appends the record of any position, with or without a cell object.
QOR_EXPORT void SaveCellToStream(ByteWriter &out, const TCustomQorGrid &Grid, int Row, int Col);

// What a cell reader does beyond the attributes of the record.
struct CellLoadOptions {
    // Set the grid's width of the cell's column and height of its row from the record.
    bool ApplySizes = false;
    // The bulk reader of whole grid streams: Ctl3D keeps the cell's background colour, and
    // the stored sizes are applied again after a record that ends early.
    bool BulkReader = false;
};

// Reads one record (from the reader's position to the end of its bytes; a reader over more
// than the record reads at most the record's fields) into Cell. A record of an unknown tag
// changes nothing. Throws StreamFormatError, leaving Cell unchanged, when the record is cut
// before its tolerant part, claims more bytes than it holds or holds values no writer makes.
// Returns what could not be taken over (a picture no loader understands: its bytes are kept
// and saved again unchanged), empty when everything was.
QOR_EXPORT QString LoadCellFromStream(ByteReader &in, TCellInfo &Cell, int Version, CellLoadOptions Options = {});
// The same with the current stream version.
QOR_EXPORT QString LoadCellFromStream(ByteReader &in, TCellInfo &Cell, CellLoadOptions Options = {});
// Reads only Text, LeftText and RightText of a record.
QOR_EXPORT void CopyTextFromStream(ByteReader &in, TCellInfo &Cell, int Version);
QOR_EXPORT void CopyTextFromStream(ByteReader &in, TCellInfo &Cell);

} // namespace qor
