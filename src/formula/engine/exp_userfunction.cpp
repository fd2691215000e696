#include "formula/engine/exp_userfunction.h"

#include "formula/engine/exp_parser.h"
#include "formula/engine/expression.h"
#include "formula/engine/expression_error.h"

namespace qor {

bool SameName(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = char(x - 32);
        if (y >= 'a' && y <= 'z')
            y = char(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

void TFunction::SetAsString(std::string_view line)
{
    m_line = std::string(line);
    m_name.clear();
    m_body.clear();
    m_params.clear();
    const size_t eq = m_line.find('=');
    if (eq == std::string::npos)
        return; // no name: it never matches
    const std::string header = m_line.substr(0, eq);
    m_body = m_line.substr(eq + 1);

    TExpParser parser;
    parser.SetExpression(header);
    parser.ReadAll();
    const int count = parser.TokenCount();
    if (count == 0 || parser.GetToken(0).TokenType != ttString)
        throw EExpressionError("Function \"" + m_line + "\" is not valid.");
    std::string name(parser.GetToken(0).Text);
    const auto invalidHeader = [&] { return EExpressionError("Function header \"" + header + "\" is not valid."); };
    if (count > 1 && parser.GetToken(1).TokenType == ttParenthesis) {
        if (parser.GetToken(1).Text[0] != '(')
            throw invalidHeader();
        bool closed = false;
        bool afterName = false;
        for (int i = 2; i < count && !closed; ++i) {
            const TExpToken &t = parser.GetToken(i);
            if (t.TokenType == ttString) {
                if (afterName)
                    throw EExpressionError("Function parse error: delimitor \";\" expected between arguments.");
                m_params.emplace_back(t.Text);
                afterName = true;
            } else if (t.TokenType == ttParamDelimitor) {
                afterName = false;
            } else if (t.TokenType == ttParenthesis && t.Text[0] == ')') {
                closed = true;
            }
        }
        if (!closed)
            throw invalidHeader();
    }
    m_name = std::move(name);
}

double TFunction::Call(const ExpValue *Args, int ArgCount)
{
    m_args.assign(m_params.size(), 0.0);
    for (size_t i = 0; i < m_params.size() && int(i) < ArgCount; ++i)
        m_args[i] = Args[i].AsDouble();
    return m_owner->CalculateText(m_body, *this).AsDouble();
}

void TFunction::EvalArgs(TQorExpression *Sender, std::string_view Eval, const ExpValue *Args, int ArgCount,
                         ExpValue &Value)
{
    for (size_t i = 0; i < m_params.size(); ++i) {
        if (SameName(Eval, m_params[i])) {
            Value = m_args[i];
            return;
        }
    }
    Sender->Evaluate(Eval, Args, ArgCount, Value);
}

void TFunction::Resolve(std::string_view name, const ExpValue *args, int argCount, ExpValue &value)
{
    EvalArgs(m_owner, name, args, argCount, value);
}

} // namespace qor
