#pragma once
// One user-defined function, parsed from a definition line "NAME(P1,P2)=BODY" or "NAME=BODY".
#include <string>
#include <string_view>
#include <vector>

#include "formula/engine/exp_node.h"
#include "platform/qor_global.h"

namespace qor {

class TQorExpression;

class QOR_AUTOTEST_EXPORT TFunction : public TExpResolver {
public:
    explicit TFunction(TQorExpression *Owner) : m_owner(Owner) {}

    void SetAsString(std::string_view line); // raises on a malformed header
    const std::string &GetAsString() const { return m_line; }
    const std::string &GetName() const { return m_name; }
    const std::string &GetBody() const { return m_body; }
    const std::vector<std::string> &GetParams() const { return m_params; }
    int GetParamCount() const { return int(m_params.size()); }

    // Calculates the body with these arguments; parameters without an argument are 0.
    double Call(const ExpValue *Args, int ArgCount);
    void EvalArgs(TQorExpression *Sender, std::string_view Eval, const ExpValue *Args, int ArgCount, ExpValue &Value);

private:
    void Resolve(std::string_view name, const ExpValue *args, int argCount, ExpValue &value) override;

    TQorExpression *m_owner;
    std::string m_line;
    std::string m_name;
    std::string m_body;
    std::vector<std::string> m_params;
    std::vector<double> m_args;
};

// ASCII case-insensitive equality, as names are compared.
QOR_AUTOTEST_EXPORT bool SameName(std::string_view a, std::string_view b);

} // namespace qor
