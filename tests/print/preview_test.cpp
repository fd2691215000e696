// The preview window: fitted zooms, the print-zoom box, navigation, keys, the wheel, the
// magnifier and dragging, what the page looks like, page set-up and its errors, and closing.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>
#include "message_recorder.h"
#include "preview_fixture.h"

namespace qor::test {
namespace {

using Preview = StandInPrinter;

void wheel(TPagePaint *paint, bool up)
{
    const QPointF at(50, 50);
    QWheelEvent e(at, paint->mapToGlobal(at), QPoint(), QPoint(0, up ? 120 : -120), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QApplication::sendEvent(paint, &e);
}

void mouse(TPagePaint *paint, QEvent::Type type, QPoint at, Qt::MouseButtons held)
{
    QMouseEvent e(type, QPointF(at), paint->mapToGlobal(QPointF(at)), Qt::LeftButton, held, Qt::NoModifier);
    QApplication::sendEvent(paint, &e);
}

TEST_F(Preview, FittedZoomsFollowThePageControl)
{
    // A machine without printers: the sheet is A4 at 96 dpi, 793 x 1122 screen pixels.
    platform::SetCurrentPrinter(platform::MakeNoPrinter());
    PreviewSheet s;
    TfrmQorPreview *w = s.open();
    ASSERT_TRUE(w);
    EXPECT_TRUE(w->windowState() & Qt::WindowMaximized);
    SizePageControl(*w, QSize(700, 600));
    ASSERT_EQ(w->PagePaint()->size(), QSize(700, 600));

    w->ZoomAction(TfrmQorPreview::ziWholePage)->trigger();
    EXPECT_DOUBLE_EQ(w->Zoom(), 580.0 / 1122);
    EXPECT_TRUE(w->ZoomAction(TfrmQorPreview::ziWholePage)->isChecked());
    EXPECT_EQ(w->PagePaint()->PageSize(), QSize(410, 580));
    EXPECT_FALSE(w->VertScrollBar()->isEnabled());

    w->ZoomAction(TfrmQorPreview::ziPageWidth)->trigger();
    EXPECT_DOUBLE_EQ(w->Zoom(), 680.0 / 793);
    SizePageControl(*w, QSize(900, 600));
    EXPECT_DOUBLE_EQ(w->Zoom(), 880.0 / 793);   // resizing fits again

    w->ZoomAction(TfrmQorPreview::zi200)->trigger();
    EXPECT_DOUBLE_EQ(w->Zoom(), 2.0);
    SizePageControl(*w, QSize(800, 500));
    EXPECT_DOUBLE_EQ(w->Zoom(), 2.0);            // a fixed zoom stays
    EXPECT_EQ(w->VertScrollBar()->maximum(), 2244 + 20 - 500);
    EXPECT_EQ(w->HorzScrollBar()->maximum(), 1586 + 20 - 800);
    EXPECT_EQ(w->VertScrollBar()->pageStep(), 490);
    EXPECT_TRUE(w->VertScrollBar()->isEnabled());
}

TEST_F(Preview, ThePrintZoomBoxTakesNumbersAndRefusesTheRest)
{
    PreviewSheet s(400, 4);
    int finished = 0;
    s.print.OnPrintFinish = [&](QObject *) { ++finished; };
    TfrmQorPreview *w = s.open();
    ASSERT_TRUE(w);
    EXPECT_EQ(w->PrintZoomBox()->currentText(), QStringLiteral("100%"));
    const int pagesAt100 = w->GetPageCount();
    ASSERT_GE(pagesAt100, 3);
    w->LastButton()->click();

    QLineEdit *edit = w->PrintZoomBox()->lineEdit();
    edit->clear();
    QTest::keyClicks(edit, QStringLiteral("75"));
    QTest::keyClick(edit, Qt::Key_Return);
    EXPECT_EQ(w->PrintZoomBox()->currentText(), QStringLiteral("75%"));
    EXPECT_EQ(s.print.GetPrintZoom(), 75);
    EXPECT_EQ(s.grid.GetZoom(), 75);
    EXPECT_LT(w->GetPageCount(), pagesAt100);
    EXPECT_EQ(w->GetPageCount(), s.print.GetPageCount());
    EXPECT_EQ(w->CurrentPage(), 1);

    for (const char *bad : {"abc", "0", "-20", "abc%", "100000"}) {
        edit->setText(QString::fromLatin1(bad));
        QTest::keyClick(edit, Qt::Key_Return);
        EXPECT_EQ(w->PrintZoomBox()->currentText(), QStringLiteral("75%")) << bad;
        EXPECT_EQ(s.print.GetPrintZoom(), 75) << bad;
    }

    w->PrintZoomBox()->setCurrentIndex(1);
    Q_EMIT w->PrintZoomBox()->activated(1);   // "200%" chosen from the list
    EXPECT_EQ(s.print.GetPrintZoom(), 200);

    // Closing cancels, and the window gives the report its print zoom back.
    s.print.SetTerminated(false);
    w->close();
    EXPECT_TRUE(s.print.GetTerminated());
    delete w;
    EXPECT_EQ(s.print.GetPrintZoom(), 100);
    EXPECT_EQ(finished, 1);
    EXPECT_EQ(s.print.PreviewWindow(), nullptr);
}

TEST_F(Preview, NavigationButtonsThePageBoxAndTheLabel)
{
    PreviewSheet s;
    TfrmQorPreview *w = s.open();
    ASSERT_TRUE(w);
    const int n = w->GetPageCount();
    ASSERT_GE(n, 3);
    EXPECT_EQ(w->PageLabel()->text(), QStringLiteral("页 1/%1 ").arg(n));
    EXPECT_FALSE(w->FirstButton()->isEnabled());
    EXPECT_FALSE(w->PriorButton()->isEnabled());
    EXPECT_TRUE(w->NextButton()->isEnabled());

    w->NextButton()->click();
    EXPECT_EQ(w->PageLabel()->text(), QStringLiteral("页 2/%1 ").arg(n));
    EXPECT_TRUE(w->FirstButton()->isEnabled() && w->LastButton()->isEnabled());
    EXPECT_EQ(w->PageBox()->text(), QStringLiteral("2"));
    w->LastButton()->click();
    EXPECT_EQ(w->CurrentPage(), n);
    EXPECT_FALSE(w->NextButton()->isEnabled() || w->LastButton()->isEnabled());

    // The page box: digits only; GO or Enter shows the page, anything else stays put.
    QLineEdit *box = w->PageBox();
    box->clear();
    QTest::keyClicks(box, QStringLiteral("2a=-"));
    EXPECT_EQ(box->text(), QStringLiteral("2"));
    w->GoButton()->click();
    EXPECT_EQ(w->CurrentPage(), 2);
    box->setText(QStringLiteral("999"));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(w->CurrentPage(), 2);
    EXPECT_EQ(box->text(), QStringLiteral("2"));
    box->clear();
    w->GoButton()->click();
    EXPECT_EQ(w->CurrentPage(), 2);

    w->SetPageNo(0);
    w->SetPageNo(n + 1);
    EXPECT_EQ(w->CurrentPage(), 2);
}

TEST_F(Preview, KeysScrollAndTheWheelTurnsPagesAtTheEnds)
{
    PreviewSheet s;
    TfrmQorPreview *w = s.open();
    ASSERT_TRUE(w);
    SizePageControl(*w, QSize(700, 500));
    w->SetZoomItem(TfrmQorPreview::zi200);
    QScrollBar *v = w->VertScrollBar();
    TPagePaint *paint = w->PagePaint();
    QTest::keyClick(paint, Qt::Key_PageDown);
    EXPECT_EQ(v->value(), 160);
    QTest::keyClick(paint, Qt::Key_Up);
    EXPECT_EQ(v->value(), 130);
    QTest::keyClick(paint, Qt::Key_Right);
    EXPECT_EQ(w->HorzScrollBar()->value(), 30);
    EXPECT_EQ(paint->PageRect().topLeft(), QPoint(10 - 30, 10 - 130));
    QTest::keyClick(paint, Qt::Key_End);
    EXPECT_EQ(v->value(), v->maximum());
    QTest::keyClick(paint, Qt::Key_Home);
    EXPECT_EQ(v->value(), 0);

    wheel(paint, false);
    EXPECT_EQ(v->value(), 30);
    wheel(paint, true);
    wheel(paint, true);   // at the top of page 1: nothing before it
    EXPECT_EQ(v->value(), 0);
    EXPECT_EQ(w->CurrentPage(), 1);

    // The whole page in view: every turn is at an end.
    w->SetZoomItem(TfrmQorPreview::ziWholePage);
    ASSERT_EQ(v->maximum(), 0);
    wheel(paint, false);
    EXPECT_EQ(w->CurrentPage(), 2);
    EXPECT_TRUE(w->WheelLocked());
    wheel(paint, false);
    EXPECT_EQ(w->CurrentPage(), 2);
    QTest::qWait(350);
    EXPECT_FALSE(w->WheelLocked());
    wheel(paint, false);
    EXPECT_EQ(w->CurrentPage(), 3);
    wheel(paint, true);
    EXPECT_EQ(w->CurrentPage(), 2);
}

TEST_F(Preview, TheMagnifierZoomsInAndOutAndDraggingScrolls)
{
    PreviewSheet s;
    TfrmQorPreview *w = s.open();
    ASSERT_TRUE(w);
    SizePageControl(*w, QSize(700, 500));
    TPagePaint *paint = w->PagePaint();
    w->SetZoomItem(TfrmQorPreview::ziWholePage);
    w->MagnifierButton()->click();
    EXPECT_EQ(paint->cursor().pixmap().toImage(), w->ZoomInCursor().pixmap().toImage());

    QTest::mouseClick(paint, Qt::LeftButton, Qt::NoModifier, paint->PageRect().center());
    EXPECT_EQ(w->ZoomItem(), TfrmQorPreview::zi100);
    EXPECT_DOUBLE_EQ(w->Zoom(), 1.0);
    EXPECT_GT(w->VertScrollBar()->value(), 0);   // the middle of the page stays in view
    EXPECT_EQ(paint->cursor().pixmap().toImage(), w->ZoomOutCursor().pixmap().toImage());
    QTest::mouseClick(paint, Qt::LeftButton);
    EXPECT_EQ(w->ZoomItem(), TfrmQorPreview::ziWholePage);
    EXPECT_EQ(paint->cursor().pixmap().toImage(), w->ZoomInCursor().pixmap().toImage());

    w->MagnifierButton()->click();
    EXPECT_EQ(paint->cursor().shape(), Qt::ArrowCursor);
    w->SetZoomItem(TfrmQorPreview::zi200);
    w->HorzScrollBar()->setValue(100);
    w->VertScrollBar()->setValue(200);
    mouse(paint, QEvent::MouseButtonPress, QPoint(300, 300), Qt::LeftButton);
    EXPECT_TRUE(paint->Dragging());
    mouse(paint, QEvent::MouseMove, QPoint(260, 240), Qt::LeftButton);
    EXPECT_EQ(w->HorzScrollBar()->value(), 140);
    EXPECT_EQ(w->VertScrollBar()->value(), 260);
    mouse(paint, QEvent::MouseButtonRelease, QPoint(250, 250), Qt::NoButton);
    EXPECT_FALSE(paint->Dragging());
    EXPECT_EQ(w->HorzScrollBar()->value(), 150);
}

TEST_F(Preview, ThePageIsWhiteOnGreyWithTheGridInsideItsMargins)
{
    PreviewSheet s(30, 4);
    TfrmQorPreview *w = s.open();
    ASSERT_TRUE(w);
    SizePageControl(*w, QSize(700, 560));
    w->SetZoomItem(TfrmQorPreview::ziWholePage);
    TPagePaint *paint = w->PagePaint();
    const QImage img = paint->grab().toImage();
    const QRect page = paint->PageRect();
    const QRect printable = paint->PrintableRect();
    ASSERT_TRUE(QRect(QPoint(), paint->size()).contains(page.adjusted(0, 0, 1, 1)));
    EXPECT_EQ(page.y(), 10);
    EXPECT_EQ(page.x(), (700 - page.width()) / 2);   // centred across
    EXPECT_EQ(img.pixelColor(2, 2), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(img.pixelColor(page.topLeft()), QColor(Qt::black));           // outline
    EXPECT_EQ(img.pixelColor(page.right() + 1, page.center().y()), QColor(Qt::black));   // shadow
    EXPECT_EQ(img.pixelColor(page.right() + 2, page.center().y()), QColor(0x80, 0x80, 0x80));
    EXPECT_EQ(img.pixelColor(page.left() + 3, page.top() + 3), QColor(Qt::white));       // margin
    // 15 mm margins at the zoom.
    EXPECT_NEAR(printable.left() - page.left(), 15 / 25.4 * 96 * w->Zoom(), 1.0);
    int dark = 0;
    for (int y = printable.top(); y <= printable.bottom(); ++y)
        for (int x = printable.left(); x <= printable.right(); ++x)
            dark += qGray(img.pixel(x, y)) < 128;
    EXPECT_GT(dark, 20);
    // The report's scale factors are its own again after drawing.
    EXPECT_DOUBLE_EQ(s.print.GetScaleX(), 1.0);
}

TEST_F(Preview, APageSetUpTooSmallIsSaidAndThePageSetUpMendsIt)
{
    PreviewSheet s;
    s.print.PageMargins().Left = 120;
    s.print.PageMargins().Right = 120;
    MessageRecorder boxes;
    TfrmQorPreview *w = s.open();
    ASSERT_TRUE(w);
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
    EXPECT_FALSE(boxes.last().text.isEmpty());
    EXPECT_EQ(w->ErrorText(), boxes.last().text);
    EXPECT_EQ(w->PageLabel()->text(), QStringLiteral("页 0/0 "));
    EXPECT_FALSE(w->NextButton()->isEnabled());
    EXPECT_EQ(w->PagePaint()->Message(), boxes.last().text);
    w->PagePaint()->grab();   // paints the message, draws no page

    platform::PageSetupValues seen;
    PageSetupAnswer answer([&](platform::PageSetupValues &v) {
        seen = v;
        v.margins = QMargins(1000, 1240, 1000, 1000);
        v.orientation = 2;
        return true;
    });
    w->PageSetupButton()->click();
    EXPECT_EQ(seen.margins, QMargins(12000, 1500, 12000, 1500));
    EXPECT_EQ(seen.paperCode, platform::kPaperA4);
    EXPECT_EQ(seen.paperWidth, 2100);
    EXPECT_EQ(s.print.PageMargins().Left, 10);
    EXPECT_EQ(s.print.PageMargins().Top, 12);
    EXPECT_EQ(s.print.GetOrientation(), poLandscape);
    EXPECT_TRUE(platform::CurrentPrinter().Landscape());
    EXPECT_TRUE(w->ErrorText().isEmpty());
    EXPECT_GE(w->GetPageCount(), 1);
    EXPECT_EQ(w->CurrentPage(), 1);
    EXPECT_GT(w->UnzoomedPageSize().width(), w->UnzoomedPageSize().height());
    EXPECT_EQ(boxes.count(), 1);
}

TEST_F(Preview, ACompositeShowsEveryReportsPagesAndAModalOneReturnsClosed)
{
    PreviewSheet a(150, 4), b(40, 3);
    TQorCompositePrint job;
    job.AddReport(&a.print);
    job.AddReport(&b.print);
    int finished = 0;
    a.print.OnPrintFinish = b.print.OnPrintFinish = [&](QObject *) { ++finished; };
    int seenPages = 0;
    TQorPrint *ownerOfLast = nullptr;
    DialogAnswer answer([&](QDialog &dialog) {
        auto *w = qobject_cast<TfrmQorPreview *>(&dialog);
        if (!w)
            return int(QDialog::Rejected);
        w->show();
        seenPages = w->GetPageCount();
        w->LastButton()->click();
        ownerOfLast = w->GetPrint(w->CurrentPage());
        w->PrintZoomBox()->setEditText(QStringLiteral("50"));
        w->ApplyPrintZoomText();
        EXPECT_EQ(b.print.GetPrintZoom(), 50);
        EXPECT_EQ(w->GetPageCount(), job.GetPageCount());
        w->close();
        return int(QDialog::Rejected);
    });
    const int expected = a.print.GetPageCount() + b.print.GetPageCount();
    job.ShowReport();   // modal: returns when the window is closed
    EXPECT_EQ(seenPages, expected);
    EXPECT_EQ(ownerOfLast, &b.print);
    EXPECT_EQ(job.PreviewWindow(), nullptr);
    EXPECT_EQ(finished, 2);
    EXPECT_EQ(a.print.GetPrintZoom(), 100);
    EXPECT_EQ(b.print.GetPrintZoom(), 100);
    EXPECT_TRUE(job.GetTerminated());
}

} // namespace
} // namespace qor::test
