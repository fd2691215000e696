#include "io/byte_stream.h"

#include <cstring>
#include "io/extended80.h"

namespace qor {

QString InvalidDataFormatText() { return QStringLiteral("无效的数据格式"); }

namespace {
[[noreturn]] void fail(const char *what) { throw StreamFormatError(what); }
} // namespace

void ByteReader::truncated() { fail("stream ends inside a record"); }

void ByteReader::outside() { fail("seek outside the stream"); }

double ByteReader::readExtended()
{
    Extended80 e;
    std::memcpy(e.data(), take(10), 10);
    return ExtendedToDouble(e);
}

bool ByteReader::peekTag(const char *tag, qsizetype offset) const
{
    const qsizetype n = qsizetype(std::strlen(tag));
    if (offset < 0 || m_pos + offset + n > m_size)
        return false;
    return std::memcmp(m_data + m_pos + offset, tag, size_t(n)) == 0;
}

void ByteReader::expectTag(const char *tag)
{
    if (!peekTag(tag))
        fail("record tag missing");
    m_pos += qsizetype(std::strlen(tag));
}

qsizetype ByteReader::readLength()
{
    const int32_t n = readI32();
    if (n < 0 || n > remaining())
        fail("record claims more bytes than the stream holds");
    return n;
}

void ByteWriter::writeI16(int16_t v)
{
    const auto u = uint16_t(v);
    const char b[2] = {char(u & 0xFF), char(u >> 8)};
    m_bytes.append(b, 2);
}

void ByteWriter::writeI32(int32_t v)
{
    const auto u = uint32_t(v);
    const char b[4] = {char(u & 0xFF), char((u >> 8) & 0xFF), char((u >> 16) & 0xFF), char(u >> 24)};
    m_bytes.append(b, 4);
}

void ByteWriter::writeDouble(double v)
{
    uint64_t bits;
    std::memcpy(&bits, &v, 8);
    char b[8];
    for (int i = 0; i < 8; ++i)
        b[i] = char((bits >> (8 * i)) & 0xFF);
    m_bytes.append(b, 8);
}

void ByteWriter::writeExtended(double v)
{
    const Extended80 e = DoubleToExtended(v);
    m_bytes.append(reinterpret_cast<const char *>(e.data()), 10);
}

qsizetype ByteWriter::reserveI32()
{
    const qsizetype at = m_bytes.size();
    writeI32(0);
    return at;
}

void ByteWriter::patchI32(qsizetype at, int32_t v)
{
    const auto u = uint32_t(v);
    for (int i = 0; i < 4; ++i)
        m_bytes[at + i] = char((u >> (8 * i)) & 0xFF);
}

} // namespace qor
