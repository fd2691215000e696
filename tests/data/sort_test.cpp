// Sorting rows: what moves, what stays, what refuses, and what the title shows.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QTest>
#include <random>
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/grid_seams_p.h"
#include "core/model/merge_table_p.h"
#include "data/sort_compare.h"
#include "message_recorder.h"
#include "../core/paint_fixture.h"

namespace qor::test {
namespace {

void fillColumn(TQorGrid &g, int col, const QStringList &texts)
{
    for (int r = 0; r < texts.size(); ++r)
        g.SetCellText(r, col, texts[r]);
}

QStringList column(TQorGrid &g, int col, int first = 0, int last = -1)
{
    QStringList out;
    for (int r = first; r <= (last < 0 ? g.GetRows() - 1 : last); ++r)
        out << g.GetCellText(r, col);
    return out;
}

TEST(Sort, NumbersSortAsNumbersUntilOneTextIsNot)
{
    TQorGrid g;
    g.SetCols(2);
    g.SetRows(3);
    fillColumn(g, 0, {"10", "9", ""});
    fillColumn(g, 1, {"ten", "nine", "none"});
    ASSERT_TRUE(g.Sort(0, true));
    EXPECT_EQ(column(g, 0), QStringList({"", "9", "10"}));   // empty counts as 0
    EXPECT_EQ(column(g, 1), QStringList({"none", "nine", "ten"}));
    ASSERT_TRUE(g.Sort(0, false));
    EXPECT_EQ(column(g, 0), QStringList({"10", "9", ""}));

    g.SetCellText(2, 0, "a");
    ASSERT_TRUE(g.Sort(0, true));
    EXPECT_EQ(column(g, 0), QStringList({"10", "9", "a"}));
}

TEST(Sort, ChineseTextsSortByPinyinAndLatinByLetter)
{
    TQorGrid g;
    g.SetCols(1);
    g.SetRows(6);
    fillColumn(g, 0, {"张三", "李四", "王五", "阿明", "b", "A"});
    ASSERT_TRUE(g.Sort(0, true));
    const QStringList sorted = column(g, 0);
    EXPECT_LT(sorted.indexOf("A"), sorted.indexOf("b"));
    EXPECT_EQ(sorted.mid(sorted.indexOf("阿明"), 4), QStringList({"阿明", "李四", "王五", "张三"}));
    EXPECT_LT(AnsiCompareStr("a", "A"), 0);   // case-sensitive: lower case first
}

TEST(Sort, MergedBlocksMoveWholeAndRowsAboveTheRangeStay)
{
    TQorGrid g;
    g.SetCols(2);
    g.SetRows(8);
    g.SetCellText(0, 0, "head");
    g.SetCellText(1, 0, "sub");
    // Blocks of 2 rows in column 0 from row 2 on, each with two lines in column 1.
    const QStringList keys = {"30", "10", "20"};
    for (int b = 0; b < 3; ++b) {
        g.SetCellText(2 + 2 * b, 0, keys[b]);
        g.MergeCells(2 + 2 * b, 0, 3 + 2 * b, 0);
        g.SetCellText(2 + 2 * b, 1, keys[b] + "-top");
        g.SetCellText(3 + 2 * b, 1, keys[b] + "-bottom");
    }
    g.SetRowHeight(3, 40);   // the bottom line of block "30"
    g.SetSortBeginRow(2);
    ASSERT_TRUE(g.Sort(0, true));
    EXPECT_EQ(column(g, 0), QStringList({"head", "sub", "10", "", "20", "", "30", ""}));
    EXPECT_EQ(column(g, 1, 2), QStringList({"10-top", "10-bottom", "20-top", "20-bottom", "30-top", "30-bottom"}));
    EXPECT_EQ(g.GetRowHeight(7), 40);
    for (int r : {2, 4, 6})
        EXPECT_EQ(g.MergedArea(r, 0), QRect(0, r, 1, 2)) << r;
    EXPECT_EQ(GridPrivate::get(g).merges->checkConsistency(), "");
    EXPECT_EQ(GridPrivate::get(g).cells.checkConsistency(), "");
}

TEST(Sort, MergedAreasThatDoNotFitTheRangeRefuseWithAMessage)
{
    MessageRecorder boxes;
    TQorGrid g;
    g.SetCols(2);
    g.SetRows(6);
    fillColumn(g, 0, {"5", "4", "3", "2", "1", "0"});
    g.MergeCells(1, 1, 2, 1);   // crosses the range's top edge once the range starts at 2
    g.SetSortBeginRow(2);
    EXPECT_FALSE(g.Sort(0, true));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "此操作需要合并单元格具有相同大小。");
    EXPECT_EQ(boxes.last().caption, "提示");
    EXPECT_EQ(boxes.last().icon(), platform::MB_ICONWARNING);
    EXPECT_EQ(g.GetSortingColIndex(), -1);

    // Rows merged in threes in another column would be torn by single-row moves.
    TQorGrid t;
    t.SetCols(2);
    t.SetRows(6);
    fillColumn(t, 0, {"5", "4", "3", "2", "1", "0"});
    t.MergeCells(0, 1, 2, 1);
    t.MergeCells(3, 1, 5, 1);
    EXPECT_FALSE(t.Sort(0, true));
    EXPECT_EQ(boxes.count(), 2);
    EXPECT_EQ(column(t, 0), QStringList({"5", "4", "3", "2", "1", "0"}));
}

TEST(Sort, EmptyAndOneRowRangesChangeNothingButStillReport)
{
    for (int rows : {0, 1}) {
        TQorGrid g;
        g.SetCols(2);
        g.SetRows(rows);
        if (rows)
            g.SetCellText(0, 0, "x");
        int sorted = -2;
        g.OnSorted = [&](QObject *, int col) { sorted = col; };
        EXPECT_TRUE(g.Sort(1, false)) << rows;
        EXPECT_EQ(sorted, 1);
        EXPECT_EQ(g.GetSortingColIndex(), 1);
        EXPECT_FALSE(g.GetSortingColASC());
        if (rows)
            EXPECT_EQ(g.GetCellText(0, 0), "x");
    }
    TQorGrid g;
    g.SetCols(1);
    g.SetRows(3);
    EXPECT_FALSE(g.Sort(1, true));
    EXPECT_FALSE(g.Sort(-1, true));
}

TEST(Sort, GroupRowsComeLastInBothDirections)
{
    TQorGrid g;
    g.SetCols(1);
    g.SetRows(5);
    fillColumn(g, 0, {"1", "header", "3", "footer", "2"});
    g.SetRowGroup(1, 0, 1, 1, 0);
    g.SetRowGroup(3, 0, 2, 1, 0);
    for (bool asc : {true, false}) {
        ASSERT_TRUE(g.Sort(0, asc));
        const QStringList c = column(g, 0);
        EXPECT_EQ(c.mid(3), QStringList({"header", "footer"})) << asc;
        EXPECT_EQ(c.mid(0, 3), asc ? QStringList({"1", "2", "3"}) : QStringList({"3", "2", "1"}));
        EXPECT_EQ(g.GetRowRec(3).Group2, 1);
        EXPECT_EQ(g.GetRowRec(4).Group2, 2);
    }
}

// The handler sees the ascending result and may overrule it; an inconsistent one must not
// crash the quicksort, and a re-entrant Sort is refused.
TEST(Sort, CompareHandlersCannotBreakTheSort)
{
    for (int answer : {0, -1, 1}) {
        TQorGrid g;
        g.SetCols(2);
        g.SetRows(60);
        for (int r = 0; r < 60; ++r) {
            g.SetCellText(r, 0, QString::number((r * 37) % 60));
            g.SetCellText(r, 1, QString::number(r));
        }
        bool reentered = true;
        g.OnSortCompareFunc = [&](QObject *, int col, const QString &, const QString &, int &result) {
            EXPECT_EQ(col, 0);
            result = answer;
            reentered = g.Sort(1, true);
        };
        ASSERT_TRUE(g.Sort(0, answer == 0));
        EXPECT_FALSE(reentered);
        QStringList rows = column(g, 1);
        std::sort(rows.begin(), rows.end(), [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
        for (int r = 0; r < 60; ++r)
            ASSERT_EQ(rows[r], QString::number(r)) << "a row was lost with answer " << answer;
        for (int r = 0; r < 60; ++r)   // each row's cells stay together
            EXPECT_EQ(g.GetCellText(r, 0), QString::number((g.GetCellText(r, 1).toInt() * 37) % 60));
    }
}

TEST(Sort, HandlerOverrulesTheComparisonInAscendingTerms)
{
    TQorGrid g;
    g.SetCols(1);
    g.SetRows(20);
    for (int r = 0; r < 20; ++r)
        g.SetCellText(r, 0, QString("x%1").arg(r % 7));
    // Longer texts first, whatever the direction asks: the handler answers for ascending.
    g.OnSortCompareFunc = [](QObject *, int, const QString &a, const QString &b, int &result) {
        result = a.mid(1).toInt() - b.mid(1).toInt();
    };
    ASSERT_TRUE(g.Sort(0, false));
    const QStringList c = column(g, 0);
    for (int r = 1; r < 20; ++r)
        EXPECT_GE(c[r - 1].mid(1).toInt(), c[r].mid(1).toInt());
}

// Random sheets against the property a sort promises: the key column is ordered and every
// row arrives whole.
TEST(Sort, RandomSheetsComeOutOrderedWithWholeRows)
{
    std::mt19937 rng(7);
    for (int round = 0; round < 30; ++round) {
        const int rows = int(rng() % 300), cols = 1 + int(rng() % 4);
        const bool numeric = rng() % 2;
        TQorGrid g;
        g.SetCols(cols + 1);
        g.SetRows(rows);
        std::vector<QString> keys;
        for (int r = 0; r < rows; ++r) {
            QString key = numeric ? QString::number(int(rng() % 50) - 25) : QString(QChar(u'a' + int(rng() % 5)));
            if (rng() % 10 == 0)
                key.clear();
            g.SetCellText(r, 0, key);
            for (int c = 1; c < cols; ++c)
                g.SetCellText(r, c, key + QString("|%1").arg(c));
            g.SetCellText(r, cols, QString::number(r));
        }
        const bool asc = rng() % 2;
        ASSERT_TRUE(g.Sort(0, asc));
        std::vector<bool> seen(size_t(rows), false);
        for (int r = 0; r < rows; ++r) {
            const QString key = g.GetCellText(r, 0);
            for (int c = 1; c < cols; ++c)
                ASSERT_EQ(g.GetCellText(r, c), key + QString("|%1").arg(c));
            const int origin = g.GetCellText(r, cols).toInt();
            ASSERT_FALSE(seen[size_t(origin)]);
            seen[size_t(origin)] = true;
            if (r == 0)
                continue;
            const QString prev = g.GetCellText(r - 1, 0);
            const int order = numeric ? (prev.toInt() < key.toInt() ? -1 : prev.toInt() > key.toInt() ? 1 : 0)
                                      : AnsiCompareStr(prev, key);
            ASSERT_TRUE(asc ? order <= 0 : order >= 0) << "round " << round << " row " << r;
        }
        ASSERT_EQ(GridPrivate::get(g).cells.checkConsistency(), "");
    }
}

// Moved cells share their frames with their new neighbours, and a sort makes no cell and no
// record that the sheet did not have.
TEST(Sort, FramesMeetTheirNewNeighboursAndNothingIsMadeOnTheWay)
{
    TQorGrid g;
    g.SetCols(3);
    g.SetRows(40);
    for (int r = 0; r < 40; ++r)
        g.SetCellText(r, 1, QString::number((r * 7) % 40));
    const int cells = GridPrivate::get(g).cells.CellCount();
    ASSERT_TRUE(g.Sort(1, true));
    EXPECT_EQ(GridPrivate::get(g).cells.CellCount(), cells);
    for (int r = 0; r < 40; ++r)
        EXPECT_EQ(g.Cells(r, 1)->GetRec(), nullptr) << r;

    g.Cells(10, 1)->SetBottomFrame(true);   // the row holding 10
    ASSERT_TRUE(g.Sort(1, false));
    const int at = column(g, 1).indexOf("10");
    EXPECT_TRUE(g.Cells(at, 1)->GetBottomFrame());
    EXPECT_TRUE(g.Cells(at + 1, 1)->GetTopFrame());
}

// Formulas move with their rows and read the same rows' values afterwards.
TEST(Sort, FormulasFollowTheirRows)
{
    TQorGrid g;
    g.SetCols(4);
    g.SetRows(6);
    const QStringList qty = {"3", "1", "2", "5", "4"};
    for (int r = 0; r < 5; ++r) {
        g.SetCellText(r, 0, qty[r]);
        g.SetCellText(r, 1, "10");
        g.SetCellText(r, 2, QString("=A%1*B%1").arg(r + 1));
        g.SetCellText(r, 3, QString("=Sum(A%1:B%1)").arg(r + 1));
    }
    g.SetCellText(5, 2, "=Sum(C1:C5)");
    g.SetCellText(5, 3, "=A2");   // the row holding 1
    g.SetSortEndRow(4);
    ASSERT_TRUE(g.Sort(0, true));
    for (int r = 0; r < 5; ++r) {
        EXPECT_EQ(g.GetCellText(r, 0), QString::number(r + 1));
        EXPECT_EQ(g.GetCellText(r, 2), QString("=A%1*B%1").arg(r + 1));
        EXPECT_EQ(g.GetCellText(r, 3), QString("=Sum(A%1:B%1)").arg(r + 1));
        EXPECT_EQ(g.CellDisplayText(r, 2), QString::number((r + 1) * 10));
    }
    EXPECT_EQ(g.GetCellText(5, 2), "=Sum(C1:C5)");
    EXPECT_EQ(g.CellDisplayText(5, 2), "150");
    EXPECT_EQ(g.GetCellText(5, 3), "=A1");
    EXPECT_EQ(g.CellDisplayText(5, 3), "1");
    g.SetCellText(0, 0, "7");
    EXPECT_EQ(g.CellDisplayText(0, 2), "70");
    EXPECT_EQ(g.CellDisplayText(5, 3), "7");
}

TEST(Sort, TitleClicksSortAndTurnTheDirection)
{
    TQorGrid g;
    g.SetGridType(gtExcel);
    g.SetOptions(g.GetOptions().With(qgoSorting).Without(qgoColMoving));
    g.SetCols(2);
    g.SetRows(3);
    fillColumn(g, 0, {"2", "3", "1"});
    fillColumn(g, 1, {"b", "a", "c"});
    paintGrid(g);
    auto click = [&](int col) {
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.GetColTitleRect(col).center() - QPoint(10, 0));
    };
    click(0);
    EXPECT_EQ(column(g, 0), QStringList({"1", "2", "3"}));
    click(0);
    EXPECT_EQ(column(g, 0), QStringList({"3", "2", "1"}));
    click(1);   // another column keeps the direction
    EXPECT_EQ(column(g, 1), QStringList({"c", "b", "a"}));
    EXPECT_EQ(g.GetSortingColIndex(), 1);
    EXPECT_FALSE(g.GetSortingColASC());

    g.SetOptions(g.GetOptions().Without(qgoSorting));
    click(1);
    EXPECT_EQ(column(g, 1), QStringList({"c", "b", "a"}));
}

TEST(Sort, TheSortedColumnsTitleShowsItsDirection)
{
    TQorGrid g;
    g.SetGridType(gtExcel);
    g.SetOptions(g.GetOptions().With(qgoSorting));
    g.SetCols(3);
    g.SetRows(3);
    g.SetColWidth(1, 80);
    EXPECT_TRUE(g.GetSortBmp(1).isNull());
    ASSERT_TRUE(g.Sort(1, true));
    const QImage up = g.GetSortBmp(1);
    ASSERT_FALSE(up.isNull());
    EXPECT_TRUE(g.GetSortBmp(0).isNull());
    // Ascending points up: the apex row is narrower than the base row.
    auto inked = [](const QImage &img, int y) {
        int n = 0;
        for (int x = 0; x < img.width(); ++x)
            n += qAlpha(img.pixel(x, y)) > 0;
        return n;
    };
    EXPECT_LT(inked(up, 0), inked(up, up.height() - 1));
    const QImage picture = paintGrid(g);
    const QRect title = g.GetColTitleRect(1);
    // The arrow sits right of the caption, in the right quarter of the title cell.
    const QRect arrowZone(title.right() - 16, title.top() + 2, 14, title.height() - 4);
    EXPECT_TRUE(hasInk(picture, arrowZone));
    EXPECT_FALSE(hasInk(picture, QRect(g.GetColTitleRect(2).right() - 16, title.top() + 2, 14, title.height() - 4)));
    ASSERT_TRUE(g.Sort(1, false));
    const QImage down = g.GetSortBmp(1);
    EXPECT_GT(inked(down, 0), inked(down, down.height() - 1));
    g.SetOptions(g.GetOptions().Without(qgoSorting));
    EXPECT_TRUE(g.GetSortBmp(1).isNull());
}

// A stand-in for a bound data set of rows 1..3 (one title row, one footer row).
struct BoundRows : IDataBinding {
    int reorderedAt = -2;
    bool ControlsRowCount() const override { return true; }
    void RowsReordered(int currentRow) override { reorderedAt = currentRow; }
};

TEST(Sort, BoundGridsKeepTitleAndFooterAndEachRowOnItsRecord)
{
    TQorGrid g;
    g.SetCols(2);
    g.SetRows(5);
    g.SetTitleRows(1);
    g.SetFooterRows(1);
    g.Columns(0)->SetFieldName("QTY");
    const QStringList qty = {"title", "3", "1", "2", "total"};
    for (int r = 0; r < 5; ++r) {
        g.SetCellText(r, 0, qty[r]);
        g.SetCellText(r, 1, "note" + qty[r]);
    }
    auto binding = std::make_unique<BoundRows>();
    BoundRows &bound = *binding;
    GridPrivate::get(g).seams.binding = std::move(binding);
    ASSERT_TRUE(g.Sort(1, true));
    EXPECT_EQ(column(g, 1), QStringList({"notetitle", "note1", "note2", "note3", "notetotal"}));
    // A row is its record: the record number goes with the row, so the field column (which
    // the data set fills through the record numbers) sorts with the rest.
    EXPECT_EQ(column(g, 0), QStringList({"title", "1", "2", "3", "total"}));
    const int records[] = {0, 2, 3, 1, 0};
    for (int r = 0; r < 5; ++r)
        EXPECT_EQ(g.GetRowRec(r).Group1, records[r]) << r;
    EXPECT_EQ(bound.reorderedAt, g.GetRow());
}

TEST(Sort, TheSortStateTravelsWithTheDocument)
{
    TQorGrid g;
    g.SetCols(3);
    g.SetRows(2);
    ASSERT_TRUE(g.Sort(2, false));
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    ASSERT_TRUE(g.SaveToStream(buffer, true));
    buffer.seek(0);
    TQorGrid loaded;
    ASSERT_TRUE(loaded.LoadFromStream(buffer));
    EXPECT_EQ(loaded.GetSortingColIndex(), 2);
    EXPECT_FALSE(loaded.GetSortingColASC());
}

} // namespace
} // namespace qor::test
