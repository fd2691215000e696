#pragma once
// The two font records: the narrow one (face as an 8-bit text) and the wide one (face as a
// text record); both carry size, character set, colour and the four style flags.
#include <QFont>
#include <QString>
#include "io/byte_stream.h"
#include "platform/colors.h"

namespace qor {

struct QOR_EXPORT TFontRecord {
    QString name;
    int32_t size = 8;
    uint8_t charset = 1;
    TColor color = clWindowText;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;

    static TFontRecord FromFont(const QFont &font, TColor color, uint8_t charset);
    // Applies the record to font; the face only when the record names one.
    void ApplyTo(QFont &font) const;
    bool operator==(const TFontRecord &) const = default;
};

QOR_EXPORT void SaveFontToStream(ByteWriter &out, const TFontRecord &font);
QOR_EXPORT TFontRecord LoadFontFromStream(ByteReader &in);
QOR_EXPORT void SaveWideFontToStream(ByteWriter &out, const TFontRecord &font);
QOR_EXPORT TFontRecord LoadWideFontFromStream(ByteReader &in, int version); // cell records: 8-bit face below 9
QOR_EXPORT TFontRecord LoadWideFontFromStream(ByteReader &in);              // grid settings: always a text record

} // namespace qor
