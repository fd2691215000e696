#pragma once
// The floor: a minimal hand-written evaluator that re-reads its text on every call, with no
// tokens, no tree and no error texts. Nothing real can be faster at re-parsing.
#include <charconv>
#include <cmath>
#include <cstring>
#include <string_view>

namespace bench {

class FloorEvaluator {
public:
    double Eval(std::string_view s)
    {
        p = s.data();
        e = s.data() + s.size();
        return Expr();
    }

private:
    void Skip() { while (p < e && *p == ' ') ++p; }
    double Expr()
    {
        double v = Term();
        for (Skip(); p < e && (*p == '+' || *p == '-'); Skip()) {
            const char op = *p++;
            const double r = Term();
            v = op == '+' ? v + r : v - r;
        }
        return v;
    }
    double Term()
    {
        double v = Power();
        for (Skip(); p < e && (*p == '*' || *p == '/'); Skip()) {
            const char op = *p++;
            const double r = Power();
            v = op == '*' ? v * r : v / r;
        }
        return v;
    }
    double Power()
    {
        double v = Unary();
        for (Skip(); p < e && *p == '^'; Skip()) {
            ++p;
            v = std::pow(v, Unary());
        }
        return v;
    }
    double Unary()
    {
        Skip();
        if (p < e && *p == '-') {
            ++p;
            return -Unary();
        }
        return Primary();
    }
    double Primary()
    {
        Skip();
        if (p < e && *p == '(') {
            ++p;
            const double v = Expr();
            Skip();
            ++p; // ")"
            return v;
        }
        if (p < e && ((*p >= '0' && *p <= '9') || *p == '.')) {
            double v = 0;
            p = std::from_chars(p, e, v).ptr;
            return v;
        }
        const char *name = p;
        while (p < e && *p >= 'a' && *p <= 'z')
            ++p;
        const std::string_view fn(name, size_t(p - name));
        Skip();
        ++p; // "("
        double acc = Expr();
        double sum = acc, mn = acc, mx = acc;
        int n = 1;
        for (Skip(); p < e && *p == ','; Skip()) {
            ++p;
            const double v = Expr();
            sum += v;
            mn = v < mn ? v : mn;
            mx = v > mx ? v : mx;
            ++n;
        }
        ++p; // ")"
        if (fn == "sum")
            return sum;
        if (fn == "avg")
            return sum / n;
        if (fn == "min")
            return mn;
        if (fn == "max")
            return mx;
        if (fn == "abs")
            return std::fabs(acc);
        if (fn == "sqrt")
            return std::sqrt(acc);
        return 0;
    }

    const char *p = nullptr;
    const char *e = nullptr;
};

} // namespace bench
