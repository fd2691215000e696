// The print dialog, alone and from the preview's print button: printers, the range, copies
// and collation reaching the report, the stand-in's journal, a PDF file, and Cancel.
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include "message_recorder.h"
#include "preview_fixture.h"
#include "print/preview/print_setting_dialog.h"

namespace qor::test {
namespace {

using PrintDialog = StandInPrinter;

QStringList sheetsOf(const QStringList &journal)
{
    QStringList calls;
    for (const QString &s : journal)
        calls << (s.startsWith(QLatin1String("begin")) ? QStringLiteral("begin") : s);
    return calls;
}

TEST_F(PrintDialog, StartsAsTheTableSaysAndReadsBackWhatIsChosen)
{
    TfrmPrintSetting d;
    EXPECT_EQ(d.windowTitle(), QStringLiteral("打印"));
    EXPECT_EQ(d.font().family(), QStringLiteral("宋体"));
    EXPECT_TRUE(d.AllButton()->isChecked());
    EXPECT_EQ(d.CopiesBox()->value(), 1);
    EXPECT_EQ(d.CopiesBox()->minimum(), 1);
    EXPECT_TRUE(d.CollateBox()->isChecked());
    EXPECT_EQ(d.PrintPagesBox()->count(), 3);
    EXPECT_EQ(d.PrintPagesBox()->itemText(2), QStringLiteral("偶数页"));
    // The stand-in first and selected, the PDF file always last.
    EXPECT_EQ(d.PrinterBox()->currentIndex(), 0);
    EXPECT_EQ(d.PrinterNames().front(), platform::CurrentPrinter().Name());
    EXPECT_EQ(d.PrinterNames().back(), TfrmPrintSetting::PdfEntryText);
    EXPECT_FALSE(d.PropertiesButton()->isEnabled());
    EXPECT_FALSE(d.OutputFileEdit()->isVisibleTo(&d));

    d.SetPageRange(QStringLiteral("2-3"));
    d.SetPrintPages(pgOdd);
    d.CopiesBox()->setValue(3);
    EXPECT_EQ(d.RangeKind(), TfrmPrintSetting::rkRange);
    EXPECT_EQ(d.RangeText(), QStringLiteral("2-3"));
    EXPECT_EQ(d.PrintPages(), pgOdd);
    EXPECT_EQ(d.Copies(), 3);
}

TEST_F(PrintDialog, CollateLabelRangeTypingAndBadRanges)
{
    TfrmPrintSetting d;
    d.show();
    d.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&d));

    // Clicking the label (the box's text, or its picture) toggles it, and the picture follows.
    QCheckBox *collate = d.CollateBox();
    QTest::mouseClick(collate, Qt::LeftButton, Qt::NoModifier, QPoint(collate->sizeHint().width() - 4, collate->height() / 2));
    EXPECT_FALSE(collate->isChecked());
    EXPECT_FALSE(d.CollatePicture()->Collated());
    QTest::mouseClick(d.CollatePicture(), Qt::LeftButton);
    EXPECT_TRUE(collate->isChecked());
    EXPECT_TRUE(d.CollatePicture()->Collated());

    // Checking "范围：" puts the caret in its box; typing there checks it.
    d.RangeButton()->click();
    EXPECT_TRUE(d.RangeEdit()->hasFocus());
    d.CurrentPageButton()->click();
    QTest::keyClicks(d.RangeEdit(), QStringLiteral("1,3"));
    EXPECT_TRUE(d.RangeButton()->isChecked());

    // A range that is no range is said before anything prints; the dialog stays.
    MessageRecorder boxes;
    d.RangeEdit()->setText(QStringLiteral("1,,3"));
    d.OkButton()->click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
    EXPECT_TRUE(d.isVisible());
    d.RangeEdit()->setText(QStringLiteral("1, 3, 5-"));
    d.OkButton()->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(boxes.count(), 1);
}

TEST_F(PrintDialog, CancelPutsBackTheVeryPrinterThatWasCurrent)
{
    platform::StandInPrinter *standIn = platform::CurrentStandIn();
    ASSERT_TRUE(standIn);
    {
        TfrmPrintSetting d;
        d.SelectPrinterIndex(d.PdfIndex());
        EXPECT_EQ(platform::CurrentStandIn(), nullptr);
        EXPECT_TRUE(platform::CurrentPrinter().IsFileTarget());
        EXPECT_TRUE(d.OutputFileEdit()->isVisibleTo(&d));
        EXPECT_EQ(platform::CurrentPrinter().OutputFile(), d.OutputFileEdit()->text());
        d.SelectPrinterIndex(0);
        EXPECT_EQ(platform::CurrentStandIn(), standIn);   // the same object, journal and all
        d.SelectPrinterIndex(d.PdfIndex());
        d.CancelButton()->click();
        EXPECT_EQ(platform::CurrentStandIn(), standIn);
    }
    {
        TfrmPrintSetting d;   // closed by neither button
        d.SelectPrinterIndex(d.PdfIndex());
    }
    EXPECT_EQ(platform::CurrentStandIn(), standIn);
}

TEST_F(PrintDialog, ThePrintButtonPrintsWhatTheDialogSays)
{
    PreviewSheet s;
    TfrmQorPreview *w = s.open();
    ASSERT_TRUE(w);
    ASSERT_GE(w->GetPageCount(), 3);
    w->SetPageNo(2);
    s.print.SetCopies(2);
    s.print.SetPageRangeText(QStringLiteral("1-2"));

    int opened = 0;
    DialogAnswer answer([&](QDialog &dialog) {
        auto *d = dynamic_cast<TfrmPrintSetting *>(&dialog);
        if (!d)
            return int(QDialog::Rejected);
        ++opened;
        if (opened == 1) {
            // Preset from the report.
            EXPECT_EQ(d->Copies(), 2);
            EXPECT_TRUE(d->Collate());
            EXPECT_EQ(d->RangeKind(), TfrmPrintSetting::rkRange);
            EXPECT_EQ(d->RangeText(), QStringLiteral("1-2"));
            d->CollateBox()->setChecked(false);
        } else {
            d->CurrentPageButton()->setChecked(true);
            d->CopiesBox()->setValue(1);
        }
        d->OkButton()->click();
        return d->result();
    });
    platform::StandInPrinter *standIn = platform::CurrentStandIn();
    w->PrintButton()->click();
    EXPECT_FALSE(s.print.GetCollate());
    EXPECT_EQ(s.print.GetCopies(), 2);
    // Uncollated 1, 1, 2, 2: four sheets in one document.
    EXPECT_EQ(sheetsOf(standIn->Journal()), (QStringList{"begin", "page", "page", "page", "end"}));
    EXPECT_EQ(w->CurrentPage(), 2);

    standIn->Journal().clear();
    w->PrintButton()->click();
    EXPECT_EQ(s.print.GetPageRangeText(), QStringLiteral("2"));
    EXPECT_EQ(sheetsOf(standIn->Journal()), (QStringList{"begin", "end"}));

    // A printer that refuses the job is said, not passed over.
    MessageRecorder boxes;
    standIn->SetRefuse(QStringLiteral("打印机脱机"));
    w->PrintButton()->click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("打印机脱机"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
}

TEST_F(PrintDialog, WithoutAPrinterThePrintButtonSaysSo)
{
    platform::SetCurrentPrinter(platform::MakeNoPrinter());
    PreviewSheet s;
    TfrmQorPreview *w = s.open();
    ASSERT_TRUE(w);
    MessageRecorder boxes;
    DialogAnswer noDialog([](QDialog &) {
        ADD_FAILURE() << "no print dialog without a printer";
        return int(QDialog::Rejected);
    });
    w->PrintButton()->click();
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().text, QStringLiteral("目前没有安装打印机"));
    EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
}

TEST_F(PrintDialog, ThePdfEntryWritesARealFile)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("预览.pdf"));
    PreviewSheet s(40, 3);
    TfrmQorPreview *w = s.open();
    ASSERT_TRUE(w);
    DialogAnswer answer([&](QDialog &dialog) {
        auto *d = dynamic_cast<TfrmPrintSetting *>(&dialog);
        if (!d)
            return int(QDialog::Rejected);
        d->SelectPrinterIndex(d->PdfIndex());
        d->OutputFileEdit()->setText(file);
        d->OkButton()->click();
        return d->result();
    });
    w->PrintButton()->click();
    QFile pdf(file);
    ASSERT_TRUE(pdf.open(QIODevice::ReadOnly));
    EXPECT_TRUE(pdf.read(5) == "%PDF-");
    EXPECT_TRUE(platform::CurrentPrinter().IsFileTarget());
}

TEST_F(PrintDialog, AReportWithPrintingDisabledCannotPrint)
{
    PreviewSheet s;
    s.print.SetDisablePrint(true);
    TfrmQorPreview *w = s.open();
    ASSERT_TRUE(w);
    EXPECT_FALSE(w->PrintButton()->isEnabled());
    w->PrintClick();
    EXPECT_TRUE(platform::CurrentStandIn()->Journal().isEmpty());
}

} // namespace
} // namespace qor::test
