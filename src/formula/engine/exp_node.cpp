#include "formula/engine/exp_node.h"

#include <climits>
#include <string>

#include "formula/engine/expression_error.h"

namespace qor {

namespace {

// The split rank of an operator: its place in "+-*/^!".
constexpr int Rank(char op)
{
    switch (op) {
    case '+': return 0;
    case '-': return 1;
    case '*': return 2;
    case '/': return 3;
    case '^': return 4;
    default: return 5;
    }
}

bool IsOpen(const TExpToken &t) { return t.Code == '('; }
bool IsClose(const TExpToken &t) { return t.Code == ')'; }

[[noreturn]] Q_NEVER_INLINE void Fail(const char *message) { throw EExpressionError(message); }
[[noreturn]] void TreeFault() { Fail("Calculate error: syntax tree fault."); }

[[noreturn]] Q_NEVER_INLINE void TooDeep(const char *stage)
{
    throw EExpressionError(std::string(stage) + ": expression nested too deeply (more than "
                           + std::to_string(ExpLimits::MaxDepth) + " levels).");
}

} // namespace

class TExpTree::DepthGuard {
public:
    DepthGuard(ExpLimits &limits, const char *stage) : m_limits(limits)
    {
        if (++m_limits.depth > ExpLimits::MaxDepth) {
            --m_limits.depth;
            TooDeep(stage);
        }
    }
    ~DepthGuard() { --m_limits.depth; }
    DepthGuard(const DepthGuard &) = delete;
    DepthGuard &operator=(const DepthGuard &) = delete;

private:
    ExpLimits &m_limits;
};

int TExpTree::NewNode()
{
    // Build sized the array (a tree has at most two nodes per token, plus the root); growing
    // here is only a safety net, so no reference into the array is held across this call.
    if (size_t(m_used) == m_nodes.size())
        m_nodes.resize(m_nodes.size() * 2 + 2);
    m_nodes[size_t(m_used)] = TExpNode();
    return m_used++;
}

void TExpTree::Build(const TExpToken *tokens, int count, ExpLimits &limits)
{
    m_tokens = tokens;
    m_count = count;
    m_limits = &limits;
    m_used = 0;
    if (m_nodes.size() < size_t(count) * 2 + 2)
        m_nodes.resize(size_t(count) * 2 + 2);
    m_ops.clear();
    m_pending.clear();

    // Where each "(" closes, so that removing surrounding parentheses costs nothing per level.
    m_spine.clear();
    for (int i = 0; i < count; ++i) {
        const char code = tokens[i].Code;
        if (code == '(') {
            if (m_match.size() < size_t(count))
                m_match.resize(size_t(count));
            m_match[size_t(i)] = INT32_MAX;
            m_spine.push_back(i);
        } else if (code == ')' && !m_spine.empty()) {
            m_match[size_t(m_spine.back())] = i;
            m_spine.pop_back();
        }
    }
    m_spine.clear();
    BuildNode(NewNode(), 0, count);
}

bool TExpTree::RemoveSorroundingParenthesis(int &a, int &b) const
{
    bool removed = false;
    // The first "(" must stay open up to the last token: its depth may not reach 0 before it.
    while (b - a >= 2 && IsOpen(m_tokens[a]) && IsClose(m_tokens[b - 1]) && m_match[size_t(a)] >= b - 1) {
        ++a;
        --b;
        removed = true;
    }
    return removed;
}

// Children of one token or none are leaves: set them without a level of recursion.
inline void TExpTree::BuildChild(int node, int a, int b)
{
    if (b - a < 2) {
        TExpNode &nd = m_nodes[size_t(node)];
        nd.TokenCount = b - a;
        nd.Token = b - a == 1 ? a : -1;
        return;
    }
    BuildNode(node, a, b);
}

void TExpTree::BuildNode(int node, int a, int b)
{
    DepthGuard guard(*m_limits, "Compile error");
    if (b - a >= 2)
        RemoveSorroundingParenthesis(a, b);
    const int n = b - a;
    m_nodes[size_t(node)].TokenCount = n;
    if (n < 2) {
        m_nodes[size_t(node)].Token = n == 1 ? a : -1;
        return;
    }

    // FindLSOTI: every operator outside parentheses, with the best split of each prefix.
    const size_t base = m_ops.size();
    int depth = 0;
    for (int i = a; i < b; ++i) {
        const TExpToken &t = m_tokens[i];
        if (t.Code == '(') {
            ++depth;
        } else if (t.Code == ')') {
            if (--depth < 0) {
                m_ops.resize(base);
                Fail("Compile error: parenthesis mismatch.");
            }
        } else if (t.TokenType == ttOperation && depth == 0) {
            const int rank = Rank(t.Code);
            int best = int(m_ops.size());
            if (m_ops.size() > base && m_ops[size_t(m_ops.back().best)].rank < rank)
                best = m_ops.back().best;
            m_ops.push_back({i, rank, best});
        }
    }
    if (m_ops.size() > base) {
        SplitChain(node, a, b, base);
        return;
    }
    const TExpToken &first = m_tokens[a];
    if (n >= 4 && first.TokenType == ttString && m_tokens[a + 1].TokenType == ttParenthesis
        && m_tokens[b - 1].TokenType == ttParenthesis) {
        ParseFunction(node, a, b);
        return;
    }
    if (first.TokenType == ttVariable)
        return; // accepted as it is; only a single token calculates
    Fail("Compile error: syntax fault.");
}

// Splits at the rightmost lowest-rank operator; the left operand of a chain is split again in
// this loop from the same operator list, and the right operands are built afterwards in text order.
void TExpTree::SplitChain(int node, int a, int b, size_t opsBase)
{
    const size_t pendingBase = m_pending.size();
    int cur = node;
    int k = int(m_ops.size()) - 1;
    int curB = b;
    for (;;) {
        const int s = m_ops[size_t(k)].best;
        const int p = m_ops[size_t(s)].pos;
        const int left = NewNode();
        TExpNode &nd = m_nodes[size_t(cur)];
        nd.Token = p;
        nd.TokenCount = 1;
        nd.FirstChild = left;
        nd.ChildCount = 1;
        if (p + 1 < curB) {
            nd.ChildCount = 2;
            m_pending.push_back({cur, p + 1, curB});
        }
        curB = p;
        if (s > int(opsBase) && p - a >= 2) {
            k = s - 1;
            cur = left;
            m_nodes[size_t(left)].TokenCount = p - a;
            continue;
        }
        m_ops.resize(opsBase);
        BuildChild(left, a, p);
        break;
    }
    for (size_t i = m_pending.size(); i-- > pendingBase;) {
        const Pending pd = m_pending[i];
        const int right = NewNode();
        m_nodes[size_t(m_nodes[size_t(pd.node)].FirstChild)].NextSibling = right;
        BuildChild(right, pd.a, pd.b);
    }
    m_pending.resize(pendingBase);
}

void TExpTree::AddChild(int parent, int &last, int child)
{
    TExpNode &p = m_nodes[size_t(parent)];
    if (last < 0)
        p.FirstChild = child;
    else
        m_nodes[size_t(last)].NextSibling = child;
    ++p.ChildCount;
    last = child;
}

void TExpTree::ParseFunction(int node, int a, int b)
{
    m_nodes[size_t(node)].Token = a;
    m_nodes[size_t(node)].TokenCount = 1;
    const int end = b - 1; // the call's own parentheses are dropped
    int i = a + 2;
    int last = -1;
    while (i < end) {
        int depth = 0;
        int j = i;
        for (; j < end; ++j) {
            const TExpToken &t = m_tokens[j];
            if (t.Code == '(') {
                ++depth;
            } else if (t.Code == ')') {
                if (--depth < 0)
                    Fail("Function parse error.");
            } else if (t.TokenType == ttParamDelimitor && depth == 0) {
                break;
            }
        }
        const int child = NewNode();
        AddChild(node, last, child);
        BuildChild(child, i, j);
        i = j + 1;
    }
}

ExpValue TExpTree::Calculate(TExpResolver &owner)
{
    m_owner = &owner;
    m_spine.clear();
    m_args.clear();
    if (m_used == 0)
        return {};
    return CalculateNode(0);
}

ExpValue TExpTree::CalculateNode(int node)
{
    DepthGuard guard(*m_limits, "Calculate error");
    const TExpNode &nd = m_nodes[size_t(node)];
    if (nd.Token < 0 || nd.TokenCount != 1)
        return {};
    const TExpToken &t = m_tokens[nd.Token];
    switch (t.TokenType) {
    case ttNumeric:
        return t.Number;
    case ttVariable:
        return ExpValue::FromText(std::string(t.Text));
    case ttString:
        return CallName(node, t);
    case ttOperation:
        if (t.Code == '!') {
            if (nd.ChildCount != 1)
                TreeFault();
            return exp::ApplyOperator('!', CalculateNode(nd.FirstChild), ExpValue());
        }
        return CalculateChain(node);
    default:
        return {};
    }
}

// A chain of binary operators is calculated bottom-up in a loop: left operands first, as the
// recursive definition does, without one stack frame per operator.
ExpValue TExpTree::CalculateChain(int node)
{
    const size_t base = m_spine.size();
    int cur = node;
    for (;;) {
        const TExpNode &nd = m_nodes[size_t(cur)];
        if (nd.ChildCount != 2) {
            m_spine.resize(base);
            TreeFault();
        }
        m_spine.push_back(cur);
        const TExpNode &l = m_nodes[size_t(nd.FirstChild)];
        if (l.Token >= 0 && l.TokenCount == 1 && m_tokens[l.Token].TokenType == ttOperation
            && m_tokens[l.Token].Code != '!') {
            cur = nd.FirstChild;
            continue;
        }
        break;
    }
    ExpValue v = CalculateNode(m_nodes[size_t(m_spine.back())].FirstChild);
    for (size_t i = m_spine.size(); i-- > base;) {
        const TExpNode &nd = m_nodes[size_t(m_spine[i])];
        const int rightNode = m_nodes[size_t(nd.FirstChild)].NextSibling;
        const char op = m_tokens[nd.Token].Code;
        // Numbers on both sides, the common case, skip the value machinery.
        const TExpNode &rn = m_nodes[size_t(rightNode)];
        if (v.IsDouble() && op != '/' && op != '^' && rn.TokenCount == 1 && m_tokens[rn.Token].TokenType == ttNumeric) {
            const double a = v.DoubleRef(), b = m_tokens[rn.Token].Number;
            v.SetDouble(op == '+' ? a + b : op == '-' ? a - b : a * b);
            continue;
        }
        const ExpValue r = CalculateNode(rightNode);
        if (v.IsDouble() && r.IsDouble() && op != '/' && op != '^') {
            const double a = v.DoubleRef(), b = r.DoubleRef();
            v.SetDouble(op == '+' ? a + b : op == '-' ? a - b : a * b);
        } else {
            v = exp::ApplyOperator(op, v, r);
        }
    }
    m_spine.resize(base);
    return v;
}

ExpValue TExpTree::CallName(int node, const TExpToken &tok)
{
    const size_t base = m_args.size();
    for (int c = m_nodes[size_t(node)].FirstChild; c >= 0; c = m_nodes[size_t(c)].NextSibling) {
        ExpValue v = CalculateNode(c);
        m_args.push_back(std::move(v));
    }
    ExpValue value;
    m_owner->Resolve(tok.Text, m_args.data() + base, int(m_args.size() - base), value);
    m_args.resize(base);
    return value;
}

std::string TExpTree::Dump(int node) const
{
    if (node < 0 || node >= m_used)
        return {};
    const TExpNode &nd = m_nodes[size_t(node)];
    std::string head;
    if (nd.Token < 0 || nd.TokenCount != 1)
        head = "_";
    else if (m_tokens[nd.Token].TokenType == ttVariable)
        head.append("[").append(m_tokens[nd.Token].Text).append("]");
    else
        head = m_tokens[nd.Token].Text;
    if (nd.ChildCount == 0)
        return head;
    std::string out;
    out.append("(").append(head);
    for (int c = nd.FirstChild; c >= 0; c = m_nodes[size_t(c)].NextSibling)
        out.append(" ").append(Dump(c));
    return out.append(")");
}

} // namespace qor
