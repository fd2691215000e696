#pragma once
// The cell record as plain values, and its byte form. Reading fills a CellRecord completely
// (or throws) before anything touches a cell, so a refused record leaves the cell as it was.
#include <QByteArray>
#include <QString>
#include <bitset>
#include <climits>
#include "core/model/style_attributes.h"
#include "io/byte_stream.h"
#include "io/font_record.h"

namespace qor {

// The attributes of the attribute table by position.
enum class StyleAttr : uint8_t {
#define QOR_STYLE_ATTR_ID(Type, Name, Default, Bits) Name,
    QOR_STYLE_ATTRIBUTES(QOR_STYLE_ATTR_ID)
#undef QOR_STYLE_ATTR_ID
    Count
};

// An attribute as a record holds it: as wide as what is stored, so that a value the attribute
// cannot hold is refused after reading instead of cut to fit (margins are stored in 32 bits).
template <class T>
using RecordStorage = std::conditional_t<std::is_same_v<T, uint16_t>, uint32_t, AttrStorage<T>>;

// The attribute table's attributes, under its names and with its defaults. A record read from
// a stream has only those its writer stored; one made here has them all.
struct CellRecordStyle {
#define QOR_RECORD_STYLE_MEMBER(Type, Name, Default, Bits) RecordStorage<Type> Name = ToStorage(Type(Default));
    QOR_STYLE_ATTRIBUTES(QOR_RECORD_STYLE_MEMBER)
#undef QOR_RECORD_STYLE_MEMBER
    std::bitset<size_t(StyleAttr::Count)> present = std::bitset<size_t(StyleAttr::Count)>().set();

    bool has(StyleAttr a) const { return present.test(size_t(a)); }
};

// Fields the cell has alone are named after its attributes; arrays of edges follow the order
// of the record.
struct CellRecord {
    // Number of the first field that may be missing.
    static constexpr int TolerantFrom = 65;

    bool ownRec = false;                  // tag "Cell" rather than "Cel_"
    QString text, leftText, rightText, name, items;
    QByteArray graphic;
    TFontRecord font;                     // empty face: the cell has no font of its own
    CellRecordStyle style;
    int32_t rows = 1, cols = 1;
    bool checked = false;
    bool topLine = true, leftLine = true, rightLine = true, bottomLine = true;
    bool frames[4] = {};                  // left, top, right, bottom
    int32_t frameWidths[4] = {};          // left, top, right, bottom
    int32_t frameColors[4] = {};          // left, right, top, bottom
    uint8_t frameStyles[4] = {};          // left, top, right, bottom

    // Number of the last field that was there completely (64 on; a record made here has them
    // all), and whether the record ended before the last field of the list.
    int lastField = INT_MAX;
    bool endedEarly = false;
    int32_t colWidth = 0, rowHeight = 0;
    bool ctl3D = false;
    int32_t itemIndex = -1;
    QByteArray richText;
    double formulaValue = 0;
    bool isNumber = false;
    QString fieldName;
    double phyColWidth = 0, phyRowHeight = 0;
    int32_t tabNextRow = -1, tabNextCol = -1;

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
