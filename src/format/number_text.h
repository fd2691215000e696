#pragma once
// Numbers as the grid reads and writes them in cell texts. The decimal point is always "." and
// the group separator ","; stored texts are read digit for digit, never through a binary float,
// so that what is displayed is the number the user typed, rounded the way it reads on paper.
#include <QString>
#include <QStringView>
#include <QDateTime>
#include <cstdint>
#include <optional>
#include <stdexcept>
#include "platform/qor_global.h"

namespace qor {

// How a number is turned into display text.
struct TNumberFormat {
    int decimals = 2;         // rounded half away from zero, padded with zeros
    bool group = false;       // "," between groups of three integer digits
    bool trimZero = false;    // drop trailing zeros of the decimals, and the point if none remain
    bool cutAtPoint = false;  // after rounding, drop the point and every decimal
    int scale10 = 0;          // multiply by 10^scale10 first (2 for percent)
};

// Formats the number written in text; a text that is not a number counts as 0.
QOR_AUTOTEST_EXPORT QString FormatNumberText(QStringView text, const TNumberFormat &format);
// The same, appending to out (no temporary string).
QOR_AUTOTEST_EXPORT void AppendNumberText(QStringView text, const TNumberFormat &format, QString &out);

// True when text holds a number: optional spaces around it, a sign, digits with at most one ".",
// and an optional exponent. Numbers beyond the range of a double do not count.
QOR_AUTOTEST_EXPORT bool IsNumericText(QStringView text);

// A plain decimal number: not empty, only digits and at most one ".", with "+" or "-" allowed
// as the first character of a longer text; at least one digit.
QOR_AUTOTEST_EXPORT bool IsNumber(QStringView s);

// Text read as a float; nullopt when it is not a number.
QOR_AUTOTEST_EXPORT std::optional<double> TextToFloat(QStringView text);
QOR_AUTOTEST_EXPORT double StrToFloatDef(QStringView text, double def = 0.0);
// Text read as a 32-bit integer (decimal digits, optional sign, surrounding spaces).
QOR_AUTOTEST_EXPORT std::optional<int32_t> TextToInt(QStringView text);
QOR_AUTOTEST_EXPORT int32_t StrToIntDef(QStringView text, int32_t def = 0);

// The number in text plus step, written with as many decimals as the longer of the two has, so
// that spinning 0.1 by 0.2 gives 0.3 and not a binary neighbour. A text that is not a number
// counts as 0.
QOR_AUTOTEST_EXPORT QString StepNumberText(QStringView text, double step);

// Shortest text that reads back as the same double: fixed notation for exponents -5 … 14,
// otherwise "1.5E20"; "INF", "-INF", "NAN" for the special values.
QOR_AUTOTEST_EXPORT QString FloatToStr(double value);

// A fixed-point amount with 4 decimals, 64-bit (about ±922 337 203 685 477.5807).
class QOR_AUTOTEST_EXPORT TCurrency {
public:
    constexpr TCurrency() = default;
    static constexpr TCurrency FromRaw(int64_t raw) { TCurrency c; c.m_raw = raw; return c; }
    // Rounded half away from zero to 4 decimals; nullopt when not a number or out of range.
    static std::optional<TCurrency> FromText(QStringView text);
    static std::optional<TCurrency> FromDouble(double value);
    constexpr int64_t Raw() const { return m_raw; }
    double ToDouble() const;
    // Shortest decimal text: "12.5", "-3", "0.0001".
    QString ToText() const;
    constexpr bool operator==(const TCurrency &) const = default;

private:
    int64_t m_raw = 0;
};

// An exact decimal amount as a cell holds it, for the Chinese amount texts: the integer digits
// (no leading zeros, empty for 0) and at most 4 decimals (no trailing zeros).
struct TAmount {
    bool negative = false;
    QString intDigits;
    QString fracDigits;
    bool isZero() const { return intDigits.isEmpty() && fracDigits.isEmpty(); }
};
// Reads text as a currency value: a decimal number without group separators, rounded to 4
// decimals; a text that does not parse counts as 0.
QOR_AUTOTEST_EXPORT TAmount ReadAmount(QStringView text);

// Conversion failure of date and time texts.
class EConvertError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Date and time texts: "yyyy-M-d", "yyyy/M/d" or "yyyy.M.d", optionally followed by a time
// "h:m" or "h:m:s" (also "T" as separator). nullopt when the text is none of these.
QOR_AUTOTEST_EXPORT std::optional<QDateTime> TextToDateTime(QStringView text);
// "yyyy-MM-dd", with " hh:mm:ss" when the time is not midnight.
QOR_AUTOTEST_EXPORT QString DateTimeToStr(const QDateTime &value);
// The date that stands for "not a date": day 0 of the date serial numbers.
QOR_AUTOTEST_EXPORT QDate ZeroDate();

} // namespace qor
