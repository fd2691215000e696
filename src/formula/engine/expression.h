#pragma once
// TQorExpression: evaluates one line of formula text. Nothing is cached: every read of Value
// tokenizes the text, builds a tree, calculates it and drops the tree.
#include <QObject>
#include <QRandomGenerator>
#include <QStringList>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "formula/engine/exp_node.h"
#include "formula/engine/exp_value.h"
#include "formula/engine/expression_error.h"
#include "platform/qor_global.h"

namespace qor {

class TFunction;
class TQorExpression;

enum TEvaluateOrder { eoInternalFirst = 0, eoEventFirst = 1 };

// Resolves a name the engine hands over; Done starts false.
using TOnEvaluate = std::function<void(TQorExpression *Sender, const QString &Eval, const ExpValue *Args,
                                       int ArgCount, ExpValue &Value, bool &Done)>;
// Kept for the published interface; the engine never raises it (bracketed names are texts).
using TOnVariable = std::function<void(TQorExpression *Sender, const QString &Variable, ExpValue &Value, bool &Done)>;

class QOR_EXPORT TQorExpression : public QObject, private TExpResolver {
    Q_OBJECT
public:
    explicit TQorExpression(QObject *AOwner = nullptr);
    ~TQorExpression() override;

    QString GetText() const { return QString::fromStdString(m_text); }
    const std::string &GetTextUtf8() const { return m_text; }
    void SetText(const QString &s);
    void SetText(std::string_view s); // UTF-8
    void SetText(const char *s) { SetText(std::string_view(s)); }

    QString GetInfo() const { return m_info; }
    void SetInfo(const QString &) {} // read-only in effect

    QStringList GetFunctions() const { return m_functions; }
    void SetFunctions(const QStringList &list);

    TEvaluateOrder GetEvaluateOrder() const { return m_order; }
    void SetEvaluateOrder(TEvaluateOrder order) { m_order = order; }

    const TOnEvaluate &GetOnEvaluate() const { return m_onEvaluate; }
    void SetOnEvaluate(TOnEvaluate hook) { m_onEvaluate = std::move(hook); }
    const TOnVariable &GetOnVariable() const { return m_onVariable; }
    void SetOnVariable(TOnVariable hook) { m_onVariable = std::move(hook); }

    // Compiles and calculates Text; raises EExpressionError on every failure.
    ExpValue GetValue();

    // Resolves one name with its evaluated arguments: hook, built-ins, user functions.
    void Evaluate(std::string_view Eval, const ExpValue *Args, int ArgCount, ExpValue &Value);
    // The first user function of that name (any case), freshly parsed; null when none.
    std::unique_ptr<TFunction> FindFunction(std::string_view Name);

    // RAND and RANDBETWEEN draw from a generator of this component, seeded at random;
    // a fixed seed makes their sequence repeatable.
    void SetRandomSeed(quint32 seed) { m_random.seed(seed); }

private:
    friend class TFunction;
    struct Scratch;

    void Compile();
    ExpValue CalculateText(std::string_view text, TExpResolver &owner);
    void Resolve(std::string_view name, const ExpValue *args, int argCount, ExpValue &value) override;
    void RaiseHook(std::string_view name, const ExpValue *args, int argCount, ExpValue &value, bool &done);

    std::string m_text;
    QString m_info;
    QStringList m_functions;
    std::vector<std::string> m_functionLines;
    // Each line of Functions as its lookup parsed it: a function, or the error it raises. A
    // line parses the same way every time, so a chain of calls need not read it again.
    struct ParsedLine {
        bool parsed = false;
        std::string error;                 // not empty: the line's header is malformed
        std::unique_ptr<TFunction> proto;  // null for a blank line or one without "="
    };
    std::vector<ParsedLine> m_parsedLines;
    TEvaluateOrder m_order = eoInternalFirst;
    TOnEvaluate m_onEvaluate;
    TOnVariable m_onVariable;
    ExpValue m_result;
    QRandomGenerator m_random;
    ExpLimits m_limits;
    std::vector<std::unique_ptr<Scratch>> m_scratch; // one per nested calculation
    int m_level = 0;
};

} // namespace qor
