#pragma once
// The page set-up objects of the print component: margins and the parameters of the five text
// bands, each assignable, each with an optional adapter the host attaches.
#include <QFont>
#include <QString>
#include "core/model/enums.h"
#include "platform/colors.h"
#include "platform/qor_global.h"

namespace qor {

class ByteReader;
class ByteWriter;
class TPageMargins;
class TSectionParams;

class QOR_EXPORT IMarginsAdapter {
public:
    virtual ~IMarginsAdapter();
    virtual void Attach(TPageMargins *Margins) = 0;
    virtual void Detach(TPageMargins *Margins) = 0;
};

class QOR_EXPORT ISectionParams {
public:
    virtual ~ISectionParams();
    virtual void Attach(TSectionParams *Params) = 0;
    virtual void Detach(TSectionParams *Params) = 0;
};

// Whole millimetres.
class QOR_EXPORT TPageMargins {
public:
    TPageMargins() = default;
    TPageMargins(const TPageMargins &) = delete;
    TPageMargins &operator=(const TPageMargins &) = delete;
    ~TPageMargins();

    int Left = 15;
    int Top = 15;
    int Right = 15;
    int Bottom = 15;

    void Assign(const TPageMargins &Source);
    // The old adapter is told to detach, the new one to attach.
    void SetMarginsAdapter(IMarginsAdapter *Adapter);
    IMarginsAdapter *GetMarginsAdapter() const { return m_adapter; }

private:
    IMarginsAdapter *m_adapter = nullptr;
};

class QOR_EXPORT TSectionParams {
public:
    TSectionParams();
    TSectionParams(const TSectionParams &) = delete;
    TSectionParams &operator=(const TSectionParams &) = delete;
    virtual ~TSectionParams();

    const QFont &GetFont() const { return m_font; }
    TColor GetFontColor() const { return m_fontColor; }
    // Takes the font's attributes; the object keeps its own font.
    void SetFont(const QFont &Value, TColor FontColor = clWindowText);
    TColor GetColor() const { return m_color; }
    void SetColor(TColor Value) { m_color = Value; }
    // Copies what this level holds (font and colour here, more in the derived ones).
    virtual void Assign(const TSectionParams &Source);
    virtual void SaveToStream(ByteWriter &Out) const;
    // version: the stream version band texts are read with.
    virtual void LoadFromStream(ByteReader &In, int Version);
    void SetParamsAdapter(ISectionParams *Adapter);
    ISectionParams *GetParamsAdapter() const { return m_adapter; }

protected:
    static void saveFont(ByteWriter &out, const QFont &font, TColor color);
    static void loadFont(ByteReader &in, QFont &font, TColor &color);

private:
    QFont m_font;
    TColor m_fontColor = clWindowText;
    TColor m_color = clWhite;
    ISectionParams *m_adapter = nullptr;
};

class QOR_EXPORT TTitleParams : public TSectionParams {
public:
    TAlignment GetAlign() const { return m_align; }
    void SetAlign(TAlignment Value) { m_align = Value; }
    QString GetText() const { return m_text; }
    void SetText(const QString &Value) { m_text = Value; }
    void Assign(const TSectionParams &Source) override;
    void SaveToStream(ByteWriter &Out) const override;
    void LoadFromStream(ByteReader &In, int Version) override;

private:
    TAlignment m_align = taCenter;
    QString m_text;
};

// Text and Font are the header's own centred line; the three detail texts use DetailFont.
class QOR_EXPORT TPageHeaderParams : public TTitleParams {
public:
    TPageHeaderParams();
    const QFont &GetDetailFont() const { return m_detailFont; }
    TColor GetDetailFontColor() const { return m_detailColor; }
    void SetDetailFont(const QFont &Value, TColor FontColor = clWindowText);
    QString LeftText, MiddleText, RightText;
    void Assign(const TSectionParams &Source) override;
    void SaveToStream(ByteWriter &Out) const override;
    void LoadFromStream(ByteReader &In, int Version) override;

private:
    QFont m_detailFont;
    TColor m_detailColor = clWindowText;
};

class QOR_EXPORT TFooterParams : public TSectionParams {
public:
    QString LeftText, MiddleText, RightText;
    void Assign(const TSectionParams &Source) override;
    void SaveToStream(ByteWriter &Out) const override;
    void LoadFromStream(ByteReader &In, int Version) override;
};

// "Arial" 8, the face every band starts with.
QOR_EXPORT QFont DefaultBandFont();

} // namespace qor
