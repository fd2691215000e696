#pragma once
// The outer form of a grid stream: the body as it is ("Decrypt" trailer) or zlib-compressed
// behind its little-endian length ("Encrypt" trailer); releases before the trailer existed
// wrote either form bare.
#include <QByteArray>
#include "platform/qor_global.h"

namespace qor {

QOR_EXPORT QByteArray WrapStreamBody(const QByteArray &body, bool compress);

// The body inside a stored stream. Throws StreamFormatError for a length that is negative or
// beyond what memory allows, a corrupted or short zlib stream, or one that inflates to a
// different size than it claims.
QOR_EXPORT QByteArray UnwrapStreamBody(const QByteArray &stored);

// zlib format, level 9; the caller keeps the length.
QOR_EXPORT QByteArray ZlibCompress(const QByteArray &data);
QOR_EXPORT QByteArray ZlibInflateExactly(const char *data, qsizetype size, qsizetype expected);

} // namespace qor
