// The in-place editor: opening by typing, F2 and Enter, cancelling back to the starting text,
// key filtering and refusals.
#include <gtest/gtest.h>

#include "core/grid_p.h"
#include "editor_fixture.h"

using namespace qor;
using qor::test::editorOf;
using qor::test::NavGrid;

TEST(NavigationEditor, EscapeRestoresTheStartingTextAndF2KeepsIt)
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
}

TEST(NavigationEditor, RefusedCellsAndFilteredKeys)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
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
