// What a cell and a column do to an open in-place editor, to rich content and to adapters.
#include <gtest/gtest.h>

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <string>
#include <vector>
#include "core/edit/editor_controller_p.h"
#include "core/grid.h"
#include "core/grid_p.h"
#include "platform/colors.h"

using namespace qor;

namespace {

class RichStub : public IRichTextHost {
public:
    std::optional<QByteArray> FromPlain(const QString &text, const TQorFont *) const override
    {
        return ("{rich " + text + "}").toUtf8();
    }
    std::optional<QString> ToPlain(const QByteArray &rich) const override
    {
        return QString::fromUtf8(rich).mid(6).chopped(1);
    }
};

// Opens the cell's in-place editor on a shown grid and types the text into it.
TEditorController &openEditor(TQorGrid &g, int row, int col, const QString &typed = "typing")
{
    g.setAttribute(Qt::WA_DontShowOnScreen);
    g.resize(400, 300);
    g.show();
    g.SetFocusCell(row, col);
    TEditorController &editor = *GridPrivate::get(g).editor;
    EXPECT_TRUE(g.ShowEditor());
    if (editor.Current())
        editor.Current()->SetText(typed);
    return editor;
}

} // namespace

TEST(CellEditing, ReadersSeeTheLiveEditorTextAndCellChangesReachIt)
{
    TQorGrid g;
    g.SetCellText(1, 1, "stored");
    TEditorController &ed = openEditor(g, 1, 1);
    EXPECT_EQ(g.GetCellText(1, 1), "typing");
    EXPECT_EQ(g.Cells(1, 1)->GetText(), "stored");
    g.SetCellText(1, 1, "new");
    EXPECT_TRUE(ed.IsOpenOn(1, 1));
    EXPECT_EQ(ed.Text(), "new");

    // Kind changes close the editor, colour changes update it.
    openEditor(g, 2, 1);
    g.Cells(2, 1)->SetBackColor(clYellow);
    ASSERT_TRUE(ed.IsOpen());
    EXPECT_EQ(ed.CurrentWidget()->palette().color(QPalette::Base), platform::ToQColor(clYellow));
    g.Cells(2, 1)->SetReadOnly(true);
    EXPECT_FALSE(ed.IsOpen());
    openEditor(g, 3, 1);
    g.Columns(0)->SetCellType(ctCombo); // another column: the editor stays
    EXPECT_TRUE(ed.IsOpenOn(3, 1));
    g.Columns(1)->SetFixCell(true);
    EXPECT_FALSE(ed.IsOpen());
}

TEST(ColumnAttributes, AssignAndSetDefaultReachTheCellsWithRecords)
{
    TQorGrid g;
    g.Columns(0)->SetDigits(4);
    g.Columns(0)->SetHint("first");
    g.Columns(0)->Title().SetCaption("A-title");
    TCellInfo *styled = g.Cells(0, 1);
    styled->SetWordWrap(true);
    g.Columns(1)->Assign(*g.Columns(0));
    EXPECT_EQ(styled->GetDigits(), 4);
    EXPECT_EQ(styled->GetHint(), "first");
    EXPECT_FALSE(styled->GetWordWrap()); // the column-wide change overrides
    EXPECT_EQ(g.Columns(1)->Title().GetCaption(), "A-title");
    g.SetColor(clYellow);
    g.Columns(1)->SetDefault();
    EXPECT_EQ(g.Columns(1)->GetDigits(), 2);
    EXPECT_EQ(g.Columns(1)->GetBackColor(), clYellow);
    EXPECT_EQ(g.Cells(1, 1)->GetBackColor(), clYellow);
    EXPECT_EQ(g.Columns(0)->GetBackColor(), clWhite); // made before the colour changed
}

TEST(ColumnAttributes, AdaptersAreHandedTheirObject)
{
    struct CellAd : ICellAdapter {
        TCellInfo *seen = nullptr;
        void SetCell(TCellInfo *c) override { seen = c; }
    };
    struct ColAd : IColumnAdapter {
        TQorColumn *seen = nullptr;
        void SetColumn(TQorColumn *c) override { seen = c; }
    };
    struct TitleAd : IColumnTitleAdapter {
        TQorColumnTitle *seen = nullptr;
        void SetColumnTitle(TQorColumnTitle *t) override { seen = t; }
    };
    TQorGrid g;
    auto cellAd = std::make_shared<CellAd>();
    auto colAd = std::make_shared<ColAd>();
    auto titleAd = std::make_shared<TitleAd>();
    g.Cells(1, 1)->SetCellAdapter(cellAd);
    g.Columns(2)->SetColumnAdapter(colAd);
    g.Columns(2)->Title().SetColumnTitleAdapter(titleAd);
    EXPECT_EQ(cellAd->seen, g.Cells(1, 1));
    EXPECT_EQ(colAd->seen, g.Columns(2));
    EXPECT_EQ(titleAd->seen, &g.Columns(2)->Title());
    g.Cells(1, 1)->SetCellAdapter(nullptr); // releases it
    EXPECT_EQ(cellAd.use_count(), 1);
}

TEST(CellEditing, RichContentRoundTripsThroughFilesAndRefusesWhatItCannotRead)
{
    TQorGrid g;
    TCellInfo *c = g.Cells(0, 0);
    c->SetRichText("{\\rtf1 hello}");
    const QString path = QDir::temp().filePath("qor_core_rich_test.rtf");
    ASSERT_TRUE(c->SaveRichTextToFile(path));
    TCellInfo *d = g.Cells(1, 0);
    ASSERT_TRUE(d->LoadRichTextFromFile(path));
    EXPECT_EQ(d->GetRichText(), "{\\rtf1 hello}");
    QFile::remove(path);
    EXPECT_FALSE(d->LoadRichTextFromFile(path));
    EXPECT_EQ(d->GetRichText(), "{\\rtf1 hello}");
    EXPECT_FALSE(c->SaveRichTextToFile("/nonexistent-dir/x.rtf"));
    QBuffer closed;
    EXPECT_FALSE(d->LoadRichTextFromStream(closed));
}
