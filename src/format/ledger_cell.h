#pragma once
// Ledger cells: an amount drawn digit by digit in narrow columns, ruled like an account book,
// with a coloured line at the decimal point and at every third integer digit.
#include <QChar>
#include <QRect>
#include <QString>
#include "platform/colors.h"
#include "platform/qor_global.h"

class QPainter;

namespace qor {

// The grid's ledger properties.
struct TLedgerStyle {
    int cellWidth = 12;                 // CurrencyCellWidth: pixels per digit column
    int currencyDigits = 2;             // CurrencyDigits: columns right of the decimal line
    QString symbol;                     // CurrencySymbol: drawn left of the first digit
    TColor separatorColor = clSilver;   // CurrencySeparatorColor
    TColor decimalColor = clRed;        // CurrencyDecimalSeparatorColor
    TColor thousandColor = clGreen;     // CurrencyThousandSeparatorColor
    bool ruling = true;                 // the digit lines (a printed page may leave them out)
};

// The text a ledger cell shows for a cell text: the number with exactly `currencyDigits`
// decimals, no grouping; a text that is not a number shows as 0.
QOR_AUTOTEST_EXPORT QString LedgerText(const QString &cellText, int currencyDigits);

// Draws a ledger cell. textRect is the cell rectangle inside its margins, widened by one pixel
// on each side; flags are Qt alignment flags (only the vertical part is used); the painter's
// font and pen colour are used for the characters. A zero value draws only the ruling.
QOR_AUTOTEST_EXPORT void DrawCurrenyCell(QPainter &canvas, const QRect &cellRect,
                                         const QRect &textRect, int flags,
                                         const TLedgerStyle &style, const QString &text,
                                         double value, QChar passwordChar, bool chineseDigits);

} // namespace qor
