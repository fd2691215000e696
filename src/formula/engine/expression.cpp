#include "formula/engine/expression.h"

#include "formula/engine/exp_functions.h"
#include "formula/engine/exp_parser.h"
#include "formula/engine/exp_stack.h"
#include "formula/engine/exp_userfunction.h"

namespace qor {

namespace {
constexpr uintptr_t CallStackMargin = 16 * 1024;
} // namespace

struct TQorExpression::Scratch {
    TExpParser parser;
    TExpTree tree;
};

TQorExpression::TQorExpression(QObject *AOwner)
    : QObject(AOwner)
    , m_info(QStringLiteral("TQorExpression 1.0, the expression evaluator of QorGrid"))
    , m_random(QRandomGenerator::global()->generate())
{
}

TQorExpression::~TQorExpression() = default;

void TQorExpression::SetText(const QString &s)
{
    SetText(std::string_view(s.toStdString()));
}

void TQorExpression::SetText(std::string_view s)
{
    if (s == m_text)
        return;
    m_text.assign(s);
    // "50%" means 50/100; only the first "%" is rewritten.
    const size_t p = m_text.find('%');
    if (p != std::string::npos)
        m_text.replace(p, 1, "/100");
}

void TQorExpression::SetFunctions(const QStringList &list)
{
    m_functions = list;
    m_functionLines.clear();
    m_functionLines.reserve(size_t(list.size()));
    for (const QString &line : list)
        m_functionLines.push_back(line.toStdString());
    m_parsedLines.clear();
    m_parsedLines.resize(m_functionLines.size());
}

ExpValue TQorExpression::GetValue()
{
    Compile();
    return m_result;
}

void TQorExpression::Compile()
{
    if (m_level == 0)
        m_limits = ExpLimits();
    m_result = CalculateText(m_text, *this);
}

ExpValue TQorExpression::CalculateText(std::string_view text, TExpResolver &owner)
{
    if (m_level == int(m_scratch.size()))
        m_scratch.push_back(std::make_unique<Scratch>());
    Scratch &s = *m_scratch[size_t(m_level)];
    struct Level {
        int &level;
        explicit Level(int &l) : level(l) { ++level; }
        ~Level() { --level; }
    } level(m_level);
    s.parser.SetExpression(text);
    s.parser.ReadAll();
    s.tree.Build(s.parser.Tokens(), s.parser.TokenCount(), m_limits);
    return s.tree.Calculate(owner);
}

void TQorExpression::Resolve(std::string_view name, const ExpValue *args, int argCount, ExpValue &value)
{
    Evaluate(name, args, argCount, value);
}

void TQorExpression::RaiseHook(std::string_view name, const ExpValue *args, int argCount, ExpValue &value,
                               bool &done)
{
    done = false;
    m_onEvaluate(this, QString::fromUtf8(name.data(), qsizetype(name.size())), args, argCount, value, done);
}

void TQorExpression::Evaluate(std::string_view Eval, const ExpValue *Args, int ArgCount, ExpValue &Value)
{
    bool done = false;
    if (m_order == eoEventFirst && m_onEvaluate) {
        RaiseHook(Eval, Args, ArgCount, Value, done);
        if (done)
            return;
    } else if (m_order == eoInternalFirst) {
        Value = ExpValue();
    }
    if (exp::CallBuiltin(Eval, Args, ArgCount, Value, m_random))
        return;
    if (!m_functionLines.empty()) {
        if (std::unique_ptr<TFunction> fn = FindFunction(Eval)) {
            if (++m_limits.calls > ExpLimits::MaxCalls)
                throw EExpressionError("Calculate error: more than " + std::to_string(ExpLimits::MaxCalls)
                                       + " user function calls in one evaluation.");
            // A little more stack than a tree level needs, so that a runaway recursion is
            // named after its function rather than after the tree it happens to be in.
            if (m_limits.callDepth >= ExpLimits::MaxCallDepth
                || exp::FrameAddress() < m_limits.floor + CallStackMargin)
                throw EExpressionError("Calculate error: user function \"" + fn->GetName()
                                       + "\" nested too deeply (more than "
                                       + std::to_string(m_limits.callDepth) + " calls in a row).");
            struct CallDepth {
                int &depth;
                explicit CallDepth(int &d) : depth(d) { ++depth; }
                ~CallDepth() { --depth; }
            } callDepth(m_limits.callDepth);
            Value = fn->Call(Args, ArgCount);
            return;
        }
    }
    if (m_order == eoInternalFirst && m_onEvaluate)
        RaiseHook(Eval, Args, ArgCount, Value, done); // its Value stands, Done or not
    else
        Value = ExpValue();
}

std::unique_ptr<TFunction> TQorExpression::FindFunction(std::string_view Name)
{
    for (size_t i = 0; i < m_functionLines.size(); ++i) {
        ParsedLine &p = m_parsedLines[i];
        if (!p.parsed) {
            p.parsed = true;
            const std::string &line = m_functionLines[i];
            if (!exp::TrimBlanks(line).empty()) {
                auto fn = std::make_unique<TFunction>(this);
                try {
                    fn->SetAsString(line);
                } catch (const EExpressionError &e) {
                    p.error = e.what();
                }
                if (p.error.empty() && !fn->GetName().empty())
                    p.proto = std::move(fn);
            }
        }
        if (!p.error.empty())
            throw EExpressionError(p.error);
        if (p.proto && SameName(p.proto->GetName(), Name))
            return std::make_unique<TFunction>(*p.proto); // a fresh copy: calls may nest
    }
    return nullptr;
}

} // namespace qor
