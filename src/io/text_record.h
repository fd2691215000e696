#pragma once
// The text record: a 32-bit byte count, then UTF-16LE code units.
#include <QString>
#include "io/byte_stream.h"

namespace qor {

QOR_EXPORT void SaveTextToStream(ByteWriter &out, const QString &text);
QOR_EXPORT QString LoadTextFromStream(ByteReader &in);
// Streams below version 9 store 8-bit texts in the legacy code page instead.
QOR_EXPORT QString LoadTextFromStream2(ByteReader &in, int version);

} // namespace qor
