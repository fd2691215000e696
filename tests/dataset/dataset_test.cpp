// The database layer alone: what a data set reads and writes, how its links hear of it, and
// what it refuses.
#include "db_fixture.h"

namespace qor::test {
namespace {

// Writes down each notification a link hears.
class RecordingLink : public db::TDataLink {
public:
    QStringList heard;

protected:
    void ActiveChanged() override { heard << QStringLiteral("active:%1").arg(Active()); }
    void DataSetChanged() override { heard << QStringLiteral("changed"); }
    void DataSetScrolled(int d) override { heard << QStringLiteral("scrolled:%1").arg(d); }
    void EditingChanged() override { heard << QStringLiteral("editing:%1").arg(Editing()); }
    void UpdateData() override { heard << QStringLiteral("update"); }
    void LayoutChanged() override { heard << QStringLiteral("layout"); }
    void FocusControl(db::TField **f) override { heard << QStringLiteral("focus:%1").arg((*f)->FieldName()); }
};

class DataSetTest : public DbTest {};

TEST_P(DataSetTest, ReadsFieldsRecordsAndTypes)
{
    addItems(3);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    items.Open();
    ASSERT_EQ(items.RecordCount(), 3);
    EXPECT_EQ(items.RecNo(), 1);
    EXPECT_EQ(items.KeyFields(), QStringList{QStringLiteral("id")});
    EXPECT_EQ(items.FieldByName(QStringLiteral("QTY")).DataType(), db::ftInteger);   // case does not matter
    EXPECT_EQ(items.FieldByName(QStringLiteral("note")).DataType(), db::ftMemo);
    EXPECT_EQ(items.FieldByName(QStringLiteral("photo")).DataType(), db::ftBlob);
    EXPECT_EQ(items.FieldByName(QStringLiteral("paid")).DataType(), db::ftBoolean);
    items.Last();
    EXPECT_EQ(items.FieldByName(QStringLiteral("name")).AsString(), QStringLiteral("item3"));
    EXPECT_EQ(items.FieldByName(QStringLiteral("price")).DisplayText(), QStringLiteral("4.5"));
    // Another record read without moving the cursor.
    {
        db::TDataSet::RecordScope scope(items, 0);
        EXPECT_EQ(items.FieldByName(QStringLiteral("name")).AsString(), QStringLiteral("item1"));
    }
    EXPECT_EQ(items.RecNo(), 3);
    EXPECT_THROW(items.FieldByName(QStringLiteral("nope")), db::EDatabaseError);
}

TEST_P(DataSetTest, LinksHearStatesScrollsAndEdits)
{
    addItems(5);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    db::TDataSource &src = source(items);
    RecordingLink link;
    link.SetDataSource(&src);
    link.SetBufferCount(2);
    items.Open();
    items.MoveBy(3);
    EXPECT_EQ(link.FirstRecord(), 2);   // the window of two follows the cursor to record 4
    EXPECT_EQ(link.ActiveRecord(), 1);
    items.FieldByName(QStringLiteral("qty")).SetAsString(QStringLiteral("40"));
    items.Post();
    items.DisableControls();
    items.First();
    items.Next();
    items.EnableControls();
    EXPECT_EQ(link.heard.join(u' '),
              QStringLiteral("active:1 scrolled:3 editing:1 update editing:0 changed changed"));
    items.FocusField(items.FieldByName(QStringLiteral("qty")));
    items.Close();
    EXPECT_EQ(link.heard.mid(7).join(u' '), QStringLiteral("focus:qty active:0"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT qty FROM items WHERE name = 'item4'")).toInt(), 40);
}

TEST_P(DataSetTest, RefusesWhatItCannotTakeAndKeepsTheEdit)
{
    addItems(2);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    items.Open();
    db::TField &qty = items.FieldByName(QStringLiteral("qty"));
    // Letters into an integer field: refused, nothing stored, not even 0.
    EXPECT_THROW(qty.SetAsString(QStringLiteral("abc")), db::EDatabaseError);
    EXPECT_EQ(items.State(), db::dsBrowse);
    EXPECT_EQ(qty.AsInteger(), 1);
    // The database's own check refuses the post: the edit and its state stay, and a
    // corrected value posts.
    qty.SetAsString(QStringLiteral("-5"));
    EXPECT_THROW(items.Post(), db::EDatabaseError);
    EXPECT_EQ(items.State(), db::dsEdit);
    EXPECT_EQ(qty.AsString(), QStringLiteral("-5"));
    qty.SetAsString(QStringLiteral("7"));
    items.Post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT qty FROM items WHERE name = 'item1'")).toInt(), 7);
    // A read-only query cannot be edited at all.
    db::TSqlDataSet &view = *sets.emplace_back(std::make_unique<db::TSqlDataSet>(db));
    view.SetSelect(QStringLiteral("SELECT name, qty FROM items"));
    view.Open();
    EXPECT_FALSE(view.CanModify());
    EXPECT_THROW(view.Edit(), db::EDatabaseError);
}

TEST_P(DataSetTest, TextIsBoundNeverSpliced)
{
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    items.Open();
    const QString hostile = QStringLiteral("x'); DROP TABLE orders; --");
    items.Append();
    items.FieldByName(QStringLiteral("name")).SetAsString(hostile);
    items.FieldByName(QStringLiteral("qty")).SetAsString(QStringLiteral("1"));
    items.Post();
    EXPECT_GT(items.FieldByName(QStringLiteral("id")).AsInteger(), 0);   // the key came back
    EXPECT_EQ(scalar(QStringLiteral("SELECT name FROM items")).toString(), hostile);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM orders")).toInt(), 2);
    items.Delete();
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM items")).toInt(), 0);
}

TEST_P(DataSetTest, DetailFollowsTheMasterRecord)
{
    addItems(3, 1);
    addItems(2, 2);
    db::TSqlDataSet &orders = table(QStringLiteral("orders"));
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    items.SetMasterSource(&source(orders), {QStringLiteral("id")}, {QStringLiteral("order_id")});
    orders.Open();
    items.Open();
    EXPECT_EQ(items.RecordCount(), 3);
    orders.Next();
    EXPECT_EQ(items.RecordCount(), 2);
    items.Append();   // a new line belongs to the master's record
    items.FieldByName(QStringLiteral("name")).SetAsString(QStringLiteral("new"));
    items.Post();
    EXPECT_EQ(scalar(QStringLiteral("SELECT order_id FROM items WHERE name = 'new'")).toInt(), 2);
}

TEST_P(DataSetTest, FetchesOnDemandAndRefreshes)
{
    addItems(25);
    db::TSqlDataSet &items = table(QStringLiteral("items"));
    items.SetPacketRecords(10);
    int refreshed = 0;
    items.AfterRefresh = [&](db::TDataSet &) { ++refreshed; };
    items.Open();
    EXPECT_TRUE(items.CountsFetchedOnly());
    EXPECT_EQ(items.RecordCount(), 10);
    const db::TDataSet::TBookmark mark = items.GetBookmark();
    items.Last();
    EXPECT_EQ(items.RecordCount(), 25);
    items.GotoBookmark(mark);
    EXPECT_EQ(items.RecNo(), 1);
    exec(QStringLiteral("UPDATE items SET qty = 99 WHERE name = 'item1'"));
    items.Refresh();
    EXPECT_EQ(refreshed, 1);
    EXPECT_EQ(items.FieldByName(QStringLiteral("qty")).AsInteger(), 99);
}

QOR_BOTH_BACKENDS(DataSetTest);

} // namespace
} // namespace qor::test
