// Field lists: the walkers on a small record (cut records, fields of later versions, bit-fields),
// and every attribute of the attribute table through the cell and column records.
#include <gtest/gtest.h>

#include <string>

#include "core/grid.h"
#include "core/model/style_attributes.h"
#include "io/cell_record_apply_p.h"
#include "io/column_record.h"
#include "io/record_fields_p.h"
#include "io/stream_version.h"

using namespace qor;

namespace {

struct ToyRecord {
    int32_t a = 0;
    uint8_t kind : 3 = 0;
    QString c;
    int32_t d = 0;
    int32_t e = 77;
    int lastField = 5;
};

constexpr int kToyTolerantFrom = 3;

template <class R, class F>
void toyFields(R &r, F &&f)
{
    using namespace fields;
    f(I32{}, QOR_MEMBER(r.a));      // 1
    f(U8{}, QOR_MEMBER(r.kind));    // 2
    f.tail();
    f(Text{}, QOR_MEMBER(r.c));     // 3
    f(I32{}, QOR_MEMBER(r.d));
    f(I32{}, QOR_MEMBER(r.e), 15);  // 5, from version 15 on
}

QByteArray toyBytes()
{
    ToyRecord r;
    r.a = 7;
    r.kind = 5;
    r.c = QStringLiteral("abc");
    r.d = -2;
    r.e = 9;
    ByteWriter out;
    toyFields(r, fields::FieldWriter(out));
    return out.take();
}

struct ToyCut {
    int version;
    int dropped;    // bytes cut off the end of a full record
    int lastField;  // -1: refused
    int32_t d, e;
    int remaining;  // bytes left after the last field read
};

class ToyRecordCut : public testing::TestWithParam<ToyCut> {};

TEST_P(ToyRecordCut, ReadsAsFarAsTheRecordGoes)
{
    const ToyCut &c = GetParam();
    const QByteArray full = toyBytes();
    const QByteArray bytes = full.left(full.size() - c.dropped);
    ByteReader in(bytes);
    ToyRecord r;
    auto read = [&] { toyFields(r, fields::FieldReader(in, c.version, kToyTolerantFrom, r.lastField)); };
    if (c.lastField < 0) {
        EXPECT_THROW(read(), StreamFormatError);
        return;
    }
    read();
    EXPECT_EQ(r.lastField, c.lastField);
    EXPECT_EQ(r.a, 7);
    EXPECT_EQ(r.kind, 5);
    EXPECT_EQ(r.d, c.d);
    EXPECT_EQ(r.e, c.e);
    EXPECT_EQ(in.remaining(), c.remaining);
}

INSTANTIATE_TEST_SUITE_P(Walkers, ToyRecordCut,
                         testing::Values(ToyCut{15, 0, 5, -2, 9, 0},    // whole (23 bytes)
                                         ToyCut{15, 2, 4, -2, 77, 2},   // the last field cut
                                         ToyCut{15, 6, 3, 0, 77, 2},    // two fields cut
                                         ToyCut{14, 4, 5, -2, 77, 0},   // a version without the last
                                         ToyCut{14, 0, 5, -2, 77, 4},   // ... followed by other bytes
                                         ToyCut{14, 7, 3, 0, 77, 1},
                                         ToyCut{15, 13, 2, 0, 77, 5},   // cut inside the text
                                         ToyCut{15, 20, -1, 0, 0, 0})); // cut inside the head

TEST(RecordFields, WriterEmitsTheListInOrderAndALimitedReaderStops)
{
    const QByteArray bytes = toyBytes();
    EXPECT_EQ(bytes.left(5).toHex(), QByteArray("0700000005"));
    EXPECT_EQ(bytes.right(8).toHex(), QByteArray("feffffff09000000"));
    ByteReader in(bytes);
    ToyRecord r;
    toyFields(r, fields::FieldReader(in, 15, kToyTolerantFrom, r.lastField, 1));
    EXPECT_EQ(r.a, 7);
    EXPECT_EQ(r.kind, 0);
    EXPECT_EQ(in.pos(), 4);
}

// A form whose values above a limit no writer produces.
struct AtMost {
    int32_t limit;
    const char *refusal;
    void write(ByteWriter &out, int32_t v) const { out.writeI32(v); }
    int32_t read(ByteReader &in, int) const { return in.readI32(); }
    void check(int32_t v) const
    {
        if (v > limit)
            throw StreamFormatError(refusal);
    }
};

struct CheckedRecord {
    int32_t a = 0, b = 0, c = 0;
};

template <class R, class F>
void checkedFields(R &r, F &&f)
{
    using namespace fields;
    f(AtMost{5, "a"}, QOR_MEMBER(r.a)); // 1
    f.tail();
    f(AtMost{5, "b"}, QOR_MEMBER(r.b)); // 2
    f(AtMost{5, "c"}, QOR_MEMBER(r.c));
}

// The refusal of a record read as far as lastField, with a check of the head as a whole.
std::string refusal(const CheckedRecord &r, int lastField, bool headRefused = false)
{
    auto head = [headRefused] {
        if (headRefused)
            throw StreamFormatError("head");
    };
    try {
        checkedFields(r, fields::FieldChecker(2, lastField, head));
        return std::string();
    } catch (const StreamFormatError &e) {
        return e.what();
    }
}

TEST(RecordFields, CheckerRefusesTheFirstFaultInStoredOrderAsFarAsTheRecordWent)
{
    EXPECT_EQ(refusal({5, 5, 5}, 3), "");
    EXPECT_EQ(refusal({9, 9, 9}, 3, true), "a");
    EXPECT_EQ(refusal({0, 9, 9}, 3, true), "head");
    EXPECT_EQ(refusal({0, 9, 9}, 3), "b");
    EXPECT_EQ(refusal({0, 0, 9}, 3), "c");
    EXPECT_EQ(refusal({0, 0, 9}, 2), "") << "c is not in the record";
    EXPECT_EQ(refusal({0, 9, 9}, 1), "");
}

// --- Every table attribute through the records

template <class T>
T otherThan(const T &v)
{
    if constexpr (std::is_same_v<T, bool>)
        return !v;
    else if constexpr (std::is_enum_v<T>)
        return T(v == 0 ? 1 : 0);
    else if constexpr (std::is_same_v<T, QString>)
        return v + QStringLiteral("x");
    else if constexpr (std::is_same_v<T, QChar>)
        return QChar(v == QLatin1Char('x') ? 'y' : 'x');
    else if constexpr (std::is_same_v<T, double>)
        return v + 0.5;
    else
        return T(v + 1);
}

std::unique_ptr<TQorGrid> makeGrid()
{
    auto grid = std::make_unique<TQorGrid>();
    grid->SetRows(3);
    grid->SetCols(3);
    return grid;
}

// An attribute missing from a record's field list (or from the installer) comes back as the
// target's default instead of the value saved.
TEST(RecordFields, EveryTableAttributeSurvivesTheCellAndColumnRecords)
{
#define QOR_CHECK_ATTRIBUTE(Type, Name, Default, Bits)                                                 \
    {                                                                                                  \
        auto source = makeGrid();                                                                      \
        TQorColumn &column = *source->Columns(1);                                                      \
        const Type columnValue = otherThan<Type>(column.Get##Name());                                  \
        column.Set##Name(columnValue);                                                                 \
        QByteArray bytes;                                                                              \
        column.SaveToStream(bytes);                                                                    \
        auto target = makeGrid();                                                                      \
        ASSERT_TRUE(target->Columns(1)->LoadFromStream(bytes)) << #Name;                               \
        EXPECT_EQ(target->Columns(1)->Get##Name(), columnValue) << "column " #Name;                    \
                                                                                                       \
        TCellInfo &cell = *source->Cells(0, 0);                                                        \
        const Type cellValue = otherThan<Type>(cell.Get##Name());                                      \
        cell.Set##Name(cellValue);                                                                     \
        cell.SaveToStream(bytes);                                                                      \
        ASSERT_TRUE(target->Cells(0, 0)->LoadFromStream(bytes, false)) << #Name;                       \
        EXPECT_EQ(target->Cells(0, 0)->Get##Name(), cellValue) << "cell " #Name;                       \
        ByteReader in(bytes);                                                                          \
        CellRecordInstaller().Load(in, *target->Cells(2, 2), CurrentStreamFormatVersion);              \
        EXPECT_EQ(target->Cells(2, 2)->Get##Name(), cellValue) << "installed cell " #Name;             \
    }
    QOR_STYLE_ATTRIBUTES(QOR_CHECK_ATTRIBUTE)
#undef QOR_CHECK_ATTRIBUTE
}

} // namespace
