#pragma once
// The column record: the column's title, default cell attributes, size, filter and grouping
// state. Stored as a 32-bit length followed by the record's bytes; the writer emits both.
#include "io/byte_stream.h"

namespace qor {

class TQorColumn;

// Appends the length and the bytes of Column's record.
QOR_EXPORT void SaveColumnToStream(ByteWriter &out, const TQorColumn &Column);
// Reads a length-prefixed record into Column, written by a stream of Version. A record of an
// unknown tag changes nothing; one whose length or fields lie throws StreamFormatError and
// leaves Column unchanged.
QOR_EXPORT void LoadColumnFromStream(ByteReader &in, TQorColumn &Column, int Version);
// The same with the current stream version.
QOR_EXPORT void LoadColumnFromStream(ByteReader &in, TQorColumn &Column);

} // namespace qor
