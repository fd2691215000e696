#include "io/stream_envelope.h"

#include <zlib.h>
#include <cstring>
#include "io/byte_stream.h"

namespace qor {

namespace {

constexpr char kPlainTrailer[] = "Decrypt";
constexpr char kCompressedTrailer[] = "Encrypt";
constexpr qsizetype kTrailerSize = 7;
// A deflate stream expands at most about 1032:1; a claimed length beyond that is a lie.
constexpr qsizetype kMaxRatio = 1032;
// No grid body needs more than this; a larger claim is refused before any allocation.
constexpr qsizetype kMaxBody = qsizetype(1) << 31;

bool endsWith(const QByteArray &b, const char *trailer)
{
    return b.size() >= kTrailerSize && std::memcmp(b.constData() + b.size() - kTrailerSize, trailer, kTrailerSize) == 0;
}

QByteArray inflateWithLength(const char *data, qsizetype size)
{
    ByteReader in(data, size);
    const int32_t claimed = in.readI32();
    if (claimed < 0)
        throw StreamFormatError("negative body length");
    return ZlibInflateExactly(data + 4, size - 4, claimed);
}

} // namespace

QByteArray ZlibCompress(const QByteArray &data)
{
    uLongf bound = compressBound(uLong(data.size()));
    QByteArray out(qsizetype(bound), Qt::Uninitialized);
    const int rc = compress2(reinterpret_cast<Bytef *>(out.data()), &bound,
                             reinterpret_cast<const Bytef *>(data.constData()), uLong(data.size()), 9);
    if (rc != Z_OK)
        throw std::runtime_error("zlib compression failed");
    out.truncate(qsizetype(bound));
    return out;
}

QByteArray ZlibInflateExactly(const char *data, qsizetype size, qsizetype expected)
{
    if (expected < 0 || expected > kMaxBody || expected / kMaxRatio > size + 16)
        throw StreamFormatError("compressed stream claims an impossible length");
    QByteArray out(expected, Qt::Uninitialized);
    z_stream zs{};
    if (inflateInit(&zs) != Z_OK)
        throw std::runtime_error("zlib could not start");
    zs.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(data));
    zs.avail_in = uInt(size);
    zs.next_out = reinterpret_cast<Bytef *>(out.data());
    zs.avail_out = uInt(expected);
    const int rc = inflate(&zs, Z_FINISH);
    const qsizetype produced = qsizetype(zs.total_out);
    inflateEnd(&zs);
    // The stream must end exactly where the length says: shorter means truncated, a stream
    // that still wants room means the length was wrong.
    if (rc != Z_STREAM_END || produced != expected)
        throw StreamFormatError("compressed stream is corrupted");
    return out;
}

QByteArray WrapStreamBody(const QByteArray &body, bool compress)
{
    ByteWriter out(compress ? body.size() / 2 + 16 : body.size() + kTrailerSize);
    if (compress) {
        out.writeI32(int32_t(body.size()));
        out.writeBytes(ZlibCompress(body));
        out.writeBytes(kCompressedTrailer, kTrailerSize);
    } else {
        out.writeBytes(body);
        out.writeBytes(kPlainTrailer, kTrailerSize);
    }
    return out.take();
}

QByteArray UnwrapStreamBody(const QByteArray &stored)
{
    if (endsWith(stored, kCompressedTrailer))
        return inflateWithLength(stored.constData(), stored.size() - kTrailerSize);
    if (endsWith(stored, kPlainTrailer))
        return stored.left(stored.size() - kTrailerSize);
    // No trailer: the body starts with its version (10 or lower), a compressed one with its length.
    ByteReader in(stored);
    const int32_t first = in.readI32();
    if (first > 10)
        return inflateWithLength(stored.constData(), stored.size());
    return stored;
}

} // namespace qor
