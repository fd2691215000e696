// The mouse on a shown grid: clicks make cells current, drags select, header clicks and
// header-border resizing, check boxes and radio items.
#include <gtest/gtest.h>

#include "core/grid_p.h"
#include "nav_fixture.h"

using namespace qor;
using qor::test::NavGrid;

TEST(NavigationMouse, ClicksMakeCellsCurrentAndDragsSelectOverMerges)
{
    NavGrid t(8, 6);
    TQorGrid &g = t.g;
    g.MergeCells(2, 2, 3, 4);
    t.click(1, 1);
    EXPECT_EQ(t.current(), QPoint(1, 1));
    t.click(g.GetCellRect(3, 4).center());   // a covered part: the owner
    EXPECT_EQ(t.current(), QPoint(2, 2));
    EXPECT_EQ(g.GetState(), gsNormal);

    QTest::mousePress(g.viewport(), Qt::LeftButton, {}, t.center(0, 0));
    EXPECT_EQ(g.GetState(), gsSelecting);
    t.move(g.GetCellRect(2, 3).center(), Qt::LeftButton);
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, g.GetCellRect(2, 3).center());
    EXPECT_EQ(g.GetSelRect(), QRect(QPoint(0, 0), QPoint(4, 3)));
    EXPECT_EQ(t.current(), QPoint(0, 0));
    EXPECT_EQ(g.GetState(), gsNormal);

    t.click(t.center(5, 5), Qt::ShiftModifier);
    EXPECT_EQ(g.GetSelRect(), QRect(QPoint(0, 0), QPoint(5, 5)));
}

TEST(NavigationMouse, HeaderBordersResizeUnlessRefused)
{
    NavGrid t(6, 5, gtExcel);
    TQorGrid &g = t.g;
    bool allow = false;
    g.OnBeforeColumnWidthChange = [&](QObject *, int, bool &can) { can = allow; };
    const QRect title = g.GetColTitleRect(1);
    const QPoint border(title.right() + 1, title.center().y());
    auto drag = [&](QPoint from, QPoint to) {
        QTest::mousePress(g.viewport(), Qt::LeftButton, {}, from);
        t.move(to, Qt::LeftButton);
    };
    drag(border, border + QPoint(25, 0));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, border + QPoint(25, 0));
    EXPECT_EQ(g.GetColWidth(1), 60);

    allow = true;
    drag(border, border + QPoint(25, 0));
    EXPECT_EQ(g.GetState(), gsColSizing);
    EXPECT_EQ(g.GetColWidth(1), 85);
    EXPECT_EQ(GridPrivate::get(g).nav.sizeInfo, QStringLiteral("宽度: 85 像素"));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, border + QPoint(25, 0));
    EXPECT_EQ(g.GetState(), gsNormal);

    const QRect rowTitle = g.GetRowTitleRect(2);
    drag(QPoint(rowTitle.center().x(), rowTitle.bottom() + 1), QPoint(rowTitle.center().x(), rowTitle.bottom() + 11));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, rowTitle.center());
    EXPECT_EQ(g.GetRowHeight(2), 28);

    g.SetOptions(g.GetOptions().Without(qgoRowSizing));
    const QRect rowTitle3 = g.GetRowTitleRect(3);
    drag(QPoint(rowTitle3.center().x(), rowTitle3.bottom() + 1), QPoint(rowTitle3.center().x(), rowTitle3.bottom() + 11));
    QTest::mouseRelease(g.viewport(), Qt::LeftButton, {}, rowTitle3.center());
    EXPECT_EQ(g.GetRowHeight(3), 18);
}

TEST(NavigationMouse, ClicksToggleCheckBoxesAndPickRadioItems)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    g.Cells(0, 0)->SetCellType(ctCheckBox);
    t.click(0, 0);
    EXPECT_TRUE(g.GetCellChecked(0, 0));
    t.click(0, 0);
    EXPECT_FALSE(g.GetCellChecked(0, 0));
    g.Cells(0, 1)->SetCellType(ctCheckBox);
    g.Cells(0, 1)->SetReadOnly(true);
    t.click(0, 1);
    EXPECT_FALSE(g.GetCellChecked(0, 1));

    g.SetRowHeight(2, 60);
    TCellInfo *radio = g.Cells(2, 0);
    radio->SetCellType(ctRadioButton);
    radio->Items().Add("a");
    radio->Items().Add("b");
    radio->Items().Add("c");
    const QRect r = g.CellRect(2, 0);
    t.click(QPoint(r.left() + 8, r.bottom() - 4));
    EXPECT_EQ(radio->GetItemIndex(), 2);
    t.click(QPoint(r.left() + 8, r.top() + 4));
    EXPECT_EQ(radio->GetItemIndex(), 0);
}
