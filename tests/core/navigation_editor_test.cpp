// The in-place editor: opening by typing, F2 and Enter, committing through the cell's text
// with its events, cancelling back to the starting text, key filtering and refusals.
#include <gtest/gtest.h>

#include "core/grid_p.h"
#include "core/editor_controller_p.h"
#include "core/inplace_editor_p.h"
#include "nav_fixture.h"

using namespace qor;
using qor::test::NavGrid;

namespace {

TQorMaskEdit *editOf(TQorGrid &g)
{
    TEditorController *editor = EditorController(g);
    return editor ? editor->Edit() : nullptr;
}

} // namespace

TEST(NavigationEditor, TypingOpensReturnCommitsWithEventsAndMovesOn)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    std::vector<std::string> events;
    g.OnShowEditor = [&](QObject *, int r, int c) { events.push_back("show " + std::to_string(r) + "," + std::to_string(c)); };
    g.OnSetText = [&](QObject *, int, int, QString &text) { text = text.toUpper(); events.push_back("set"); };
    g.OnAfterEdit = [&](QObject *, int r, int c) { events.push_back("after " + std::to_string(r) + "," + std::to_string(c)); };
    g.SetFocusCell(1, 1);
    t.key(Qt::Key_A);
    ASSERT_TRUE(g.EditorVisible());
    ASSERT_NE(editOf(g), nullptr);
    EXPECT_EQ(editOf(g)->text(), "a");
    QTest::keyClicks(editOf(g), "bc");
    QTest::keyClick(editOf(g), Qt::Key_Return);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(1, 1), "ABC");
    EXPECT_EQ(t.current(), QPoint(1, 2));
    EXPECT_EQ(events, (std::vector<std::string>{"show 1,1", "set", "after 1,1"}));
}

TEST(NavigationEditor, EscapeRestoresTheStartingTextAndF2KeepsIt)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    g.SetCellText(0, 0, "start");
    g.SetOptions(g.GetOptions().With(qgoSelAllOnEdit));
    g.SetFocusCell(0, 0);
    t.key(Qt::Key_F2);
    ASSERT_TRUE(g.EditorVisible());
    EXPECT_EQ(editOf(g)->text(), "start");
    EXPECT_EQ(editOf(g)->selectedText(), "start");   
    QTest::keyClicks(editOf(g), "changed");
    QTest::keyClick(editOf(g), Qt::Key_Escape);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(0, 0), "start");

    // A structural change closes the editor, committing it.
    t.key(Qt::Key_F2);
    QTest::keyClicks(editOf(g), "kept");
    g.SetOptions(g.GetOptions().With(qgoRowSelect));
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(0, 0), "kept");

    g.SetMoveDirEnter(mdNone);
    t.key(Qt::Key_Return);
    EXPECT_TRUE(g.EditorVisible());
    QTest::keyClick(editOf(g), Qt::Key_Return);
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
    QTest::keyClicks(editOf(g), "2x1");
    EXPECT_EQ(editOf(g)->text(), "421");
    QTest::keyClick(editOf(g), Qt::Key_Tab);
    EXPECT_EQ(g.GetCellText(2, 1), "421");
    EXPECT_EQ(t.current(), QPoint(2, 2));
}
