// Around every editor kind: the events and their order, the button of button cells, committing
// when focus leaves for another control, cancelling, and cells bound to a data set.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QVBoxLayout>
#include "core/grid_p.h"
#include "core/edit/inplace_editor_list_p.h"
#include "core/edit/inplace_popups_p.h"
#include "editor_fixture.h"

using namespace qor;
using qor::test::editorOf;
using qor::test::NavGrid;

TEST(EditorEvents, FocusLeavingForAnotherControlCommitsButNotForThePopup)
{
    QWidget host;
    auto *layout = new QVBoxLayout(&host);
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    auto *other = new QLineEdit(&host);
    layout->addWidget(&g);
    layout->addWidget(other);
    host.resize(600, 450);
    host.show();
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));

    TCellInfo *cell = g.Cells(0, 1);
    cell->SetCellType(ctCombo);
    cell->SetItems(TQorStrings({"one", "two"}));
    g.SetFocusCell(0, 1);
    t.key(Qt::Key_T);
    auto *e = editorOf<TInplaceEditorList>(g);
    ASSERT_NE(e, nullptr);
    ASSERT_TRUE(e->hasFocus());
    QTest::keyClick(e, Qt::Key_F4);
    ASSERT_TRUE(e->PopupVisible());
    EXPECT_TRUE(g.EditorVisible());
    EXPECT_EQ(cell->GetText(), "");
    QTest::keyClick(e->ListBox(), Qt::Key_Escape);
    EXPECT_TRUE(g.EditorVisible());

    other->setFocus();
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(cell->GetText(), "t");

    // A button's handler may take the focus (a dialog of its own): the edit stays open.
    g.Cells(0, 2)->SetCellType(ctButton);
    g.OnButtonClick = [&](QObject *, int, int) { other->setFocus(); };
    g.SetFocusCell(0, 2);
    g.setFocus();
    t.key(Qt::Key_Z);
    TInplaceEditor *button = editorOf(g);
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, button->ButtonRect().center());
    EXPECT_TRUE(other->hasFocus());
    EXPECT_TRUE(g.EditorVisible());
    button->setFocus();
    other->setFocus();
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(0, 2), "z");
}

TEST(EditorEvents, PressingTheDrawnButtonOpensTheEditorAndPressesItsButton)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    g.Cells(1, 0)->SetCellType(ctCombo);
    g.Cells(1, 0)->SetItems(TQorStrings({"a", "b"}));
    g.Cells(1, 1)->SetCellType(ctButton);
    g.Cells(2, 2)->SetValueType(vtFloat);
    g.SetCellText(2, 2, "1,234.5");
    int clicks = 0;
    g.OnButtonClick = [&](QObject *, int, int) { ++clicks; };
    const QRect combo = g.CellRect(1, 0);
    t.click(QPoint(combo.right() - 5, combo.center().y()));
    ASSERT_TRUE(g.EditorVisible());
    auto *list = editorOf<TInplaceEditorList>(g);
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->PopupVisible());
    list->ClosePopup();
    // The text part of a button cell only makes it current.
    t.click(1, 1);
    EXPECT_FALSE(g.EditorVisible());
    const QRect button = g.CellRect(1, 1);
    t.click(QPoint(button.right() - 5, button.center().y()));
    EXPECT_TRUE(g.EditorVisible());
    EXPECT_EQ(clicks, 1);
    // A number is edited without its group separators; left alone, the stored text stays.
    t.click(2, 2);
    t.key(Qt::Key_F2);
    EXPECT_EQ(editorOf(g)->text(), "1234.5");
    t.key(Qt::Key_Escape);
    g.HideEditor();
    EXPECT_EQ(g.GetCellText(2, 2), "1,234.5");
}
