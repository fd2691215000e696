#pragma once
// Display text of a cell value: the stored text (or a formula's value) passed through the
// cell's value type, decimals, group separators, zero trimming and password masking. Works on
// plain data; the grid resolves the attributes and calls these in order.
#include <QString>
#include <QStringView>
#include "core/model/enums.h"
#include "platform/qor_global.h"

namespace qor {

// The resolved attributes that decide a cell's display text.
struct TDisplayAttrs {
    TValueType valueType = vtString;
    int digits = 2;
    bool thousandSeparators = true;
    bool trimZero = false;
    QChar passwordChar;          // null: no masking
    bool numberFlag = false;     // the text is a computed number: cut after `digits` decimals
    bool formulaResult = false;  // the text is a formula's value, not a stored text
};

// vtFloat, vtPosFloat, vtNegFloat, vtCurrency: numbers shown with `Digits` decimals.
constexpr bool IsDecimalValueType(TValueType t)
{
    return t == vtFloat || t == vtPosFloat || t == vtNegFloat || t == vtCurrency;
}

// The apostrophe escape: '=A1 shows =A1, ''=x shows '=x.
QOR_AUTOTEST_EXPORT QString ConvertCellText(const QString &text);

// One mask character per character of the text.
QOR_AUTOTEST_EXPORT QString AddPassWord(QChar ch, const QString &text);

// The value-type rule applied in place (what the grid's AddThousandSept does once it has
// resolved the attributes). Empty texts stay empty.
QOR_AUTOTEST_EXPORT void ApplyValueType(QString &text, const TDisplayAttrs &attrs);
QOR_AUTOTEST_EXPORT QString FormatValueText(const QString &text, const TDisplayAttrs &attrs);

// Cuts a computed number after `digits` decimals (no rounding); "3.14159" with 0 keeps "3.".
QOR_AUTOTEST_EXPORT QString CutToDigits(const QString &text, int digits);

// Steps after the host's OnGetText: value type, the cut of computed numbers, masking.
QOR_AUTOTEST_EXPORT QString FinishDisplayText(QString text, const TDisplayAttrs &attrs);
// The whole rule for a text that needs no OnGetText: the escape (stored texts only), then
// FinishDisplayText.
QOR_AUTOTEST_EXPORT QString DisplayText(const QString &text, const TDisplayAttrs &attrs);

// 二○○九年七月十五日 for 2009-07-15; a text that is not a date shows day 0 (1899-12-30).
QOR_AUTOTEST_EXPORT QString ChineseDateText(QStringView text);

// The text handed to the in-place editor: group separators removed from numbers.
QOR_AUTOTEST_EXPORT QString DeleteThousandSept(const QString &text, TValueType valueType,
                                               bool thousandSeparators);

// Stored text after the value type changes to newType (formulas and empty texts are the
// caller's to skip).
QOR_AUTOTEST_EXPORT QString ConvertTextForValueType(const QString &text, TValueType newType);
// Stored text of a decimal number after Digits changes: exactly `digits` decimals, rounded.
QOR_AUTOTEST_EXPORT QString ConvertTextForDigits(const QString &text, int digits);
// Whether SetDigits rewrites the stored text of a cell of this type.
constexpr bool DigitsRewriteText(TValueType t) { return IsDecimalValueType(t); }

// Typed views of a text.
QOR_AUTOTEST_EXPORT bool TextAsBoolean(QStringView text);
QOR_AUTOTEST_EXPORT QString BooleanText(bool value);

} // namespace qor
