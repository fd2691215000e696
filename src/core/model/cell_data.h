#pragma once
// The attribute-override record handed to OnGetCellData: every setter raises the attribute's
// flag, and only flagged attributes override the cell's own.
#include <QString>
#include <cstdint>
#include <memory>
#include "core/model/adapters.h"
#include "core/model/enums.h"
#include "platform/colors.h"

namespace qor {

class QOR_EXPORT TCellData {
public:
    // Flag numbers; stored documents and host code use these exact values.
    enum Flag : int {
        cdAlignment = 0,
        cdVerAlignment = 1,
        cdBackColor = 2,
        cdFontSize = 3,
        cdFontBold = 4,
        cdFontItalic = 5,
        cdFontStrikethrough = 6,
        cdUnderline = 7,
        cdFontCharset = 8,
        cdFontName = 9,
        cdWordWrap = 10,
        cdBiasColor = 11,
        cdTopLine = 12,
        cdLeftLine = 13,
        cdRightLine = 14,
        cdBottomLine = 15,
        cdDigits = 16,
        cdThousandSeparators = 17,
        cdLeftFrame = 18,
        cdTopFrame = 19,
        cdRightFrame = 20,
        cdBottomFrame = 21,
        cdTileGraphic = 22,
        cdStretch = 23,
        cdStretchFine = 24,
        cdVerticalText = 25,
        cdLeftFrameWidth = 26,
        cdTopFrameWidth = 27,
        cdRightFrameWidth = 28,
        cdBottomFrameWidth = 29,
        cdLeftFrameColor = 30,
        cdTopFrameColor = 31,
        cdRightFrameColor = 32,
        cdBottomFrameColor = 33,
        cdLeftFrameStyle = 34,
        cdTopFrameStyle = 35,
        cdRightFrameStyle = 36,
        cdBottomFrameStyle = 37,
        cdBiasDirection = 38,
        cdBiasWidth = 39,
        cdBiasStyle = 40,
        cdTransparentColor = 41,
        cdTransparent = 42,
        cdTextLMargin = 43,
        cdTextTMargin = 44,
        cdTextRMargin = 45,
        cdTextBMargin = 46,
        cdGraphicHorAlignment = 47,
        cdGraphicVerAlignment = 48,
        cdGraphicLMargin = 49,
        cdGraphicTMargin = 50,
        cdGraphicRMargin = 51,
        cdGraphicBMargin = 52,
        cdCtl3D = 53,
        cdCursor = 54,
        cdHint = 55,
        cdBrushStyle = 56,
        cdTrimZero = 57,
        cdFontColor = 58,
        cdFontAngle = 59,
        cdShrinkToFit = 60,
        cdPrintable = 61,
        cdPrintCurrencyLine = 62,
        cdVerticalTextSpace = 63,
        cdShowCurrencyLine = 64,
        cdDropDownCount = 65,
        cdFlagCount = 66
    };

    TCellData() = default;
    TCellData(const TCellData &) = default;
    TCellData &operator=(const TCellData &) = default;

    // Clears every flag; the values stay as they were.
    void Init()
    {
        m_set[0] = 0;
        m_set[1] = 0;
    }
    // Flag n: the first 64 in the first set, the rest in the second. False outside 0..65.
    bool TestSet(int n) const
    {
        if (n < 0 || n >= cdFlagCount)
            return false;
        return (m_set[n / 64] >> (n % 64)) & 1u;
    }
    bool AnySet() const { return m_set[0] != 0 || m_set[1] != 0; }

    void SetCellDataAdapter(std::shared_ptr<ICellDataAdapter> adapter)
    {
        m_adapter = std::move(adapter);
        if (m_adapter)
            m_adapter->SetCellData(this);
    }
    ICellDataAdapter *GetCellDataAdapter() const { return m_adapter.get(); }

    TAlignment GetAlignment() const { return m_Alignment; }
    void SetAlignment(TAlignment Value) { m_Alignment = Value; Mark(cdAlignment); }
    TVerAlignment GetVerAlignment() const { return m_VerAlignment; }
    void SetVerAlignment(TVerAlignment Value) { m_VerAlignment = Value; Mark(cdVerAlignment); }
    TColor GetBackColor() const { return m_BackColor; }
    void SetBackColor(TColor Value) { m_BackColor = Value; Mark(cdBackColor); }
    int GetFontSize() const { return m_FontSize; }
    void SetFontSize(int Value) { m_FontSize = Value; Mark(cdFontSize); }
    bool GetFontBold() const { return m_FontBold; }
    void SetFontBold(bool Value) { m_FontBold = Value; Mark(cdFontBold); }
    bool GetFontItalic() const { return m_FontItalic; }
    void SetFontItalic(bool Value) { m_FontItalic = Value; Mark(cdFontItalic); }
    bool GetFontStrikethrough() const { return m_FontStrikethrough; }
    void SetFontStrikethrough(bool Value) { m_FontStrikethrough = Value; Mark(cdFontStrikethrough); }
    bool GetUnderline() const { return m_Underline; }
    void SetUnderline(bool Value) { m_Underline = Value; Mark(cdUnderline); }
    uint8_t GetFontCharset() const { return m_FontCharset; }
    void SetFontCharset(uint8_t Value) { m_FontCharset = Value; Mark(cdFontCharset); }
    const QString &GetFontName() const { return m_FontName; }
    void SetFontName(const QString &Value) { m_FontName = Value; Mark(cdFontName); }
    bool GetWordWrap() const { return m_WordWrap; }
    void SetWordWrap(bool Value) { m_WordWrap = Value; Mark(cdWordWrap); }
    TColor GetBiasColor() const { return m_BiasColor; }
    void SetBiasColor(TColor Value) { m_BiasColor = Value; Mark(cdBiasColor); }
    bool GetTopLine() const { return m_TopLine; }
    void SetTopLine(bool Value) { m_TopLine = Value; Mark(cdTopLine); }
    bool GetLeftLine() const { return m_LeftLine; }
    void SetLeftLine(bool Value) { m_LeftLine = Value; Mark(cdLeftLine); }
    bool GetRightLine() const { return m_RightLine; }
    void SetRightLine(bool Value) { m_RightLine = Value; Mark(cdRightLine); }
    bool GetBottomLine() const { return m_BottomLine; }
    void SetBottomLine(bool Value) { m_BottomLine = Value; Mark(cdBottomLine); }
    int GetDigits() const { return m_Digits; }
    void SetDigits(int Value) { m_Digits = Value; Mark(cdDigits); }
    bool GetThousandSeparators() const { return m_ThousandSeparators; }
    void SetThousandSeparators(bool Value) { m_ThousandSeparators = Value; Mark(cdThousandSeparators); }
    bool GetLeftFrame() const { return m_LeftFrame; }
    void SetLeftFrame(bool Value) { m_LeftFrame = Value; Mark(cdLeftFrame); }
    bool GetTopFrame() const { return m_TopFrame; }
    void SetTopFrame(bool Value) { m_TopFrame = Value; Mark(cdTopFrame); }
    bool GetRightFrame() const { return m_RightFrame; }
    void SetRightFrame(bool Value) { m_RightFrame = Value; Mark(cdRightFrame); }
    bool GetBottomFrame() const { return m_BottomFrame; }
    void SetBottomFrame(bool Value) { m_BottomFrame = Value; Mark(cdBottomFrame); }
    bool GetTileGraphic() const { return m_TileGraphic; }
    void SetTileGraphic(bool Value) { m_TileGraphic = Value; Mark(cdTileGraphic); }
    bool GetStretch() const { return m_Stretch; }
    void SetStretch(bool Value) { m_Stretch = Value; Mark(cdStretch); }
    bool GetStretchFine() const { return m_StretchFine; }
    void SetStretchFine(bool Value) { m_StretchFine = Value; Mark(cdStretchFine); }
    bool GetVerticalText() const { return m_VerticalText; }
    void SetVerticalText(bool Value) { m_VerticalText = Value; Mark(cdVerticalText); }
    int GetLeftFrameWidth() const { return m_LeftFrameWidth; }
    void SetLeftFrameWidth(int Value) { m_LeftFrameWidth = Value; Mark(cdLeftFrameWidth); }
    int GetTopFrameWidth() const { return m_TopFrameWidth; }
    void SetTopFrameWidth(int Value) { m_TopFrameWidth = Value; Mark(cdTopFrameWidth); }
    int GetRightFrameWidth() const { return m_RightFrameWidth; }
    void SetRightFrameWidth(int Value) { m_RightFrameWidth = Value; Mark(cdRightFrameWidth); }
    int GetBottomFrameWidth() const { return m_BottomFrameWidth; }
    void SetBottomFrameWidth(int Value) { m_BottomFrameWidth = Value; Mark(cdBottomFrameWidth); }
    TColor GetLeftFrameColor() const { return m_LeftFrameColor; }
    void SetLeftFrameColor(TColor Value) { m_LeftFrameColor = Value; Mark(cdLeftFrameColor); }
    TColor GetTopFrameColor() const { return m_TopFrameColor; }
    void SetTopFrameColor(TColor Value) { m_TopFrameColor = Value; Mark(cdTopFrameColor); }
    TColor GetRightFrameColor() const { return m_RightFrameColor; }
    void SetRightFrameColor(TColor Value) { m_RightFrameColor = Value; Mark(cdRightFrameColor); }
    TColor GetBottomFrameColor() const { return m_BottomFrameColor; }
    void SetBottomFrameColor(TColor Value) { m_BottomFrameColor = Value; Mark(cdBottomFrameColor); }
    TPenStyle GetLeftFrameStyle() const { return m_LeftFrameStyle; }
    void SetLeftFrameStyle(TPenStyle Value) { m_LeftFrameStyle = Value; Mark(cdLeftFrameStyle); }
    TPenStyle GetTopFrameStyle() const { return m_TopFrameStyle; }
    void SetTopFrameStyle(TPenStyle Value) { m_TopFrameStyle = Value; Mark(cdTopFrameStyle); }
    TPenStyle GetRightFrameStyle() const { return m_RightFrameStyle; }
    void SetRightFrameStyle(TPenStyle Value) { m_RightFrameStyle = Value; Mark(cdRightFrameStyle); }
    TPenStyle GetBottomFrameStyle() const { return m_BottomFrameStyle; }
    void SetBottomFrameStyle(TPenStyle Value) { m_BottomFrameStyle = Value; Mark(cdBottomFrameStyle); }
    TBiasDirection GetBiasDirection() const { return m_BiasDirection; }
    void SetBiasDirection(TBiasDirection Value) { m_BiasDirection = Value; Mark(cdBiasDirection); }
    int GetBiasWidth() const { return m_BiasWidth; }
    void SetBiasWidth(int Value) { m_BiasWidth = Value; Mark(cdBiasWidth); }
    TPenStyle GetBiasStyle() const { return m_BiasStyle; }
    void SetBiasStyle(TPenStyle Value) { m_BiasStyle = Value; Mark(cdBiasStyle); }
    TColor GetTransparentColor() const { return m_TransparentColor; }
    void SetTransparentColor(TColor Value) { m_TransparentColor = Value; Mark(cdTransparentColor); }
    bool GetTransparent() const { return m_Transparent; }
    void SetTransparent(bool Value) { m_Transparent = Value; Mark(cdTransparent); }
    uint16_t GetTextLMargin() const { return m_TextLMargin; }
    void SetTextLMargin(uint16_t Value) { m_TextLMargin = Value; Mark(cdTextLMargin); }
    uint16_t GetTextTMargin() const { return m_TextTMargin; }
    void SetTextTMargin(uint16_t Value) { m_TextTMargin = Value; Mark(cdTextTMargin); }
    uint16_t GetTextRMargin() const { return m_TextRMargin; }
    void SetTextRMargin(uint16_t Value) { m_TextRMargin = Value; Mark(cdTextRMargin); }
    uint16_t GetTextBMargin() const { return m_TextBMargin; }
    void SetTextBMargin(uint16_t Value) { m_TextBMargin = Value; Mark(cdTextBMargin); }
    TAlignment GetGraphicHorAlignment() const { return m_GraphicHorAlignment; }
    void SetGraphicHorAlignment(TAlignment Value) { m_GraphicHorAlignment = Value; Mark(cdGraphicHorAlignment); }
    TVerAlignment GetGraphicVerAlignment() const { return m_GraphicVerAlignment; }
    void SetGraphicVerAlignment(TVerAlignment Value) { m_GraphicVerAlignment = Value; Mark(cdGraphicVerAlignment); }
    uint16_t GetGraphicLMargin() const { return m_GraphicLMargin; }
    void SetGraphicLMargin(uint16_t Value) { m_GraphicLMargin = Value; Mark(cdGraphicLMargin); }
    uint16_t GetGraphicTMargin() const { return m_GraphicTMargin; }
    void SetGraphicTMargin(uint16_t Value) { m_GraphicTMargin = Value; Mark(cdGraphicTMargin); }
    uint16_t GetGraphicRMargin() const { return m_GraphicRMargin; }
    void SetGraphicRMargin(uint16_t Value) { m_GraphicRMargin = Value; Mark(cdGraphicRMargin); }
    uint16_t GetGraphicBMargin() const { return m_GraphicBMargin; }
    void SetGraphicBMargin(uint16_t Value) { m_GraphicBMargin = Value; Mark(cdGraphicBMargin); }
    bool GetCtl3D() const { return m_Ctl3D; }
    void SetCtl3D(bool Value) { m_Ctl3D = Value; Mark(cdCtl3D); }
    TCursor GetCursor() const { return m_Cursor; }
    void SetCursor(TCursor Value) { m_Cursor = Value; Mark(cdCursor); }
    const QString &GetHint() const { return m_Hint; }
    void SetHint(const QString &Value) { m_Hint = Value; Mark(cdHint); }
    TBrushStyle GetBrushStyle() const { return m_BrushStyle; }
    void SetBrushStyle(TBrushStyle Value) { m_BrushStyle = Value; Mark(cdBrushStyle); }
    bool GetTrimZero() const { return m_TrimZero; }
    void SetTrimZero(bool Value) { m_TrimZero = Value; Mark(cdTrimZero); }
    TColor GetFontColor() const { return m_FontColor; }
    void SetFontColor(TColor Value) { m_FontColor = Value; Mark(cdFontColor); }
    int GetFontAngle() const { return m_FontAngle; }
    void SetFontAngle(int Value) { m_FontAngle = Value; Mark(cdFontAngle); }
    bool GetShrinkToFit() const { return m_ShrinkToFit; }
    void SetShrinkToFit(bool Value) { m_ShrinkToFit = Value; Mark(cdShrinkToFit); }
    bool GetPrintable() const { return m_Printable; }
    void SetPrintable(bool Value) { m_Printable = Value; Mark(cdPrintable); }
    bool GetPrintCurrencyLine() const { return m_PrintCurrencyLine; }
    void SetPrintCurrencyLine(bool Value) { m_PrintCurrencyLine = Value; Mark(cdPrintCurrencyLine); }
    int GetVerticalTextSpace() const { return m_VerticalTextSpace; }
    void SetVerticalTextSpace(int Value) { m_VerticalTextSpace = Value; Mark(cdVerticalTextSpace); }
    bool GetShowCurrencyLine() const { return m_ShowCurrencyLine; }
    void SetShowCurrencyLine(bool Value) { m_ShowCurrencyLine = Value; Mark(cdShowCurrencyLine); }
    int GetDropDownCount() const { return m_DropDownCount; }
    void SetDropDownCount(int Value) { m_DropDownCount = Value; Mark(cdDropDownCount); }

private:
    void Mark(int n) { m_set[n / 64] |= uint64_t(1) << (n % 64); }

    uint64_t m_set[2] = {0, 0};
    std::shared_ptr<ICellDataAdapter> m_adapter;
    TAlignment m_Alignment = taLeftJustify;
    TVerAlignment m_VerAlignment = vtaCenter;
    TColor m_BackColor = clWhite;
    int m_FontSize = 8;
    bool m_FontBold = false;
    bool m_FontItalic = false;
    bool m_FontStrikethrough = false;
    bool m_Underline = false;
    uint8_t m_FontCharset = 1;
    QString m_FontName = QStringLiteral("MS Sans Serif");
    bool m_WordWrap = false;
    TColor m_BiasColor = clBlack;
    bool m_TopLine = true;
    bool m_LeftLine = true;
    bool m_RightLine = true;
    bool m_BottomLine = true;
    int m_Digits = 2;
    bool m_ThousandSeparators = false;
    bool m_LeftFrame = false;
    bool m_TopFrame = false;
    bool m_RightFrame = false;
    bool m_BottomFrame = false;
    bool m_TileGraphic = false;
    bool m_Stretch = false;
    bool m_StretchFine = false;
    bool m_VerticalText = false;
    int m_LeftFrameWidth = 1;
    int m_TopFrameWidth = 1;
    int m_RightFrameWidth = 1;
    int m_BottomFrameWidth = 1;
    TColor m_LeftFrameColor = clBlack;
    TColor m_TopFrameColor = clBlack;
    TColor m_RightFrameColor = clBlack;
    TColor m_BottomFrameColor = clBlack;
    TPenStyle m_LeftFrameStyle = psSolid;
    TPenStyle m_TopFrameStyle = psSolid;
    TPenStyle m_RightFrameStyle = psSolid;
    TPenStyle m_BottomFrameStyle = psSolid;
    TBiasDirection m_BiasDirection = bdDown;
    int m_BiasWidth = 1;
    TPenStyle m_BiasStyle = psSolid;
    TColor m_TransparentColor = clBlack;
    bool m_Transparent = false;
    uint16_t m_TextLMargin = 3;
    uint16_t m_TextTMargin = 2;
    uint16_t m_TextRMargin = 4;
    uint16_t m_TextBMargin = 2;
    TAlignment m_GraphicHorAlignment = taCenter;
    TVerAlignment m_GraphicVerAlignment = vtaCenter;
    uint16_t m_GraphicLMargin = 4;
    uint16_t m_GraphicTMargin = 2;
    uint16_t m_GraphicRMargin = 4;
    uint16_t m_GraphicBMargin = 2;
    bool m_Ctl3D = false;
    TCursor m_Cursor = crDefault;
    QString m_Hint = QString();
    TBrushStyle m_BrushStyle = bsSolid;
    bool m_TrimZero = false;
    TColor m_FontColor = 0;
    int m_FontAngle = 0;
    bool m_ShrinkToFit = false;
    bool m_Printable = false;
    bool m_PrintCurrencyLine = false;
    int m_VerticalTextSpace = 0;
    bool m_ShowCurrencyLine = false;
    int m_DropDownCount = 0;
};

} // namespace qor
