// The byte form of the cell record.
#include <QStringList>
#include <cmath>

#include "core/model/enums.h"
#include "io/cell_record_p.h"
#include "io/text_record.h"

namespace qor {

namespace {

constexpr char kOwnTag[] = "Cell";
constexpr char kPlainTag[] = "Cel_";

[[noreturn]] void refuse(const char *what) { throw StreamFormatError(what); }

void writePicture(ByteWriter &out, const QByteArray &bytes)
{
    out.writeI32(int32_t(bytes.size()));
    out.writeBytes(bytes);
}

QByteArray readBlock(ByteReader &in)
{
    const int32_t n = in.readI32();
    if (n < 1)
        return QByteArray();
    if (n > in.remaining())
        refuse("cell record: block longer than the record");
    return in.readBytes(n);
}

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
    for (const QString *t : {&r.text, &r.leftText, &r.rightText, &r.name, &r.tag, &r.mask, &r.items})
        SaveTextToStream(out, *t);
    writePicture(out, r.graphic);
    SaveTextToStream(out, r.font.name);
    out.writeI32(r.font.size);
    out.writeU8(r.font.charset);
    out.writeI32(r.font.color);
    out.writeBool(r.font.bold);
    out.writeBool(r.font.italic);
    out.writeBool(r.font.underline);
    out.writeBool(r.font.strikeOut);
    out.writeBool(r.readOnly);                       // 18
    out.writeU8(r.alignment);
    out.writeU8(r.verAlignment);
    out.writeI32(r.backColor);
    out.writeI32(r.rows);
    out.writeI32(r.cols);
    out.writeBool(r.fixCell);
    out.writeBool(r.wordWrap);
    out.writeBool(r.autoHeight);
    out.writeU8(r.cellType);
    out.writeU8(r.graphicHorAlignment);
    out.writeI32(r.biasColor);
    out.writeBool(r.checked);                        // 30
    out.writeBool(r.topLine);
    out.writeBool(r.leftLine);
    out.writeBool(r.rightLine);
    out.writeBool(r.bottomLine);
    out.writeU8(r.valueType);
    out.writeI32(r.digits);
    out.writeBool(r.thousandSeparators);
    out.writeU8(r.passwordChar);
    out.writeI32(r.maxLength);
    out.writeBool(r.directInput);                    // 40
    for (bool f : r.frames)
        out.writeBool(f);
    out.writeBool(r.tileGraphic);                    // 45
    out.writeBool(r.stretch);
    out.writeBool(r.stretchFine);
    out.writeBool(r.verticalText);
    for (int32_t w : r.frameWidths)                  // 49
        out.writeI32(w);
    for (int32_t c : r.frameColors)                  // 53
        out.writeI32(c);
    for (uint8_t s : r.frameStyles)                  // 57
        out.writeU8(s);
    out.writeU8(r.biasDirection);                    // 61
    out.writeI32(r.biasWidth);
    out.writeU8(r.biasStyle);
    out.writeI32(r.transparentColor);
    out.writeBool(r.transparent);                    // 65
    out.writeI32(r.colWidth);
    out.writeI32(r.rowHeight);
    out.writeI32(r.comboItemHeight);
    out.writeU8(r.graphicVerAlignment);
    for (uint32_t m : r.graphicMargins)              // 70
        out.writeU32(m);
    for (uint32_t m : r.textMargins)                 // 74
        out.writeU32(m);
    out.writeI32(r.imageIndex);                      // 78
    out.writeBool(r.ctl3D);
    out.writeI16(r.cursor);
    SaveTextToStream(out, r.hint);
    out.writeI32(r.itemIndex);
    out.writeExtended(r.increment);
    writePicture(out, r.richText);                   // 84
    out.writeExtended(r.formulaValue);
    out.writeU8(r.brushStyle);
    out.writeBool(r.isNumber);
    SaveTextToStream(out, r.valueChecked);
    SaveTextToStream(out, r.valueUnChecked);
    SaveTextToStream(out, r.fieldName);              // 90
    out.writeBool(r.trimZero);
    out.writeI32(r.fontAngle);
    out.writeBool(r.shrinkToFit);
    out.writeBool(r.printable);
    out.writeBool(r.printCurrencyLine);
    out.writeI32(r.verticalTextSpace);
    out.writeDouble(r.phyColWidth);
    out.writeDouble(r.phyRowHeight);
    out.writeI32(r.tabNextRow);
    out.writeI32(r.tabNextCol);                      // 100
    out.writeBool(r.showCurrencyLine);
    out.writeI32(r.dropDownCount);
}

bool ReadCellTexts(ByteReader &in, CellRecord &r, int version)
{
    if (!readTag(in, r))
        return false;
    r.text = LoadTextFromStream2(in, version);
    r.leftText = LoadTextFromStream2(in, version);
    r.rightText = LoadTextFromStream2(in, version);
    return true;
}

bool ReadCellRecord(ByteReader &in, CellRecord &r, int version)
{
    if (!ReadCellTexts(in, r, version))
        return false;
    for (QString *t : {&r.name, &r.tag, &r.mask, &r.items})
        *t = LoadTextFromStream2(in, version);
    r.graphic = readBlock(in);
    r.font.name = LoadTextFromStream2(in, version);
    r.font.size = in.readI32();
    r.font.charset = in.readU8();
    r.font.color = in.readI32();
    r.font.bold = in.readBool();
    r.font.italic = in.readBool();
    r.font.underline = in.readBool();
    r.font.strikeOut = in.readBool();
    r.readOnly = in.readBool();
    r.alignment = in.readU8();
    r.verAlignment = in.readU8();
    r.backColor = in.readI32();
    r.rows = in.readI32();
    r.cols = in.readI32();
    r.fixCell = in.readBool();
    r.wordWrap = in.readBool();
    r.autoHeight = in.readBool();
    r.cellType = in.readU8();
    r.graphicHorAlignment = in.readU8();
    r.biasColor = in.readI32();
    r.checked = in.readBool();
    r.topLine = in.readBool();
    r.leftLine = in.readBool();
    r.rightLine = in.readBool();
    r.bottomLine = in.readBool();
    r.valueType = in.readU8();
    r.digits = in.readI32();
    r.thousandSeparators = in.readBool();
    r.passwordChar = in.readU8();
    r.maxLength = in.readI32();
    r.directInput = in.readBool();
    for (bool &f : r.frames)
        f = in.readBool();
    r.tileGraphic = in.readBool();
    r.stretch = in.readBool();
    r.stretchFine = in.readBool();
    r.verticalText = in.readBool();
    for (int32_t &w : r.frameWidths)
        w = in.readI32();
    for (int32_t &c : r.frameColors)
        c = in.readI32();
    for (uint8_t &s : r.frameStyles)
        s = in.readU8();
    r.biasDirection = in.readU8();
    r.biasWidth = in.readI32();
    r.biasStyle = in.readU8();
    r.transparentColor = in.readI32();

    // Records of earlier releases end somewhere from here on: each field counts only when it
    // is there completely, and the first one that is not ends the record.
    TolerantTail next(in, CellRecord::TolerantFrom, r.lastField);
    next([&] { r.transparent = in.readBool(); });
    next([&] { r.colWidth = in.readI32(); });
    next([&] { r.rowHeight = in.readI32(); });
    next([&] { r.comboItemHeight = in.readI32(); });
    next([&] { r.graphicVerAlignment = in.readU8(); });
    for (uint32_t &m : r.graphicMargins)
        next([&] { m = in.readU32(); });
    for (uint32_t &m : r.textMargins)
        next([&] { m = in.readU32(); });
    next([&] { r.imageIndex = in.readI32(); });
    next([&] { r.ctl3D = in.readBool(); });
    next([&] { r.cursor = in.readI16(); });
    next([&] { r.hint = LoadTextFromStream2(in, version); });
    next([&] { r.itemIndex = in.readI32(); });
    next([&] { r.increment = in.readExtended(); });
    next([&] { r.richText = readBlock(in); });
    next([&] { r.formulaValue = in.readExtended(); });
    next([&] { r.brushStyle = in.readU8(); });
    next([&] { r.isNumber = in.readBool(); });
    next([&] { r.valueChecked = LoadTextFromStream2(in, version); });
    next([&] { r.valueUnChecked = LoadTextFromStream2(in, version); });
    next([&] { r.fieldName = LoadTextFromStream2(in, version); });
    next([&] { r.trimZero = in.readBool(); });
    next([&] { r.fontAngle = in.readI32(); });
    next([&] { r.shrinkToFit = in.readBool(); });
    next([&] { r.printable = in.readBool(); });
    next([&] { r.printCurrencyLine = in.readBool(); });
    next([&] { r.verticalTextSpace = in.readI32(); });
    next([&] { r.phyColWidth = in.readDouble(); });
    next([&] { r.phyRowHeight = in.readDouble(); });
    next([&] { r.tabNextRow = in.readI32(); });
    next([&] { r.tabNextCol = in.readI32(); });
    next([&] { r.showCurrencyLine = in.readBool(); });
    next([&] { r.dropDownCount = in.readI32(); });
    validate(r);
    return true;
}

} // namespace qor
