// Records in the grid: the rows and columns a data set brings, title and footer rows kept,
// master cells, editing through the keys, read-only rules, sorting and grouping, refusals,
// posts the database refuses, and the blob viewer.
#include <QBuffer>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTest>
#include "core/grid_p.h"
#include "db_fixture.h"
#include "dataset/blob_viewer.h"
#include "message_recorder.h"
#include "platform/clipboard.h"

namespace qor::test {
namespace {

class BindingTest : public DbTest {
protected:
    BindingTest()
    {
        g.setAttribute(Qt::WA_DontShowOnScreen);
        g.resize(700, 500);
        g.show();
    }
    ~BindingTest() override
    {
        g.SetDataSource(nullptr);
        g.SetMasterDataSource(nullptr);
    }
    int col(const char *field) const
    {
        for (int c = 0; c < g.GetCols(); ++c)
            if (g.Columns(c)->GetFieldName() == QLatin1String(field))
                return c;
        return -1;
    }
    void key(int k, Qt::KeyboardModifiers mods = Qt::NoModifier) { QTest::keyClick(g.viewport(), Qt::Key(k), mods); }
    // Columns of the fields named, in order, with the user-columns rule.
    void userColumns(const QStringList &fields)
    {
        g.SetCols(int(fields.size()));
        for (int c = 0; c < fields.size(); ++c)
            g.Columns(c)->SetFieldName(fields[c]);
    }
    QStringList column(int c)
    {
        QStringList texts;
        for (int r = g.GetTitleRows(); r < g.GetRows() - g.GetFooterRows(); ++r)
            texts << g.GetCellText(r, c);
        return texts;
    }

    TQorGrid g;
};

TEST_P(BindingTest, OpeningBringsRowsAndColumnsFromTheDataSet)
{
    addItems(3);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    for (const char *hidden : {"id", "order_id", "photo"})
        items.SetFieldVisible(QString::fromLatin1(hidden), false);
    items.SetFieldLabel(QStringLiteral("qty"), QStringLiteral("数量"));
    g.SetCols(2);
    g.SetDataSource(&source(items));
    EXPECT_EQ(g.GetRows(), 4);   // bound but not open
    items.Open();
    ASSERT_EQ(g.GetCols(), 5);   // the five visible fields of eight
    EXPECT_EQ(g.Columns(1)->Title().GetCaption(), QStringLiteral("数量"));
    EXPECT_EQ(g.Columns(0)->Title().GetCaption(), QStringLiteral("name"));
    EXPECT_EQ(g.GetRows(), 3);
    EXPECT_EQ(column(col("name")), (QStringList{"item1", "item2", "item3"}));
    EXPECT_EQ(g.GetCellType(0, col("paid")), ctCheckBox);
    EXPECT_EQ(g.GetDBNo(2, col("qty")), 2);
    // Generated columns take a label given later; the selected field is the current column's.
    items.SetFieldLabel(QStringLiteral("name"), QStringLiteral("品名"));
    EXPECT_EQ(g.Columns(0)->Title().GetCaption(), QStringLiteral("品名"));
    g.SetSelectedField(items.FindField(QStringLiteral("qty")));
    EXPECT_EQ(g.GetCol(), col("qty"));
    EXPECT_EQ(g.GetSelectedField(), items.FindField(QStringLiteral("qty")));
    // A data set in insert state has one body row more, and it is bound.
    items.Append();
    EXPECT_EQ(g.GetRows(), 4);
    EXPECT_TRUE(g.IsBodyDBCell(3, 0));
    items.Cancel();
    EXPECT_EQ(g.GetRows(), 3);
    // Emptied, the data set still shows one row; closed, four.
    exec(QStringLiteral("DELETE FROM items"));
    items.Refresh();
    EXPECT_EQ(g.GetRows(), 1);
    EXPECT_FALSE(g.IsBodyDBCell(0, 0));
    items.Close();
    EXPECT_EQ(g.GetRows(), 4);
    EXPECT_EQ(g.Columns(0)->GetField(), nullptr);
}

TEST_P(BindingTest, TitleAndFooterRowsKeepTheirCellsAsTheRecordsChange)
{
    addItems(10);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    g.SetOptions(g.GetOptions().With(qgoAutoMerge));
    g.SetRows(4);
    userColumns({QStringLiteral("name"), QStringLiteral("qty"), QStringLiteral("price"), QString()});
    g.SetFooterRows(1);
    g.SetTitleRows(2);
    g.SetCellText(0, 0, QStringLiteral("订单明细"));
    g.MergeCells(0, 0, 0, 3);
    g.Cells(0, 0)->SetBackColor(clRed);
    g.SetCellText(1, 1, QStringLiteral("数量与单价"));
    g.MergeCells(1, 1, 1, 2);
    g.SetCellText(3, 0, QStringLiteral("合计"));
    g.SetRowHeight(0, 40);
    g.SetDataSource(&source(items));
    items.Open();
    auto check = [&](int records) {
        SCOPED_TRACE(records);
        ASSERT_EQ(g.GetRows(), 2 + records + 1);
        EXPECT_EQ(g.GetCellText(0, 0), QStringLiteral("订单明细"));
        EXPECT_EQ(g.Cells(0, 0)->GetCols(), 4);
        EXPECT_EQ(g.Cells(0, 0)->GetBackColor(), clRed);
        EXPECT_EQ(g.GetRowHeight(0), 40);
        EXPECT_EQ(g.GetCellText(g.GetRows() - 1, 0), QStringLiteral("合计"));
        // Body rows repeat the title row's horizontal merge.
        EXPECT_EQ(g.Cells(2 + records - 1, 1)->GetCols(), 2);
        EXPECT_EQ(g.GetDBNo(0, 0), -1);
        EXPECT_EQ(g.GetDBNo(g.GetRows() - 1, 0), -1);
        EXPECT_EQ(g.GetDBNo(2, 3), -1);   // a column without a field
        EXPECT_EQ(g.GetDBNo(2 + records - 1, 0), records - 1);
    };
    check(10);
    EXPECT_EQ(g.GetCellText(2, 0), QStringLiteral("item1"));
    items.Append();
    items.FieldByName(QStringLiteral("name")).SetAsString(QStringLiteral("item11"));
    items.Post();
    check(11);
    items.First();
    items.Delete();
    items.Delete();
    check(9);
    EXPECT_EQ(g.GetCellText(2, 0), QStringLiteral("item3"));
}

TEST_P(BindingTest, FormulasAddUpTheFieldsEvenWhereCellsHoldFormatting)
{
    addItems(4);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    g.SetRows(3);
    userColumns({QStringLiteral("name"), QStringLiteral("qty")});
    g.SetTitleRows(1);
    g.SetFooterRows(1);
    g.SetDataSource(&source(items));
    items.Open();
    ASSERT_EQ(g.GetRows(), 6);
    // The first body row's cells exist for their frames; they still show the fields.
    g.Cells(1, 1)->SetTopFrame(true);
    g.Cells(2, 1)->SetBackColor(clYellow);
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("1"));
    g.SetCellText(5, 1, QStringLiteral("=SUM(B2:B5)"));
    EXPECT_EQ(g.CellDisplayText(5, 1), QStringLiteral("10"));
    g.SetCellText(5, 0, QStringLiteral("=B2*100+B3"));   // the compiled path of plain references
    EXPECT_EQ(g.CellDisplayText(5, 0), QStringLiteral("102"));
}

TEST_P(BindingTest, MasterCellsShowTheMasterRecordAndTheBodyItsLines)
{
    addItems(3, 1);
    addItems(2, 2);
    db::TSqlDataSet &orders = table(QStringLiteral("orders"));
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    db::TDataSource &ordersSource = source(orders);
    items.SetMasterSource(&ordersSource, {QStringLiteral("id")}, {QStringLiteral("order_id")});
    g.SetRows(3);
    userColumns({QStringLiteral("name"), QStringLiteral("qty")});
    g.SetTitleRows(1);
    g.Cells(0, 0)->SetFieldName(QStringLiteral("customer"));
    g.Cells(0, 1)->SetFieldName(QStringLiteral("number"));
    g.SetMasterDataSource(&ordersSource);
    g.SetDataSource(&source(items));
    orders.Open();
    items.Open();
    EXPECT_TRUE(g.IsMasterDBCell(0, 0));
    EXPECT_EQ(g.GetCellText(0, 0), QStringLiteral("华东公司"));
    EXPECT_EQ(g.GetRows(), 4);
    orders.Next();
    EXPECT_EQ(g.GetCellText(0, 0), QStringLiteral("北方贸易"));
    EXPECT_EQ(g.GetRows(), 3);
    EXPECT_EQ(column(0), (QStringList{"item1", "item2"}));
    // Typing into a master cell edits the master record.
    g.SetCellText(0, 1, QStringLiteral("NO-099"));
    EXPECT_EQ(orders.State(), db::dsEdit);
    orders.Post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT number FROM orders WHERE customer = '北方贸易'")).toString(), QStringLiteral("NO-099"));
}

TEST_P(BindingTest, KeysEditInsertAndDeleteRecordsThroughTheirKeys)
{
    MessageRecorder boxes(platform::IDCANCEL);
    addItems(3);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    g.SetOptions(g.GetOptions().With(qgoEditing).With(qgoCanInsert).With(qgoCanDelete).With(qgoConfirmDelete));
    g.SetDataSource(&source(items));
    items.Open();
    const int name = col("name"), qty = col("qty");
    // Moving to another row posts the edit of the row left.
    g.SetFocusCell(0, qty);
    g.SetCellText(0, qty, QStringLiteral("12"));
    EXPECT_EQ(items.State(), db::dsEdit);
    EXPECT_TRUE(g.SetFocusCell(1, qty));
    EXPECT_EQ(items.State(), db::dsBrowse);
    EXPECT_EQ(scalar(QStringLiteral("SELECT qty FROM items WHERE name = 'item1'")).toInt(), 12);
    // Insert puts a new record before the current one, in its own row.
    key(Qt::Key_Insert);
    ASSERT_EQ(items.State(), db::dsInsert);
    ASSERT_EQ(g.GetRows(), 4);
    EXPECT_EQ(g.GetRow(), 1);
    g.SetCellText(1, name, QStringLiteral("inserted"));
    g.SetCellText(1, qty, QStringLiteral("5"));
    EXPECT_TRUE(g.SetFocusCell(3, qty));
    EXPECT_EQ(scalar(QStringLiteral("SELECT qty FROM items WHERE name = 'inserted'")).toInt(), 5);
    EXPECT_EQ(column(name), (QStringList{"item1", "inserted", "item2", "item3"}));
    // Ctrl+Delete asks first; cancelled, nothing goes.
    g.SetFocusCell(1, name);
    key(Qt::Key_Delete, Qt::ControlModifier);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("确定要删除这行数据？"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM items")).toInt(), 4);
    boxes.setAnswer(platform::IDOK);
    key(Qt::Key_Delete, Qt::ControlModifier);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM items WHERE name = 'inserted'")).toInt(), 0);
    EXPECT_EQ(g.GetRows(), 3);
    // Without qgoCanInsert, Insert appends a record.
    g.SetOptions(g.GetOptions().Without(qgoCanInsert).With(qgoCanAppend));
    key(Qt::Key_Insert);
    EXPECT_EQ(items.State(), db::dsInsert);
    EXPECT_EQ(g.GetRow(), 3);
}

TEST_P(BindingTest, BlobsAndReadOnlyFieldsCannotBeTypedInto)
{
    addItems(2);
    QImage png(8, 8, QImage::Format_RGB32);
    png.fill(Qt::blue);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    png.save(&buffer, "PNG");
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE items SET photo = ?, note = ? WHERE name = 'item1'"));
    q.bindValue(0, bytes);
    q.bindValue(1, QStringLiteral("第一行\n第二行"));
    ASSERT_TRUE(q.exec());
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    g.SetOptions(g.GetOptions().With(qgoEditing));
    g.SetDataSource(&source(items));
    items.Open();
    items.FieldByName(QStringLiteral("price")).SetReadOnly(true);
    EXPECT_TRUE(g.DataCellReadOnly(0, col("photo")));
    EXPECT_FALSE(g.DataCellReadOnly(0, col("note")));   // a memo is text
    EXPECT_TRUE(g.DataCellReadOnly(0, col("price")));
    EXPECT_FALSE(g.DataCellReadOnly(0, col("qty")));
    g.SetFocusCell(0, col("photo"));
    EXPECT_FALSE(g.ShowEditor());
    g.SetFocusCell(0, col("note"));
    EXPECT_TRUE(g.ShowEditor());
    g.HideEditor();
    // The picture in the blob is what the cell draws.
    auto picture = GridPrivate::get(g).seams.binding->FieldPicture(0, col("photo"));
    ASSERT_TRUE(picture.has_value());
    EXPECT_EQ(picture->pixelColor(4, 4), QColor(Qt::blue));
    EXPECT_FALSE(GridPrivate::get(g).seams.binding->FieldPicture(1, col("photo")).has_value());
    QImage frame(g.viewport()->size(), QImage::Format_RGB32);
    {
        QPainter p(&frame);
        g.Paint(&p);
    }
    const QColor drawn = frame.pixelColor(g.CellRect(0, col("photo")).center());   // under the row's tint
    EXPECT_TRUE(drawn.blue() > 100 && drawn.red() < 40 && drawn.green() < 40) << drawn.name().toStdString();
    const QColor empty = frame.pixelColor(g.CellRect(1, col("photo")).center());
    EXPECT_GT(empty.red(), 150);

    // The blob viewer shows what the current cell's blob holds.
    g.SetAutoShowBlobField(true);
    g.SetFocusCell(0, col("photo"));
    BlobViewer *viewer = BlobViewer::Instance();
    ASSERT_NE(viewer, nullptr);
    EXPECT_TRUE(viewer->ImagePart()->isVisibleTo(viewer));
    EXPECT_EQ(viewer->windowTitle(), QStringLiteral("photo"));
    g.SetFocusCell(0, col("note"));
    EXPECT_TRUE(viewer->MemoPart()->isVisibleTo(viewer));
    EXPECT_EQ(viewer->MemoPart()->toPlainText(), QStringLiteral("第一行\n第二行"));
    g.SetFocusCell(1, col("photo"));
    EXPECT_EQ(viewer->InfoPart()->text(), QStringLiteral("( Empty )"));
    exec(QStringLiteral("UPDATE items SET photo = %1 WHERE name = 'item2'")
             .arg(pg() ? QStringLiteral("'\\x00010203'::bytea") : QStringLiteral("X'00010203'")));
    items.Refresh();
    g.SetFocusCell(0, col("qty"));
    g.SetFocusCell(1, col("photo"));
    EXPECT_EQ(viewer->InfoPart()->text(), QStringLiteral("( Unknow )"));
    g.SetAutoShowBlobField(false);
    EXPECT_FALSE(viewer->isVisible());

    // A query without an update table is read-only throughout.
    db::TSqlDataSet &view = *sets.emplace_back(std::make_unique<db::TSqlDataSet>(db));
    view.SetSelect(QStringLiteral("SELECT name, qty FROM items ORDER BY id"));
    g.SetDataSource(&source(view));
    view.Open();
    EXPECT_TRUE(g.DataCellReadOnly(0, 1));
    // Nor does Ctrl+V paste onto its rows; onto a writable data set's rows it does.
    platform::SetCurrentClipboard(platform::MakeStandInClipboard());
    g.SetOptions(g.GetOptions().With(qgoCanPaste).With(qgoCanCopy));
    platform::CurrentClipboard().SetText(QStringLiteral("pasted"));
    g.SetFocusCell(1, 0);
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(g.GetCellText(1, 0), QStringLiteral("item2"));
    g.SetDataSource(&source(items));
    g.SetFocusCell(1, col("name"));
    key(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(g.GetCellText(1, col("name")), QStringLiteral("pasted"));
    EXPECT_EQ(items.State(), db::dsEdit);
    platform::ResetCurrentClipboard();
}

TEST_P(BindingTest, SortingAndGroupingKeepEachRowOnItsRecord)
{
    addItems(5);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    g.SetOptions(g.GetOptions().With(qgoEditing));
    g.SetDataSource(&source(items));
    items.Open();
    const int name = col("name"), qty = col("qty");
    ASSERT_TRUE(g.Sort(qty, false));
    EXPECT_EQ(column(name), (QStringList{"item5", "item4", "item3", "item2", "item1"}));
    EXPECT_EQ(g.GetActiveRow(0), 5);
    EXPECT_EQ(g.GetDBNo(1, name), 3);
    EXPECT_EQ(g.GetRowByActiveRecord(0), 4);
    // An edit on a sorted row reaches its own record.
    g.SetFocusCell(0, qty);
    g.SetCellText(0, qty, QStringLiteral("50"));
    EXPECT_TRUE(g.PostDataSet());
    EXPECT_EQ(scalar(QStringLiteral("SELECT qty FROM items WHERE name = 'item5'")).toInt(), 50);
    // Grouping by the paid flag keeps every data row on its record.
    g.Group(QStringLiteral("%1:ASC:True").arg(col("paid")), qty, true);
    ASSERT_TRUE(g.GetGrouped());
    int dataRows = 0;
    for (int r = 0; r < g.GetRows(); ++r) {
        if (g.GetActiveRow(r) <= 0)
            continue;
        ++dataRows;
        const int record = g.GetActiveRow(r);
        EXPECT_EQ(g.GetCellText(r, col("name")), QStringLiteral("item%1").arg(record));
    }
    EXPECT_EQ(dataRows, 5);
    EXPECT_EQ(g.RealRows(), 5);
}

TEST_P(BindingTest, UnidirectionalDataSetsAndLoadingAreRefused)
{
    MessageRecorder boxes;
    addItems(2);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    items.SetUniDirectional(true);
    try {
        g.SetDataSource(&source(items));
        FAIL() << "a unidirectional data set was taken";
    } catch (const db::EDatabaseError &e) {
        EXPECT_EQ(e.Message(), QStringLiteral("不可以在单向数据集上操作"));
    }
    EXPECT_EQ(g.GetDataSource(), nullptr);
    // Made unidirectional after binding: refused when it opens.
    items.SetUniDirectional(false);
    g.SetDataSource(&source(items));
    items.SetUniDirectional(true);
    EXPECT_THROW(items.Open(), db::EDatabaseError);
    items.Close();
    items.SetUniDirectional(false);
    items.Open();
    // A stream cannot be loaded over records.
    TQorGrid other;
    other.SetCols(2);
    other.SetRows(7);
    QBuffer stream;
    stream.open(QIODevice::ReadWrite);
    ASSERT_TRUE(other.SaveToStream(stream, true));
    stream.seek(0);
    EXPECT_FALSE(g.LoadFromStream(stream));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("连接数据库时不可以加载数据。"));
    EXPECT_EQ(g.GetRows(), 2);
}

TEST_P(BindingTest, RefusedTextsAndPostsLoseNothing)
{
    MessageRecorder boxes;
    addItems(2);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    g.SetOptions(g.GetOptions().With(qgoEditing));
    g.SetDataSource(&source(items));
    items.Open();
    const int qty = col("qty");
    g.SetFocusCell(0, qty);
    // Letters into an integer field: a message, and the field keeps its value.
    g.SetCellText(0, qty, QStringLiteral("abc"));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("abc")));
    EXPECT_EQ(g.GetCellText(0, qty), QStringLiteral("1"));
    // The database's check refuses -3: the move is refused, the edit stays and posts once
    // corrected.
    g.SetCellText(0, qty, QStringLiteral("-3"));
    EXPECT_FALSE(g.SetFocusCell(1, qty));
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(g.GetRow(), 0);
    EXPECT_EQ(items.State(), db::dsEdit);
    EXPECT_EQ(g.GetCellText(0, qty), QStringLiteral("-3"));
    g.SetCellText(0, qty, QStringLiteral("3"));
    EXPECT_TRUE(g.SetFocusCell(1, qty));
    EXPECT_EQ(scalar(QStringLiteral("SELECT qty FROM items WHERE name = 'item1'")).toInt(), 3);
}

TEST_P(BindingTest, AStoppedServerKeepsTheEditUntilItIsBack)
{
    if (!pg())
        GTEST_SKIP() << "an embedded SQLite file has no server to stop";
    if (qEnvironmentVariable("QOR_PG_CTL").isEmpty())
        GTEST_SKIP() << "QOR_PG_CTL is not set: the server cannot be stopped from here";
    MessageRecorder boxes;
    addItems(2);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    g.SetOptions(g.GetOptions().With(qgoEditing));
    g.SetDataSource(&source(items));
    items.Open();
    const int qty = col("qty");
    g.SetFocusCell(0, qty);
    g.SetCellText(0, qty, QStringLiteral("77"));
    ASSERT_TRUE(serverCtl("stop"));
    const bool posted = g.PostDataSet();
    const bool restarted = serverCtl("start");
    ASSERT_TRUE(restarted);
    EXPECT_FALSE(posted);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(items.State(), db::dsEdit);
    EXPECT_EQ(g.GetCellText(0, qty), QStringLiteral("77"));
    EXPECT_TRUE(g.PostDataSet());
    db.close();
    ASSERT_TRUE(db.open());
    EXPECT_EQ(scalar(QStringLiteral("SELECT qty FROM items WHERE name = 'item1'")).toInt(), 77);
}

TEST_P(BindingTest, OnDemandDataSetsAreFetchedWholeAndAfterEachRefresh)
{
    addItems(60);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    items.SetPacketRecords(10);
    int ownHandler = 0;
    items.AfterRefresh = [&](db::TDataSet &) { ++ownHandler; };
    g.SetDataSource(&source(items));
    items.Open();
    EXPECT_EQ(g.GetRows(), 60);
    EXPECT_EQ(items.RecNo(), 1);
    // The sheet scrolls over every row it now has.
    g.ShowCell(59, 0);
    EXPECT_GT(g.GetTopRow(), 10);
    EXPECT_EQ(g.GetBottomRow(), 59);
    items.Refresh();
    EXPECT_EQ(g.GetRows(), 60);
    EXPECT_EQ(ownHandler, 1);
    g.SetDataSource(nullptr);
    items.Refresh();   // the grid's hook is gone, the data set's own handler stays
    EXPECT_EQ(ownHandler, 2);
    EXPECT_EQ(items.RecordCount(), 10);
}

QOR_BOTH_BACKENDS(BindingTest);

} // namespace
} // namespace qor::test
