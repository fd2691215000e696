#pragma once
// Attribute storage of cells and columns. A column carries one TCellStyle; a cell carries a
// TCellRec (its own style plus cell-only attributes) only once one of its attributes changed.
#include <QString>
#include <cstdint>
#include "core/model/enums.h"
#include "core/model/style_attributes.h"
#include "platform/colors.h"

namespace qor {

// The attributes a cell inherits from its column while it has no record. Packed: a styled
// cell pays for this once per record, and every column holds one.
struct QOR_EXPORT TCellStyle {
    QOR_STYLE_ATTRIBUTES(QOR_STYLE_WIDE_MEMBER)
    QOR_STYLE_ATTRIBUTES(QOR_STYLE_BIT_MEMBER)

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
