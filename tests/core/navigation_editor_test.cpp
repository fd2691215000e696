// The in-place editor: opening by typing, F2 and Enter, cancelling back to the starting text,
// key filtering and refusals; pasting, where every clipboard character is checked alone against
// the text before the paste and one refusal pastes nothing.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include "core/grid_p.h"
#include "editor_fixture.h"

using namespace qor;
using qor::test::editorOf;
using qor::test::NavGrid;
using qor::test::openEditor;

namespace {

void paste(TInplaceEditor *e, const QString &clip)
{
    QGuiApplication::clipboard()->setText(clip);
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

TEST(NavigationEditor, EscapeRestoresTheStartingTextAndRefusalsOpenNothing)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    g.SetCellText(0, 0, "start");
    g.SetOptions(g.GetOptions().With(qgoSelAllOnEdit));
    g.SetFocusCell(0, 0);
    t.key(Qt::Key_F2);
    ASSERT_TRUE(g.EditorVisible());
    EXPECT_EQ(editorOf(g)->text(), "start");
    EXPECT_EQ(editorOf(g)->selectedText(), "start");   
    QTest::keyClicks(editorOf(g), "changed");
    QTest::keyClick(editorOf(g), Qt::Key_Escape);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(0, 0), "start");

    // A structural change closes the editor, committing it.
    t.key(Qt::Key_F2);
    QTest::keyClicks(editorOf(g), "kept");
    g.SetOptions(g.GetOptions().With(qgoRowSelect));
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(0, 0), "kept");

    g.SetMoveDirEnter(mdNone);
    t.key(Qt::Key_Return);
    EXPECT_TRUE(g.EditorVisible());
    QTest::keyClick(editorOf(g), Qt::Key_Return);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(t.current(), QPoint(0, 0));

    // Refused cells open no editor; keys the value type refuses neither open nor type.
    g.OnGetReadOnly = [](QObject *, int r, int, bool &ro) { if (r == 0) ro = true; };
    g.SetFocusCell(0, 0);
    t.key(Qt::Key_F2);
    t.key(Qt::Key_X);
    EXPECT_FALSE(g.EditorVisible());
    g.Cells(1, 0)->SetCellType(ctCheckBox);
    g.SetFocusCell(1, 0);
    EXPECT_FALSE(g.ShowEditor());

    g.Cells(2, 1)->SetValueType(vtInteger);
    g.SetFocusCell(2, 1);
    t.key(Qt::Key_X);
    EXPECT_FALSE(g.EditorVisible());
    t.key(Qt::Key_4);
    ASSERT_TRUE(g.EditorVisible());
    QTest::keyClicks(editorOf(g), "2x1");
    EXPECT_EQ(editorOf(g)->text(), "421");
    QTest::keyClick(editorOf(g), Qt::Key_Tab);
    EXPECT_EQ(g.GetCellText(2, 1), "421");
    EXPECT_EQ(t.current(), QPoint(2, 2));
}

TEST(EditorPaste, EachCharacterIsCheckedAgainstTheValueTypeAndDigits)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    g.Cells(1, 1)->SetValueType(vtInteger);
    g.SetCellText(1, 1, "12");
    TInplaceEditor *e = openEditor(t, 1, 1);
    ASSERT_NE(e, nullptr);
    paste(e, "34");
    EXPECT_EQ(e->text(), "1234");
    paste(e, "5a");
    EXPECT_EQ(e->text(), "1234");
    // A sign is allowed only at the start, and only once.
    paste(e, "-");
    EXPECT_EQ(e->text(), "1234");
    e->setCursorPosition(0);
    paste(e, "-");
    EXPECT_EQ(e->text(), "-1234");
    // A selection is replaced.
    e->selectAll();
    paste(e, "7");
    EXPECT_EQ(e->text(), "7");
    QTest::keyClick(e, Qt::Key_Return);
    EXPECT_EQ(g.GetCellText(1, 1), "7");

    // Float digits, text cells and read-only edits.
    TCellInfo *cell = g.Cells(0, 0);
    cell->SetValueType(vtFloat);
    cell->SetDigits(2);
    g.SetCellText(0, 0, "3.1");
    e = openEditor(t, 0, 0);
    paste(e, "4");
    EXPECT_EQ(e->text(), "3.14");
    paste(e, "1");   // a third decimal
    EXPECT_EQ(e->text(), "3.14");
    paste(e, ".");
    EXPECT_EQ(e->text(), "3.14");
    t.key(Qt::Key_Escape);

    g.SetCellText(0, 1, "ab");
    e = openEditor(t, 0, 1);
    paste(e, "c-.=?");
    EXPECT_EQ(e->text(), "abc-.=?");
    // An edit that cannot be typed into cannot be pasted into either.
    e->setReadOnly(true);
    EXPECT_FALSE(e->PasteChecked());
    EXPECT_EQ(e->text(), "abc-.=?");
}
