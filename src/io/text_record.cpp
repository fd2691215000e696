#include "io/text_record.h"

#include <cstring>
#include "io/legacy_text.h"

namespace qor {

void SaveTextToStream(ByteWriter &out, const QString &text)
{
    const qsizetype units = text.size();
    out.writeI32(int32_t(units * 2));
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        out.writeBytes(reinterpret_cast<const char *>(text.utf16()), units * 2);
    } else {
        for (QChar c : text)
            out.writeU16(c.unicode());
    }
}

QString LoadTextFromStream(ByteReader &in)
{
    const int32_t n = in.readI32();
    if (n <= 0)
        return QString();
    if (n > in.remaining())
        throw StreamFormatError("text record longer than the stream");
    const qsizetype units = n / 2;
    const char *p = in.take(units * 2);
    QString s(units, Qt::Uninitialized);
    if constexpr (Q_BYTE_ORDER == Q_LITTLE_ENDIAN) {
        std::memcpy(s.data(), p, size_t(units) * 2);
    } else {
        char16_t *d = reinterpret_cast<char16_t *>(s.data());
        for (qsizetype i = 0; i < units; ++i)
            d[i] = qFromLittleEndian<char16_t>(p + 2 * i);
    }
    // An odd count carries one byte that belongs to no code unit.
    if (n & 1)
        in.skip(1);
    return s;
}

QString LoadTextFromStream2(ByteReader &in, int version)
{
    if (version >= 9)
        return LoadTextFromStream(in);
    const int32_t n = in.readI32();
    if (n <= 0)
        return QString();
    if (n > in.remaining())
        throw StreamFormatError("text record longer than the stream");
    return DecodeLegacyText(in.readBytes(n));
}

} // namespace qor
