// Container classes and the cell pool.
#include <gtest/gtest.h>

#include "core/model/cell_pool_p.h"
#include "core/model/containers.h"

using namespace qor;

TEST(Containers, StringListSplitsEveryLineBreakAndJoinsWithCrLf)
{
    TQorStrings s;
    s.SetText("a\r\nb\nc\rd\r\n");
    EXPECT_EQ(s.Count(), 4);
    EXPECT_EQ(s.Get(3), "d");
    EXPECT_EQ(s.Get(4), "");
    EXPECT_EQ(s.GetText(), "a\r\nb\r\nc\r\nd\r\n");
    s.SetText("x\n\ny");
    EXPECT_EQ(s.Count(), 3);
    EXPECT_EQ(s.Get(1), "");
    s.Insert(99, "end");
    s.Delete(-1);
    s.Put(7, "ignored");
    EXPECT_EQ(s.Get(3), "end");
    EXPECT_EQ(s.IndexOf("y"), 2);
}

TEST(Containers, RecordListInsertsSortedAndFindsTheFirstEqual)
{
    struct Rec {
        int key;
        int seq;
    };
    auto less = [](const Rec &a, const Rec &b) { return a.key < b.key; };
    TRecordList<Rec, decltype(less)> list(less);
    for (int k : {5, 1, 3, 3, 9})
        list.AddSorted({k, list.Count()});
    EXPECT_EQ(list[0].key, 1);
    EXPECT_EQ(list[4].key, 9);
    const int i = list.Find({3, 0});
    ASSERT_EQ(i, 1);
    EXPECT_EQ(list[1].seq, 2); // equal keys keep their insertion order
    EXPECT_EQ(list[2].seq, 3);
    EXPECT_EQ(list.Find({4, 0}), -1);
    list.Delete(10);
    EXPECT_EQ(list.Count(), 5);
}
