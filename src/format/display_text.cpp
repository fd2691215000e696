#include "format/display_text.h"

#include <array>
#include <cmath>
#include "format/chinese_money.h"
#include "format/number_text.h"

namespace qor {

QString ConvertCellText(const QString &text)
{
    if (text == QLatin1String("'="))
        return QStringLiteral("=");
    if (text.size() > 2 && text.startsWith(u'\'')) {
        qsizetype i = 0;
        while (i < text.size() && text[i] == u'\'')
            ++i;
        if (i < text.size() && text[i] == u'=')
            return text.left(i - 1) + text.mid(i);
    }
    return text;
}

QString AddPassWord(QChar ch, const QString &text)
{
    return QString(text.size(), ch);
}

namespace {

void appendGroupedInt(int64_t v, QString &out)
{
    const QString digits = QString::number(v < 0 ? -v : v);
    if (v < 0)
        out += u'-';
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += u',';
        out += digits[i];
    }
}

} // namespace

void ApplyValueType(QString &text, const TDisplayAttrs &a)
{
    if (text.isEmpty() || a.valueType == vtChineseCurrency)
        return;
    switch (a.valueType) {
    case vtChineseLongCurr:
        text = ChineseFullMoney(text);
        return;
    case vtChineseShortCurr:
        text = ChineseMoney(text);
        return;
    case vtChineseDate:
        text = ChineseDateText(text);
        return;
    case vtString:
        return;
    default:
        break;
    }

    const int digits = std::max(a.digits, 0);
    TNumberFormat f;
    f.group = a.thousandSeparators;
    switch (a.valueType) {
    case vtWord: {
        if (!a.thousandSeparators)
            return;
        // A word is the 16-bit pattern of the integer: -1 shows 65,535.
        const int32_t v = StrToIntDef(text, 0);
        QString out;
        appendGroupedInt(int64_t(uint16_t(uint32_t(v) & 0xFFFF)), out);
        text = out;
        return;
    }
    case vtInteger:
    case vtNegInt:
        if (!a.thousandSeparators)
            return;
        f.decimals = 2;
        f.cutAtPoint = true;
        break;
    case vtPercent:
        f.decimals = std::max(digits - 2, 0);
        f.trimZero = a.trimZero;
        f.scale10 = 2;
        break;
    default: // the decimal types
        f.decimals = digits;
        f.trimZero = a.trimZero;
        break;
    }
    QString out;
    out.reserve(text.size() + 8 + f.decimals);
    AppendNumberText(text, f, out);
    if (a.valueType == vtPercent)
        out += u'%';
    text = std::move(out);
}

QString FormatValueText(const QString &text, const TDisplayAttrs &attrs)
{
    QString out = text;
    ApplyValueType(out, attrs);
    return out;
}

QString CutToDigits(const QString &text, int digits)
{
    const qsizetype dot = text.indexOf(u'.');
    if (dot < 0)
        return text;
    const qsizetype keep = dot + 1 + std::max(digits, 0);
    return text.size() > keep ? text.left(keep) : text;
}

QString FinishDisplayText(QString text, const TDisplayAttrs &a)
{
    ApplyValueType(text, a);
    // The amount and date texts are words, not numbers: cutting them would drop 分.
    const bool wordsNotNumber = a.valueType == vtChineseLongCurr
                                || a.valueType == vtChineseShortCurr || a.valueType == vtChineseDate;
    if (a.numberFlag && !wordsNotNumber)
        text = CutToDigits(text, a.digits);
    if (!a.passwordChar.isNull() && !text.isEmpty())
        text = AddPassWord(a.passwordChar, text);
    return text;
}

QString DisplayText(const QString &text, const TDisplayAttrs &attrs)
{
    return FinishDisplayText(attrs.formulaResult ? text : ConvertCellText(text), attrs);
}

namespace {

QString chineseNumeral(int n)
{
    static const std::array<QStringView, 10> d = {u"○", u"一", u"二", u"三", u"四",
                                                  u"五", u"六", u"七", u"八", u"九"};
    if (n < 10)
        return d[n].toString();
    QString out = n >= 20 ? d[n / 10].toString() : QString();
    out += u"十";
    if (n % 10)
        out += d[n % 10];
    return out;
}

} // namespace

QString ChineseDateText(QStringView text)
{
    static const std::array<QStringView, 10> d = {u"○", u"一", u"二", u"三", u"四",
                                                  u"五", u"六", u"七", u"八", u"九"};
    const auto dt = TextToDateTime(text);
    const QDate date = dt ? dt->date() : ZeroDate();
    const QString year = QString::number(date.year()).rightJustified(4, u'0');
    QString out;
    for (QChar c : year)
        out += d[c.unicode() - '0'];
    out += u"年";
    out += chineseNumeral(date.month());
    out += u"月";
    out += chineseNumeral(date.day());
    out += u"日";
    return out;
}

QString DeleteThousandSept(const QString &text, TValueType valueType, bool thousandSeparators)
{
    if (valueType == vtString || text.isEmpty() || !thousandSeparators)
        return text;
    QString out = text;
    out.remove(u',');
    return out;
}

namespace {

// An integer for the integer types: a number with decimals is rounded (12.7 → 13) rather than
// thrown away; a text that is no number, or beyond 32 bits, counts as 0.
int64_t readInteger(const QString &text)
{
    if (const auto i = TextToInt(text))
        return *i;
    const auto f = TextToFloat(text);
    if (!f)
        return 0;
    const double r = std::round(*f);
    if (r > double(INT32_MAX) || r < double(INT32_MIN))
        return 0;
    return int64_t(r);
}

} // namespace

QString ConvertTextForValueType(const QString &text, TValueType newType)
{
    switch (newType) {
    case vtWord: {
        const int64_t v = readInteger(text);
        return v < 0 ? QString() : QString::number(v);
    }
    case vtInteger:
        return QString::number(readInteger(text));
    case vtNegInt: {
        const int64_t v = readInteger(text);
        return QString::number(v >= 1 ? 0 : v);
    }
    case vtFloat:
    case vtCurrency:
        return FloatToStr(StrToFloatDef(text));
    case vtPosFloat: {
        const double v = StrToFloatDef(text);
        return FloatToStr(v < 0 ? 0.0 : v);
    }
    case vtNegFloat: {
        const double v = StrToFloatDef(text);
        return FloatToStr(v > 0 ? 0.0 : v);
    }
    default:
        return text;
    }
}

QString ConvertTextForDigits(const QString &text, int digits)
{
    TNumberFormat f;
    f.decimals = std::max(digits, 0);
    return FormatNumberText(text, f);
}

bool TextAsBoolean(QStringView text)
{
    if (text.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (text.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    return StrToIntDef(text, 0) != 0;
}

QString BooleanText(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

} // namespace qor
