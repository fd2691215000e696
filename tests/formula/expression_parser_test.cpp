// Tokenizer and tree building, checked on their own structures.
#include <gtest/gtest.h>

#include "formula/engine/exp_node.h"
#include "formula/engine/exp_parser.h"
#include "formula/engine/expression_error.h"

using namespace qor;

namespace {

std::string Tokens(std::string_view text)
{
    TExpParser p;
    p.SetExpression(text);
    p.ReadAll();
    std::string out;
    for (int i = 0; i < p.TokenCount(); ++i)
        out += (i ? " " : "") + std::to_string(int(p.GetToken(i).TokenType)) + ":" + std::string(p.GetToken(i).Text);
    return out;
}

std::string Tree(std::string_view text)
{
    TExpParser p;
    p.SetExpression(text);
    p.ReadAll();
    TExpTree tree;
    ExpLimits limits;
    tree.Build(p.Tokens(), p.TokenCount(), limits);
    return tree.Dump();
}

TEST(ExpressionTokenizer, IllegalCharacterNamesItsPosition)
{
    const auto message = [](std::string_view text) {
        try {
            Tokens(text);
        } catch (const EExpressionError &e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ("Parse error: illegal character \":\" at position 3.", message("  A1:B2"));
    EXPECT_EQ("Parse error: illegal character \"\\xFF\" at position 2.", message("1\xff"));
    EXPECT_EQ("Parse error: illegal character \"é\" at position 1.", message("é"));
}

TEST(ExpressionTree, RankOrderAndGrouping)
{
    EXPECT_EQ("(+ a (- b c))", Tree("a+b-c"));
    EXPECT_EQ("(- (- a b) c)", Tree("a-b-c"));
    EXPECT_EQ("(^ (^ 2 3) 2)", Tree("2^3^2"));
    EXPECT_EQ("(* (/ 12 3) 2)", Tree("12/3*2"));
    EXPECT_EQ("(* a (/ b c))", Tree("a*b/c"));
    EXPECT_EQ("(+ (+ 1 (* 2 3)) 4)", Tree("1+2*3+4"));
    EXPECT_EQ("(- _ 5)", Tree("-5"));
    EXPECT_EQ("(! 3)", Tree("3!"));
    EXPECT_EQ("(- (* 2) 3)", Tree("2*-3"));
    EXPECT_EQ("(+ - 5)", Tree("-+5")); // a lone token is a leaf, even an operator
    EXPECT_EQ("(+ ! 5)", Tree("!+5"));
}

TEST(ExpressionTree, ParenthesesAndCalls)
{
    EXPECT_EQ("(+ 1 2)", Tree("((1+2))"));
    EXPECT_EQ("(+ 1 2)", Tree("(1)+(2)"));
    EXPECT_EQ("5", Tree("(((5)))"));
    EXPECT_EQ("_", Tree("()"));
    EXPECT_EQ("(F _)", Tree("F(,)"));
    EXPECT_EQ("(F _ 1)", Tree("F(,,1)"));
    EXPECT_EQ("(F 1)", Tree("F(1,)"));
    EXPECT_EQ("(SUM (+ 1 2) (G 3) [x])", Tree("SUM((1+2),G(3),[x])"));
    EXPECT_EQ("(F 1)", Tree("F(1(")); // the second and last tokens only need to be parentheses
}

} // namespace
