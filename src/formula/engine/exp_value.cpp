#include "formula/engine/exp_value.h"

#include <QDate>
#include <algorithm>
#include <QTime>
#include <charconv>
#include <cmath>
#include <cstring>

#include "formula/engine/expression_error.h"

namespace qor {

namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string DateText(double days)
{
    if (!std::isfinite(days) || std::fabs(days) > 3e6)
        return exp::FormatNumber(days);
    const double whole = std::floor(days);
    const QDate date = QDate(1899, 12, 30).addDays(qint64(whole));
    const int ms = int(std::lround((days - whole) * 86400000.0));
    QString text = date.toString(QStringLiteral("yyyy-MM-dd"));
    if (ms > 0 && ms < 86400000)
        text += QLatin1Char(' ') + QTime::fromMSecsSinceStartOfDay(ms).toString(QStringLiteral("hh:mm:ss"));
    return text.toStdString();
}

} // namespace

double ExpValue::TextAsDouble() const
{
    double d = 0;
    return exp::ParseNumber(m_text, d) ? d : 0.0;
}

std::string ExpValue::AsText() const
{
    switch (m_type) {
    case Type::Double:
        return exp::FormatNumber(m_num);
    case Type::Int:
        return std::to_string(m_int);
    case Type::Bool:
        return m_int ? "True" : "False";
    case Type::Date:
        return DateText(m_num);
    case Type::Text:
        return m_text;
    }
    return {};
}

bool ExpValue::operator==(const ExpValue &o) const
{
    if (m_type != o.m_type)
        return false;
    switch (m_type) {
    case Type::Double:
    case Type::Date:
        return m_num == o.m_num || (std::isnan(m_num) && std::isnan(o.m_num));
    case Type::Int:
    case Type::Bool:
        return m_int == o.m_int;
    case Type::Text:
        return m_text == o.m_text;
    }
    return false;
}

namespace exp {

std::string_view TrimBlanks(std::string_view s)
{
    size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

size_t ReadNumericToken(std::string_view text, double &value)
{
    const size_t n = text.size();
    uint64_t digits = 0;
    int ndigits = 0;
    int decimals = -1;
    bool plain = true;
    bool seenE = false;
    size_t i = 0;
    for (; i < n; ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + uint64_t(c - '0');
            ++ndigits;
            decimals += decimals >= 0;
        } else if (c == '.') {
            plain = plain && decimals < 0;
            decimals = decimals < 0 ? 0 : decimals;
        } else if ((c == 'E' && !seenE) || (c == '-' && seenE)) {
            seenE = true;
            plain = false;
        } else {
            break;
        }
    }
    if (plain && ndigits > 0 && ndigits <= 15) {
        static constexpr double kPow10[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                            1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        value = decimals > 0 ? double(digits) / kPow10[decimals] : double(digits);
    } else if (!ParseLiteral(text.substr(0, i), value)) {
        value = 0;
    }
    return i;
}

bool ParseLiteral(std::string_view s, double &out)
{
    // The tokenizer guarantees a leading digit or "."; from_chars takes no sign here.
    if (s.empty())
        return false;
    const char *end = s.data() + s.size();
    auto [p, ec] = std::from_chars(s.data(), end, out, std::chars_format::general);
    return ec == std::errc() && p == end;
}

bool ParseNumber(std::string_view s, double &out)
{
    s = TrimBlanks(s);
    bool negative = false;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    // from_chars would also read "inf", "nan" and a second sign: none of them is a number here.
    if (s.empty() || !(s[0] == '.' || (s[0] >= '0' && s[0] <= '9')))
        return false;
    const char *end = s.data() + s.size();
    double d = 0;
    auto [p, ec] = std::from_chars(s.data(), end, d, std::chars_format::general);
    if (ec == std::errc::result_out_of_range && p == end) {
        // Overflow reads as infinity, underflow as 0, as the platform's conversion does.
        d = std::strtod(std::string(s).c_str(), nullptr);
    } else if (ec != std::errc() || p != end) {
        return false;
    }
    out = negative ? -d : d;
    return true;
}

bool IsNumericText(std::string &s)
{
    if (s.find(',') != std::string::npos)
        s.erase(std::remove(s.begin(), s.end(), ','), s.end());
    if (TrimBlanks(s).empty())
        return true;
    double d;
    return ParseNumber(s, d);
}

std::string FormatNumber(double d)
{
    if (std::isnan(d))
        return "NAN";
    if (std::isinf(d))
        return d > 0 ? "INF" : "-INF";
    if (d == 0)
        return "0";
    char buf[64];
    auto [p, ec] = std::to_chars(buf, buf + sizeof buf, d, std::chars_format::general, 15);
    std::string_view text(buf, size_t(p - buf));
    const size_t e = text.find('e');
    if (e == std::string_view::npos)
        return std::string(text);
    std::string out(text.substr(0, e));
    out += 'E';
    std::string_view exponent = text.substr(e + 1);
    if (exponent[0] == '-')
        out += '-';
    exponent.remove_prefix(1);
    while (exponent.size() > 1 && exponent[0] == '0')
        exponent.remove_prefix(1);
    out += exponent;
    return out;
}

double ToFloatStrict(const ExpValue &v)
{
    if (!v.IsText())
        return v.AsDouble();
    double d = 0;
    if (!ParseNumber(v.TextRef(), d))
        throw EExpressionError("Could not convert \"" + v.TextRef() + "\" to a number.");
    return d;
}

int32_t ToInt32(const ExpValue &v)
{
    if (v.GetType() == ExpValue::Type::Int || v.GetType() == ExpValue::Type::Bool)
        return v.IntRef();
    const double d = ToFloatStrict(v);
    const double r = std::nearbyint(d); // ties to even, as variant conversion rounds
    if (!(r >= -2147483648.0 && r <= 2147483647.0))
        throw EExpressionError("Could not convert \"" + v.AsText() + "\" to a 32-bit integer: out of range.");
    return int32_t(r);
}

} // namespace exp
} // namespace qor
