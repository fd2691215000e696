#include "io/byte_stream.h"

#include <cstring>
#include "io/extended80.h"

namespace qor {

QString InvalidDataFormatText() { return QStringLiteral("无效的数据格式"); }

namespace {
[[noreturn]] void fail(const char *what) { throw StreamFormatError(what); }
} // namespace

void ByteReader::need(qsizetype count) const
{
    if (count < 0 || count > m_size - m_pos)
        fail("stream ends inside a record");
}

void ByteReader::seek(qsizetype pos)
{
    if (pos < 0 || pos > m_size)
        fail("seek outside the stream");
    m_pos = pos;
}

void ByteReader::skip(qsizetype count)
{
    need(count);
    m_pos += count;
}

const char *ByteReader::take(qsizetype count)
{
    need(count);
    const char *p = m_data + m_pos;
    m_pos += count;
    return p;
}

uint8_t ByteReader::readU8() { return uint8_t(*take(1)); }

uint16_t ByteReader::readU16()
{
    const auto *p = reinterpret_cast<const uint8_t *>(take(2));
    return uint16_t(p[0] | (p[1] << 8));
}

int16_t ByteReader::readI16() { return int16_t(readU16()); }

uint32_t ByteReader::readU32()
{
    const auto *p = reinterpret_cast<const uint8_t *>(take(4));
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

int32_t ByteReader::readI32() { return int32_t(readU32()); }

double ByteReader::readDouble()
{
    const auto *p = reinterpret_cast<const uint8_t *>(take(8));
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | p[i];
    double v;
    std::memcpy(&v, &bits, 8);
    return v;
}

double ByteReader::readExtended()
{
    Extended80 e;
    std::memcpy(e.data(), take(10), 10);
    return ExtendedToDouble(e);
}

QByteArray ByteReader::readBytes(qsizetype count)
{
    const char *p = take(count);
    return QByteArray(p, count);
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
