#include "formula/formula_compiled_p.h"

#include <charconv>
#include <cmath>
#include <string>
#include "formula/engine/exp_value.h"
#include "formula/formula_text_p.h"

namespace qor::fcompiled {

namespace {

// The engine splits a chain at its rightmost operator of the lowest rank.
int Rank(char op)
{
    switch (op) {
    case '+': return 0;
    case '-': return 1;
    case '*': return 2;
    case '/': return 3;
    default: return 4;
    }
}

bool IsOperator(char16_t c) { return c == u'+' || c == u'-' || c == u'*' || c == u'/' || c == u'^'; }

void Emit(CompiledFormula &f, int lo, int hi)
{
    if (lo == hi) {
        f.steps.append({0, uint8_t(lo)});
        return;
    }
    int split = lo;
    for (int k = lo; k < hi; ++k)
        if (Rank(f.ops[k]) <= Rank(f.ops[split]))
            split = k;
    Emit(f, lo, split);
    Emit(f, split + 1, hi);
    f.steps.append({f.ops[split], 0});
}

// Digits with at most one inner ".": what the engine reads as one plain literal.
bool IsPlainLiteral(QStringView s)
{
    qsizetype dots = 0;
    for (QChar c : s) {
        if (c == u'.')
            ++dots;
        else if (!ftext::IsDigit(c.unicode()))
            return false;
    }
    return dots <= 1 && !s.startsWith(u'.') && !s.endsWith(u'.');
}

Written Signed(bool negative, double magnitude)
{
    // A negative number is written in parentheses, "(-x)", which the engine reads as 0 - x.
    return negative ? Written{0.0 - magnitude} : Written{magnitude};
}

} // namespace

bool ReadLiteral(std::string_view s, double &out)
{
    if (s.empty() || !(s[0] == '.' || (s[0] >= '0' && s[0] <= '9')))
        return false;
    return exp::ReadNumericToken(s, out) == s.size();
}

bool WriteNumber(double d, Written &out)
{
    if (!std::isfinite(d))
        return false;
    const bool negative = d < 0;
    if (std::fabs(d) < 1e15 && d == std::trunc(d)) {
        // Integers are written as they are and read back exactly; -0 is written "0".
        out = Signed(negative, std::fabs(d) + 0.0);
        return true;
    }
    // A value that is the nearest double to a decimal of at most 15 digits is written as that
    // decimal (without an exponent in this range) and read back as itself: no text needed.
    const double magnitude = std::fabs(d);
    if (magnitude >= 1e-4) {
        static constexpr double kPow10[] = {1, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8,
                                            1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
        for (double p : kPow10) {
            const double n = std::nearbyint(magnitude * p);
            if (n >= 1e15)
                break;
            if (n / p == magnitude) {
                out = Signed(negative, magnitude);
                return true;
            }
        }
    }
    const std::string text = exp::FormatNumber(d);
    const std::string_view digits = negative ? std::string_view(text).substr(1) : std::string_view(text);
    double value;
    if (!ReadLiteral(digits, value))
        return false;
    out = Signed(negative, value);
    return true;
}

bool WritePlain(QStringView t, Written &out)
{
    if (t.isEmpty()) {
        out = Written{};
        return true;
    }
    // Texts that read as their own shortest number text are copied as they are.
    const char16_t *p = t.utf16();
    const qsizetype n = t.size();
    qsizetype i = 0;
    const bool negative = p[0] == u'-';
    if (negative)
        ++i;
    const qsizetype intStart = i;
    while (i < n && ftext::IsDigit(p[i]))
        ++i;
    const qsizetype intLen = i - intStart;
    bool copied = !(intLen == 0 || intLen > 15 || (intLen > 1 && p[intStart] == u'0'));
    if (copied && i < n && p[i] == u'.') {
        const qsizetype fracStart = ++i;
        while (i < n && ftext::IsDigit(p[i]))
            ++i;
        const qsizetype fracLen = i - fracStart;
        const bool zeroInt = p[intStart] == u'0';
        if (fracLen == 0 || p[i - 1] == u'0' || (zeroInt ? (p[fracStart] == u'0' || fracLen > 15) : intLen + fracLen > 15))
            copied = false;
    }
    if (copied && i == n) {
        char buf[40];
        for (qsizetype k = intStart; k < n; ++k)
            buf[k - intStart] = char(p[k]);
        double value;
        if (!ReadLiteral(std::string_view(buf, size_t(n - intStart)), value))
            return false;
        out = Signed(negative && value != 0, value);
        return true;
    }
    std::string s = t.toUtf8().toStdString();
    if (!exp::IsNumericText(s))
        return false;
    double v;
    if (!exp::ParseNumber(s, v)) {
        out = Written{};
        return true;
    }
    return WriteNumber(v, out);
}

void Compile(const QString &text, CompiledFormula &out)
{
    out.source = text;
    out.usable = false;
    out.operands.clear();
    out.steps.clear();
    if (!ftext::IsFormulaText(text))
        return;
    const QStringView body = QStringView(text).sliced(1);
    if (body.contains(u"above", Qt::CaseInsensitive))
        return;
    qsizetype i = 0;
    const qsizetype n = body.size();
    // The engine skips spaces between tokens (and no other blank).
    auto skipSpaces = [&] {
        while (i < n && body[i] == u' ')
            ++i;
    };
    skipSpaces();
    // A leading sign has nothing on its left, which the engine reads as 0.
    if (i < n && (body[i] == u'-' || body[i] == u'+')) {
        out.operands.append(CompiledOperand());
        out.ops[0] = char(body[i].unicode());
        ++i;
        skipSpaces();
    }
    for (;;) {
        const qsizetype start = i;
        while (i < n && (ftext::IsAsciiLetter(body[i].unicode()) || ftext::IsDigit(body[i].unicode()) || body[i] == u'.'))
            ++i;
        const QStringView piece = body.sliced(start, i - start);
        if (piece.isEmpty() || out.operands.size() == CompiledFormula::MaxOperands)
            return;
        CompiledOperand operand;
        int row, col;
        if (ftext::ParseReference(piece, row, col)) {
            operand.row = row;
            operand.col = col;
        } else if (IsPlainLiteral(piece)) {
            const std::string literal = piece.toLatin1().toStdString();
            if (!ReadLiteral(literal, operand.number))
                return;
        } else {
            return;
        }
        out.operands.append(operand);
        skipSpaces();
        if (i == n)
            break;
        // An operator after the last operand the form can hold: left to the text way.
        if (!IsOperator(body[i].unicode()) || out.operands.size() == CompiledFormula::MaxOperands)
            return;
        out.ops[out.operands.size() - 1] = char(body[i].unicode());
        ++i;
        skipSpaces();
    }
    Emit(out, 0, int(out.operands.size()) - 1);
    out.usable = true;
}

} // namespace qor::fcompiled
