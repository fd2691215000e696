#pragma once
// Little-endian readers and writers for the grid's binary records. The reader checks every
// length against what is really there, so hostile or truncated bytes end in a clear
// StreamFormatError instead of a huge allocation or a read past the end.
#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <cstdint>
#include <cstring>
#include <stdexcept>
#include "platform/qor_global.h"

namespace qor {

// The text shown to the user when a stream is not one the grid can read.
QOR_EXPORT QString InvalidDataFormatText();

class QOR_EXPORT StreamFormatError : public std::runtime_error {
public:
    explicit StreamFormatError(const char *what) : std::runtime_error(what) {}
};

class QOR_EXPORT ByteReader {
public:
    ByteReader(const char *data, qsizetype size) : m_data(data), m_size(size) {}
    explicit ByteReader(const QByteArray &bytes) : ByteReader(bytes.constData(), bytes.size()) {}
    // The reader only views the bytes: a temporary would be gone before the first read.
    explicit ByteReader(QByteArray &&) = delete;

    qsizetype pos() const { return m_pos; }
    qsizetype size() const { return m_size; }
    qsizetype remaining() const { return m_size - m_pos; }
    bool atEnd() const { return m_pos >= m_size; }
    void seek(qsizetype pos)
    {
        if (pos < 0 || pos > m_size) [[unlikely]]
            outside();
        m_pos = pos;
    }
    void skip(qsizetype count) { take(count); }

    // The readers run once per field of a million cell records: inline, one bounds check each.
    uint8_t readU8() { return uint8_t(*take(1)); }
    bool readBool() { return readU8() != 0; }
    int16_t readI16() { return int16_t(readU16()); }
    uint16_t readU16() { return qFromLittleEndian<uint16_t>(take(2)); }
    int32_t readI32() { return int32_t(readU32()); }
    uint32_t readU32() { return qFromLittleEndian<uint32_t>(take(4)); }
    double readDouble()
    {
        const quint64 bits = qFromLittleEndian<quint64>(take(8));
        double v;
        std::memcpy(&v, &bits, 8);
        return v;
    }
    double readExtended(); // 80-bit extended, converted portably
    QByteArray readBytes(qsizetype count)
    {
        const char *p = take(count);
        return QByteArray(p, count);
    }
    // View of the next count bytes.
    const char *take(qsizetype count)
    {
        if (count < 0 || count > m_size - m_pos) [[unlikely]]
            truncated();
        const char *p = m_data + m_pos;
        m_pos += count;
        return p;
    }
    // The next bytes equal tag (consumes them only when they do).
    bool peekTag(const char *tag, qsizetype offset = 0) const;
    void expectTag(const char *tag);
    // A length field that must fit in what is left.
    qsizetype readLength();

private:
    [[noreturn]] static void truncated();
    [[noreturn]] static void outside();

    const char *m_data;
    qsizetype m_size;
    qsizetype m_pos = 0;
};

// The optional tail of a record written by an earlier release: each field is taken only when it
// is there completely, and the first one that is not ends the record (lastField tells how far
// it got; complete() whether every field so far was there).
class TolerantTail {
public:
    TolerantTail(ByteReader &in, int firstField, int &lastField)
        : m_in(in), m_field(firstField), m_last(lastField)
    {
        m_last = firstField - 1;
    }
    template <class Read> void operator()(Read &&read)
    {
        if (m_last == m_field - 1) {
            const qsizetype at = m_in.pos();
            try {
                read();
                m_last = m_field;
            } catch (const StreamFormatError &) {
                m_in.seek(at);
            }
        }
        ++m_field;
    }
    bool complete() const { return m_last == m_field - 1; }

private:
    ByteReader &m_in;
    int m_field;
    int &m_last;
};

class QOR_EXPORT ByteWriter {
public:
    ByteWriter() = default;
    explicit ByteWriter(qsizetype reserve) { m_bytes.reserve(reserve); }

    void writeU8(uint8_t v) { m_bytes.append(char(v)); }
    void writeBool(bool v) { writeU8(v ? 1 : 0); }
    void writeI16(int16_t v);
    void writeU16(uint16_t v) { writeI16(int16_t(v)); }
    void writeI32(int32_t v);
    void writeU32(uint32_t v) { writeI32(int32_t(v)); }
    void writeDouble(double v);
    void writeExtended(double v);
    void writeBytes(const QByteArray &b) { m_bytes.append(b); }
    void writeBytes(const char *data, qsizetype n) { m_bytes.append(data, n); }
    void writeTag(const char *tag) { m_bytes.append(tag); }
    // Placeholder for a length written once the following bytes are known.
    qsizetype reserveI32();
    void patchI32(qsizetype at, int32_t v);

    qsizetype size() const { return m_bytes.size(); }
    const QByteArray &bytes() const { return m_bytes; }
    QByteArray take() { return std::move(m_bytes); }

private:
    QByteArray m_bytes;
};

} // namespace qor
