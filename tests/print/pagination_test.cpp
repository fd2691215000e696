// Cutting a grid into page strips: edges and tolerances, user breaks, repeated rows and
// columns, strips per sheet, records, the errors, page lines, and a million rows.
#include <QImage>
#include "core/grid.h"
#include "core/grid_p.h"
#include "print/print_units.h"
#include "print/qor_print.h"
#include "print_fixture.h"
#include "../core/paint_fixture.h"

namespace qor::test {
namespace {

using Pagination = StandInPrinter;

TPrintRect rect(int w, int h) { return {0, 0, w, h}; }

std::vector<int> lefts(const std::vector<TPrintRect> &strips)
{
    std::vector<int> v;
    for (const TPrintRect &s : strips)
        v.push_back(s.Left);
    return v;
}

struct Sheet {
    TQorGrid grid;
    TQorPrint print;
    Sheet(int rows, int cols, int colWidth = 60, int rowHeight = 18)
    {
        grid.SetRows(rows);
        grid.SetCols(cols);
        grid.SetDefaultColWidth(colWidth);
        grid.SetDefaultRowHeight(rowHeight);
        print.SetQorGrid(&grid);
    }
    std::vector<TPrintRect> pages(int w, int h)
    {
        std::vector<TPrintRect> list;
        print.GetQorGridPages(list, rect(w, h));
        return list;
    }
};

TEST_F(Pagination, ASmallGridIsOnePage)
{
    Sheet s(5, 3);
    EXPECT_EQ(s.print.GetPageCount(), 1);
    ASSERT_EQ(s.print.Pages().size(), 1u);
    EXPECT_EQ(s.print.Pages()[0], (TPrintRect{0, 0, 180, 90}));
}

TEST_F(Pagination, TheToleranceDecidesBetweenMovingAndCutting)
{
    Sheet s(1, 3, 300);
    s.print.SetHorzSpaceToBreak(200);
    std::vector<TPrintRect> moved = s.pages(700, 100);
    ASSERT_EQ(moved.size(), 2u);
    EXPECT_EQ(moved[0].Right, 600);
    EXPECT_EQ(moved[1], (TPrintRect{600, 0, 900, 18}));
    s.print.SetHorzSpaceToBreak(50);
    std::vector<TPrintRect> cut = s.pages(700, 100);
    ASSERT_EQ(cut.size(), 2u);
    EXPECT_EQ(cut[0].Right, 700);
    EXPECT_EQ(cut[1], (TPrintRect{700, 0, 900, 18}));
}

TEST_F(Pagination, WideColumnsAndTallRowsAreCutAsOftenAsNeeded)
{
    Sheet s(2, 2, 60);
    s.grid.SetColWidth(0, 1000);
    s.grid.SetRowHeight(1, 500);
    s.print.SetVertSpaceToBreak(0);
    const std::vector<TPrintRect> strips = s.pages(300, 200);
    EXPECT_EQ(s.print.GetStripsAcross(), 4);   // 1060 wide in strips of 300
    EXPECT_EQ(s.print.GetStripsDown(), 3);     // 518 tall in strips of 200
    ASSERT_EQ(strips.size(), 12u);
    const std::vector<int> x = lefts(strips);
    EXPECT_EQ(std::vector<int>(x.begin(), x.begin() + 4), (std::vector<int>{0, 300, 600, 900}));
    EXPECT_EQ(strips[3].Right, 1060);
    EXPECT_EQ(strips[4].Top, 200);
    EXPECT_EQ(strips.back().Bottom, 518);
    // With the default tolerance the tall row moves whole below the first one first.
    s.print.SetVertSpaceToBreak(200);
    EXPECT_EQ(s.pages(300, 200)[4].Top, 18);
}

TEST_F(Pagination, ToleranceAsWideAsTheStripStillMakesProgress)
{
    Sheet s(60, 8, 100);
    s.print.SetHorzSpaceToBreak(5000);
    s.print.SetVertSpaceToBreak(5000);
    const std::vector<TPrintRect> strips = s.pages(250, 100);
    ASSERT_FALSE(strips.empty());
    for (const TPrintRect &r : strips) {
        EXPECT_GT(r.Width(), 0);
        EXPECT_GT(r.Height(), 0);
    }
    EXPECT_EQ(strips.back().Right, 800);
    EXPECT_EQ(strips.back().Bottom, 1080);
}

TEST_F(Pagination, HiddenLinesAddNoEdgesAndUserBreaksStartStrips)
{
    Sheet s(20, 2);
    s.grid.SetColVisible(1, false);
    s.grid.OnGetPageBreak = [](QObject *, int row, bool &toBreak) { toBreak = row == 5 || row == 12; };
    s.grid.SetRowVisible(12, false);   // its break goes to the next row shown
    const std::vector<TPrintRect> strips = s.pages(500, 1000);
    ASSERT_EQ(strips.size(), 3u);
    EXPECT_EQ(strips[0].Right, 60);
    EXPECT_EQ(strips[0].Bottom, 5 * 18);
    EXPECT_EQ(strips[1].Top, 5 * 18);
    EXPECT_EQ(strips[2].Top, 12 * 18);   // the top of row 13, the first shown after 12
    // A break where a strip starts anyway adds nothing.
    s.grid.OnGetPageBreak = [](QObject *, int row, bool &toBreak) { toBreak = row == 10; };
    EXPECT_EQ(s.pages(500, 180).size(), 2u);
}

TEST_F(Pagination, RepeatedTitleRowsAndColumns)
{
    Sheet s(40, 10, 100);
    s.print.ReportTitle().SetText("Title");
    const int title = s.print.GetTitleHeight();
    s.print.SetTitleRows(2);
    s.print.SetTitleColumns(1);
    s.print.SetFooterColumns(1);
    s.print.SetFooterRows(1);
    std::vector<TPrintRect> strips = s.pages(450, 300);
    // Across: the footer column is left out of the body; strips after the first leave room for
    // the title column (and every one of them for the footer column).
    EXPECT_EQ(s.print.GetStripsAcross(), 4);
    EXPECT_EQ(lefts(strips)[1], 300);
    EXPECT_EQ(strips[1].Right, 500);
    EXPECT_EQ(strips[3].Right, 900);
    // Down: the first band holds 300 - 18 (the footer row); the next ones lose the title rows
    // and gain the title's height.
    EXPECT_EQ(strips[0].Bottom, 270);
    const size_t across = size_t(s.print.GetStripsAcross());
    EXPECT_LE(strips[across].Height(), 300 - 18 - 36 + title);
    EXPECT_GT(strips[across].Height(), 300 - 18 - 36 + title - 18);

    // The repeat lists of the job's own layout.
    const int pages = s.print.GetPageCount();
    ASSERT_EQ(size_t(pages), s.print.Pages().size());
    const size_t jobAcross = size_t(s.print.GetStripsAcross()), jobDown = size_t(s.print.GetStripsDown());
    ASSERT_EQ(s.print.TitleList().size(), jobAcross);
    for (size_t a = 0; a < jobAcross; ++a) {
        const TPrintRect &strip = s.print.Pages()[a];
        EXPECT_EQ(s.print.TitleList()[a], (TPrintRect{strip.Left, 0, strip.Right, 36}));
    }
    EXPECT_EQ(s.print.FooterList().back().Top, 39 * 18);
    EXPECT_EQ(s.print.FooterList().back().Bottom, 40 * 18);
    ASSERT_EQ(s.print.TitleColumnList().size(), jobDown);
    EXPECT_EQ(s.print.TitleColumnList()[0].Right, 100);
    const TPrintRect &lastOfBand = s.print.Pages()[jobAcross - 1];
    EXPECT_EQ(s.print.FooterColumnList()[0], (TPrintRect{900, lastOfBand.Top, 1000, lastOfBand.Bottom}));
}

TEST_F(Pagination, StripsPerSheetAndThePageCount)
{
    // The stand-in's A4 body less 15 mm margins: 180 x 267 mm, 680 x 1008 screen pixels.
    Sheet s(100, 20, 60);   // 1200 x 1800
    const TPrintRect body = s.print.GetStripRect();
    EXPECT_EQ(body.Width(), int(RoundHalfAway((4961 - MMToPrinterX(30)) / 6.25)));
    EXPECT_EQ(body.Height(), int(RoundHalfAway((7016 - MMToPrinterY(30)) / 6.25)));
    const int across = 2, down = 2;
    EXPECT_EQ(s.print.GetPageCount(), across * down);
    EXPECT_EQ(s.print.Pages()[1].Top, 0);   // row-major: the top band first
    s.print.SetPageColumns(2);
    const int narrower = s.print.GetStripRect().Width();
    EXPECT_EQ(narrower, int(RoundHalfAway(((4961 - MMToPrinterX(30)) - MMToPrinterX(5)) / 2 / 6.25)));
    const int strips = int(s.grid.GetInnerPrintWidth() + narrower - 1) / narrower * 2;
    EXPECT_EQ(s.print.GetPageCount(), (strips + 1) / 2);
    // A grid-type grid prints its column titles: the body gets shorter.
    s.grid.SetGridType(gtGrid);
    s.print.Init();
    EXPECT_EQ(s.print.GetStripRect().Height(), body.Height() - 20);
}

TEST_F(Pagination, RecordsNumberTheirPagesAndTheJob)
{
    Sheet s(100, 3);
    int filled = -1;
    s.print.OnGetRecordCount = [](QObject *, int &count) { count = 3; };
    s.print.OnPrintRecord = [&](QObject *, int index) { filled = index; };
    s.print.SetVertSpaceToBreak(0);
    // 100 rows of 18 in strips of 1008: two pages a record.
    EXPECT_EQ(s.print.GetPageCount(), 6);
    EXPECT_EQ(filled, 2);
    const TPageRecord r = s.print.PageRecord(4);
    EXPECT_EQ(r.RecordIndex, 1);
    EXPECT_EQ(r.Page, 2);
    EXPECT_EQ(r.PageCount, 2);
    int page = 4, count = 6;
    s.print.InitRecord(page, count);
    EXPECT_EQ(filled, 1);
    EXPECT_EQ(page, 2);
    EXPECT_EQ(count, 2);
    page = 3;
    count = 6;
    s.print.InitRecord(page, count);   // the same record: the grid is not refilled
    EXPECT_EQ(page, 1);
    s.print.OnPrintRecord = nullptr;   // one event alone: no records
    s.print.Init();
    EXPECT_EQ(s.print.GetPageCount(), 2);
}

TEST_F(Pagination, ErrorsSayWhatDoesNotFit)
{
    Sheet s(10, 4, 100, 20);
    auto message = [&](int w, int h) {
        try {
            s.pages(w, h);
        } catch (const EPrintError &e) {
            return e.Text();
        }
        return QString();
    };
    EXPECT_EQ(message(0, 100), "可打印区域太小");
    EXPECT_EQ(message(100, -5), "可打印区域太小");
    s.print.SetTitleRows(5);
    EXPECT_EQ(message(400, 100), "The total row height specified by the \"TitleRows\" property is too High");
    s.print.SetTitleRows(2);
    s.print.SetFooterRows(3);
    EXPECT_EQ(message(400, 100), "The total row height specified by the \"TitleRows\" and \"FooterRows\" property is too High");
    s.print.SetTitleRows(0);
    s.print.SetFooterRows(6);
    EXPECT_EQ(message(400, 100), "The total row height specified by the \"FooterRows\" property is too High");
    s.print.SetFooterRows(0);
    s.print.SetTitleColumns(3);
    EXPECT_EQ(message(250, 500), "The total column width specified by the \"TitleColumns\" property is too long");
    s.print.SetTitleColumns(1);
    s.print.SetFooterColumns(2);
    EXPECT_EQ(message(250, 500), "The total column width specified by the \"TitleColumns\" and \"FooterColumns\" property is too long");
    s.print.SetTitleColumns(0);
    s.print.SetFooterColumns(3);
    EXPECT_EQ(message(250, 500), "The total column width specified by the \"FooterColumns\" property is too long");
    // Margins wider than the paper: the count says so instead of looping.
    s.print.SetFooterColumns(0);
    s.print.PageMargins().Left = 150;
    s.print.PageMargins().Right = 150;
    EXPECT_THROW(s.print.GetPageCount(), EPrintError);
}

TEST_F(Pagination, PageLinesOutlineTheStripsOnScreen)
{
    Sheet s(200, 20);
    s.grid.SetShowPagesLine(true);
    const QImage image = paintGrid(s.grid, QSize(900, 600));
    ASSERT_FALSE(GridPrivate::get(s.grid).paint.pageRects.empty());
    // The first strip ends at the last column edge within the page (660 of 680).
    const QRect first = GridPrivate::get(s.grid).paint.pageRects[0];
    EXPECT_EQ(first.right() + 1, 660);
    const int right = s.grid.InternalCellRect(0, 0).left() + first.right() + 1;
    int blue = 0;
    for (int y = 100; y < 400; ++y)
        blue += colorNear(image, right, y, TColor(0xFF0000), 1);
    EXPECT_GT(blue, 250);
    EXPECT_FALSE(colorNear(image, right - 30, 200, TColor(0xFF0000), 1));
    s.grid.ClearPagesList();
    EXPECT_FALSE(colorNear(paintGrid(s.grid, QSize(900, 600)), right, 200, TColor(0xFF0000), 1));
}

TEST_F(Pagination, AMillionRows)
{
    Sheet s(1000000, 10);
    const int pages = s.print.GetPageCount();
    // 18,000,000 pixels in bands of at most 1008 (rows are moved whole).
    EXPECT_GE(pages, 18000000 / 1008);
    EXPECT_LE(pages, 18000000 / 990 + 1);
    EXPECT_EQ(s.print.Pages().back().Bottom, 18000000);
}

} // namespace
} // namespace qor::test
