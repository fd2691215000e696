#pragma once
// Syntax tree of one evaluation. Nodes live in one array and refer to the parser's tokens by
// index, so that building a tree for a short text costs no allocation once the arrays have grown.
// Building and calculating walk explicit stacks, so nesting costs heap and no native recursion;
// only user functions recurse (a body is a tree of its own), bounded by ExpLimits.
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

// Shared by every tree of one evaluation, also across user-function calls. Calls nest until the
// thread's stack would run short (floor); MaxCallDepth is only a backstop beyond that.
struct ExpLimits {
    static constexpr int MaxCallDepth = 100000; // user functions calling each other
    static constexpr int MaxCalls = 2000000;    // user-function calls in one evaluation
    int callDepth = 0;
    int calls = 0;
    uintptr_t floor = 0; // lowest frame address allowed, 0 until the first tree is built
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

    int NewNode();
    void BuildNode(int node, int a, int b);
    void BuildChild(int node, int a, int b);
    int SkipGroup(int i, int end) const;
    bool RemoveSorroundingParenthesis(int &a, int &b) const;
    void SplitChain(int node, int a, int b, size_t opsBase);
    void ParseFunction(int node, int a, int b);
    void AddChild(int parent, int &last, int child);
    struct Frame {
        int32_t node;
        int32_t child; // the child being calculated, -1 before the first
        int32_t base;  // a call: where its argument values start
    };
    void Step();
    void PushValue(ExpValue v);
    void CallName(Frame f);

    const TExpToken *m_tokens = nullptr;
    int m_count = 0;
    ExpLimits *m_limits = nullptr;
    TExpResolver *m_owner = nullptr;
    std::vector<TExpNode> m_nodes; // grown only; m_used of them belong to the current tree
    int m_used = 0;
    std::vector<int32_t> m_match; // for "(": index of the ")" that closes it, or INT32_MAX
    std::vector<OpRef> m_ops;
    std::vector<Pending> m_pending;
    std::vector<Pending> m_work; // ranges still to build, the next one last
    std::vector<int32_t> m_spine;
    std::vector<Frame> m_frames;   // the walk of Calculate, innermost last
    std::vector<ExpValue> m_values; // operands and arguments calculated so far
    std::vector<uint8_t> m_solid;   // per value: a text known to be neither blank nor "-"
};

namespace exp {
// The rounding of ROUND and of "!": 4 decimal places first, then halves away from zero.
QOR_AUTOTEST_EXPORT double RoundRule(double x);
// "+", "-", "*", "/", "^" and "!" on two values (R unused for "!").
QOR_AUTOTEST_EXPORT ExpValue ApplyOperator(char op, const ExpValue &L, const ExpValue &R);
// "+" with at least one text operand, appended to acc in place so that a long chain of joins
// stays linear. solid says acc's text is already known not to be blank or "-" (it only grows).
QOR_AUTOTEST_EXPORT void ConcatInPlace(ExpValue &acc, const ExpValue &R, bool &solid);
} // namespace exp

} // namespace qor
