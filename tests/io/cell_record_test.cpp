// Cell records: bytes of hand-built records, round trips of every attribute, records of
// earlier releases, positions without a cell object, and refused records.
#include <gtest/gtest.h>

#include <algorithm>

#include "core/grid.h"
#include "core/grid_p.h"
#include "formula/engine/exp_value.h"
#include "io/cell_record.h"
#include "io/cell_record_p.h"
#include "io/extended80.h"
#include "io/stream_version.h"
#include "io/text_record.h"
#include "message_recorder.h"
#include "record_test_support.h"

using namespace qor;
using namespace qor::recordtest;

namespace {

QByteArray recordOf(const TCellInfo &cell)
{
    ByteWriter out;
    SaveCellToStream(out, cell);
    return out.take();
}

QString load(const QByteArray &bytes, TCellInfo &cell, int version = 14, CellLoadOptions options = {})
{
    ByteReader in(bytes);
    return LoadCellFromStream(in, cell, version, options);
}

// Fields 1 to 64 of a "Cel_" record: empty texts, no items or picture, no own font of size 9,
// then a recognisable value in every field.
QByteArray earlyRecordHead()
{
    return hex("43656c5f"                                   // Cel_
               "00000000 00000000 00000000 00000000"        // Text LeftText RightText Name
               "00000000 00000000 00000000"                 // Tag Mask Items
               "00000000"                                   // no picture
               "00000000 09000000 01 08000000 00 00 00 00"  // face, size 9, charset, colour, styles
               "01 01 00 ff000000 01000000 01000000"        // ReadOnly, right, top, BackColor 255, 1 x 1
               "00 01 00 00 00 00000000 00"                 // FixCell WordWrap AutoHeight type horz bias checked
               "01 01 01 01 03 04000000 00 2a 05000000 01"  // lines, vtFloat, 4 digits, '*', 5, direct
               "00 00 00 00 00 00 00 00"                    // frames, tile, stretch, fine, vertical
               "01000000 01000000 01000000 01000000"        // frame widths
               "00000000 00000000 00000000 00000000"        // frame colours
               "00 00 00 00 00 01000000 00 00000000");      // frame styles, bias, transparent colour
}

} // namespace

TEST(CellRecord, RecordOfAnEarlierReleaseLeavesTheLaterAttributesAlone)
{
    auto grid = makeGrid();
    TCellInfo *cell = grid->Cells(1, 1);
    cell->SetTransparent(true);
    cell->SetTextLMargin(11);
    cell->SetHint("kept");
    cell->SetDropDownCount(3);
    EXPECT_EQ(load(earlyRecordHead(), *cell), QString());
    EXPECT_TRUE(cell->GetReadOnly());
    EXPECT_EQ(cell->GetAlignment(), taRightJustify);
    EXPECT_EQ(cell->GetVerAlignment(), vtaTop);
    EXPECT_EQ(cell->GetBackColor(), 255);
    EXPECT_TRUE(cell->GetWordWrap());
    EXPECT_EQ(cell->GetValueType(), vtFloat);
    EXPECT_EQ(cell->GetDigits(), 4);
    EXPECT_EQ(cell->GetPasswordChar(), QChar('*'));
    EXPECT_EQ(cell->GetMaxLength(), 5);
    EXPECT_EQ(cell->PeekFont(), nullptr);
    EXPECT_TRUE(cell->GetTransparent());
    EXPECT_EQ(cell->GetTextLMargin(), 11);
    EXPECT_EQ(cell->GetHint(), QString("kept"));
    EXPECT_EQ(cell->GetDropDownCount(), 3);

    // One more complete field is taken; a field cut in the middle is not.
    EXPECT_EQ(load(earlyRecordHead() + hex("00 2c010000 1e00"), *cell), QString());
    EXPECT_FALSE(cell->GetTransparent());
    EXPECT_EQ(grid->GetColWidth(1), 60);
}

TEST(CellRecord, CellWithoutOwnFontWritesEmptyFaceAndGridSize)
{
    auto grid = makeGrid();
    TQorFont font = grid->GetFont();
    font.Font.setPointSize(13);
    grid->SetFont(font);
    TCellInfo *cell = grid->Cells(0, 0);
    cell->SetText("abc");
    const QByteArray bytes = recordOf(*cell);
    EXPECT_EQ(bytes.left(14), hex("43656c5f 06000000 610062006300"));
    // Texts 3 to 8 empty, no picture, empty face, then the grid font's size.
    EXPECT_EQ(bytes.mid(14, 36), hex("00000000").repeated(8) + hex("0d000000"));

    auto other = makeGrid();
    other->SetFont(font);
    TCellInfo *target = other->Cells(0, 0);
    load(bytes, *target);
    EXPECT_EQ(target->PeekFont(), nullptr);
    EXPECT_EQ(target->GetText(), QString("abc"));
    EXPECT_EQ(target->GetRec(), nullptr) << "a Cel_ record of default values gives no record";
    EXPECT_EQ(recordOf(*target), bytes);
}

TEST(CellRecord, EveryAttributeSurvivesSaveAndLoad)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        auto source = makeGrid();
        auto target = makeGrid();
        Random r(seed);
        TCellInfo *cell = source->Cells(2, 3);
        randomizeCell(*cell, r);
        const QStringList before = cellSnapshot(*cell);
        const QByteArray bytes = recordOf(*cell);
        ASSERT_TRUE(bytes.startsWith("Cell"));

        TCellInfo *copy = target->Cells(2, 3);
        EXPECT_EQ(load(bytes, *copy), QString());
        const QStringList after = cellSnapshot(*copy);
        for (int i = 0; i < before.size(); ++i)
            EXPECT_EQ(after.value(i), before[i]) << "seed " << seed;
        EXPECT_EQ(recordOf(*copy), bytes) << "seed " << seed;
    }
}

TEST(CellRecord, SizesAreAppliedOnlyWhenAskedAndPhysicallyInAPhysicalUnit)
{
    auto source = makeGrid();
    source->SetColWidth(2, 111);
    source->SetRowHeight(1, 44);
    const QByteArray bytes = recordOf(*source->Cells(1, 2));

    auto target = makeGrid();
    load(bytes, *target->Cells(1, 2));
    EXPECT_EQ(target->GetColWidth(2), 60);
    EXPECT_EQ(target->GetRowHeight(1), 18);
    load(bytes, *target->Cells(1, 2), 14, CellLoadOptions{true, false});
    EXPECT_EQ(target->GetColWidth(2), 111);
    EXPECT_EQ(target->GetRowHeight(1), 44);

    source->SetUnitType(utMillimeter);
    source->SetColWidth(2, 96);
    target->SetUnitType(utMillimeter);
    load(recordOf(*source->Cells(0, 2)), *target->Cells(0, 2), 14, CellLoadOptions{true, true});
    EXPECT_EQ(target->GetColWidth(2), 96);
    EXPECT_NEAR(target->Columns(2)->GetPhyWidth(), 25.4, 1e-9);
}

// After a record of an earlier release the bulk reader applies the stored pixel sizes again,
// over the physical ones.
TEST(CellRecord, BulkReaderTakesThePixelSizesOfARecordThatEndsEarly)
{
    CellRecord rec;
    rec.colWidth = 111;
    rec.rowHeight = 44;
    rec.phyColWidth = rec.phyRowHeight = 25.4;
    ByteWriter out;
    WriteCellRecord(out, rec);
    const QByteArray bytes = out.take();

    auto grid = makeGrid();
    grid->SetUnitType(utMillimeter);
    load(bytes, *grid->Cells(0, 0), 14, CellLoadOptions{true, true});
    EXPECT_EQ(grid->GetColWidth(0), 96);
    EXPECT_EQ(grid->GetRowHeight(0), 96);
    load(bytes.chopped(1), *grid->Cells(1, 1), 14, CellLoadOptions{true, true});
    EXPECT_EQ(grid->GetColWidth(1), 111);
    EXPECT_EQ(grid->GetRowHeight(1), 44);
}

TEST(CellRecord, CopyTextTakesOnlyTheThreeTexts)
{
    auto source = makeGrid();
    Random r(7);
    TCellInfo *cell = source->Cells(1, 1);
    randomizeCell(*cell, r);
    cell->SetText("only this");
    auto target = makeGrid();
    TCellInfo *copy = target->Cells(1, 1);
    copy->SetBackColor(77);
    const QByteArray bytes = recordOf(*cell);
    ByteReader in(bytes);
    CopyTextFromStream(in, *copy, 14);
    EXPECT_EQ(copy->GetText(), QString("only this"));
    EXPECT_EQ(copy->GetBackColor(), 77);
    EXPECT_EQ(copy->GetName(), QString());
    EXPECT_EQ(copy->PeekFont(), nullptr);
}

TEST(CellRecord, PositionWithoutCellWritesColumnDefaultsAndComputedText)
{
    auto grid = makeGrid();
    grid->Columns(3)->SetMask("999");
    grid->Columns(3)->SetBackColor(0x123456);
    grid->OnGetText = [](QObject *, int row, int col, QString &text) { text = QString("r%1c%2").arg(row).arg(col); };
    ByteWriter out;
    SaveCellToStream(out, *grid, 4, 3);
    EXPECT_FALSE(grid->PeekCell(4, 3));
    const QByteArray bytes = out.take();
    ASSERT_TRUE(bytes.startsWith("Cell"));

    auto target = makeGrid();
    TCellInfo *cell = target->Cells(4, 3);
    load(bytes, *cell);
    EXPECT_EQ(cell->GetText(), QString("r4c3"));
    EXPECT_EQ(cell->GetMask(), QString("999"));
    EXPECT_EQ(cell->GetBackColor(), 0x123456);
    EXPECT_EQ(cell->PeekFont(), nullptr);
}

// Variants of an early head: 8-bit texts before version 9, the old default face, a foreign tag.
TEST(CellRecord, EarlyTextsFacesAndUnknownTags)
{
    QByteArray text = earlyRecordHead();
    text.replace(4, 4, hex("02000000 6162"));
    auto grid = makeGrid();
    load(text, *grid->Cells(0, 0), 8);
    EXPECT_EQ(grid->Cells(0, 0)->GetText(), QString("ab"));

    // An 8-bit face of 13 bytes in place of the empty one at offset 36.
    QByteArray face = earlyRecordHead();
    face.replace(36, 4, hex("0d000000") + "MS Sans Serif");
    load(face, *grid->Cells(1, 0), 5);
    ASSERT_NE(grid->Cells(1, 0)->PeekFont(), nullptr);
    EXPECT_EQ(grid->Cells(1, 0)->PeekFont()->Font.family(), QString("Arial"));
    EXPECT_EQ(grid->Cells(1, 0)->PeekFont()->Font.pointSize(), 9);
    load(face, *grid->Cells(1, 1), 6);
    EXPECT_EQ(grid->Cells(1, 1)->PeekFont()->Font.family(), QString("MS Sans Serif"));

    QByteArray unknown = earlyRecordHead();
    unknown.replace(0, 4, "Cexx");
    EXPECT_EQ(load(unknown, *grid->Cells(0, 0)), QString());
    EXPECT_EQ(grid->Cells(0, 0)->GetText(), QString("ab"));
}

TEST(CellRecord, LyingOrCutRecordsAreRefusedAndTheCellKept)
{
    auto source = makeGrid();
    Random r(3);
    randomizeCell(*source->Cells(1, 1), r);
    const QByteArray good = recordOf(*source->Cells(1, 1));

    auto grid = makeGrid();
    TCellInfo *cell = grid->Cells(1, 1);
    cell->SetText("before");
    cell->SetBackColor(99);
    const QStringList before = cellSnapshot(*cell);

    // Offsets in the head: picture length 32, ReadOnly 53, Alignment 54, merge rows 60.
    QByteArray picture = earlyRecordHead();
    picture.replace(32, 4, hex("ffffff7f"));
    QByteArray alignment = earlyRecordHead();
    alignment[54] = char(9);
    QByteArray extent = earlyRecordHead();
    extent.replace(60, 4, hex("00000000"));
    for (const QByteArray &bad : {good.left(40), good.left(120), earlyRecordHead().chopped(1), picture, alignment, extent}) {
        EXPECT_THROW(load(bad, *cell), StreamFormatError);
        EXPECT_EQ(cellSnapshot(*cell), before);
    }
    EXPECT_FALSE(cell->LoadFromStream(good.left(60), false));
    EXPECT_EQ(cellSnapshot(*cell), before);
}

// A value no writer makes refuses the record in its tolerant part too, where a record may end
// early: there the record is read as far as it goes, and only that far checked.
TEST(CellRecord, TailValuesNoWriterMakesAreRefusedWhereTheRecordHasThem)
{
    CellRecord bad;
    bad.style.BrushStyle = bsDiagCross + 1; // field 86
    ByteWriter badOut, fineOut;
    WriteCellRecord(badOut, bad);
    WriteCellRecord(fineOut, CellRecord());
    const QByteArray bytes = badOut.take(), fine = fineOut.take();
    // The one byte in which the two records differ is the brush style's.
    const qsizetype at = std::mismatch(bytes.begin(), bytes.end(), fine.begin()).first - bytes.begin();
    const QByteArray withBrush = bytes.left(at + 1), withoutBrush = bytes.left(at);

    CellRecord r;
    ByteReader whole(withBrush);
    try {
        ReadCellRecord(whole, r, 14);
        ADD_FAILURE() << "not refused";
    } catch (const StreamFormatError &e) {
        EXPECT_STREQ(e.what(), "cell record: brush style out of range");
    }
    ByteReader cut(withoutBrush);
    ASSERT_TRUE(ReadCellRecord(cut, r, 14));
    EXPECT_EQ(r.lastField, 85);
    EXPECT_TRUE(r.style.has(StyleAttr::Increment));
    EXPECT_FALSE(r.style.has(StyleAttr::BrushStyle)) << "an attribute the record does not reach is not applied";
}

// The column's tag is in the column record, not in each position of the column.
TEST(CellRecord, PositionWithoutCellStoresNoTag)
{
    auto grid = makeGrid();
    grid->Columns(2)->SetTag("column");
    grid->OnGetText = [](QObject *, int, int, QString &text) { text = "x"; };
    ByteWriter out;
    SaveCellToStream(out, *grid, 1, 2);
    const QString tag("column");
    EXPECT_FALSE(out.take().contains(QByteArray(reinterpret_cast<const char *>(tag.utf16()), tag.size() * 2)));
}

TEST(CellRecord, NamesTakenByAnotherCellMoveSilently)
{
    auto grid = makeGrid();
    grid->Cells(0, 0)->SetName("TOTAL");
    auto source = makeGrid();
    source->Cells(0, 0)->SetName("TOTAL");
    test::MessageRecorder boxes;
    load(recordOf(*source->Cells(0, 0)), *grid->Cells(5, 5));
    EXPECT_EQ(boxes.count(), 0);
    EXPECT_EQ(grid->Cells(5, 5)->GetName(), QString("TOTAL"));
    EXPECT_FALSE(grid->GetLoading());
}

TEST(CellRecord, MergeExtentStopsAtTheGridEdge)
{
    auto source = makeGrid(10, 10);
    source->Cells(0, 0)->SetRows(8);
    source->Cells(0, 0)->SetCols(9);
    auto target = makeGrid(4, 4);
    load(recordOf(*source->Cells(0, 0)), *target->Cells(2, 1));
    EXPECT_EQ(target->Cells(2, 1)->GetRows(), 2);
    EXPECT_EQ(target->Cells(2, 1)->GetCols(), 3);
}

TEST(StreamVersion, ScopeRestoresTheVersionAlsoOnFailure)
{
    EXPECT_EQ(GetCurrentStreamVersion(), 14);
    try {
        StreamVersionScope outer(8);
        {
            StreamVersionScope inner(11);
            EXPECT_EQ(GetCurrentStreamVersion(), 11);
        }
        EXPECT_EQ(GetCurrentStreamVersion(), 8);
        throw StreamFormatError("x");
    } catch (const StreamFormatError &) {
    }
    EXPECT_EQ(GetCurrentStreamVersion(), 14);
}

TEST(CellRecord, FormulaResultIsStoredAsExtended)
{
    auto grid = makeGrid();
    TCellInfo *cell = grid->Cells(0, 0);
    cell->SetText("=2*21");
    cell->EvaluateFormula();
    ASSERT_EQ(cell->GetFormulaValue().AsDouble(), 42.0);
    const Extended80 e = DoubleToExtended(42.0);
    EXPECT_TRUE(recordOf(*cell).contains(QByteArray(reinterpret_cast<const char *>(e.data()), 10)));
}
