// Streams of earlier releases, built byte by byte, read the way those releases meant them.
#include "grid_stream_helpers.h"

#include "core/model/column.h"
#include "io/cell_record.h"
#include "io/stream_envelope.h"

namespace qor::test {

namespace {

// The grid settings' texts are text records (UTF-16) in every version; only cell and column
// records held 8-bit texts before version 9.
void text(ByteWriter &w, const QString &s)
{
    w.writeI32(int32_t(s.size() * 2));
    for (QChar c : s)
        w.writeU16(c.unicode());
}

void wideFont(ByteWriter &w, const QString &face, int size)
{
    text(w, face);
    w.writeI32(size);
    w.writeU8(1);       // charset
    w.writeI32(0);      // colour
    w.writeBytes("\1\0\0\0", 4); // bold only
}

struct OldSettings {
    uint32_t options = 0;
    TColor focusColor = 13284009;
    QString currency = "$";
    QString titles = "A\r\nB";
    QString face = "MS Sans Serif";
    int margins = 25;
    double phyMargin = 12.5;
    int defaultRowHeight = 20;
};

QByteArray settings(int version, const OldSettings &s)
{
    ByteWriter w;
    w.writeU8(gtInvoice);
    w.writeI32(0x00EEEEEE);                // Color
    w.writeU8(1);                          // Ctl3D
    w.writeI32(0);                         // FixRowCount
    w.writeI32(0);                         // FixColCount
    for (int i = 0; i < 4; ++i)
        w.writeI32(s.margins + i);         // margins
    w.writeI32(0x00123456);                // BackColor
    w.writeI32(0x00C0C0C0);                // LineColor
    w.writeU8(1);                          // BorderStyle
    for (int i = 0; i < 4; ++i)
        w.writeI32(10);                    // spaces
    w.writeI32(0);                         // ShadowColor
    w.writeI32(0);                         // ResizeColOnRow
    w.writeI32(0);                         // ResizeRowOnCol
    if (version >= 7) {
        w.writeI32(4);
        w.writeU32(s.options);
    } else {
        w.writeU16(uint16_t(s.options));
    }
    text(w, s.titles);                     // column titles
    w.writeU8(taCenter);
    wideFont(w, s.face, 9);
    w.writeI32(1);                         // SortBeginRow
    w.writeI32(-1);                        // SortEndRow
    w.writeU8(1);                          // ShowHint
    wideFont(w, s.face, 10);
    w.writeI32(0);                         // FooterRows
    w.writeI32(1);                         // TitleRows
    w.writeI32(-1);                        // SortingColIndex
    w.writeU8(1);                          // SortingColASC
    text(w, "");
    text(w, "");
    w.writeU8(0);
    w.writeI32(s.defaultRowHeight);
    w.writeI32(60);                        // DefaultColWidth
    w.writeDouble(0);                      // RTFLineSpace
    w.writeU8(1);                          // ShowGroupFooter
    w.writeU8(0);                          // ShowPagesLine
    w.writeU8(0);                          // AutoShowBlobField
    w.writeI32(0);                         // no background
    text(w, "");
    text(w, "");
    w.writeU8(0);
    w.writeU8(0);                          // column deleted
    w.writeU8(0);                          // IncludeHiddenData
    w.writeU8(0);                          // grouped
    w.writeI32(-1);
    w.writeI32(-1);
    text(w, s.currency);
    w.writeI32(12);
    w.writeI32(2);
    w.writeI32(0xFF);
    w.writeI32(0x8000);
    w.writeI32(0x00ABCDEF);                // TitleColor
    w.writeI32(20);
    w.writeI32(40);
    w.writeI32(0xC0C0C0);
    w.writeU8(0);                          // TileBackGround
    w.writeI32(s.focusColor);
    w.writeU8(1);                          // LockBackGround
    w.writeU8(0);
    w.writeU8(0);
    w.writeU8(mdRight);
    w.writeI32(0x808080);
    w.writeU8(utMillimeter);
    for (int i = 0; i < 4; ++i)
        w.writeDouble(s.phyMargin);
    return w.take();
}

// Sizes of releases before version 5: Height, (Bottom), Saved, Visible, padding.
void sizeRecord(ByteWriter &w, int size, int saved, bool visible)
{
    w.writeI32(size);
    w.writeI32(0);
    w.writeI32(saved);
    w.writeU8(visible);
    w.writeBytes("\0\0\0", 3);
}

void taggedRow(ByteWriter &w, int index, int bytes, int height, bool visible, int group2)
{
    w.writeI32(index);
    w.writeTag("RowD");
    sizeRecord(w, visible ? height : 0, height, visible);
    if (bytes >= 36) {
        w.writeI32(0);
        w.writeI32(group2);
        w.writeI32(1);
        w.writeU32(1);
        w.writeI32(0);
    }
    if (bytes >= 56) {
        w.writeI32(0);
        w.writeDouble(7.5);
        w.writeDouble(7.5);
    }
}

// A column record of a kind this reader does not know: skipped, the column keeps its state.
void foreignColumn(ByteWriter &w)
{
    w.writeI32(4);
    w.writeTag("XCol");
}

void cellRecord(ByteWriter &w, int index, const QString &content)
{
    TQorGrid source;
    TCellInfo *cell = source.Cells(0, 0);
    cell->SetText(content);
    cell->SetBackColor(0x0000FF);
    ByteWriter record;
    SaveCellToStream(record, *cell);
    w.writeI32(index);
    w.writeI32(int32_t(record.size()));
    w.writeBytes(record.bytes());
}

// The header of a release's stream around its properties block.
ByteWriter versioned(int version, const ByteWriter &block)
{
    ByteWriter w;
    w.writeI32(version);
    w.writeTag("QGRD");
    w.writeI32(int32_t(block.size()));
    w.writeBytes(block.bytes());
    return w;
}

TQorGrid *load(TQorGrid &grid, const QByteArray &bytes)
{
    EXPECT_TRUE(LoadGridFromBytes(grid, bytes));
    return &grid;
}

} // namespace

TEST(GridStreamVersions, Version3HasNoBlockLengthAndSizeOnlyRowsAndColumns)
{
    ByteWriter w;
    w.writeI32(3);
    w.writeTag("QGRD");
    w.writeI32(2);
    w.writeI32(2);
    sizeRecord(w, 30, 30, true);
    sizeRecord(w, 0, 25, false);
    sizeRecord(w, 80, 80, true);
    sizeRecord(w, 0, 50, false);
    w.writeBytes(settings(3, {}));
    TQorGrid grid;
    load(grid, w.bytes()); // no trailer, first word 3: plain
    EXPECT_EQ(grid.GetRows(), 2);
    EXPECT_EQ(grid.GetRowRec(0).Height, 30);
    EXPECT_EQ(grid.GetRowRec(0).Bottom, 30);
    EXPECT_FALSE(grid.GetRowVisible(1));
    EXPECT_EQ(grid.GetRowHeight(1), 25);
    EXPECT_EQ(grid.GetColWidth(0), 80);
    EXPECT_EQ(grid.GetColWidth(1), 50);
    EXPECT_FALSE(grid.Columns(1)->GetVisible());
    // Options of that time: the first sixteen only, the later ones switched on.
    for (TQorGridOption o : {qgoAutoCalFormula, qgoAutoSelectRow, qgoAutoSelectCol, qgoShowHintSymbol,
                             qgoShowSizeInfo, qgoAutoNextRowCol})
        EXPECT_TRUE(grid.HasOption(o)) << int(o);
    EXPECT_FALSE(grid.HasOption(qgoShadow));
    EXPECT_EQ(grid.GetFont().Font.family(), QString("Arial"));
    EXPECT_EQ(grid.GetFocusColor(), clHighlight);
    EXPECT_EQ(grid.GetCurrencySymbol(), QString("$"));
    EXPECT_EQ(grid.GetTitleRows(), 1);
    // Physical margins of that time follow the pixel margins.
    EXPECT_EQ(grid.GetLeftMargin(), 25);
    EXPECT_NEAR(grid.GetPhyLeftMargin(), 25 * 25.4 / 96, 1e-9);
}

TEST(GridStreamVersions, Version4ResetsColumnsAfterTheSettings)
{
    ByteWriter block;
    block.writeI32(1);
    block.writeI32(2);
    sizeRecord(block, 40, 40, true);
    sizeRecord(block, 70, 70, true);
    sizeRecord(block, 90, 90, true);
    block.writeBytes(settings(4, {}));
    ByteWriter w = versioned(4, block);
    TQorGrid grid;
    grid.Columns(0)->SetAlignment(taRightJustify);
    load(grid, w.bytes());
    EXPECT_EQ(grid.GetRowHeight(0), 40);
    EXPECT_EQ(grid.GetColWidth(1), 90);
    EXPECT_EQ(grid.Columns(0)->GetAlignment(), taLeftJustify);
    EXPECT_EQ(grid.Columns(0)->GetBackColor(), TColor(0x00EEEEEE)) << "defaults follow the grid's Color";
}

TEST(GridStreamVersions, Version5TagsSixteenByteRowRecords)
{
    ByteWriter block;
    block.writeI32(3);
    block.writeI32(1);
    taggedRow(block, 2, 16, 33, true, 0);
    foreignColumn(block);
    block.writeBytes(settings(5, {}));
    ByteWriter w = versioned(5, block);
    TQorGrid grid;
    load(grid, WrapStreamBody(w.bytes(), false));
    EXPECT_EQ(grid.GetRowHeight(0), 20) << "unstored rows take the stored default height";
    EXPECT_EQ(grid.GetRowHeight(2), 33);
    EXPECT_EQ(grid.GetRowRec(2).Bottom, 20 + 20 + 33);
}

TEST(GridStreamVersions, Version8ReadsWideSettingsTextsAndThirtySixByteRows)
{
    ByteWriter block;
    block.writeI32(2);
    block.writeI32(2);
    taggedRow(block, 1, 36, 0, false, 2);
    foreignColumn(block);
    foreignColumn(block);
    OldSettings s;
    s.currency = QString::fromUtf8("¥");
    s.titles = QString::fromUtf8("金额\r\n数量");
    s.face = QString::fromUtf8("宋体");
    s.options = TQorGridOptions{qgoEditing}.Bits();
    block.writeBytes(settings(8, s));
    ByteWriter w = versioned(8, block);
    TQorGrid grid;
    load(grid, w.bytes()); // bare, first word 8: plain
    // The settings' texts and font faces are UTF-16 even in this version.
    EXPECT_EQ(grid.GetCurrencySymbol(), QString::fromUtf8("¥"));
    EXPECT_EQ(grid.Columns(1)->Title().GetCaption(), QString::fromUtf8("数量"));
    EXPECT_EQ(grid.GetFont().Font.family(), QString::fromUtf8("宋体"));
    EXPECT_EQ(grid.GetRowRec(1).Group2, 2);
    EXPECT_EQ(grid.GetRowState(1), 1u);
    EXPECT_FALSE(grid.GetRowVisible(1));
    EXPECT_TRUE(grid.HasOption(qgoEditing));
    EXPECT_FALSE(grid.HasOption(qgoAutoCalFormula)) << "on from version 8 only when stored";
    EXPECT_TRUE(grid.HasOption(qgoAutoSelectRow));
}

TEST(GridStreamVersions, Version11ComputesPhysicalMarginsAndReadsCells)
{
    ByteWriter block;
    block.writeI32(2);
    block.writeI32(2);
    foreignColumn(block);
    foreignColumn(block);
    block.writeBytes(settings(11, {}));
    ByteWriter w = versioned(11, block);
    cellRecord(w, 3, QString::fromUtf8("旧版"));
    w.writeI32(0);
    w.writeI32(8);
    w.writeBytes("ZZZZ1234", 8); // a record of an unknown kind is skipped
    TQorGrid grid;
    load(grid, WrapStreamBody(w.bytes(), true));
    EXPECT_EQ(grid.GetCellText(1, 1), QString::fromUtf8("旧版"));
    EXPECT_EQ(grid.GetCellBackColor(1, 1), TColor(0x0000FF));
    EXPECT_EQ(grid.GetUnitType(), utMillimeter);
    EXPECT_NEAR(grid.GetPhyTopMargin(), 26 * 25.4 / 96, 1e-9) << "not the stored 12.5";
    EXPECT_TRUE(grid.HasOption(qgoShowSizeInfo));
    EXPECT_FALSE(grid.HasOption(qgoShowHintSymbol));
}

TEST(GridStreamVersions, Version13KeepsOptionsButReplacesTheOldFocusColour)
{
    ByteWriter block;
    block.writeI32(1);
    block.writeI32(1);
    taggedRow(block, 0, 56, 28, true, 0);
    foreignColumn(block);
    block.writeBytes(settings(13, {}));
    ByteWriter w = versioned(13, block);
    // Compressed without trailer: the first word is the body's length.
    ByteWriter bare;
    bare.writeI32(int32_t(w.size()));
    bare.writeBytes(ZlibCompress(w.bytes()));
    ASSERT_GT(w.size(), 10);
    TQorGrid grid;
    load(grid, bare.bytes());
    EXPECT_EQ(grid.GetOptions(), TQorGridOptions());
    EXPECT_EQ(grid.GetFocusColor(), clHighlight);
    EXPECT_EQ(grid.GetRowHeight(0), 28);
    EXPECT_DOUBLE_EQ(grid.GetRowRec(0).PhyHeight, 7.5) << "stored physical heights are kept";
    EXPECT_DOUBLE_EQ(grid.GetPhyLeftMargin(), 12.5);
    EXPECT_EQ(grid.GetLeftMargin(), UnitToPixels(12.5, utMillimeter));

    // The current version keeps the same colour as stored.
    TQorGrid current, loaded;
    current.SetFocusColor(13284009);
    load(loaded, SaveGridToBytes(current, false, true));
    EXPECT_EQ(loaded.GetFocusColor(), TColor(13284009));
}

} // namespace qor::test
