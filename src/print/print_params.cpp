#include "print/print_params.h"

#include "io/byte_stream.h"
#include "io/font_record.h"
#include "io/text_record.h"

namespace qor {

namespace {

// The left, middle and right texts of a header's detail line or a footer band.
void saveThree(ByteWriter &out, const QString &left, const QString &middle, const QString &right)
{
    SaveTextToStream(out, left);
    SaveTextToStream(out, middle);
    SaveTextToStream(out, right);
}

void loadThree(ByteReader &in, int version, QString &left, QString &middle, QString &right)
{
    left = LoadTextFromStream2(in, version);
    middle = LoadTextFromStream2(in, version);
    right = LoadTextFromStream2(in, version);
}

} // namespace

IMarginsAdapter::~IMarginsAdapter() = default;
ISectionParams::~ISectionParams() = default;

QFont DefaultBandFont()
{
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(8);
    return f;
}

TPageMargins::~TPageMargins()
{
    if (m_adapter)
        m_adapter->Detach(this);
}

void TPageMargins::Assign(const TPageMargins &Source)
{
    Left = Source.Left;
    Top = Source.Top;
    Right = Source.Right;
    Bottom = Source.Bottom;
}

void TPageMargins::SetMarginsAdapter(IMarginsAdapter *Adapter)
{
    if (m_adapter == Adapter)
        return;
    if (m_adapter)
        m_adapter->Detach(this);
    m_adapter = Adapter;
    if (m_adapter)
        m_adapter->Attach(this);
}

TSectionParams::TSectionParams() : m_font(DefaultBandFont()) {}

TSectionParams::~TSectionParams()
{
    if (m_adapter)
        m_adapter->Detach(this);
}

void TSectionParams::SetFont(const QFont &Value, TColor FontColor)
{
    m_font = Value;
    m_fontColor = FontColor;
}

void TSectionParams::Assign(const TSectionParams &Source)
{
    m_font = Source.m_font;
    m_fontColor = Source.m_fontColor;
    m_color = Source.m_color;
}

void TSectionParams::SetParamsAdapter(ISectionParams *Adapter)
{
    if (m_adapter == Adapter)
        return;
    if (m_adapter)
        m_adapter->Detach(this);
    m_adapter = Adapter;
    if (m_adapter)
        m_adapter->Attach(this);
}

void TSectionParams::saveFont(ByteWriter &out, const QFont &font, TColor color)
{
    SaveFontToStream(out, TFontRecord::FromFont(font, color, 1));
}

void TSectionParams::loadFont(ByteReader &in, QFont &font, TColor &color)
{
    TFontRecord r = LoadFontFromStream(in);
    // Documents from old desks name a face this platform does not have.
    if (r.name.compare(QLatin1String("MS Sans Serif"), Qt::CaseInsensitive) == 0)
        r.name = QStringLiteral("Arial");
    QFont f = DefaultBandFont();
    r.ApplyTo(f);
    font = f;
    color = r.color;
}

void TSectionParams::SaveToStream(ByteWriter &Out) const
{
    Out.writeI32(int32_t(m_color));
    saveFont(Out, m_font, m_fontColor);
}

void TSectionParams::LoadFromStream(ByteReader &In, int)
{
    m_color = TColor(In.readI32());
    loadFont(In, m_font, m_fontColor);
}

void TTitleParams::Assign(const TSectionParams &Source)
{
    TSectionParams::Assign(Source);
    if (const auto *t = dynamic_cast<const TTitleParams *>(&Source)) {
        m_align = t->m_align;
        m_text = t->m_text;
    }
}

void TTitleParams::SaveToStream(ByteWriter &Out) const
{
    TSectionParams::SaveToStream(Out);
    Out.writeU8(uint8_t(m_align));
    SaveTextToStream(Out, m_text);
}

void TTitleParams::LoadFromStream(ByteReader &In, int Version)
{
    TSectionParams::LoadFromStream(In, Version);
    const uint8_t align = In.readU8();
    m_align = align <= taCenter ? TAlignment(align) : taCenter;
    m_text = LoadTextFromStream2(In, Version);
}

TPageHeaderParams::TPageHeaderParams() : m_detailFont(DefaultBandFont()) {}

void TPageHeaderParams::SetDetailFont(const QFont &Value, TColor FontColor)
{
    m_detailFont = Value;
    m_detailColor = FontColor;
}

void TPageHeaderParams::Assign(const TSectionParams &Source)
{
    TTitleParams::Assign(Source);
    if (const auto *h = dynamic_cast<const TPageHeaderParams *>(&Source)) {
        LeftText = h->LeftText;
        MiddleText = h->MiddleText;
        RightText = h->RightText;
        m_detailFont = h->m_detailFont;
        m_detailColor = h->m_detailColor;
    }
}

void TPageHeaderParams::SaveToStream(ByteWriter &Out) const
{
    TTitleParams::SaveToStream(Out);
    saveThree(Out, LeftText, MiddleText, RightText);
    saveFont(Out, m_detailFont, m_detailColor);
}

void TPageHeaderParams::LoadFromStream(ByteReader &In, int Version)
{
    TTitleParams::LoadFromStream(In, Version);
    loadThree(In, Version, LeftText, MiddleText, RightText);
    loadFont(In, m_detailFont, m_detailColor);
}

void TFooterParams::Assign(const TSectionParams &Source)
{
    TSectionParams::Assign(Source);
    if (const auto *f = dynamic_cast<const TFooterParams *>(&Source)) {
        LeftText = f->LeftText;
        MiddleText = f->MiddleText;
        RightText = f->RightText;
    }
}

void TFooterParams::SaveToStream(ByteWriter &Out) const
{
    TSectionParams::SaveToStream(Out);
    saveThree(Out, LeftText, MiddleText, RightText);
}

void TFooterParams::LoadFromStream(ByteReader &In, int Version)
{
    TSectionParams::LoadFromStream(In, Version);
    loadThree(In, Version, LeftText, MiddleText, RightText);
}

} // namespace qor
