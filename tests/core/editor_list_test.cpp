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
