// Filtering rows: the column conditions, top-10 counts, and what DoFilter shows and hides.
#include <gtest/gtest.h>
#include "core/grid.h"
#include "data/sort_item.h"

namespace qor::test {
namespace {

struct Case {
    TFilterCondition condition;
    const char *value;
    bool numeric;
    const char *text;
    bool passes;
};

// One line per condition and flag; texts that sit on the edge of each comparison.
const Case kCases[] = {
    {fcEquals, "5", true, "5.0", true},       {fcEquals, "5", false, "5.0", false},
    {fcEquals, "abc", true, "x", false},      // N(V,-1) = -1, N(T,0) = 0
    {fcEquals, "abc", false, "ABC", true},    // CompareText ignores ASCII case
    {fcDoesNotEqual, "x", true, "y", false},  // both count as 0
    {fcDoesNotEqual, "x", false, "y", true},
    {fcIsGreaterThan, "5", true, "6", true},  {fcIsGreaterThan, "5", true, "10", true},
    {fcIsGreaterThan, "5", true, "5", false}, {fcIsGreaterThan, "5", true, "abc", false},
    {fcIsGreaterThan, "5", false, "10", false}, {fcIsGreaterThan, "5", false, "6", true},
    {fcIsGreaterThan, "x", true, "0.5", false},   // N(V,1) = 1
    {fcIsGreaterThanOrEqual, "5", true, "5", true}, {fcIsGreaterThanOrEqual, "b", false, "B", true},
    {fcIsLessThan, "x", true, "-2", true},    {fcIsLessThan, "x", true, "-0.5", false},  // N(V,-1) = -1
    {fcIsLessThan, "5", false, "10", true},
    {fcIsLessThanOrEqual, "5", true, "5", true}, {fcIsLessThanOrEqual, "5", true, "5.1", false},
    {fcBeginsWith, "A", false, "apple", true}, {fcBeginsWith, "A", true, "apple", true},
    {fcBeginsWith, "app", false, "ap", false},
    {fcDoesNotBeginWith, "a", false, "banana", true},
    {fcEndsWith, "Z", false, "apple-z", true}, {fcEndsWith, "apple", false, "le", false},
    {fcDoesNotEndWith, "z", false, "apple", true},
    {fcContains, "A", false, "CAT", true},    {fcContains, "A", false, "cat", false},
    {fcContains, "A", true, "cat", false},
    {fcDoesNotContain, "A", false, "cat", true},
    {fcBeginsWith, "中", false, "中国", true}, {fcContains, "国", false, "中国人", true},
};

TEST(Filter, EachCustomConditionWithAndWithoutTheNumericFlag)
{
    TQorGrid g;
    g.SetCols(1);
    TQorColumn &c = *g.Columns(0);
    c.SetFilterType(ftCustom);
    for (const Case &k : kCases) {
        c.SetCustomFilter(k.condition, k.value, k.numeric);
        EXPECT_EQ(c.Filter(k.text, false), k.passes)
            << "condition " << int(k.condition) << " value " << k.value << " numeric " << k.numeric << " text " << k.text;
    }
}

TEST(Filter, TwoConditionsCombineWithAndOrOr)
{
    TQorGrid g;
    g.SetCols(1);
    TQorColumn &c = *g.Columns(0);
    c.SetFilterType(ftCustom);
    c.SetCustomFilter(fcBeginsWith, "a", true, fcEndsWith, "z", false);
    EXPECT_TRUE(c.Filter("apple-z", false));
    EXPECT_FALSE(c.Filter("banana-z", false));
    EXPECT_FALSE(c.Filter("apple", false));
    c.SetCustomFilter(fcBeginsWith, "a", false, fcEndsWith, "z", false);
    EXPECT_TRUE(c.Filter("banana-z", false));
    EXPECT_TRUE(c.Filter("apple", false));
    EXPECT_FALSE(c.Filter("kiwi", false));
    // The short form leaves the second condition out.
    c.SetCustomFilter(fcEquals, "kiwi", false);
    EXPECT_EQ(c.DataState().Condition2, fcNone);
    EXPECT_TRUE(c.Filter("KIWI", false));
    c.SetCustomFilter(fcNone, "", false);
    EXPECT_TRUE(c.Filter("anything", false));
    // Setting conditions changes neither the type nor the rows.
    c.SetFilterType(ftAll);
    c.SetCustomFilter(fcEquals, "x", false);
    EXPECT_EQ(c.GetFilterType(), ftAll);
    EXPECT_TRUE(c.Filter("y", false));
}

TEST(Filter, BlanksAndNonBlanks)
{
    TQorGrid g;
    g.SetCols(1);
    TQorColumn &c = *g.Columns(0);
    c.SetFilterType(ftBlanks);
    EXPECT_TRUE(c.Filter("", false));
    EXPECT_FALSE(c.Filter(" ", false));
    c.SetFilterType(ftNonBlanks);
    EXPECT_FALSE(c.Filter("", false));
    EXPECT_TRUE(c.Filter("x", false));
}

class FilterGrid : public ::testing::Test {
protected:
    void fill(const QStringList &texts)
    {
        g.SetCols(2);
        g.SetRows(int(texts.size()));
        for (int r = 0; r < texts.size(); ++r) {
            g.SetCellText(r, 0, texts[r]);
            g.SetCellText(r, 1, QString::number(r));
        }
    }
    QStringList shown(int col = 0)
    {
        QStringList out;
        for (int r = 0; r < g.GetRows(); ++r)
            if (g.GetRowVisible(r))
                out << g.GetCellText(r, col);
        return out;
    }
    void top10(bool largest, int count, bool items)
    {
        g.Columns(0)->SetTop10Filter(largest, count, items);
        g.Columns(0)->SetFilterType(ftTop10);
        g.DoFilter();
    }
    TQorGrid g;
};

TEST_F(FilterGrid, TopTenKeepsEveryValueAtLeastTheNthLargest)
{
    fill({"5", "9", "1", "7", "9"});
    top10(true, 3, true);
    EXPECT_EQ(shown(), QStringList({"9", "7", "9"}));
    top10(false, 2, true);
    EXPECT_EQ(shown(), QStringList({"5", "1"}));
    top10(true, 50, true);   // more than there are: every row
    EXPECT_EQ(shown().size(), 5);
}

TEST_F(FilterGrid, TopTenPercentRoundsHalvesToEven)
{
    fill({"1", "2", "3", "4", "5"});
    top10(true, 50, false);   // 2.5 -> 2
    EXPECT_EQ(shown(), QStringList({"4", "5"}));
    top10(true, 70, false);   // 3.5 -> 4
    EXPECT_EQ(shown(), QStringList({"2", "3", "4", "5"}));
    top10(false, 30, false);  // 1.5 -> 2
    EXPECT_EQ(shown(), QStringList({"1", "2"}));
}

// The list is made with the sort's comparison, handler included.
TEST_F(FilterGrid, TopTenListHonoursTheCompareHandler)
{
    fill({"1", "2", "3", "4", "5"});
    g.OnSortCompareFunc = [](QObject *, int, const QString &, const QString &, int &result) { result = -result; };
    top10(true, 2, true);     // the "largest" list now ascends: its second entry is 2
    EXPECT_EQ(shown(), QStringList({"2", "3", "4", "5"}));
}

// A count that comes out below 1 names no value: the filter passes no row.
TEST_F(FilterGrid, TopTenOfNothingPassesNoRow)
{
    fill({"1", "2", "3", "4", "5"});
    top10(true, 5, false);    // 0.25 -> 0
    EXPECT_TRUE(shown().isEmpty());
    top10(true, 0, true);
    EXPECT_TRUE(shown().isEmpty());
    top10(true, -3, true);
    EXPECT_TRUE(shown().isEmpty());
    g.SetFilterBeginRow(5);   // clamped to the last row
    g.SetFilterEndRow(4);     // an empty range
    EXPECT_NO_FATAL_FAILURE(top10(true, 10, false));
}

TEST_F(FilterGrid, TopTenOfTextsComparesCodeUnits)
{
    fill({"b", "d", "a", "c"});
    top10(true, 2, true);
    EXPECT_EQ(shown(), QStringList({"d", "c"}));
    top10(false, 1, true);
    EXPECT_EQ(shown(), QStringList({"a"}));
}

TEST_F(FilterGrid, ResetShowsEveryRowAtItsSavedHeight)
{
    fill({"4", "5", "6", "10", "abc"});
    g.SetRowHeight(0, 33);
    g.SetRowHeight(2, 44);
    g.Columns(0)->SetCustomFilter(fcIsGreaterThan, "5", true);
    g.Columns(0)->SetFilterType(ftCustom);
    int before = 0, after = 0;
    g.OnBeforeFilter = [&](QObject *, bool &) { ++before; };
    g.OnFiltered = [&](QObject *) { ++after; };
    g.DoFilter();
    EXPECT_EQ(shown(), QStringList({"6", "10"}));
    EXPECT_EQ(g.GetRowRec(0).Height, 0);
    EXPECT_EQ(g.GetRowHeight(0), 33);   // hidden rows report their saved height
    const int sheetHeight = g.GetInnerHeight();
    EXPECT_TRUE(g.ResetFilter());
    EXPECT_FALSE(g.ResetFilter());
    EXPECT_EQ(shown().size(), 2);      // nothing applied yet
    g.DoFilter();
    EXPECT_EQ(shown().size(), 5);
    EXPECT_EQ(g.GetRowRec(0).Height, 33);
    EXPECT_EQ(g.GetRowRec(2).Height, 44);
    EXPECT_GT(g.GetInnerHeight(), sheetHeight);
    EXPECT_EQ(before, 2);
    EXPECT_EQ(after, 2);

    // A handler that changes the columns finds the run finished.
    g.OnFiltered = [&](QObject *) { g.SetCols(1); };
    g.DoFilter();
    EXPECT_EQ(g.GetCols(), 1);

    g.OnBeforeFilter = [&](QObject *, bool &can) { can = false; };
    g.Columns(0)->SetFilterType(ftBlanks);
    g.DoFilter();
    EXPECT_EQ(shown().size(), 5);
    EXPECT_EQ(after, 2);
}

TEST_F(FilterGrid, GroupRowsStayAndTheRangeLimitsTheRun)
{
    fill({"title", "x", "", "header", "y", "footer"});
    g.SetRowGroup(3, 0, 1, 1, 0);
    g.SetRowGroup(5, 0, 2, 1, 0);
    g.SetFilterBeginRow(1);
    g.Columns(0)->SetFilterType(ftBlanks);
    g.DoFilter();
    EXPECT_EQ(shown(), QStringList({"title", "", "header", "footer"}));
}

TEST_F(FilterGrid, SeveralColumnsMustAllPass)
{
    fill({"1", "2", "3", "4"});
    g.Columns(0)->SetCustomFilter(fcIsGreaterThan, "1", true);
    g.Columns(0)->SetFilterType(ftCustom);
    g.Columns(1)->SetCustomFilter(fcIsLessThan, "3", true);
    g.Columns(1)->SetFilterType(ftCustom);
    g.DoFilter();
    EXPECT_EQ(shown(), QStringList({"2", "3"}));
}

TEST_F(FilterGrid, SortDataListsTheRangesValuesSorted)
{
    fill({"3", "", "1", "2"});
    std::vector<TSortItem> list;
    EXPECT_TRUE(g.GetSortData(0, false, list));
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].Text, "3");
    EXPECT_EQ(list[3].Text, "");
    g.SetCellText(1, 0, "x");
    EXPECT_FALSE(g.GetSortData(0, true, list));
    EXPECT_TRUE(g.GetSortData(7, true, list));   // no such column: an empty list
    EXPECT_TRUE(list.empty());
}

TEST_F(FilterGrid, FilterStateComesBackWithTheColumnRecord)
{
    fill({"1"});
    TQorColumn &c = *g.Columns(0);
    c.SetCustomFilter(fcContains, "中", false, fcIsLessThan, "9", true);
    c.SetTop10Filter(false, 7, false);
    c.SetFilterType(ftCustom);
    QByteArray record;
    c.SaveToStream(record);
    ASSERT_TRUE(g.Columns(1)->LoadFromStream(record));
    EXPECT_TRUE(g.Columns(1)->DataState() == c.DataState());
}

} // namespace
} // namespace qor::test
