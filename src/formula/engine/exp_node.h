#pragma once
// Syntax tree of one evaluation. Nodes live in one array and refer to the parser's tokens by
// index, so that building a tree for a short text costs no allocation once the arrays have grown.
// Chains of operators ("1+2+3+...") are built and calculated in loops; only real nesting
// (parentheses, arguments) recurses, and that is bounded by ExpLimits.
#include <cstdint>
#include <string_view>
#include <vector>

#include "formula/engine/exp_parser.h"
#include "formula/engine/exp_value.h"
#include "platform/qor_global.h"

namespace qor {

// Resolves the names of a tree: the component itself, or a user function for its body.
class TExpResolver {
public:
    virtual ~TExpResolver() = default;
    virtual void Resolve(std::string_view name, const ExpValue *args, int argCount, ExpValue &value) = 0;
};

// Shared by every tree of one evaluation, also across user-function calls.
struct ExpLimits {
    static constexpr int MaxDepth = 400;       // nested tree levels being built or calculated
    static constexpr int MaxCallDepth = 64;    // user functions calling each other
    static constexpr int MaxCalls = 10000;     // user-function calls in one evaluation
    int depth = 0;
    int callDepth = 0;
    int calls = 0;
};

struct TExpNode {
    int32_t Token = -1;      // the token that gives the node its meaning, -1 for none
    int32_t TokenCount = 0;  // tokens the node still covers: only a node of exactly one calculates
    int32_t FirstChild = -1;
    int32_t NextSibling = -1;
    int32_t ChildCount = 0;
};

class QOR_AUTOTEST_EXPORT TExpTree {
public:
    void Build(const TExpToken *tokens, int count, ExpLimits &limits);
    ExpValue Calculate(TExpResolver &owner);

    int NodeCount() const { return m_used; }
    const TExpNode &GetNode(int i) const { return m_nodes[size_t(i)]; }
    int Root() const { return m_used ? 0 : -1; }
    const TExpToken &GetToken(int i) const { return m_tokens[i]; }
    // The tree as text, for tests: "(+ 1 (* 2 3))".
    std::string Dump(int node = 0) const;

private:
    struct OpRef {
        int32_t pos;
        int32_t rank;
        int32_t best; // index (in m_ops) of the rightmost lowest-rank operator up to here
    };
    struct Pending {
        int32_t node;
        int32_t a, b;
    };
    class DepthGuard;

    int NewNode();
    void BuildNode(int node, int a, int b);
    void BuildChild(int node, int a, int b);
    bool RemoveSorroundingParenthesis(int &a, int &b) const;
    void SplitChain(int node, int a, int b, size_t opsBase);
    void ParseFunction(int node, int a, int b);
    void AddChild(int parent, int &last, int child);
    ExpValue CalculateNode(int node);
    ExpValue CalculateChain(int node);
    ExpValue CallName(int node, const TExpToken &tok);

    const TExpToken *m_tokens = nullptr;
    int m_count = 0;
    ExpLimits *m_limits = nullptr;
    TExpResolver *m_owner = nullptr;
    std::vector<TExpNode> m_nodes; // grown only; m_used of them belong to the current tree
    int m_used = 0;
    std::vector<int32_t> m_match; // for "(": index of the ")" that closes it, or INT32_MAX
    std::vector<OpRef> m_ops;
    std::vector<Pending> m_pending;
    std::vector<int32_t> m_spine;
    std::vector<ExpValue> m_args;
};

namespace exp {
// The rounding of ROUND and of "!": 4 decimal places first, then halves away from zero.
QOR_AUTOTEST_EXPORT double RoundRule(double x);
// "+", "-", "*", "/", "^" and "!" on two values (R unused for "!").
QOR_AUTOTEST_EXPORT ExpValue ApplyOperator(char op, const ExpValue &L, const ExpValue &R);
} // namespace exp

} // namespace qor
