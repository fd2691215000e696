// Column records: bytes, round trips of every attribute, records of earlier releases.
#include <gtest/gtest.h>

#include <QtEndian>

#include "core/grid.h"
#include "core/grid_p.h"
#include "io/column_record.h"
#include "io/font_record.h"
#include "io/text_record.h"
#include "message_recorder.h"
#include "record_test_support.h"

using namespace qor;
using namespace qor::recordtest;

namespace {

QByteArray recordOf(const TQorColumn &column)
{
    ByteWriter out;
    SaveColumnToStream(out, column);
    return out.take();
}

void load(const QByteArray &bytes, TQorColumn &column, int version = 14)
{
    ByteReader in(bytes);
    LoadColumnFromStream(in, column, version);
    EXPECT_TRUE(in.atEnd());
}

void randomizeColumn(TQorColumn &c, Random &r)
{
    randomizeStyle(c, r);
    TQorColumnTitle &title = c.Title();
    title.SetCaption(r.text());
    title.SetAlignment(TAlignment(r.between(0, 2)));
    title.SetColor(r.any());
    TQorFont font = title.GetFont();
    font.Font.setFamily(r.flip() ? "Arial" : "Courier");
    font.Font.setPointSize(r.between(6, 30));
    font.Font.setBold(r.flip());
    font.Font.setStrikeOut(r.flip());
    font.Color = r.any();
    font.Charset = uint8_t(r.between(0, 255));
    title.SetFont(font);
    c.SetName(r.text());
    c.SetFieldName(r.text());
    c.SetFormulaType(TFormulaType(r.between(0, 5)));
    c.Items().SetText(r.text() + "\r\n\r\n" + r.text());
    const QByteArray picture = imageBytes(QColor(r.between(0, 255), 0, 0), "BMP");
    c.SetGraphic(TQorPicture{picture, QImage::fromData(picture, "BMP")});
    TColumnDataState &ds = c.DataState();
    ds.FilterType = TFilterType(r.between(0, 4));
    ds.Condition1 = TFilterCondition(r.between(0, 12));
    ds.Value1 = r.text();
    ds.AndCombined = r.flip();
    ds.Condition2 = TFilterCondition(r.between(0, 12));
    ds.Value2 = r.text();
    ds.Numeric = r.flip();
    ds.Top10First = r.flip();
    ds.Top10Count = r.any();
    ds.Top10Second = r.flip();
    ds.Grouped = r.flip();
    ds.GroupAscending = r.flip();
    c.SetWidth(r.between(1, 300));
    if (r.flip())
        GridPrivate::get(*c.GetGrid()).colAxis.SetVisible(c.GetIndex(), false);
}

QStringList columnSnapshot(const TQorColumn &c)
{
    QStringList s = styleSnapshot(c);
    const TQorColumnTitle &t = c.Title();
    const QFont &f = t.GetFont().Font;
    s << QString("Title=%1,%2,%3,%4,%5,%6%7%8%9,%10,%11")
             .arg(t.GetCaption())
             .arg(int(t.GetAlignment()))
             .arg(t.GetColor())
             .arg(f.family())
             .arg(f.pointSize())
             .arg(f.bold())
             .arg(f.italic())
             .arg(f.underline())
             .arg(f.strikeOut())
             .arg(t.GetFont().Color)
             .arg(t.GetFont().Charset);
    s << "Name=" + c.GetName() << "FieldName=" + c.GetFieldName() << "Formula=" + show(int(c.GetFormulaType()));
    s << "Items=" + c.GetItems().Items().join('|');
    s << "Picture=" + QString::fromLatin1(c.GetGraphic().Data.toHex()) << "Image=" + show(c.GetGraphic().Image.width());
    s << QString("Size=%1,%2,%3").arg(c.GetWidth()).arg(c.GetVisible()).arg(c.GetPhyWidth(), 0, 'g', 17);
    const TColumnDataState &ds = c.DataState();
    s << QString("Filter=%1,%2,%3,%4,%5,%6,%7,%8,%9,%10,%11,%12")
             .arg(int(ds.FilterType))
             .arg(int(ds.Condition1))
             .arg(ds.Value1)
             .arg(ds.AndCombined)
             .arg(int(ds.Condition2))
             .arg(ds.Value2)
             .arg(ds.Numeric)
             .arg(ds.Top10First)
             .arg(ds.Top10Count)
             .arg(ds.Top10Second)
             .arg(ds.Grouped)
             .arg(ds.GroupAscending);
    return s;
}

} // namespace

TEST(ColumnRecord, EveryAttributeSurvivesSaveAndLoad)
{
    for (unsigned seed = 1; seed <= 30; ++seed) {
        auto source = makeGrid();
        auto target = makeGrid();
        Random r(seed);
        TQorColumn &column = *source->Columns(2);
        randomizeColumn(column, r);
        const QByteArray bytes = recordOf(column);
        TQorColumn &copy = *target->Columns(2);
        load(bytes, copy);
        const QStringList before = columnSnapshot(column);
        const QStringList after = columnSnapshot(copy);
        for (int i = 0; i < before.size(); ++i)
            EXPECT_EQ(after.value(i), before[i]) << "seed " << seed;
        EXPECT_EQ(recordOf(copy), bytes) << "seed " << seed;
    }
}

TEST(ColumnRecord, LengthTagAndCursorBytes)
{
    auto grid = makeGrid();
    TQorColumn &column = *grid->Columns(0);
    const QByteArray plain = recordOf(column);
    EXPECT_EQ(plain.mid(4, 4), QByteArray("_Col"));
    EXPECT_EQ(qFromLittleEndian<int32_t>(plain.constData()), plain.size() - 4);

    column.SetCursor(-21);
    const QByteArray withCursor = recordOf(column);
    ASSERT_EQ(withCursor.size(), plain.size());
    qsizetype at = 0;
    while (at < plain.size() && plain[at] == withCursor[at])
        ++at;
    EXPECT_EQ(withCursor.mid(at, 4), hex("ebff0000"));
    EXPECT_EQ(withCursor.mid(at + 4), plain.mid(at + 4));

    // The high half of the field is not part of the cursor.
    QByteArray noisy = withCursor;
    noisy[at + 2] = char(0x7f);
    auto other = makeGrid();
    load(noisy, *other->Columns(0));
    EXPECT_EQ(other->Columns(0)->GetCursor(), -21);
}

// A record of an earlier release: the old tag, and everything after the top-10 flags.
TEST(ColumnRecord, OldTagRecordKeepsItsTagAsNumber)
{
    auto source = makeGrid();
    TQorColumn &column = *source->Columns(1);
    column.SetFieldName("AMOUNT");
    column.SetTag("placeholder");
    column.SetHint("h");
    QByteArray body = recordOf(column).mid(4);
    body.replace(0, 4, "QCol");
    // Swap the Tag text ("placeholder", 22 bytes) for the integer 1234.
    ByteWriter tag;
    SaveTextToStream(tag, "placeholder");
    const qsizetype at = body.indexOf(tag.bytes());
    ASSERT_GT(at, 0);
    body.replace(at, tag.size(), hex("d2040000"));
    ByteWriter out;
    out.writeI32(int32_t(body.size()));
    out.writeBytes(body);

    auto target = makeGrid();
    load(out.bytes(), *target->Columns(1));
    EXPECT_EQ(target->Columns(1)->GetTag(), QString("1234"));
    EXPECT_EQ(target->Columns(1)->GetFieldName(), QString("AMOUNT"));
    EXPECT_EQ(target->Columns(1)->GetHint(), QString("h"));
}

TEST(ColumnRecord, RecordEndingAfterTheSizesKeepsTheRest)
{
    auto source = makeGrid();
    source->Columns(0)->SetWidth(120);
    source->Columns(0)->SetReadOnly(true);
    const QByteArray full = recordOf(*source->Columns(0));
    // The five fields after the sizes: filter type, condition, empty value, flag, condition.
    const qsizetype tail = full.indexOf(hex("00000000 00000000 00000000 01 00000000"));
    ASSERT_GT(tail, 0);
    QByteArray body = full.mid(4, tail - 4);
    ByteWriter out;
    out.writeI32(int32_t(body.size()));
    out.writeBytes(body);

    auto target = makeGrid();
    TQorColumn &column = *target->Columns(0);
    column.SetFieldName("kept");
    column.SetTag("tag");
    column.DataState().FilterType = ftBlanks;
    load(out.bytes(), column);
    EXPECT_EQ(column.GetWidth(), 120);
    EXPECT_TRUE(column.GetReadOnly());
    EXPECT_EQ(column.GetFieldName(), QString("kept"));
    EXPECT_EQ(column.GetTag(), QString("tag"));
    EXPECT_EQ(column.DataState().FilterType, ftBlanks);
}

TEST(ColumnRecord, CaptionOfVersionEightIsEightBitAndOldFaceBecomesArial)
{
    auto source = makeGrid();
    TQorFont font = source->Columns(0)->Title().GetFont();
    font.Font.setFamily("MS Sans Serif");
    source->Columns(0)->Title().SetFont(font);
    QByteArray bytes = recordOf(*source->Columns(0));
    // Caption after tag and alignment: an empty text becomes the 8-bit "Qty".
    ASSERT_EQ(bytes.mid(9, 4), hex("00000000"));
    bytes.replace(9, 4, hex("03000000") + "Qty");
    bytes.replace(0, 4, QByteArray::fromRawData(reinterpret_cast<const char *>("\0\0\0\0"), 4));
    qToLittleEndian<int32_t>(int32_t(bytes.size() - 4), bytes.data());

    auto target = makeGrid();
    ByteReader in(bytes);
    LoadColumnFromStream(in, *target->Columns(0), 8);
    EXPECT_EQ(target->Columns(0)->Title().GetCaption(), QString("Qty"));
    EXPECT_EQ(target->Columns(0)->Title().GetFont().Font.family(), QString("Arial"));
}

TEST(ColumnRecord, LyingRecordsAreRefusedAndUnknownTagsIgnored)
{
    auto source = makeGrid();
    Random r(5);
    randomizeColumn(*source->Columns(0), r);
    const QByteArray good = recordOf(*source->Columns(0));

    auto target = makeGrid();
    TQorColumn &column = *target->Columns(0);
    const QStringList before = columnSnapshot(column);
    QByteArray longer = good;
    qToLittleEndian<int32_t>(int32_t(good.size()), longer.data());
    QByteArray cut = good.left(60);
    qToLittleEndian<int32_t>(56, cut.data());
    QByteArray enumeration = good;
    enumeration[8] = char(3); // title alignment
    for (const QByteArray &bad : {longer, cut, enumeration}) {
        ByteReader in(bad);
        EXPECT_THROW(LoadColumnFromStream(in, column, 14), StreamFormatError);
        EXPECT_EQ(columnSnapshot(column), before);
    }
    QByteArray unknown = good;
    unknown.replace(4, 4, "XCol");
    load(unknown, column);
    EXPECT_EQ(columnSnapshot(column), before);
    EXPECT_FALSE(column.LoadFromStream(cut));
}
