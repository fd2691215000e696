// Operators on evaluator values: numbers follow variant arithmetic, texts the text rules.
#include <charconv>
#include <cmath>
#include <cstdint>

#include "formula/engine/exp_node.h"
#include "formula/engine/expression_error.h"

namespace qor::exp {

namespace {

bool IsIntegral(const ExpValue &v)
{
    return v.GetType() == ExpValue::Type::Int || v.GetType() == ExpValue::Type::Bool;
}

[[noreturn]] void DivisionByZero(const ExpValue &dividend)
{
    throw EExpressionError("Floating point division by zero \"" + dividend.AsText() + " / 0\" 。");
}

ExpValue FromInt64(int64_t r)
{
    if (r >= INT32_MIN && r <= INT32_MAX)
        return ExpValue::FromInt(int32_t(r));
    return ExpValue(double(r));
}

ExpValue Numeric(char op, const ExpValue &L, const ExpValue &R)
{
    const double l = L.AsDouble();
    const double r = R.AsDouble();
    switch (op) {
    case '+':
    case '-':
    case '*': {
        if (IsIntegral(L) && IsIntegral(R)) {
            const int64_t a = L.IntRef(), b = R.IntRef();
            return FromInt64(op == '+' ? a + b : op == '-' ? a - b : a * b);
        }
        const double v = op == '+' ? l + r : op == '-' ? l - r : l * r;
        const bool ld = L.GetType() == ExpValue::Type::Date, rd = R.GetType() == ExpValue::Type::Date;
        if (op != '*' && (ld || rd) && !(op == '-' && ld && rd))
            return ExpValue::FromDate(v);
        return v;
    }
    case '/':
        if (r == 0)
            DivisionByZero(L);
        return l / r;
    case '^':
        return std::pow(l, r);
    }
    return {};
}

// The numeric value of one operand under the text rules; false when it is not a numeric text.
bool TextOperand(const ExpValue &v, bool blankIsZero, double &out)
{
    out = 0;
    if (!v.IsText()) {
        out = v.AsDouble();
        return true;
    }
    const std::string_view trimmed = TrimBlanks(v.TextRef());
    if (blankIsZero && (trimmed.empty() || trimmed == "-"))
        return true;
    std::string cleaned(v.TextRef());
    if (!IsNumericText(cleaned))
        return false;
    // Only "+" and "-" read a blank text as empty or 0; to "*", "/" and "^" it is no number, so
    // a blank divisor gives 0 rather than a division by zero.
    if (!blankIsZero && TrimBlanks(cleaned).empty())
        return false;
    if (!ParseNumber(cleaned, out))
        out = 0; // the empty text
    return true;
}

std::string ConcatOperand(const ExpValue &v)
{
    if (!v.IsText())
        return v.AsText();
    const std::string_view trimmed = TrimBlanks(v.TextRef());
    if (trimmed.empty() || trimmed == "-")
        return {};
    return v.TextRef();
}

double Factorial(double n)
{
    if (std::isnan(n))
        return n;
    if (n < 2)
        return 1;
    if (n > 170)
        return HUGE_VAL; // beyond the double range
    long double f = 1;
    for (int i = 2; i <= int(n); ++i)
        f *= i;
    return double(f);
}

} // namespace

double RoundRule(double x)
{
    if (!std::isfinite(x))
        return x;
    const double ax = std::fabs(x);
    double whole;
    if (ax > 1e9) {
        // Too large for four decimals to matter; such values are whole from 2^52 on.
        if (ax >= 4503599627370496.0)
            return x;
        const double t = std::trunc(ax);
        whole = ax - t >= 0.5 ? t + 1 : t;
    } else {
        // Four decimal places on the 15-digit decimal value, so that 2.49995 counts as 2.5.
        char buf[64];
        auto res = std::to_chars(buf, buf + sizeof buf, x * 10000.0, std::chars_format::general, 15);
        double y = 0;
        std::from_chars(buf, res.ptr, y, std::chars_format::general);
        const int64_t k = std::llabs(std::llrint(y)); // ties to even
        const int64_t t = k / 10000, frac = k % 10000;
        whole = double(frac >= 5000 ? t + 1 : t);
    }
    if (whole == 0)
        return 0;
    return x < 0 ? -whole : whole;
}

void ConcatInPlace(ExpValue &acc, const ExpValue &R, bool &solid)
{
    if (!acc.IsText()) {
        acc = ExpValue::FromText(acc.AsText());
        solid = false;
    }
    std::string &text = acc.MutableText();
    if (!solid) {
        const std::string_view trimmed = TrimBlanks(text);
        if (trimmed.empty() || trimmed == "-")
            text.clear();
        else
            solid = true;
    }
    if (!R.IsText()) {
        text += R.AsText();
        return;
    }
    const std::string_view trimmed = TrimBlanks(R.TextRef());
    if (!trimmed.empty() && trimmed != "-")
        text += R.TextRef();
}

ExpValue ApplyOperator(char op, const ExpValue &L, const ExpValue &R)
{
    if (op == '!') {
        if (L.IsText())
            return {};
        return Factorial(RoundRule(L.AsDouble()));
    }
    if (!L.IsText() && !R.IsText())
        return Numeric(op, L, R);
    if (op == '+')
        return ExpValue::FromText(ConcatOperand(L) + ConcatOperand(R));
    double l, r;
    if (!TextOperand(L, op == '-', l) || !TextOperand(R, op == '-', r))
        return {};
    switch (op) {
    case '-':
        return l - r;
    case '*':
        return l * r;
    case '/':
        if (r == 0)
            DivisionByZero(L);
        return l / r;
    case '^':
        return std::pow(l, r);
    }
    return {};
}

} // namespace qor::exp
