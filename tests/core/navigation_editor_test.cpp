// The in-place editor: opening by typing, F2 and Enter, cancelling back to the starting text,
// key filtering and refusals; pasting, where the clipboard's characters are checked as if typed
// one after another and one refusal pastes nothing.
#include <gtest/gtest.h>

#include "core/grid_p.h"
#include "platform/clipboard.h"
#include "editor_fixture.h"

using namespace qor;
using qor::test::editorOf;
using qor::test::NavGrid;
using qor::test::openEditor;

namespace {

void paste(TInplaceEditor *e, const QString &clip)
{
    platform::CurrentClipboard().SetText(clip);
    QTest::keyClick(e, Qt::Key_V, Qt::ControlModifier);
}

} // namespace

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
    // A whole number pastes into an empty cell although its point or sign could not come
    // first alone.
    g.Cells(2, 0)->SetValueType(vtFloat);
    g.Cells(2, 0)->SetDigits(2);
    e = openEditor(t, 2, 0);
    paste(e, "1.5");
    EXPECT_EQ(e->text(), "1.5");
    t.key(Qt::Key_Escape);
    g.Cells(3, 0)->SetValueType(vtNegInt);
    e = openEditor(t, 3, 0);
    paste(e, "-5");
    EXPECT_EQ(e->text(), "-5");
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
