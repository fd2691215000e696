// Large honest formulas calculate; hostile ones end in a value or an error, never a stack
// overflow, also on a small thread stack.
#include <gtest/gtest.h>

#include <QThread>

#include "formula/engine/expression.h"
#include "long_text.h"

using namespace qor;
using qor::test::Repeat;

namespace {

// Sanitizer builds keep large red zones around every frame: a user-function call takes several
// times the stack it takes in a plain build, so the stack-bound chains get stacks to match.
#if defined(__SANITIZE_ADDRESS__)
constexpr unsigned kStackScale = 8;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr unsigned kStackScale = 8;
#else
constexpr unsigned kStackScale = 1;
#endif
#else
constexpr unsigned kStackScale = 1;
#endif

QStringList Chain(int n) // F0(x)=F1(x)+1, ..., the last one returns x
{
    QStringList lines;
    for (int i = 0; i + 1 < n; ++i)
        lines << QStringLiteral("F%1(x)=F%2(x)+1").arg(i).arg(i + 1);
    lines << QStringLiteral("F%1(x)=x").arg(n - 1);
    return lines;
}

struct Case {
    const char *name;
    std::string text;
    QStringList functions;
    std::string expected; // "value ..." or the start of an error message
    bool stackBound = false; // needs the stack a plain build gives it
};

std::string Outcome(const Case &c)
{
    TQorExpression e;
    e.SetFunctions(c.functions);
    e.SetText(std::string_view(c.text));
    try {
        const ExpValue v = e.GetValue();
        return "value " + v.AsText();
    } catch (const EExpressionError &err) {
        return err.what();
    }
}

// The evaluation on a thread of 2 MiB of stack, as small as a worker thread may have.
std::string OutcomeOnSmallStack(const Case &c)
{
    std::string out;
    std::unique_ptr<QThread> t(QThread::create([&] { out = Outcome(c); }));
    t->setStackSize(kStackScale * (2u << 20));
    t->start();
    t->wait();
    return out;
}

std::vector<Case> Cases()
{
    const int deep = 10000;
    return {
        {"Sums nested 10,000 deep", Repeat("1+(", deep) + "1" + Repeat(")", deep), {}, "value 10001"},
        {"Calls nested 10,000 deep", Repeat("ABS(", deep) + "-2" + Repeat(")", deep), {}, "value 2"},
        {"Left groups 10,000 deep", Repeat("(", deep) + "1" + Repeat("+1)", deep), {}, "value 10001"},
        {"Differences nested 10,000 deep", Repeat("(1-", deep) + "1" + Repeat(")", deep), {}, "value 1"},
        {"Postfix factorials", "3" + std::string(2u << 20, '!'), {}, "value INF"},
        {"Postfix factorials of one", "1" + std::string(2u << 20, '!') + "+1", {}, "value 2"},
        {"Twenty thousand user calls", "F(1)" + Repeat("+F(1)", 19999), {QStringLiteral("F(x)=x")}, "value 20000"},
        {"A million user calls", "F(1)" + Repeat("+F(1)", 999999), {QStringLiteral("F(x)=x")}, "value 1000000"},
        {"A chain of 1,000 user functions", "F0(5)", Chain(1000), "value 1004", true},
        // Hostile texts.
        {"Ten million open parentheses", std::string(10000000, '('), {}, "Compile error: syntax fault."},
        {"Sums nested a million deep", Repeat("1+(", 1000000) + "1" + Repeat(")", 1000000), {}, "value 1000001"},
        {"Calls nested a million deep", Repeat("ABS(", 1000000) + "1" + Repeat(")", 1000000), {}, "value 1"},
        {"A function calling itself", "F(1)", {QStringLiteral("F(x)=F(x)")},
         "Calculate error: user function \"F\" nested too deeply"},
        {"Two functions calling each other", "A(1)", {QStringLiteral("A(x)=B(x)+1"), QStringLiteral("B(x)=A(x)*2")},
         "Calculate error: user function"},
        {"Deep bodies in deep calls", "G(1)",
         {QStringLiteral("G(x)=") + QString::fromStdString(Repeat("1+(", 600)) + QStringLiteral("G(x)")
          + QString::fromStdString(Repeat(")", 600))},
         "Calculate error:"},
    };
}

class ExpressionLimits : public ::testing::TestWithParam<Case> {};

TEST_P(ExpressionLimits, OnTheMainThread)
{
    if (GetParam().stackBound && kStackScale > 1)
        GTEST_SKIP() << "the main thread's stack is too small for this chain under the sanitizer";
    const std::string out = Outcome(GetParam());
    EXPECT_EQ(GetParam().expected, out.substr(0, GetParam().expected.size())) << out.substr(0, 200);
}

TEST_P(ExpressionLimits, OnASmallStack)
{
    const std::string out = OutcomeOnSmallStack(GetParam());
    EXPECT_EQ(GetParam().expected, out.substr(0, GetParam().expected.size())) << out.substr(0, 200);
}

INSTANTIATE_TEST_SUITE_P(Texts, ExpressionLimits, ::testing::ValuesIn(Cases()),
                         [](const auto &info) {
                             std::string n;
                             for (const char ch : std::string(info.param.name))
                                 if (std::isalnum(uchar(ch)))
                                     n += ch;
                             return n;
                         });

// A text joined from a million pieces comes out whole, in order.
TEST(ExpressionLimitsBudget, LongJoinsKeepEveryPiece)
{
    TQorExpression e;
    e.SetText(std::string_view("[a]" + Repeat("+[b]", 999999)));
    const ExpValue v = e.GetValue();
    ASSERT_TRUE(v.IsText());
    EXPECT_EQ("a" + std::string(999999, 'b'), v.TextRef());
    // Blank and "-" pieces vanish wherever they stand; numbers join as their text.
    e.SetText(std::string_view("[ ]+[-]" + Repeat("+[x]+[ ]+1", 3) + "+[-]"));
    EXPECT_EQ(ExpValue::FromText(std::string("x1x1x1")), e.GetValue());
    e.SetText(std::string_view("[  ]+2+[y]"));
    EXPECT_EQ(ExpValue::FromText(std::string("2y")), e.GetValue());
}

} // namespace
