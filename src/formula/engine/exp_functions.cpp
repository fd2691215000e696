#include "formula/engine/exp_functions.h"

#include <QRandomGenerator>
#include <QString>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <numbers>

#include "formula/engine/exp_node.h"
#include "formula/engine/expression_error.h"

namespace qor::exp {

namespace {

enum class Fn {
    Pi, Abs, Power, Ceiling, Combin, Gcd, Lcm, Int, Frac, Fact, FactDouble, Log, Log10, Mod, Rand,
    RandBetween, Max, Min, Radians, Degrees, Floor, Tan, Tanh, Atan, Atan2, Atanh, Cos, Exp, Ln,
    Round, Sin, Sqrt, Sqr, Trunc, Asin, Acos, Cosh, Acosh, Sinh, Asinh, Sum, Avg, Concatenate, Len,
    Find, Search, Left, Lower, Upper, Mid, Right, Text, IntToStr, Trim, Value, StrToInt,
};

struct Entry {
    std::string_view name;
    Fn fn;
    int minArgs;
};

constexpr Entry kTable[] = {
    {"PI", Fn::Pi, 0},           {"ABS", Fn::Abs, 1},          {"POWER", Fn::Power, 2},
    {"CEILING", Fn::Ceiling, 1}, {"COMBIN", Fn::Combin, 2},    {"GCD", Fn::Gcd, 1},
    {"LCM", Fn::Lcm, 1},         {"INT", Fn::Int, 1},          {"FRAC", Fn::Frac, 1},
    {"FACT", Fn::Fact, 1},       {"FACTDOUBLE", Fn::FactDouble, 1}, {"LOG", Fn::Log, 1},
    {"LOG10", Fn::Log10, 1},     {"MOD", Fn::Mod, 2},          {"RAND", Fn::Rand, 1},
    {"RANDBETWEEN", Fn::RandBetween, 2}, {"MAX", Fn::Max, 1},  {"MIN", Fn::Min, 1},
    {"RADIANS", Fn::Radians, 1}, {"DEGREES", Fn::Degrees, 1},  {"FLOOR", Fn::Floor, 1},
    {"TAN", Fn::Tan, 1},         {"TANH", Fn::Tanh, 1},        {"ATAN", Fn::Atan, 1},
    {"ATAN2", Fn::Atan2, 2},     {"ATANH", Fn::Atanh, 1},      {"COS", Fn::Cos, 1},
    {"EXP", Fn::Exp, 1},         {"LN", Fn::Ln, 1},            {"ROUND", Fn::Round, 1},
    {"SIN", Fn::Sin, 1},         {"SQRT", Fn::Sqrt, 1},        {"SQR", Fn::Sqr, 1},
    {"TRUNC", Fn::Trunc, 1},     {"ASIN", Fn::Asin, 1},        {"ACOS", Fn::Acos, 1},
    {"COSH", Fn::Cosh, 1},       {"ACOSH", Fn::Acosh, 1},      {"SINH", Fn::Sinh, 1},
    {"ASINH", Fn::Asinh, 1},     {"SUM", Fn::Sum, 1},          {"AVG", Fn::Avg, 1},
    {"CONCATENATE", Fn::Concatenate, 1}, {"LEN", Fn::Len, 1},  {"LENGTH", Fn::Len, 1},
    {"POS", Fn::Find, 2},        {"FIND", Fn::Find, 2},        {"SEARCH", Fn::Search, 2},
    {"LEFT", Fn::Left, 2},       {"LOWER", Fn::Lower, 1},      {"UPPER", Fn::Upper, 1},
    {"MID", Fn::Mid, 3},         {"COPY", Fn::Mid, 3},         {"RIGHT", Fn::Right, 2},
    {"TEXT", Fn::Text, 1},       {"FLOATTOSTR", Fn::Text, 1},  {"INTTOSTR", Fn::IntToStr, 1},
    {"TRIM", Fn::Trim, 1},       {"VALUE", Fn::Value, 1},      {"STRTOFLOAT", Fn::Value, 1},
    {"STRTOINT", Fn::StrToInt, 1},
};

constexpr size_t kMaxName = 11;

const Entry *Lookup(std::string_view name)
{
    if (name.empty() || name.size() > kMaxName)
        return nullptr;
    char upper[kMaxName];
    for (size_t i = 0; i < name.size(); ++i) {
        const char c = name[i];
        upper[i] = c >= 'a' && c <= 'z' ? char(c - 32) : c;
    }
    const std::string_view key(upper, name.size());
    // Buckets by first letter keep the lookup to a few comparisons.
    static const auto buckets = [] {
        std::array<std::array<int8_t, 12>, 26> b{};
        for (auto &row : b)
            row.fill(-1);
        for (size_t i = 0; i < std::size(kTable); ++i) {
            auto &row = b[size_t(kTable[i].name[0] - 'A')];
            size_t k = 0;
            while (row[k] >= 0)
                ++k;
            row[k] = int8_t(i);
        }
        return b;
    }();
    if (key[0] < 'A' || key[0] > 'Z')
        return nullptr;
    for (int8_t i : buckets[size_t(key[0] - 'A')]) {
        if (i < 0)
            break;
        if (kTable[i].name == key)
            return &kTable[i];
    }
    return nullptr;
}

constexpr double kPi = std::numbers::pi;

// FACT's factorial: 32-bit while it fits (up to 12!), a float beyond that.
ExpValue FactValue(double x, int step)
{
    const double n = std::trunc(x);
    if (!(n > 1))
        return ExpValue::FromInt(1);
    if (n > 400)
        return HUGE_VAL;
    long double f = 1;
    for (double k = n; k >= 2; k -= step)
        f *= k;
    if (f <= 2147483647.0L)
        return ExpValue::FromInt(int32_t(f));
    return double(f);
}

double Combin(double x, double y)
{
    const double n = std::trunc(x), k = std::trunc(y);
    if (!(k >= 0 && k <= n && std::trunc(x - y) == n - k)) // the factorial formula as it stands
        return FactValue(x, 1).AsDouble() / (FactValue(y, 1).AsDouble() * FactValue(x - y, 1).AsDouble());
    // The same quotient, computed without the factorials' overflow.
    const double m = std::min(k, n - k);
    long double c = 1;
    for (double i = 1; i <= m && std::isfinite(double(c)); ++i)
        c = c * (n - m + i) / i;
    return double(std::nearbyint(c));
}

double FloatGcd(double a, double b)
{
    a = std::fabs(a);
    b = std::fabs(b);
    while (b != 0) {
        const double r = std::fmod(a, b);
        a = b;
        b = r;
    }
    return a;
}

[[noreturn]] void IntegerDivisionByZero(const char *fn)
{
    throw EExpressionError(std::string("Integer division by zero in ") + fn + ": the divisor truncates to 0.");
}

double Gcd(const ExpValue *args, int n)
{
    bool allEqual = true;
    for (int i = 0; i < n; ++i) {
        const double v = args[i].AsDouble();
        if (!(v >= 1) || !std::isfinite(v))
            return 0;
        allEqual = allEqual && v == args[0].AsDouble();
    }
    const double first = std::trunc(args[0].AsDouble());
    if (allEqual)
        return first;
    double g = first;
    for (int i = 1; i < n; ++i)
        g = FloatGcd(g, std::trunc(args[i].AsDouble()));
    return g >= 2 ? g : 1;
}

double Lcm(const ExpValue *args, int n)
{
    const double first = std::trunc(args[0].AsDouble());
    for (int i = 1; i < n; ++i)
        if (std::trunc(args[i].AsDouble()) == 0)
            IntegerDivisionByZero("LCM");
    if (n == 1 || first == 0)
        return first;
    // The smallest multiple of the first argument that every other one divides.
    double l = std::fabs(first);
    for (int i = 1; i < n && std::isfinite(l); ++i) {
        const double b = std::fabs(std::trunc(args[i].AsDouble()));
        if (!std::isfinite(b))
            return 0;
        l = l / FloatGcd(l, b) * b;
    }
    return first < 0 ? -l : l;
}

int32_t ClampInt(double d)
{
    if (!(d > -2147483648.0))
        return INT32_MIN;
    if (!(d < 2147483647.0))
        return INT32_MAX;
    return int32_t(d);
}

// Byte position (1-based) of needle in hay from `start`; 0 when absent. Starts below 1 find nothing.
int32_t FindText(std::string_view needle, std::string_view hay, int64_t start)
{
    if (needle.empty() || start < 1 || start > int64_t(hay.size()))
        return 0;
    const size_t p = hay.find(needle, size_t(start - 1));
    return p == std::string_view::npos ? 0 : int32_t(p + 1);
}

bool IsAscii(std::string_view s)
{
    for (char c : s)
        if (uint8_t(c) >= 0x80)
            return false;
    return true;
}

std::string ToUpper(const std::string &s)
{
    if (!IsAscii(s))
        return QString::fromStdString(s).toUpper().toStdString();
    std::string out = s;
    for (char &c : out)
        if (c >= 'a' && c <= 'z')
            c = char(c - 32);
    return out;
}

std::string ToLower(const std::string &s)
{
    if (!IsAscii(s))
        return QString::fromStdString(s).toLower().toStdString();
    std::string out = s;
    for (char &c : out)
        if (c >= 'A' && c <= 'Z')
            c = char(c + 32);
    return out;
}

std::string Substring(const std::string &s, int64_t start, int64_t count)
{
    if (start < 1)
        start = 1;
    if (count <= 0 || start > int64_t(s.size()))
        return {};
    return s.substr(size_t(start - 1), size_t(count));
}

ExpValue StrToInt(std::string_view s)
{
    s = TrimBlanks(s);
    if (!s.empty() && s[0] == '+')
        s.remove_prefix(1);
    int32_t v = 0;
    auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || ec != std::errc() || p != s.data() + s.size())
        return ExpValue::FromInt(0);
    return ExpValue::FromInt(v);
}

double Guarded(bool ok, double v) { return ok ? v : 0.0; }

} // namespace

bool CallBuiltin(std::string_view name, const ExpValue *args, int n, ExpValue &value, QRandomGenerator &random)
{
    const Entry *e = Lookup(name);
    if (!e || n < e->minArgs)
        return false;
    const double x = n > 0 ? args[0].AsDouble() : 0;
    const double y = n > 1 ? args[1].AsDouble() : 0;
    const auto s = [&] { return args[0].AsText(); };
    switch (e->fn) {
    case Fn::Pi: value = kPi; break;
    case Fn::Abs: value = std::fabs(x); break;
    case Fn::Power: value = std::pow(x, y); break;
    case Fn::Ceiling:
        // Both sides guarded, so that the result always fits in 32 bits.
        value = x < 2147483647.0 && x > -2147483649.0 ? ExpValue::FromInt(int32_t(std::ceil(x))) : ExpValue();
        break;
    case Fn::Combin: value = Combin(x, y); break;
    case Fn::Gcd: value = Gcd(args, n); break;
    case Fn::Lcm: value = Lcm(args, n); break;
    case Fn::Int: value = std::trunc(x); break;
    case Fn::Frac: value = x - std::trunc(x); break;
    case Fn::Fact: value = FactValue(x, 1); break;
    case Fn::FactDouble: value = FactValue(x, 2); break;
    case Fn::Log:
        if (n == 1)
            value = Guarded(x > 0, std::log10(x));
        else
            value = Guarded(x > 0 && y > 0 && y != 1, std::log2(x) / std::log2(y));
        break;
    case Fn::Log10: value = Guarded(x > 0, std::log10(x)); break;
    case Fn::Mod: {
        const double d = std::trunc(y);
        if (d == 0)
            IntegerDivisionByZero("MOD");
        value = std::fmod(std::trunc(x), d); // the sign of the dividend
        break;
    }
    case Fn::Rand: {
        const double range = std::trunc(x + 1);
        value = ExpValue::FromInt(range >= 1 ? int32_t(random.bounded(qint64(0), qint64(std::min(range, 2147483648.0))))
                                             : 0);
        break;
    }
    case Fn::RandBetween: {
        const double lo = x <= y ? std::trunc(x) : std::trunc(y);
        const double hi = (x <= y ? std::trunc(y + 1) : std::trunc(x + 1)) - 1;
        const int32_t a = ClampInt(lo), b = ClampInt(hi);
        value = ExpValue::FromInt(b <= a ? a : int32_t(random.bounded(qint64(a), qint64(b) + 1)));
        break;
    }
    case Fn::Max:
    case Fn::Min: {
        double m = x;
        for (int i = 1; i < n; ++i) {
            const double v = args[i].AsDouble();
            m = e->fn == Fn::Max ? std::max(m, v) : std::min(m, v);
        }
        value = m;
        break;
    }
    case Fn::Radians: value = x * kPi / 180; break;
    case Fn::Degrees: value = x * 180 / kPi; break;
    case Fn::Floor:
        value = std::fabs(x) <= 2147483647.0 ? ExpValue::FromInt(int32_t(std::floor(x))) : ExpValue();
        break;
    case Fn::Tan: value = std::tan(x); break;
    case Fn::Tanh: value = std::tanh(x); break;
    case Fn::Atan: value = std::atan(x); break;
    case Fn::Atan2: value = std::atan2(x, y); break;
    case Fn::Atanh: value = Guarded(x >= -1 && x <= 1, std::atanh(x)); break;
    case Fn::Cos: value = Guarded(x >= -9e18 && x <= 9e18, std::cos(x)); break;
    case Fn::Exp: value = Guarded(x >= -11356 && x <= 11356, std::exp(x)); break;
    case Fn::Ln: value = Guarded(x > 0, std::log(x)); break;
    case Fn::Round: value = Guarded(x >= -1e9 && x <= 1e9, RoundRule(x)); break;
    case Fn::Sin: value = Guarded(x >= -9e18 && x <= 9e18, std::sin(x)); break;
    case Fn::Sqrt: value = Guarded(x >= 0, std::sqrt(x)); break;
    case Fn::Sqr: value = x * x; break;
    case Fn::Trunc: value = Guarded(x >= -1e9 && x <= 1e9, std::trunc(x)); break;
    case Fn::Asin: value = Guarded(x >= -1 && x <= 1, std::asin(x)); break;
    case Fn::Acos: value = Guarded(x >= -1 && x <= 1, std::acos(x)); break;
    case Fn::Cosh: value = Guarded(x >= -11356 && x <= 11356, std::cosh(x)); break;
    case Fn::Acosh: value = Guarded(x >= 1, std::acosh(x)); break;
    case Fn::Sinh: value = Guarded(x >= -11356 && x <= 11356, std::sinh(x)); break;
    case Fn::Asinh: value = std::asinh(x); break;
    case Fn::Sum:
    case Fn::Avg: {
        double sum = 0;
        for (int i = 0; i < n; ++i)
            sum += args[i].AsDouble();
        value = e->fn == Fn::Sum ? sum : sum / n;
        break;
    }
    case Fn::Concatenate: {
        std::string out;
        for (int i = 0; i < n; ++i)
            out += args[i].AsText();
        value = ExpValue::FromText(std::move(out));
        break;
    }
    case Fn::Len: value = ExpValue::FromInt(int32_t(std::min<size_t>(s().size(), INT32_MAX))); break;
    case Fn::Find:
    case Fn::Search: {
        std::string needle = s(), hay = args[1].AsText();
        const int64_t start = n > 2 ? ToInt32(args[2]) : 1;
        if (e->fn == Fn::Search) {
            needle = ToUpper(needle);
            hay = ToUpper(hay);
        }
        value = ExpValue::FromInt(FindText(needle, hay, start));
        break;
    }
    case Fn::Left: value = ExpValue::FromText(Substring(s(), 1, ToInt32(args[1]))); break;
    case Fn::Lower: value = ExpValue::FromText(ToLower(s())); break;
    case Fn::Upper: value = ExpValue::FromText(ToUpper(s())); break;
    case Fn::Mid: value = ExpValue::FromText(Substring(s(), ToInt32(args[1]), ToInt32(args[2]))); break;
    case Fn::Right: {
        const std::string text = s();
        const int64_t j = ToInt32(args[1]);
        value = ExpValue::FromText(j <= 0 ? std::string() : Substring(text, int64_t(text.size()) - j + 1, j));
        break;
    }
    case Fn::Text: value = ExpValue::FromText(FormatNumber(ToFloatStrict(args[0]))); break;
    case Fn::IntToStr: value = ExpValue::FromText(std::to_string(ToInt32(args[0]))); break;
    case Fn::Trim: value = ExpValue::FromText(std::string(TrimBlanks(s()))); break;
    case Fn::Value: {
        double d = 0;
        value = ParseNumber(s(), d) ? d : 0.0;
        break;
    }
    case Fn::StrToInt: value = StrToInt(s()); break;
    }
    return true;
}

} // namespace qor::exp
