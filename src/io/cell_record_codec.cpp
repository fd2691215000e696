// The byte form of the cell record.
#include <QStringList>
#include <cmath>

#include "core/model/enums.h"
#include "io/cell_record_p.h"
#include "io/record_fields_p.h"

namespace qor {

namespace {

constexpr char kOwnTag[] = "Cell";
constexpr char kPlainTag[] = "Cel_";

[[noreturn]] void refuse(const char *what) { throw StreamFormatError(what); }

// Reads the tag; false (nothing consumed) when it is not a cell record's. From here on the
// record has the attributes it reads.
bool readTag(ByteReader &in, CellRecord &rec)
{
    if (in.peekTag(kOwnTag))
        rec.ownRec = true;
    else if (in.peekTag(kPlainTag))
        rec.ownRec = false;
    else
        return false;
    in.skip(4);
    rec.style.present.reset();
    return true;
}

// Values a record can hold but no writer produces are refused once the record is read, in
// stored order: a refusing read in the tolerant part would only end the record there.

// An enumeration's ordinal in one byte, up to its last value.
struct Ordinal {
    uint8_t last;
    const char *refusal;
    void write(ByteWriter &out, uint8_t v) const { out.writeU8(v); }
    uint8_t read(ByteReader &in, int) const { return in.readU8(); }
    void check(uint8_t v) const
    {
        if (v > last)
            refuse(refusal);
    }
};

// A margin, held in 16 bits.
struct Margin {
    void write(ByteWriter &out, uint32_t v) const { out.writeU32(v); }
    uint32_t read(ByteReader &in, int) const { return in.readU32(); }
    void check(uint32_t v) const
    {
        if (v > 0xFFFF)
            refuse("cell record: margin out of range");
    }
};

struct PhysicalSize {
    void write(ByteWriter &out, double v) const { out.writeDouble(v); }
    double read(ByteReader &in, int) const { return in.readDouble(); }
    void check(double v) const
    {
        if (!std::isfinite(v) || std::fabs(v) > 1e7)
            refuse("cell record: physical size out of range");
    }
};

// An attribute of the attribute table: reading it marks it as there.
template <class T, class V>
void takeAttribute(CellRecordStyle &style, StyleAttr attribute, T &member, V value)
{
    member = value;
    style.present.set(size_t(attribute));
}
#define QOR_STYLE_FIELD(style, Name) \
    [&] { return (style).Name; }, [&](auto v_) { takeAttribute((style), StyleAttr::Name, (style).Name, v_); }

// Every field after the tag, numbered as the record counts them (the tag is field 1).
template <class R, class F>
void cellFields(R &r, F &&f)
{
    using namespace fields;
    constexpr Block block{"cell record: block longer than the record"};
    auto &s = r.style;
    for (auto *t : {&r.text, &r.leftText, &r.rightText, &r.name})
        f(Text{}, QOR_MEMBER(*t));                   // 2
    f(Text{}, QOR_STYLE_FIELD(s, Tag));              // 6
    f(Text{}, QOR_STYLE_FIELD(s, Mask));
    f(Text{}, QOR_MEMBER(r.items));
    f(block, QOR_MEMBER(r.graphic));                 // 9
    f(WideFont{}, QOR_MEMBER(r.font));               // 10 to 17
    f(Bool{}, QOR_STYLE_FIELD(s, ReadOnly));         // 18
    f(Ordinal{taCenter, "cell record: alignment out of range"}, QOR_STYLE_FIELD(s, Alignment));
    f(Ordinal{vtaCenter, "cell record: vertical alignment out of range"}, QOR_STYLE_FIELD(s, VerAlignment));
    f(I32{}, QOR_STYLE_FIELD(s, BackColor));
    f(I32{}, QOR_MEMBER(r.rows));
    f(I32{}, QOR_MEMBER(r.cols));
    f(Bool{}, QOR_STYLE_FIELD(s, FixCell));
    f(Bool{}, QOR_STYLE_FIELD(s, WordWrap));
    f(Bool{}, QOR_STYLE_FIELD(s, AutoHeight));
    f(Ordinal{ctMemo, "cell record: cell type out of range"}, QOR_STYLE_FIELD(s, CellType));
    f(Ordinal{taCenter, "cell record: picture alignment out of range"}, QOR_STYLE_FIELD(s, GraphicHorAlignment));
    f(I32{}, QOR_STYLE_FIELD(s, BiasColor));
    f(Bool{}, QOR_MEMBER(r.checked));                // 30
    f(Bool{}, QOR_MEMBER(r.topLine));
    f(Bool{}, QOR_MEMBER(r.leftLine));
    f(Bool{}, QOR_MEMBER(r.rightLine));
    f(Bool{}, QOR_MEMBER(r.bottomLine));
    f(Ordinal{vtChineseDate, "cell record: value type out of range"}, QOR_STYLE_FIELD(s, ValueType));
    f(I32{}, QOR_STYLE_FIELD(s, Digits));
    f(Bool{}, QOR_STYLE_FIELD(s, ThousandSeparators));
    f(Latin1Char{}, QOR_STYLE_FIELD(s, PasswordChar));
    f(I32{}, QOR_STYLE_FIELD(s, MaxLength));
    f(Bool{}, QOR_STYLE_FIELD(s, DirectInput));      // 40
    for (auto &frame : r.frames)
        f(Bool{}, QOR_MEMBER(frame));
    f(Bool{}, QOR_STYLE_FIELD(s, TileGraphic));      // 45
    f(Bool{}, QOR_STYLE_FIELD(s, Stretch));
    f(Bool{}, QOR_STYLE_FIELD(s, StretchFine));
    f(Bool{}, QOR_STYLE_FIELD(s, VerticalText));
    for (auto &width : r.frameWidths)                // 49
        f(I32{}, QOR_MEMBER(width));
    for (auto &color : r.frameColors)                // 53
        f(I32{}, QOR_MEMBER(color));
    for (auto &style : r.frameStyles)                // 57
        f(Ordinal{psInsideFrame, "cell record: frame style out of range"}, QOR_MEMBER(style));
    f(Ordinal{bdUp, "cell record: bias direction out of range"}, QOR_STYLE_FIELD(s, BiasDirection)); // 61
    f(I32{}, QOR_STYLE_FIELD(s, BiasWidth));
    f(Ordinal{psInsideFrame, "cell record: bias style out of range"}, QOR_STYLE_FIELD(s, BiasStyle));
    f(I32{}, QOR_STYLE_FIELD(s, TransparentColor));
    f.tail();                                        // CellRecord::TolerantFrom
    f(Bool{}, QOR_STYLE_FIELD(s, Transparent));      // 65
    f(I32{}, QOR_MEMBER(r.colWidth));
    f(I32{}, QOR_MEMBER(r.rowHeight));
    f(I32{}, QOR_STYLE_FIELD(s, ComboItemHeight));
    f(Ordinal{vtaCenter, "cell record: picture alignment out of range"}, QOR_STYLE_FIELD(s, GraphicVerAlignment));
    f(Margin{}, QOR_STYLE_FIELD(s, GraphicLMargin)); // 70
    f(Margin{}, QOR_STYLE_FIELD(s, GraphicTMargin));
    f(Margin{}, QOR_STYLE_FIELD(s, GraphicRMargin));
    f(Margin{}, QOR_STYLE_FIELD(s, GraphicBMargin));
    f(Margin{}, QOR_STYLE_FIELD(s, TextLMargin));    // 74
    f(Margin{}, QOR_STYLE_FIELD(s, TextTMargin));
    f(Margin{}, QOR_STYLE_FIELD(s, TextRMargin));
    f(Margin{}, QOR_STYLE_FIELD(s, TextBMargin));
    f(I32{}, QOR_STYLE_FIELD(s, ImageIndex));        // 78
    f(Bool{}, QOR_MEMBER(r.ctl3D));
    f(I16{}, QOR_STYLE_FIELD(s, Cursor));
    f(Text{}, QOR_STYLE_FIELD(s, Hint));
    f(I32{}, QOR_MEMBER(r.itemIndex));
    f(Extended{}, QOR_STYLE_FIELD(s, Increment));
    f(block, QOR_MEMBER(r.richText));                // 84
    f(Extended{}, QOR_MEMBER(r.formulaValue));
    f(Ordinal{bsDiagCross, "cell record: brush style out of range"}, QOR_STYLE_FIELD(s, BrushStyle));
    f(Bool{}, QOR_MEMBER(r.isNumber));
    f(Text{}, QOR_STYLE_FIELD(s, ValueChecked));
    f(Text{}, QOR_STYLE_FIELD(s, ValueUnChecked));
    f(Text{}, QOR_MEMBER(r.fieldName));              // 90
    f(Bool{}, QOR_STYLE_FIELD(s, TrimZero));
    f(I32{}, QOR_STYLE_FIELD(s, FontAngle));
    f(Bool{}, QOR_STYLE_FIELD(s, ShrinkToFit));
    f(Bool{}, QOR_STYLE_FIELD(s, Printable));
    f(Bool{}, QOR_STYLE_FIELD(s, PrintCurrencyLine));
    f(I32{}, QOR_STYLE_FIELD(s, VerticalTextSpace));
    f(PhysicalSize{}, QOR_MEMBER(r.phyColWidth));
    f(PhysicalSize{}, QOR_MEMBER(r.phyRowHeight));
    f(I32{}, QOR_MEMBER(r.tabNextRow));
    f(I32{}, QOR_MEMBER(r.tabNextCol));              // 100
    f(Bool{}, QOR_STYLE_FIELD(s, ShowCurrencyLine));
    f(I32{}, QOR_STYLE_FIELD(s, DropDownCount));
}

#undef QOR_STYLE_FIELD

// A refusal names the first fault in stored order, the merge extent's after those of the head.
void validate(const CellRecord &r)
{
    auto extent = [&r] {
        if (r.rows < 1 || r.cols < 1)
            refuse("cell record: merge extent below one cell");
    };
    cellFields(r, fields::FieldChecker(CellRecord::TolerantFrom, r.lastField, extent));
}

} // namespace

QString JoinItemLines(const QStringList &lines)
{
    QString s;
    for (const QString &line : lines) {
        s += line;
        s += QLatin1String("\r\n");
    }
    return s;
}

void WriteCellRecord(ByteWriter &out, const CellRecord &r)
{
    out.writeTag(r.ownRec ? kOwnTag : kPlainTag);
    cellFields(r, fields::FieldWriter(out));
}

bool ReadCellTexts(ByteReader &in, CellRecord &r, int version)
{
    if (!readTag(in, r))
        return false;
    cellFields(r, fields::FieldReader(in, version, CellRecord::TolerantFrom, r.lastField, 3));
    return true;
}

bool ReadCellRecord(ByteReader &in, CellRecord &r, int version)
{
    if (!readTag(in, r))
        return false;
    fields::FieldReader reader(in, version, CellRecord::TolerantFrom, r.lastField);
    cellFields(r, reader);
    r.endedEarly = !reader.complete();
    validate(r);
    return true;
}

} // namespace qor
