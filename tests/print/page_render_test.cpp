// Printed pages as pictures: the demo invoice at 600 dpi against its screen rendering, merged
// cells cut by a page edge, repeated rows, monochrome, non-printable cells, no grid lines, and
// band texts a host draws itself.
#include <QPainter>
#include "core/grid.h"
#include "core/model/cell.h"
#include "core/model/column.h"
#include "demo_invoice.h"
#include "print/print_units.h"
#include "print/qor_print.h"
#include "print_fixture.h"
#include "../core/paint_fixture.h"

namespace qor::test {
namespace {

using PageRender = StandInPrinter;

// The pages of a job on a 96-dpi stand-in, one grid pixel to one device pixel.
std::vector<QImage> printPages(TQorPrint &print)
{
    platform::SetCurrentPrinter(platform::MakeStandInPrinter(96));
    platform::CurrentStandIn()->SetKeepPages(true);
    print.SetShowProgress(false);
    EXPECT_TRUE(print.PrintReport()) << print.LastError().toStdString();
    return std::move(platform::CurrentStandIn()->Pages());
}

QRect inkBox(const QImage &image, const QRect &within)
{
    QRect box;
    for (int y = within.top(); y <= within.bottom(); ++y)
        for (int x = within.left(); x <= within.right(); ++x)
            if (qGray(image.pixel(x, y)) < 160)
                box |= QRect(x, y, 1, 1);
    return box;
}

// The share of a's ink pixels that have ink within one pixel in b (both the same size).
double inkFound(const QImage &a, const QImage &b)
{
    int64_t ink = 0, found = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            if (qGray(a.pixel(x, y)) >= 128)
                continue;
            ++ink;
            bool near = false;
            for (int dy = -1; dy <= 1 && !near; ++dy)
                for (int dx = -1; dx <= 1 && !near; ++dx)
                    near = b.valid(x + dx, y + dy) && qGray(b.pixel(x + dx, y + dy)) < 160;
            found += near;
        }
    return ink ? double(found) / double(ink) : 0.0;
}

int countColor(const QImage &image, const QRect &r, TColor color)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += image.valid(x, y) && pixelColor(image, x, y) == color;
    return n;
}

TEST_F(PageRender, TheDemoInvoiceAt600DpiIsTheScreenScaled)
{
    TQorGrid grid;
    demo::BuildDemoInvoice(grid);
    TQorPrint print;
    print.SetQorGrid(&grid);
    ASSERT_EQ(print.GetPageCount(), 1);

    const QImage screen = paintGrid(grid, grid.GetExtent() + QSize(40, 40));
    const QRect sheet = grid.GetSheetRect().intersected(screen.rect());
    const QRect screenInk = inkBox(screen, sheet);

    // The stand-in's A4 sheet at 600 dpi, drawn as PrintPage draws it.
    QImage page(platform::CurrentPrinter().PhysicalSize(), QImage::Format_RGB32);
    page.fill(Qt::white);
    {
        QPainter canvas(&page);
        print.SetScale(ScalX(), ScalY());
        const int m = int(MMToPrinterX(15));
        print.DrawPage(1, &canvas, QRect(m, m, page.width() - 2 * m, page.height() - 2 * m));
        print.SetScale(1.0, 1.0);
    }
    const QRect pageInk = inkBox(page, page.rect());
    ASSERT_FALSE(pageInk.isEmpty());
    // The same extent, 6.25 times as large.
    EXPECT_NEAR(pageInk.width() / 6.25, screenInk.width(), 3.0);
    EXPECT_NEAR(pageInk.height() / 6.25, screenInk.height(), 3.0);
    // Scaled down to the screen's size, the page's ink lies where the screen's does.
    const QImage small = page.copy(pageInk).scaled(screenInk.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    const QImage shown = screen.copy(screenInk);
    EXPECT_GT(inkFound(shown, small), 0.90);
    EXPECT_GT(inkFound(small, shown), 0.90);

    // Ledger digits: the red decimal rule of the amount column is there, page and screen alike.
    auto redColumns = [](const QImage &img, int scale) {
        std::vector<int> xs;
        for (int x = 0; x < img.width(); ++x) {
            int red = 0;
            for (int y = 0; y < img.height(); y += scale)
                red += qRed(img.pixel(x, y)) > 180 && qGreen(img.pixel(x, y)) < 90;
            if (red > 8)
                xs.push_back(x / scale);
        }
        return xs;
    };
    const std::vector<int> screenRed = redColumns(shown, 1), pageRed = redColumns(page.copy(pageInk), 6);
    ASSERT_FALSE(screenRed.empty());
    ASSERT_FALSE(pageRed.empty());
    EXPECT_NEAR(pageRed.front() * 6 / 6.25, screenRed.front(), 2.0);
}

TEST_F(PageRender, AMergedBlockCutByAPageEdgeShowsOnBothPages)
{
    TQorGrid grid;
    grid.SetCols(2);
    grid.SetRows(60);
    grid.SetDefaultRowHeight(30);
    grid.MergeCells(25, 0, 44, 1);   // rows 750 .. 1350: across the first page's end
    grid.Cells(25, 0)->SetBackColor(clBlue);
    grid.Cells(25, 0)->SetText(QStringLiteral("合并"));
    TQorPrint print;
    print.SetQorGrid(&grid);
    const std::vector<QImage> pages = printPages(print);
    ASSERT_GE(pages.size(), 2u);
    const int blue1 = countColor(pages[0], pages[0].rect(), clBlue);
    const int blue2 = countColor(pages[1], pages[1].rect(), clBlue);
    EXPECT_GT(blue1, 1000);
    EXPECT_GT(blue2, 1000);
    // Each page shows its own part: the first ends with the block, the second starts with it.
    const std::vector<TPrintRect> &strips = print.Pages();
    const int cut = strips[0].Bottom;
    EXPECT_NEAR(double(blue1) / blue2, double(cut - 750) / (1350 - cut), 0.15);
}

TEST_F(PageRender, TitleRowsRepeatBelowTheTopAndFooterRowsEndEveryPage)
{
    TQorGrid grid;
    grid.SetCols(2);
    grid.SetRows(80);
    grid.SetDefaultRowHeight(30);
    for (int c = 0; c < 2; ++c) {
        grid.Cells(0, c)->SetBackColor(clYellow);
        grid.Cells(79, c)->SetBackColor(clRed);
    }
    TQorPrint print;
    print.SetQorGrid(&grid);
    print.SetTitleRows(1);
    print.SetFooterRows(1);
    const std::vector<QImage> pages = printPages(print);
    ASSERT_GE(pages.size(), 3u);
    for (size_t i = 0; i < pages.size(); ++i) {
        const QRect lime = [&] {
            QRect r;
            for (int y = 0; y < pages[i].height(); ++y)
                if (pixelColor(pages[i], pages[i].width() / 2, y) == clYellow)
                    r |= QRect(0, y, 1, 1);
            return r;
        }();
        EXPECT_FALSE(lime.isEmpty()) << "page " << i + 1 << " lacks the title row";
        const int red = countColor(pages[i], pages[i].rect(), clRed);
        // One copy of the last row on every page: two cells of 60 x 30 less their lines.
        EXPECT_GT(red, 2 * 50 * 25) << "page " << i + 1;
        EXPECT_LT(red, 2 * 2 * 60 * 30) << "page " << i + 1;
    }
}

TEST_F(PageRender, MonochromeNonPrintableAndNoGridLines)
{
    TQorGrid grid;
    grid.SetCols(3);
    grid.SetRows(3);
    TCellInfo *red = grid.Cells(1, 1);
    red->SetBackColor(clRed);
    red->SetText(QStringLiteral("8888"));
    for (TCellEdge e : {ceLeft, ceTop, ceRight, ceBottom}) {
        red->SetFrame(e, true);
        red->SetFrameColor(e, clBlue);
        red->SetFrameWidth(e, 3);
    }
    TCellInfo *hidden = grid.Cells(0, 0);
    hidden->SetBackColor(clGreen);
    hidden->SetText(QStringLiteral("WWWW"));
    hidden->SetPrintable(false);
    TQorPrint print;
    print.SetQorGrid(&grid);
    print.SetHorzAutoCenter(false);

    const QImage colour = printPages(print).at(0);
    EXPECT_GT(countColor(colour, colour.rect(), clRed), 500);
    EXPECT_GT(countColor(colour, colour.rect(), clBlue), 100);
    EXPECT_EQ(countColor(colour, colour.rect(), clGreen), 0);   // not printable: no background

    print.SetColorPrinter(false);
    const QImage mono = printPages(print).at(0);
    EXPECT_EQ(countColor(mono, mono.rect(), clRed), 0);
    EXPECT_EQ(countColor(mono, mono.rect(), clBlue), 0);
    EXPECT_GT(countColor(mono, mono.rect(), clBlack), 100);   // frames and text in black

    print.SetPrintGridLine(false);
    print.SetColorPrinter(true);
    const QImage bare = printPages(print).at(0);
    EXPECT_EQ(countColor(bare, bare.rect(), clBlue), 0);
    EXPECT_EQ(countColor(bare, bare.rect(), clSilver), 0);
    EXPECT_GT(countColor(bare, bare.rect(), clRed), 500);
}

TEST_F(PageRender, TheNonPrintableCellKeepsItsTextOffThePage)
{
    TQorGrid grid;
    grid.SetCols(1);
    grid.SetRows(1);
    grid.SetDefaultColWidth(200);
    grid.Cells(0, 0)->SetText(QStringLiteral("WWWWWWWW"));
    TQorPrint print;
    print.SetQorGrid(&grid);
    print.SetPrintGridLine(false);
    const QImage with = printPages(print).at(0);
    EXPECT_FALSE(inkBox(with, with.rect()).isEmpty());
    grid.Cells(0, 0)->SetPrintable(false);
    const QImage without = printPages(print).at(0);
    EXPECT_TRUE(inkBox(without, without.rect()).isEmpty());
}

TEST_F(PageRender, ABandTextAHostDrawsIsLeftToIt)
{
    TQorGrid grid;
    grid.SetCols(4);
    grid.SetRows(2);
    TQorPrint print;
    print.SetQorGrid(&grid);
    print.SetPrintGridLine(false);
    print.PageFooter().LeftText = QStringLiteral("LEFT");
    print.PageFooter().MiddleText = QStringLiteral("[PAGE#]/[TOTALPAGES] [OWNERPAGE#]/[OWNERTOTALPAGES]");
    // Two records of one page each: the job's numbers and the record's differ.
    print.OnGetRecordCount = [](QObject *, int &count) { count = 2; };
    print.OnPrintRecord = [](QObject *, int) {};
    print.PageFooter().RightText = QStringLiteral("RIGHT");
    std::vector<std::pair<TBandType, QString>> seen;
    print.OnDrawTextBand = [&](QObject *, TBandType type, QPainter *, const QString &text, const QRect &, bool &handled) {
        seen.emplace_back(type, text);
        handled = type == btPageFooterMiddle;
    };
    const std::vector<QImage> pages = printPages(print);
    ASSERT_EQ(pages.size(), 2u);
    ASSERT_EQ(seen.size(), 6u);
    EXPECT_EQ(seen[1], std::make_pair(btPageFooterMiddle, QStringLiteral("1/2 1/1")));
    EXPECT_EQ(seen[4], std::make_pair(btPageFooterMiddle, QStringLiteral("2/2 1/1")));
    const QImage &page = pages[1];
    // The footer spans the grid's width, centred, at the bottom of the printable area: ink at
    // its left and right ends only.
    const int width = int(grid.GetInnerPrintWidth()), centre = page.width() / 2;
    const QRect bottom(0, page.height() * 3 / 4, page.width(), page.height() / 4);
    const QRect ink = inkBox(page, bottom);
    ASSERT_FALSE(ink.isEmpty());
    EXPECT_TRUE(inkBox(page, QRect(centre - width / 5, bottom.top(), width * 2 / 5, bottom.height())).isEmpty());
    EXPECT_LT(ink.left(), centre - width / 3);
    EXPECT_GT(ink.right(), centre + width / 3);
}

} // namespace
} // namespace qor::test

namespace qor::test {
namespace {

TEST_F(PageRender, TheColumnBarOfALaterStripNamesTheRepeatedColumnsFirst)
{
    TQorGrid grid;
    grid.SetGridType(gtGrid);
    grid.SetCols(16);
    grid.SetRows(5);
    grid.SetDefaultColWidth(90);
    grid.Columns(0)->Title().SetColor(clYellow);   // only the repeated column's title is yellow
    TQorPrint print;
    print.SetQorGrid(&grid);
    print.SetTitleColumns(1);
    print.SetHorzAutoCenter(false);
    const std::vector<QImage> pages = printPages(print);
    ASSERT_GE(pages.size(), 2u);
    for (size_t i = 0; i < 2; ++i) {
        const QImage &page = pages[i];
        // The bar is the top of the grid area: yellow at its left, over the first 90 pixels.
        int first = -1, last = -1;
        for (int x = 0; x < page.width(); ++x)
            for (int y = 0; y < page.height() / 4; ++y)
                if (pixelColor(page, x, y) == clYellow) {
                    first = first < 0 ? x : first;
                    last = x;
                    break;
                }
        ASSERT_GE(first, 0) << "page " << i + 1;
        EXPECT_NEAR(last - first, 88, 3) << "page " << i + 1;
    }
}

} // namespace
} // namespace qor::test
