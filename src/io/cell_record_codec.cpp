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

void checkOrdinal(uint8_t value, uint8_t last, const char *what)
{
    if (value > last)
        throw StreamFormatError(what);
}

void checkSize(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 1e7)
        refuse("cell record: physical size out of range");
}

void validate(const CellRecord &r)
{
    checkOrdinal(r.alignment, taCenter, "cell record: alignment out of range");
    checkOrdinal(r.verAlignment, vtaCenter, "cell record: vertical alignment out of range");
    checkOrdinal(r.cellType, ctMemo, "cell record: cell type out of range");
    checkOrdinal(r.graphicHorAlignment, taCenter, "cell record: picture alignment out of range");
    checkOrdinal(r.valueType, vtChineseDate, "cell record: value type out of range");
    for (uint8_t s : r.frameStyles)
        checkOrdinal(s, psInsideFrame, "cell record: frame style out of range");
    checkOrdinal(r.biasDirection, bdUp, "cell record: bias direction out of range");
    checkOrdinal(r.biasStyle, psInsideFrame, "cell record: bias style out of range");
    if (r.rows < 1 || r.cols < 1)
        refuse("cell record: merge extent below one cell");
    if (r.has(69))
        checkOrdinal(r.graphicVerAlignment, vtaCenter, "cell record: picture alignment out of range");
    for (int i = 0; i < 4; ++i) {
        if (r.has(70 + i) && r.graphicMargins[i] > 0xFFFF)
            refuse("cell record: margin out of range");
        if (r.has(74 + i) && r.textMargins[i] > 0xFFFF)
            refuse("cell record: margin out of range");
    }
    if (r.has(86))
        checkOrdinal(r.brushStyle, bsDiagCross, "cell record: brush style out of range");
    if (r.has(97))
        checkSize(r.phyColWidth);
    if (r.has(98))
        checkSize(r.phyRowHeight);
}

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
    f(U8{}, QOR_MEMBER(r.alignment));
    f(U8{}, QOR_MEMBER(r.verAlignment));
    f(I32{}, QOR_MEMBER(r.backColor));
    f(I32{}, QOR_MEMBER(r.rows));
    f(I32{}, QOR_MEMBER(r.cols));
    f(Bool{}, QOR_MEMBER(r.fixCell));
    f(Bool{}, QOR_MEMBER(r.wordWrap));
    f(Bool{}, QOR_MEMBER(r.autoHeight));
    f(U8{}, QOR_MEMBER(r.cellType));
    f(U8{}, QOR_MEMBER(r.graphicHorAlignment));
    f(I32{}, QOR_MEMBER(r.biasColor));
    f(Bool{}, QOR_MEMBER(r.checked));                // 30
    f(Bool{}, QOR_MEMBER(r.topLine));
    f(Bool{}, QOR_MEMBER(r.leftLine));
    f(Bool{}, QOR_MEMBER(r.rightLine));
    f(Bool{}, QOR_MEMBER(r.bottomLine));
    f(U8{}, QOR_MEMBER(r.valueType));
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
        f(U8{}, QOR_MEMBER(style));
    f(U8{}, QOR_MEMBER(r.biasDirection));            // 61
    f(I32{}, QOR_MEMBER(r.biasWidth));
    f(U8{}, QOR_MEMBER(r.biasStyle));
    f(I32{}, QOR_MEMBER(r.transparentColor));
    f.tail();                                        // CellRecord::TolerantFrom
    f(Bool{}, QOR_MEMBER(r.transparent));            // 65
    f(I32{}, QOR_MEMBER(r.colWidth));
    f(I32{}, QOR_MEMBER(r.rowHeight));
    f(I32{}, QOR_MEMBER(r.comboItemHeight));
    f(U8{}, QOR_MEMBER(r.graphicVerAlignment));
    for (auto &margin : r.graphicMargins)            // 70
        f(U32{}, QOR_MEMBER(margin));
    for (auto &margin : r.textMargins)               // 74
        f(U32{}, QOR_MEMBER(margin));
    f(I32{}, QOR_MEMBER(r.imageIndex));              // 78
    f(Bool{}, QOR_MEMBER(r.ctl3D));
    f(I16{}, QOR_MEMBER(r.cursor));
    f(Text{}, QOR_MEMBER(r.hint));
    f(I32{}, QOR_MEMBER(r.itemIndex));
    f(Extended{}, QOR_MEMBER(r.increment));
    f(block, QOR_MEMBER(r.richText));                // 84
    f(Extended{}, QOR_MEMBER(r.formulaValue));
    f(U8{}, QOR_MEMBER(r.brushStyle));
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
    f(Float64{}, QOR_MEMBER(r.phyColWidth));
    f(Float64{}, QOR_MEMBER(r.phyRowHeight));
    f(I32{}, QOR_MEMBER(r.tabNextRow));
    f(I32{}, QOR_MEMBER(r.tabNextCol));              // 100
    f(Bool{}, QOR_MEMBER(r.showCurrencyLine));
    f(I32{}, QOR_MEMBER(r.dropDownCount));
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
