// Whole grids saved and loaded again: every attribute must come back.
#include "grid_stream_helpers.h"

#include <QTemporaryDir>
#include "core/model/column.h"
#include "io/grid_stream_settings.h"
#include "io/stream_version.h"
#include "message_recorder.h"

namespace qor::test {

namespace {

QString randomText(std::mt19937 &rng)
{
    static const QString pieces[] = {"", "abc", QString::fromUtf8("合计金额"), "=1+2", "12.50", "line1\r\nline2",
                                     QString::fromUtf8("零壹贰"), "x"};
    return pieces[rng() % std::size(pieces)] + (rng() % 3 == 0 ? QString::number(rng() % 1000) : QString());
}

TColor randomColor(std::mt19937 &rng) { return TColor(rng() & 0xFFFFFF); }

void fillCell(TCellInfo &cell, std::mt19937 &rng, int serial)
{
    cell.SetText(randomText(rng));
    switch (rng() % 4) {
    case 0: // content only
        return;
    case 1:
        cell.SetLeftText("L" + QString::number(serial));
        cell.SetRightText("R");
        cell.SetName(QStringLiteral("Cell%1").arg(serial));
        cell.SetTag("tag");
        cell.SetHint(QString::fromUtf8("提示") + QString::number(serial));
        break;
    case 2: {
        TQorFont font = cell.Font();
        font.Font.setFamily("Courier New");
        font.Font.setPointSize(8 + int(rng() % 10));
        font.Font.setBold(rng() % 2);
        font.Font.setItalic(rng() % 2);
        font.Color = randomColor(rng);
        cell.SetFont(font);
        break;
    }
    default:
        cell.SetGraphic(bmpPicture(QColor::fromRgb(rng() & 0xFFFFFF)));
        cell.SetStretch(true);
        break;
    }
    cell.SetAlignment(TAlignment(rng() % 3));
    cell.SetVerAlignment(TVerAlignment(rng() % 3));
    cell.SetBackColor(randomColor(rng));
    cell.SetValueType(TValueType(rng() % 13));
    cell.SetDigits(int(rng() % 6));
    cell.SetWordWrap(rng() % 2);
    cell.SetReadOnly(rng() % 2);
    cell.SetTopLine(rng() % 2);
    cell.SetLeftFrame(rng() % 2);
    cell.SetRightFrameWidth(1 + int(rng() % 3));
    cell.SetBottomFrameColor(randomColor(rng));
    cell.SetBottomFrameStyle(TPenStyle(rng() % 5));
    cell.SetBiasDirection(TBiasDirection(rng() % 2));
    cell.SetTextLMargin(uint16_t(rng() % 60000));
    cell.SetCursor(TCursor(-21));
    cell.SetIncrement(0.25 * double(rng() % 9));
    cell.SetItemIndex(int(rng() % 4) - 1);
    cell.SetTabNextRow(int(rng() % 5));
    cell.SetFontAngle(int(rng() % 90));
    if (rng() % 3 == 0) {
        TQorStrings items;
        items.Add("one");
        items.Add(QString::fromUtf8("二"));
        cell.SetItems(items);
        cell.SetCellType(ctCombo);
    } else if (rng() % 4 == 0) {
        cell.SetCellType(ctRichEdit);
        cell.SetRichText(QByteArray("{\\rtf1 x}") + QByteArray::number(serial));
    }
}

void fillColumns(TCustomQorGrid &grid, std::mt19937 &rng)
{
    for (int c = 0; c < grid.GetCols(); ++c) {
        TQorColumn *col = grid.Columns(c);
        col->Title().SetCaption(QString::fromUtf8("列") + QString::number(c));
        if (rng() % 2)
            col->SetWidth(20 + int(rng() % 120));
        if (rng() % 3 == 0) {
            col->SetAlignment(taRightJustify);
            col->SetBackColor(randomColor(rng));
            col->SetValueType(vtFloat);
            col->SetMask("999");
            col->SetName(QStringLiteral("Col%1").arg(c));
        }
    }
}

void fillSettings(TCustomQorGrid &grid, std::mt19937 &rng)
{
    grid.SetGridType(TGridType(rng() % 3));
    grid.SetColor(randomColor(rng));
    grid.SetLineColor(randomColor(rng));
    grid.SetLeftMargin(int(rng() % 50));
    grid.SetBottomSpace(int(rng() % 20));
    grid.SetFixRowCount(int(rng() % 2));
    grid.SetOptions(TQorGridOptions(uint32_t(rng())));
    grid.SetDefaultRowHeight(16 + int(rng() % 10));
    grid.SetDefaultColWidth(40 + int(rng() % 40));
    grid.SetTitleRows(int(rng() % 2));
    grid.SetFooterRows(int(rng() % 2));
    grid.SetCurrencySymbol(QString::fromUtf8("￥"));
    grid.SetCurrencyDigits(int(rng() % 4));
    grid.SetFocusColor(randomColor(rng));
    grid.SetTitleHeight(int(rng() % 30));
    grid.SetMoveDirEnter(TMoveDirectory(rng() % 5));
    grid.SetRTFLineSpace(int(rng() % 5));
    grid.SetSortEndRow(int(rng() % 9));
    grid.SetIncludeHiddenData(rng() % 2);
    grid.SetTileBackGround(rng() % 2);
    if (rng() % 2)
        grid.SetBackGround(bmpPicture(Qt::yellow));
    TQorFont font = grid.GetFont();
    font.Font.setFamily("Times New Roman");
    font.Font.setPointSize(11);
    grid.SetFont(font);
    GridPrivate &d = GridPrivate::get(grid);
    d.misc.sortingColIndex = int(rng() % 3);
    d.paint.showPageLines = rng() % 2;
    d.extras.BorderStyle = 0;
    grid.SetUnitType(TUnitType(rng() % 3));
}

const TCellStyle &styleOf(const TCellInfo &cell)
{
    return cell.GetRec() ? cell.GetRec()->Style : cell.GetColumn()->Style();
}

QByteArray withoutCellTags(const QByteArray &stored)
{
    const ParsedGridStream p = ParseGridStream(stored);
    QByteArray body = p.Body;
    for (const StoredObjectRecord &o : p.Objects)
        if (o.IsCell())
            body.replace(o.Offset, 4, "Cell");
    return body;
}

} // namespace

void FillRandomGrid(TCustomQorGrid &grid, unsigned seed)
{
    std::mt19937 rng(seed);
    grid.SetCols(1 + int(rng() % 8));
    grid.SetRows(2 + int(rng() % 30));
    fillSettings(grid, rng);
    fillColumns(grid, rng);
    for (int r = 0; r < grid.GetRows(); ++r) {
        if (rng() % 4 == 0)
            grid.SetRowHeight(r, 10 + int(rng() % 40));
        if (rng() % 7 == 0)
            hideRow(grid, r);
        if (rng() % 9 == 0)
            grid.SetRowGroup(r, 0, 1 + int(rng() % 3), 1, 0);
    }
    int serial = 0;
    for (int r = 0; r < grid.GetRows(); ++r)
        for (int c = 0; c < grid.GetCols(); ++c)
            if (rng() % 3 == 0)
                fillCell(*grid.Cells(r, c), rng, serial++);
    if (grid.GetRows() >= 3 && grid.GetCols() >= 2)
        grid.MergeCells(1, 0, 2, 1);
}

void ExpectSameGrid(TCustomQorGrid &a, TCustomQorGrid &b)
{
    ASSERT_EQ(a.GetRows(), b.GetRows());
    ASSERT_EQ(a.GetCols(), b.GetCols());
    const GridPrivate &da = GridPrivate::get(a), &db = GridPrivate::get(b);
    for (int r = 0; r < a.GetRows(); ++r) {
        const TRowRec x = a.GetRowRec(r), y = b.GetRowRec(r);
        EXPECT_EQ(x.Height, y.Height) << "row " << r;
        EXPECT_EQ(x.SavedHeight, y.SavedHeight) << "row " << r;
        EXPECT_EQ(x.Bottom, y.Bottom) << "row " << r;
        EXPECT_EQ(x.Visible, y.Visible) << "row " << r;
        EXPECT_EQ(x.Group2, y.Group2) << "row " << r;
        EXPECT_EQ(x.Group3, y.Group3) << "row " << r;
        EXPECT_DOUBLE_EQ(x.PhyHeight, y.PhyHeight) << "row " << r;
    }
    for (int c = 0; c < a.GetCols(); ++c) {
        const TQorColumn *x = a.Columns(c), *y = b.Columns(c);
        EXPECT_EQ(x->GetWidth(), y->GetWidth()) << "col " << c;
        EXPECT_DOUBLE_EQ(x->GetPhyWidth(), y->GetPhyWidth()) << "col " << c;
        EXPECT_TRUE(x->Style() == y->Style()) << "col " << c;
        EXPECT_EQ(x->Title().GetCaption(), y->Title().GetCaption()) << "col " << c;
        EXPECT_EQ(x->GetName(), y->GetName()) << "col " << c;
    }
    for (int r = 0; r < a.GetRows(); ++r) {
        for (int c = 0; c < a.GetCols(); ++c) {
            TCellInfo *x = da.cells.At(r, c), *y = db.cells.At(r, c);
            const bool xs = x && notDefaultCell(x), ys = y && notDefaultCell(y);
            ASSERT_EQ(xs, ys) << "cell " << r << "," << c;
            if (!xs)
                continue;
            SCOPED_TRACE(testing::Message() << "cell " << r << "," << c);
            EXPECT_EQ(x->GetText(), y->GetText());
            EXPECT_EQ(x->GetLeftText(), y->GetLeftText());
            EXPECT_EQ(x->GetName(), y->GetName());
            EXPECT_EQ(x->GetHint(), y->GetHint());
            // A record that only repeats the column may come back as no record (and a formula
            // cell gains one): what counts is what the cell answers.
            EXPECT_TRUE(styleOf(*x) == styleOf(*y));
            for (TCellEdge e : {ceLeft, ceTop, ceRight, ceBottom}) {
                EXPECT_EQ(x->GetLine(e), y->GetLine(e)) << int(e);
                EXPECT_EQ(x->GetFrame(e), y->GetFrame(e)) << int(e);
                EXPECT_EQ(x->GetFrameColor(e), y->GetFrameColor(e)) << int(e);
            }
            EXPECT_EQ(x->GetRows(), y->GetRows());
            EXPECT_EQ(x->GetCols(), y->GetCols());
            EXPECT_EQ(x->GetMergeRow(), y->GetMergeRow());
            EXPECT_EQ(bool(x->PeekFont()), bool(y->PeekFont()));
            if (x->PeekFont() && y->PeekFont()) {
                EXPECT_EQ(x->PeekFont()->Font.family(), y->PeekFont()->Font.family());
                EXPECT_EQ(x->PeekFont()->Font.pointSize(), y->PeekFont()->Font.pointSize());
                EXPECT_EQ(x->PeekFont()->Font.bold(), y->PeekFont()->Font.bold());
                EXPECT_EQ(x->PeekFont()->Color, y->PeekFont()->Color);
            }
            EXPECT_EQ(x->PeekGraphic() ? x->PeekGraphic()->Data : QByteArray(),
                      y->PeekGraphic() ? y->PeekGraphic()->Data : QByteArray());
            EXPECT_EQ(x->GetRichText(), y->GetRichText());
            EXPECT_EQ(x->PeekItems() ? x->PeekItems()->Items() : QStringList(),
                      y->PeekItems() ? y->PeekItems()->Items() : QStringList());
        }
    }
    GridSettings sa = GridSettings::Capture(a), sb = GridSettings::Capture(b);
    ByteWriter wa, wb;
    sa.Write(wa);
    sb.Write(wb);
    EXPECT_EQ(wa.bytes().toHex().toStdString(), wb.bytes().toHex().toStdString()) << "grid settings";
    EXPECT_EQ(a.GetBackGround().Data, b.GetBackGround().Data);
    EXPECT_TRUE(GridPrivate::get(a).extras == GridPrivate::get(b).extras);
    EXPECT_EQ(GridPrivate::get(a).paint.showPageLines, GridPrivate::get(b).paint.showPageLines);
    // Whatever the comparisons above miss, the stored form does not (but for the tag that
    // says whether a cell had its own record).
    EXPECT_EQ(withoutCellTags(plainBytes(a)), withoutCellTags(plainBytes(b)));
}

TEST(GridStreamRoundTrip, RandomGridsComeBackAttributeForAttribute)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        TQorGrid original;
        FillRandomGrid(original, seed);
        for (bool compress : {false, true}) {
            const QByteArray bytes = SaveGridToBytes(original, compress, true);
            TQorGrid loaded;
            ASSERT_TRUE(LoadGridFromBytes(loaded, bytes));
            ExpectSameGrid(original, loaded);
        }
    }
}

TEST(GridStreamRoundTrip, LoadingReplacesWhatTheGridHeldBefore)
{
    TQorGrid original, target, fresh;
    FillRandomGrid(original, 7);
    FillRandomGrid(target, 8);
    const QByteArray bytes = SaveGridToBytes(original, true, true);
    ASSERT_TRUE(LoadGridFromBytes(target, bytes));
    ASSERT_TRUE(LoadGridFromBytes(fresh, bytes));
    ExpectSameGrid(fresh, target);
}

TEST(GridStreamRoundTrip, DevicesAndFiles)
{
    TQorGrid original;
    FillRandomGrid(original, 3);
    QByteArray stored("stale bytes that are longer than nothing at all");
    QBuffer buffer(&stored);
    buffer.open(QIODevice::ReadWrite);
    ASSERT_TRUE(original.SaveToStream(buffer, false, true));
    EXPECT_TRUE(stored.endsWith("Decrypt"));
    EXPECT_EQ(stored, SaveGridToBytes(original, false, true));
    TQorGrid fromStream;
    ASSERT_TRUE(fromStream.LoadFromStream(buffer));
    ExpectSameGrid(original, fromStream);

    QTemporaryDir dir;
    const QString file = dir.filePath("doc.qld");
    ASSERT_TRUE(original.SaveToFile(file));
    TQorGrid fromFile;
    ASSERT_TRUE(fromFile.LoadFromFile(file));
    ExpectSameGrid(original, fromFile);
    // A missing file is ignored; a save that cannot be written says so.
    EXPECT_FALSE(fromFile.LoadFromFile(dir.filePath("missing.qld")));
    EXPECT_FALSE(original.SaveToFile(dir.filePath("no/such/dir/doc.qld")));
}

TEST(GridStreamRoundTrip, NestedLoadsRestoreTheStreamVersion)
{
    TQorGrid grid;
    FillRandomGrid(grid, 5);
    SetCurrentStreamVersion(9);
    ASSERT_TRUE(LoadGridFromBytes(grid, SaveGridToBytes(grid, false, true)));
    EXPECT_EQ(GetCurrentStreamVersion(), 9);
    SetCurrentStreamVersion(14);
}

} // namespace qor::test
