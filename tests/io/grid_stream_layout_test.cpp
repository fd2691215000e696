// The stored layout of a grid stream: header, properties block, rows, object records, forms.
#include "grid_stream_helpers.h"

#include "io/stream_envelope.h"

namespace qor::test {

namespace {

struct Body {
    int version;
    QByteArray props;
    QByteArray objects;
};

Body split(const QByteArray &plain)
{
    EXPECT_TRUE(plain.endsWith("Decrypt"));
    const QByteArray b = plain.chopped(7);
    ByteReader in(b);
    Body out;
    out.version = in.readI32();
    in.expectTag("QGRD");
    const qsizetype n = in.readLength();
    out.props = in.readBytes(n);
    out.objects = in.readBytes(in.remaining());
    return out;
}

int i32(const QByteArray &b, qsizetype at)
{
    ByteReader in(b);
    in.seek(at);
    return in.readI32();
}

} // namespace

TEST(GridStreamLayout, RowsDifferentFromTheDefaultAndHiddenRowsAreStored)
{
    TQorGrid grid;
    grid.SetRows(5);
    grid.SetRowHeight(1, 40);
    hideRow(grid, 3);   // hidden at the default height: still stored
    grid.SetRowGroup(4, 0, 2, 1, 0);
    const Body b = split(SaveGridToBytes(grid, false, true));
    ByteReader in(b.props);
    in.skip(8);
    std::vector<int> stored;
    while (in.peekTag("RowD", 4)) {
        stored.push_back(in.readI32());
        in.skip(4 + 56);
    }
    EXPECT_EQ(stored, (std::vector<int>{1, 3, 4}));
    // The hidden row's record: Height 0, SavedHeight the default, not visible.
    const qsizetype at = 8 + 64 + 8;
    EXPECT_EQ(i32(b.props, at), 0);
    EXPECT_EQ(i32(b.props, at + 8), 18);
    EXPECT_EQ(b.props[at + 12], 0);

    // In a physical unit every row is stored.
    grid.SetUnitType(utMillimeter);
    const QByteArray mmProps = split(SaveGridToBytes(grid, false, true)).props;
    ByteReader mm(mmProps);
    mm.skip(8);
    int n = 0;
    while (mm.peekTag("RowD", 4))
        mm.skip(64), ++n;
    EXPECT_EQ(n, 5);
}

TEST(GridStreamLayout, WithoutAllRowsOnlyTitleAndFooterRowsAreStored)
{
    TQorGrid grid;
    grid.SetCols(3);
    grid.SetRows(100);
    grid.SetTitleRows(2);
    grid.SetFooterRows(1);
    grid.SetCellText(0, 1, "title");
    grid.SetCellText(50, 1, "body");
    grid.SetCellText(99, 2, "footer");
    grid.SetRowHeight(99, 44);
    const Body b = split(SaveGridToBytes(grid, false, false));
    EXPECT_EQ(i32(b.props, 0), 3);
    EXPECT_EQ(i32(b.props, 8), 2) << "footer row stored under its index in the short grid";
    ByteReader in(b.objects);
    std::vector<int> indexes;
    while (in.remaining() >= 8) {
        indexes.push_back(in.readI32());
        in.skip(in.readLength());
    }
    EXPECT_EQ(indexes, (std::vector<int>{1, 2 * 3 + 2}));

    TQorGrid layout;
    ASSERT_TRUE(LoadGridFromBytes(layout, SaveGridToBytes(grid, true, false)));
    EXPECT_EQ(layout.GetRows(), 3);
    EXPECT_EQ(layout.GetCellText(2, 2), QString("footer"));
    EXPECT_EQ(layout.GetRowHeight(2), 44);
    EXPECT_EQ(layout.GetTitleRows(), 2);
    EXPECT_EQ(layout.GetFooterRows(), 1);
}

TEST(GridStreamLayout, CompressedFormIsLengthZlibAndTrailer)
{
    TQorGrid grid;
    grid.SetCellText(1, 1, "x");
    const QByteArray plain = SaveGridToBytes(grid, false, true);
    const QByteArray packed = SaveGridToBytes(grid, true, true);
    ASSERT_TRUE(packed.endsWith("Encrypt"));
    const QByteArray body = plain.chopped(7);
    EXPECT_EQ(i32(packed, 0), body.size());
    EXPECT_EQ(uint8_t(packed[4]), 0x78) << "zlib header";
    EXPECT_EQ(ZlibInflateExactly(packed.constData() + 4, packed.size() - 11, body.size()), body);
    EXPECT_TRUE(body.startsWith(QByteArray::fromHex("0e000000") + "QGRD"));

    const ParsedGridStream p = ParseGridStream(packed);
    EXPECT_EQ(p.Form, GridStreamForm::Compressed);
    EXPECT_EQ(p.CellRecordCount(), 1);
    EXPECT_EQ(ParseGridStream(plain).Form, GridStreamForm::Plain);
}

TEST(GridStreamLayout, SaveProgressCountsEveryPositionAndHooksAddRecords)
{
    TQorGrid grid;
    grid.SetCellText(2, 3, "x");
    std::vector<std::pair<int, int>> calls;
    grid.OnSaveProgress = [&](QObject *, int count, int pos) { calls.emplace_back(count, pos); };
    GridStreamHooks hooks;
    hooks.SavePrintSettings = [](const TCustomQorGrid &) { return QByteArray("PrnDsettings"); };
    int printLoads = 0;
    hooks.LoadPrintSettings = [&](TCustomQorGrid &, ByteReader &r, int version) {
        EXPECT_EQ(r.readBytes(r.remaining()), QByteArray("PrnDsettings"));
        EXPECT_EQ(version, 14);
        ++printLoads;
    };
    SetGridStreamHooks(hooks);
    const QByteArray bytes = SaveGridToBytes(grid, false, true);
    ASSERT_EQ(calls.size(), 16u);
    EXPECT_EQ(calls.front(), std::make_pair(15, 0));
    EXPECT_EQ(calls.back(), std::make_pair(15, 15));
    const ParsedGridStream p = ParseGridStream(bytes);
    ASSERT_EQ(p.Objects.size(), 2u);
    EXPECT_STREQ(p.Objects[0].Tag, "PrnD");
    EXPECT_EQ(p.Objects[1].Index, 2 * 4 + 3);
    TQorGrid loaded;
    ASSERT_TRUE(LoadGridFromBytes(loaded, bytes));
    EXPECT_EQ(printLoads, 1);
    SetGridStreamHooks({});
    // Without a reader the record is skipped.
    ASSERT_TRUE(LoadGridFromBytes(loaded, bytes));
    EXPECT_EQ(loaded.GetCellText(2, 3), QString("x"));
}

TEST(GridStreamLayout, ComputedTextsAreStoredForPositionsWithoutCells)
{
    TQorGrid grid;
    grid.OnGetText = [](QObject *, int row, int col, QString &text) { text = QStringLiteral("r%1c%2").arg(row).arg(col); };
    TQorGrid loaded;
    ASSERT_TRUE(LoadGridFromBytes(loaded, SaveGridToBytes(grid, false, true)));
    EXPECT_EQ(loaded.GetCellText(3, 2), QString("r3c2"));
}

} // namespace qor::test
