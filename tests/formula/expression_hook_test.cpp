// The OnEvaluate hook in both orders, and the component's properties.
#include <gtest/gtest.h>

#include "formula/engine/exp_userfunction.h"
#include "formula/engine/expression.h"
#include "exp_print.h"

using namespace qor;

namespace {

struct Call {
    QString name;
    std::vector<ExpValue> args;
};

class ExpressionHook : public ::testing::Test {
protected:
    void SetUp() override
    {
        e.SetOnEvaluate([this](TQorExpression *sender, const QString &name, const ExpValue *args, int n,
                               ExpValue &value, bool &done) {
            EXPECT_EQ(&e, sender);
            EXPECT_FALSE(done);
            calls.push_back({name, std::vector<ExpValue>(args, args + n)});
            if (name.compare(QLatin1String("cell"), Qt::CaseInsensitive) == 0) {
                value = ExpValue::FromInt(40);
                done = answerDone;
            } else if (name == QLatin1String("SUM")) {
                value = ExpValue::FromText(std::string("hooked"));
                done = answerDone;
            }
        });
    }
    ExpValue Eval(const char *text)
    {
        e.SetText(text);
        return e.GetValue();
    }

    TQorExpression e;
    std::vector<Call> calls;
    bool answerDone = true;
};

TEST_F(ExpressionHook, InternalFirstAsksOnlyForUnknownNames)
{
    EXPECT_EQ(ExpValue(42.0), Eval("Cell(1,[a])+2"));
    ASSERT_EQ(1u, calls.size());
    EXPECT_EQ(QStringLiteral("Cell"), calls[0].name); // in the formula's spelling
    ASSERT_EQ(2u, calls[0].args.size());
    EXPECT_EQ(ExpValue(1.0), calls[0].args[0]);
    EXPECT_EQ(ExpValue::FromText(std::string("a")), calls[0].args[1]);

    calls.clear();
    EXPECT_EQ(ExpValue(3.0), Eval("SUM(1,2)"));
    EXPECT_TRUE(calls.empty());
    EXPECT_EQ(ExpValue::FromInt(42), Eval("Cell+FACT(2)")); // integers stay integers
}

TEST_F(ExpressionHook, EventFirstMayOverrideBuiltIns)
{
    e.SetEvaluateOrder(eoEventFirst);
    EXPECT_EQ(ExpValue::FromText(std::string("hooked")), Eval("SUM(1,2)"));
    answerDone = false;
    EXPECT_EQ(ExpValue(3.0), Eval("SUM(1,2)"));
    EXPECT_EQ(ExpValue(), Eval("FOO")); // declined and unknown: 0, whatever the hook left
}

TEST(ExpressionComponent, FindFunctionParsesAFreshCopy)
{
    TQorExpression e;
    e.SetFunctions({QStringLiteral(""), QStringLiteral("first(a, b)=a-b"), QStringLiteral("FIRST=1")});
    auto fn = e.FindFunction("FIRST");
    ASSERT_TRUE(fn);
    EXPECT_EQ("first", fn->GetName());
    EXPECT_EQ("a-b", fn->GetBody());
    EXPECT_EQ((std::vector<std::string>{"a", "b"}), fn->GetParams());
    const ExpValue args[] = {ExpValue(5.0), ExpValue::FromText(std::string("x"))};
    EXPECT_EQ(5.0, fn->Call(args, 2));
    EXPECT_EQ(nullptr, e.FindFunction("second"));
}

} // namespace
