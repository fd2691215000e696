// The print component's page model: defaults, binding, bands, markers, units, the settings
// block and its place in the grid stream.
#include <QBuffer>
#include <QTemporaryDir>
#include "core/grid.h"
#include "core/grid_p.h"
#include "io/byte_stream.h"
#include "io/font_record.h"
#include "io/grid_stream.h"
#include "io/text_record.h"
#include "print/print_units.h"
#include "print/qor_print.h"
#include "print_fixture.h"

namespace qor::test {
namespace {

using PrintModel = StandInPrinter;

TEST_F(PrintModel, ANewComponentReadsThePrinter)
{
    TQorPrint p;
    EXPECT_EQ(p.GetPageSize(), 9);
    EXPECT_EQ(p.GetPageWidth(), 210);
    EXPECT_EQ(p.GetPageHeight(), 297);
    EXPECT_EQ(p.GetOrientation(), poPortrait);
    EXPECT_EQ(p.PageMargins().Left, 15);
    EXPECT_EQ(p.PageMargins().Bottom, 15);
    EXPECT_EQ(p.GetPrintZoom(), 100);
    EXPECT_EQ(p.GetPageColumns(), 1);
    EXPECT_EQ(p.GetHorzSpaceToBreak(), 200);
    EXPECT_EQ(p.GetVertSpaceToBreak(), 200);
    EXPECT_EQ(p.GetTitleRows() + p.GetFooterRows() + p.GetTitleColumns() + p.GetFooterColumns(), 0);
    EXPECT_TRUE(p.ReportTitle().GetFont().bold());
    EXPECT_EQ(p.PageHeader().GetDetailFont().family(), "Arial");
    EXPECT_EQ(p.Footer().GetColor(), clWhite);
    p.SetPageColumns(0);
    EXPECT_EQ(p.GetPageColumns(), 1);
    p.SetPrintZoom(0);   // refused: a grid has no zero size
    EXPECT_EQ(p.GetPrintZoom(), 100);
}

TEST_F(PrintModel, OneComponentPerGridAndEitherSideMayGoFirst)
{
    auto grid = std::make_unique<TQorGrid>();
    TQorPrint a, b;
    a.SetPrintZoom(150);
    a.SetQorGrid(grid.get());
    EXPECT_EQ(grid->GetZoom(), 150);
    EXPECT_EQ(GridPrivate::get(*grid).seams.print != nullptr, true);
    b.SetQorGrid(grid.get());   // the grid changes hands: a lets go
    EXPECT_EQ(a.GetQorGrid(), nullptr);
    EXPECT_EQ(b.GetQorGrid(), grid.get());
    grid.reset();
    EXPECT_EQ(b.GetQorGrid(), nullptr);
    EXPECT_EQ(b.GetPageCount(), 0);
    TQorGrid other;
    {
        TQorPrint gone;
        gone.SetQorGrid(&other);
    }
    EXPECT_EQ(GridPrivate::get(other).seams.print, nullptr);
}

TEST_F(PrintModel, PageMarkers)
{
    EXPECT_EQ(ExpandPageMarkers("第[PAGE#]页 共[TOTALPAGES]页", 3, 12, 3, 12), "第3页 共12页");
    EXPECT_EQ(ExpandPageMarkers("[OWNERPAGE#]/[OWNERTOTALPAGES] of [PAGE#]", 4, 6, 2, 2), "2/2 of 4");
    EXPECT_EQ(ExpandPageMarkers("no markers [PAGE]", 1, 1, 1, 1), "no markers [PAGE]");
    EXPECT_EQ(ExpandPageMarkers("", 1, 1, 1, 1), "");
}

TEST_F(PrintModel, BandHeightsFollowTheirTextsAndFonts)
{
    TQorGrid g;
    g.SetRows(2);
    g.SetCols(2);
    TQorPrint p;
    EXPECT_EQ(p.GetTextHeight("x", p.Footer().GetFont()), 0);   // no grid yet
    p.SetQorGrid(&g);
    EXPECT_EQ(p.GetTitleHeight() + p.GetPageHeaderHeight() + p.GetFooterHeight() + p.GetSummayHeight() +
                  p.GetPageFooterHeight(),
              0);
    const int line = p.GetTextHeight("x", p.Footer().GetFont());
    EXPECT_GT(line, 2);
    EXPECT_EQ(p.GetTextHeight("x\ny", p.Footer().GetFont()), 2 * line);
    p.ReportTitle().SetText("月报");
    EXPECT_EQ(p.GetTitleHeight(), p.GetTextHeight("月报", p.ReportTitle().GetFont()) + 10);
    p.Footer().MiddleText = "a";
    p.Footer().RightText = "b\nc";
    EXPECT_EQ(p.GetFooterHeight(), 2 * line + 20);
    p.Summary().LeftText = "s";
    EXPECT_EQ(p.GetSummayHeight(), line + 10);
    p.PageHeader().RightText = "[PAGE#]";
    EXPECT_EQ(p.GetPageHeaderHeight(), line + 10);   // no own line
    p.PageHeader().SetText("head");
    EXPECT_EQ(p.GetPageHeaderHeight(), line + p.GetTextHeight("head", p.PageHeader().GetFont()) + 10 + 10);
    // A bigger font and the grid's zoom make the lines taller.
    QFont big = p.Footer().GetFont();
    big.setPointSize(16);
    EXPECT_GT(p.GetTextHeight("x", big), line);
    g.SetZoom(200);
    EXPECT_GT(p.GetTextHeight("x", p.Footer().GetFont()), line);
}

TEST_F(PrintModel, UnitConversions)
{
    EXPECT_EQ(RoundHalfAway(2.5), 3);
    EXPECT_EQ(RoundHalfAway(-2.5), -3);
    EXPECT_EQ(RoundHalfAway(2.49994), 2);
    EXPECT_EQ(RoundHalfAway(2.49995), 3);   // four decimals first
    EXPECT_EQ(XmmToPixel(25.4), 96);
    EXPECT_EQ(PixelToYmm(96), 25);
    EXPECT_DOUBLE_EQ(PixelToXmm(96), 25.4);
    // Pixels per 100 mm are rounded first: 300 dpi 1181, 600 dpi 2362, 1200 dpi 4724.
    const std::pair<int, int64_t> expected[] = {{300, 177}, {600, 354}, {1200, 709}};
    for (auto [dpi, fifteen] : expected) {
        platform::SetCurrentPrinter(platform::MakeStandInPrinter(dpi));
        EXPECT_EQ(MMToPrinterX(15), fifteen) << dpi;
        EXPECT_EQ(MMToPrinterY(100), int64_t(std::lround(dpi * 100 / 25.4))) << dpi;
        EXPECT_DOUBLE_EQ(ScalX(), dpi / 96.0);
    }
    EXPECT_EQ(PrinterWidth(), 9921);   // 210 mm at 1200 dpi
    EXPECT_EQ(PrintableOffset(), QPoint(50, 60));
    platform::SetCurrentPrinter(platform::MakeNoPrinter());
    EXPECT_EQ(PrinterWidth(), 793);
    EXPECT_EQ(PrinterHeight(), 1122);
    EXPECT_EQ(HPointsPerInch(), 96);
    EXPECT_EQ(MMToPrinterX(100), 378);
    EXPECT_EQ(GetPhicalPaperMM(), QSize(210, 297));
    EXPECT_EQ(PrintableOffset(), QPoint(0, 0));
}

TEST_F(PrintModel, ThePageSetUpReachesThePrinter)
{
    TQorPrint p;
    p.SetOrientation(poLandscape);
    p.SetPageSize(8);
    p.SettingPrinter();
    EXPECT_TRUE(platform::CurrentPrinter().Landscape());
    EXPECT_EQ(GetPhicalPaperMM(), QSize(297, 420));
    EXPECT_EQ(PrinterWidth(), 9921);   // A3 across, 600 dpi
    p.SetPageSize(256);
    p.SetPageWidth(100);
    p.SetPageHeight(150);
    p.PrepareReport();
    EXPECT_EQ(GetPhicalPaperMM(), QSize(100, 150));
    TQorPrint fresh;
    EXPECT_EQ(fresh.GetPageSize(), 256);
    EXPECT_EQ(fresh.GetOrientation(), poLandscape);
    EXPECT_EQ(fresh.GetPageWidth(), 150);
}

void fillEverything(TQorPrint &p)
{
    p.SetPageSize(256);
    p.SetPageWidth(180);
    p.SetPageHeight(250);
    p.PageMargins().Left = 11;
    p.PageMargins().Top = 12;
    p.PageMargins().Right = 13;
    p.PageMargins().Bottom = 14;
    p.SetOrientation(poLandscape);
    p.ReportTitle().SetText("年度报表");
    p.ReportTitle().SetAlign(taLeftJustify);
    p.ReportTitle().SetColor(clYellow);
    p.PageHeader().SetText("头");
    p.PageHeader().LeftText = "左";
    p.PageHeader().MiddleText = "中";
    p.PageHeader().RightText = "第[PAGE#]页";
    QFont f("Courier");
    f.setPointSize(11);
    f.setItalic(true);
    p.PageHeader().SetDetailFont(f, clRed);
    p.PageFooter().LeftText = "pf";
    p.Footer().MiddleText = "f";
    p.Summary().RightText = "s";
    p.Summary().SetFont(f, clBlue);
    p.SetTitleRows(2);
    p.SetFooterRows(1);
    p.SetHorzAutoCenter(false);
    p.SetVertAutoCenter(true);
    p.SetColorPrinter(false);
    p.SetDocumentName("凭证");
    p.SetShowProgress(false);
    p.SetModalPreview(false);
    p.SetDisablePrint(true);
    p.SetHorzSpaceToBreak(31);
    p.SetVertSpaceToBreak(32);
    p.SetPageColumns(2);
    p.SetTitleColumns(1);
    p.SetFooterColumns(1);
    p.SetDirectToPrinter(true);
    p.SetPrintZoom(120);
    p.SetPrintGridLine(false);
}

void expectSame(TQorPrint &a, TQorPrint &b, bool directToPrinter)
{
    EXPECT_EQ(a.SaveSettings().size(), b.SaveSettings().size());
    EXPECT_EQ(b.GetPageSize(), 256);
    EXPECT_EQ(b.GetPageWidth(), 180);
    EXPECT_EQ(b.GetPageHeight(), 250);
    EXPECT_EQ(b.PageMargins().Left, 11);
    EXPECT_EQ(b.PageMargins().Bottom, 14);
    EXPECT_EQ(b.GetOrientation(), poLandscape);
    EXPECT_EQ(b.ReportTitle().GetText(), "年度报表");
    EXPECT_EQ(b.ReportTitle().GetAlign(), taLeftJustify);
    EXPECT_EQ(b.ReportTitle().GetColor(), clYellow);
    EXPECT_EQ(b.PageHeader().RightText, "第[PAGE#]页");
    EXPECT_EQ(b.PageHeader().GetDetailFont().family(), "Courier");
    EXPECT_TRUE(b.PageHeader().GetDetailFont().italic());
    EXPECT_EQ(b.PageHeader().GetDetailFontColor(), clRed);
    EXPECT_EQ(b.PageFooter().LeftText, "pf");
    EXPECT_EQ(b.Footer().MiddleText, "f");
    EXPECT_EQ(b.Summary().GetFont().pointSize(), 11);
    EXPECT_EQ(b.GetTitleRows(), 2);
    EXPECT_EQ(b.GetFooterRows(), 1);
    EXPECT_FALSE(b.GetHorzAutoCenter());
    EXPECT_TRUE(b.GetVertAutoCenter());
    EXPECT_FALSE(b.GetColorPrinter());
    EXPECT_EQ(b.GetDocumentName(), "凭证");
    EXPECT_FALSE(b.GetShowProgress());
    EXPECT_FALSE(b.GetModalPreview());
    EXPECT_TRUE(b.GetDisablePrint());
    EXPECT_EQ(b.GetHorzSpaceToBreak(), 31);
    EXPECT_EQ(b.GetVertSpaceToBreak(), 32);
    EXPECT_EQ(b.GetPageColumns(), 2);
    EXPECT_EQ(b.GetTitleColumns(), 1);
    EXPECT_EQ(b.GetFooterColumns(), 1);
    EXPECT_EQ(b.GetDirectToPrinter(), directToPrinter);
    EXPECT_EQ(b.GetPrintZoom(), 120);
    EXPECT_FALSE(b.GetPrintGridLine());
}

TEST_F(PrintModel, TheSettingsBlockComesBackFieldByField)
{
    TQorPrint a;
    fillEverything(a);
    const QByteArray block = a.SaveSettings();
    ByteReader in(block);
    in.expectTag("PrnD");
    EXPECT_EQ(in.readI32(), 256);
    EXPECT_EQ(in.readI32(), 180);
    EXPECT_EQ(in.readI32(), 250);
    EXPECT_EQ(in.readI32(), 11);
    EXPECT_EQ(in.readI32(), 12);
    EXPECT_EQ(in.readI32(), 13);
    EXPECT_EQ(in.readI32(), 14);
    EXPECT_EQ(in.readU8(), 1);
    EXPECT_EQ(TColor(in.readI32()), clYellow);        // the title's section block
    EXPECT_TRUE(LoadFontFromStream(in).bold);
    EXPECT_EQ(in.readU8(), uint8_t(taLeftJustify));
    EXPECT_EQ(LoadTextFromStream(in), "年度报表");
    // The last fields: zoom and grid lines.
    ByteReader tail(block.constData() + block.size() - 6, 6);
    EXPECT_EQ(tail.readU8(), 1);   // DirectToPrinter
    EXPECT_EQ(tail.readI32(), 120);
    EXPECT_EQ(tail.readU8(), 0);

    QBuffer buffer;
    buffer.open(QIODevice::ReadWrite);
    ASSERT_TRUE(a.SaveToStream(buffer));
    buffer.seek(0);
    TQorPrint b;
    ASSERT_TRUE(b.LoadFromStream(buffer));
    expectSame(a, b, true);
    EXPECT_EQ(b.SaveSettings(), block);

    // From a file of a release before 14 the flag is not read.
    TQorPrint old;
    old.SetVersion(13);
    ASSERT_TRUE(old.LoadSettings(block));
    expectSame(a, old, false);

    QTemporaryDir dir;
    const QString file = dir.filePath("page.prn");
    ASSERT_TRUE(a.SaveToFile(file));
    TQorPrint fromFile;
    ASSERT_TRUE(fromFile.LoadFromFile(file));
    expectSame(a, fromFile, true);
    EXPECT_FALSE(fromFile.LoadFromFile(dir.filePath("missing.prn")));
}

TEST_F(PrintModel, BlocksThatAreNotSettingsChangeNothing)
{
    TQorPrint a;
    fillEverything(a);
    const QByteArray block = a.SaveSettings();
    TQorPrint b;
    const QByteArray before = b.SaveSettings();
    EXPECT_FALSE(b.LoadSettings(QByteArray("PrnX") + block.mid(4)));
    EXPECT_FALSE(b.LoadSettings(QByteArray()));
    for (qsizetype cut = 4; cut < block.size(); cut += 7)
        EXPECT_FALSE(b.LoadSettings(block.left(cut))) << cut;
    EXPECT_EQ(b.SaveSettings(), before);
    // A text that claims more than the block holds.
    QByteArray hostile = block;
    const qsizetype text = block.indexOf(QByteArray(reinterpret_cast<const char *>(u"年度报表"), 8));
    ASSERT_GT(text, 4);
    hostile.replace(text - 4, 4, QByteArray("\xff\xff\xff\x7f", 4));
    EXPECT_FALSE(b.LoadSettings(hostile));
    EXPECT_EQ(b.SaveSettings(), before);
}

TEST_F(PrintModel, AnOldDeskFaceBecomesArial)
{
    TQorPrint a;
    QFont sans("MS Sans Serif");
    sans.setPointSize(9);
    a.Footer().SetFont(sans);
    TQorPrint b;
    ASSERT_TRUE(b.LoadSettings(a.SaveSettings()));
    EXPECT_EQ(b.Footer().GetFont().family(), "Arial");
    EXPECT_EQ(b.Footer().GetFont().pointSize(), 9);
}

TEST_F(PrintModel, TheGridStreamCarriesTheSettings)
{
    TQorGrid g;
    g.SetRows(3);
    g.SetCols(2);
    TQorPrint a;
    fillEverything(a);
    a.SetQorGrid(&g);
    const QByteArray bytes = SaveGridToBytes(g, true, true);

    TQorGrid back;
    TQorPrint b;
    b.SetQorGrid(&back);
    ASSERT_TRUE(LoadGridFromBytes(back, bytes));
    expectSame(a, b, true);
    EXPECT_EQ(back.GetZoom(), 120);

    // No print component: the record is kept as it came, saved again with the grid, and
    // handed to a component attached later.
    TQorGrid alone;
    ASSERT_TRUE(LoadGridFromBytes(alone, bytes));
    EXPECT_EQ(alone.GetRows(), 3);
    EXPECT_EQ(SaveGridToBytes(alone, true, true), bytes);
    TQorPrint late;
    late.SetQorGrid(&alone);
    expectSame(a, late, true);
    TQorGrid plain;
    plain.SetRows(3);
    ASSERT_TRUE(LoadGridFromBytes(back, SaveGridToBytes(plain, true, true)));
    EXPECT_EQ(b.GetPageColumns(), 2);   // nothing in the stream: the settings stay
}

} // namespace
} // namespace qor::test
