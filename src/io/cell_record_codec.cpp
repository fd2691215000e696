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

// Reads the tag; false (nothing consumed) when it is not a cell record's.
bool readTag(ByteReader &in, CellRecord &rec)
{
    if (in.peekTag(kOwnTag))
        rec.ownRec = true;
    else if (in.peekTag(kPlainTag))
        rec.ownRec = false;
    else
        return false;
    in.skip(4);
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

// Every field after the tag, numbered as the record counts them (the tag is field 1).
template <class R, class F>
void cellFields(R &r, F &&f)
{
    using namespace fields;
    constexpr Block block{"cell record: block longer than the record"};
    for (auto *t : {&r.text, &r.leftText, &r.rightText, &r.name, &r.tag, &r.mask, &r.items})
        f(Text{}, QOR_MEMBER(*t));                   // 2
    f(block, QOR_MEMBER(r.graphic));                 // 9
    f(WideFont{}, QOR_MEMBER(r.font));               // 10 to 17
    f(Bool{}, QOR_MEMBER(r.readOnly));               // 18
    f(Ordinal{taCenter, "cell record: alignment out of range"}, QOR_MEMBER(r.alignment));
    f(Ordinal{vtaCenter, "cell record: vertical alignment out of range"}, QOR_MEMBER(r.verAlignment));
    f(I32{}, QOR_MEMBER(r.backColor));
    f(I32{}, QOR_MEMBER(r.rows));
    f(I32{}, QOR_MEMBER(r.cols));
    f(Bool{}, QOR_MEMBER(r.fixCell));
    f(Bool{}, QOR_MEMBER(r.wordWrap));
    f(Bool{}, QOR_MEMBER(r.autoHeight));
    f(Ordinal{ctMemo, "cell record: cell type out of range"}, QOR_MEMBER(r.cellType));
    f(Ordinal{taCenter, "cell record: picture alignment out of range"}, QOR_MEMBER(r.graphicHorAlignment));
    f(I32{}, QOR_MEMBER(r.biasColor));
    f(Bool{}, QOR_MEMBER(r.checked));                // 30
    f(Bool{}, QOR_MEMBER(r.topLine));
    f(Bool{}, QOR_MEMBER(r.leftLine));
    f(Bool{}, QOR_MEMBER(r.rightLine));
    f(Bool{}, QOR_MEMBER(r.bottomLine));
    f(Ordinal{vtChineseDate, "cell record: value type out of range"}, QOR_MEMBER(r.valueType));
    f(I32{}, QOR_MEMBER(r.digits));
    f(Bool{}, QOR_MEMBER(r.thousandSeparators));
    f(Latin1Char{}, QOR_MEMBER(r.passwordChar));
    f(I32{}, QOR_MEMBER(r.maxLength));
    f(Bool{}, QOR_MEMBER(r.directInput));            // 40
    for (auto &frame : r.frames)
        f(Bool{}, QOR_MEMBER(frame));
    f(Bool{}, QOR_MEMBER(r.tileGraphic));            // 45
    f(Bool{}, QOR_MEMBER(r.stretch));
    f(Bool{}, QOR_MEMBER(r.stretchFine));
    f(Bool{}, QOR_MEMBER(r.verticalText));
    for (auto &width : r.frameWidths)                // 49
        f(I32{}, QOR_MEMBER(width));
    for (auto &color : r.frameColors)                // 53
        f(I32{}, QOR_MEMBER(color));
    for (auto &style : r.frameStyles)                // 57
        f(Ordinal{psInsideFrame, "cell record: frame style out of range"}, QOR_MEMBER(style));
    f(Ordinal{bdUp, "cell record: bias direction out of range"}, QOR_MEMBER(r.biasDirection)); // 61
    f(I32{}, QOR_MEMBER(r.biasWidth));
    f(Ordinal{psInsideFrame, "cell record: bias style out of range"}, QOR_MEMBER(r.biasStyle));
    f(I32{}, QOR_MEMBER(r.transparentColor));
    f.tail();                                        // CellRecord::TolerantFrom
    f(Bool{}, QOR_MEMBER(r.transparent));            // 65
    f(I32{}, QOR_MEMBER(r.colWidth));
    f(I32{}, QOR_MEMBER(r.rowHeight));
    f(I32{}, QOR_MEMBER(r.comboItemHeight));
    f(Ordinal{vtaCenter, "cell record: picture alignment out of range"}, QOR_MEMBER(r.graphicVerAlignment));
    for (auto &margin : r.graphicMargins)            // 70
        f(Margin{}, QOR_MEMBER(margin));
    for (auto &margin : r.textMargins)               // 74
        f(Margin{}, QOR_MEMBER(margin));
    f(I32{}, QOR_MEMBER(r.imageIndex));              // 78
    f(Bool{}, QOR_MEMBER(r.ctl3D));
    f(I16{}, QOR_MEMBER(r.cursor));
    f(Text{}, QOR_MEMBER(r.hint));
    f(I32{}, QOR_MEMBER(r.itemIndex));
    f(Extended{}, QOR_MEMBER(r.increment));
    f(block, QOR_MEMBER(r.richText));                // 84
    f(Extended{}, QOR_MEMBER(r.formulaValue));
    f(Ordinal{bsDiagCross, "cell record: brush style out of range"}, QOR_MEMBER(r.brushStyle));
    f(Bool{}, QOR_MEMBER(r.isNumber));
    f(Text{}, QOR_MEMBER(r.valueChecked));
    f(Text{}, QOR_MEMBER(r.valueUnChecked));
    f(Text{}, QOR_MEMBER(r.fieldName));              // 90
    f(Bool{}, QOR_MEMBER(r.trimZero));
    f(I32{}, QOR_MEMBER(r.fontAngle));
    f(Bool{}, QOR_MEMBER(r.shrinkToFit));
    f(Bool{}, QOR_MEMBER(r.printable));
    f(Bool{}, QOR_MEMBER(r.printCurrencyLine));
    f(I32{}, QOR_MEMBER(r.verticalTextSpace));
    f(PhysicalSize{}, QOR_MEMBER(r.phyColWidth));
    f(PhysicalSize{}, QOR_MEMBER(r.phyRowHeight));
    f(I32{}, QOR_MEMBER(r.tabNextRow));
    f(I32{}, QOR_MEMBER(r.tabNextCol));              // 100
    f(Bool{}, QOR_MEMBER(r.showCurrencyLine));
    f(I32{}, QOR_MEMBER(r.dropDownCount));
}

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
