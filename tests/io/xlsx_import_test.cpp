// Workbooks from elsewhere: files LibreOffice wrote (data/libreoffice_*; the ledger from
// libreoffice_ledger.fods, the invoice from our export of the demo invoice), hand-made
// packages for what LibreOffice never writes, and files that must be refused.
#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include "core/grid.h"
#include "demo_invoice.h"
#include "io/xlsx_sheet_p.h"
#include "message_recorder.h"
#include "platform/colors.h"
#include "xlsx_test_package.h"

namespace qor::test {
namespace {

QString data(const char *name) { return QStringLiteral(QOR_TEST_DATA_DIR "/data/") + QLatin1String(name); }

TEST(XlsxLibreOffice, LedgerKeepsValuesFormatsMergesCommentsAndFormulas)
{
    TQorGrid g;
    QString notes;
    ASSERT_TRUE(g.ImportFromExcel(data("libreoffice_ledger.xlsx"), 0, 0, -1, -1, 0, nullptr, &notes));
    ASSERT_EQ(g.GetRows(), 6);
    ASSERT_EQ(g.GetCols(), 3);
    EXPECT_EQ(g.MergedArea(0, 0), QRect(0, 0, 3, 1));
    TCellInfo &title = *g.Cells(0, 0);
    EXPECT_EQ(title.GetText(), QStringLiteral("月度账目"));
    EXPECT_TRUE(title.Font().Font.bold());
    EXPECT_EQ(title.Font().Font.pointSizeF(), 14);
    EXPECT_EQ(platform::ColorToRGB(title.GetBackColor()), clYellow);
    EXPECT_EQ(title.GetAlignment(), taCenter);
    EXPECT_EQ(title.GetVerAlignment(), vtaCenter);
    EXPECT_EQ(g.GetRowHeight(0), 38); // 1 cm

    EXPECT_EQ(g.Cells(2, 0)->GetCellType(), ctDate);
    EXPECT_EQ(g.GetCellText(2, 0), QStringLiteral("2024-03-05"));
    EXPECT_EQ(g.GetCellText(2, 1), QStringLiteral("1234.50"));
    EXPECT_EQ(g.CellDisplayText(2, 1), QStringLiteral("1,234.50"));
    EXPECT_EQ(g.Cells(2, 1)->GetAlignment(), taRightJustify);
    EXPECT_EQ(g.CellDisplayText(3, 1), QStringLiteral("88"));
    EXPECT_EQ(g.Cells(3, 1)->GetValueType(), vtInteger);
    EXPECT_TRUE(g.Cells(2, 1)->GetLeftFrame());
    EXPECT_EQ(platform::ColorToRGB(g.Cells(2, 1)->GetLeftFrameColor()), clBlue);
    EXPECT_TRUE(g.Cells(4, 1)->GetTopFrame());
    EXPECT_EQ(g.Cells(4, 1)->GetTopFrameWidth(), 2);
    EXPECT_TRUE(g.Cells(2, 2)->GetHint().contains(QStringLiteral("含税")));
    EXPECT_EQ(g.GetCellText(2, 2), QStringLiteral("办公用品"));
    TCellInfo &note = *g.Cells(3, 2);
    EXPECT_TRUE(note.GetWordWrap());
    EXPECT_EQ(note.GetVerAlignment(), vtaTop);
    EXPECT_TRUE(note.Font().Font.italic());
    EXPECT_EQ(platform::ColorToRGB(note.Font().Color), clRed);

    EXPECT_EQ(g.GetCellText(4, 1), QStringLiteral("=SUM(B3:B4)"));
    EXPECT_EQ(g.CellDisplayText(4, 1), QStringLiteral("1,322.50"));
    EXPECT_EQ(g.GetCellText(4, 2), QStringLiteral("=AVG(B3:B4)"));
    EXPECT_EQ(g.CellDisplayText(4, 2), QStringLiteral("661.25"));
    EXPECT_EQ(g.CellDisplayText(5, 1), QStringLiteral("12.5%"));
    // IF and text literals have no counterpart here: the value LibreOffice computed stands.
    EXPECT_EQ(g.GetCellText(5, 2), QStringLiteral("高"));
    EXPECT_TRUE(notes.contains(QStringLiteral("C6"))) << notes.toStdString();
}

TEST(XlsxLibreOffice, SheetIndexAndTheOdsForm)
{
    TQorGrid g;
    ASSERT_TRUE(g.ImportFromExcel(data("libreoffice_ledger.xlsx"), -3, -3, -1, -1, 1, nullptr));
    EXPECT_EQ(g.GetRows(), 1);
    EXPECT_EQ(g.GetCellText(0, 0), QStringLiteral("second"));
    EXPECT_EQ(g.GetCellText(0, 1), QStringLiteral("7"));

    TQorGrid o;
    ASSERT_TRUE(o.ImportFromExcel(data("libreoffice_ledger.ods"), nullptr));
    ASSERT_EQ(o.GetRows(), 6);
    EXPECT_EQ(o.MergedArea(0, 0), QRect(0, 0, 3, 1));
    EXPECT_EQ(o.GetCellText(0, 0), QStringLiteral("月度账目"));
    EXPECT_TRUE(o.Cells(0, 0)->Font().Font.bold());
    EXPECT_EQ(o.GetCellText(4, 1), QStringLiteral("=SUM(B3:B4)"));
    EXPECT_EQ(o.CellDisplayText(4, 1), QStringLiteral("1322.5"));
    EXPECT_EQ(o.GetColWidth(0), 94); // 2.5 cm
    EXPECT_TRUE(o.Cells(2, 2)->GetHint().contains(QStringLiteral("含税")));
    TQorGrid second;
    ASSERT_TRUE(second.ImportFromExcel(data("libreoffice_ledger.ods"), 0, 0, -1, -1, 1, nullptr));
    EXPECT_EQ(second.GetCellText(0, 0), QStringLiteral("second"));
}

TEST(XlsxLibreOffice, OurInvoiceAsLibreOfficeWroteItBack)
{
    TQorGrid ours, back;
    demo::BuildDemoInvoice(ours);
    ASSERT_TRUE(back.ImportFromExcel(data("libreoffice_invoice.xlsx"), nullptr));
    ASSERT_EQ(back.GetRows(), ours.GetRows());
    ASSERT_EQ(back.GetCols(), ours.GetCols());
    for (int r = 0; r < ours.GetRows(); ++r) {
        EXPECT_EQ(back.GetRowHeight(r), ours.GetRowHeight(r)) << r;
        for (int c = 0; c < ours.GetCols(); ++c) {
            EXPECT_EQ(back.MergedArea(r, c), ours.MergedArea(r, c)) << r << "," << c;
            if (ours.Cells(r, c)->GetValueType() == vtChineseCurrency || !ours.Cells(r, c)->GetLeftText().isEmpty())
                continue; // the ledger cells come back as currency, the diagonal cell as its two texts
            EXPECT_EQ(back.CellDisplayText(r, c), ours.CellDisplayText(r, c)) << r << "," << c;
            // LibreOffice writes a merged area's edges onto the cells along them; drawn, they
            // are the same edges, so only single cells are compared edge by edge.
            if (ours.MergedArea(r, c).size() != QSize(1, 1))
                continue;
            for (int e = 0; e < 4; ++e)
                EXPECT_EQ(back.Cells(r, c)->GetFrame(TCellEdge(e)), ours.Cells(r, c)->GetFrame(TCellEdge(e))) << r << "," << c << " edge " << e;
        }
    }
    for (int c = 0; c < ours.GetCols(); ++c)
        EXPECT_EQ(back.GetColWidth(c), ours.GetColWidth(c)) << c;
}

class XlsxFiles : public ::testing::Test {
protected:
    QString write(const QByteArray &bytes)
    {
        const QString path = dir.filePath(QStringLiteral("f%1.xlsx").arg(++n));
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
    QString sheet(const QByteArray &body) { return write(MakeZip(MinimalWorkbook(body))); }
    QTemporaryDir dir;
    int n = 0;
};

TEST_F(XlsxFiles, InlineStringsAndCommentsComeFromThePackage)
{
    Parts parts = MinimalWorkbook(
        "<sheetData><row r=\"1\"><c r=\"A1\" t=\"inlineStr\"><is><t>内联</t></is></c>"
        "<c r=\"B1\" t=\"inlineStr\"><is><r><t>富</t></r><r><t>文本</t></r><rPh><t>ふ</t></rPh></is></c></row></sheetData>",
        "<Relationship Id=\"rId1\" Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/comments\" Target=\"../comments1.xml\"/>");
    parts.emplace_back(QStringLiteral("xl/comments1.xml"),
                       "<?xml version=\"1.0\"?><comments xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
                       "<authors><author>x</author></authors><commentList><comment ref=\"B1\" authorId=\"0\"><text><t>批注</t></text></comment>"
                       "<comment ref=\"C9\" authorId=\"0\"><text><t>outside</t></text></comment></commentList></comments>");
    TQorGrid g;
    ASSERT_TRUE(g.ImportFromExcel(write(MakeZip(parts)), nullptr));
    // A comment counts in the used range, as a value does.
    ASSERT_EQ(g.GetCols(), 3);
    ASSERT_EQ(g.GetRows(), 9);
    EXPECT_EQ(g.Cells(8, 2)->GetHint(), QStringLiteral("outside"));
    EXPECT_EQ(g.GetCellText(0, 0), QStringLiteral("内联"));
    EXPECT_EQ(g.GetCellText(0, 1), QStringLiteral("富文本"));
    EXPECT_EQ(g.Cells(0, 1)->GetHint(), QStringLiteral("批注"));
}

TEST_F(XlsxFiles, TheRectangleRules)
{
    using xlsx::ImportRectangle;
    using xlsx::ImportRequest;
    const QRect used(QPoint(1, 2), QPoint(4, 9)); // B3:E10
    EXPECT_EQ(ImportRectangle(used, ImportRequest{}), QRect(QPoint(0, 0), QPoint(4, 9)));
    EXPECT_EQ(ImportRectangle(used, ImportRequest{-5, -1, -1, -7, 0}), QRect(QPoint(0, 0), QPoint(4, 9)));
    EXPECT_EQ(ImportRectangle(used, ImportRequest{3, 2, 5, 3, 0}), QRect(QPoint(2, 3), QPoint(3, 5)));
    EXPECT_EQ(ImportRectangle(used, ImportRequest{3, 2, 500, 300, 0}), QRect(QPoint(2, 3), QPoint(4, 9)));
    // A start beyond the last used row or column comes down to it.
    EXPECT_EQ(ImportRectangle(used, ImportRequest{50, 60, -1, -1, 0}), QRect(QPoint(4, 9), QPoint(4, 9)));
    // An end before the start takes the start's row or column.
    EXPECT_EQ(ImportRectangle(used, ImportRequest{5, 3, 2, 1, 0}), QRect(QPoint(3, 5), QPoint(3, 5)));

    const QString file = sheet("<sheetData><row r=\"2\"><c r=\"B2\"><v>1</v></c><c r=\"D2\"><v>2</v></c></row>"
                               "<row r=\"4\"><c r=\"C4\"><v>3</v></c><c r=\"D4\"><f>B2+D2</f><v>3</v></c></row></sheetData>");
    TQorGrid g;
    ASSERT_TRUE(g.ImportFromExcel(file, 1, 2, -1, -1, -4, nullptr));
    ASSERT_EQ(g.GetRows(), 3);
    ASSERT_EQ(g.GetCols(), 2);
    EXPECT_EQ(g.GetCellText(0, 1), QStringLiteral("2"));
    EXPECT_EQ(g.GetCellText(2, 0), QStringLiteral("3"));
    // B2 lies outside the rectangle: the formula cannot follow, its value stands.
    EXPECT_EQ(g.GetCellText(2, 1), QStringLiteral("3"));
    ASSERT_TRUE(g.ImportFromExcel(file, nullptr));
    EXPECT_EQ(g.GetRows(), 4);
    EXPECT_EQ(g.GetCols(), 4);
    EXPECT_EQ(g.GetCellText(3, 3), QStringLiteral("=B2+D2"));
    TQorGrid empty;
    ASSERT_TRUE(empty.ImportFromExcel(sheet("<sheetData/>"), nullptr));
    EXPECT_EQ(empty.GetRows(), 1);
    EXPECT_EQ(empty.GetCols(), 1);
}

TEST_F(XlsxFiles, HostileFilesAreRefusedAndTheGridStaysAsItWas)
{
    QFile good(data("libreoffice_ledger.xlsx"));
    ASSERT_TRUE(good.open(QIODevice::ReadOnly));
    const QByteArray workbook = good.readAll();
    const QByteArray zeros(64 << 20, '\0');
    Parts bomb = MinimalWorkbook("<sheetData/>");
    bomb.emplace_back(QStringLiteral("xl/media/big.bin"), zeros);
    Parts lying = MinimalWorkbook("<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row></sheetData>");
    const struct {
        const char *what;
        QString file;
        const char *says;
    } cases[] = {
        {"missing", dir.filePath(QStringLiteral("none.xlsx")), "找不到文件"},
        {"text", write("just some text, not a workbook"), "不是电子表格文件"},
        {"truncated", write(workbook.left(workbook.size() / 2)), ""},
        {"zip without workbook", write(MakeZip({{QStringLiteral("a.txt"), "hello"}})), "不是电子表格文件"},
        {"zip bomb", write(MakeZip(bomb)), "压缩炸弹"},
        {"sizes that lie", write(MakeZip(lying, true, 12)), "已损坏"},
        {"huge range", sheet("<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></c></row>"
                             "<row r=\"1048576\"><c r=\"XFD1048576\"><v>2</v></c></row></sheetData>"), "范围过大"},
        {"a billion rows", sheet("<dimension ref=\"A1:A1000000000\"/><sheetData><row r=\"1000000000\">"
                                 "<c r=\"A1000000000\"><v>2</v></c></row></sheetData>"), ""},
        {"bad sheet xml", sheet("<sheetData><row r=\"1\"><c r=\"A1\"><v>1</v></row></sheetData>"), ""},
        {"column without range", sheet("<cols><col hidden=\"1\"/></cols><sheetData/>"), "列定义无效"},
        {"merge that is no range", sheet("<sheetData/><mergeCells><mergeCell ref=\"B2\"/></mergeCells>"), "合并区域无效"},
        {"bad styles", write(MakeZip(MinimalWorkbook("<sheetData/>", QByteArray(), "<styleSheet><fonts>"))), "不是有效的 XML"},
    };
    for (const auto &c : cases) {
        TQorGrid g;
        g.SetRows(2);
        g.SetCols(2);
        g.Cells(1, 1)->SetText(QStringLiteral("keep"));
        MessageRecorder boxes;
        QString notes;
        EXPECT_FALSE(g.ImportFromExcel(c.file, 0, 0, -1, -1, 0, nullptr, &notes)) << c.what;
        ASSERT_EQ(boxes.count(), 1) << c.what;
        EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
        EXPECT_TRUE(boxes.last().text.contains(QString::fromUtf8(c.says))) << c.what << ": " << boxes.last().text.toStdString();
        EXPECT_EQ(g.GetRows(), 2) << c.what;
        EXPECT_EQ(g.GetCols(), 2) << c.what;
        EXPECT_EQ(g.GetCellText(1, 1), QStringLiteral("keep")) << c.what;
    }
    TQorGrid g;
    MessageRecorder boxes;
    EXPECT_FALSE(g.ImportFromExcel(data("libreoffice_ledger.xlsx"), 0, 0, -1, -1, 2, nullptr));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_TRUE(boxes.last().text.contains(QStringLiteral("没有第 3 个工作表"))) << boxes.last().text.toStdString();
}

} // namespace
} // namespace qor::test
