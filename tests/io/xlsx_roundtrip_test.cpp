// Grids written as workbooks and read back: every attribute the exchange maps must survive,
// over randomly generated grids and over the cases that need a rule of their own.
#include <gtest/gtest.h>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include "core/grid.h"
#include "io/xlsx_package_p.h"
#include "message_recorder.h"
#include "platform/colors.h"

namespace qor::test {
namespace {

struct Frame {
    int width;
    TPenStyle style;
};
// The edge looks both sides name alike.
const Frame kFrames[] = {{1, psSolid}, {1, psDash}, {1, psDot}, {1, psDashDot}, {1, psDashDotDot},
                         {2, psSolid}, {2, psDash}, {2, psDashDot}, {2, psDashDotDot}, {3, psSolid}};

class RandomGrid {
public:
    explicit RandomGrid(quint32 seed) : rng(seed) {}

    int pick(int n) { return int(rng.bounded(n)); }
    bool coin(int in = 2) { return pick(in) == 0; }
    TColor color() { return TColor(rng.bounded(0x1000000)); }

    void fill(TCustomQorGrid &g)
    {
        const int rows = 3 + pick(10), cols = 2 + pick(5);
        g.SetCols(cols);
        g.SetRows(rows);
        for (int c = 0; c < cols; ++c)
            g.SetColWidth(c, 20 + pick(180));
        for (int r = 0; r < rows; ++r)
            g.SetRowHeight(r, 14 + pick(46));
        if (coin(3))
            g.SetRowVisible(pick(rows), false);
        if (coin(3))
            g.SetColVisible(pick(cols), false);
        for (int r = 0; r < rows; ++r)
            for (int c = 0; c < cols; ++c)
                if (!coin(4))
                    cell(g, *g.Cells(r, c), rows, cols);
        // The last position holds something, so that the used range is the whole grid.
        g.Cells(rows - 1, cols - 1)->SetValueType(vtString);
        g.Cells(rows - 1, cols - 1)->SetCellType(ctEdit);
        g.Cells(rows - 1, cols - 1)->SetText(QStringLiteral("末"));
        for (int i = rows >= 4 && cols >= 3 ? pick(3) : 0; i > 0; --i) {
            const int r = pick(rows - 2), c = pick(cols - 2);
            if (g.MergedArea(r, c).width() == 1 && g.MergedArea(r + 1, c + 1).width() == 1 &&
                g.MergedArea(r, c + 1).width() == 1 && g.MergedArea(r + 1, c).width() == 1)
                g.MergeCells(r, c, r + 1, c + (coin() ? 1 : 0));
        }
    }

    void cell(TCustomQorGrid &g, TCellInfo &x, int rows, int cols)
    {
        static const char *texts[] = {"发票", "line1\nline2", "007", "a \"quoted\" <b>&amp;</b>", "x", "合计：",
                                      "12abc", "  spaced  ", "tab\there", "bell\x07 _x0041_"};
        const auto label = [&] { return TCustomQorGrid::GetCellLabel(pick(rows), pick(cols)); };
        switch (pick(10)) {
        case 0:
            x.SetText(QString::fromUtf8(texts[pick(int(std::size(texts)))]));
            break;
        case 1:
            x.SetValueType(vtInteger);
            x.SetThousandSeparators(coin());
            x.SetText(QString::number(int(rng.bounded(2000000)) - 1000000));
            break;
        case 2:
        case 3: {
            const int digits = 1 + pick(4); // with none, a decimal reads back as an integer
            const bool trim = digits > 0 && coin(3);
            x.SetValueType(vtFloat);
            x.SetDigits(digits);
            x.SetThousandSeparators(coin());
            x.SetTrimZero(trim);
            double scale = 1;
            for (int i = 0; i < digits; ++i)
                scale *= 10;
            const double v = double(int(rng.bounded(20000000)) - 10000000) / scale;
            x.SetText(trim ? QString::number(v, 'f', QLocale::FloatingPointShortest) : QString::number(v, 'f', digits));
            break;
        }
        case 4:
            x.SetValueType(vtCurrency);
            x.SetDigits(2);
            x.SetText(QString::number(double(rng.bounded(1000000)) / 100, 'f', 2));
            break;
        case 5:
            x.SetValueType(vtPercent);
            x.SetDigits(2 + pick(3));
            x.SetText(QString::number(double(rng.bounded(1000)) / 1000, 'f', QLocale::FloatingPointShortest));
            break;
        case 6:
            if (coin())
                x.SetCellType(ctDate);
            else
                x.SetValueType(vtChineseDate);
            x.SetText(QStringLiteral("20%1-%2-%3").arg(10 + pick(30)).arg(1 + pick(12), 2, 10, QLatin1Char('0')).arg(1 + pick(28), 2, 10, QLatin1Char('0')));
            break;
        case 7: {
            static const char *forms[] = {"=%1+%2", "=SUM(%1:%2)", "=AVG(%1,%2)*2", "=MAX(%1, %2)-MIN(%1,%2)", "=LENGTH(%1)+ABS(%2)"};
            try {
                x.SetText(QString::fromLatin1(forms[pick(5)]).arg(label(), label()));
            } catch (const std::exception &) { // a formula that refers to itself
                x.SetText(QString());
            }
            break;
        }
        default:
            if (coin())
                x.SetText(QString::number(pick(100000)));
            break;
        }
        if (coin()) {
            TQorFont f = g.GetFont();
            static const char *families[] = {"SimSun", "Arial", "Tahoma", "DejaVu Sans"};
            static const double sizes[] = {8, 9, 10.5, 12, 16};
            f.Font.setFamily(QString::fromLatin1(families[pick(4)]));
            f.Font.setPointSizeF(sizes[pick(5)]);
            f.Font.setBold(coin());
            f.Font.setItalic(coin());
            f.Font.setUnderline(coin(4));
            f.Font.setStrikeOut(coin(4));
            f.Color = color();
            x.SetFont(f);
        }
        if (coin(3))
            x.SetBackColor(color());
        x.SetAlignment(TAlignment(pick(3)));
        x.SetVerAlignment(TVerAlignment(pick(3)));
        // A workbook shrinks only what it does not wrap.
        if (coin(3))
            x.SetWordWrap(true);
        else
            x.SetShrinkToFit(coin(4));
        if (coin(4))
            x.SetHint(QString::fromUtf8("备注 %1\n第二行").arg(pick(100)));
        for (int e = 0; e < 4; ++e) {
            if (!coin(4))
                continue;
            const Frame f = kFrames[pick(int(std::size(kFrames)))];
            x.SetFrame(TCellEdge(e), true);
            x.SetFrameWidth(TCellEdge(e), f.width);
            x.SetFrameStyle(TCellEdge(e), f.style);
            x.SetFrameColor(TCellEdge(e), color());
        }
    }

    QRandomGenerator rng;
};

TColor rgbOf(TColor c) { return platform::ColorToRGB(c); }

// Every mapped attribute of every position, one line per difference.
QStringList differences(TCustomQorGrid &a, TCustomQorGrid &b)
{
    QStringList out;
    const auto diff = [&](const QString &where, const QString &what, const QVariant &x, const QVariant &y) {
        if (x != y)
            out << QStringLiteral("%1 %2: %3 != %4").arg(where, what, x.toString(), y.toString());
    };
    diff(QString(), QStringLiteral("rows"), a.GetRows(), b.GetRows());
    diff(QString(), QStringLiteral("cols"), a.GetCols(), b.GetCols());
    if (!out.isEmpty())
        return out;
    for (int c = 0; c < a.GetCols(); ++c) {
        diff(QStringLiteral("col %1").arg(c), QStringLiteral("width"), a.GetColWidth(c), b.GetColWidth(c));
        diff(QStringLiteral("col %1").arg(c), QStringLiteral("visible"), a.GetColVisible(c), b.GetColVisible(c));
    }
    for (int r = 0; r < a.GetRows(); ++r) {
        diff(QStringLiteral("row %1").arg(r), QStringLiteral("height"), a.GetRowHeight(r), b.GetRowHeight(r));
        diff(QStringLiteral("row %1").arg(r), QStringLiteral("visible"), a.GetRowVisible(r), b.GetRowVisible(r));
    }
    for (int r = 0; r < a.GetRows(); ++r) {
        for (int c = 0; c < a.GetCols(); ++c) {
            const QString at = TCustomQorGrid::GetCellLabel(r, c);
            diff(at, QStringLiteral("merge"), a.MergedArea(r, c), b.MergedArea(r, c));
            TCellInfo &x = *a.Cells(r, c);
            TCellInfo &y = *b.Cells(r, c);
            // The workbook writes formulas without blanks.
            const auto bare = [](QString t) { return TCustomQorGrid::IsFormulaText(t) ? t.remove(QLatin1Char(' ')) : t; };
            diff(at, QStringLiteral("text"), bare(x.GetText()), bare(y.GetText()));
            if (!x.GetText().isEmpty() && !TCustomQorGrid::IsFormulaText(x.GetText())) {
                diff(at, QStringLiteral("value type"), int(x.GetValueType()), int(y.GetValueType()));
                diff(at, QStringLiteral("cell type"), int(x.GetCellType()), int(y.GetCellType()));
                if (x.GetValueType() != vtString && x.GetValueType() != vtChineseDate) {
                    diff(at, QStringLiteral("digits"), x.GetValueType() == vtInteger ? 0 : x.GetDigits(),
                         y.GetValueType() == vtInteger ? 0 : y.GetDigits());
                    diff(at, QStringLiteral("thousands"), x.GetThousandSeparators(), y.GetThousandSeparators());
                    diff(at, QStringLiteral("trim"), x.GetTrimZero(), y.GetTrimZero());
                }
                diff(at, QStringLiteral("display"), a.CellDisplayText(r, c), b.CellDisplayText(r, c));
            }
            diff(at, QStringLiteral("align"), int(x.GetAlignment()), int(y.GetAlignment()));
            diff(at, QStringLiteral("valign"), int(x.GetVerAlignment()), int(y.GetVerAlignment()));
            diff(at, QStringLiteral("wrap"), x.GetWordWrap(), y.GetWordWrap());
            diff(at, QStringLiteral("shrink"), x.GetShrinkToFit(), y.GetShrinkToFit());
            diff(at, QStringLiteral("back"), rgbOf(x.GetBackColor()), rgbOf(y.GetBackColor()));
            diff(at, QStringLiteral("hint"), x.GetHint(), y.GetHint());
            const TQorFont fx = x.PeekFont() ? *x.PeekFont() : a.GetFont();
            const TQorFont fy = y.PeekFont() ? *y.PeekFont() : b.GetFont();
            diff(at, QStringLiteral("font"), fx.Font.family(), fy.Font.family());
            diff(at, QStringLiteral("size"), fx.Font.pointSizeF(), fy.Font.pointSizeF());
            diff(at, QStringLiteral("bold"), fx.Font.bold(), fy.Font.bold());
            diff(at, QStringLiteral("italic"), fx.Font.italic(), fy.Font.italic());
            diff(at, QStringLiteral("underline"), fx.Font.underline(), fy.Font.underline());
            diff(at, QStringLiteral("strike"), fx.Font.strikeOut(), fy.Font.strikeOut());
            diff(at, QStringLiteral("font colour"), rgbOf(fx.Color), rgbOf(fy.Color));
            for (int e = 0; e < 4; ++e) {
                const auto edge = TCellEdge(e);
                const QString what = QStringLiteral("edge %1 ").arg(e);
                diff(at, what + QStringLiteral("frame"), x.GetFrame(edge), y.GetFrame(edge));
                if (x.GetFrame(edge) && y.GetFrame(edge)) {
                    diff(at, what + QStringLiteral("width"), x.GetFrameWidth(edge), y.GetFrameWidth(edge));
                    diff(at, what + QStringLiteral("style"), int(x.GetFrameStyle(edge)), int(y.GetFrameStyle(edge)));
                    diff(at, what + QStringLiteral("colour"), rgbOf(x.GetFrameColor(edge)), rgbOf(y.GetFrameColor(edge)));
                }
            }
        }
    }
    return out;
}

class Xlsx : public ::testing::Test {
protected:
    QString path(const char *name) const { return dir.filePath(QLatin1String(name)); }
    QTemporaryDir dir;
};

TEST_F(Xlsx, RandomGridsComeBackWithEveryMappedAttribute)
{
    for (quint32 seed = 1; seed <= 40; ++seed) {
        TQorGrid a, b;
        RandomGrid(seed).fill(a);
        QString notes;
        ASSERT_TRUE(a.ExportToExcel(path("r.xlsx"), QString(), nullptr, false, nullptr, true, 0, QString(), &notes));
        EXPECT_EQ(notes, QString()) << "seed " << seed;
        ASSERT_TRUE(b.ImportFromExcel(path("r.xlsx"), 0, 0, a.GetRows() - 1, a.GetCols() - 1, 0, nullptr, &notes));
        const QStringList d = differences(a, b);
        EXPECT_TRUE(d.isEmpty()) << "seed " << seed << ":\n" << d.mid(0, 12).join(QLatin1Char('\n')).toStdString();
    }
}

TEST_F(Xlsx, TitleTakesTheFirstRowAndFormulasFollowTheirCells)
{
    TQorGrid a, b;
    a.SetCols(3);
    a.SetRows(2);
    a.Cells(0, 0)->SetText(QStringLiteral("2"));
    a.Cells(0, 1)->SetText(QStringLiteral("3"));
    a.Cells(1, 2)->SetText(QStringLiteral("=A1*B1"));
    TQorFont font = a.GetFont();
    font.Font.setFamily(QStringLiteral("SimHei"));
    font.Font.setPointSizeF(18);
    font.Font.setBold(true);
    font.Color = clRed;
    ASSERT_TRUE(a.ExportToExcel(path("t.xlsx"), QStringLiteral("月度账目"), &font, false, nullptr, true, 0, QStringLiteral("一月")));
    ASSERT_TRUE(b.ImportFromExcel(path("t.xlsx"), nullptr));
    ASSERT_EQ(b.GetRows(), 3);
    EXPECT_EQ(b.GetCellText(0, 0), QStringLiteral("月度账目"));
    EXPECT_EQ(b.MergedArea(0, 0), QRect(0, 0, 3, 1));
    EXPECT_EQ(b.Cells(0, 0)->GetAlignment(), taCenter);
    EXPECT_EQ(b.Cells(0, 0)->Font().Font.family(), QStringLiteral("SimHei"));
    EXPECT_TRUE(b.Cells(0, 0)->Font().Font.bold());
    EXPECT_EQ(platform::ColorToRGB(b.Cells(0, 0)->Font().Color), clRed);
    EXPECT_EQ(b.GetCellText(2, 2), QStringLiteral("=A2*B2"));
    EXPECT_EQ(b.CellDisplayText(2, 2), QStringLiteral("6"));
}

TEST_F(Xlsx, FormulasTakeTheWorkbooksNamesOrTheirValue)
{
    TQorGrid a, b;
    a.SetCols(3);
    a.SetRows(3);
    a.SetRowVisible(1, false);
    a.SetExportHiddenRow(false);
    a.Cells(0, 0)->SetText(QStringLiteral("4"));
    a.Cells(1, 0)->SetText(QStringLiteral("100"));
    a.Cells(2, 0)->SetText(QStringLiteral("6"));
    a.Cells(0, 1)->SetText(QStringLiteral("=AVG(A1:A3)"));   // the hidden row is skipped here too
    a.Cells(0, 2)->SetText(QStringLiteral("=SQR(A1)"));      // no such function there
    a.Cells(2, 1)->SetText(QStringLiteral("=A2+1"));         // its row is left out
    a.Cells(2, 2)->SetText(QStringLiteral("=POS([b],[abc])")); // our text literals
    QString notes;
    ASSERT_TRUE(a.ExportToExcel(path("f.xlsx"), QString(), nullptr, false, nullptr, true, 0, QString(), &notes));
    EXPECT_TRUE(notes.contains(QStringLiteral("=SQR(A1)"))) << notes.toStdString();
    EXPECT_TRUE(notes.contains(QStringLiteral("=A2+1"))) << notes.toStdString();
    EXPECT_TRUE(notes.contains(QStringLiteral("=POS([b],[abc])"))) << notes.toStdString();

    xlsx::Package pkg;
    QFile f(path("f.xlsx"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    QString error;
    ASSERT_TRUE(pkg.Open(f.readAll(), &error));
    QByteArray sheet;
    ASSERT_TRUE(pkg.Read(QStringLiteral("xl/worksheets/sheet1.xml"), sheet, &error));
    EXPECT_TRUE(sheet.contains("<f>AVERAGE(A1:A2)</f><v>5</v>")) << sheet.toStdString();
    EXPECT_FALSE(sheet.contains("SQR"));

    ASSERT_TRUE(b.ImportFromExcel(path("f.xlsx"), nullptr));
    ASSERT_EQ(b.GetRows(), 2);
    EXPECT_EQ(b.GetCellText(0, 1), QStringLiteral("=AVG(A1:A2)"));
    EXPECT_EQ(b.CellDisplayText(0, 1), QStringLiteral("5"));
    EXPECT_EQ(b.GetCellText(0, 2), QStringLiteral("16"));
    EXPECT_EQ(b.GetCellText(1, 1), a.CellDisplayText(2, 1));
}

TEST_F(Xlsx, MaskedAmountAndDiagonalCellsWriteWhatTheyShow)
{
    TQorGrid a, b;
    a.SetCols(3);
    a.SetRows(1);
    a.Cells(0, 0)->SetPasswordChar(QLatin1Char('*'));
    a.Cells(0, 0)->SetText(QStringLiteral("secret"));
    a.Cells(0, 1)->SetValueType(vtChineseLongCurr);
    a.Cells(0, 1)->SetText(QStringLiteral("5087"));
    a.Cells(0, 2)->SetLeftText(QStringLiteral("序号"));
    a.Cells(0, 2)->SetRightText(QStringLiteral("项目"));
    ASSERT_TRUE(a.ExportToExcel(path("m.xlsx"), nullptr));
    QFile f(path("m.xlsx"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    xlsx::Package pkg;
    QString error;
    ASSERT_TRUE(pkg.Open(f.readAll(), &error));
    QByteArray strings;
    ASSERT_TRUE(pkg.Read(QStringLiteral("xl/sharedStrings.xml"), strings, &error));
    EXPECT_FALSE(strings.contains("secret"));
    ASSERT_TRUE(b.ImportFromExcel(path("m.xlsx"), nullptr));
    EXPECT_EQ(b.GetCellText(0, 0), QStringLiteral("******"));
    EXPECT_EQ(b.GetCellText(0, 1), a.CellDisplayText(0, 1));
    EXPECT_EQ(b.GetCellText(0, 2), QStringLiteral("项目\n序号"));
}

TEST_F(Xlsx, EventsProgressAndTheApplicationsSay)
{
    TQorGrid a, b;
    a.SetCols(2);
    a.SetRows(4);
    for (int r = 0; r < 4; ++r)
        a.Cells(r, 0)->SetText(QString::number(r + 1));
    a.Cells(0, 1)->SetText(QStringLiteral("=A1*2"));
    std::vector<std::pair<int, int>> steps;
    a.OnImportExportProgress = [&](QObject *, int count, int pos) { steps.emplace_back(count, pos); };
    a.OnExportCell = [](QObject *, int row, int col, bool &isString) { isString = isString || (row == 1 && col == 0); };
    ASSERT_TRUE(a.ExportToExcel(path("e.xlsx"), nullptr));
    EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{4, 1}, {4, 2}, {4, 3}, {4, 4}}));
    steps.clear();
    b.OnImportExportProgress = a.OnImportExportProgress;
    b.OnImportCell = [](QObject *, int row, int col, QVariant &value, bool &handled) {
        if (row == 2 && col == 0)
            value = QStringLiteral("changed");
        handled = row == 3 && col == 0;
    };
    ASSERT_TRUE(b.ImportFromExcel(path("e.xlsx"), nullptr));
    EXPECT_EQ(steps.back(), std::make_pair(4, 4));
    EXPECT_EQ(b.GetCellText(0, 1), QStringLiteral("=A1*2"));
    EXPECT_EQ(b.GetCellText(1, 0), QStringLiteral("2"));
    EXPECT_EQ(b.Cells(1, 0)->GetValueType(), vtString);
    EXPECT_EQ(b.GetCellText(2, 0), QStringLiteral("changed"));
    EXPECT_EQ(b.GetCellText(3, 0), QString());
}

TEST_F(Xlsx, AFailedExportLeavesTheOldFileAsItWas)
{
    QFile old(path("keep.xlsx"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("the old workbook");
    old.close();
    TQorGrid a;
    a.SetRows(1);
    a.SetCols(16385); // one column more than a sheet has
    MessageRecorder boxes;
    EXPECT_FALSE(a.ExportToExcel(path("keep.xlsx"), nullptr));
    ASSERT_EQ(boxes.count(), 1);
    EXPECT_EQ(boxes.last().caption, QStringLiteral("提示"));
    ASSERT_TRUE(old.open(QIODevice::ReadOnly));
    EXPECT_EQ(old.readAll(), QByteArray("the old workbook"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("keep.xlsx")});
    EXPECT_FALSE(a.ExportToExcel(dir.filePath(QStringLiteral("no/such/folder/x.xlsx")), nullptr));
    EXPECT_EQ(boxes.count(), 2);
}

TEST_F(Xlsx, PicturesGoToTheirCells)
{
    TQorGrid a, b;
    a.SetCols(2);
    a.SetRows(2);
    QImage image(8, 6, QImage::Format_RGB32);
    image.fill(qRgb(200, 10, 10));
    TQorPicture picture;
    picture.Image = image;
    a.Cells(1, 1)->SetGraphic(picture);
    ASSERT_TRUE(a.ExportToExcel(path("p.xlsx"), nullptr));
    ASSERT_TRUE(b.ImportFromExcel(path("p.xlsx"), nullptr));
    const TQorPicture *back = b.Cells(1, 1)->PeekGraphic();
    ASSERT_TRUE(back && !back->Image.isNull());
    EXPECT_EQ(back->Image.size(), QSize(8, 6));
    EXPECT_EQ(back->Image.pixel(3, 3), qRgb(200, 10, 10));
    // and it survives the grid's own document
    QBuffer doc;
    doc.open(QIODevice::ReadWrite);
    ASSERT_TRUE(b.SaveToStream(doc, true));
    doc.seek(0);
    TQorGrid d;
    ASSERT_TRUE(d.LoadFromStream(doc));
    ASSERT_TRUE(d.Cells(1, 1)->PeekGraphic());
    EXPECT_EQ(d.Cells(1, 1)->PeekGraphic()->Image.pixel(3, 3), qRgb(200, 10, 10));
    TQorGrid c;
    ASSERT_TRUE(a.ExportToExcel(path("np.xlsx"), QString(), nullptr, false, nullptr, false, 2, QStringLiteral("无图")));
    ASSERT_TRUE(c.ImportFromExcel(path("np.xlsx"), 0, 0, -1, -1, 2, nullptr));
    EXPECT_FALSE(c.PeekCell(1, 1) && c.Cells(1, 1)->PeekGraphic() && !c.Cells(1, 1)->PeekGraphic()->Image.isNull());
}

TEST_F(Xlsx, GridLinesAndHiddenColumnsOnRequest)
{
    TQorGrid a, b;
    a.SetCols(3);
    a.SetRows(2);
    a.SetLineColor(0x00336699);
    a.Cells(0, 0)->SetText(QStringLiteral("a"));
    a.Cells(1, 2)->SetText(QStringLiteral("c"));
    a.Cells(0, 0)->SetRightFrame(true);
    a.Cells(0, 0)->SetRightFrameWidth(3);
    a.SetColVisible(1, false);
    a.SetExportHiddenCol(false);
    ASSERT_TRUE(a.ExportToExcel(path("g.xlsx"), QString(), nullptr, true, nullptr, true, 0, QString()));
    ASSERT_TRUE(b.ImportFromExcel(path("g.xlsx"), nullptr));
    ASSERT_EQ(b.GetCols(), 2);
    EXPECT_EQ(b.GetCellText(1, 1), QStringLiteral("c"));
    // Every edge has a line: the frame where the cell has one, the grid's line colour elsewhere.
    TCellInfo &x = *b.Cells(0, 0);
    EXPECT_TRUE(x.GetRightFrame());
    EXPECT_EQ(x.GetRightFrameWidth(), 3);
    EXPECT_TRUE(x.GetTopFrame());
    EXPECT_EQ(x.GetTopFrameWidth(), 1);
    EXPECT_EQ(platform::ColorToRGB(x.GetTopFrameColor()), 0x00336699);
    EXPECT_TRUE(b.Cells(1, 1)->GetBottomFrame());
}

} // namespace
} // namespace qor::test
