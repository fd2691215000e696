#include "format/number_text.h"

#include <QVarLengthArray>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

namespace qor {

namespace {

// A number as written: sign, significant digits (no leading or trailing zeros) and the count of
// digits before the point (negative for 0.00x, beyond the digits for 1200).
struct Decimal {
    bool negative = false;
    QVarLengthArray<char, 64> digits;
    int point = 0;
};

// Doubles end near 1.8e308; a longer integer part is not read as a number.
constexpr int kMaxPoint = 309;

inline bool isBlank(char16_t c) { return c == ' ' || c == '\t'; }
inline bool isDigit(char16_t c) { return c >= '0' && c <= '9'; }

bool parseDecimal(QStringView s, Decimal &d, bool limitRange = true)
{
    const char16_t *p = s.utf16();
    const char16_t *e = p + s.size();
    while (p < e && isBlank(*p))
        ++p;
    while (e > p && isBlank(e[-1]))
        --e;
    d.negative = false;
    d.digits.clear();
    d.point = 0;
    if (p == e)
        return false;
    if (*p == '+' || *p == '-') {
        d.negative = *p == '-';
        ++p;
    }
    int seen = 0;
    bool afterPoint = false;
    for (; p < e; ++p) {
        const char16_t c = *p;
        if (isDigit(c)) {
            ++seen;
            if (c == '0' && d.digits.isEmpty()) {
                if (afterPoint)
                    --d.point;
                continue;
            }
            d.digits.append(char(c));
            if (!afterPoint)
                ++d.point;
        } else if (c == '.' && !afterPoint) {
            afterPoint = true;
        } else {
            break;
        }
    }
    if (seen == 0)
        return false;
    if (p < e && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negExp = false;
        if (p < e && (*p == '+' || *p == '-')) {
            negExp = *p == '-';
            ++p;
        }
        if (p == e || !isDigit(*p))
            return false;
        int exp = 0;
        for (; p < e && isDigit(*p); ++p)
            exp = std::min(exp * 10 + (*p - '0'), 100000);
        d.point += negExp ? -exp : exp;
    }
    if (p != e)
        return false;
    while (!d.digits.isEmpty() && d.digits.back() == '0')
        d.digits.removeLast();
    if (d.digits.isEmpty()) {
        d.point = 0;
        d.negative = false;
    } else if (limitRange && d.point > kMaxPoint) {
        return false;
    } else if (d.point < -100000 + 10) {
        d.digits.clear();
        d.point = 0;
    }
    return true;
}

// Rounds to `decimals` places (half away from zero) and writes the digits into o: o[0] is a carry
// slot, o[1 .. nInt] the integer digits, the rest the decimals. Returns nInt.
int roundDigits(const Decimal &d, int point, int decimals, QVarLengthArray<char, 96> &o)
{
    const int nInt = std::max(point, 0);
    const int n = nInt + decimals;
    const int size = int(d.digits.size());
    o.resize(n + 1);
    o[0] = '0';
    for (int t = 0; t < n; ++t) {
        const int k = t - nInt + point;
        o[t + 1] = (k >= 0 && k < size) ? d.digits[k] : '0';
    }
    const int kd = point + decimals;
    if (kd >= 0 && kd < size && d.digits[kd] >= '5') {
        int t = n;
        while (o[t] == '9')
            o[t--] = '0';
        ++o[t];
    }
    return nInt;
}

void appendFormatted(const Decimal &d, const TNumberFormat &f, QString &out)
{
    const int point = d.point + (d.digits.isEmpty() ? 0 : f.scale10);
    const int decimals = std::clamp(f.decimals, 0, 1000);
    QVarLengthArray<char, 96> o;
    const int nInt = roundDigits(d, point, decimals, o);
    const int n = nInt + decimals;

    int fracEnd = f.cutAtPoint ? nInt : n;
    if (f.trimZero)
        while (fracEnd > nInt && o[fracEnd] == '0')
            --fracEnd;
    // The sign belongs to the rounded number, not to what is left after cutting: -0.97 cut at
    // the point shows -0, while -0.004 rounds to zero and shows 0.
    bool nonZero = false;
    for (int t = 0; t <= n && !nonZero; ++t)
        nonZero = o[t] != '0';

    const int intStart = o[0] == '0' ? 1 : 0;
    const int intLen = nInt + 1 - intStart;
    QVarLengthArray<char16_t, 128> buf;
    if (d.negative && nonZero)
        buf.append(u'-');
    if (intLen <= 0) {
        buf.append(u'0');
    } else {
        for (int i = 0; i < intLen; ++i) {
            if (f.group && i > 0 && (intLen - i) % 3 == 0)
                buf.append(u',');
            buf.append(char16_t(o[intStart + i]));
        }
    }
    if (fracEnd > nInt) {
        buf.append(u'.');
        for (int t = nInt + 1; t <= fracEnd; ++t)
            buf.append(char16_t(o[t]));
    }
    out.append(QStringView(buf.constData(), buf.size()));
}

} // namespace

void AppendNumberText(QStringView text, const TNumberFormat &format, QString &out)
{
    Decimal d;
    if (!parseDecimal(text, d)) {
        d.digits.clear();
        d.point = 0;
        d.negative = false;
    }
    appendFormatted(d, format, out);
}

QString FormatNumberText(QStringView text, const TNumberFormat &format)
{
    QString out;
    out.reserve(text.size() + 8 + std::max(format.decimals, 0));
    AppendNumberText(text, format, out);
    return out;
}

bool IsNumericText(QStringView text)
{
    Decimal d;
    return parseDecimal(text, d);
}

bool IsNumber(QStringView s)
{
    if (s.isEmpty())
        return false;
    qsizetype i = 0;
    if ((s[0] == u'+' || s[0] == u'-') && s.size() > 1)
        i = 1;
    bool point = false, digit = false;
    for (; i < s.size(); ++i) {
        const QChar c = s[i];
        if (c == u'.') {
            if (point)
                return false;
            point = true;
        } else if (isDigit(c.unicode())) {
            digit = true;
        } else {
            return false;
        }
    }
    // "." and "-." hold no digit: not numbers, although every character is allowed.
    return digit;
}

std::optional<double> TextToFloat(QStringView text)
{
    Decimal d;
    if (!parseDecimal(text, d))
        return std::nullopt;
    if (d.digits.isEmpty())
        return 0.0;
    // Digits and exponent in one buffer on the stack: sorting and filtering read millions.
    QVarLengthArray<char, 96> buf;
    buf.append(d.digits.constData(), d.digits.size());
    buf.append('e');
    char exp[16];
    const auto written = std::to_chars(exp, exp + sizeof exp, d.point - int(d.digits.size()));
    buf.append(exp, written.ptr - exp);
    double v = 0;
    const auto res = std::from_chars(buf.data(), buf.data() + buf.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        if (d.point > 0)
            return std::nullopt;
        v = 0.0;
    } else if (res.ec != std::errc()) {
        return std::nullopt;
    }
    if (!std::isfinite(v))
        return std::nullopt;
    return d.negative ? -v : v;
}

double StrToFloatDef(QStringView text, double def)
{
    return TextToFloat(text).value_or(def);
}

std::optional<int32_t> TextToInt(QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *e = p + text.size();
    while (p < e && isBlank(*p))
        ++p;
    while (e > p && isBlank(e[-1]))
        --e;
    bool neg = false;
    if (p < e && (*p == '+' || *p == '-')) {
        neg = *p == '-';
        ++p;
    }
    if (p == e)
        return std::nullopt;
    int64_t v = 0;
    for (; p < e; ++p) {
        if (!isDigit(*p))
            return std::nullopt;
        v = v * 10 + (*p - '0');
        if (v > int64_t(INT32_MAX) + 1)
            return std::nullopt;
    }
    if (neg)
        v = -v;
    if (v > INT32_MAX || v < INT32_MIN)
        return std::nullopt;
    return int32_t(v);
}

int32_t StrToIntDef(QStringView text, int32_t def)
{
    return TextToInt(text).value_or(def);
}

QString FloatToStr(double value)
{
    if (std::isnan(value))
        return QStringLiteral("NAN");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (value == 0)
        return QStringLiteral("0");
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    const char *p = buf;
    const char *e = res.ptr;
    QString out;
    if (*p == '-') {
        out += u'-';
        ++p;
    }
    char mant[32];
    int m = 0;
    for (; p < e && *p != 'e'; ++p)
        if (*p != '.')
            mant[m++] = *p;
    const int exp = std::atoi(std::string(p + 1, e).c_str());
    if (exp >= -5 && exp < 15) {
        if (exp < 0) {
            out += QLatin1String("0.");
            out += QString(-exp - 1, u'0');
            out += QLatin1String(mant, m);
        } else if (m <= exp + 1) {
            out += QLatin1String(mant, m);
            out += QString(exp + 1 - m, u'0');
        } else {
            out += QLatin1String(mant, exp + 1);
            out += u'.';
            out += QLatin1String(mant + exp + 1, m - exp - 1);
        }
    } else {
        out += QLatin1Char(mant[0]);
        if (m > 1) {
            out += u'.';
            out += QLatin1String(mant + 1, m - 1);
        }
        out += u'E';
        out += QString::number(exp);
    }
    return out;
}

QString StepNumberText(QStringView text, double step)
{
    auto decimalsOf = [](QStringView t) {
        Decimal d;
        if (!parseDecimal(t, d) || d.digits.isEmpty())
            return 0;
        return std::max(int(d.digits.size()) - d.point, 0);
    };
    const QString stepText = FloatToStr(step);
    const int decimals = std::min(std::max(decimalsOf(text), decimalsOf(stepText)), 15);
    const double sum = StrToFloatDef(text) + step;
    TNumberFormat f;
    f.decimals = decimals;
    return FormatNumberText(FloatToStr(sum), f);
}

namespace {

// The digits of d rounded to 4 decimals, as integer digits and trimmed decimals.
void roundedToFour(const Decimal &d, QString &intDigits, QString &fracDigits)
{
    QVarLengthArray<char, 96> o;
    const int nInt = roundDigits(d, d.point, 4, o);
    int start = 0;
    while (start <= nInt && o[start] == '0')
        ++start;
    intDigits.clear();
    for (int t = start; t <= nInt; ++t)
        intDigits += QLatin1Char(o[t]);
    int fracEnd = nInt + 4;
    while (fracEnd > nInt && o[fracEnd] == '0')
        --fracEnd;
    fracDigits.clear();
    for (int t = nInt + 1; t <= fracEnd; ++t)
        fracDigits += QLatin1Char(o[t]);
}

} // namespace

std::optional<TCurrency> TCurrency::FromText(QStringView text)
{
    Decimal d;
    if (!parseDecimal(text, d))
        return std::nullopt;
    QString intDigits, fracDigits;
    roundedToFour(d, intDigits, fracDigits);
    if (intDigits.size() > 15)
        return std::nullopt;
    int64_t raw = 0;
    for (QChar c : intDigits)
        raw = raw * 10 + (c.unicode() - '0');
    fracDigits = fracDigits.leftJustified(4, u'0');
    for (QChar c : fracDigits) {
        if (__builtin_mul_overflow(raw, 10, &raw) || __builtin_add_overflow(raw, c.unicode() - '0', &raw))
            return std::nullopt;
    }
    return FromRaw(d.negative ? -raw : raw);
}

std::optional<TCurrency> TCurrency::FromDouble(double value)
{
    if (!std::isfinite(value))
        return std::nullopt;
    return FromText(FloatToStr(value));
}

double TCurrency::ToDouble() const
{
    return StrToFloatDef(ToText());
}

QString TCurrency::ToText() const
{
    const bool neg = m_raw < 0;
    // Work in unsigned so that the most negative raw value has an absolute value.
    const uint64_t a = neg ? uint64_t(0) - uint64_t(m_raw) : uint64_t(m_raw);
    QString out = neg ? QStringLiteral("-") : QString();
    out += QString::number(a / 10000);
    QString frac = QString::number(a % 10000).rightJustified(4, u'0');
    while (frac.endsWith(u'0'))
        frac.chop(1);
    if (!frac.isEmpty())
        out += u'.' + frac;
    return out;
}

TAmount ReadAmount(QStringView text)
{
    TAmount a;
    Decimal d;
    if (!parseDecimal(text, d, /*limitRange=*/false))
        return a;
    roundedToFour(d, a.intDigits, a.fracDigits);
    a.negative = d.negative && !a.isZero();
    return a;
}

namespace {

bool readNumber(const char16_t *&p, const char16_t *e, int maxDigits, int &value)
{
    int n = 0;
    value = 0;
    while (p < e && isDigit(*p) && n < maxDigits) {
        value = value * 10 + (*p - '0');
        ++p;
        ++n;
    }
    return n > 0;
}

} // namespace

std::optional<QDateTime> TextToDateTime(QStringView text)
{
    const char16_t *p = text.utf16();
    const char16_t *e = p + text.size();
    while (p < e && isBlank(*p))
        ++p;
    while (e > p && isBlank(e[-1]))
        --e;
    int y, m, d;
    if (!readNumber(p, e, 4, y) || p == e)
        return std::nullopt;
    const char16_t sep = *p;
    if (sep != '-' && sep != '/' && sep != '.')
        return std::nullopt;
    ++p;
    if (!readNumber(p, e, 2, m) || p == e || *p != sep)
        return std::nullopt;
    ++p;
    if (!readNumber(p, e, 2, d))
        return std::nullopt;
    const QDate date(y, m, d);
    if (!date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    if (p < e) {
        if (*p != ' ' && *p != 'T')
            return std::nullopt;
        while (p < e && (*p == ' ' || *p == 'T'))
            ++p;
        int h, mi, s = 0, ms = 0;
        if (!readNumber(p, e, 2, h) || p == e || *p != ':')
            return std::nullopt;
        ++p;
        if (!readNumber(p, e, 2, mi))
            return std::nullopt;
        if (p < e && *p == ':') {
            ++p;
            if (!readNumber(p, e, 2, s))
                return std::nullopt;
            if (p < e && *p == '.') {
                ++p;
                if (!readNumber(p, e, 3, ms))
                    return std::nullopt;
            }
        }
        if (p != e)
            return std::nullopt;
        time = QTime(h, mi, s, ms);
        if (!time.isValid())
            return std::nullopt;
    }
    return QDateTime(date, time);
}

QString DateTimeToStr(const QDateTime &value)
{
    const QTime t = value.time();
    if (t == QTime(0, 0))
        return value.date().toString(QStringLiteral("yyyy-MM-dd"));
    return value.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
}

QDate ZeroDate()
{
    return QDate(1899, 12, 30);
}

} // namespace qor
