// The title drop-down: its button, its menu and the two dialogs, answered as a user would.
#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include "core/grid.h"
#include "data/filter_dialogs.h"
#include "platform/modal.h"
#include "../core/paint_fixture.h"

namespace qor::test {
namespace {

QPushButton *button(QDialog &d, const QString &text)
{
    for (QPushButton *b : d.findChildren<QPushButton *>())
        if (b->text() == text)
            return b;
    return nullptr;
}

QStringList labels(QDialog &d)
{
    QStringList out;
    for (QLabel *l : d.findChildren<QLabel *>())
        out << l->text();
    return out;
}

class FilterMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        g.SetGridType(gtExcel);
        g.SetOptions(g.GetOptions().With(qgoShowFilter).Without(qgoColMoving));
        g.SetCols(2);
        g.SetRows(5);
        const QStringList texts = {"5", "9", "1", "7", "9"};
        for (int r = 0; r < 5; ++r)
            g.SetCellText(r, 0, texts[r]);
        g.OnFiltered = [this](QObject *) { ++filtered; };
        picture = paintGrid(g);
        previousMenu = platform::SetMenuHandler([this](QMenu &menu) -> QAction * {
            for (QAction *a : menu.actions())
                menuItems << a->text() + (a->isChecked() ? "*" : "");
            return pick < 0 ? nullptr : menu.actions().value(pick);
        });
        previousDialog = platform::SetDialogHandler([this](QDialog &d) {
            dialogTitle = d.windowTitle();
            return answer ? answer(d) : int(QDialog::Rejected);
        });
    }
    void TearDown() override
    {
        platform::SetMenuHandler(previousMenu);
        platform::SetDialogHandler(previousDialog);
    }
    void pressButton(int col)
    {
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, g.GetFilterButtonRect(col).center());
    }
    QStringList shown()
    {
        QStringList out;
        for (int r = 0; r < g.GetRows(); ++r)
            if (g.GetRowVisible(r))
                out << g.GetCellText(r, 0);
        return out;
    }

    TQorGrid g;
    QImage picture;
    int pick = -1;
    int filtered = 0;
    QStringList menuItems;
    QString dialogTitle;
    std::function<int(QDialog &)> answer;
    platform::MenuHandler previousMenu;
    platform::DialogHandler previousDialog;
};

TEST_F(FilterMenu, TheButtonOpensFiveRadioItemsWithTheCurrentTypeChecked)
{
    ASSERT_FALSE(g.GetFilterButtonRect(0).isEmpty());
    pressButton(0);
    EXPECT_EQ(menuItems, QStringList({"(全部)*", "(前 10 个...)", "(自定义...)", "(空白)", "(非空白)"}));
    EXPECT_EQ(filtered, 0);
    g.SetOptions(g.GetOptions().Without(qgoShowFilter));
    EXPECT_TRUE(g.GetFilterButtonRect(0).isEmpty());
}

TEST_F(FilterMenu, TopTenDialogShowsItsControlsAndFiltersOnOk)
{
    pick = 1;
    answer = [](QDialog &d) {
        EXPECT_EQ(labels(d), QStringList({"显示"}));
        EXPECT_EQ(d.font().family(), "宋体");
        EXPECT_EQ(d.font().pointSize(), 9);
        auto boxes = d.findChildren<QComboBox *>();
        EXPECT_EQ(boxes.size(), 2);
        EXPECT_EQ(boxes[0]->itemText(0), "最大");
        EXPECT_EQ(boxes[0]->itemText(1), "最小");
        EXPECT_EQ(boxes[1]->itemText(0), "项");
        EXPECT_EQ(boxes[1]->itemText(1), "百分比");
        QSpinBox *count = d.findChild<QSpinBox *>();
        EXPECT_EQ(count->value(), 10);
        EXPECT_EQ(count->minimum(), 0);
        count->selectAll();
        QTest::keyClicks(count, "3");
        QTest::mouseClick(button(d, "确定"), Qt::LeftButton);
        return d.result();
    };
    pressButton(0);
    EXPECT_EQ(dialogTitle, "自动筛选前 10 个");
    EXPECT_EQ(g.Columns(0)->GetFilterType(), ftTop10);
    EXPECT_EQ(g.Columns(0)->DataState().Top10Count, 3);
    EXPECT_EQ(shown(), QStringList({"9", "7", "9"}));
    EXPECT_EQ(filtered, 1);

    // Opened again, the dialog shows the column's filter; switched to smallest 1.
    menuItems.clear();
    answer = [](QDialog &d) {
        auto boxes = d.findChildren<QComboBox *>();
        EXPECT_EQ(d.findChild<QSpinBox *>()->value(), 3);
        boxes[0]->setCurrentIndex(1);
        d.findChild<QSpinBox *>()->setValue(1);
        QTest::mouseClick(button(d, "确定"), Qt::LeftButton);
        return d.result();
    };
    pressButton(0);
    EXPECT_EQ(menuItems.value(1), "(前 10 个...)*");
    EXPECT_EQ(shown(), QStringList({"1"}));
}

TEST_F(FilterMenu, CustomDialogListsTheConditionsAndTakesBothLines)
{
    pick = 2;
    answer = [](QDialog &d) {
        EXPECT_EQ(labels(d), QStringList({"显示行:"}));
        auto boxes = d.findChildren<QComboBox *>();
        EXPECT_EQ(boxes.size(), 2);
        EXPECT_EQ(boxes[0]->count(), 13);
        EXPECT_EQ(boxes[0]->itemText(0), "");
        EXPECT_EQ(boxes[0]->itemText(fcIsGreaterThan), "大于");
        EXPECT_EQ(boxes[0]->itemText(fcDoesNotContain), "不包含");
        auto radios = d.findChildren<QRadioButton *>();
        EXPECT_EQ(radios[0]->text(), "与(&A)");
        EXPECT_TRUE(radios[0]->isChecked());
        EXPECT_EQ(radios[1]->text(), "或(&O)");
        QCheckBox *numeric = d.findChild<QCheckBox *>();
        EXPECT_EQ(numeric->text(), "按数值匹配");
        boxes[0]->setCurrentIndex(fcIsGreaterThan);
        auto edits = d.findChildren<QLineEdit *>();
        QTest::keyClicks(edits[0], "5");
        boxes[1]->setCurrentIndex(fcIsLessThan);
        QTest::keyClicks(edits[1], "9");
        QTest::mouseClick(numeric, Qt::LeftButton);
        QTest::mouseClick(button(d, "确定"), Qt::LeftButton);
        return d.result();
    };
    pressButton(0);
    EXPECT_EQ(dialogTitle, "自定义自动筛选方式");
    const TColumnDataState &s = g.Columns(0)->DataState();
    EXPECT_EQ(s.Condition1, fcIsGreaterThan);
    EXPECT_EQ(s.Value1, "5");
    EXPECT_EQ(s.Condition2, fcIsLessThan);
    EXPECT_EQ(s.Value2, "9");
    EXPECT_TRUE(s.AndCombined);
    EXPECT_TRUE(s.Numeric);
    EXPECT_EQ(shown(), QStringList({"7"}));
}

TEST_F(FilterMenu, CancelledDialogsAndMenusChangeNothing)
{
    pick = 2;
    answer = [](QDialog &d) {
        d.findChildren<QComboBox *>()[0]->setCurrentIndex(fcEquals);
        QTest::mouseClick(button(d, "取消"), Qt::LeftButton);
        return d.result();
    };
    pressButton(0);
    EXPECT_EQ(g.Columns(0)->GetFilterType(), ftAll);
    EXPECT_EQ(g.Columns(0)->DataState().Condition1, fcNone);
    EXPECT_EQ(filtered, 0);
    pick = -1;
    pressButton(0);
    EXPECT_EQ(filtered, 0);
    // A plain choice re-applies even when the type stays.
    pick = 0;
    pressButton(0);
    EXPECT_EQ(filtered, 1);
}

TEST_F(FilterMenu, AFilteredColumnsButtonLooksActive)
{
    const QColor activeInk(0, 0, 0xC0);
    auto blue = [&](const QImage &img, int col) {
        const QRect b = g.GetFilterButtonRect(col);
        for (int y = b.top(); y <= b.bottom(); ++y)
            for (int x = b.left(); x <= b.right(); ++x)
                if (QColor(img.pixel(x, y)) == activeInk)
                    return true;
        return false;
    };
    EXPECT_TRUE(hasInk(picture, g.GetFilterButtonRect(0)));
    EXPECT_FALSE(blue(picture, 0));
    pick = 3;   // (空白)
    pressButton(0);
    EXPECT_TRUE(shown().isEmpty());
    const QImage after = paintGrid(g);
    EXPECT_TRUE(blue(after, 0));
    EXPECT_FALSE(blue(after, 1));
}

} // namespace
} // namespace qor::test
