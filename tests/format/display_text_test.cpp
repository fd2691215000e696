// Display text of every value type, the escapes, masking and the stored-text conversions.
#include <gtest/gtest.h>

#include "qstring_print.h"

#include "format/display_text.h"
#include "format/number_text.h"

using namespace qor;

namespace {

QString show(const QString &text, TValueType t, int digits = 2, bool seps = true, bool trim = false)
{
    TDisplayAttrs a;
    a.valueType = t;
    a.digits = digits;
    a.thousandSeparators = seps;
    a.trimZero = trim;
    return DisplayText(text, a);
}

} // namespace

TEST(DisplayDecimals, GroupedRoundedAndTrimmed)
{
    EXPECT_EQ(show("1234.5", vtFloat), "1,234.50");
    EXPECT_EQ(show("1234.5", vtFloat, 2, true, true), "1,234.5");
    EXPECT_EQ(show("1234", vtFloat, 2, true, true), "1,234");
    EXPECT_EQ(show("100", vtFloat, 0, true, true), "100");
    EXPECT_EQ(show("1234567.891", vtCurrency, 2, false), "1234567.89");
    EXPECT_EQ(show("-1234567.895", vtNegFloat), "-1,234,567.90");
    EXPECT_EQ(show("999.995", vtPosFloat), "1,000.00");
    // Decimal text is rounded as written, not as its nearest double (1.00499999…).
    EXPECT_EQ(show("1.005", vtFloat), "1.01");
    EXPECT_EQ(show("-0.001", vtFloat), "0.00");
    EXPECT_EQ(show("0.5", vtFloat, 0), "1");
    EXPECT_EQ(show("1.5e3", vtFloat), "1,500.00");
    EXPECT_EQ(show("  42 ", vtFloat, 1), "42.0");
    EXPECT_EQ(show("12345678901234567890.125", vtFloat), "12,345,678,901,234,567,890.13");
    EXPECT_EQ(show("1.5", vtFloat, 20), "1.50000000000000000000");
}

TEST(DisplayDecimals, NonNumbersCountAsZeroAndEmptyStaysEmpty)
{
    EXPECT_EQ(show("abc", vtFloat), "0.00");
    EXPECT_EQ(show("1,234", vtFloat), "0.00");
    EXPECT_EQ(show("1e999", vtFloat), "0.00");
    EXPECT_EQ(show("", vtFloat), "");
    for (int t = vtString; t <= vtChineseDate; ++t)
        EXPECT_EQ(show("", TValueType(t)), "") << t;
}

TEST(DisplayIntegers, GroupingRoundsToTwoDecimalsThenCuts)
{
    EXPECT_EQ(show("-1234567", vtInteger), "-1,234,567");
    EXPECT_EQ(show("-1234567", vtInteger, 2, false), "-1234567");
    EXPECT_EQ(show("1234.999", vtInteger), "1,235");
    EXPECT_EQ(show("1234.994", vtInteger), "1,234");
    EXPECT_EQ(show("-5", vtNegInt), "-5");
    EXPECT_EQ(show("70000", vtWord), "4,464");
    EXPECT_EQ(show("-1", vtWord), "65,535");
    EXPECT_EQ(show("12.5", vtWord), "0");
    EXPECT_EQ(show("70000", vtWord, 2, false), "70000");
}

TEST(DisplayPercent, ScaledWithTwoDecimalsLess)
{
    EXPECT_EQ(show("0.256", vtPercent), "26%");
    EXPECT_EQ(show("0.256", vtPercent, 4), "25.60%");
    EXPECT_EQ(show("0.256", vtPercent, 4, true, true), "25.6%");
    EXPECT_EQ(show("12.5", vtPercent, 2, true), "1,250%");
    EXPECT_EQ(show("12.5", vtPercent, 2, false), "1250%");
}

TEST(DisplayOtherTypes, StringsLedgerAmountsAndDates)
{
    EXPECT_EQ(show("1234.5678", vtString), "1234.5678");
    EXPECT_EQ(show("1234.5678", vtChineseCurrency), "1234.5678");
    EXPECT_EQ(show("1234.56", vtChineseShortCurr), u"壹仟贰佰叁拾肆元.伍角陆分");
    EXPECT_EQ(show("12.5", vtChineseLongCurr, 2, false), u"壹拾贰元伍角零分");
    EXPECT_EQ(show("2000-01-01", vtChineseDate), u"二○○○年一月一日");
    EXPECT_EQ(show("2009/7/15", vtChineseDate), u"二○○九年七月十五日");
    EXPECT_EQ(show("2021-12-31 23:59:00", vtChineseDate), u"二○二一年十二月三十一日");
    EXPECT_EQ(show("0987-10-20", vtChineseDate), u"○九八七年十月二十日");
    // Not a date: day 0 of the serial dates.
    EXPECT_EQ(show("soon", vtChineseDate), u"一八九九年十二月三十日");
    EXPECT_EQ(show("2009-02-30", vtChineseDate), u"一八九九年十二月三十日");
}

TEST(DisplayEscapeAndFormulaResults, ApostropheCutAndMask)
{
    EXPECT_EQ(ConvertCellText("'=1+1"), "=1+1");
    EXPECT_EQ(ConvertCellText("'="), "=");
    EXPECT_EQ(ConvertCellText("''=x"), "'=x");
    EXPECT_EQ(ConvertCellText("'abc"), "'abc");
    EXPECT_EQ(ConvertCellText("'"), "'");

    TDisplayAttrs a;
    a.numberFlag = true;
    a.formulaResult = true;
    EXPECT_EQ(DisplayText("1234.5678", a), "1234.56");
    a.digits = 0;
    EXPECT_EQ(DisplayText("3.14159", a), "3.");
    // A formula value is never an escaped text.
    EXPECT_EQ(DisplayText("'=x", a), "'=x");
    a.numberFlag = false;
    a.formulaResult = false;
    EXPECT_EQ(DisplayText("1234.5678", a), "1234.5678");

    // Amount and date words are not cut (12.56 keeps its 分).
    TDisplayAttrs amount;
    amount.valueType = vtChineseShortCurr;
    amount.numberFlag = true;
    amount.digits = 0;
    EXPECT_EQ(DisplayText("12.56", amount), u"壹拾贰元.伍角陆分");

    TDisplayAttrs pw;
    pw.passwordChar = u'*';
    EXPECT_EQ(DisplayText("abc", pw), "***");
    EXPECT_EQ(DisplayText("", pw), "");
    pw.valueType = vtFloat;
    EXPECT_EQ(DisplayText("1234.5", pw), "********");

    // The edit text drops separators only of numbers shown with them.
    EXPECT_EQ(DeleteThousandSept("1,234.5", vtFloat, true), "1234.5");
    EXPECT_EQ(DeleteThousandSept("1,234.5", vtFloat, false), "1,234.5");
    EXPECT_EQ(DeleteThousandSept("a,b", vtString, true), "a,b");
}

TEST(NumberTests, IsNumberIsPlainDecimalText)
{
    for (const char *yes : {"0", "12", "-12", "+1.5", ".5", "5.", "-.5"})
        EXPECT_TRUE(IsNumber(QString(yes))) << yes;
    for (const char *no : {"", "-", "+", ".", "-.", "1.2.3", "1e5", " 1", "1-", "--1", "1,000"})
        EXPECT_FALSE(IsNumber(QString(no))) << no;
}

TEST(NumberTests, ReadingAndShortestText)
{
    EXPECT_EQ(StrToIntDef(u" -42 "), -42);
    EXPECT_EQ(StrToIntDef(u"2147483648", 7), 7);
    EXPECT_EQ(StrToIntDef(u"-2147483648"), INT32_MIN);
    EXPECT_EQ(StrToIntDef(u"1.0", 3), 3);
    EXPECT_DOUBLE_EQ(StrToFloatDef(u"1.5E3"), 1500.0);
    EXPECT_DOUBLE_EQ(StrToFloatDef(u"x", -1), -1.0);
    EXPECT_EQ(FloatToStr(0.1), "0.1");
    EXPECT_EQ(FloatToStr(-1234.5), "-1234.5");
    EXPECT_EQ(FloatToStr(1e20), "1E20");
    EXPECT_EQ(FloatToStr(1.5e-7), "1.5E-7");
    EXPECT_EQ(FloatToStr(100000), "100000");
    EXPECT_EQ(FloatToStr(0.0001), "0.0001");
    for (double v : {0.1, 1.0 / 3, 123456789.125, -2.5e-300, 1.7976931348623157e308})
        EXPECT_EQ(StrToFloatDef(FloatToStr(v)), v);
}

TEST(NumberTests, CurrencyHasFourDecimalsAndKnowsItsRange)
{
    EXPECT_EQ(TCurrency::FromText(u"12.34565")->Raw(), 123457);
    EXPECT_EQ(TCurrency::FromText(u"-0.00005")->ToText(), "-0.0001");
    EXPECT_EQ(TCurrency::FromText(u"922337203685477.5807")->ToText(), "922337203685477.5807");
    EXPECT_FALSE(TCurrency::FromText(u"922337203685477.5808"));
    EXPECT_FALSE(TCurrency::FromText(u"1,000"));
    EXPECT_EQ(TCurrency::FromRaw(INT64_MIN).ToText(), "-922337203685477.5808");
}

TEST(TypedViews, BooleanAndDates)
{
    EXPECT_TRUE(TextAsBoolean(u"TRUE"));
    EXPECT_FALSE(TextAsBoolean(u"false"));
    EXPECT_TRUE(TextAsBoolean(u"-3"));
    EXPECT_FALSE(TextAsBoolean(u"yes"));
    EXPECT_EQ(BooleanText(true), "1");
    const QDateTime dt(QDate(2024, 2, 29), QTime(13, 5, 9));
    EXPECT_EQ(DateTimeToStr(dt), "2024-02-29 13:05:09");
    EXPECT_EQ(TextToDateTime(DateTimeToStr(dt)), dt);
    EXPECT_EQ(DateTimeToStr(QDateTime(QDate(2024, 1, 2), QTime(0, 0))), "2024-01-02");
    EXPECT_FALSE(TextToDateTime(u"2024-01-02 25:00"));
    EXPECT_FALSE(TextToDateTime(u"2024-01/02"));
}
