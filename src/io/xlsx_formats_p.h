#pragma once
// Number formats of a workbook and the value types of the grid, both ways.
#include <QDate>
#include <QString>
#include "core/model/enums.h"
#include "platform/qor_global.h"

namespace qor::xlsx {

// A cell's value as the workbook stores it.
struct ExportValue {
    enum Kind { Text, Number } kind = Text;
    double number = 0;
    QString text;
    QString numFmt; // empty: General
};

// The format code for a value type with its decimals, grouping and zero trimming.
QOR_AUTOTEST_EXPORT QString NumberFormatFor(TValueType type, int digits, bool thousands, bool trimZero,
                                            const QString &currencySymbol);
QOR_AUTOTEST_EXPORT QString DateFormatFor(bool chinese);
// A date in one of the forms cells hold ("2009-07-15", "2009/7/15", "20090715"); invalid else.
QOR_AUTOTEST_EXPORT QDate ParseCellDate(const QString &text);
// Days since 1899-12-30, as workbooks count.
inline double DateSerial(const QDate &d) { return double(QDate(1899, 12, 30).daysTo(d)); }
// A number as a cell stores it: plain decimal digits, no exponent, as short as it reads back.
QOR_AUTOTEST_EXPORT QString NumberText(double v);

QOR_AUTOTEST_EXPORT ExportValue ExportValueFor(const QString &text, TValueType type, TCellType cellType, int digits,
                                               bool thousands, bool trimZero, const QString &symbol, bool formula);

template <class Src>
ExportValue ChooseExportValue(const QString &text, const Src &s, const QString &symbol, bool formula)
{
    return ExportValueFor(text, s.GetValueType(), s.GetCellType(), s.GetDigits(), s.GetThousandSeparators(),
                          s.GetTrimZero(), symbol, formula);
}

// What a format code says about the value it shows.
struct FormatMeaning {
    enum Kind { General, Integer, Decimal, Currency, Percent, Date, ChineseDate, Text } kind = General;
    int decimals = 0;
    bool thousands = false;
    bool trimZero = false;
};
QOR_AUTOTEST_EXPORT FormatMeaning ParseNumberFormat(const QString &code);

// Workbook texts carry characters XML cannot hold as _xHHHH_. The writer escapes those
// characters but not a text that already reads like an escape, so "_x0041_" would come back
// as "A": its underscore is escaped here. The reader decodes none of them.
QOR_AUTOTEST_EXPORT QString EscapeWorkbookText(const QString &text);
QOR_AUTOTEST_EXPORT QString UnescapeWorkbookText(const QString &text);

} // namespace qor::xlsx
