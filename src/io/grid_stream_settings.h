#pragma once
// The grid-wide settings of a grid stream, in their stored order, as one plain record: read
// and written here, taken from and applied to a grid elsewhere.
#include <QByteArray>
#include <QString>
#include "core/model/enums.h"
#include "core/model/stored_extras.h"
#include "io/byte_stream.h"
#include "io/font_record.h"
#include "platform/colors.h"

namespace qor {

class TCustomQorGrid;
struct TQorPicture;

// A picture as stored: its file image (the kept bytes, else the image as a bitmap file).
QOR_EXPORT QByteArray PictureFileImage(const TQorPicture &picture);
// The picture of a stored file image, decoded when a loader understands it; the bytes are
// kept either way.
QOR_EXPORT TQorPicture PictureFromFileImage(const QByteArray &bytes);

struct QOR_EXPORT GridSettings {
    TGridType GridType = gtInvoice;
    TColor Color = clWhite;
    int32_t FixRowCount = 0;
    int32_t FixColCount = 0;
    int32_t Margins[4] = {30, 30, 30, 30};   // left, top, right, bottom
    TColor BackColor = clAppWorkSpace;
    TColor LineColor = clSilver;
    int32_t Spaces[4] = {10, 10, 10, 10};
    TColor ShadowColor = clBlack;
    uint32_t Options = 0;
    QString ColumnTitles;                     // lines joined with CR LF
    uint8_t ColumnTitleAlign = 2;
    TFontRecord ColumnTitleFont;
    int32_t SortBeginRow = 0;
    int32_t SortEndRow = -1;
    int32_t SortingColIndex = -1;
    bool SortingColASC = true;
    bool ShowHint = true;
    TFontRecord Font;
    int32_t FooterRows = 0;
    int32_t TitleRows = 0;
    int32_t DefaultRowHeight = 18;
    int32_t DefaultColWidth = 60;
    double RTFLineSpace = 0;
    bool ShowGroupFooter = true;
    bool ShowPagesLine = false;
    bool AutoShowBlobField = false;
    QByteArray BackGround;                    // the picture's file image, empty for none
    bool IncludeHiddenData = false;
    bool Grouped = false;
    int32_t LastGroupedRow = -1;
    int32_t FirstGroupedRow = -1;
    QString CurrencySymbol;
    int32_t CurrencyCellWidth = 12;
    int32_t CurrencyDigits = 2;
    TColor CurrencyDecimalSeparatorColor = clRed;
    TColor CurrencyThousandSeparatorColor = clGreen;
    TColor TitleColor = clBtnFace;
    int32_t TitleHeight = 20;
    int32_t TitleWidth = 40;
    TColor CurrencySeparatorColor = clSilver;
    bool TileBackGround = false;
    TColor FocusColor = clHighlight;
    bool LockBackGround = true;
    bool HorzScrollTracking = false;
    bool VertScrollTracking = false;
    uint8_t MoveDirEnter = mdBottom;
    TColor TitleLineColor = clGray;
    uint8_t UnitType = utPixel;
    double PhyMargins[4] = {30, 30, 30, 30}; // left, top, right, bottom (stored left, right, top, bottom)
    GridStoredExtras Extras;                  // kept by the grid as stored

    // How far the record went: a block of an earlier release may end before its last fields.
    bool HasPhyMargins = false;

    void Write(ByteWriter &out) const;
    // Reads the settings of a stream of Version; stops quietly where the bytes end after the
    // option set, leaving the later fields at their defaults.
    void Read(ByteReader &in, int Version);

    static GridSettings Capture(const TCustomQorGrid &grid);
};

} // namespace qor
