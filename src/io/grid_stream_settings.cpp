#include "io/grid_stream_settings.h"

#include <QBuffer>
#include "core/grid.h"
#include "core/grid_p.h"
#include "io/picture_kind.h"
#include "io/text_record.h"

namespace qor {

namespace {

void writeEmptyTexts(ByteWriter &out)
{
    SaveTextToStream(out, QString());
    SaveTextToStream(out, QString());
    out.writeU8(0);
}

void skipTexts(ByteReader &in)
{
    LoadTextFromStream(in);
    LoadTextFromStream(in);
    in.readU8();
}

TFontRecord fontRecord(const TQorFont &font)
{
    return TFontRecord::FromFont(font.Font, font.Color, font.Charset);
}

} // namespace

QByteArray PictureFileImage(const TQorPicture &picture)
{
    // Kept bytes win: pictures without a decoder here (metafiles) must come back unchanged.
    if (!picture.Data.isEmpty())
        return picture.Data;
    if (picture.Image.isNull() || picture.Image.width() == 0 || picture.Image.height() == 0)
        return {};
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.Image.save(&buffer, "BMP");
    return bytes;
}

TQorPicture PictureFromFileImage(const QByteArray &bytes)
{
    TQorPicture picture;
    if (bytes.isEmpty())
        return picture;
    picture.Data = bytes;
    picture.Image = DecodePicture(bytes).image;
    return picture;
}

void GridSettings::Write(ByteWriter &out) const
{
    out.writeU8(GridType);
    out.writeI32(Color);
    out.writeBool(Extras.Ctl3D);
    out.writeI32(FixRowCount);
    out.writeI32(FixColCount);
    for (int m : Margins)
        out.writeI32(m);
    out.writeI32(BackColor);
    out.writeI32(LineColor);
    out.writeU8(Extras.BorderStyle);
    for (int s : Spaces)
        out.writeI32(s);
    out.writeI32(ShadowColor);
    out.writeI32(Extras.ResizeColOnRow);
    out.writeI32(Extras.ResizeRowOnCol);
    out.writeI32(4);
    out.writeU32(Options);
    SaveTextToStream(out, ColumnTitles);
    out.writeU8(ColumnTitleAlign);
    SaveWideFontToStream(out, ColumnTitleFont);
    out.writeI32(SortBeginRow);
    out.writeI32(SortEndRow);
    out.writeBool(ShowHint);
    SaveWideFontToStream(out, Font);
    out.writeI32(FooterRows);
    out.writeI32(TitleRows);
    out.writeI32(SortingColIndex);
    out.writeBool(SortingColASC);
    writeEmptyTexts(out);
    out.writeI32(DefaultRowHeight);
    out.writeI32(DefaultColWidth);
    out.writeDouble(RTFLineSpace);
    out.writeBool(ShowGroupFooter);
    out.writeBool(ShowPagesLine);
    out.writeBool(AutoShowBlobField);
    out.writeI32(int32_t(BackGround.size()));
    out.writeBytes(BackGround);
    writeEmptyTexts(out);
    out.writeBool(Extras.ColumnDeleted);
    out.writeBool(IncludeHiddenData);
    out.writeBool(Grouped);
    out.writeI32(LastGroupedRow);
    out.writeI32(FirstGroupedRow);
    SaveTextToStream(out, CurrencySymbol);
    out.writeI32(CurrencyCellWidth);
    out.writeI32(CurrencyDigits);
    out.writeI32(CurrencyDecimalSeparatorColor);
    out.writeI32(CurrencyThousandSeparatorColor);
    out.writeI32(TitleColor);
    out.writeI32(TitleHeight);
    out.writeI32(TitleWidth);
    out.writeI32(CurrencySeparatorColor);
    out.writeBool(TileBackGround);
    out.writeI32(FocusColor);
    out.writeBool(LockBackGround);
    out.writeBool(HorzScrollTracking);
    out.writeBool(VertScrollTracking);
    out.writeU8(MoveDirEnter);
    out.writeI32(TitleLineColor);
    out.writeU8(UnitType);
    // Stored left, right, top, bottom.
    out.writeDouble(PhyMargins[0]);
    out.writeDouble(PhyMargins[2]);
    out.writeDouble(PhyMargins[1]);
    out.writeDouble(PhyMargins[3]);
}

void GridSettings::Read(ByteReader &in, int version)
{
    GridType = TGridType(in.readU8());
    Color = in.readI32();
    Extras.Ctl3D = in.readBool();
    FixRowCount = in.readI32();
    FixColCount = in.readI32();
    for (int &m : Margins)
        m = in.readI32();
    BackColor = in.readI32();
    LineColor = in.readI32();
    Extras.BorderStyle = in.readU8();
    for (int &s : Spaces)
        s = in.readI32();
    ShadowColor = in.readI32();
    Extras.ResizeColOnRow = in.readI32();
    Extras.ResizeRowOnCol = in.readI32();
    if (version >= 7) {
        const qsizetype size = in.readLength();
        ByteReader options(in.take(size), size);
        Options = 0;
        for (qsizetype i = 0; i < std::min<qsizetype>(size, 4); ++i)
            Options |= uint32_t(options.readU8()) << (8 * i);
    } else {
        // Two bytes held the first sixteen options; the later ones start from a new grid's.
        Options = in.readU16() | (DefaultGridOptions.Bits() & 0xFFFF0000u);
    }
    // Blocks of earlier releases may end anywhere from here on. Unlike cell and column records,
    // the settings kept their texts and font faces UTF-16 in every version.
    try {
        ColumnTitles = LoadTextFromStream(in);
        ColumnTitleAlign = in.readU8();
        ColumnTitleFont = LoadWideFontFromStream(in);
        SortBeginRow = in.readI32();
        SortEndRow = in.readI32();
        ShowHint = in.readBool();
        Font = LoadWideFontFromStream(in);
        FooterRows = in.readI32();
        TitleRows = in.readI32();
        SortingColIndex = in.readI32();
        SortingColASC = in.readBool();
        skipTexts(in);
        DefaultRowHeight = in.readI32();
        DefaultColWidth = in.readI32();
        RTFLineSpace = in.readDouble();
        ShowGroupFooter = in.readBool();
        ShowPagesLine = in.readBool();
        AutoShowBlobField = in.readBool();
        const qsizetype picture = in.readI32();
        if (picture > 0) {
            if (picture > in.remaining())
                throw StreamFormatError("background picture claims more bytes than the stream holds");
            BackGround = in.readBytes(picture);
        }
        skipTexts(in);
        Extras.ColumnDeleted = in.readBool();
        IncludeHiddenData = in.readBool();
        Grouped = in.readBool();
        LastGroupedRow = in.readI32();
        FirstGroupedRow = in.readI32();
        CurrencySymbol = LoadTextFromStream(in);
        CurrencyCellWidth = in.readI32();
        CurrencyDigits = in.readI32();
        CurrencyDecimalSeparatorColor = in.readI32();
        CurrencyThousandSeparatorColor = in.readI32();
        TitleColor = in.readI32();
        TitleHeight = in.readI32();
        TitleWidth = in.readI32();
        CurrencySeparatorColor = in.readI32();
        TileBackGround = in.readBool();
        FocusColor = in.readI32();
        LockBackGround = in.readBool();
        HorzScrollTracking = in.readBool();
        VertScrollTracking = in.readBool();
        MoveDirEnter = in.readU8();
        TitleLineColor = in.readI32();
        UnitType = in.readU8();
        double phy[4];
        for (double &m : phy)
            m = in.readDouble();
        PhyMargins[0] = phy[0];
        PhyMargins[2] = phy[1];
        PhyMargins[1] = phy[2];
        PhyMargins[3] = phy[3];
        HasPhyMargins = true;
    } catch (const StreamFormatError &) {
        // The fields read so far stand; the rest keep their defaults.
    }
}

GridSettings GridSettings::Capture(const TCustomQorGrid &grid)
{
    const GridPrivate &d = GridPrivate::get(grid);
    GridSettings s;
    s.GridType = d.layout.gridType;
    s.Color = d.look.color;
    s.FixRowCount = d.layout.fixRowCount;
    s.FixColCount = d.layout.fixColCount;
    for (int i = 0; i < 4; ++i) {
        s.Margins[i] = d.layout.margins[i];
        s.Spaces[i] = d.layout.spaces[i];
        s.PhyMargins[i] = d.layout.phyMargins[i];
    }
    s.BackColor = d.look.backColor;
    s.LineColor = d.look.lineColor;
    s.ShadowColor = d.look.shadowColor;
    s.Options = d.options.Bits();
    s.ColumnTitles = grid.GetColumnTitles().Items().join(QStringLiteral("\r\n"));
    s.ColumnTitleAlign = d.look.columnTitleAlign;
    s.ColumnTitleFont = fontRecord(d.look.columnTitleFont);
    s.SortBeginRow = d.misc.sortBeginRow;
    s.SortEndRow = d.misc.sortEndRow;
    s.SortingColIndex = d.misc.sortingColIndex;
    s.SortingColASC = d.misc.sortingColAsc;
    s.Font = fontRecord(d.look.font);
    s.FooterRows = d.layout.footerRows;
    s.TitleRows = d.layout.titleRows;
    s.DefaultRowHeight = d.layout.defaultRowHeight;
    s.DefaultColWidth = d.layout.defaultColWidth;
    s.RTFLineSpace = d.look.rtfLineSpace;
    s.ShowGroupFooter = d.misc.showGroupFooter;
    s.Grouped = d.misc.grouped;
    s.FirstGroupedRow = d.misc.firstGroupedRow;
    s.LastGroupedRow = d.misc.lastGroupedRow;
    s.AutoShowBlobField = d.misc.autoShowBlobField;
    s.BackGround = PictureFileImage(d.look.backGround);
    s.IncludeHiddenData = d.misc.includeHiddenData;
    s.CurrencySymbol = d.misc.currencySymbol;
    s.CurrencyCellWidth = d.misc.currencyCellWidth;
    s.CurrencyDigits = d.misc.currencyDigits;
    s.CurrencyDecimalSeparatorColor = d.misc.currencyDecimalSeparatorColor;
    s.CurrencyThousandSeparatorColor = d.misc.currencyThousandSeparatorColor;
    s.TitleColor = d.look.titleColor;
    s.TitleHeight = d.layout.titleHeight;
    s.TitleWidth = d.layout.titleWidth;
    s.CurrencySeparatorColor = d.misc.currencySeparatorColor;
    s.TileBackGround = d.look.tileBackGround;
    s.FocusColor = d.look.focusColor;
    s.LockBackGround = d.look.lockBackGround;
    s.HorzScrollTracking = d.misc.horzScrollTracking;
    s.VertScrollTracking = d.misc.vertScrollTracking;
    s.MoveDirEnter = d.misc.moveDirEnter;
    s.TitleLineColor = d.look.titleLineColor;
    s.UnitType = d.layout.unitType;
    s.ShowHint = grid.GetShowHint();
    s.ShowPagesLine = d.paint.showPageLines;
    s.Extras = d.extras;
    s.HasPhyMargins = true;
    return s;
}

} // namespace qor
