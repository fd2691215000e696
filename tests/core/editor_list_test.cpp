// The drop-down editor: its list and calendar pop-ups, choosing from them, typing with and
// without DirectInput.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QTableView>
#include "core/edit/inplace_editor_list_p.h"
#include "core/edit/inplace_popups_p.h"
#include "editor_fixture.h"

using namespace qor;
using qor::test::NavGrid;

namespace {

TInplaceEditorList *openList(NavGrid &t, int row, int col) { return test::openEditor<TInplaceEditorList>(t, row, col); }
TInplaceEditorList *listOf(TQorGrid &g) { return test::editorOf<TInplaceEditorList>(g); }

TCellInfo *combo(TQorGrid &g, int row, int col, bool directInput)
{
    TCellInfo *cell = g.Cells(row, col);
    cell->SetCellType(ctCombo);
    cell->SetItems(TQorStrings({"apple", "banana", "cherry", "blueberry", "date"}));
    cell->SetDirectInput(directInput);
    return cell;
}

} // namespace

TEST(EditorList, ButtonAltDownAndF4OpenTheListEscClosesItBeforeTheEditor)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    TCellInfo *cell = combo(g, 1, 1, true);
    cell->SetText("banana");
    cell->SetDropDownCount(3);
    cell->SetComboItemHeight(20);
    TInplaceEditorList *e = openList(t, 1, 1);
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(e->PopupVisible());
    ASSERT_FALSE(e->ButtonRect().isEmpty());

    QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, e->ButtonRect().center());
    ASSERT_TRUE(e->PopupVisible());
    TPopupEditListbox *list = e->ListBox();
    EXPECT_TRUE(list->isWindow());
    EXPECT_EQ(list->windowType(), Qt::Popup);
    EXPECT_EQ(list->count(), 5);
    EXPECT_EQ(list->currentRow(), 1);   // the edit's text
    // Three lines of 20 pixels, at least as wide as the cell, right under (or over) the edit.
    EXPECT_EQ(list->height(), 3 * 20 + 2 * list->frameWidth());
    EXPECT_GE(list->width(), e->width());
    const QPoint below = e->mapToGlobal(QPoint(0, e->height()));
    const QPoint above = e->mapToGlobal(QPoint(0, 0)) - QPoint(0, list->height());
    EXPECT_TRUE(list->pos() == below || list->pos() == above) << list->pos().x() << "," << list->pos().y();

    // Esc closes the pop-up only, whether it reaches the list or the edit.
    QTest::keyClick(list, Qt::Key_Escape);
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_TRUE(g.EditorVisible());
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(e->PopupVisible());
    QTest::keyClick(e, Qt::Key_Escape);
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_TRUE(g.EditorVisible());
    QTest::keyClick(e, Qt::Key_F4);
    EXPECT_TRUE(e->PopupVisible());
    QTest::keyClick(list, Qt::Key_F4);
    EXPECT_FALSE(e->PopupVisible());
    QTest::keyClick(e, Qt::Key_Escape);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(cell->GetText(), "banana");
}

TEST(EditorList, ChoosingAnItemFillsTheEditAndCommitSetsItemIndex)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    TCellInfo *cell = combo(g, 0, 0, true);
    TInplaceEditorList *e = openList(t, 0, 0);
    ASSERT_NE(e, nullptr);
    QTest::keyClick(e, Qt::Key_F4);
    TPopupEditListbox *list = e->ListBox();
    list->setCurrentRow(2);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->text(), "cherry");
    EXPECT_EQ(cell->GetText(), "");   // not before the commit
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_EQ(cell->GetText(), "cherry");
    EXPECT_EQ(cell->GetItemIndex(), 2);

    // A click on an item chooses it too.
    e = openList(t, 0, 0);
    QTest::keyClick(e, Qt::Key_F4);
    list = e->ListBox();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(list->item(4)).center());
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->text(), "date");
    g.HideEditor();
    EXPECT_EQ(cell->GetItemIndex(), 4);
}

TEST(EditorList, WithoutDirectInputLettersPickItemsAndNothingElseIsTyped)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    TCellInfo *cell = combo(g, 2, 1, false);
    combo(g, 2, 2, true);
    g.SetFocusCell(2, 1);
    // The letter that opens the editor already picks.
    t.key(Qt::Key_B);
    TInplaceEditorList *e = listOf(g);
    ASSERT_NE(e, nullptr);
    EXPECT_TRUE(e->isReadOnly());
    EXPECT_EQ(e->text(), "banana");
    QTest::keyClick(e, Qt::Key_B);
    EXPECT_EQ(e->text(), "blueberry");
    QTest::keyClick(e, Qt::Key_B);   // wraps round
    EXPECT_EQ(e->text(), "banana");
    QTest::keyClick(e, Qt::Key_X);
    QTest::keyClick(e, Qt::Key_Backspace);
    EXPECT_EQ(e->text(), "banana");
    EXPECT_FALSE(e->InsertChecked("kiwi"));
    // The list still works.
    QTest::keyClick(e, Qt::Key_F4);
    ASSERT_TRUE(e->PopupVisible());
    e->ListBox()->setCurrentRow(0);
    QTest::keyClick(e->ListBox(), Qt::Key_Enter);
    QTest::keyClick(e, Qt::Key_Tab);
    EXPECT_EQ(cell->GetText(), "apple");
    EXPECT_EQ(t.current(), QPoint(2, 2));

    // With DirectInput any text goes in; not in the list means no item.
    t.key(Qt::Key_K);
    e = listOf(g);
    ASSERT_NE(e, nullptr);
    EXPECT_FALSE(e->isReadOnly());
    QTest::keyClicks(e, "iwi");
    g.HideEditor();
    EXPECT_EQ(g.Cells(2, 2)->GetText(), "kiwi");
    EXPECT_EQ(g.Cells(2, 2)->GetItemIndex(), -1);
}

TEST(EditorList, DateCellsChooseADayFromTheCalendar)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    TCellInfo *cell = g.Cells(1, 0);
    cell->SetCellType(ctDate);
    cell->SetText("2024/03/15");
    TInplaceEditorList *e = openList(t, 1, 0);
    ASSERT_NE(e, nullptr);
    QTest::mouseClick(e, Qt::LeftButton, Qt::NoModifier, e->ButtonRect().center());
    ASSERT_TRUE(e->PopupVisible());
    TPopupMonthCalendar *popup = e->MonthCalendar();
    EXPECT_EQ(popup->windowType(), Qt::Popup);
    QCalendarWidget *calendar = popup->Calendar();
    EXPECT_EQ(calendar->selectedDate(), QDate(2024, 3, 15));
    EXPECT_EQ(calendar->monthShown(), 3);
    // Keys move the day; Return chooses it. The separator of the text is kept.
    auto *view = calendar->findChild<QTableView *>();
    ASSERT_NE(view, nullptr);
    QTest::keyClick(view, Qt::Key_Right);
    QTest::keyClick(view, Qt::Key_Return);
    EXPECT_FALSE(e->PopupVisible());
    EXPECT_EQ(e->text(), "2024/03/16");
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_EQ(cell->GetText(), "2024/03/16");

    // An empty or unreadable date starts on today; the calendar's click writes the day.
    cell->SetText("");
    e = openList(t, 1, 0);
    QTest::keyClick(e, Qt::Key_Down, Qt::AltModifier);
    calendar = e->MonthCalendar()->Calendar();
    EXPECT_EQ(calendar->selectedDate(), QDate::currentDate());
    Q_EMIT calendar->clicked(QDate(2001, 2, 3));
    EXPECT_EQ(e->text(), "2001-02-03");
    EXPECT_FALSE(e->PopupVisible());
    // Esc after a choice puts the starting text back.
    QTest::keyClick(e, Qt::Key_Escape);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(cell->GetText(), "");
}
