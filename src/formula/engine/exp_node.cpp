#include "formula/engine/exp_node.h"

#include <algorithm>
#include <climits>
#include <string>

#include "formula/engine/exp_stack.h"
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

} // namespace

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
    if (limits.floor == 0)
        limits.floor = exp::StackFloor();
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
    // Depth-first in text order from an explicit stack: nesting costs no native recursion, and
    // the first fault met is the one a recursive descent would meet.
    m_work.clear();
    m_work.push_back({NewNode(), 0, count});
    while (!m_work.empty()) {
        const Pending w = m_work.back();
        m_work.pop_back();
        const size_t mark = m_work.size();
        BuildNode(w.node, w.a, w.b);
        std::reverse(m_work.begin() + std::ptrdiff_t(mark), m_work.end());
    }
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

// Children of one token or none are leaves, set at once; the others wait on the work stack.
inline void TExpTree::BuildChild(int node, int a, int b)
{
    if (b - a < 2) {
        TExpNode &nd = m_nodes[size_t(node)];
        nd.TokenCount = b - a;
        nd.Token = b - a == 1 ? a : -1;
        return;
    }
    m_work.push_back({node, a, b});
}

// The ")" that closes the "(" at i within [i, end), or end when it stays open there.
inline int TExpTree::SkipGroup(int i, int end) const
{
    const int j = m_match[size_t(i)];
    return j < end ? j : end;
}

void TExpTree::BuildNode(int node, int a, int b)
{
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
    // A closed group is skipped whole, so that each level scans only its own tokens; after a
    // "(" left open nothing is at depth 0 any more, and no ")" can take the depth below it.
    for (int i = a; i < b; ++i) {
        const TExpToken &t = m_tokens[i];
        if (t.Code == '(') {
            i = SkipGroup(i, b);
        } else if (t.Code == ')') {
            m_ops.resize(base);
            Fail("Compile error: parenthesis mismatch.");
        } else if (t.TokenType == ttOperation) {
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
        int j = i;
        for (; j < end; ++j) {
            const TExpToken &t = m_tokens[j];
            if (t.Code == '(')
                j = SkipGroup(j, end);
            else if (t.Code == ')')
                Fail("Function parse error.");
            else if (t.TokenType == ttParamDelimitor)
                break;
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
    if (m_used == 0)
        return {};
    m_frames.clear();
    m_values.clear();
    m_solid.clear();
    m_frames.push_back({0, -1, 0});
    while (!m_frames.empty())
        Step();
    return std::move(m_values.back());
}

void TExpTree::PushValue(ExpValue v)
{
    m_values.push_back(std::move(v));
    m_solid.push_back(0);
}

// One step of the post-order walk: a node met for the first time pushes its first child (or
// its value, for a leaf); a node met again after a child pushes the next child or applies
// itself to the values its children left. Operands go left to right, as a recursive descent
// takes them, but nesting costs heap, not stack.
void TExpTree::Step()
{
    Frame &f = m_frames.back();
    const TExpNode &nd = m_nodes[size_t(f.node)];
    if (f.child < 0) {
        if (nd.Token < 0 || nd.TokenCount != 1) {
            m_frames.pop_back();
            PushValue({});
            return;
        }
        const TExpToken &t = m_tokens[nd.Token];
        switch (t.TokenType) {
        case ttNumeric:
            m_frames.pop_back();
            PushValue(t.Number);
            return;
        case ttVariable:
            m_frames.pop_back();
            PushValue(ExpValue::FromText(std::string(t.Text)));
            return;
        case ttString:
            f.base = int32_t(m_values.size());
            if (nd.FirstChild < 0) {
                CallName(f);
                return;
            }
            break;
        case ttOperation:
            if (nd.ChildCount != (t.Code == '!' ? 1 : 2))
                TreeFault();
            break;
        default:
            m_frames.pop_back();
            PushValue({});
            return;
        }
        f.child = nd.FirstChild;
        m_frames.push_back({nd.FirstChild, -1, 0});
        return;
    }

    const TExpToken &t = m_tokens[nd.Token];
    const int next = m_nodes[size_t(f.child)].NextSibling;
    if (t.TokenType == ttString) {
        if (next >= 0) {
            f.child = next;
            m_frames.push_back({next, -1, 0});
        } else {
            CallName(f);
        }
        return;
    }
    if (t.Code == '!') {
        m_values.back() = exp::ApplyOperator('!', m_values.back(), ExpValue());
        m_solid.back() = 0;
        m_frames.pop_back();
        return;
    }
    const char op = t.Code;
    if (f.child == nd.FirstChild) { // the left operand is done
        ExpValue &v = m_values.back();
        const TExpNode &rn = m_nodes[size_t(next)];
        // Numbers on both sides, the common case, skip the value machinery.
        if (v.IsDouble() && op != '/' && op != '^' && rn.TokenCount == 1 && m_tokens[rn.Token].TokenType == ttNumeric) {
            const double a = v.DoubleRef(), b = m_tokens[rn.Token].Number;
            v.SetDouble(op == '+' ? a + b : op == '-' ? a - b : a * b);
            m_frames.pop_back();
            return;
        }
        f.child = next;
        m_frames.push_back({next, -1, 0});
        return;
    }
    m_frames.pop_back();
    const size_t n = m_values.size();
    ExpValue &v = m_values[n - 2];
    const ExpValue &r = m_values[n - 1];
    if (v.IsDouble() && r.IsDouble() && op != '/' && op != '^') {
        const double a = v.DoubleRef(), b = r.DoubleRef();
        v.SetDouble(op == '+' ? a + b : op == '-' ? a - b : a * b);
    } else if (op == '+' && (v.IsText() || r.IsText())) {
        bool solid = m_solid[n - 2] != 0; // a join of many texts grows in place
        exp::ConcatInPlace(v, r, solid);
        m_solid[n - 2] = solid ? 1 : 0;
    } else {
        v = exp::ApplyOperator(op, v, r);
        m_solid[n - 2] = 0;
    }
    m_values.pop_back();
    m_solid.pop_back();
}

void TExpTree::CallName(Frame f)
{
    m_frames.pop_back();
    const size_t base = size_t(f.base);
    ExpValue value;
    // The resolver may run other trees, never this one: the arguments stay where they are.
    m_owner->Resolve(m_tokens[m_nodes[size_t(f.node)].Token].Text, m_values.data() + base,
                     int(m_values.size() - base), value);
    m_values.resize(base);
    m_solid.resize(base);
    PushValue(std::move(value));
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
