#pragma once
// Evaluates cell formulas: turns a formula into a plain expression by writing the values of the
// cells it refers to as literals, and hands that to the grid's expression engine. A formula
// cell that refers to formula cells not yet evaluated in the current pass has them evaluated
// first, depth-first in the order of reference, on an explicit stack: a chain of a million
// formulas needs no deeper call stack than a chain of one.
#include <QString>
#include <string>
#include <vector>
#include "formula/engine/exp_value.h"
#include "formula/formula_store_p.h"
#include "platform/qor_global.h"

namespace qor {

class TCellInfo;
class TQorExpression;
struct GridPrivate;

class QOR_AUTOTEST_EXPORT FormulaEvaluator {
public:
    FormulaEvaluator(GridPrivate &grid, FormulaStore &store, TQorExpression &engine);

    // Evaluates one formula cell and the formula cells it needs, storing each result (the
    // dependencies are marked evaluated in this pass, the cell itself is not). Raises the
    // engine's errors and "循环引用".
    void EvaluateCell(TCellInfo &cell);
    // The cells whose evaluation was in progress when the last EvaluateCell raised, the cell
    // itself first: each of them would raise again, since it reads the failing one.
    const std::vector<TCellInfo *> &FailedChain() const { return m_failedChain; }
    // An expression that belongs to no cell: references read stored values; no "Above".
    ExpValue EvaluateText(const QString &text);
    // The expression text handed to the engine for a cell, with the values of now (formula
    // cells contribute their stored values); empty when the evaluation would be abandoned.
    std::string PreparedText(TCellInfo &cell);
    // Off: every formula is read the text way (the compiled forms are checked against it).
    void SetCompiledForms(bool on) { m_compiledForms = on; }

private:
    enum class Outcome { Ready, NeedsOthers, Abandoned, TextWay };
    struct Work {
        TCellInfo *cell;
        bool started;
    };

    // Writes the engine's text for a formula body into m_text.
    Outcome Prepare(QStringView body, bool useStored, std::vector<TCellInfo *> *pending, bool &emptyRange,
                    bool &allNumeric);
    ExpValue Finish(bool emptyRange, bool allNumeric, bool &isNumber);
    // Evaluates a cell by its compiled form (made or renewed here when its text changed);
    // TextWay when the form does not cover the formula or the values it reads now.
    Outcome RunCompiled(TCellInfo &cell, FormulaSlot &slot, std::vector<TCellInfo *> &pending, ExpValue &value);
    ExpValue RunEngine(std::string_view text);
    void Store(TCellInfo &cell, const ExpValue &value, bool isNumber);

    GridPrivate &d;
    FormulaStore &m_store;
    TQorExpression &m_engine;
    std::string m_text;
    std::vector<Work> m_work;
    std::vector<TCellInfo *> m_pending;
    std::vector<TCellInfo *> m_failedChain;
    int m_depth = 0;        // evaluations running (a hook may start another)
    int m_engineDepth = 0;
    bool m_compiledForms = true;
    friend struct PrepareVisitor;
};

} // namespace qor
