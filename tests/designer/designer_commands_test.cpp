// The designer's editing commands and their undo: rows and columns, merges, borders, fonts,
// the format dialogs, pictures and the page fit.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QImage>
#include <QLineEdit>
#include <QUndoStack>
#include <QApplication>
#include <QFile>
#include "objects/ole_container.h"
#include "designer/cell_format_dialog.h"
#include "designer/designer_dialogs.h"
#include "designer/page_fit.h"
#include "designer/property_inspector.h"
#include "designer_fixture.h"
#include <QFile>
#include "objects/ole_container.h"
#include "platform/page_setup_dialog.h"
#include "print/preview/preview_window.h"
#include "print/qor_print.h"

namespace qor::test {
namespace {

bool allFrames(TCustomQorGrid &g, int r, int c)
{
    TCellInfo *cell = g.Cells(r, c);
    return cell->GetLeftFrame() && cell->GetTopFrame() && cell->GetRightFrame() && cell->GetBottomFrame();
}

TEST_F(DesignerTest, DeletingAThreeRowSelectionDeletesThoseThreeRows)
{
    auto w = open();
    TQorGrid &g = *w->DesignGrid();
    g.SelectCells(2, 1, 4, 3);
    w->DeleteRowsClick();
    EXPECT_EQ(g.GetRows(), 5);
    EXPECT_EQ(g.GetCellText(1, 0), QStringLiteral("1,0"));
    EXPECT_EQ(g.GetCellText(2, 0), QStringLiteral("5,0"));
    EXPECT_EQ(g.GetCellText(4, 4), QStringLiteral("7,4"));

    g.ClearSelection();
    g.SetFocusCell(0, 3);
    w->DeleteColsClick();   // no selection: the current column
    EXPECT_EQ(g.GetCols(), 4);
    EXPECT_EQ(g.GetCellText(0, 3), QStringLiteral("0,4"));

    w->UndoStack()->undo();
    w->UndoStack()->undo();
    EXPECT_EQ(g.GetRows(), 8);
    EXPECT_EQ(g.GetCols(), 5);
    EXPECT_EQ(g.GetCellText(3, 3), QStringLiteral("3,3"));
}

TEST_F(DesignerTest, RowsAndColumnsGoInBeforeTheCurrentOneOrAtTheEnd)
{
    auto w = open();
    TQorGrid &g = *w->DesignGrid();
    g.SetFocusCell(2, 1);
    {
        DialogAnswer a(Answer<TCountDialog>([](TCountDialog &d) {
            EXPECT_EQ(d.windowTitle(), QStringLiteral("插入多行"));
            d.CountEdit()->setText(QStringLiteral("3"));
            return int(QDialog::Accepted);
        }));
        w->Action(daInsertRows)->trigger();
    }
    EXPECT_EQ(g.GetRows(), 11);
    EXPECT_EQ(g.GetCellText(2, 0), QString());
    EXPECT_EQ(g.GetCellText(5, 0), QStringLiteral("2,0"));
    {
        DialogAnswer a(Answer<TCountDialog>([](TCountDialog &d) {
            d.CountEdit()->setText(QStringLiteral("lots"));   // no number: one
            return int(QDialog::Accepted);
        }));
        w->Action(daAppendCols)->trigger();
    }
    EXPECT_EQ(g.GetCols(), 6);
    {
        DialogAnswer a(Answer<TCountDialog>([](TCountDialog &) { return int(QDialog::Rejected); }));
        w->Action(daAppendRows)->trigger();
    }
    EXPECT_EQ(g.GetRows(), 11);
    EXPECT_EQ(w->Inspector()->ValueText(QStringLiteral("Rows")), QStringLiteral("11"));
    EXPECT_EQ(w->Inspector()->ValueText(QStringLiteral("Cols")), QStringLiteral("6"));

    w->UndoStack()->undo();   // the appended column
    w->UndoStack()->undo();   // the inserted rows
    EXPECT_EQ(g.GetRows(), 8);
    EXPECT_EQ(g.GetCols(), 5);
    EXPECT_EQ(g.GetCellText(2, 0), QStringLiteral("2,0"));
    EXPECT_EQ(w->Inspector()->ValueText(QStringLiteral("Rows")), QStringLiteral("8"));
    w->UndoStack()->redo();
    EXPECT_EQ(g.GetRows(), 11);
    EXPECT_EQ(g.GetCellText(5, 0), QStringLiteral("2,0"));
}

TEST_F(DesignerTest, MergeAndUnmergeAreUndone)
{
    auto w = open();
    TQorGrid &g = *w->DesignGrid();
    g.SelectCells(1, 1, 2, 3);
    w->Action(daMerge)->trigger();
    EXPECT_EQ(g.MergedArea(2, 3), QRect(1, 1, 3, 2));
    w->UndoStack()->undo();
    EXPECT_EQ(g.MergedArea(2, 3), QRect(3, 2, 1, 1));
    EXPECT_EQ(g.MergedArea(1, 1), QRect(1, 1, 1, 1));
    EXPECT_EQ(g.GetCellText(2, 3), QStringLiteral("2,3"));
    w->UndoStack()->redo();
    EXPECT_EQ(g.MergedArea(1, 2), QRect(1, 1, 3, 2));

    g.ClearSelection();
    g.SetFocusCell(2, 2);
    w->UnmergeClick();
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c)
            EXPECT_EQ(g.MergedArea(r, c), QRect(c, r, 1, 1)) << r << "," << c;
    w->UndoStack()->undo();
    EXPECT_EQ(g.MergedArea(2, 2), QRect(1, 1, 3, 2));

    // A merge that absorbs an area gives that area back on undo.
    g.SelectCells(2, 0, 3, 1);
    w->MergeClick();
    EXPECT_EQ(g.MergedArea(3, 0), QRect(0, 1, 4, 3));
    w->UndoStack()->undo();
    EXPECT_EQ(g.MergedArea(2, 2), QRect(1, 1, 3, 2));
    EXPECT_EQ(g.MergedArea(3, 0), QRect(0, 3, 1, 1));
    EXPECT_EQ(g.GetCellText(3, 0), QStringLiteral("3,0"));
}

TEST_F(DesignerTest, BorderCommandsAndTheirUndo)
{
    auto w = open();
    TQorGrid &g = *w->DesignGrid();
    g.SelectCells(1, 1, 3, 3);
    w->OuterBordersClick();
    EXPECT_TRUE(g.Cells(1, 1)->GetLeftFrame() && g.Cells(1, 1)->GetTopFrame());
    EXPECT_FALSE(g.Cells(1, 1)->GetRightFrame() || g.Cells(1, 1)->GetBottomFrame());
    EXPECT_TRUE(g.Cells(3, 2)->GetBottomFrame());
    EXPECT_FALSE(g.Cells(2, 2)->GetLeftFrame() || g.Cells(2, 2)->GetTopFrame());
    EXPECT_TRUE(g.Cells(2, 0)->GetRightFrame()) << "the neighbour shares the edge";

    w->AllBordersClick();
    EXPECT_TRUE(allFrames(g, 2, 2));
    w->UndoStack()->undo();
    EXPECT_FALSE(g.Cells(2, 2)->GetLeftFrame());
    EXPECT_TRUE(g.Cells(1, 1)->GetLeftFrame());
    w->UndoStack()->undo();
    EXPECT_FALSE(g.Cells(1, 1)->GetLeftFrame());
    EXPECT_FALSE(g.Cells(2, 0)->GetRightFrame()) << "the neighbour's edge comes back too";
    w->UndoStack()->redo();
    w->UndoStack()->redo();
    EXPECT_TRUE(allFrames(g, 2, 2));

    w->NoBordersClick();
    EXPECT_FALSE(g.Cells(2, 2)->GetLeftFrame() || g.Cells(1, 1)->GetTopFrame());
    EXPECT_EQ(g.GetCellText(2, 2), QStringLiteral("2,2"));

    // Without a selection the current cell gets its four edges.
    g.ClearSelection();
    g.SetFocusCell(6, 4);
    w->OuterBordersClick();
    EXPECT_TRUE(allFrames(g, 6, 4));
}

TEST_F(DesignerTest, FontAndAlignmentButtonsChangeEveryCellOfTheSelection)
{
    auto w = open();
    TQorGrid &g = *w->DesignGrid();
    g.SelectCells(0, 0, 1, 1);
    w->Action(daBold)->trigger();
    EXPECT_TRUE(g.Cells(1, 1)->Font().Font.bold());
    EXPECT_FALSE(g.PeekCell(2, 2) && g.Cells(2, 2)->PeekFont());
    EXPECT_TRUE(w->Action(daBold)->isChecked());
    w->Action(daAlignRight)->trigger();
    EXPECT_EQ(g.Cells(0, 1)->GetAlignment(), taRightJustify);
    w->UndoStack()->undo();
    EXPECT_EQ(g.Cells(0, 1)->GetAlignment(), taLeftJustify);
    w->UndoStack()->undo();
    EXPECT_FALSE(g.Cells(1, 1)->Font().Font.bold());
    EXPECT_FALSE(w->Action(daBold)->isChecked());
}

TEST_F(DesignerTest, TypedTextIsOneUndoStep)
{
    auto w = open();
    TQorGrid &g = *w->DesignGrid();
    g.SetOptions(g.GetOptions().With(qgoEditing));
    g.SetFocusCell(1, 1);
    ASSERT_TRUE(g.ShowEditor());
    g.OnShowEditor(&g, 1, 1);   // what opening the editor raised, for the record
    g.SetCellText(1, 1, QStringLiteral("新"));
    g.OnAfterEdit(&g, 1, 1);
    g.HideEditor();
    EXPECT_TRUE(w->Modified());
    w->UndoStack()->undo();
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("1,1"));
    w->UndoStack()->redo();
    EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("新"));
}

TEST_F(DesignerTest, TheCellFormatDialogWritesOnlyWhatChanged)
{
    auto w = open();
    TQorGrid &g = *w->DesignGrid();
    TQorFont big = g.GetFont();
    big.Font.setPointSize(20);
    g.Cells(1, 2)->SetFont(big);
    g.SetFocusCell(1, 1);
    g.SelectCells(1, 1, 1, 2);
    DialogAnswer a(Answer<TCellFormatDialog>([](TCellFormatDialog &d) {
        EXPECT_FALSE(d.ColumnMode());
        d.ValueTypeBox()->setCurrentIndex(vtCurrency);
        d.DigitsBox()->setValue(3);
        d.AlignmentBox()->setCurrentIndex(taRightJustify);
        d.FrameBox(ceBottom)->setChecked(true);
        d.FrameWidthBox(ceBottom)->setValue(2);
        d.CellTypeBox()->setCurrentIndex(ctCombo);
        d.ItemsEdit()->setPlainText(QStringLiteral("甲\n乙"));
        d.MaskEdit()->setText(QStringLiteral("999"));
        return int(QDialog::Accepted);
    }));
    w->Action(daCellFormat)->trigger();
    for (int c : {1, 2}) {
        TCellInfo *cell = g.Cells(1, c);
        EXPECT_EQ(cell->GetValueType(), vtCurrency);
        EXPECT_EQ(cell->GetDigits(), 3);
        EXPECT_EQ(cell->GetAlignment(), taRightJustify);
        EXPECT_TRUE(cell->GetBottomFrame());
        EXPECT_EQ(cell->GetBottomFrameWidth(), 2);
        EXPECT_EQ(cell->GetCellType(), ctCombo);
        EXPECT_EQ(cell->Items().Items(), QStringList({QStringLiteral("甲"), QStringLiteral("乙")}));
        EXPECT_EQ(cell->GetMask(), QStringLiteral("999"));
    }
    EXPECT_EQ(g.Cells(1, 2)->Font().Font.pointSize(), 20) << "the font was not touched";
    w->UndoStack()->undo();
    EXPECT_EQ(g.Cells(1, 2)->GetValueType(), vtString);
    EXPECT_FALSE(g.Cells(1, 1)->GetBottomFrame());
}

TEST_F(DesignerTest, TheColumnFormatGoesToTheColumn)
{
    auto w = open();
    TQorGrid &g = *w->DesignGrid();
    g.SetFocusCell(0, 3);
    DialogAnswer a(Answer<TCellFormatDialog>([](TCellFormatDialog &d) {
        EXPECT_TRUE(d.ColumnMode());
        EXPECT_FALSE(d.Pages()->isTabEnabled(TCellFormatDialog::pgBorder));
        d.ValueTypeBox()->setCurrentIndex(vtCurrency);
        d.ThousandsBox()->setChecked(false);
        return int(QDialog::Accepted);
    }));
    w->Action(daColumnFormat)->trigger();
    EXPECT_EQ(g.Columns(3)->GetValueType(), vtCurrency);
    EXPECT_FALSE(g.Columns(3)->GetThousandSeparators());
    EXPECT_EQ(g.GetCellText(5, 3), QStringLiteral("5,3"));
    w->UndoStack()->undo();
    EXPECT_EQ(g.Columns(3)->GetValueType(), vtString);
}

TEST_F(DesignerTest, APictureGoesIntoTheCurrentCell)
{
    auto w = open();
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(Qt::red);
    const QString file = path(QStringLiteral("p.png"));
    ASSERT_TRUE(img.save(file));
    w->DesignGrid()->SetFocusCell(2, 2);
    ASSERT_TRUE(w->InsertPicture(file));
    EXPECT_EQ(w->DesignGrid()->Cells(2, 2)->Graphic().Image.size(), QSize(8, 6));
    w->UndoStack()->undo();
    EXPECT_TRUE(w->DesignGrid()->Cells(2, 2)->Graphic().IsEmpty());

    MessageRecorder boxes;
    EXPECT_FALSE(w->InsertPicture(path(QStringLiteral("missing.png"))));
    EXPECT_EQ(boxes.count(), 1);
}

// ---------------------------------------------------------------------------------------------
// The page fit

TQorGrid &invoiceOf(TQorGrid &g, int cols, int width)
{
    g.SetGridType(gtInvoice);
    g.SetRows(5);
    g.SetCols(cols);
    for (int c = 0; c < cols; ++c)
        g.SetColWidth(c, width);
    for (int r = 0; r < 5; ++r)
        g.SetRowHeight(r, 20);
    return g;
}

TEST(PageFit, ATooWideGridLosesItsLastColumnsFirst)
{
    TQorGrid g;
    invoiceOf(g, 10, 30);
    ASSERT_EQ(g.GetInnerWidth(), 300);
    const QMargins m(10, 12, 14, 16);
    const QSize page(300 + 10 + 14 - 40, 400);   // 40 pixels too narrow
    ASSERT_EQ(FitGridToPage(g, page, m), PageFit::Fitted);
    EXPECT_EQ(g.GetColWidth(9), 1);
    EXPECT_EQ(g.GetColWidth(8), 30 - 11);
    for (int c = 0; c < 8; ++c)
        EXPECT_EQ(g.GetColWidth(c), 30) << c;
    EXPECT_EQ(g.GetInnerWidth(), page.width() - 10 - 14);
    EXPECT_EQ(g.GetLeftMargin(), 10);
    EXPECT_EQ(g.GetTopMargin(), 12);
    EXPECT_EQ(g.GetRightMargin(), 14);
    // The rows fit: the bottom margin takes the rest of the page.
    EXPECT_EQ(g.GetBottomMargin(), 400 - 100 - 12);
}

TEST(PageFit, WhenEveryColumnIsAtOnePixelEachGivesOneMore)
{
    TQorGrid g;
    invoiceOf(g, 4, 3);   // 12 pixels, at most 8 can go before the second pass
    ASSERT_EQ(FitGridToPage(g, QSize(10 + 2, 200), QMargins(5, 5, 5, 5)), PageFit::Fitted);
    EXPECT_EQ(g.GetInnerWidth(), 2);
    EXPECT_FALSE(g.GetColVisible(3) && g.GetColWidth(3) > 0);
    EXPECT_FALSE(g.GetColVisible(2) && g.GetColWidth(2) > 0);
    EXPECT_EQ(g.GetColWidth(1), 1);
    EXPECT_EQ(g.GetColWidth(0), 1);
}

TEST(PageFit, MarginsThatLeaveNoRoomChangeNothing)
{
    TQorGrid g;
    invoiceOf(g, 3, 50);
    EXPECT_EQ(FitGridToPage(g, QSize(100, 400), QMargins(50, 5, 50, 5)), PageFit::TooNarrow);
    EXPECT_EQ(FitGridToPage(g, QSize(400, 100), QMargins(5, 60, 5, 40)), PageFit::TooShort);
    EXPECT_EQ(g.GetColWidth(2), 50);
    g.SetGridType(gtExcel);
    EXPECT_EQ(FitGridToPage(g, QSize(40, 40), QMargins()), PageFit::NotAnInvoice);
}

TEST_F(DesignerTest, FittingThroughTheMenuSaysWhenThePrintableAreaIsTooSmall)
{
    invoiceOf(app, 10, 200);
    auto w = open();
    TQorPrint &print = *w->Print();
    print.PageMargins().Left = 110;
    print.PageMargins().Right = 110;
    MessageRecorder boxes;
    w->FitPageClick();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("可打印区域太小"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
    EXPECT_FALSE(w->Modified());

    print.PageMargins().Left = 10;
    print.PageMargins().Right = 10;
    w->FitPageClick();
    EXPECT_EQ(boxes.count(), 1);
    const QSize page = PageSizeInPixels(print);
    const QMargins m = PageMarginsInPixels(print);
    EXPECT_EQ(w->DesignGrid()->GetInnerWidth(), page.width() - m.left() - m.right());
    EXPECT_EQ(w->DesignGrid()->GetColWidth(0), 200);
    w->UndoStack()->undo();
    EXPECT_EQ(w->DesignGrid()->GetColWidth(9), 200);
}

TEST_F(DesignerTest, ThePageSetUpIsUndoneAndThePreviewShowsTheDesign)
{
    auto w = open();
    const int before = w->Print()->PageMargins().Left;
    auto previous = platform::SetPageSetupHandler([](platform::PageSetupValues &v) {
        v.margins.setLeft(4000);   // 40 mm
        v.orientation = 2;
        return true;
    });
    w->Action(daPageSetup)->trigger();
    platform::SetPageSetupHandler(std::move(previous));
    EXPECT_EQ(w->Print()->PageMargins().Left, 40);
    EXPECT_EQ(w->Print()->GetOrientation(), poLandscape);
    EXPECT_TRUE(w->Modified());
    w->UndoStack()->undo();
    EXPECT_EQ(w->Print()->PageMargins().Left, before);
    EXPECT_EQ(w->Print()->GetOrientation(), poPortrait);

    int pages = 0;
    DialogAnswer a(Answer<TfrmQorPreview>([&](TfrmQorPreview &p) {
        EXPECT_EQ(p.Report(), w->Print());
        p.Recount(1);
        pages = p.GetPageCount();
        return int(QDialog::Rejected);
    }));
    w->Action(daPreview)->trigger();
    EXPECT_EQ(pages, 1);
    EXPECT_EQ(w->Print()->PreviewWindow(), nullptr);
}

} // namespace
} // namespace qor::test

namespace qor::test {
namespace {

TEST_F(DesignerTest, EmbeddedDocumentsAreInsertedDeletedAndUndone)
{
    auto w = open();
    TQorGrid &g = *w->DesignGrid();
    const QString file = path(QStringLiteral("附件.txt"));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("line items");
    }
    w->SetFileChooser([&](TFileChoice kind, const QString &) {
        EXPECT_EQ(kind, TFileChoice::Object);
        return file;
    });
    g.SetFocusCell(2, 1);
    w->InsertObjectClick();
    ASSERT_EQ(g.GetOleObjectCount(), 1);
    TQorOleContainer *doc = g.GetOleObject(0);
    EXPECT_EQ(doc->PackageName(), QStringLiteral("附件.txt"));
    EXPECT_EQ(doc->PackageBytes(), QByteArray("line items"));
    EXPECT_TRUE(w->Modified());
    w->UndoStack()->undo();
    EXPECT_EQ(g.GetOleObjectCount(), 0);
    w->UndoStack()->redo();
    ASSERT_EQ(g.GetOleObjectCount(), 1);
    EXPECT_EQ(g.GetOleObject(0)->PackageBytes(), QByteArray("line items"));

    // The document with the focus is the one "删除 OLE 对象" removes.
    w->DeleteObjectClick();   // none has the focus: nothing
    EXPECT_EQ(g.GetOleObjectCount(), 1);
    w->show();
    w->activateWindow();
    QApplication::setActiveWindow(w.get());
    g.GetOleObject(0)->setFocus();
    ASSERT_EQ(g.ActivedOleObject2(), 0);
    w->DeleteObjectClick();
    EXPECT_EQ(g.GetOleObjectCount(), 0);
    w->UndoStack()->undo();
    EXPECT_EQ(g.GetOleObjectCount(), 1);
}

} // namespace
} // namespace qor::test
