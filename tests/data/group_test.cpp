// Grouping rows into an outline: the rows it builds, their summaries, opening and closing
// nodes, regrouping, cancelling, the stream, and what the outline looks like.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QTest>
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "core/view/grid_pictures_p.h"
#include "data/group_columns.h"
#include "formula/engine/exp_value.h"
#include "message_recorder.h"
#include "../core/paint_fixture.h"

namespace qor::test {
namespace {

// The grid as text, one line per row: type (D data, H header, F footer, T grand total) with
// the level, "+" shown or "-" hidden, then the cell texts.
QString outline(TCustomQorGrid &g)
{
    QStringList lines;
    for (int r = 0; r < g.GetRows(); ++r) {
        uint32_t state = 0;
        int groupCol = -1;
        const int type = g.RowType(r, state, groupCol);
        QString line = QString(QChar("DHFT"[type]));
        if (groupCol >= 0)
            line += QString::number(groupCol + 1);
        line += GridPrivate::get(g).rowAxis.CurrentSize(r) > 0 ? u'+' : u'-';
        QStringList texts;
        for (int c = 0; c < g.GetCols(); ++c)
            texts << g.GetCellText(r, c);
        lines << line + u' ' + texts.join(u'|');
    }
    return lines.join(u'\n');
}

double value(TCustomQorGrid &g, int row, int col) { return g.Cells(row, col)->GetFormulaValue().AsDouble(); }

// Vouchers: name, department, amount (summed).
void vouchers(TQorGrid &g)
{
    g.SetCols(3);
    g.SetRows(4);
    const char *rows[][3] = {{"a", "X", "10"}, {"b", "Y", "5"}, {"c", "X", "20"}, {"d", "Y", "7"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 3; ++c)
            g.SetCellText(r, c, rows[r][c]);
    g.Columns(2)->SetFormulaType(ftSum);
}

TEST(GroupSpec, ItemsOrdersFootersAndRefusals)
{
    auto items = ParseGroupSpec("2:asc:TRUE;0:Desc;1:ASC:no", 3);
    ASSERT_TRUE(items);
    ASSERT_EQ(items->size(), 3u);
    EXPECT_EQ((*items)[0].Col, 2);
    EXPECT_TRUE((*items)[0].Ascending && (*items)[0].Footer);
    EXPECT_FALSE((*items)[1].Ascending);   // anything but ASC descends
    EXPECT_TRUE((*items)[1].Footer);       // a missing footer part wants one
    EXPECT_FALSE((*items)[2].Footer);
    EXPECT_EQ(GroupSpecText(*items), "2:ASC:True;0:DESC:True;1:ASC:False");
    for (const char *bad : {"", "3", "-1", "x", "1;1", "0;", "0:ASC;;1"})
        EXPECT_FALSE(ParseGroupSpec(bad, 3)) << bad;
}

TEST(Group, OneLevelWithFootersAndGrandTotal)
{
    TQorGrid g;
    vouchers(g);
    g.Group("1", -1, true);
    ASSERT_TRUE(g.GetGrouped());
    // The department column moved to the front; only level-1 headers and the total show.
    EXPECT_EQ(outline(g), "H1+ X||\n"
                          "D- X|a|10\n"
                          "D- X|c|20\n"
                          "F1- ||=Sum(C2:C3)\n"
                          "H1+ Y||\n"
                          "D- Y|b|5\n"
                          "D- Y|d|7\n"
                          "F1- ||=Sum(C6:C7)\n"
                          "T+ ||=Sum(C1:C8)");
    EXPECT_EQ(g.GetFirstGroupedRow(), 0);
    EXPECT_EQ(g.GetLastGroupedRow(), 7);
    // Rows folded away by the outline still count.
    EXPECT_EQ(value(g, 3, 2), 30);
    EXPECT_EQ(value(g, 7, 2), 12);
    EXPECT_EQ(value(g, 8, 2), 42);
    // The header spans to the last column with its button; data rows hide their group value.
    EXPECT_EQ(g.MergedArea(0, 0), QRect(0, 0, 3, 1));
    EXPECT_EQ(g.Cells(0, 0)->GetTextLMargin(), 18);
    EXPECT_EQ(g.Cells(0, 0)->Graphic().Image, GridPicture("GroupClose"));
    EXPECT_EQ(g.CellDisplayText(1, 0), "");
    EXPECT_EQ(g.CellDisplayText(1, 1), "a");
    EXPECT_TRUE(g.Columns(0)->DataState().Grouped);
}

TEST(Group, DescendingAndWithoutFooters)
{
    TQorGrid down;
    vouchers(down);
    down.Group("1:DESC", -1, true);
    EXPECT_EQ(down.GetCellText(0, 0), "Y");
    EXPECT_EQ(down.GetCellText(4, 0), "X");

    TQorGrid bare;
    vouchers(bare);
    bare.Group("1:ASC:False", 2, false);   // amounts descending inside each department
    EXPECT_EQ(outline(bare), "H1+ X||\n"
                             "D- X|c|20\n"
                             "D- X|a|10\n"
                             "H1+ Y||\n"
                             "D- Y|d|7\n"
                             "D- Y|b|5\n"
                             "T+ ||=Sum(C1:C6)");
    EXPECT_EQ(value(bare, 6, 2), 42);
}

// Department, month, amount, and the same amount under the other summary types.
void ledger(TQorGrid &g)
{
    g.SetCols(7);
    g.SetRows(4);
    const char *rows[][3] = {{"X", "1", "10"}, {"X", "2", "5"}, {"X", "1", "3"}, {"Y", "1", "8"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 7; ++c)
            g.SetCellText(r, c, rows[r][std::min(c, 2)]);
    const TFormulaType types[] = {ftSum, ftCount, ftAvg, ftMin, ftMax};
    for (int i = 0; i < 5; ++i)
        g.Columns(2 + i)->SetFormulaType(types[i]);
}

TEST(Group, TwoLevelsSummariesOfEveryKind)
{
    TQorGrid g;
    ledger(g);
    g.Group("0;1", -1, true);
    QStringList types;
    for (int r = 0; r < g.GetRows(); ++r) {
        uint32_t state;
        int col;
        const int t = g.RowType(r, state, col);
        types << QString("DHFT"[t]) + (col >= 0 ? QString::number(col + 1) : QString());
    }
    EXPECT_EQ(types.join(' '), "H1 H2 D D F2 H2 D F2 F1 H1 H2 D F2 F1 T");
    EXPECT_EQ(g.GetCellText(1, 1), "1");   // the level-2 header starts one column further right
    EXPECT_EQ(g.MergedArea(1, 1), QRect(1, 1, 6, 1));
    // Footer of X/1 over rows 3..4; X's footer over rows 2..8, the nested rows skipped.
    EXPECT_EQ(g.GetCellText(4, 2), "=Sum(C3:C4)");
    EXPECT_EQ(value(g, 4, 2), 13);
    EXPECT_EQ(g.GetCellText(4, 3), "2");
    EXPECT_EQ(g.GetCellText(4, 4), "6.5");
    EXPECT_EQ(g.GetCellText(4, 5), "=Min(F3:F4)");
    EXPECT_EQ(value(g, 4, 5), 3);
    EXPECT_EQ(value(g, 4, 6), 10);
    EXPECT_EQ(g.GetCellText(8, 2), "=Sum(C2:C8)");
    EXPECT_EQ(value(g, 8, 2), 18);
    EXPECT_EQ(g.GetCellText(8, 3), "3");
    // A level-2 footer leaves the level-1 column alone; the grand total covers everything.
    EXPECT_EQ(g.GetCellText(4, 0), "");
    EXPECT_EQ(g.GetCellText(14, 2), "=Sum(C1:C14)");
    EXPECT_EQ(value(g, 14, 2), 26);
    EXPECT_EQ(value(g, 14, 6), 10);
    EXPECT_EQ(g.GetCellText(14, 4), "6.5");
}

QString shown(TCustomQorGrid &g)
{
    QString s;
    for (int r = 0; r < g.GetRows(); ++r)
        s += GridPrivate::get(g).rowAxis.CurrentSize(r) > 0 ? u'+' : u'.';
    return s;
}

TEST(Group, NestedNodesOpenAndClose)
{
    TQorGrid g;
    ledger(g);
    g.Group("0;1", -1, true);
    //                    H H D D F H D F F H H D F F T
    EXPECT_EQ(shown(g), "+........+....+");
    g.ExpandNode(0);
    EXPECT_TRUE(g.Expanded(0));
    EXPECT_EQ(g.Cells(0, 0)->Graphic().Image, GridPicture("GroupExpand"));
    EXPECT_EQ(shown(g), "++...+..++....+");
    g.ExpandNode(1);
    EXPECT_EQ(shown(g), "++++++..++....+");
    // Closing the outer node hides everything down to its footer; opening it again shows the
    // open inner node's rows and leaves the closed one folded.
    g.CloseNode(0);
    EXPECT_EQ(shown(g), "+........+....+");
    g.ExpandNode(0);
    EXPECT_EQ(shown(g), "++++++..++....+");
    // Markers: X/1 ends on its footer (row 4), X on its footer (row 8).
    EXPECT_EQ(g.GetRowRec(4).Group4, 2);
    EXPECT_EQ(g.GetRowRec(8).Group4, 1);
    g.CloseNode(1);
    EXPECT_EQ(g.GetRowRec(4).Group4, 0);
    g.ExpandAllNode();
    EXPECT_EQ(shown(g), "+++++++++++++++");
    g.CloseAllNode();
    EXPECT_EQ(shown(g), "+........+....+");
    // Only headers in the right state move.
    g.CloseNode(0);
    g.ExpandNode(2);
    EXPECT_EQ(shown(g), "+........+....+");
}

TEST(Group, ClosingTheLastGroupStopsAtTheRangeEnd)
{
    TQorGrid g;
    vouchers(g);
    g.AppendRow(2);
    g.SetCellText(4, 2, "below");
    g.SetCellText(5, 2, "below");
    g.SetSortEndRow(3);
    g.SetShowGroupFooter(false);
    g.Group("1:ASC:False", -1, true);
    ASSERT_EQ(g.GetRows(), 8) << outline(g).toStdString();
    g.ExpandAllNode();
    g.CloseNode(3);   // Y, the last group, without footer or grand total
    EXPECT_EQ(shown(g), "++++..++");
    EXPECT_EQ(g.GetCellText(6, 2), "below");
}

TEST(Group, EmptyGroupColumnGivesOneGroup)
{
    TQorGrid g;
    g.SetCols(2);
    g.SetRows(3);
    g.SetCellText(0, 1, "3");
    g.SetCellText(1, 1, "1");
    g.SetCellText(2, 1, "2");
    g.Columns(1)->SetFormulaType(ftSum);
    g.Group("0", 1, true);
    EXPECT_EQ(outline(g), "H1+ |\nD- |1\nD- |2\nD- |3\nF1- |=Sum(B2:B4)\nT+ |=Sum(B1:B5)");
    EXPECT_EQ(value(g, 4, 1), 6);
}

TEST(Group, SubtotalsFollowDataChanges)
{
    TQorGrid g;
    vouchers(g);
    g.Group("1", -1, true);
    g.SetCellText(1, 2, "100");   // X's first voucher, hidden under its header
    EXPECT_EQ(value(g, 3, 2), 120);
    EXPECT_EQ(value(g, 8, 2), 132);
}

TEST(Group, RegroupingEqualsAFreshGrouping)
{
    TQorGrid g;
    ledger(g);
    g.Group("0;1", -1, true);
    const int rowsWithFooters = g.GetRows();
    // Fewer group rows: the footers of level 2 go, and so does the grand total.
    g.Group("0;1:ASC:False", -1, true);
    g.SetShowGroupFooter(false);
    TQorGrid fresh;
    ledger(fresh);
    fresh.SetShowGroupFooter(false);
    fresh.Group("0;1:ASC:False", -1, true);
    EXPECT_EQ(outline(g), outline(fresh));
    EXPECT_LT(g.GetRows(), rowsWithFooters);
    // A summary type change builds the footers again.
    g.Columns(2)->SetFormulaType(ftMax);
    EXPECT_EQ(g.GetCellText(4, 2), "");   // no level-2 footers: row 4 is X/2's header
    EXPECT_EQ(g.GetCellText(6, 2), "=Max(C2:C6)");
    EXPECT_EQ(value(g, 6, 2), 10);
    g.SetShowGroupFooter(true);
    EXPECT_EQ(g.GetCellText(g.GetRows() - 1, 2), "=Max(C1:C11)");
}

TEST(Group, CancelRestoresTheRowsSorted)
{
    TQorGrid g;
    vouchers(g);
    g.Group("1", -1, true);
    g.ExpandNode(0);
    g.CancelGroup();
    EXPECT_FALSE(g.GetGrouped());
    EXPECT_FALSE(g.Columns(0)->DataState().Grouped);
    EXPECT_EQ(outline(g), "D+ X|a|10\nD+ X|c|20\nD+ Y|b|5\nD+ Y|d|7");
    EXPECT_TRUE(g.MergeCellList().empty());
    g.CancelGroup();   // nothing left to cancel
    EXPECT_EQ(g.GetRows(), 4);
}

TEST(Group, CancelAfterRowsWentKeepsToTheGroupedRange)
{
    TQorGrid g;
    vouchers(g);
    g.AppendRow(2);
    g.SetCellText(4, 2, "hidden1");
    g.SetCellText(5, 2, "hidden2");
    g.SetRowVisible(4, false);
    g.SetRowVisible(5, false);
    g.SetSortEndRow(3);
    g.Group("1", -1, true);
    ASSERT_EQ(g.GetLastGroupedRow(), 7) << outline(g).toStdString();
    // Rows of the outline go while the grid does not refuse it (a bound data set deletes its
    // records so): the grouped range follows, and the rows below are left alone.
    GridPrivate &d = GridPrivate::get(g);
    d.misc.grouped = false;
    g.DeleteRow(1);
    g.DeleteRow(1);
    d.misc.grouped = true;
    EXPECT_EQ(g.GetLastGroupedRow(), 5);
    g.CancelGroup();
    EXPECT_EQ(outline(g), "D+ Y|b|5\nD+ Y|d|7\nD- ||hidden1\nD- ||hidden2");
}

TEST(Group, CancelKeepsAreasMergedWhileGrouped)
{
    // MergeCells does not refuse on a grouped grid; found by the sheet fuzz target.
    TQorGrid g;
    vouchers(g);
    g.Group("1", -1, true);
    g.MergeCells(1, 2, 2, 2);
    g.CancelGroup();
    EXPECT_EQ(GridPrivate::get(g).merges->checkConsistency(), "");
    EXPECT_EQ(g.GetRows(), 4);
}

TEST(Group, SortingAGroupedGridGroupsAgain)
{
    TQorGrid g;
    vouchers(g);
    g.Group("1", -1, true);
    ASSERT_TRUE(g.Sort(2, false));
    EXPECT_EQ(g.GetCellText(1, 2), "20");
    EXPECT_EQ(g.GetCellText(2, 2), "10");
    EXPECT_EQ(g.GetSortingColIndex(), 2);
    // Sorting by the group column turns the groups round.
    ASSERT_TRUE(g.Sort(0, false));
    EXPECT_EQ(g.GetCellText(0, 0), "Y");
    EXPECT_EQ(g.GetRows(), 9);
    EXPECT_EQ(g.GetCellText(3, 2), "=Sum(C2:C3)");
}

TEST(Group, RefusalsAndSilentNoOps)
{
    TQorGrid g;
    vouchers(g);
    const QString before = outline(g);
    for (const char *bad : {"", "7", "1;1", "x"})
        g.Group(bad, -1, true);
    EXPECT_EQ(outline(g), before);
    EXPECT_FALSE(g.GetGrouped());

    MessageRecorder boxes;
    g.MergeCells(0, 1, 1, 1);   // two rows merged: moving single rows would tear it
    g.Group("1", -1, true);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, "此操作需要合并单元格具有相同大小。");
    EXPECT_FALSE(g.GetGrouped());

    TQorGrid grouped;
    vouchers(grouped);
    grouped.Group("1", -1, true);
    boxes.clear();
    grouped.InsertRow(1);
    grouped.DeleteRow(1);
    ASSERT_EQ(boxes.count(), 2);
    EXPECT_EQ(boxes.boxes()[0].text, "Can not insert row on a grouped grid");
    EXPECT_EQ(boxes.boxes()[1].text, "Can not delete row on a grouped grid");
    EXPECT_EQ(grouped.GetRows(), 9);
}

TEST(Group, HandlersCannotGroupInTheMiddleOfARebuild)
{
    TQorGrid g;
    vouchers(g);
    int calls = 0;
    g.OnSortCompareFunc = [&](QObject *, int, const QString &, const QString &, int &) {
        ++calls;
        g.Group("2", -1, true);
        g.CancelGroup();
    };
    int sorted = 0;
    g.OnSorted = [&](QObject *, int) { ++sorted; };
    g.Group("1", -1, true);
    EXPECT_GT(calls, 0);
    EXPECT_EQ(sorted, 1);
    EXPECT_EQ(g.GetRows(), 9);
    EXPECT_EQ(g.GetCellText(0, 0), "X");
}

TEST(Group, StateAndRowsSurviveTheStream)
{
    TQorGrid g;
    ledger(g);
    g.Group("0;1", -1, true);
    g.ExpandNode(0);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    ASSERT_TRUE(g.SaveToStream(buffer, true));
    buffer.seek(0);
    TQorGrid back;
    ASSERT_TRUE(back.LoadFromStream(buffer));
    EXPECT_TRUE(back.GetGrouped());
    EXPECT_EQ(back.GetLastGroupedRow(), g.GetLastGroupedRow());
    EXPECT_EQ(outline(back), outline(g));
    EXPECT_EQ(shown(back), shown(g));
    EXPECT_TRUE(back.Expanded(0));
    EXPECT_TRUE(back.Columns(1)->DataState().Grouped);
    back.ExpandNode(1);
    EXPECT_EQ(shown(back), "++++++..++....+");
    back.CancelGroup();
    EXPECT_EQ(back.GetRows(), 4);
    // A stored outline the rows cannot hold is no outline.
    QBuffer shortened;
    shortened.open(QIODevice::ReadWrite);
    ASSERT_TRUE(g.SaveToStream(shortened, false, false));
    shortened.seek(0);
    TQorGrid titlesOnly;
    ASSERT_TRUE(titlesOnly.LoadFromStream(shortened));
    EXPECT_FALSE(titlesOnly.GetGrouped());
}

TEST(Group, ALoadedOutlineRegroupsWithItsOwnFooters)
{
    TQorGrid g;
    ledger(g);
    g.Group("0;1:ASC:False", -1, true);
    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    ASSERT_TRUE(g.SaveToStream(buffer, true));
    buffer.seek(0);
    TQorGrid back;
    ASSERT_TRUE(back.LoadFromStream(buffer));
    back.SetShowGroupFooter(false);
    back.SetShowGroupFooter(true);   // two regroups from what the document holds
    EXPECT_EQ(outline(back), outline(g));
}

TEST(Group, RowTypeAndStateOfAnyRow)
{
    TQorGrid g;
    vouchers(g);
    uint32_t state = 7;
    int col = 7;
    EXPECT_EQ(g.RowType(-1, state, col), 0);
    EXPECT_EQ(state, 0u);
    EXPECT_EQ(col, -1);
    g.Group("1", -1, true);
    EXPECT_EQ(g.RealRows(), 4);   // not the 9 rows, nor 0 for want of record numbers
    g.SetRowState(0, true);
    EXPECT_EQ(g.RowType(0, state, col), 1);
    EXPECT_EQ(state, 1u);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(g.RowType(1, state, col), 0);
    EXPECT_EQ(col, -1);
    EXPECT_EQ(g.RowType(8, state, col), 3);
    g.SetGroupedFalse();
    EXPECT_FALSE(g.GetGrouped());
    EXPECT_EQ(g.Columns(0)->DataState().GroupTag, -1);
    g.InsertRow(1);   // no longer refused
    EXPECT_EQ(g.GetRows(), 10);
}

TEST(Group, OutlineLinesAndTheHeaderButton)
{
    TQorGrid g;
    g.SetGridType(gtGrid);
    vouchers(g);
    for (int c = 0; c < 3; ++c)
        g.Columns(c)->SetWidth(80);
    g.Group("1", -1, true);
    g.ExpandNode(0);
    const QImage image = paintGrid(g);
    const QRect head = g.GetCellRect(0, 0), footer = g.GetCellRect(3, 0);
    // The button: a grey box with a minus and no plus stroke.
    const int bx = head.left() + g.Cells(0, 0)->GetGraphicLMargin(), by = head.top() + (head.height() - 9) / 2;
    EXPECT_EQ(qGray(image.pixel(bx, by + 4)), 0x80);
    EXPECT_LT(qGray(image.pixel(bx + 4, by + 4)), 40);
    EXPECT_GT(qGray(image.pixel(bx + 4, by + 2)), 200);
    // The dotted tree line runs down from the button to the footer and ticks right there.
    int ink = 0;
    for (int y = by + 10; y < footer.top() + footer.height() / 2; ++y)
        ink += qGray(image.pixel(bx + 4, y)) < 200;
    EXPECT_GT(ink, (footer.top() - by) / 4);
    int tick = 0;
    for (int x = bx + 5; x <= bx + 12; ++x)
        tick += qGray(image.pixel(x, footer.top() + footer.height() / 2)) < 200;
    EXPECT_GE(tick, 2);
    // Nothing under the closed header of Y.
    const QRect y1 = g.GetCellRect(6, 0);   // Y's header after X opened
    EXPECT_GT(qGray(image.pixel(bx + 4, y1.bottom() + 6)), 200);

    // A click on the button closes the node; a click beside it only makes the cell current.
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(bx + 4, by + 4));
    EXPECT_FALSE(g.Expanded(0));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(head.left() + 40, by + 4));
    EXPECT_FALSE(g.Expanded(0));
    QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, QPoint(bx + 4, by + 4));
    EXPECT_TRUE(g.Expanded(0));
}

} // namespace
} // namespace qor::test
