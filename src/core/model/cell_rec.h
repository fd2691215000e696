#pragma once
// Attribute storage of cells and columns. A column carries one TCellStyle; a cell carries a
// TCellRec (its own style plus cell-only attributes) only once one of its attributes changed.
#include <QString>
#include <cstdint>
#include "core/model/enums.h"
#include "platform/colors.h"

namespace qor {

// The attributes a cell inherits from its column while it has no record. Packed: a styled
// cell pays for this once per record, and every column holds one.
struct QOR_EXPORT TCellStyle {
    QString Mask;
    QString Hint;
    QString Tag;
    QString ValueChecked;
    QString ValueUnChecked;
    double Increment = 1.0;
    int32_t Digits = 2;
    int32_t MaxLength = 0;
    int32_t VerticalTextSpace = 3;
    int32_t FontAngle = 0;
    TColor BackColor = clWhite;
    TColor TransparentColor = clBlack;
    int32_t ImageIndex = -1;
    TColor BiasColor = clBlack;
    int32_t BiasWidth = 1;
    int32_t DropDownCount = 7;
    int32_t ComboItemHeight = 13;
    char16_t PasswordChar = 0;
    uint16_t TextLMargin = 3;
    uint16_t TextTMargin = 2;
    uint16_t TextRMargin = 4;
    uint16_t TextBMargin = 2;
    uint16_t GraphicLMargin = 4;
    uint16_t GraphicTMargin = 2;
    uint16_t GraphicRMargin = 4;
    uint16_t GraphicBMargin = 2;
    TCursor Cursor = crDefault;
    uint8_t Alignment : 2 = taLeftJustify;
    uint8_t VerAlignment : 2 = vtaCenter;
    uint8_t CellType : 4 = ctEdit;
    uint8_t ValueType : 4 = vtString;
    bool ThousandSeparators : 1 = true;
    bool TrimZero : 1 = false;
    bool ReadOnly : 1 = false;
    bool FixCell : 1 = false;
    bool DirectInput : 1 = true;
    bool AutoHeight : 1 = false;
    bool WordWrap : 1 = false;
    bool VerticalText : 1 = false;
    bool ShrinkToFit : 1 = false;
    uint8_t BrushStyle : 3 = bsSolid;
    bool Transparent : 1 = false;
    uint8_t GraphicHorAlignment : 2 = taCenter;
    uint8_t GraphicVerAlignment : 2 = vtaCenter;
    bool Stretch : 1 = false;
    bool StretchFine : 1 = false;
    bool TileGraphic : 1 = false;
    uint8_t BiasStyle : 3 = psSolid;
    uint8_t BiasDirection : 1 = bdDown;
    bool Printable : 1 = true;
    bool PrintCurrencyLine : 1 = true;
    bool ShowCurrencyLine : 1 = true;

    bool operator==(const TCellStyle &other) const = default;
};

// A cell's own attribute record: its style and the attributes only a cell has.
struct QOR_EXPORT TCellRec {
    TCellStyle Style;

    QString Name;
    QString FieldName;
    QString LeftText;
    QString RightText;

    int32_t ItemIndex = -1;
    int32_t TabNextRow = -1;
    int32_t TabNextCol = -1;
    // Merge extent of a top-left cell, and the top-left cell covering this one.
    int32_t Rows = 1;
    int32_t Cols = 1;
    int32_t MergeRow = -1;
    int32_t MergeCol = -1;

    // Edges in the order left, top, right, bottom.
    int32_t FrameWidth[4] = {1, 1, 1, 1};
    TColor FrameColor[4] = {clBlack, clBlack, clBlack, clBlack};
    uint8_t FrameStyle[4] = {psSolid, psSolid, psSolid, psSolid};
    uint8_t Lines : 4 = 0xF;
    uint8_t Frames : 4 = 0;

    bool Checked : 1 = false;
    bool Ctl3D : 1 = false;
    bool NeedDraw : 1 = true;
    bool SetParentFont : 1 = false;
    bool Added : 1 = false;
};

// Edge indexes of lines and frames.
enum TCellEdge : uint8_t { ceLeft, ceTop, ceRight, ceBottom };

} // namespace qor
