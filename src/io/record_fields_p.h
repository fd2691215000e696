#pragma once
// Records read and written from one field list. A record's list is a function template that
// names every stored field once, in stored order, with its stored form:
//
//     template <class R, class F> void fooFields(R &r, F &&f)
//     {
//         f(I32{}, QOR_MEMBER(r.width));
//         f.tail();                                  // older records may end from here on
//         f(Text{}, QOR_MEMBER(r.name), 15);         // present from stream version 15
//     }
//
// FieldWriter walks it over a const record, FieldReader over the record being filled,
// FieldChecker over the record read.
#include <QByteArray>
#include <QString>
#include <climits>
#include <optional>
#include <utility>
#include "io/byte_stream.h"
#include "io/font_record.h"
#include "io/text_record.h"

// A member as a getter and a setter: bit-fields have no address.
#define QOR_MEMBER(member) [&] { return (member); }, [&](auto v_) { (member) = v_; }

namespace qor::fields {

// --- Stored forms: write(out, value) and read(in, version).

struct U8 {
    void write(ByteWriter &out, uint8_t v) const { out.writeU8(v); }
    uint8_t read(ByteReader &in, int) const { return in.readU8(); }
};
struct Bool {
    void write(ByteWriter &out, bool v) const { out.writeBool(v); }
    bool read(ByteReader &in, int) const { return in.readBool(); }
};
struct I16 {
    void write(ByteWriter &out, int16_t v) const { out.writeI16(v); }
    int16_t read(ByteReader &in, int) const { return in.readI16(); }
};
struct I32 {
    void write(ByteWriter &out, int32_t v) const { out.writeI32(v); }
    int32_t read(ByteReader &in, int) const { return in.readI32(); }
};
struct U32 {
    void write(ByteWriter &out, uint32_t v) const { out.writeU32(v); }
    uint32_t read(ByteReader &in, int) const { return in.readU32(); }
};
struct Float64 {
    void write(ByteWriter &out, double v) const { out.writeDouble(v); }
    double read(ByteReader &in, int) const { return in.readDouble(); }
};
struct Extended {
    void write(ByteWriter &out, double v) const { out.writeExtended(v); }
    double read(ByteReader &in, int) const { return in.readExtended(); }
};
struct Text {
    void write(ByteWriter &out, const QString &v) const { SaveTextToStream(out, v); }
    QString read(ByteReader &in, int version) const { return LoadTextFromStream2(in, version); }
};
// One byte holds a character: one beyond Latin-1 is stored as "*" so that it still hides.
struct Latin1Char {
    void write(ByteWriter &out, char16_t v) const { out.writeU8(v <= 0xFF ? uint8_t(v) : uint8_t('*')); }
    char16_t read(ByteReader &in, int) const { return in.readU8(); }
};
// A 32-bit length and that many bytes (pictures, rich text); a length below one is empty.
struct Block {
    const char *tooLong; // the refusal of a length beyond the record
    void write(ByteWriter &out, const QByteArray &v) const
    {
        out.writeI32(int32_t(v.size()));
        out.writeBytes(v);
    }
    QByteArray read(ByteReader &in, int) const
    {
        const int32_t n = in.readI32();
        if (n < 1)
            return QByteArray();
        if (n > in.remaining())
            throw StreamFormatError(tooLong);
        return in.readBytes(n);
    }
};
// The font records of font_record.h: the face as an 8-bit text, or as a text record.
struct NarrowFont {
    void write(ByteWriter &out, const TFontRecord &v) const { SaveFontToStream(out, v); }
    TFontRecord read(ByteReader &in, int) const { return LoadFontFromStream(in); }
};
struct WideFont {
    void write(ByteWriter &out, const TFontRecord &v) const { SaveWideFontToStream(out, v); }
    TFontRecord read(ByteReader &in, int version) const { return LoadWideFontFromStream(in, version); }
};

// --- Walkers

class FieldWriter {
public:
    explicit FieldWriter(ByteWriter &out) : m_out(out) {}
    template <class Form, class Get, class Set>
    void operator()(const Form &form, Get get, Set, int = 0)
    {
        form.write(m_out, get());
    }
    void tail() {}

private:
    ByteWriter &m_out;
};

// Fields before tail() must all be there; from tail() on, each counts only when it is there
// completely, and the first one that is not ends the record (lastField tells which was the
// last one read; complete() whether the record went to the end of the list). A field the
// stream's version does not store keeps its value and counts as there. With a limit, only that
// many fields are read.
class FieldReader {
public:
    FieldReader(ByteReader &in, int version, int tolerantFrom, int &lastField, int limit = INT_MAX)
        : m_in(in), m_version(version), m_tolerantFrom(tolerantFrom), m_lastField(lastField), m_left(limit)
    {
    }
    template <class Form, class Get, class Set>
    void operator()(const Form &form, Get, Set set, int since = 0)
    {
        if (m_left <= 0)
            return;
        --m_left;
        const bool stored = m_version >= since;
        auto read = [&] {
            if (stored)
                set(form.read(m_in, m_version));
        };
        if (m_tail)
            (*m_tail)(read);
        else
            read();
    }
    void tail()
    {
        if (m_left > 0)
            m_tail.emplace(m_in, m_tolerantFrom, m_lastField);
    }
    bool complete() const { return !m_tail || m_tail->complete(); }

private:
    ByteReader &m_in;
    int m_version;
    int m_tolerantFrom;
    int &m_lastField;
    int m_left;
    std::optional<TolerantTail> m_tail;
};

// Calls check(value) of every form that has one, over a record read as far as lastField, in
// stored order; atTail() runs where the tolerant part begins.
template <class AtTail>
class FieldChecker {
public:
    FieldChecker(int tolerantFrom, int lastField, AtTail atTail)
        : m_field(tolerantFrom), m_lastField(lastField), m_atTail(std::move(atTail))
    {
    }
    template <class Form, class Get, class Set>
    void operator()(const Form &form, Get get, Set, int = 0)
    {
        const bool there = !m_inTail || m_field++ <= m_lastField;
        if constexpr (requires { form.check(get()); })
            if (there)
                form.check(get());
    }
    void tail()
    {
        m_atTail();
        m_inTail = true;
    }

private:
    int m_field;
    int m_lastField;
    AtTail m_atTail;
    bool m_inTail = false;
};

} // namespace qor::fields
