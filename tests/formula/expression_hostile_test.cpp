// Hostile texts end in a value or a clear error: never a crash, never a stack overflow.
#include <gtest/gtest.h>

#include "formula/engine/expression.h"
#include "long_text.h"

using namespace qor;
using qor::test::Repeat;

namespace {

std::string Outcome(TQorExpression &e, const std::string &text)
{
    e.SetText(std::string_view(text));
    try {
        return "value " + e.GetValue().AsText();
    } catch (const EExpressionError &err) {
        return err.what();
    }
}

TEST(ExpressionHostile, HundredThousandParentheses)
{
    TQorExpression e;
    EXPECT_EQ("value 7", Outcome(e, Repeat("(", 100000) + "7" + Repeat(")", 100000)));
    // Deeper sums, calls and open groups are among the limit cases, on two stacks.
    EXPECT_EQ("Compile error: parenthesis mismatch.", Outcome(e, "1" + Repeat(")", 100000)));
}

TEST(ExpressionHostile, TenMegabyteExpression)
{
    TQorExpression e;
    const std::string sum = "1" + Repeat("+1", 5 * 1024 * 1024);
    EXPECT_EQ("value 5242881", Outcome(e, sum));
    EXPECT_EQ("value 1", Outcome(e, "MAX(" + Repeat("1,", 5 * 1024 * 1024) + "0)"));
    EXPECT_EQ("value " + std::string(10 * 1024 * 1024, 'x'), Outcome(e, "[" + std::string(10 * 1024 * 1024, 'x') + "]"));
    EXPECT_EQ("Compile error: syntax fault.", Outcome(e, Repeat("1 ", 5 * 1024 * 1024)));
}

TEST(ExpressionHostile, EveryByteValue)
{
    TQorExpression e;
    for (int b = 0; b < 256; ++b) {
        for (const char *shape : {"%c", "1+%c", "SUM(%c)", "[%c]", "%c%c%c"}) {
            char buf[16];
            std::snprintf(buf, sizeof buf, shape, b, b, b);
            std::string text(buf);
            if (b == 0) // snprintf stops at the byte 0; put it back by hand
                text = std::string(shape).replace(std::string(shape).find("%c"), 2, std::string(1, '\0'));
            const std::string out = Outcome(e, text);
            EXPECT_TRUE(out.rfind("value ", 0) == 0 || out.find("error") != std::string::npos) << b << " " << out;
        }
    }
}

TEST(ExpressionHostile, RecursiveUserFunctions)
{
    TQorExpression e;
    e.SetFunctions({QStringLiteral("F(x)=F(x)")});
    EXPECT_EQ(0u, Outcome(e, "F(1)").rfind("Calculate error: user function \"F\" nested too deeply (more than ", 0));
    e.SetFunctions({QStringLiteral("A(x)=B(x)+1"), QStringLiteral("B(x)=A(x)*2")});
    EXPECT_EQ(0u, Outcome(e, "A(1)").rfind("Calculate error: user function \"", 0));
    // Deep bodies inside deep calls are bounded together.
    e.SetFunctions({QStringLiteral("G(x)=") + QString::fromStdString(Repeat("1+(", 60)) + QStringLiteral("G(x)")
                    + QString::fromStdString(Repeat(")", 60))});
    EXPECT_EQ(0u, Outcome(e, "G(1)").rfind("Calculate error: user function \"G\" nested too deeply", 0));
    // Exponential fan-out ends at the call budget.
    QStringList fan;
    for (int i = 0; i < 30; ++i)
        fan << QStringLiteral("F%1(x)=F%2(x)+F%2(x)").arg(i).arg(i + 1);
    e.SetFunctions(fan);
    EXPECT_EQ("Calculate error: more than 2000000 user function calls in one evaluation.", Outcome(e, "F0(1)"));
    // The component is usable again afterwards.
    e.SetFunctions({});
    EXPECT_EQ("value 3", Outcome(e, "1+2"));
}

TEST(ExpressionHostile, HugeNumbersStayInRange)
{
    TQorExpression e;
    EXPECT_EQ("value 0", Outcome(e, "1E999")); // a literal that does not convert
    EXPECT_EQ("value 0", Outcome(e, "ROUND(1E308)"));
    EXPECT_EQ("value INF", Outcome(e, "1E308!"));
    EXPECT_EQ("value INF", Outcome(e, "FACT(1E300)"));
    EXPECT_EQ("value 1.5E300", Outcome(e, "GCD(1.5E300,3E300)"));
    EXPECT_EQ("value 0", Outcome(e, "RAND(-1E300)"));
    EXPECT_EQ("value 2147483647", Outcome(e, "RANDBETWEEN(1E300,1E301)"));
    EXPECT_EQ("value 1", Outcome(e, "COMBIN(1E9,1E9)"));
    EXPECT_EQ("value INF", Outcome(e, "COMBIN(1E9,5E8)"));
    EXPECT_EQ("value 2E300", Outcome(e, "LCM(2E300,4)"));
}

} // namespace
