#pragma once
// A font as cells, columns and titles keep it: the face and style, plus the colour and the
// character-set byte that stored documents carry.
#include <QFont>
#include "platform/colors.h"

namespace qor {

struct TQorFont {
    QFont Font;
    TColor Color = clWindowText;
    uint8_t Charset = 1;

    bool operator==(const TQorFont &other) const
    {
        return Font == other.Font && Color == other.Color && Charset == other.Charset;
    }
};

} // namespace qor
