// Runs the expression scripts: each file is one test, each line one expression and its outcome.
//   expr => 3            a number of any kind      expr => int 6      a 32-bit integer
//   expr => float 3      a double                  expr => "a1"       a text
//   expr => error TEXT   an evaluator error        expr => range 0 9  an integer in [0, 9]
//   functions: LINE      adds a user function      order: event-first | internal-first
//   reset                drops the user functions
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <cmath>

#include "formula/engine/expression.h"

using namespace qor;

namespace {

QStringList ScriptFiles()
{
    const QDir dir(QStringLiteral(QOR_TEST_DATA_DIR "/scripts"));
    QStringList out;
    for (const QString &f : dir.entryList({QStringLiteral("expression_*.txt")}, QDir::Files, QDir::Name))
        out << dir.filePath(f);
    return out;
}

std::string Describe(const ExpValue &v)
{
    static const char *kinds[] = {"float", "int", "text", "bool", "date"};
    return std::string(kinds[int(v.GetType())]) + " " + (v.IsText() ? "\"" + v.AsText() + "\"" : v.AsText());
}

void CheckLine(TQorExpression &e, const std::string &expr, std::string expected, const std::string &where)
{
    SCOPED_TRACE(where + ": " + expr);
    e.SetText(std::string_view(expr));
    if (expected.rfind("error ", 0) == 0) {
        try {
            const ExpValue v = e.GetValue();
            ADD_FAILURE() << "expected an error, got " << Describe(v);
        } catch (const EExpressionError &err) {
            EXPECT_EQ(expected.substr(6), err.what());
        }
        return;
    }
    ExpValue v;
    try {
        v = e.GetValue();
    } catch (const EExpressionError &err) {
        ADD_FAILURE() << "unexpected error: " << err.what();
        return;
    }
    if (expected.size() >= 2 && expected.front() == '"' && expected.back() == '"') {
        EXPECT_TRUE(v.IsText()) << Describe(v);
        EXPECT_EQ(expected.substr(1, expected.size() - 2), v.AsText());
        return;
    }
    if (expected.rfind("range ", 0) == 0) {
        int lo = 0, hi = 0;
        ASSERT_EQ(2, std::sscanf(expected.c_str() + 6, "%d %d", &lo, &hi));
        EXPECT_EQ(ExpValue::Type::Int, v.GetType()) << Describe(v);
        EXPECT_GE(v.AsDouble(), lo);
        EXPECT_LE(v.AsDouble(), hi);
        return;
    }
    if (expected.rfind("int ", 0) == 0) {
        EXPECT_EQ(ExpValue::Type::Int, v.GetType()) << Describe(v);
        expected = expected.substr(4);
    } else if (expected.rfind("float ", 0) == 0) {
        EXPECT_EQ(ExpValue::Type::Double, v.GetType()) << Describe(v);
        expected = expected.substr(6);
    }
    EXPECT_FALSE(v.IsText()) << Describe(v);
    const double want = std::strtod(expected.c_str(), nullptr);
    const double got = v.AsDouble();
    if (std::isinf(want) || std::isnan(want))
        EXPECT_EQ(exp::FormatNumber(want), exp::FormatNumber(got));
    else
        EXPECT_NEAR(want, got, 1e-12 * std::max(1.0, std::fabs(want))) << Describe(v);
}

class ExpressionScript : public ::testing::TestWithParam<QString> {};

TEST_P(ExpressionScript, Runs)
{
    QFile file(GetParam());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text)) << GetParam().toStdString();
    TQorExpression e;
    e.SetRandomSeed(7);
    QStringList functions;
    int lineNo = 0;
    int cases = 0;
    while (!file.atEnd()) {
        const std::string line = file.readLine().toStdString();
        ++lineNo;
        std::string text = line;
        while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
            text.pop_back();
        if (text.empty() || text[0] == '#')
            continue;
        const std::string where = QFileInfo(GetParam()).fileName().toStdString() + ":" + std::to_string(lineNo);
        if (text.rfind("functions: ", 0) == 0) {
            functions << QString::fromStdString(text.substr(11));
            e.SetFunctions(functions);
            continue;
        }
        if (text == "reset") {
            functions.clear();
            e.SetFunctions(functions);
            continue;
        }
        if (text.rfind("order: ", 0) == 0) {
            e.SetEvaluateOrder(text.substr(7) == "event-first" ? eoEventFirst : eoInternalFirst);
            continue;
        }
        const size_t arrow = text.rfind(" => ");
        ASSERT_NE(std::string::npos, arrow) << where;
        CheckLine(e, text.substr(0, arrow), text.substr(arrow + 4), where);
        ++cases;
    }
    EXPECT_GT(cases, 0);
}

std::string ScriptName(const ::testing::TestParamInfo<QString> &info)
{
    std::string name = QFileInfo(info.param).completeBaseName().toStdString();
    for (char &c : name)
        if (!std::isalnum(uint8_t(c)))
            c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(Scripts, ExpressionScript, ::testing::ValuesIn(ScriptFiles()), ScriptName);

} // namespace
