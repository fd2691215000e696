// The key filter of numeric cells and the paste check built on it.
#include <gtest/gtest.h>

#include "qstring_print.h"

#include "format/key_filter.h"

using namespace qor;

namespace {

bool accepts(const char *text, int caret, char key, TValueType t, int digits = 2, int sel = 0)
{
    return KeyAccepted(QString(text), caret, sel, QChar(key), t, digits);
}

} // namespace

TEST(KeyFilter, IntegerSignsOnlyAtTheStartAndOnce)
{
    EXPECT_FALSE(accepts("12", 2, 'a', vtInteger));
    EXPECT_TRUE(accepts("12", 2, '5', vtInteger));
    EXPECT_FALSE(accepts("12", 2, '-', vtInteger));
    EXPECT_TRUE(accepts("12", 0, '-', vtInteger));
    EXPECT_FALSE(accepts("-12", 0, '-', vtInteger));
    EXPECT_FALSE(accepts("+12", 0, '-', vtInteger));
    // Replacing a selected sign is allowed.
    EXPECT_TRUE(accepts("-12", 0, '+', vtInteger, 2, 1));
    EXPECT_FALSE(accepts("12", 0, '.', vtInteger));
    EXPECT_FALSE(accepts("12", 0, '-', vtWord));
    EXPECT_TRUE(accepts("12", 1, '0', vtWord));
    // Negative types start with a minus.
    EXPECT_FALSE(accepts("", 0, '5', vtNegInt));
    EXPECT_TRUE(accepts("", 0, '-', vtNegInt));
    EXPECT_TRUE(accepts("", 0, '=', vtNegInt));
    EXPECT_FALSE(accepts("", 0, '.', vtNegFloat));
    EXPECT_TRUE(accepts("-", 1, '5', vtNegInt));
    EXPECT_FALSE(accepts("-1", 2, '+', vtNegInt));
}

TEST(KeyFilter, DecimalPointAndPlaces)
{
    EXPECT_FALSE(accepts("3.14", 4, '5', vtFloat));
    EXPECT_TRUE(accepts("3.14", 1, '5', vtFloat));
    EXPECT_TRUE(accepts("3.14", 4, '5', vtFloat, 3));
    EXPECT_TRUE(accepts("3.14", 4, '5', vtFloat, 0));
    // A selection may be overwritten whatever its length.
    EXPECT_TRUE(accepts("3.14", 3, '5', vtFloat, 2, 1));
    EXPECT_FALSE(accepts("", 0, '.', vtFloat));
    EXPECT_TRUE(accepts("3", 1, '.', vtFloat));
    EXPECT_FALSE(accepts("3.1", 3, '.', vtFloat));
    EXPECT_FALSE(accepts("3.1", 3, '.', vtChineseShortCurr));
    // The single-point rule does not cover these two.
    EXPECT_TRUE(accepts("3.1", 1, '.', vtPosFloat));
    EXPECT_TRUE(accepts("-3.1", 2, '.', vtNegFloat));
    EXPECT_FALSE(accepts("3.14", 4, '5', vtPosFloat));
    EXPECT_FALSE(accepts("1", 0, '-', vtPosFloat));
    EXPECT_TRUE(accepts("1", 0, '+', vtPosFloat));
}

TEST(KeyFilter, FormulasControlKeysAndTextTypes)
{
    for (TValueType t : {vtWord, vtInteger, vtFloat, vtNegInt, vtPercent, vtChineseCurrency}) {
        EXPECT_TRUE(accepts("", 0, '=', t)) << t;
        for (char c : {'S', 'U', 'M', '(', ')'})
            EXPECT_TRUE(accepts("=", 1, c, t)) << t << c;
        // "=" may start a formula in front of a number, but not a second one.
        EXPECT_TRUE(accepts("12", 0, '=', t)) << t;
        EXPECT_FALSE(accepts("12", 1, '=', t)) << t;
        EXPECT_FALSE(accepts("=A1", 3, '=', t)) << t;
        EXPECT_TRUE(accepts("12", 1, '\b', t)) << t;
    }
    EXPECT_TRUE(accepts("abc", 1, 'x', vtString));
    EXPECT_TRUE(accepts("2009-", 5, '/', vtChineseDate));
    // Characters beyond Latin-1 are no digits.
    EXPECT_FALSE(KeyAccepted("1", 1, 0, QChar(u'五'), vtInteger, 2));
    EXPECT_TRUE(KeyAccepted("1", 1, 0, QChar(u'五'), vtString, 2));

    QChar key(u'x');
    MxFormatKeyPress("12", 2, 0, key, vtFloat, 2);
    EXPECT_TRUE(key.isNull());
    key = u'7';
    MxFormatKeyPress("12", 2, 0, key, vtFloat, 2);
    EXPECT_EQ(key, QChar(u'7'));
}
