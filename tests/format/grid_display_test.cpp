// Display text through the grid: cells and positions without cells, the host's events, the
// typed views and the conversions of the stored text.
#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QImage>
#include <QPainter>
#include "core/model/column.h"
#include "core/grid.h"
#include "format/number_text.h"

using namespace qor;

namespace {

struct GridFixture : ::testing::Test {
    TQorGrid grid;
    TCellInfo *cell(int r, int c) { return grid.Cells(r, c); }
};

} // namespace

TEST_F(GridFixture, OnGetTextAndOnGetCellDataTakePart)
{
    cell(0, 0)->SetValueType(vtFloat);
    cell(0, 0)->SetText("1234.5");
    grid.OnGetText = [](QObject *, int r, int c, QString &text) {
        if (r == 0 && c == 0)
            text = "12345";
    };
    EXPECT_EQ(grid.CellDisplayText(0, 0), "12,345.00");
    grid.OnGetCellData = [](QObject *, int r, int c, TCellData &data) {
        data.SetDigits(3);
        data.SetThousandSeparators(false);
    };
    EXPECT_EQ(grid.CellDisplayText(0, 0), "12345.000");
    grid.OnGetCellData = [](QObject *, int, int, TCellData &data) { data.SetTrimZero(true); };
    EXPECT_EQ(grid.CellDisplayText(0, 0), "12,345");

    // A record handed in decides; the event is not asked.
    TCellData mine;
    mine.SetDigits(1);
    QString text = "2.25";
    grid.AddThousandSept(cell(0, 0), text, &mine);
    EXPECT_EQ(text, "2.3");
}

TEST_F(GridFixture, PositionsWithoutCellsUseTheirColumn)
{
    TQorColumn *column = grid.Columns(2);
    column->SetValueType(vtFloat);
    column->SetPasswordChar(QChar());
    grid.OnGetText = [](QObject *, int, int c, QString &text) {
        if (c == 2)
            text = "7";
    };
    EXPECT_EQ(grid.CellDisplayText(3, 2), "7.00");
    EXPECT_FALSE(grid.PeekCell(3, 2));
    column->SetValueType(vtCurrency);
    column->SetShowCurrencyLine(true);
    EXPECT_EQ(grid.CellDisplayText(3, 2), "7");
    column->SetShowCurrencyLine(false);
    column->SetPasswordChar(u'#');
    EXPECT_EQ(grid.CellDisplayText(3, 2), "####");
}

TEST_F(GridFixture, NumbersSetAsNumbersAreCutToDigits)
{
    cell(0, 0)->SetAsFloat(1234.5678);
    EXPECT_EQ(cell(0, 0)->GetText(), "1234.5678");
    EXPECT_EQ(grid.CellDisplayText(0, 0), "1234.56");
    // A text typed by hand is shown as typed.
    cell(0, 0)->SetText("1234.5679");
    EXPECT_EQ(grid.CellDisplayText(0, 0), "1234.5679");
    cell(0, 1)->SetValueType(vtChineseShortCurr);
    cell(0, 1)->SetDigits(0);
    cell(0, 1)->SetAsFloat(12.56);
    EXPECT_EQ(grid.CellDisplayText(0, 1), QString::fromUtf16(u"壹拾贰元.伍角陆分"));
}

TEST_F(GridFixture, TypedViews)
{
    TCellInfo *c = cell(1, 1);
    c->SetAsBoolean(true);
    EXPECT_EQ(c->GetText(), "1");
    c->SetText("False");
    EXPECT_FALSE(c->GetAsBoolean());
    c->SetAsInteger(-42);
    EXPECT_EQ(c->GetAsInteger(), -42);
    c->SetAsCurrency(TCurrency::FromRaw(123450));
    EXPECT_EQ(c->GetText(), "12.345");
    EXPECT_EQ(c->GetAsCurrency().Raw(), 123450);
    EXPECT_DOUBLE_EQ(c->GetAsFloat(), 12.345);
    const QDateTime when(QDate(2009, 7, 15), QTime(8, 30));
    c->SetAsDateTime(when);
    EXPECT_EQ(c->GetAsDateTime(), when);
    c->SetText("abc");
    EXPECT_THROW(c->GetAsDateTime(), EConvertError);
    EXPECT_EQ(c->GetAsInteger(), 0);
}

TEST_F(GridFixture, ValueTypeAndDigitsRewriteTheStoredText)
{
    TCellInfo *c = cell(2, 2);
    c->SetText("5");
    c->SetValueType(vtNegInt);
    EXPECT_EQ(c->GetText(), "0");
    c->SetValueType(vtFloat);
    c->SetText("1.23456");
    c->SetDigits(3);
    EXPECT_EQ(c->GetText(), "1.235");
    c->SetDigits(-4);
    EXPECT_EQ(c->GetDigits(), 0);
    EXPECT_EQ(c->GetText(), "1");
    // Formulas and loading leave the text alone.
    c->SetText("=A1");
    c->SetValueType(vtInteger);
    EXPECT_EQ(c->GetText(), "=A1");
    c->SetText("2.5");
    grid.SetLoading(true);
    c->SetValueType(vtNegInt);
    grid.SetLoading(false);
    EXPECT_EQ(c->GetText(), "2.5");
}

TEST_F(GridFixture, EditorTextAndLedgerCellsUseTheGridsProperties)
{
    cell(0, 0)->SetValueType(vtFloat);
    QString text = "1,234.5";
    grid.DeleteThousandSept(cell(0, 0), text);
    EXPECT_EQ(text, "1234.5");

    grid.SetCurrencyCellWidth(10);
    QImage img(100, 20, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    grid.DrawCurrenyCell(&p, QRect(0, 0, 100, 20), QRect(0, 0, 96, 20), Qt::AlignVCenter, clRed, clGreen,
                         QString(), "0.00", 0, QChar(), false);
    p.end();
    // Lines every 10 pixels from 96 + 2 leftwards: red left of the second column.
    EXPECT_EQ(img.pixelColor(88, 0), QColor(0xC0, 0xC0, 0xC0));
    EXPECT_EQ(img.pixelColor(78, 0), QColor(Qt::red));
    EXPECT_EQ(img.pixelColor(48, 0), QColor(0, 0x80, 0));
}
