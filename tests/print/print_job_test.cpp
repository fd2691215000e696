// Print jobs: the range text, odd and even pages, copies and collation as the printer sees
// them, cancelling between pages, refused documents, composite jobs, and real PDF files.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include "core/grid.h"
#include "print/page_range.h"
#include "print/print_progress.h"
#include "print/qor_print.h"
#include "print_fixture.h"

namespace qor::test {
namespace {

using PrintJob = StandInPrinter;

std::vector<int> selected(const QString &text, int count)
{
    const std::vector<bool> s = ParsePageRange(text, count);
    std::vector<int> out;
    for (int p = 1; p < int(s.size()); ++p)
        if (s[size_t(p)])
            out.push_back(p);
    return out;
}

std::vector<int> range(int from, int to)
{
    std::vector<int> v;
    for (int p = from; p <= to; ++p)
        v.push_back(p);
    return v;
}

TEST(PageRange, EachRuleOfTheScan)
{
    EXPECT_EQ(selected("", 4), range(1, 4));
    EXPECT_FALSE(ParsePageRange("", 4)[0]);
    EXPECT_EQ(selected("   ", 4), range(1, 4));
    std::vector<int> want = {1, 3};
    for (int p = 5; p <= 12; ++p)
        want.push_back(p);
    EXPECT_EQ(selected("1,3,5-12", 20), want);
    EXPECT_EQ(selected("5-", 20), range(5, 20));
    EXPECT_EQ(selected("2 , 4", 20), (std::vector<int>{2, 4}));
    EXPECT_EQ(selected("12-5", 20), std::vector<int>());
    EXPECT_EQ(selected("18-25", 20), range(18, 20));        // past the end: nothing more
    EXPECT_EQ(selected("0,21", 20), std::vector<int>());
    EXPECT_EQ(selected("1-2-4", 20), range(2, 4));          // a second "-" starts the range again
}

TEST(PageRange, ItemsThatAreNoNumbersAreRefusedWithTheItem)
{
    for (const char *bad : {"a", "1,,3", "3,", "-5", "1-x", "3;4", "99999999999", "1.5", ",", "--"}) {
        try {
            ParsePageRange(QString::fromLatin1(bad), 20);
            ADD_FAILURE() << bad << " was accepted";
        } catch (const EPrintError &e) {
            EXPECT_TRUE(e.Text().contains(QStringLiteral("不是有效的整数"))) << bad;
        }
    }
    // A huge range over a short job costs nothing.
    EXPECT_EQ(selected("1-2000000000", 3), range(1, 3));
}

// A grid of exactly n pages: one column, two rows of 500 pixels on each page body of the A4
// stand-in (about 1,009 pixels high).
struct Report {
    TQorGrid grid;
    TQorPrint print;
    std::vector<int> printed;   // job pages in the order they reached the printer
    explicit Report(int pages)
    {
        grid.SetCols(1);
        grid.SetRows(pages * 2);
        grid.SetDefaultRowHeight(500);
        print.SetQorGrid(&grid);
        print.SetShowProgress(false);
        print.OnBeforePrintPage = [this](QObject *, int page, int) { printed.push_back(page); };
    }
    int pages() { return print.GetPageCount(); }
};

platform::StandInPrinter &standIn() { return *platform::CurrentStandIn(); }

TEST_F(PrintJob, CopiesCollatedAndUncollatedOnOneDocument)
{
    Report r(3);
    ASSERT_EQ(r.pages(), 3);
    r.print.SetCopies(2);
    r.print.SetDocumentName(QStringLiteral("ledger"));
    ASSERT_TRUE(r.print.PrintReport()) << r.print.LastError().toStdString();
    EXPECT_EQ(r.printed, (std::vector<int>{1, 2, 3, 1, 2, 3}));
    // Only the first page printed does not start a new sheet.
    EXPECT_EQ(standIn().Journal(),
              (QStringList{"begin ledger", "page", "page", "page", "page", "page", "end"}));

    r.printed.clear();
    standIn().Journal().clear();
    r.print.SetCollate(false);
    ASSERT_TRUE(r.print.PrintReport());
    EXPECT_EQ(r.printed, (std::vector<int>{1, 1, 2, 2, 3, 3}));
    EXPECT_EQ(standIn().Journal().count(QStringLiteral("page")), 5);
    EXPECT_EQ(r.print.JobPages(3), r.printed);
}

TEST_F(PrintJob, RangeAndOddOrEvenTogether)
{
    Report r(20);
    ASSERT_EQ(r.pages(), 20);
    r.print.SetPageRangeText(QStringLiteral("3"));
    r.print.SetPrintPages(pgEven);
    ASSERT_TRUE(r.print.PrintReport());
    EXPECT_TRUE(r.printed.empty());
    r.print.SetPrintPages(pgOdd);
    ASSERT_TRUE(r.print.PrintReport());
    EXPECT_EQ(r.printed, (std::vector<int>{3}));
    r.printed.clear();
    r.print.SetPageRangeText(QStringLiteral("1,3,5-12"));
    r.print.SetPrintPages(pgOdd);
    r.print.SetCopies(2);
    ASSERT_TRUE(r.print.PrintReport());
    EXPECT_EQ(r.printed, (std::vector<int>{1, 3, 5, 7, 9, 11, 1, 3, 5, 7, 9, 11}));
}

TEST_F(PrintJob, ABadRangeAbortsTheStartedDocumentAndSaysWhy)
{
    Report r(3);
    r.print.SetPageRangeText(QStringLiteral("1,x"));
    EXPECT_FALSE(r.print.PrintReport());
    EXPECT_TRUE(r.printed.empty());
    EXPECT_EQ(standIn().Journal().last(), QStringLiteral("abort"));
    EXPECT_TRUE(r.print.LastError().contains(QStringLiteral("“x”")));
    EXPECT_FALSE(r.print.GetPrinting());
}

TEST_F(PrintJob, RefusedDocumentsAndEmptyNames)
{
    Report r(1);
    standIn().SetRefuse(QStringLiteral("out of paper"));
    EXPECT_FALSE(r.print.PrintReport());
    EXPECT_EQ(r.print.LastError(), QStringLiteral("out of paper"));
    // An empty document name gives every job a title of its own.
    ASSERT_TRUE(r.print.PrintReport());
    ASSERT_TRUE(r.print.PrintReport());
    const QStringList begins = standIn().Journal().filter(QStringLiteral("begin "));
    ASSERT_EQ(begins.size(), 2);
    EXPECT_NE(begins[0], begins[1]);
    EXPECT_GT(begins[0].size(), 30);
}

TEST_F(PrintJob, CancelInTheProgressWindowStopsBetweenPages)
{
    Report r(5);
    r.print.SetShowProgress(true);
    QString shown;
    r.print.OnAfterPrintPage = [&](QObject *, int page, int) {
        if (page != 2)
            return;
        TfrmPrnProgress *w = TfrmPrnProgress::Current();
        ASSERT_NE(w, nullptr);
        shown = w->Label()->text();
        w->CancelButton()->click();
    };
    EXPECT_FALSE(r.print.PrintReport());
    EXPECT_EQ(r.printed, (std::vector<int>{1, 2}));
    EXPECT_EQ(shown, QStringLiteral("正在打印报表： 2/5"));
    EXPECT_EQ(standIn().Journal().last(), QStringLiteral("abort"));
    EXPECT_FALSE(r.print.GetTerminated());   // cleared for the next job
    EXPECT_EQ(TfrmPrnProgress::Current(), nullptr);
    // Uncancelled, the same window runs the job to its end.
    r.print.OnAfterPrintPage = nullptr;
    r.printed.clear();
    ASSERT_TRUE(r.print.PrintReport()) << r.print.LastError().toStdString();
    EXPECT_EQ(r.printed, range(1, 5));
    EXPECT_EQ(standIn().Journal().last(), QStringLiteral("end"));
}

TEST_F(PrintJob, CompositePagesAndDocuments)
{
    Report a(3), b(2);
    TQorCompositePrint job;
    EXPECT_TRUE(job.PrintReport());   // nothing to print: nothing done
    EXPECT_TRUE(job.AddReport(&a.print));
    EXPECT_FALSE(job.AddReport(&a.print));
    EXPECT_TRUE(job.AddReport(&b.print));
    job.SetShowProgress(false);
    EXPECT_EQ(job.GetPageCount(), 5);
    int local = 0;
    EXPECT_EQ(job.GetQorPrints(4, &local), &b.print);
    EXPECT_EQ(local, 1);
    EXPECT_EQ(job.GetQorPrints(6), nullptr);

    job.SetDocumentName(QStringLiteral("month end"));
    ASSERT_TRUE(job.PrintReport()) << job.LastError().toStdString();
    EXPECT_EQ(a.printed, range(1, 3));
    EXPECT_EQ(b.printed, range(1, 2));
    EXPECT_EQ(standIn().Journal(), (QStringList{"begin month end", "page", "page", "page", "page", "end"}));

    // The progress window counts the pages of the whole job.
    QString shown;
    b.print.OnAfterPrintPage = [&](QObject *, int page, int) {
        if (page == 1 && TfrmPrnProgress::Current())
            shown = TfrmPrnProgress::Current()->Label()->text();
    };
    job.SetShowProgress(true);
    ASSERT_TRUE(job.PrintReport()) << job.LastError().toStdString();
    EXPECT_EQ(shown, QStringLiteral("正在打印报表： 4/5"));
    job.SetShowProgress(false);
    b.print.OnAfterPrintPage = nullptr;
    b.printed.clear();
    a.printed.clear();

    // A landscape second report cannot share the first one's document.
    standIn().Journal().clear();
    b.print.SetOrientation(poLandscape);
    ASSERT_TRUE(job.PrintReport());
    const QStringList &j = standIn().Journal();
    EXPECT_EQ(j.mid(0, 4), (QStringList{"begin month end", "page", "page", "end"}));
    EXPECT_EQ(j.mid(4, 1), QStringList{"begin month end"});
    EXPECT_EQ(j.count(QStringLiteral("end")), 2);
    EXPECT_TRUE(standIn().Landscape());
}

// What a user gets on a machine without a printer: a PDF, whole or not at all.
class PdfJob : public PrintJob {
protected:
    void SetUp() override
    {
        PrintJob::SetUp();
        ASSERT_TRUE(dir.isValid());
        file = dir.filePath(QStringLiteral("out.pdf"));
        platform::SetCurrentPrinter(platform::MakePdfPrinter(300, file));
    }
    static int pdfPages(const QString &file)
    {
        QProcess p;
        p.start(QStringLiteral("pdfinfo"), {file});
        if (!p.waitForFinished(20000) || p.exitCode() != 0)
            return -1;
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        const qsizetype at = out.indexOf(QStringLiteral("Pages:"));
        return at < 0 ? -1 : out.mid(at + 6).section(QLatin1Char('\n'), 0, 0).trimmed().toInt();
    }
    QTemporaryDir dir;
    QString file;
};

TEST_F(PdfJob, PagesLandInAWholeFileAndACancelLeavesTheOldOne)
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        GTEST_SKIP() << "pdfinfo (poppler-utils) is not installed; ./qor.sh installs it";
    Report r(4);
    r.print.SetPageRangeText(QStringLiteral("2-"));
    ASSERT_TRUE(r.print.PrintReport()) << r.print.LastError().toStdString();
    EXPECT_EQ(pdfPages(file), 3);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".part")));

    // Cancelled after a page: the finished file of the last job stays as it was.
    const QByteArray before = [&] { QFile f(file); f.open(QIODevice::ReadOnly); return f.readAll(); }();
    r.print.SetPageRangeText(QString());
    r.print.OnAfterPrintPage = [&](QObject *, int, int) { r.print.SetTerminated(true); };
    EXPECT_FALSE(r.print.PrintReport());
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), before);
    EXPECT_FALSE(QFile::exists(file + QStringLiteral(".part")));
    EXPECT_EQ(pdfPages(file), 3);
}

TEST_F(PdfJob, AFolderThatCannotBeWrittenIsReportedBeforeAnyPage)
{
    platform::CurrentPrinter().SetOutputFile(dir.filePath(QStringLiteral("no/such/folder/out.pdf")));
    Report r(2);
    EXPECT_FALSE(r.print.PrintReport());
    EXPECT_TRUE(r.printed.empty());
    EXPECT_TRUE(r.print.LastError().contains(QStringLiteral("cannot write"))) << r.print.LastError().toStdString();
}

} // namespace
} // namespace qor::test
