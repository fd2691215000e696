// The memo and rich-text editors: line breaks and the keys that commit, rich content loaded,
// styled from the keyboard and written back, unedited content kept byte for byte, and the
// selection event.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBuffer>
#include <QKeyEvent>
#include <QClipboard>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>

#include "core/edit/inplace_memo_p.h"
#include "core/edit/inplace_rich_edit_p.h"
#include "editor_fixture.h"
#include "format/rich_text.h"

using namespace qor;
using qor::test::NavGrid;
using qor::test::openEditor;

namespace {

bool boldAt(const QTextDocument &doc, const QString &text)
{
    for (QTextBlock b = doc.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat().fontWeight() >= QFont::DemiBold;
    ADD_FAILURE() << "no run with " << text.toStdString();
    return false;
}

const QByteArray foreignRtf = "{\\rtf1\\ansi{\\*\\generator Other;}\\deff0{\\fonttbl{\\f0 Arial;}}"
                              "\\viewkind4\\pard\\f0\\fs20 plain {\\b bold}\\par\r\n}";

// A rich-text cell at (1, 1) holding foreignRtf: "plain" and a bold "bold".
TCellInfo *foreignRichCell(TQorGrid &g)
{
    TCellInfo *cell = g.Cells(1, 1);
    cell->SetCellType(ctRichEdit);
    cell->SetText("plain bold");
    cell->SetRichText(foreignRtf);
    return cell;
}

} // namespace

TEST(MemoEditor, ReturnBreaksLinesCtrlReturnOrLeavingCommitsAndMaxLengthHolds)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    g.Cells(1, 1)->SetCellType(ctMemo);
    g.Cells(1, 1)->SetText("first\r\nsecond");
    auto *memo = openEditor<TInplaceMemo>(t, 1, 1);
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->toPlainText(), "first\nsecond");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "third");
    // Up moves the caret inside the text, not the current cell.
    QTest::keyClick(memo, Qt::Key_Up);
    QTest::keyClick(memo, Qt::Key_End);
    QTest::keyClicks(memo, "!");
    EXPECT_TRUE(g.EditorVisible());
    EXPECT_EQ(t.current(), QPoint(1, 1));
    EXPECT_EQ(memo->toPlainText(), "first\nsecond!\nthird");
    QTest::keyClick(memo, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(1, 1), "first\nsecond!\nthird");
    EXPECT_EQ(t.current(), QPoint(1, 2)); // committed and moved on like Return in the edit

    memo = openEditor<TInplaceMemo>(t, 1, 1);
    ASSERT_NE(memo, nullptr);
    QTest::keyClicks(memo, "x");
    QTest::keyClick(memo, Qt::Key_Escape);
    EXPECT_EQ(g.GetCellText(1, 1), "first\nsecond!\nthird");

    memo = openEditor<TInplaceMemo>(t, 1, 1);
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "tab");
    QTest::keyClick(memo, Qt::Key_Tab);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(g.GetCellText(1, 1), "first\nsecond!\nthird\ntab");
    EXPECT_EQ(t.current(), QPoint(2, 1));

    // MaxLength holds for typing, line breaks and paste.
    g.Cells(0, 0)->SetCellType(ctMemo);
    g.Cells(0, 0)->SetMaxLength(5);
    memo = openEditor<TInplaceMemo>(t, 0, 0);
    ASSERT_NE(memo, nullptr);
    QTest::keyClicks(memo, "ab");
    QTest::keyClick(memo, Qt::Key_Return);
    QTest::keyClicks(memo, "cdef");
    EXPECT_EQ(memo->toPlainText(), "ab\ncd");
    QTest::keyClick(memo, Qt::Key_Return);
    EXPECT_EQ(memo->toPlainText(), "ab\ncd");
    memo->selectAll();
    QGuiApplication::clipboard()->setText("1\r\n234567");
    memo->paste();
    EXPECT_EQ(memo->toPlainText(), "1\n234");
}

TEST(RichEditor, OpensOnTheCellsRtfAndLeavesUneditedBytesAlone)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    TCellInfo *cell = foreignRichCell(g);
    auto *rich = openEditor<TInplaceRichEdit>(t, 1, 1);
    ASSERT_NE(rich, nullptr);
    EXPECT_EQ(rich->Text(), "plain bold");
    EXPECT_TRUE(boldAt(*rich->document(), "bold"));
    EXPECT_FALSE(boldAt(*rich->document(), "plain"));
    // Moving the caret is no edit: committing writes nothing.
    QTest::keyClick(rich, Qt::Key_Home);
    g.HideEditor();
    EXPECT_EQ(cell->GetRichText(), foreignRtf);
    rich = openEditor<TInplaceRichEdit>(t, 1, 1);
    QTest::keyClicks(rich, "zz");
    QTest::keyClick(rich, Qt::Key_Escape);
    EXPECT_EQ(cell->GetRichText(), foreignRtf);
    EXPECT_EQ(cell->GetText(), "plain bold");

    // New content loaded from a stream closes an open editor first (its edit is committed, then
    // replaced) and is reported as a change.
    int changes = 0;
    g.OnChange = [&](QObject *, int r, int c) { changes += r == 1 && c == 1; };
    rich = openEditor<TInplaceRichEdit>(t, 1, 1);
    QTest::keyClicks(rich, "!");
    QBuffer in;
    in.setData(foreignRtf);
    in.open(QIODevice::ReadOnly);
    ASSERT_TRUE(cell->LoadRichTextFromStream(in));
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(changes, 2);
    EXPECT_EQ(cell->GetRichText(), foreignRtf);
    g.OnChange = nullptr;
}

TEST(RichEditor, CommitWritesRtfAndPlainTextWithKeyboardStyles)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    TCellInfo *cell = foreignRichCell(g);
    int afterEdits = 0;
    g.OnAfterEdit = [&](QObject *, int, int) { ++afterEdits; };
    auto *rich = openEditor<TInplaceRichEdit>(t, 1, 1);
    ASSERT_NE(rich, nullptr);
    QTest::keyClick(rich, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(rich, Qt::Key_Return); // a new paragraph, not a commit
    EXPECT_TRUE(g.EditorVisible());
    QTest::keyClick(rich, Qt::Key_B, Qt::ControlModifier); // bold was on after "bold": now off
    QTest::keyClicks(rich, "thin ");
    QTest::keyClick(rich, Qt::Key_B, Qt::ControlModifier);
    QKeyEvent typed(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromUtf8("粗"));
    QApplication::sendEvent(rich, &typed);
    QTest::keyClick(rich, Qt::Key_Return, Qt::ControlModifier);
    EXPECT_FALSE(g.EditorVisible());
    EXPECT_EQ(afterEdits, 1);
    EXPECT_EQ(cell->GetText(), QString::fromUtf8("plain bold\nthin 粗"));
    QTextDocument stored;
    ASSERT_TRUE(ReadRtf(cell->GetRichText(), stored).ok);
    EXPECT_EQ(RtfToPlain(cell->GetRichText()), cell->GetText());
    EXPECT_TRUE(boldAt(stored, "bold"));
    EXPECT_FALSE(boldAt(stored, "thin"));
    EXPECT_TRUE(boldAt(stored, QString::fromUtf8("粗")));

    // A change of style alone is an edit too: the text stays, the rich content changes.
    rich = openEditor<TInplaceRichEdit>(t, 1, 1);
    rich->selectAll();
    QTest::keyClick(rich, Qt::Key_I, Qt::ControlModifier);
    const QByteArray before = cell->GetRichText();
    g.HideEditor();
    EXPECT_EQ(afterEdits, 2);
    EXPECT_EQ(cell->GetText(), QString::fromUtf8("plain bold\nthin 粗"));
    EXPECT_NE(cell->GetRichText(), before);
    ASSERT_TRUE(ReadRtf(cell->GetRichText(), stored).ok);
    for (QTextBlock b = stored.begin(); b.isValid(); b = b.next())
        for (auto it = b.begin(); !it.atEnd(); ++it)
            EXPECT_TRUE(it.fragment().charFormat().fontItalic()) << it.fragment().text().toStdString();
}

TEST(RichEditor, TypingStartsPlainAndSelectionChangesAreReported)
{
    NavGrid t(4, 3);
    TQorGrid &g = t.g;
    g.Cells(2, 0)->SetCellType(ctRichEdit);
    g.Cells(2, 0)->SetText("old");
    int changes = 0;
    g.OnRichEditSelectionChange = [&](QObject *sender) {
        EXPECT_EQ(sender, &g);
        ++changes;
    };
    g.SetFocusCell(2, 0);
    t.key(Qt::Key_N);
    auto *rich = test::editorOf<TInplaceRichEdit>(g);
    ASSERT_NE(rich, nullptr);
    EXPECT_EQ(rich->Text(), "n");
    EXPECT_EQ(changes, 0); // opening is no selection change
    QTest::keyClick(rich, Qt::Key_Left, Qt::ShiftModifier);
    EXPECT_EQ(changes, 1);
    QTest::keyClick(rich, Qt::Key_End);
    EXPECT_EQ(changes, 2);
    QTest::keyClicks(rich, "ew");
    QTest::keyClick(rich, Qt::Key_Tab);
    EXPECT_EQ(g.GetCellText(2, 0), "new");
    EXPECT_EQ(RtfToPlain(g.Cells(2, 0)->GetRichText()), "new");
}
