// Amounts in capital numerals: the worked examples, the limits, and properties over random
// amounts checked by reading the text back.
#include <gtest/gtest.h>

#include "qstring_print.h"

#include <QRandomGenerator>
#include "format/chinese_money.h"

using namespace qor;

TEST(ChineseMoney, CompactForm)
{
    const std::pair<const char *, const char16_t *> cases[] = {
        {"1234", u"壹仟贰佰叁拾肆元整"},
        {"1001", u"壹仟零壹元整"},
        {"1010", u"壹仟零壹拾元整"},
        {"12345", u"壹万贰仟叁佰肆拾伍元整"},
        {"100100", u"壹拾万零壹佰元整"},
        {"100000001", u"壹亿零壹元整"},
        {"1234.5", u"壹仟贰佰叁拾肆元.伍角"},
        {"1234.05", u"壹仟贰佰叁拾肆元.零角伍分"},
        {"1234.56", u"壹仟贰佰叁拾肆元.伍角陆分"},
        {"1234.50", u"壹仟贰佰叁拾肆元.伍角"},
        {"1234.567", u"壹仟贰佰叁拾肆元.伍角陆分"},
        {"0.5", u"元.伍角"},
        {"100000000", u"壹亿元整"},
        {"10000", u"壹万元整"},
        {"10", u"壹拾元整"},
        {"0", u"零元"},
        {"", u"零元"},
        {"abc", u"零元"},
        {"0.00001", u"零元"},
        {"1000000000000", u"壹兆元整"},
    };
    for (const auto &[amount, text] : cases)
        EXPECT_EQ(ChineseMoney(QString(amount)), QString::fromUtf16(text)) << amount;
}

TEST(ChineseMoney, FullForm)
{
    const std::pair<const char *, const char16_t *> cases[] = {
        {"1001", u"壹仟零佰零拾壹元零角零分"},
        {"10000", u"壹万零仟零佰零拾零元零角零分"},
        {"12.5", u"壹拾贰元伍角零分"},
        {"12.05", u"壹拾贰元零角伍分"},
        {"0.5", u"零元伍角零分"},
        {"100", u"壹佰零拾零元零角零分"},
        {"0", u"零元"},
    };
    for (const auto &[amount, text] : cases)
        EXPECT_EQ(ChineseFullMoney(QString(amount)), QString::fromUtf16(text)) << amount;
}

TEST(ChineseMoney, SixteenDigitsExactSeventeenErrorNegativesLeadWithFu)
{
    // A binary double would turn the last digit of this amount into another one.
    EXPECT_EQ(ChineseFullMoney(u"9999999999999999.99"),
              QString::fromUtf16(u"玖仟玖佰玖拾玖兆玖仟玖佰玖拾玖亿玖仟玖佰玖拾玖万玖仟玖佰玖拾玖元玖角玖分"));
    EXPECT_EQ(ChineseMoney(u"1000000000000001"), QString::fromUtf16(u"壹仟兆零壹元整"));
    EXPECT_EQ(ChineseMoney(u"10000000000000000"), "Error");
    EXPECT_EQ(ChineseFullMoney(u"12345678901234567.5"), "Error");
    // Rounding to four decimals can carry into a 17th digit.
    EXPECT_EQ(ChineseMoney(u"9999999999999999.99999"), "Error");
    EXPECT_EQ(ChineseMoney(u"-1234.5"), QString::fromUtf16(u"负壹仟贰佰叁拾肆元.伍角"));
    EXPECT_EQ(ChineseFullMoney(u"-0.05"), QString::fromUtf16(u"负零元零角伍分"));
    EXPECT_EQ(ChineseMoney(u"-0.00001"), QString::fromUtf16(u"零元"));
}

namespace {

int digitValue(QChar c)
{
    static const QString digits = QString::fromUtf16(u"零壹贰叁肆伍陆柒捌玖");
    return int(digits.indexOf(c));
}

// Reads a compact amount back into its integer value; -1 when a character is out of place.
qint64 readBack(const QString &text)
{
    static const QString small = QString::fromUtf16(u"拾佰仟");
    qint64 total = 0, section = 0;
    int digit = 0;
    for (QChar c : text) {
        if (digitValue(c) >= 0) {
            digit = digitValue(c);
        } else if (small.contains(c)) {
            section += digit * qint64(std::pow(10, small.indexOf(c) + 1));
            digit = 0;
        } else if (c == u'兆' || c == u'亿' || c == u'万' || c == u'元') {
            const int power = c == u'兆' ? 12 : c == u'亿' ? 8 : c == u'万' ? 4 : 0;
            total += (section + digit) * qint64(std::pow(10, power));
            section = digit = 0;
            if (c == u'元')
                return total;
        } else {
            return -1;
        }
    }
    return -1;
}

} // namespace

TEST(ChineseMoneyProperties, RandomAmountsReadBackWithoutDoubleZerosOrBareUnits)
{
    QRandomGenerator rng(20240607);
    static const QString units = QString::fromUtf16(u"拾佰仟");
    for (int i = 0; i < 20000; ++i) {
        // Amounts of 1 … 16 digits, with runs of zeros made likely.
        const int len = 1 + int(rng.bounded(16));
        QString digits;
        for (int k = 0; k < len; ++k)
            digits += QChar(u'0' + (rng.bounded(3) == 0 ? int(rng.bounded(10)) : 0));
        digits[0] = QChar(u'1' + int(rng.bounded(9)));
        const QString text = ChineseMoney(digits + QStringLiteral(".25"));
        const QString where = digits + QString::fromUtf16(u" → ") + text;

        EXPECT_FALSE(text.contains(QString::fromUtf16(u"零零"))) << where.toStdString();
        for (qsizetype k = 0; k < text.size(); ++k) {
            if (!units.contains(text[k]))
                continue;
            // A place unit follows the non-zero digit it belongs to.
            ASSERT_GT(k, 0);
            EXPECT_GT(digitValue(text[k - 1]), 0) << where.toStdString();
        }
        EXPECT_FALSE(text.contains(QString::fromUtf16(u"零元")) && digits != "0") << where.toStdString();
        EXPECT_TRUE(text.endsWith(QString::fromUtf16(u"元.贰角伍分"))) << where.toStdString();
        EXPECT_EQ(readBack(text), digits.toLongLong()) << where.toStdString();
    }
}
