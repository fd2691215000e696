#pragma once
// Amounts written in the capital numerals of cheques and invoices.
#include <QString>
#include <QStringView>
#include "platform/qor_global.h"

namespace qor {

// The amount is taken exactly as its decimal text (a cell's text): up to 16 integer digits
// convert, 17 or more give "Error"; more than 4 decimals are rounded to 4 first, and only the
// first two decimals are written. A text that is not a number counts as 0 ("零元").
// A negative amount is written with a leading "负" before the text of its absolute value.

// Compact form: 1001 → 壹仟零壹元整, 1234.56 → 壹仟贰佰叁拾肆元.伍角陆分.
QOR_AUTOTEST_EXPORT QString ChineseMoney(QStringView amount);
// Full form, every position written: 1001 → 壹仟零佰零拾壹元零角零分.
QOR_AUTOTEST_EXPORT QString ChineseFullMoney(QStringView amount);

// The capital numeral of a digit 0 … 9 ("零" … "玖").
QOR_AUTOTEST_EXPORT QString ChineseDigit(int digit);

} // namespace qor
