#include "io/font_record.h"

#include "io/legacy_text.h"
#include "io/stream_version.h"
#include "io/text_record.h"

namespace qor {

TFontRecord TFontRecord::FromFont(const QFont &font, TColor color, uint8_t charset)
{
    TFontRecord r;
    r.name = font.family();
    r.size = font.pointSize() > 0 ? font.pointSize() : int32_t(qRound(font.pointSizeF()));
    r.charset = charset;
    r.color = color;
    r.bold = font.bold();
    r.italic = font.italic();
    r.underline = font.underline();
    r.strikeOut = font.strikeOut();
    return r;
}

void TFontRecord::ApplyTo(QFont &font) const
{
    if (!name.isEmpty())
        font.setFamily(name);
    if (size > 0)
        font.setPointSize(size);
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    font.setStrikeOut(strikeOut);
}

namespace {

void writeTail(ByteWriter &out, const TFontRecord &f)
{
    out.writeI32(f.size);
    out.writeU8(f.charset);
    out.writeI32(f.color);
    out.writeBool(f.bold);
    out.writeBool(f.italic);
    out.writeBool(f.underline);
    out.writeBool(f.strikeOut);
}

void readTail(ByteReader &in, TFontRecord &f)
{
    f.size = in.readI32();
    f.charset = in.readU8();
    f.color = in.readI32();
    f.bold = in.readBool();
    f.italic = in.readBool();
    f.underline = in.readBool();
    f.strikeOut = in.readBool();
}

} // namespace

void SaveFontToStream(ByteWriter &out, const TFontRecord &font)
{
    const QByteArray face = EncodeLegacyText(font.name);
    out.writeI32(int32_t(face.size()));
    out.writeBytes(face);
    writeTail(out, font);
}

TFontRecord LoadFontFromStream(ByteReader &in)
{
    TFontRecord f;
    const int32_t n = in.readI32();
    if (n > 0) {
        if (n > in.remaining())
            throw StreamFormatError("font name longer than the stream");
        f.name = DecodeLegacyText(in.readBytes(n));
    }
    readTail(in, f);
    return f;
}

void SaveWideFontToStream(ByteWriter &out, const TFontRecord &font)
{
    SaveTextToStream(out, font.name);
    writeTail(out, font);
}

TFontRecord LoadWideFontFromStream(ByteReader &in, int version)
{
    TFontRecord f;
    f.name = LoadTextFromStream2(in, version);
    readTail(in, f);
    return f;
}

TFontRecord LoadWideFontFromStream(ByteReader &in)
{
    return LoadWideFontFromStream(in, CurrentStreamFormatVersion); // the face as a text record
}

} // namespace qor
