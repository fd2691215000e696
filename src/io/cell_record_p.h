#pragma once
// The cell record as plain values, and its byte form. Reading fills a CellRecord completely
// (or throws) before anything touches a cell, so a refused record leaves the cell as it was.
#include <QByteArray>
#include <QString>
#include <climits>
#include "io/byte_stream.h"
#include "io/font_record.h"

namespace qor {

// Fields are named after the attributes; arrays of edges follow the order of the record.
struct CellRecord {
    // Number of the first field that may be missing.
    static constexpr int TolerantFrom = 65;

    bool ownRec = false;                  // tag "Cell" rather than "Cel_"
    QString text, leftText, rightText, name, tag, mask, items;
    QByteArray graphic;
    TFontRecord font;                     // empty face: the cell has no font of its own
    bool readOnly = false;
    uint8_t alignment = 0, verAlignment = 0;
    int32_t backColor = 0;
    int32_t rows = 1, cols = 1;
    bool fixCell = false, wordWrap = false, autoHeight = false;
    uint8_t cellType = 0, graphicHorAlignment = 0;
    int32_t biasColor = 0;
    bool checked = false;
    bool topLine = true, leftLine = true, rightLine = true, bottomLine = true;
    uint8_t valueType = 0;
    int32_t digits = 0;
    bool thousandSeparators = false;
    char16_t passwordChar = 0;
    int32_t maxLength = 0;
    bool directInput = false;
    bool frames[4] = {};                  // left, top, right, bottom
    bool tileGraphic = false, stretch = false, stretchFine = false, verticalText = false;
    int32_t frameWidths[4] = {};          // left, top, right, bottom
    int32_t frameColors[4] = {};          // left, right, top, bottom
    uint8_t frameStyles[4] = {};          // left, top, right, bottom
    uint8_t biasDirection = 0;
    int32_t biasWidth = 0;
    uint8_t biasStyle = 0;
    int32_t transparentColor = 0;

    // Number of the last field that was there completely (64 on; a record made here has them
    // all), and whether the record ended before the last field of the list.
    int lastField = INT_MAX;
    bool endedEarly = false;
    bool transparent = false;
    int32_t colWidth = 0, rowHeight = 0, comboItemHeight = 0;
    uint8_t graphicVerAlignment = 0;
    uint32_t graphicMargins[4] = {};      // left, top, right, bottom
    uint32_t textMargins[4] = {};         // left, top, right, bottom
    int32_t imageIndex = -1;
    bool ctl3D = false;
    int16_t cursor = 0;
    QString hint;
    int32_t itemIndex = -1;
    double increment = 1;
    QByteArray richText;
    double formulaValue = 0;
    uint8_t brushStyle = 0;
    bool isNumber = false;
    QString valueChecked, valueUnChecked, fieldName;
    bool trimZero = false;
    int32_t fontAngle = 0;
    bool shrinkToFit = false, printable = true, printCurrencyLine = true;
    int32_t verticalTextSpace = 0;
    double phyColWidth = 0, phyRowHeight = 0;
    int32_t tabNextRow = -1, tabNextCol = -1;
    bool showCurrencyLine = true;
    int32_t dropDownCount = 0;

    bool has(int field) const { return field <= lastField; }
};

QOR_AUTOTEST_EXPORT void WriteCellRecord(ByteWriter &out, const CellRecord &rec);
// False for a record of an unknown tag (nothing read past the tag). Throws StreamFormatError
// for a record cut before its tolerant part, a length beyond the record, or a value no
// writer produces (an enumeration ordinal out of range, a size that is not a number).
QOR_AUTOTEST_EXPORT bool ReadCellRecord(ByteReader &in, CellRecord &rec, int version);
// The tag and the three texts only.
bool ReadCellTexts(ByteReader &in, CellRecord &rec, int version);

// Items as stored: every line followed by CR LF.
QString JoinItemLines(const QStringList &lines);

} // namespace qor

namespace qor {

struct TQorPicture;

// The stored bytes of a picture: its original file image, or a bitmap of an image that has
// none; empty for no picture or one of no size.
QByteArray PictureImageBytes(const TQorPicture &picture);
// A picture from stored bytes, decoded by kind. Bytes no loader understands are kept (and
// saved again unchanged) with an empty image; problem then says why it cannot be shown.
TQorPicture PictureFromImageBytes(const QByteArray &bytes, QString *problem);

} // namespace qor
