// Copy, cut and paste through a stand-in clipboard: the three forms a copy places, the table
// and single-value pastes, moves, read-only targets, and cells travelling between grids.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QFile>
#include <QLineEdit>
#include "core/edit/editor_controller_p.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "core/model/merge_table_p.h"
#include "formula/engine/exp_value.h"
#include "io/cells_block.h"
#include "io/table_text.h"
#include "platform/clipboard.h"

namespace qor::test {
namespace {

using platform::CurrentClipboard;

class Clip : public ::testing::Test {
protected:
    void SetUp() override { platform::SetCurrentClipboard(platform::MakeStandInClipboard()); }
    void TearDown() override { platform::ResetCurrentClipboard(); }
    static QString form(const char *mime)
    {
        const std::optional<QByteArray> b = CurrentClipboard().Get(QString::fromLatin1(mime));
        return b ? QString::fromUtf8(*b) : QStringLiteral("<none>");
    }
    static void putText(const QString &text, bool csvToo = false)
    {
        std::vector<platform::ClipboardForm> forms{{QString::fromLatin1(platform::kTextMime), text.toUtf8()}};
        if (csvToo)
            forms.push_back({QString::fromLatin1(platform::kCsvMime), QByteArray("ignored")});
        CurrentClipboard().Set(forms);
    }
};

void sized(TQorGrid &g, int rows, int cols)
{
    g.SetRows(rows);
    g.SetCols(cols);
    g.SetOptions(g.GetOptions().With(qgoEditing));
}

QStringList texts(TQorGrid &g, int row, int first, int last)
{
    QStringList out;
    for (int c = first; c <= last; ++c)
        out << g.GetCellText(row, c);
    return out;
}

TEST_F(Clip, ACopyPlacesTheThreeForms)
{
    TQorGrid g;
    sized(g, 3, 3);
    g.SetCellText(0, 0, "a");
    g.SetCellText(0, 1, "b");
    g.SetCellText(1, 0, "c");
    g.SetCellText(1, 1, "d");
    g.SelectCells(0, 0, 1, 1);
    g.CopyToClipBoard();
    EXPECT_EQ(form(platform::kTextMime), "a\tb\r\nc\td\r\n");
    EXPECT_EQ(form(platform::kCsvMime), "\"a\",\"b\"\r\n\"c\",\"d\"\r\n");
    const QByteArray own = *CurrentClipboard().Get(QString::fromLatin1(platform::kGridFormatMime));
    EXPECT_TRUE(own.startsWith("Cells"));
    EXPECT_EQ(own.back(), 0);   // a copy
    EXPECT_EQ(CellsBlockRect(own.left(own.size() - 1)), QRect(0, 0, 2, 2));
    // Texts that would split a line come back whole: quoted, inner quotes doubled.
    g.SetCellText(2, 0, "x\ty");
    g.SetCellText(2, 1, "He said \"hi\"");
    g.SetCellText(2, 2, "5\" screen");
    g.SelectCells(2, 0, 2, 2);
    g.CopyToClipBoard();
    EXPECT_EQ(form(platform::kTextMime), "\"x\ty\"\t\"He said \"\"hi\"\"\"\t\"5\"\" screen\"\r\n");
    EXPECT_EQ(ParseTableText(form(platform::kTextMime), u'\t'),
              (std::vector<std::vector<QString>>{{"x\ty", "He said \"hi\"", "5\" screen"}}));
}

TEST_F(Clip, ACoveredCurrentCellCopiesItsOwnerAlone)
{
    TQorGrid g;
    sized(g, 4, 4);
    g.SetCellText(1, 1, "merged");
    g.MergeCells(1, 1, 2, 2);
    g.SetFocusCell(2, 2);
    g.ClearSelection();
    g.CopyToClipBoard();
    EXPECT_EQ(form(platform::kTextMime), "merged\r\n");
    const QByteArray own = *CurrentClipboard().Get(QString::fromLatin1(platform::kGridFormatMime));
    EXPECT_EQ(CellsBlockRect(own.left(own.size() - 1)), QRect(1, 1, 1, 1));
}

TEST_F(Clip, PasswordCellsLeaveNoClearText)
{
    TQorGrid g;
    sized(g, 2, 2);
    g.SetCellText(0, 0, "secret");
    g.Cells(0, 0)->SetPasswordChar(u'*');
    g.SetFocusCell(0, 0);
    g.CopyToClipBoard();
    EXPECT_FALSE(form(platform::kTextMime).contains("secret"));
    EXPECT_FALSE(form(platform::kCsvMime).contains("secret"));
    g.SetFocusCell(1, 1);
    g.PasteFromClipBoard();
    EXPECT_EQ(g.GetCellText(1, 1), "");   // a copy carries the cell without its text
    g.SetFocusCell(0, 0);
    g.CutToClipBoard();
    g.SetFocusCell(1, 0);
    g.PasteFromClipBoard();
    EXPECT_EQ(g.GetCellText(1, 0), "secret");   // a move loses nothing
    EXPECT_EQ(g.GetCellText(0, 0), "");
}

TEST_F(Clip, TablePaste)
{
    TQorGrid g;
    sized(g, 6, 4);
    g.SetFocusCell(1, 1);
    putText("1\t2\r\n3\t4");   // no line end after the last line
    g.PasteFromClipBoard();
    EXPECT_EQ(texts(g, 1, 1, 2), QStringList({"1", "2"}));
    EXPECT_EQ(texts(g, 2, 1, 2), QStringList({"3", "4"}));
    // LF line ends, a quoted field with a tab and one with a line break, a literal quote.
    g.SetFocusCell(3, 0);
    putText("\"x\ty\"\tz\n\"two\nlines\"\t5\" screen\n");
    g.PasteFromClipBoard();
    EXPECT_EQ(texts(g, 3, 0, 1), QStringList({"x\ty", "z"}));
    EXPECT_EQ(texts(g, 4, 0, 1), QStringList({"two\nlines", "5\" screen"}));
    // Fields past the last column are dropped; lines past the last row stop the paste.
    g.SetFocusCell(5, 2);
    putText("p\tq\tr\r\ns\tt\r\n");
    g.PasteFromClipBoard();
    EXPECT_EQ(texts(g, 5, 2, 3), QStringList({"p", "q"}));
    EXPECT_EQ(g.GetRows(), 6);
    EXPECT_EQ(g.GetCols(), 4);
}

TEST_F(Clip, TablePasteSkipsHiddenLinesAndKeepsReadOnlyCells)
{
    TQorGrid g;
    sized(g, 5, 4);
    g.SetRowVisible(1, false);
    g.SetColWidth(1, 0);
    g.Cells(2, 2)->SetReadOnly(true);
    g.SetCellText(2, 2, "kept");
    g.SetFocusCell(0, 0);
    putText("a\tb\r\nc\td\r\n");
    g.PasteFromClipBoard();
    // Row 1 is hidden: the second line goes to row 2. Column 1 has no width: the field goes
    // to the next column shown; the read-only cell keeps its text.
    EXPECT_EQ(texts(g, 0, 0, 2), QStringList({"a", "", "b"}));
    EXPECT_EQ(texts(g, 2, 0, 2), QStringList({"c", "", "kept"}));
    // With no column shown after it, the rest of the line is dropped.
    g.SetColWidth(3, 0);
    g.SetFocusCell(4, 2);
    putText("x\ty\tz\r\n");
    g.PasteFromClipBoard();
    EXPECT_EQ(texts(g, 4, 2, 3), QStringList({"x", ""}));
    g.SetColWidth(3, 60);
    g.SetColWidth(1, 60);
    g.SetFocusCell(2, 1);
    putText("x\ty\r\n");
    g.PasteFromClipBoard();
    EXPECT_EQ(texts(g, 2, 1, 2), QStringList({"x", "kept"}));
}

TEST_F(Clip, AFormulaTheEngineRefusesDoesNotEndThePaste)
{
    TQorGrid g;
    sized(g, 3, 3);
    g.SetFocusCell(0, 0);
    putText(QStringLiteral("=\u009b\t=1+\tok\r\nnext\r\n"));
    g.PasteFromClipBoard();
    EXPECT_EQ(g.GetCellText(0, 2), "ok");
    EXPECT_EQ(g.GetCellText(1, 0), "next");
    EXPECT_FALSE(g.GetLocking());   // the update bracket closed
    g.SetFocusCell(2, 2);
    putText("=(");
    g.PasteFromClipBoard();
    EXPECT_EQ(g.GetCellText(2, 2), "=(");
    EXPECT_FALSE(g.GetLocking());
}

TEST_F(Clip, ASingleValueGoesIntoTheCurrentCellAlone)
{
    TQorGrid g;
    sized(g, 3, 3);
    g.SetFocusCell(0, 0);
    putText("x\r\ny");   // no tab: one value, line break and all
    g.PasteFromClipBoard();
    EXPECT_EQ(g.GetCellText(0, 0), "x\r\ny");
    EXPECT_EQ(g.GetCellText(1, 0), "");
    putText("one", true);   // with a CSV form beside it the text is a table of one cell
    g.SetFocusCell(1, 1);
    g.PasteFromClipBoard();
    EXPECT_EQ(g.GetCellText(1, 1), "one");
    g.Cells(2, 2)->SetReadOnly(true);
    g.SetFocusCell(2, 2);
    putText("no");
    g.PasteFromClipBoard();
    EXPECT_EQ(g.GetCellText(2, 2), "");
    // Without qgoEditing nothing is pasted at all.
    g.SetOptions(g.GetOptions().Without(qgoEditing));
    g.SetFocusCell(0, 1);
    g.PasteFromClipBoard();
    EXPECT_EQ(g.GetCellText(0, 1), "");
    g.Cells(0, 2)->PasteFromClipboard();   // the cell's own paste asks no option
    EXPECT_EQ(g.GetCellText(0, 2), "no");
}

TEST_F(Clip, ACutMovesOnce)
{
    TQorGrid g;
    sized(g, 4, 3);
    g.SetCellText(0, 0, "m1");
    g.SetCellText(0, 1, "m2");
    g.Cells(0, 0)->SetBackColor(clYellow);
    g.SelectCells(0, 0, 0, 1);
    g.CutToClipBoard();
    EXPECT_EQ(g.GetCellText(0, 0), "m1");   // nothing moves before the paste
    g.SetFocusCell(2, 0);
    g.PasteFromClipBoard();
    EXPECT_EQ(texts(g, 2, 0, 1), QStringList({"m1", "m2"}));
    EXPECT_EQ(g.Cells(2, 0)->GetBackColor(), clYellow);
    EXPECT_EQ(texts(g, 0, 0, 1), QStringList({"", ""}));
    EXPECT_EQ(g.Cells(0, 0)->GetBackColor(), g.Columns(0)->GetBackColor());
    EXPECT_FALSE(CurrentClipboard().Has(QString::fromLatin1(platform::kGridFormatMime)));
    g.SetFocusCell(3, 0);
    g.PasteFromClipBoard();   // the second paste finds nothing
    EXPECT_EQ(g.GetCellText(3, 0), "");
}

TEST_F(Clip, ACutThatDoesNotFitWholeMovesWhatWasPlaced)
{
    TQorGrid g;
    sized(g, 3, 3);
    g.SetCellText(0, 0, "a");
    g.SetCellText(0, 1, "b");
    g.SelectCells(0, 0, 0, 1);
    g.CutToClipBoard();
    g.SetFocusCell(2, 2);   // only one column left: "b" has nowhere to go
    g.PasteFromClipBoard();
    EXPECT_EQ(g.GetCellText(2, 2), "a");
    EXPECT_EQ(g.GetCellText(0, 0), "");
    EXPECT_EQ(g.GetCellText(0, 1), "b");   // not placed: not lost
    EXPECT_TRUE(CurrentClipboard().Has(QString::fromLatin1(platform::kGridFormatMime)));
    // A cut pasted into another grid moves out of the grid it came from, and leaves the
    // target grid's other cells alone.
    g.SetCellText(1, 0, "c");
    g.SetFocusCell(1, 0);
    g.ClearSelection();
    g.CutToClipBoard();
    TQorGrid other;
    sized(other, 3, 3);
    other.SetCellText(1, 0, "theirs");
    other.SetFocusCell(0, 2);
    other.PasteFromClipBoard();
    EXPECT_EQ(other.GetCellText(0, 2), "c");
    EXPECT_EQ(other.GetCellText(1, 0), "theirs");
    EXPECT_EQ(g.GetCellText(1, 0), "");
}

TEST_F(Clip, OnlyTextKeepsTheTargetsStyles)
{
    TQorGrid g;
    sized(g, 2, 2);
    g.SetCellText(0, 0, "new");
    g.Cells(0, 0)->SetBackColor(clRed);
    g.Cells(1, 1)->SetBackColor(clBlue);
    g.SetFocusCell(0, 0);
    g.CopyToClipBoard();
    g.SetFocusCell(1, 1);
    g.PasteFromClipBoard(true);
    EXPECT_EQ(g.GetCellText(1, 1), "new");
    EXPECT_EQ(g.Cells(1, 1)->GetBackColor(), clBlue);
    g.PasteFromClipBoard(false);
    EXPECT_EQ(g.Cells(1, 1)->GetBackColor(), clRed);
}

TEST_F(Clip, MergesFormulasAndFramesTravelBetweenGrids)
{
    TQorGrid a;
    sized(a, 4, 4);
    a.SetCellText(0, 0, "2");
    a.SetCellText(0, 1, "3");
    a.SetCellText(1, 0, "=A1*B1");
    a.SetCellText(2, 0, "title");
    a.MergeCells(2, 0, 2, 1);
    a.Cells(1, 0)->SetFrame(ceBottom, true);
    a.SelectCells(0, 0, 2, 1);
    a.CopyToClipBoard();
    TQorGrid b;
    sized(b, 5, 5);
    b.Cells(0, 0)->SetReadOnly(true);
    b.SetFocusCell(0, 0);
    b.PasteFromClipBoard();
    EXPECT_EQ(b.GetCellText(0, 0), "");   // read-only: kept as it was
    EXPECT_EQ(b.GetCellText(0, 1), "3");
    EXPECT_EQ(b.GetCellText(1, 0), "=A1*B1");
    EXPECT_EQ(b.MergedArea(2, 1), QRect(0, 2, 2, 1));
    EXPECT_TRUE(b.Cells(1, 0)->GetFrame(ceBottom));
    b.SetCellText(0, 1, "10");
    EXPECT_EQ(b.Cells(1, 0)->GetFormulaValue().AsDouble(), 0);   // A1 of b is empty
    b.SetCellText(0, 0, "");
    TQorGrid c;
    sized(c, 5, 5);
    c.SetFocusCell(0, 0);
    c.PasteFromClipBoard();
    c.SetCellText(0, 1, "10");
    EXPECT_EQ(c.Cells(1, 0)->GetFormulaValue().AsDouble(), 20);
}

TEST_F(Clip, UnusablePrivateDataFallsBackToTheText)
{
    TQorGrid g;
    sized(g, 3, 3);
    g.SetCellText(2, 2, "untouched");
    g.SetFocusCell(0, 0);
    // The last: a rectangle of 3.2e9 x 3.2e9 cells, whose cell count overflowed 64 bits.
    for (const QByteArray &bad : {QByteArray(), QByteArray("\x01", 1), QByteArray("Cells\x01\x02", 7),
                                  QByteArray("Cellz") + QByteArray(17, '\0') + QByteArray("\x01", 1),
                                  QByteArray::fromBase64("Q2VsbHNeXqKhoaGhoaGhXl5eXl5eXl5eXl5eXl5eXl5eXl5eXl5eXl4AAAAA"
                                                         "AAAAAAEAAAABAAAAAAAAAAAAAAAAAAAAAgAAAAAAQ2VsbAAA")}) {
        CurrentClipboard().Set({{QString::fromLatin1(platform::kGridFormatMime), bad},
                                {QString::fromLatin1(platform::kTextMime), QByteArray("t\tu\r\n")}});
        g.PasteFromClipBoard();
        EXPECT_EQ(texts(g, 0, 0, 1), QStringList({"t", "u"}));
        g.SetCellText(0, 0, "");
        g.SetCellText(0, 1, "");
    }
    // A block whose records cannot all be read is refused whole.
    g.SelectCells(1, 0, 2, 2);
    g.CopyToClipBoard();
    QByteArray own = *CurrentClipboard().Get(QString::fromLatin1(platform::kGridFormatMime));
    own.truncate(own.size() - 8);
    own.append(char(0));
    CurrentClipboard().Set({{QString::fromLatin1(platform::kGridFormatMime), own}});
    g.SetFocusCell(0, 0);
    g.PasteFromClipBoard();
    EXPECT_EQ(g.GetCellText(0, 2), "");
    EXPECT_EQ(g.GetCellText(2, 2), "untouched");
}

TEST_F(Clip, TheEditorCopiesAndPastesItsOwnText)
{
    TQorGrid g;
    sized(g, 2, 2);
    g.resize(300, 200);
    g.show();
    g.SetCellText(0, 0, "hello world");
    g.SetFocusCell(0, 0);
    g.ClearSelection();
    GridPrivate &d = GridPrivate::get(g);
    ASSERT_TRUE(d.editor->Show(0, 0));
    auto *line = qobject_cast<QLineEdit *>(d.editor->CurrentWidget());
    ASSERT_NE(line, nullptr);
    line->setSelection(0, 5);
    g.CopyToClipBoard();
    EXPECT_EQ(form(platform::kTextMime), "hello");
    EXPECT_FALSE(CurrentClipboard().Has(QString::fromLatin1(platform::kGridFormatMime)));
    line->setCursorPosition(11);
    putText("!");
    g.PasteFromClipBoard();
    EXPECT_EQ(line->text(), "hello world!");
}

TEST_F(Clip, StreamsToAndFromAnyFormat)
{
    QBuffer in;
    in.setData("payload");
    in.open(QIODevice::ReadOnly);
    TCustomQorGrid::CopyToClipbrd(in, "application/x-test");
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    out.write("head:");
    TCustomQorGrid::LoadFromClipBoard(out, "application/x-test");
    EXPECT_EQ(out.data(), "head:payload");
    TCustomQorGrid::LoadFromClipBoard(out, "application/x-none");
    EXPECT_EQ(out.data(), "head:payload");
}

} // namespace
} // namespace qor::test
